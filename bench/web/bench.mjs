// The browser edition's speed in Chromium, Firefox and WebKit, served from
// localhost as a school's web server serves it, in one run: the page's first
// contentful paint and its controls working (html[data-ready]) against the
// first paint of an almost empty page from the same server, a Preview of the
// heaviest sheet, a class set laid out for printing (Chromium), the same
// first paint and start of the site's page and, as the floor under any
// start, of the almost empty page compiling the program and nothing else;
// the file's bytes by part and the site's first load by file. Medians of
// several rounds, the two pages loaded in turn. Then, in Chromium, the
// class's loop: the result's code shown after 採点, 40 pupils' codes pasted
// into 集計's table, a pasted megabyte, and one 640 x 480 camera frame
// decoded. Run by bench/web/compare after scripts/web.
import {readdirSync, readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {extname, join} from 'node:path';
import {engines, launch, openPage, pageFile, siteFolder, siteTypes} from '../../tests/web/engines.mjs';

const roundCount = Number(process.env.ROUNDS ?? 9);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The page, and a page with one line of text and nothing else.
const file = readFileSync(pageFile);
const empty = '<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8"><title>Zentavo</title></head>'
  + '<body><p>Zentavo</p></body></html>';
// The floor of any start: the almost empty page, in the site's folder,
// fetching the site's program and compiling it, and nothing else; its mark
// once compiled. No page whose controls the program runs can work sooner.
const program = readdirSync(siteFolder).find((name) => /^zentavo-page-\w+\.wasm\.gz$/.test(name));
const programOnly = empty.replace('</body>', `<main id="Form1"></main><script>
fetch('${program}').then((got) => WebAssembly.compileStreaming(new Response(
  got.body.pipeThrough(new DecompressionStream('gzip')), {headers: {'Content-Type': 'application/wasm'}})))
  .then(() => { performance.mark('zentavo-ready'); document.documentElement.dataset.ready = 'true'; });
</script></body>`);
const server = createServer(({url}, response) => {
  const name = url.slice(1).split('#')[0];
  const inSite = name.startsWith('site/') && (name.slice(5) || 'index.html');
  const body = name === 'empty' ? empty : name === 'zentavo.html' ? file : name === 'site/program-only' ? programOnly
    : inSite && readdirSync(siteFolder).includes(inSite) ? readFileSync(join(siteFolder, inSite)) : null;
  if (body === null) response.writeHead(404).end();
  else response.writeHead(200, {'content-type': siteTypes[extname(inSite || name)] ?? siteTypes['.html'], 'cache-control': 'no-store'})
    .end(body);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;
// The site in a folder of its own, its worker's scope.
const site = `${origin}/site/`;

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
// Rounds of the almost empty page and a page at `url` in turn, in a browser
// of their own (a page of the site, with its worker, slows what Firefox
// loads next); `more` times more of the page, once it works.
async function rounds(engine, url, more = async () => {}) {
  const browser = await launch(engine);
  const times = {empty: [], paint: [], ready: []};
  try {
    for (let round = 0; round < roundCount; ++round) {
      const blank = await openPage(browser, {url: `${origin}/empty`, width: 1366, height: 768, ready: false});
      times.empty.push((await timesOf(blank))[0]);
      await blank.close();
      const page = await openPage(browser, {url: `${url}#seed=${round}`, width: 1366, height: 768, ready: false});
      const [paint, ready] = await timesOf(page);
      times.paint.push(paint);
      times.ready.push(ready);
      await page.waitForSelector('html[data-ready]');
      await more(page, times);
      await page.close();
    }
  } finally {
    await browser.close();
  }
  return times;
}

function paintLines(what, times) {
  const [empty, paint, ready] = [times.empty, times.paint, times.ready].map(median);
  console.log(`  ${what}: an almost empty page's first paint ${ms(empty)}`);
  console.log(`    its first paint                    ${ms(paint)}  (${(paint / empty).toFixed(2)}×, +${ms(paint - empty)})`);
  console.log(`    its controls working               ${ms(ready)}  (${(ready / empty).toFixed(2)}×)`);
}

for (const engine of engines.filter(() => !process.env.CLASS_ONLY)) {
  const times = await rounds(engine, `${origin}/zentavo.html`, async (page, times) => {
    await heaviestSheet(page);
    (times.preview ??= []).push(await previewTime(page));
    if (engine === 'chromium') {
      await page.emulateMediaType('print');
      (times.set ??= []).push(await setTime(page));
    }
  });
  console.log(`${engine}, medians of ${roundCount} rounds at 1366 × 768:`);
  paintLines('zentavo.html', times);
  // The site's page, its data beside it, kept by its worker after the first round.
  paintLines("the site's page", await rounds(engine, `${site}index.html`));
  paintLines('the program alone, compiled', await rounds(engine, `${site}program-only`));
  console.log(`  a Preview, 80 numbered problems      ${ms(median(times.preview))}`);
  if (times.set) console.log(`  30 sheets with answers laid out      ${ms(median(times.set))}`);
}
// ---- The class's loop, in Chromium.

// A pupil at the class link: every field answered 1, then 採点; the time from
// the press to the code laid out, and the code.
async function pupilCode(browser, link, number) {
  const pupil = await openPage(browser, {url: link, width: 820, height: 1180});
  await pupil.select('#PupilStartNumber', String(number));
  await pupil.click('#PupilStartBtn');
  await pupil.waitForSelector('#SolveView:not([hidden])');
  const timed = await pupil.evaluate(async () => {
    for (const field of document.querySelectorAll('#SolveProblems input')) field.value = '1';
    // Laid out and painted before 採点, as what a pupil types is.
    await new Promise((painted) => requestAnimationFrame(() => setTimeout(painted)));
    const started = performance.now();
    document.getElementById('MarkBtn').click();
    void document.getElementById('ResultCode').getBoundingClientRect();
    return [performance.now() - started, document.getElementById('ResultCode').textContent];
  });
  await pupil.waitForSelector('#ResultQr[data-text]');  // drawn once the marks are painted
  timed.push(...await pupil.$eval('#ResultQr', (qr) => [qr.querySelector('path').getAttribute('d'), qr.viewBox.baseVal.width]));
  await pupil.close();
  return timed;
}

// Text pasted into 集計 and added: the time to its table laid out.
const pasted = (page, text) => page.evaluate((text) => {
  document.getElementById('CollectInput').value = text;
  const started = performance.now();
  document.getElementById('CollectAddBtn').click();
  void document.querySelector('#ClassTable tbody').getBoundingClientRect();
  return performance.now() - started;
}, text);

if (engines.includes('chromium')) {
  const browser = await launch('chromium');
  try {
    const teacher = await openPage(browser, {url: `${site}#seed=24`, width: 1366, height: 900});
    for (let dan = 1; dan <= 9; ++dan) await teacher.click(`#D${dan}`);
    await teacher.click('#QNumCheck input[value="11"]');  // 80 problems
    await teacher.click('#PreviewBtn');
    const link = await teacher.$eval('#ClassLink', (anchor) => anchor.href);
    const shown = [];
    const codes = [];
    let qr = null;
    for (let pupil = 1; pupil <= 40; ++pupil) {
      const [time, code, path, size] = await pupilCode(browser, link, pupil);
      shown.push(time);
      codes.push(code);
      qr ??= {path, size};
    }
    const classTimes = [];
    for (let round = 0; round < roundCount; ++round) {
      const page = await openPage(browser, {url: `${site}#seed=${round}`, width: 1366, height: 900});
      await page.click('#CollectBtn');
      await page.waitForSelector('#CollectView:not([hidden])');
      classTimes.push(await pasted(page, codes.join('\n')));
      await page.close();
    }
    // A megabyte: 10,000 lines, a code in every fourth, the rest chat.
    const megabyte = Array.from({length: 10_000}, (_, k) => (k % 4 ? `${'あいうえお'.repeat(6)} ${k}` : codes[k % 40]))
      .join('\n');
    const bulk = await openPage(browser, {url: `${site}#seed=1`, width: 1366, height: 900});
    await bulk.click('#CollectBtn');
    await bulk.waitForSelector('#CollectView:not([hidden])');
    const megabyteTime = await pasted(bulk, megabyte);
    // One camera frame: a pupil's QR code in a 640 x 480 frame, decoded.
    const frames = await bulk.evaluate(async (code, {path, size}) => {
      const canvas = Object.assign(document.createElement('canvas'), {width: 640, height: 480});
      const context = canvas.getContext('2d');
      context.fillStyle = '#fff';
      context.fillRect(0, 0, 640, 480);
      context.translate((640 - 6 * size) / 2, (480 - 6 * size) / 2);
      context.scale(6, 6);
      context.fillStyle = '#000';
      context.fill(new Path2D(path));
      const frame = context.getImageData(0, 0, 640, 480);
      const {readQr} = await import(new URL('qr-reader.js', location.href).href);
      const times = [];
      for (let round = 0; round < 10; ++round) {
        const started = performance.now();
        if ((await readQr(frame)) !== code) throw new Error('the frame was not read');
        times.push(performance.now() - started);
      }
      return times.slice(1);  // the first compiles the decoder
    }, codes[0], qr);
    console.log(`chromium, the class's loop (80 problems a sheet, ${new Blob([megabyte]).size.toLocaleString('en')} bytes pasted):`);
    console.log(`  the code shown after 採点              ${ms(median(shown))}`);
    console.log(`  40 codes pasted, the table laid out    ${ms(median(classTimes))}`);
    console.log(`  a megabyte pasted (2,500 codes)        ${ms(megabyteTime)}`);
    console.log(`  a 640 × 480 frame decoded              ${ms(median(frames))}`);
  } finally {
    await browser.close();
  }
}
server.close();

// The file's bytes by part.
const text = file.toString('utf8');
const bytes = (pattern) => Buffer.byteLength(pattern.exec(text)?.[1] ?? '');
const parts = {
  WebAssembly: bytes(/<script type="application\/octet-stream" id="WebAssembly">([^<]*)</),
  faces: bytes(/<script type="application\/json" id="EmbeddedFaces">([^<]*)</),
  script: bytes(/<script type="text\/plain" id="PageScript">([\s\S]*?)<\/script>/),
  styles: bytes(/<style>([\s\S]*?)<\/style>/),
  'control table and start state': bytes(/<script type="application\/json" id="PageStart">([\s\S]*?)<\/script>/),
  "faces' licence": bytes(/<pre id="LicenceText">([\s\S]*?)<\/pre>/),
};
parts.rest = file.length - Object.values(parts).reduce((sum, part) => sum + part, 0);
console.log(`zentavo.html: ${file.length.toLocaleString('en')} bytes`);
for (const [part, size] of Object.entries(parts)) console.log(`  ${part.padEnd(30)} ${size.toLocaleString('en').padStart(7)}`);

// The site's first load: its page and the files it fetches as it starts.
const firstLoad = readdirSync(siteFolder).filter((name) => /^index\.html$|^zentavo-.*-\w+\.(wasm\.gz|woff2)$/.test(name));
const sizes = firstLoad.map((name) => [name, readFileSync(join(siteFolder, name)).length]);
console.log(`the site's first load: ${sizes.reduce((sum, [, size]) => sum + size, 0).toLocaleString('en')} bytes`);
for (const [name, size] of sizes) console.log(`  ${name.padEnd(36)} ${size.toLocaleString('en').padStart(7)}`);
