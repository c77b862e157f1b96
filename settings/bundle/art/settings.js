// Row icon (tinted by the page): a gear, 29 x 29 points at 2x.
var c = document.createElement('canvas'); c.width = 58; c.height = 58;
var x = c.getContext('2d'); x.fillStyle = '#000'; x.translate(29, 29);
for (var i = 0; i < 8; i++) { x.rotate(Math.PI / 4); x.fillRect(-5, -26, 10, 12); }
x.beginPath(); x.arc(0, 0, 17, 0, 2 * Math.PI); x.arc(0, 0, 7, 0, 2 * Math.PI, true); x.fill();
c.toDataURL('image/png')
