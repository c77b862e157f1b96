(height, level, charging, low, lowPower, color, base) {
  // Ampora Pie: a square disc whose slice, clockwise from twelve o'clock, is the
  // level's share; no digits, so it reads at any tray size. A rim keeps an empty
  // pie visible, a bolt is cut out of the middle while charging, and low-power
  // mode hollows the centre.
  var size = Math.max(1, Math.round(height)), pct = Math.max(0, Math.min(100, level));
  var main = "rgb(" + color.join() + ")";
  var track = "rgba(" + base.slice(0, 3).join() + "," + base[3] + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");
  canvas.width = canvas.height = size;
  var c = size / 2, rim = Math.max(1, size / 16), r = c - 0.5, top = -Math.PI / 2;

  ctx.fillStyle = track;
  ctx.beginPath();
  ctx.arc(c, c, r, 0, 2 * Math.PI);
  ctx.fill();
  ctx.strokeStyle = main;
  ctx.lineWidth = rim;
  ctx.beginPath();
  ctx.arc(c, c, r - rim / 2, 0, 2 * Math.PI);
  ctx.stroke();
  if (pct > 0) {
    ctx.fillStyle = main;
    ctx.beginPath();
    if (pct < 100) ctx.moveTo(c, c);
    ctx.arc(c, c, r, top, top + 2 * Math.PI * pct / 100);
    ctx.closePath();
    ctx.fill();
  }

  ctx.save();
  ctx.globalCompositeOperation = "destination-out";
  ctx.fillStyle = "#000";
  if (charging) {
    // The bolt, cut out with a margin, then drawn again in the main colour.
    var s = size * 0.56, halo = Math.max(1, size / 14);
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    var path = new Path2D();
    bolt.forEach((p) => path.lineTo(c + p[0] * s, c + p[1] * s));
    path.closePath();
    ctx.lineWidth = 2 * halo;
    ctx.lineJoin = "round";
    ctx.stroke(path);
    ctx.fill(path);
    ctx.restore();
    ctx.fillStyle = main;
    ctx.fill(path);
  } else if (lowPower) {
    ctx.beginPath();
    ctx.arc(c, c, r * 0.42, 0, 2 * Math.PI);
    ctx.fill();
    ctx.restore();
  } else {
    ctx.restore();
  }
  return canvas.toDataURL("image/png");
}
