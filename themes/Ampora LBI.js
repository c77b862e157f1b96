(height, level, charging, low, lowPower, color, base) {
  // Ampora LBI, the low-battery indicator: a state glyph, then a pill whose
  // track is the base colour and whose fill is the main colour.
  var u = height / 20;
  var main = "rgb(" + color.join() + ")";
  var track = "rgba(" + base.slice(0, 3).join() + "," + base[3] + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var glyph = Math.round(9 * u), gap = Math.round(2.5 * u);
  var pillW = Math.round(20 * u), pillH = Math.round(9 * u);
  var numberFont = "700 " + (8.5 * u).toFixed(2) + "px Helvetica Neue";
  // A pixel or more clear on the right, so a full pill does not run into the edge.
  canvas.width = glyph + gap + pillW + Math.max(1, Math.round(u / 2));
  canvas.height = Math.round(height);
  var cy = height / 2, top = Math.round(cy - pillH / 2), left = glyph + gap;

  // The glyph: a bolt while charging, a leaf-like ring in low-power mode, "!" when low.
  ctx.fillStyle = main;
  ctx.strokeStyle = main;
  var gx = glyph / 2;
  if (charging) {
    var s = glyph * 1.05, bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.beginPath();
    for (var i = 0; i < bolt.length; i++) ctx.lineTo(gx + bolt[i][0] * s, cy + bolt[i][1] * s);
    ctx.closePath();
    ctx.fill();
  } else if (lowPower) {
    ctx.lineWidth = Math.max(1, 1.4 * u);
    ctx.beginPath();
    ctx.arc(gx, cy, glyph * 0.36, 0, 2 * Math.PI);
    ctx.stroke();
    ctx.beginPath();
    ctx.arc(gx, cy, glyph * 0.14, 0, 2 * Math.PI);
    ctx.fill();
  } else if (low) {
    ctx.fillRect(gx - 0.9 * u, cy - glyph * 0.45, 1.8 * u, glyph * 0.58);
    ctx.beginPath();
    ctx.arc(gx, cy + glyph * 0.36, 1.1 * u, 0, 2 * Math.PI);
    ctx.fill();
  } else {
    ctx.beginPath();
    ctx.arc(gx, cy, glyph * 0.2, 0, 2 * Math.PI);
    ctx.fill();
  }

  // The pill: track, fill, and the level knocked out of whatever lies under it.
  ctx.fillStyle = track;
  ctx.beginPath();
  ctx.roundRect(left, top, pillW, pillH, pillH / 2);
  ctx.fill();
  var fillW = level <= 0 ? 0 : Math.max(pillH, pillW * Math.min(level, 100) / 100);
  if (fillW > 0) {
    ctx.save();
    ctx.beginPath();
    ctx.roundRect(left, top, pillW, pillH, pillH / 2);
    ctx.clip();
    ctx.fillStyle = main;
    ctx.beginPath();
    ctx.roundRect(left, top, fillW, pillH, pillH / 2);
    ctx.fill();
    ctx.restore();
  }
  // The level: knocked out of the fill, and in the main colour over the bare
  // track, so each digit stays legible whichever of the two lies under it.
  ctx.font = numberFont;
  ctx.textAlign = "center";
  ctx.textBaseline = "middle";
  var tx = left + pillW / 2, ty = cy + 0.3 * u, tw = pillW - pillH;
  ctx.save();
  ctx.beginPath();
  ctx.rect(left, 0, fillW, canvas.height);
  ctx.clip();
  // Opaque ink cuts the whole depth; the track's translucent colour would leave
  // most of the fill standing and the digit lost in it.
  ctx.globalCompositeOperation = "destination-out";
  ctx.fillStyle = "#000";
  ctx.fillText(String(level), tx, ty, tw);
  ctx.restore();
  ctx.save();
  ctx.beginPath();
  ctx.rect(left + fillW, 0, pillW - fillW, canvas.height);
  ctx.clip();
  ctx.fillStyle = main;
  ctx.fillText(String(level), tx, ty, tw);
  ctx.restore();
  return canvas.toDataURL("image/png");
}
