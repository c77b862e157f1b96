(height, level, charging, low, lowPower, color, base) {
  // Ampora Ring: a square, so that trays can show it at their own size. The arc
  // runs clockwise from twelve o'clock over the level's share of the track and
  // the number sits inside, big enough to read at 24 px; while charging a bolt
  // takes the number's place and the arc alone tells the level.
  var size = Math.max(1, Math.round(height)), pct = Math.max(0, Math.min(100, level));
  var main = "rgb(" + color.join() + ")";
  var track = "rgba(" + base.slice(0, 3).join() + "," + base[3] + ")";
  var canvas = document.createElement("canvas"), ctx = canvas.getContext("2d");
  canvas.width = canvas.height = size;
  var c = size / 2, lw = Math.max(2, size * 0.13), r = c - lw / 2 - 0.5, top = -Math.PI / 2;

  // The track; dashed in low-power mode.
  ctx.lineWidth = lw;
  ctx.strokeStyle = track;
  if (lowPower) ctx.setLineDash([lw, lw * 0.6]);
  ctx.beginPath();
  ctx.arc(c, c, r, 0, 2 * Math.PI);
  ctx.stroke();
  ctx.setLineDash([]);
  if (pct > 0) {
    ctx.strokeStyle = main;
    ctx.beginPath();
    ctx.arc(c, c, r, top, top + 2 * Math.PI * pct / 100);
    ctx.stroke();
  }

  ctx.fillStyle = main;
  var inner = 2 * (r - lw / 2);
  if (charging) {
    var s = inner * 0.78;
    var bolt = [[0.12, -0.5], [-0.3, 0.08], [-0.02, 0.08], [-0.12, 0.5], [0.3, -0.08], [0.02, -0.08]];
    ctx.beginPath();
    bolt.forEach((p) => ctx.lineTo(c + p[0] * s, c + p[1] * s));
    ctx.closePath();
    ctx.fill();
  } else {
    // Digits over a third of the square tall; "100" is narrowed to fit the ring.
    ctx.font = "700 " + (size * 0.54).toFixed(2) + "px Helvetica Neue";
    ctx.textAlign = "center";
    var text = String(pct), m = ctx.measureText(text);
    if (pct < 100 || size >= 20) {
      ctx.fillText(text, c, c + (m.actualBoundingBoxAscent - m.actualBoundingBoxDescent) / 2, inner - Math.max(1, size / 16));
    } else {
      // Three digits cannot be read below 20 px: the closed ring and a dot say full.
      ctx.beginPath();
      ctx.arc(c, c, inner * 0.22, 0, 2 * Math.PI);
      ctx.fill();
    }
  }
  return canvas.toDataURL("image/png");
}
