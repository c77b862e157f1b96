// Badge beside a person's row that says "opens a profile": 24 x 24 points at 2x.
var c = document.createElement('canvas'); c.width = 48; c.height = 48;
var x = c.getContext('2d');
x.fillStyle = '#1DA1F2'; x.beginPath(); x.arc(24, 24, 23, 0, 2 * Math.PI); x.fill();
x.fillStyle = '#FFFFFF'; x.font = 'bold 30px Helvetica Neue'; x.textAlign = 'center'; x.textBaseline = 'middle';
x.fillText('@', 24, 25);
c.toDataURL('image/png')
