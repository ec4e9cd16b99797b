// The page's entry, in the order that shows it soonest. The window's caption
// is in the markup, and the browser paints it as it would an empty page's
// text. The WebAssembly and the embedded faces follow the content as data
// blocks, and this script comes last, held as data (PageScript) until the
// caption has painted, then run by eval from page.html (at once where the
// page is not shown, as in a tab opened behind others; as a script element
// added, Firefox laid it out before its first paint). Then the program
// begins to unpack and compile in the background, the faces are made from
// their bytes (ready at once, so that the controls are laid out in them from
// the start, not in the browser's faces searched first) and the controls
// are built from the control table; they work once the program runs. What
// each step bought is measured by bench/web (see the README).
import {afterPaint, byId} from './dom.js';
import {isPupilLink} from './links.js';
import * as page from './page.js';
import {compile, start} from './program.js';
import * as pupil from './pupil.js';

// Opened at a pupil's link, the page is a pupil's (pupil.js).
const pupilPage = isPupilLink(location.hash);

function fromBase64(text) {
  const chars = atob(text);
  const bytes = new Uint8Array(chars.length);
  for (let i = 0; i < chars.length; ++i) bytes[i] = chars.charCodeAt(i);
  return bytes;
}

// The faces from their bytes.
function addFaces() {
  return JSON.parse(byId('EmbeddedFaces').textContent).map(({family, woff2}) => {
    const face = new FontFace(family, fromBase64(woff2), {display: 'swap'});
    document.fonts.add(face);
    return face.load();
  });
}

// The program's bytes, unpacked by the browser (gzip, a third of their
// size), and compiled.
function compiled() {
  if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function')
    return Promise.reject(new Error('no WebAssembly, or too old a browser'));
  const packed = new Response(fromBase64(byId('WebAssembly').textContent)).body;
  return new Response(packed.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer().then(compile);
}

const parsed = new Promise((resolve) => {
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', resolve);
  else resolve();
});

// Once the document is parsed and its caption painted (begun before the
// first paint, the build held that back by some 20 ms; Firefox may not yet
// have painted at the frame this script waited for).
parsed.then(() => new Promise(afterPaint)).then(async () => {
  const program = compiled();
  const faces = addFaces();
  if (pupilPage) pupil.open();
  else page.open();
  try {
    await start(await program);
  } catch (error) {
    console.error(error);
    page.fail();
    return;
  }
  // The sheets are drawn in the faces they are measured in.
  await Promise.allSettled(faces);
  if (pupilPage) pupil.start(page.showMessage);
  else page.start();
  page.ready();
});
