// Header picture of the main page: 375 x 150 points, drawn at 2x.
var c = document.createElement('canvas'); c.width = 750; c.height = 300;
var x = c.getContext('2d');
var g = x.createLinearGradient(0, 0, 750, 300);
g.addColorStop(0, '#8F00FF'); g.addColorStop(1, '#3A0066');
x.fillStyle = g; x.fillRect(0, 0, 750, 300);
// faint rings in the background
x.strokeStyle = 'rgba(255,255,255,0.08)'; x.lineWidth = 18;
for (var r = 60; r < 700; r += 70) { x.beginPath(); x.arc(640, 40, r, 0, 2 * Math.PI); x.stroke(); }
// the battery ring, three quarters full
var cx = 190, cy = 150, rr = 92;
x.lineWidth = 20; x.lineCap = 'round';
x.strokeStyle = 'rgba(255,255,255,0.25)'; x.beginPath(); x.arc(cx, cy, rr, 0, 2 * Math.PI); x.stroke();
x.strokeStyle = '#FFFFFF'; x.beginPath(); x.arc(cx, cy, rr, -Math.PI / 2, Math.PI); x.stroke();
x.fillStyle = '#FFFFFF'; x.font = 'bold 64px Helvetica Neue'; x.textAlign = 'center'; x.textBaseline = 'middle';
x.fillText('75', cx, cy + 2);
x.textAlign = 'left'; x.font = 'bold 104px Helvetica Neue'; x.fillText('Ampora', 320, 128);
x.font = '34px Helvetica Neue'; x.fillStyle = 'rgba(255,255,255,0.8)';
x.fillText('your battery, your way', 326, 206);
c.toDataURL('image/png')
