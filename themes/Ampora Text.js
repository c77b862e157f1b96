(height, level, charging, low, color) {
  // Ampora Text: the percentage and nothing else, in the main colour; a bolt
  // before it while charging. The canvas is as wide as the text needs.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var solid = "rgb(" + color.join() + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");
  var font = "600 " + (13 * u).toFixed(2) + "px Helvetica Neue", text = pct + "%";

  ctx.font = font;
  var m = ctx.measureText(text);
  var margin = Math.max(1, Math.round(u / 2)), boltW = charging ? Math.round(10 * u) : 0;
  var inkLeft = Math.ceil(m.actualBoundingBoxLeft), inkW = Math.ceil(m.actualBoundingBoxLeft + m.actualBoundingBoxRight);
  canvas.width = margin + boltW + inkW + margin;
  canvas.height = Math.max(1, Math.round(height));
  var cy = canvas.height / 2;

  ctx.font = font;
  ctx.fillStyle = solid;
  ctx.fillText(text, margin + boltW + inkLeft, cy + (m.actualBoundingBoxAscent - m.actualBoundingBoxDescent) / 2);
  if (charging) {
    var s = 12 * u, bx = margin + 4 * u;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.beginPath();
    bolt.forEach((p) => ctx.lineTo(bx + p[0] * s, cy + p[1] * s));
    ctx.closePath();
    ctx.fill();
  }
  return canvas.toDataURL("image/png");
}
