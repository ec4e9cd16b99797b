// The sheet by link, in each engine: a link opens zentavo-sheets' sheet k to
// answer, no answer shown; the address follows the controls, a pasted one
// applies or is told; a served page gives each pupil's link as a QR code;
// results kept on the device, or not where the store fails; axe-core.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {after, test} from 'node:test';
import {forEngines, openPage, pageFile} from './engines.mjs';
import {drawCalls, nativePages, nativeTexts, shownOptions} from './native.mjs';

after(() => drawCalls.close());
const jsQR = readFileSync(new URL('./node_modules/jsqr/dist/jsQR.js', import.meta.url), 'utf8');
const axeSource = readFileSync(new URL('./node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');

// Links and the options they set, in SheetOptions' order (DanMask first).
const links = [
  {address: 'seed=31&dans=3,7&count=18&sheet=1', options: '136 -1 0 2 0 0 0 0 0'},
  {address: 'seed=4294967295&dans=1,2,3,4,5,6,7,8,9&count=80&shuffle&blank=mixed&numbers&sheet=40',
   options: '1022 -1 0 11 1 0 0 1 3'},
  {address: 'seed=0&dans=6,7,8&count=30&emphasis=8&zero&times=100&sheet=2', options: '448 8 1 5 0 2 0 0 0'},
  {address: 'seed=7&dans=5&count=20&two-digit=7&numbers&sheet=3', options: '32 -1 0 3 0 0 7 1 0'},
];

// The answering view's questions, a box as the sheet's [ ].
const questions = (page) => page.$$eval('#SolveProblems > li:not([hidden])', (items) => items.map((item) =>
  [...item.querySelectorAll('.number, .text, .box')].map((part) => part.matches('input') ? '[ ]' : part.textContent)
    .join('')));

// Every text the screen shows, each text node apart.
const shownTexts = (page) => page.evaluate(() => {
  const texts = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode())
    if (node.parentElement.checkVisibility() && node.data.trim()) texts.push(node.data);
  return texts;
});

// axe-core's WCAG 2.2 AA and best-practice faults in the parts named.
const faults = (page, ...parts) => page.evaluate(async (axeSource, parts) => {
  if (!window.axe) (0, eval)(axeSource);
  const found = await axe.run({include: parts.map((part) => [part])}, {
    runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']}});
  return found.violations.map(({id, nodes}) => `${id}: ${nodes.map(({target}) => target.join(' ')).join(', ')}`);
}, axeSource, parts);

const hashOf = (page) => page.evaluate(() => location.hash);
const table = (page) => page.evaluate(() => JSON.parse(document.getElementById('PageStart').textContent).table);

// 採点 with the fields as they are, answering its question where asked.
async function mark(page) {
  await page.click('#MarkBtn');
  if (await page.$eval('#SolveConfirm', (box) => box.open)) await page.click('#MarkAnyway');
  await page.waitForSelector('#Result:not(:empty)');
}

// The page over http on 127.0.0.1, as a school's web server gives it.
async function serve() {
  const server = createServer((request, response) =>
    response.writeHead(200, {'content-type': 'text/html; charset=utf-8'}).end(readFileSync(pageFile)));
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {url: `http://127.0.0.1:${server.address().port}/zentavo.html`, stop: () => server.close()};
}

// The QR code drawn, 8 pixels a module, read back by a decoder.
const readQr = (page) => page.evaluate((decoder) => {
  const svg = document.getElementById('PupilQr');
  const canvas = document.createElement('canvas');
  canvas.width = canvas.height = 8 * svg.viewBox.baseVal.width;
  const context = canvas.getContext('2d');
  context.fillStyle = '#fff';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = '#000';
  context.scale(8, 8);
  context.fill(new Path2D(svg.querySelector('path').getAttribute('d')));
  const found = (0, eval)(`${decoder}; jsQR`)(context.getImageData(0, 0, canvas.width, canvas.height).data,
                                             canvas.width, canvas.height);
  return {text: found?.data, name: svg.getAttribute('aria-label')};
}, jsQR);

// Records as kept, for a store filled before the page opens.
const record = (k) => ({when: Date.UTC(2025, 3, 1, 9, k), seed: k, sheet: 1, words: '１０問', count: 10,
                        firstCorrect: k % 11, rounds: 1, done: false, milliseconds: 1000 * k});

// A link's sheet opened to answer, after `script` (before the page's own),
// with `stored` in the records' place or nothing.
async function answering(browser, {script, stored} = {}) {
  const page = await openPage(browser, {hash: '#seed=3&dans=2,3&count=9&sheet=1',
                                        beforeLoad: script && ((opened) => opened.evaluateOnNewDocument(script))});
  const {links: texts} = await table(page);
  await page.evaluate((key, stored) => {
    try {
      stored ? localStorage.setItem(key, stored) : localStorage.removeItem(key);
    } catch {
      // refused: nothing there
    }
  }, texts.key, stored);
  await page.reload();
  await page.waitForSelector('html[data-ready]');
  return {page, texts};
}

forEngines((engine, browser) => {
  test('a link opens sheet k of its seed to answer, as zentavo-sheets draws it, with no answer on the screen',
       async () => {
    for (const {address, options} of links) {
      const page = await openPage(browser(), {hash: `#${address}`});
      const [, seed, sheet] = /seed=(\d+).*&sheet=(\d+)/.exec(address).map(Number);
      assert.equal(await shownOptions(page), options, address);
      // Sheet k's question and answer sides after their header, as zentavo-sheets draws them.
      const [questionSide, answerSide] = (await nativePages(options, seed, sheet, 1, 1, 1, '0 0 320 441'))
        .map(({texts}) => nativeTexts(texts).slice(4).map(([, text]) => text));
      assert.ok(await page.$eval('#SolveView', (view) => view.checkVisibility()), address);
      assert.deepEqual(await questions(page), questionSide, address);
      assert.equal(await hashOf(page), `#${address}`, 'the address keeps its sheet');
      const answersShown = async () => {
        const shown = await shownTexts(page);
        return answerSide.filter((text) => shown.some((on) => on.includes(text)));
      };
      assert.deepEqual(await answersShown(), [], `${address}, answering`);
      await page.click('#BackBtn');
      assert.deepEqual(await answersShown(), [], `${address}, back at the page`);
      await page.close();
    }
  });

  test('the address follows every change in place; one pasted applies as clicked, or, bad, is told', async () => {
    const page = await openPage(browser(), {hash: '#seed=5'});
    const steps = await page.evaluate(() => history.length);
    for (const selector of ['#D3', '#D7', '#QNumCheck input[value="3"]', '#RandomCheck input[value="1"]'])
      await page.click(selector);
    assert.equal(await hashOf(page), '#seed=5&dans=3,7&count=20&shuffle');
    await page.$eval('#seed', (seed) => { seed.value = ''; });
    await page.type('#seed', '９９');
    await page.keyboard.press('Tab');
    assert.equal(await hashOf(page), '#seed=99&dans=3,7&count=20&shuffle');
    assert.equal(await page.evaluate(() => history.length), steps);

    await page.evaluate(() => { location.hash = '#seed=8&emphasis=4&count=18'; });
    await page.waitForFunction(() => location.hash === '#seed=8&dans=4&count=18&emphasis=4');

    await page.evaluate(() => { location.hash = '#seed=8&dans=4&count=11'; });
    await page.waitForSelector('#MessageBox[open]');
    assert.equal(await page.$eval('#MessageText', (text) => text.textContent),
                 '\'count=11\' はこのページのアドレスとして読めません（はじめの状態で開きます）.');
    await page.click('#MessageOk');
    assert.deepEqual([await shownOptions(page), await hashOf(page)], ['0 -1 0 1 0 0 0 0 0', '#seed=8']);

    await page.evaluate(() => { location.hash = '#seed=8&dans=4&count=9&sheet=2'; });
    await page.waitForSelector('#SolveView:not([hidden])');
    assert.equal(await page.$eval('#SolveView', (view) => view.dataset.sheet), '2');
    await page.close();
  });

  test('served, the page gives each pupil\'s link as a QR code, and asks nothing more of the server; '
       + 'from a file it says a link needs the served page; axe-core finds nothing', async () => {
    const file = await openPage(browser(), {hash: '#seed=12'});
    const {links: texts} = await table(file);
    assert.equal(await file.$eval('#PupilLinkNote', (note) => note.textContent), texts.needsServer);
    assert.equal(await file.$eval('#PupilLinkParts', (parts) => parts.checkVisibility()), false);
    await file.close();

    const server = await serve();
    try {
      const page = await openPage(browser(), {url: `${server.url}#seed=12&dans=6,7&count=18`, record: true});
      assert.equal(await page.$eval('#PupilLinkNote', (note) => note.textContent), texts.needsPreview);
      await page.click('#PreviewBtn');
      await page.click('#PreviewBtn');
      await page.select('#PupilNumber', '3');
      const link = `${server.url}#seed=12&dans=6,7&count=18&sheet=4`;
      assert.deepEqual(await readQr(page), {text: link, name: '出席番号 3 の生徒のリンク（4 枚目）の QR コード'});
      assert.deepEqual(await page.requests(), [server.url]);
      assert.deepEqual(await faults(page, '#PupilLinks'), []);
      await page.close();
    } finally {
      server.stop();
    }
  });

  test('each result kept on the device, the last 50 newest first, a later round in the same record; '
       + 'one copied as a line; all cleared; axe-core finds nothing', async () => {
    const stored = JSON.stringify(Array.from({length: 50}, (_, k) => record(k)));
    const {page, texts} = await answering(browser(), {stored});
    await page.evaluate(() => {
      Object.defineProperty(navigator, 'clipboard', {value: {writeText: async (text) => { window.copied = text; }}});
    });
    await mark(page);
    await page.click('#RetryBtn');
    await mark(page);
    await page.click('#CopyResultBtn');
    await page.waitForFunction(() => window.copied);
    assert.deepEqual(await faults(page, '#ResultTools'), []);
    await page.click('#BackBtn');
    const {copied, lines, kept} = await page.evaluate((key) => ({
      copied: window.copied, lines: [...document.querySelectorAll('#RecordList li')].map((item) => item.textContent),
      kept: JSON.parse(localStorage.getItem(key)),
    }), texts.key);
    assert.deepEqual([lines.length, lines[0]], [50, copied]);
    assert.match(copied, /シード 3 1 枚目　２・３の段　９問　1回目 9問中 0問 正解　2回目まで　時間 \d+秒$/);
    assert.deepEqual([kept.length, kept[0].rounds, kept[1]], [50, 2, record(0)]);
    assert.deepEqual(await faults(page, '#Records'), []);
    await page.click('#ClearRecordsBtn');
    assert.deepEqual(await page.evaluate((key) => [localStorage.getItem(key), document.getElementById('RecordsNote')
      .textContent, document.querySelectorAll('#RecordList li').length], texts.key), [null, texts.noRecords, 0]);
    await page.close();
  });

  // Storage refused or full by a script before the page's own (not in
  // WebKit, whose driver cannot), or holding what this page never wrote.
  const broken = [
    ...(engine === 'webkit' ? [] : [
      {name: 'refused', script: 'Object.defineProperty(window, "localStorage", {get() { throw new DOMException("no", "SecurityError"); }})'},
      {name: 'full', script: 'Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); }'},
    ]),
    {name: 'unparsable', stored: '[{"when":'},
    {name: 'not a list', stored: '{"records": []}'},
    {name: 'a broken entry among good ones', stored: JSON.stringify([null, {when: 'soon'}, record(7)]), listed: 2},
  ];
  test('storage refused, full or broken: solving and marking work, and the page says once that none is kept',
       async () => {
    for (const {name, script, stored, listed} of broken) {
      const {page, texts} = await answering(browser(), {script, stored});
      await mark(page);
      await page.click('#RetryBtn');
      await mark(page);
      assert.equal(await page.$eval('#Result', (result) => result.dataset.round), '2', name);
      const told = (await shownTexts(page)).filter((text) => text === texts.notKept);
      assert.equal(told.length, listed ? 0 : 1, name);
      await page.click('#BackBtn');
      assert.equal(await page.$$eval('#RecordList li', (items) => items.length), listed ?? 1, name);
      await page.close();
    }
  });
});
