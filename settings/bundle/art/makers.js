// Row icon (tinted by the page): two people, 29 x 29 points at 2x.
var c = document.createElement('canvas'); c.width = 58; c.height = 58;
var x = c.getContext('2d'); x.fillStyle = '#000';
function person(px, py, s) {
  x.beginPath(); x.arc(px, py, 7 * s, 0, 2 * Math.PI); x.fill();
  x.beginPath(); x.arc(px, py + 22 * s, 14 * s, Math.PI, 2 * Math.PI); x.fill();
}
x.globalAlpha = 0.55; person(38, 18, 0.9); x.globalAlpha = 1; person(22, 22, 1.1);
c.toDataURL('image/png')
