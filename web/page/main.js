// The page's entry, in the order that shows it soonest. The window's caption
// is there at once, and the browser paints it as it would an empty page's
// text. The WebAssembly and the embedded faces follow the content as data
// blocks. Once the caption is painted, the program begins to unpack and
// compile in the background, the faces are made from their bytes (ready at
// once, so that the controls are laid out in them from the start, not in the
// browser's faces searched first) and the controls are built from the
// control table; they work once the program runs. Each step's worth is
// measured by bench/web.
import {byId, pageStart} from './dom.js';
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
// After the next paint (at once where the page is not shown, as in a tab
// opened behind others, which paints nothing).
const painted = () => new Promise((resolve) => {
  if (document.visibilityState === 'hidden') resolve();
  else requestAnimationFrame(() => setTimeout(resolve));
});

document.title = byId('Caption').textContent = pageStart().table.title;
let program = null;
let faces = null;
const built = painted().then(() => {
  if (document.readyState !== 'loading') {
    program = compiled();
    faces = addFaces();
  }
  if (pupilPage) pupil.open();
  else page.open();
});

Promise.all([built, parsed]).then(async () => {
  program ??= compiled();
  faces ??= addFaces();
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
