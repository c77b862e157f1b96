(height, level, charging, low, lowPower, color, base) {
  // Ampora Gauge: five bars of twenty percent each, lit in the main colour over
  // the base colour; the bar holding the level is lit from the bottom up to its
  // share. Low-power mode outlines the unlit bars, a bolt follows while charging.
  var u = height / 20, pct = Math.max(0, Math.min(100, level));
  var main = "rgb(" + color.join() + ")";
  var track = "rgba(" + base.slice(0, 3).join() + "," + base[3] + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");

  var barW = Math.round(3.5 * u), barH = Math.round(13 * u), step = barW + Math.max(1, Math.round(1.5 * u));
  var gap = Math.round(2.5 * u), boltS = barH * 1.15, boltW = Math.ceil(0.6 * boltS), margin = Math.max(1, Math.round(u / 2));
  canvas.width = margin + 4 * step + barW + (charging ? gap + boltW : 0) + margin;
  canvas.height = Math.max(1, Math.round(height));
  var top = Math.round((canvas.height - barH) / 2), cy = canvas.height / 2, r = Math.min(barW / 2, 1.2 * u);
  var lw = Math.max(1, Math.round(u));

  for (var i = 0; i < 5; i++) {
    var x = margin + i * step, share = Math.max(0, Math.min(1, (pct - 20 * i) / 20));
    ctx.fillStyle = track;
    ctx.beginPath();
    ctx.roundRect(x, top, barW, barH, r);
    ctx.fill();
    if (share > 0) {
      ctx.save();
      ctx.clip();
      ctx.fillStyle = main;
      ctx.fillRect(x, top + barH * (1 - share), barW, barH * share);
      ctx.restore();
    } else if (lowPower) {
      ctx.strokeStyle = main;
      ctx.lineWidth = lw;
      ctx.beginPath();
      ctx.roundRect(x + lw / 2, top + lw / 2, barW - lw, barH - lw, Math.max(0, r - lw / 2));
      ctx.stroke();
    }
  }

  if (charging) {
    var s = boltS, bx = margin + 4 * step + barW + gap + boltW / 2;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.fillStyle = main;
    ctx.beginPath();
    bolt.forEach((p) => ctx.lineTo(bx + p[0] * s, cy + p[1] * s));
    ctx.closePath();
    ctx.fill();
  }
  return canvas.toDataURL("image/png");
}
