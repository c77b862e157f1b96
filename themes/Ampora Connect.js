(height, level, charging, low, color) {
  // Ampora Connect: the percentage, then a battery whose fill follows the level.
  // Sizes are in status-bar points (u pixels each), so 2x and 3x screens match.
  var u = height / 20;
  var rgb = color.join();
  var solid = "rgb(" + rgb + ")", faint = "rgba(" + rgb + ",0.45)";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var font = "600 " + (12 * u).toFixed(2) + "px Helvetica Neue";
  ctx.font = font;
  var label = level + "%";
  var labelWidth = Math.ceil(ctx.measureText(label).width);
  var gap = Math.round(3 * u), line = Math.max(1, Math.round(u));
  var bodyW = Math.round(23 * u), bodyH = Math.round(11.5 * u), nubW = Math.max(2, Math.round(1.5 * u));
  var left = labelWidth + gap, top = Math.round((height - bodyH) / 2);

  canvas.width = left + bodyW + nubW + line;
  canvas.height = Math.round(height);
  ctx.font = font;
  ctx.fillStyle = solid;
  ctx.textBaseline = "middle";
  ctx.fillText(label, 0, height / 2);

  // Outline and nub.
  var r = 3.2 * u;
  ctx.lineWidth = line;
  ctx.strokeStyle = faint;
  ctx.beginPath();
  ctx.roundRect(left + line / 2, top + line / 2, bodyW - line, bodyH - line, r);
  ctx.stroke();
  ctx.fillStyle = faint;
  ctx.beginPath();
  ctx.roundRect(left + bodyW + line / 2, top + bodyH * 0.32, nubW, bodyH * 0.36, [0, nubW, nubW, 0]);
  ctx.fill();

  // The charge, inset from the outline; never invisible above 0 %.
  var inset = line + Math.max(1, Math.round(u));
  var innerW = bodyW - 2 * inset, innerH = bodyH - 2 * inset;
  var fillW = level <= 0 ? 0 : Math.max(Math.round(u), innerW * Math.min(level, 100) / 100);
  ctx.fillStyle = solid;
  if (fillW > 0) {
    ctx.beginPath();
    ctx.roundRect(left + inset, top + inset, fillW, innerH, Math.max(0, r - inset));
    ctx.fill();
  }

  // Charging: a bolt cut out of the battery and drawn again in the charge color.
  if (charging) {
    var cx = left + bodyW / 2, cy = top + bodyH / 2, s = bodyH * 0.78;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    var path = function () {
      ctx.beginPath();
      for (var i = 0; i < bolt.length; i++) ctx.lineTo(cx + bolt[i][0] * s, cy + bolt[i][1] * s);
      ctx.closePath();
    };
    ctx.save();
    ctx.globalCompositeOperation = "destination-out";
    ctx.lineWidth = 2 * line;
    ctx.lineJoin = "round";
    path();
    ctx.stroke();
    ctx.fill();
    ctx.restore();
    ctx.fillStyle = fillW > innerW / 2 ? faint : solid;
    path();
    ctx.fill();
  }

  // Low: a small mark under the percentage so the state reads without colour too.
  if (low && !charging) {
    ctx.fillStyle = solid;
    var inset = Math.max(1, Math.round(u));
    ctx.fillRect(inset, Math.round(height / 2 + 7 * u), labelWidth - inset, Math.max(1, Math.round(u)));
  }
  return canvas.toDataURL("image/png");
}
