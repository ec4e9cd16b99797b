// QR codes of links and results, drawn as SVG: lean-qr's small encoder (npm,
// locked), its dark modules as runs along each row, in a quiet zone of four.
import {generate} from 'lean-qr/nano';
import {afterPaint, svgElement} from './dom.js';

// An empty code with its id, an image to screen readers (named by the caller).
export function qrCode(id) {
  const svg = svgElement('svg');
  svg.id = id;
  svg.setAttribute('role', 'img');
  svg.append(svgElement('path'));
  return svg;
}

// Drawn once the page has painted what changed with it: a code takes some
// milliseconds to make, which a Preview or a mark need not wait for. A later
// call for the same code before then draws only the last text.
const pending = new Map();
export function drawQr(svg, text) {
  const first = !pending.size;
  pending.set(svg, text);
  if (first) afterPaint(drawPending);
}

function drawPending() {
  for (const [svg, text] of pending) drawNow(svg, text);
  pending.clear();
}

function drawNow(svg, text) {
  const code = generate(text);
  let path = '';
  for (let y = 0; y < code.size; ++y) {
    for (let x = 0; x < code.size; ++x) {
      if (!code.get(x, y)) continue;
      const start = x;
      while (x + 1 < code.size && code.get(x + 1, y)) ++x;
      path += `M${start + 4} ${y + 4}h${x - start + 1}v1h${start - x - 1}z`;
    }
  }
  svg.setAttribute('viewBox', `0 0 ${code.size + 8} ${code.size + 8}`);
  svg.firstElementChild.setAttribute('d', path);
  svg.dataset.text = text;  // what it holds, now drawn
}
