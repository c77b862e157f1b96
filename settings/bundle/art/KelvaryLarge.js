// The developer's picture on the credits page: 65 x 65 points at 2x.
var c = document.createElement('canvas'); c.width = 130; c.height = 130;
var x = c.getContext('2d');
var g = x.createLinearGradient(0, 0, 130, 130); g.addColorStop(0, '#B04DFF'); g.addColorStop(1, '#5A00A0');
x.fillStyle = g; x.beginPath(); x.arc(65, 65, 65, 0, 2 * Math.PI); x.fill();
x.fillStyle = '#FFFFFF'; x.font = 'bold 72px Helvetica Neue'; x.textAlign = 'center'; x.textBaseline = 'middle';
x.fillText('K', 65, 68);
c.toDataURL('image/png')
