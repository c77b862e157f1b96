// Row icon (tinted by the page): an envelope, 29 x 29 points at 2x.
var c = document.createElement('canvas'); c.width = 58; c.height = 58;
var x = c.getContext('2d'); x.strokeStyle = '#000'; x.lineWidth = 5; x.lineJoin = 'round';
x.strokeRect(6, 13, 46, 32);
x.beginPath(); x.moveTo(7, 15); x.lineTo(29, 33); x.lineTo(51, 15); x.stroke();
c.toDataURL('image/png')
