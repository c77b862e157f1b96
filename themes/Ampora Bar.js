(height, level, charging, low, lowPower, color, base) {
  // Ampora Bar: a plain bar holding the level. The digits are cut out of the
  // fill and drawn in the main colour over the bare track, so every digit reads
  // whichever of the two lies under it. A bolt follows the bar while charging.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var main = "rgb(" + color.join() + ")";
  var track = "rgba(" + base.slice(0, 3).join() + "," + base[3] + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var barW = Math.round(30 * u), barH = Math.round(13 * u), r = Math.round(3.5 * u);
  var gap = Math.round(2 * u), boltS = barH * 1.15, boltW = Math.ceil(0.6 * boltS), margin = Math.max(1, Math.round(u / 2));
  canvas.width = margin + barW + (charging ? gap + boltW : 0) + margin;
  canvas.height = Math.max(1, Math.round(height));
  var left = margin, top = Math.round((canvas.height - barH) / 2), cy = canvas.height / 2;
  var bar = () => { ctx.beginPath(); ctx.roundRect(left, top, barW, barH, r); };

  ctx.fillStyle = track;
  bar();
  ctx.fill();
  var fillW = pct <= 0 ? 0 : Math.max(Math.round(2 * u), barW * pct / 100);
  ctx.save();
  bar();
  ctx.clip();
  ctx.fillStyle = main;
  ctx.fillRect(left, top, fillW, barH);
  ctx.restore();
  // Low-power mode rings the bar in the main colour.
  if (lowPower) {
    var lw = Math.max(1, Math.round(u));
    ctx.strokeStyle = main;
    ctx.lineWidth = lw;
    ctx.beginPath();
    ctx.roundRect(left + lw / 2, top + lw / 2, barW - lw, barH - lw, r - lw / 2);
    ctx.stroke();
  }

  // The level: an opaque knock-out where the fill is, the main colour beyond it.
  ctx.font = "700 " + (10 * u).toFixed(2) + "px Helvetica Neue";
  ctx.textAlign = "center";
  var text = String(pct), m = ctx.measureText(text);
  var tx = left + barW / 2, ty = cy + (m.actualBoundingBoxAscent - m.actualBoundingBoxDescent) / 2;
  var tw = barW - 2 * r;
  ctx.save();
  ctx.beginPath();
  ctx.rect(left, 0, fillW, canvas.height);
  ctx.clip();
  ctx.globalCompositeOperation = "destination-out";
  ctx.fillStyle = "#000";
  ctx.fillText(text, tx, ty, tw);
  ctx.restore();
  ctx.save();
  ctx.beginPath();
  ctx.rect(left + fillW, 0, canvas.width, canvas.height);
  ctx.clip();
  ctx.fillStyle = main;
  ctx.fillText(text, tx, ty, tw);
  ctx.restore();

  if (charging) {
    var s = boltS, bx = left + barW + gap + boltW / 2;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.fillStyle = main;
    ctx.beginPath();
    bolt.forEach((p) => ctx.lineTo(bx + p[0] * s, cy + p[1] * s));
    ctx.closePath();
    ctx.fill();
  }
  return canvas.toDataURL("image/png");
}
