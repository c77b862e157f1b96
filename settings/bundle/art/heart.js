// Heart of the share button, a template image: 22 x 20 points at 2x.
var c = document.createElement('canvas'); c.width = 44; c.height = 40;
var x = c.getContext('2d'); x.fillStyle = '#000';
x.beginPath(); x.moveTo(22, 38);
x.bezierCurveTo(4, 26, 0, 18, 2, 11); x.bezierCurveTo(4, 2, 17, -1, 22, 9);
x.bezierCurveTo(27, -1, 40, 2, 42, 11); x.bezierCurveTo(44, 18, 40, 26, 22, 38);
x.closePath(); x.fill();
c.toDataURL('image/png')
