// Row icon (tinted by the page): a power symbol, 29 x 29 points at 2x.
var c = document.createElement('canvas'); c.width = 58; c.height = 58;
var x = c.getContext('2d'); x.strokeStyle = '#000'; x.lineWidth = 6; x.lineCap = 'round';
x.beginPath(); x.arc(29, 31, 19, -Math.PI / 2 + 0.7, 1.5 * Math.PI - 0.7); x.stroke();
x.beginPath(); x.moveTo(29, 6); x.lineTo(29, 28); x.stroke();
c.toDataURL('image/png')
