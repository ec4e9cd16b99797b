// The browser edition's speed in Chromium, Firefox and WebKit, served from
// localhost as a school's web server serves it, in one run: the page's first
// contentful paint and its controls working (html[data-ready]) against the
// first paint of an almost empty page from the same server, a Preview of the
// heaviest sheet, a class set laid out for printing (Chromium), and the
// file's bytes by part. Medians of several rounds, the two pages loaded in
// turn. Run by bench/web/compare after scripts/web.
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {engines, launch, openPage, pageFile} from '../../tests/web/engines.mjs';

const rounds = Number(process.env.ROUNDS ?? 9);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The page, and a page with one line of text and nothing else.
const file = readFileSync(pageFile);
const empty = '<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8"><title>Zentavo</title></head>'
  + '<body><p>Zentavo</p></body></html>';
const server = createServer((request, response) => {
  const body = request.url.startsWith('/empty') ? empty : file;
  response.writeHead(200, {'content-type': 'text/html; charset=utf-8', 'cache-control': 'no-store'}).end(body);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

// First contentful paint, and the page's own mark where it has one, from
// the start of navigation.
const timesOf = (page) => page.evaluate(() => new Promise((resolve) => {
  new PerformanceObserver((list, observer) => {
    const paint = list.getEntriesByName('first-contentful-paint')[0];
    if (!paint) return;
    observer.disconnect();
    const waitReady = () => {
      const ready = performance.getEntriesByName('zentavo-ready')[0];
      if (ready || !document.getElementById('Form1')) resolve([paint.startTime, ready?.startTime ?? null]);
      else setTimeout(waitReady, 5);
    };
    waitReady();
  }).observe({type: 'paint', buffered: true});
}));

// The heaviest sheet: every dan, 80 numbered shuffled problems.
async function heaviestSheet(page) {
  for (let dan = 1; dan <= 9; ++dan) await page.click(`#D${dan}`);
  for (const [group, item] of [['QNumCheck', 11], ['RandomCheck', 1], ['rgNum', 1]])
    await page.click(`#${group} input[value="${item}"]`);
}

const previewTime = (page) => page.evaluate(() => {
  const started = performance.now();
  document.getElementById('PreviewBtn').click();
  void document.querySelector('#PaintBox1 text:last-of-type').getBBox();
  return performance.now() - started;
});

const setTime = (page) => page.evaluate(() => {
  window.print = () => {};
  document.getElementById('sheets').value = '30';
  const started = performance.now();
  document.getElementById('PrintAnsBtn').click();
  void document.querySelector('#PrintPages > svg:last-child text:last-of-type').getBBox();
  return performance.now() - started;
});

const ms = (value) => `${value.toFixed(1)} ms`;
for (const engine of engines) {
  const browser = await launch(engine);
  const times = {empty: [], paint: [], ready: [], preview: [], set: []};
  try {
    for (let round = 0; round < rounds; ++round) {
      const blank = await openPage(browser, {url: `${origin}/empty`, width: 1366, height: 768, ready: false});
      times.empty.push((await timesOf(blank))[0]);
      await blank.close();
      const page = await openPage(browser, {url: `${origin}/zentavo.html#seed=${round}`, width: 1366, height: 768,
                                            ready: false});
      const [paint, ready] = await timesOf(page);
      times.paint.push(paint);
      times.ready.push(ready);
      await page.waitForSelector('html[data-ready]');
      await heaviestSheet(page);
      times.preview.push(await previewTime(page));
      if (engine === 'chromium') {
        await page.emulateMediaType('print');
        times.set.push(await setTime(page));
      }
      await page.close();
    }
  } finally {
    await browser.close();
  }
  const [empty, paint, ready] = [times.empty, times.paint, times.ready].map(median);
  console.log(`${engine}, medians of ${rounds} rounds at 1366 × 768:`);
  console.log(`  an almost empty page's first paint   ${ms(empty)}`);
  console.log(`  the page's first paint               ${ms(paint)}  (${(paint / empty).toFixed(2)}×, +${ms(paint - empty)})`);
  console.log(`  its controls working                 ${ms(ready)}  (${(ready / empty).toFixed(2)}×)`);
  console.log(`  a Preview, 80 numbered problems      ${ms(median(times.preview))}`);
  if (times.set.length) console.log(`  30 sheets with answers laid out      ${ms(median(times.set))}`);
}
server.close();

// The file's bytes by part.
const text = file.toString('utf8');
const bytes = (pattern) => Buffer.byteLength(pattern.exec(text)?.[1] ?? '');
const parts = {
  WebAssembly: bytes(/<script type="application\/octet-stream" id="WebAssembly">([^<]*)</),
  faces: bytes(/<script type="application\/json" id="EmbeddedFaces">([^<]*)</),
  script: bytes(/<script>([\s\S]*?)<\/script>/),
  styles: bytes(/<style>([\s\S]*?)<\/style>/),
  'control table and start state': bytes(/<script type="application\/json" id="PageStart">([\s\S]*?)<\/script>/),
  "faces' licence": bytes(/<pre id="LicenceText">([\s\S]*?)<\/pre>/),
};
parts.rest = file.length - Object.values(parts).reduce((sum, part) => sum + part, 0);
console.log(`zentavo.html: ${file.length.toLocaleString('en')} bytes`);
for (const [part, size] of Object.entries(parts)) console.log(`  ${part.padEnd(30)} ${size.toLocaleString('en').padStart(7)}`);
