// The set by link, in each engine: a pupil's link opens a pupil's page with
// zentavo-sheets' sheet k to answer, no answer shown; the address follows
// the controls, a pasted one applies or is told; a served page gives each
// pupil's link as a QR code; results kept on the device, or not where the
// store fails.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {after, test} from 'node:test';
import {axeFaults} from './axe.mjs';
import {forEngines, openPage, pageFile} from './engines.mjs';
import {drawCalls, nativePages, nativeTexts, shownOptions} from './native.mjs';

after(() => drawCalls.close());
const jsQR = readFileSync(new URL('./node_modules/jsqr/dist/jsQR.js', import.meta.url), 'utf8');

// Every text the screen shows, each text node apart.
const shownTexts = (page) => page.evaluate(() => {
  const texts = [];
  for (const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT); walker.nextNode();)
    if (walker.currentNode.parentElement.checkVisibility()) texts.push(walker.currentNode.data);
  return texts;
});

const hashOf = (page) => page.evaluate(() => location.hash);
const recordLines = (page) => page.$$eval('#RecordList li', (items) => items.map((item) => item.textContent));
const table = (page) => page.evaluate(() => JSON.parse(document.getElementById('PageStart').textContent).table);

// 採点 with every field empty, marked anyway when asked, as round `round`.
async function mark(page, round) {
  await page.click('#MarkBtn');
  await page.click('#MarkAnyway');
  await page.waitForSelector(`#SolveProblems[data-marked="${round}"]`);
}

// The QR code drawn, 8 pixels a module, read back by a decoder (which reads
// the light modules on dark as well).
const readQr = (page) => page.evaluate((decoder) => {
  const svg = document.getElementById('PupilQr');
  const size = 8 * svg.viewBox.baseVal.width;
  const context = Object.assign(document.createElement('canvas'), {width: size, height: size}).getContext('2d');
  context.fillStyle = '#fff';
  context.scale(8, 8);
  context.fill(new Path2D(svg.querySelector('path').getAttribute('d')));
  const found = (0, eval)(`${decoder}; jsQR`)(context.getImageData(0, 0, size, size).data, size, size);
  return {text: found?.data, name: svg.getAttribute('aria-label')};
}, jsQR);

// Records as kept, for a store filled before the page opens.
const record = (k) => ({when: Date.UTC(2025, 3, 1, 9, k), seed: k, sheet: 1, words: '１０問', count: 10,
                        firstCorrect: k % 11, rounds: 1, done: false, milliseconds: 1000 * k});

// The store as a script before the page's own makes it (not in WebKit,
// whose driver cannot: first, while no record is kept), or holding `stored`;
// `listed` results listed after the view's, else only the view's, and the page says so.
const stores = (engine) => [
  ...(engine === 'webkit' ? [] : [
    {name: 'refused', script: 'Object.defineProperty(window, "localStorage", {get() { throw new DOMException("no", "SecurityError"); }})'},
    {name: 'full', script: 'Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); }'},
  ]),
  {name: 'fifty kept', stored: JSON.stringify(Array.from({length: 50}, (_, k) => record(k))), listed: 50},
  {name: 'a broken entry among good ones', stored: JSON.stringify([null, {when: 'soon'}, record(7)]), listed: 2},
  {name: 'unparsable', stored: '[{"when":'},
];

// Two pupils' tabs of sheets 1 and 2 and the teacher's page (2): which one
// clicks what, then the results the teacher's page lists, as sheet:rounds,
// newest first.
const marking = ['#MarkBtn', '#MarkAnyway'];
const tabSteps = [[0, marking, '1:1'], [1, marking, '2:1 1:1'], [0, ['#RetryBtn', ...marking], '2:1 1:2'],
                  [2, ['#ClearRecordsBtn'], ''], [1, 'reload', ''], [1, ['#RetryBtn', ...marking], '']];
// The teacher's controls and sides, none of them on a pupil's page.
const teachers = ['Form1', 'PreviewBtn', 'PrintAnsBtn', 'SheetSwitch', 'PaintBox1', 'PupilLinks', 'Records',
                  'BackBtn', 'CollectBtn'];
const teachersOn = (page) => page.evaluate((ids) => ids.filter((id) => document.getElementById(id)), teachers);
const questions = (page) => page.$$eval('#SolveProblems > li', (items) => items.map((item) =>
  [...item.querySelectorAll('.number, .text, .box')].map((part) => (part.matches('input') ? '[ ]' : part.textContent))
    .join('')));
const listedSheets = `[...document.querySelectorAll('#RecordList li')].map(({textContent: line}) =>
  / (\\d+) 枚目/.exec(line)[1] + ':' + (/(\\d+)回目まで/.exec(line)?.[1] ?? 1)).join(' ')`;

forEngines((engine, browser) => {
  test('the address follows every change in place; a pupil\'s link pasted opens a pupil\'s page with sheet k of '
       + 'its seed to answer, as zentavo-sheets draws it, no answer nor teacher\'s control on the screen; a bad '
       + 'address is told', async () => {
    const page = await openPage(browser(), {hash: '#seed=5'});
    const steps = await page.evaluate(() => history.length);
    for (const selector of ['#D3', '#D7', '#QNumCheck input[value="3"]', '#RandomCheck input[value="1"]'])
      await page.click(selector);
    await page.$eval('#seed', (seed) => { seed.value = '９９'; seed.dispatchEvent(new Event('change')); });
    assert.deepEqual([await hashOf(page), await page.evaluate(() => history.length)],
                     ['#seed=99&dans=3,7&count=20&shuffle', steps]);

    const link = 'seed=4294967295&dans=1,2,3,4,5,6,7,8,9&count=80&shuffle&blank=mixed&numbers&sheet=40';
    const options = '1022 -1 0 11 1 0 0 1 3';
    await page.evaluate((link) => { location.hash = link.replace(/\d/g, (d) => String.fromCharCode(0xff10 + +d)); }, link);
    await page.waitForSelector('#SolveView:not([hidden])');
    assert.equal(await hashOf(page), `#${link}`);
    // Sheet 40's sides after their header, as zentavo-sheets draws them.
    const [questionSide, answerSide] = (await nativePages(options, 4294967295, 40, 1, 1, 1, '0 0 320 441'))
      .map(({texts}) => nativeTexts(texts).slice(4).map(([, text]) => text));
    assert.deepEqual(await questions(page), questionSide);
    const answersShown = async () => (await shownTexts(page)).filter((on) => answerSide.some((a) => on.includes(a)));
    assert.deepEqual([await answersShown(), await teachersOn(page)], [[], []]);

    await page.evaluate(() => { location.hash = '#seed=8&dans=4&count=11'; });
    await page.waitForSelector('#MessageBox[open]');
    assert.match(await page.$eval('#MessageText', (text) => text.textContent), /^'count=11' /);
    await page.click('#MessageOk');
    assert.deepEqual(await shownOptions(page), '0 -1 0 1 0 0 0 0 0');
    assert.match(await hashOf(page), /^#seed=\d+$/);
    await page.close();
  });

  test('served, the page gives each pupil\'s link as a QR code, and asks nothing more of the server; '
       + 'from a file it says a link needs the served page; axe-core finds nothing', async () => {
    const file = await openPage(browser(), {hash: '#seed=12'});
    const {links: texts} = await table(file);
    assert.deepEqual(await file.evaluate(() => [document.getElementById('PupilLinkNote').textContent,
                                                document.getElementById('PupilLinkParts').checkVisibility()]),
                     [texts.needsServer, false]);
    await file.close();

    // The page over http on 127.0.0.1, as a school's web server gives it.
    const server = createServer((request, response) =>
      response.writeHead(200, {'content-type': 'text/html; charset=utf-8'}).end(readFileSync(pageFile)));
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const url = `http://127.0.0.1:${server.address().port}/zentavo.html`;
    try {
      const page = await openPage(browser(), {url: `${url}#seed=12&dans=6,7&count=18`, record: true});
      assert.equal(await page.$eval('#PupilLinkNote', (note) => note.textContent), texts.needsPreview);
      await page.click('#PreviewBtn');
      await page.click('#PreviewBtn');
      await page.select('#PupilNumber', '3');
      await page.waitForSelector('#PupilQr[data-text$="&pupil=3"]');
      const classLink = await page.$eval('#ClassLink', (link) => link.href);
      assert.match(classLink, /^http:.*#seed=12&dans=6,7&count=18&class=2&state=\d+$/);
      assert.deepEqual(await readQr(page), {text: `${classLink}&pupil=3`,
                                            name: '出席番号 3 の生徒のリンク（4 枚目）の QR コード'});
      assert.deepEqual(await page.requests(), [url]);
      assert.deepEqual(await axeFaults(page, '#PupilLinks'), []);
      await page.close();
    } finally {
      server.close();
    }
  });

  test('results kept on the device, the last 50 newest first, a later round in the same record, one copied as a '
       + 'line, all cleared; the store refused, full or broken, solving and marking work, and the page says once '
       + 'that none is kept', async () => {
    for (const {name, script, stored, listed} of stores(engine)) {
      // A link's sheet opened to answer with the store as given.
      const beforeLoad = script && ((opened) => opened.evaluateOnNewDocument(script));
      const page = await openPage(browser(), {hash: '#seed=3&dans=2,3&count=9&sheet=1', beforeLoad});
      const {links: texts} = await table(page);
      if (stored) {
        await page.evaluate((key, stored) => localStorage.setItem(key, stored), texts.key, stored);
        await page.reload();
        await page.waitForSelector('html[data-ready]');
      }
      await page.evaluate(() => {
        Object.defineProperty(navigator, 'clipboard', {value: {writeText: async (text) => { window.copied = text; }}});
      });
      await mark(page, 1);
      await page.click('#RetryBtn');
      await mark(page, 2);
      await page.select('#CodePupil', '5');  // asked, as a sheet's link gives no 出席番号
      await page.click('#CopyResultBtn');
      await page.waitForFunction(() => window.copied);
      const told = (await shownTexts(page)).filter((text) => text === texts.notKept).length;
      const [copied, code] = [await page.evaluate(() => window.copied), await page.$eval('#ResultCode', (c) => c.textContent)];
      // The records as the teacher's page of the same device lists them.
      const teacher = await openPage(browser(), {hash: '#seed=3', beforeLoad});
      const lines = await recordLines(teacher);
      assert.deepEqual([told, lines.length, lines[0]], [listed ? 0 : 1, listed ?? 0, listed ? copied : undefined], name);
      assert.match(copied, /シード 3 1 枚目　２・３の段　９問　1回目 9問中 0問 正解　2回目まで　時間 \d+秒　(\w+)$/, name);
      assert.equal(copied.split('　').at(-1), code, name);
      if (listed === 50) {
        const kept = await teacher.evaluate((key) => JSON.parse(localStorage.getItem(key)), texts.key);
        assert.deepEqual([kept.length, kept[0].rounds, kept[1]], [50, 2, record(0)]);
        await teacher.click('#ClearRecordsBtn');
        assert.deepEqual([await teacher.evaluate((key) => localStorage.getItem(key), texts.key),
                          await teacher.$eval('#RecordsNote', (note) => note.textContent), await recordLines(teacher)],
                         [null, texts.noRecords, []]);
      }
      await Promise.all([page.close(), teacher.close()]);
    }
  });

  test('two tabs marking two sheets both keep and list both results; after 記録を消す in one, a reload or a later '
       + 'round in the other does not bring them back', async () => {
    const tabs = [];
    for (const hash of ['&sheet=1', '&sheet=2', ''])
      tabs.push(await openPage(browser(), {hash: `#seed=3&dans=2,3&count=9${hash}`}));
    await tabs[0].evaluate(() => localStorage.clear());  // what earlier tests kept
    const teacher = tabs[2];
    for (const [n, [tab, clicks, results]] of tabSteps.entries()) {
      await tabs[tab].bringToFront();
      if (clicks === 'reload') await tabs[tab].reload().then(() => tabs[tab].waitForSelector('html[data-ready]'));
      else for (const selector of clicks) await tabs[tab].click(selector);
      // Marked before the tab goes behind (a hidden tab's dialog closes late).
      if (clicks === marking || clicks.includes('#MarkAnyway'))
        await tabs[tab].waitForSelector('#SolveProblems[data-marked]');
      await teacher.bringToFront();  // as the teacher sees it
      await teacher.waitForFunction(`${listedSheets} === '${results}'`, {timeout: 2000}).catch(() => {});
      assert.equal(await teacher.evaluate(listedSheets), results, `step ${n}`);
    }
    await Promise.all(tabs.map((page) => page.close()));
  });
});
