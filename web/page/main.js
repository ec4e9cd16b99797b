// The page's entry. The controls are built and drawn at once from the
// control table; the bulk of the file, the WebAssembly and the embedded
// faces, follows the content as data blocks, read once the controls are
// painted: the program compiles in the background, and the faces take the
// place of the browser's own as soon as they are made.
import {byId} from './dom.js';
import {isPupilLink} from './links.js';
import * as page from './page.js';
import {load} from './program.js';
import * as pupil from './pupil.js';

// Opened at a pupil's link, the page is a pupil's (pupil.js).
const pupilPage = isPupilLink(location.hash);

function fromBase64(text) {
  const chars = atob(text);
  const bytes = new Uint8Array(chars.length);
  for (let i = 0; i < chars.length; ++i) bytes[i] = chars.charCodeAt(i);
  return bytes;
}

// The faces from their bytes; the captions are drawn in the browser's faces
// until then, never held back.
function addFaces() {
  return JSON.parse(byId('EmbeddedFaces').textContent).map(({family, woff2}) => {
    const face = new FontFace(family, fromBase64(woff2), {display: 'swap'});
    document.fonts.add(face);
    return face.load();
  });
}

// The program's bytes, unpacked by the browser (gzip, a third of their size).
function programBytes() {
  const packed = new Blob([fromBase64(byId('WebAssembly').textContent)]);
  return new Response(packed.stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}

async function run() {
  // The program compiles in the background while the faces are made.
  const program = typeof WebAssembly === 'object' && typeof DecompressionStream === 'function'
    ? programBytes().then(load) : Promise.reject(new Error('no WebAssembly, or too old a browser'));
  const faces = addFaces();
  try {
    await program;
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
}

// Once the controls are painted (at once where the page is not shown, as
// in a tab opened behind others) and the data blocks are parsed.
const painted = new Promise((resolve) => {
  if (document.visibilityState === 'hidden') resolve();
  else requestAnimationFrame(() => setTimeout(resolve));
});
const parsed = new Promise((resolve) => {
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', resolve);
  else resolve();
});

if (pupilPage) pupil.open();
else page.open();
Promise.all([painted, parsed]).then(run);
