// The page's entry, in the order that shows it soonest. The window's caption
// is in the markup, and the browser paints it as it would an empty page's
// text. The WebAssembly and the embedded faces follow the content as data
// blocks (on the web site, files beside the page: web/tools/site.py), and
// this script comes last, held as data (PageScript) until the caption has
// painted, then run by eval from page.html (at once where the
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

// A file of the web site, whose page holds its data as files beside it
// (fetched once the caption has painted: preloaded from the head, or fetched
// as the document ends, they put the first paint off by 10 to 30 ms in
// Chromium and Firefox).
async function fetched(src) {
  // Read from the worker's cache by the page itself where it is there (the
  // names are the bytes' own): sooner than through the worker in Chromium,
  // Firefox and WebKit.
  const response = (await self.caches?.match(src).catch(() => undefined)) ?? await fetch(src);
  if (!response.ok) throw new Error(`${src}: ${response.status} ${response.statusText}`);
  return new Uint8Array(await response.arrayBuffer());
}

// The faces from their bytes, in the page or beside it; none where those
// beside it cannot be had (the browser's faces stand in).
async function addFaces() {
  const faces = JSON.parse(byId('EmbeddedFaces').textContent);
  const bytes = await Promise.all(faces.map(({woff2, src}) => (woff2 ? fromBase64(woff2) : fetched(src))))
    .catch(() => []);
  return bytes.map((data, i) => {
    const face = new FontFace(faces[i].family, data, {display: 'swap'});
    document.fonts.add(face);
    return face.load();
  });
}

// The program's bytes, unpacked by the browser (gzip, a third of their
// size; unless a web server sent them as gzip to be unpacked on the way),
// and compiled.
async function compiled() {
  if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function')
    throw new Error('no WebAssembly, or too old a browser');
  const {textContent, dataset: {src}} = byId('WebAssembly');
  const bytes = src ? await fetched(src) : fromBase64(textContent);
  if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return compile(bytes);
  const unpacked = new Response(bytes).body.pipeThrough(new DecompressionStream('gzip'));
  return compile(await new Response(unpacked).arrayBuffer());
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
  program.catch(() => {});  // told below
  // Made before the controls are laid out, so that they are laid out in them.
  const faces = await addFaces();
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
