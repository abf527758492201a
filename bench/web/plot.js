'use strict';
// The frames each syllable was on screen, as a small SVG: one panel per browser, interval and
// load, the drill's flashes beside the bare page's, as shares of the flashes at each count of
// frames around the nominal one (marked; two where the frame period does not divide the half
// period). Counts further out are gathered at the panel's edges.

const SPREAD = 3;  // counts shown either side of the nominal one
const W = 230;
const H = 130;
const PAD = { left: 34, right: 8, top: 30, bottom: 26 };
const COLOURS = { drill: '#1f4e8c', bare: '#c0a040' };

const esc = (s) => String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;');

function panel(drill, bare, x0, y0) {
  const nominal = (drill || bare).frames.nominal;
  const slots = 2 * SPREAD + 1;
  const plotW = W - PAD.left - PAD.right;
  const plotH = H - PAD.top - PAD.bottom;
  const slotW = plotW / slots;
  const out = [];
  const r = drill || bare;
  out.push(`<text x="${x0 + PAD.left}" y="${y0 + 12}" font-size="11" font-weight="bold">${esc(r.browser)}</text>`,
    `<text x="${x0 + PAD.left}" y="${y0 + 24}" font-size="10">${r.interval} ms, ${r.loaded ? 'both cores busy' : 'idle'}</text>`);
  out.push(`<line x1="${x0 + PAD.left}" y1="${y0 + H - PAD.bottom}" x2="${x0 + W - PAD.right}" y2="${y0 + H - PAD.bottom}" stroke="#000"/>`);
  for (const share of [0, 0.5, 1]) {
    const y = y0 + H - PAD.bottom - share * plotH;
    out.push(`<text x="${x0 + PAD.left - 4}" y="${y + 3}" font-size="9" text-anchor="end">${share * 100}%</text>`);
    if (share) out.push(`<line x1="${x0 + PAD.left}" y1="${y}" x2="${x0 + W - PAD.right}" y2="${y}" stroke="#ddd"/>`);
  }
  for (let i = 0; i < slots; ++i) {
    const count = nominal - SPREAD + i;
    const label = i === 0 ? `≤${count}` : i === slots - 1 ? `≥${count}` : String(count);
    const x = x0 + PAD.left + i * slotW;
    if (r.frames.nominals.includes(count)) {
      out.push(`<rect x="${x}" y="${y0 + PAD.top}" width="${slotW}" height="${plotH}" fill="#eef3ea"/>`);
    }
    out.push(`<text x="${x + slotW / 2}" y="${y0 + H - PAD.bottom + 12}" font-size="9" text-anchor="middle">${label}</text>`);
    [drill, bare].forEach((run, k) => {
      if (!run) return;
      const counts = run.frames.counts;
      const n = counts.filter((c) => (i === 0 ? c <= count : i === slots - 1 ? c >= count : c === count)).length;
      const share = counts.length ? n / counts.length : 0;
      if (!share) return;
      const h = share * plotH;
      const bw = slotW * 0.4;
      out.push(`<rect x="${x + slotW * 0.1 + k * bw}" y="${y0 + H - PAD.bottom - h}" width="${bw}" height="${h}" fill="${COLOURS[run.page]}"/>`);
    });
  }
  out.push(`<text x="${x0 + PAD.left + plotW / 2}" y="${y0 + H - 2}" font-size="9" text-anchor="middle">frames on screen (nominal ${r.frames.nominals.join(' or ')})</text>`);
  return out.join('\n');
}

function plotFrames(rows) {
  const keys = [];
  for (const r of rows) {
    const key = `${r.browser}|${r.loaded}|${r.interval}`;
    if (!keys.includes(key)) keys.push(key);
  }
  const columns = 4;
  const lines = Math.ceil(keys.length / columns);
  const width = columns * W;
  const height = lines * H + 24;
  const parts = [`<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" font-family="sans-serif">`,
    `<rect width="${width}" height="${height}" fill="#fff"/>`];
  keys.forEach((key, i) => {
    const pick = (page) => rows.find((r) => `${r.browser}|${r.loaded}|${r.interval}` === key && r.page === page);
    parts.push(panel(pick('drill'), pick('bare'), (i % columns) * W, Math.floor(i / columns) * H));
  });
  const y = lines * H + 14;
  parts.push(`<rect x="${PAD.left}" y="${y - 9}" width="10" height="10" fill="${COLOURS.drill}"/>`,
    `<text x="${PAD.left + 14}" y="${y}" font-size="11">the drill</text>`,
    `<rect x="${PAD.left + 90}" y="${y - 9}" width="10" height="10" fill="${COLOURS.bare}"/>`,
    `<text x="${PAD.left + 104}" y="${y}" font-size="11">a bare page, plain 10 ms setTimeout chain</text>`,
    '</svg>');
  return parts.join('\n') + '\n';
}

module.exports = { plotFrames };
