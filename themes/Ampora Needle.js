(height, level, charging, low, color) {
  // Ampora Needle: an analogue dial. The needle swings from empty on the left
  // to full on the right over a faint scale with ticks at every quarter; the
  // scale is drawn solid up to the level. While charging the hub becomes a bolt.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var rgb = color.join(), solid = "rgb(" + rgb + ")", faint = "rgba(" + rgb + ",0.35)";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var lw = Math.max(1, 1.6 * u), R = 12 * u, margin = Math.max(1, Math.round(u / 2));
  canvas.width = Math.ceil(2 * R + lw + 2 * margin);
  canvas.height = Math.max(1, Math.round(height));
  var cx = canvas.width / 2, cy = Math.round(canvas.height / 2 + 5 * u), angle = Math.PI * (1 + pct / 100);

  ctx.lineWidth = lw;
  ctx.lineCap = "round";
  ctx.strokeStyle = faint;
  ctx.beginPath();
  ctx.arc(cx, cy, R, Math.PI, 2 * Math.PI);
  ctx.stroke();
  if (pct > 0) {
    ctx.strokeStyle = solid;
    ctx.beginPath();
    ctx.arc(cx, cy, R, Math.PI, angle);
    ctx.stroke();
  }
  // Ticks inside the scale at 0, 25, 50, 75 and 100 %.
  ctx.strokeStyle = faint;
  ctx.lineWidth = Math.max(1, u);
  for (var t = 0; t <= 4; t++) {
    var a = Math.PI * (1 + t / 4);
    ctx.beginPath();
    ctx.moveTo(cx + Math.cos(a) * (R - 2.2 * u), cy + Math.sin(a) * (R - 2.2 * u));
    ctx.lineTo(cx + Math.cos(a) * (R - 4 * u), cy + Math.sin(a) * (R - 4 * u));
    ctx.stroke();
  }

  // The needle.
  ctx.strokeStyle = solid;
  ctx.lineWidth = Math.max(1, 1.4 * u);
  ctx.beginPath();
  ctx.moveTo(cx, cy);
  ctx.lineTo(cx + Math.cos(angle) * (R - 2 * u), cy + Math.sin(angle) * (R - 2 * u));
  ctx.stroke();
  ctx.fillStyle = solid;
  if (charging) {
    var s = 9 * u;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    var path = new Path2D();
    bolt.forEach((p) => path.lineTo(cx + p[0] * s, cy - 0.5 * u + p[1] * s));
    path.closePath();
    ctx.save();
    ctx.globalCompositeOperation = "destination-out";
    ctx.lineWidth = 2 * Math.max(1, u);
    ctx.lineJoin = "round";
    ctx.stroke(path);
    ctx.restore();
    ctx.fill(path);
  } else {
    ctx.beginPath();
    ctx.arc(cx, cy, 2.2 * u, 0, 2 * Math.PI);
    ctx.fill();
  }
  return canvas.toDataURL("image/png");
}
