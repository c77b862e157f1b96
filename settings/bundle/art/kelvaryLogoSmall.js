// Navigation-bar logo, a template image (only its alpha counts): 96 x 28 points at 2x.
var c = document.createElement('canvas'); c.width = 192; c.height = 56;
var x = c.getContext('2d'); x.fillStyle = '#000'; x.strokeStyle = '#000';
x.lineWidth = 6; x.lineCap = 'round';
x.beginPath(); x.arc(28, 28, 19, 0, 2 * Math.PI); x.globalAlpha = 0.35; x.stroke();
x.globalAlpha = 1; x.beginPath(); x.arc(28, 28, 19, -Math.PI / 2, Math.PI); x.stroke();
x.font = 'bold 33px Helvetica Neue'; x.textBaseline = 'middle'; x.fillText('ampora', 54, 30);
c.toDataURL('image/png')
