(height, level, charging, low, color) {
  // Ampora Dots: five dots, one for every twenty percent begun, lit in the
  // main colour, the rest faint. While charging a small bolt closes the row.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var rgb = color.join(), solid = "rgb(" + rgb + ")", faint = "rgba(" + rgb + ",0.3)";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var d = Math.max(2, Math.round(4.5 * u)), step = d + Math.max(1, Math.round(2 * u));
  var boltW = Math.round(6 * u), margin = Math.max(1, Math.round(u / 2));
  canvas.width = margin + 4 * step + d + (charging ? step - d + boltW : 0) + margin;
  canvas.height = Math.max(1, Math.round(height));
  var cy = canvas.height / 2, lit = Math.ceil(pct / 20);

  for (var i = 0; i < 5; i++) {
    ctx.fillStyle = i < lit ? solid : faint;
    ctx.beginPath();
    ctx.arc(margin + i * step + d / 2, cy, d / 2, 0, 2 * Math.PI);
    ctx.fill();
  }
  if (charging) {
    var s = d * 2.2, bx = margin + 5 * step + boltW / 2;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.fillStyle = solid;
    ctx.beginPath();
    bolt.forEach((p) => ctx.lineTo(bx + p[0] * s, cy + p[1] * s));
    ctx.closePath();
    ctx.fill();
  }
  return canvas.toDataURL("image/png");
}
