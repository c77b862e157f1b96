(height, level, charging, low, color) {
  // Ampora Cell: an upright battery that fills from the bottom, for bars with
  // little room across. A bolt is cut out of the cell while charging and drawn
  // again, faint over the fill, solid over the empty part.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var rgb = color.join(), solid = "rgb(" + rgb + ")", faint = "rgba(" + rgb + ",0.4)";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var line = Math.max(1, Math.round(1.2 * u));
  var bodyW = Math.round(10 * u), bodyH = Math.round(15.5 * u), nubH = Math.max(1, Math.round(1.5 * u));
  var margin = Math.max(1, Math.round(u / 2));
  canvas.width = bodyW + 2 * margin;
  canvas.height = Math.max(1, Math.round(height));
  var left = margin, top = Math.round((canvas.height - bodyH + nubH) / 2), r = 2 * u;

  // Outline and nub.
  ctx.strokeStyle = faint;
  ctx.lineWidth = line;
  ctx.beginPath();
  ctx.roundRect(left + line / 2, top + line / 2, bodyW - line, bodyH - line, r);
  ctx.stroke();
  ctx.fillStyle = faint;
  ctx.beginPath();
  ctx.roundRect(left + bodyW * 0.3, top - nubH, bodyW * 0.4, nubH, [nubH, nubH, 0, 0]);
  ctx.fill();

  // The charge, rising from the bottom; a sliver stays visible above 0 %.
  var inset = line + Math.max(1, Math.round(u));
  var innerW = bodyW - 2 * inset, innerH = bodyH - 2 * inset;
  var fillH = pct <= 0 ? 0 : Math.max(Math.round(u), innerH * pct / 100);
  ctx.fillStyle = solid;
  if (fillH > 0) {
    ctx.beginPath();
    ctx.roundRect(left + inset, top + inset + innerH - fillH, innerW, fillH, Math.max(0, r - inset));
    ctx.fill();
  }

  if (charging) {
    var cx = left + bodyW / 2, cy = top + bodyH / 2, s = bodyH * 0.62;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    var path = new Path2D();
    bolt.forEach((p) => path.lineTo(cx + p[0] * s, cy + p[1] * s));
    path.closePath();
    ctx.save();
    ctx.globalCompositeOperation = "destination-out";
    ctx.lineWidth = 2 * line;
    ctx.lineJoin = "round";
    ctx.stroke(path);
    ctx.fill(path);
    ctx.restore();
    ctx.fillStyle = fillH > innerH / 2 ? faint : solid;
    ctx.fill(path);
  }
  return canvas.toDataURL("image/png");
}
