// The class's loop, served as from a school's web server. In each engine:
// the class link opens on a pupil's device the sheet that a class set
// printed now gives that pupil, whatever was previewed before, and is
// withheld once the options draw other sheets; the pupil's page has nothing
// of the teacher's; the result's code and its QR code; codes pasted into
// 集計, bad lines told, markup shown as text; the sheet of the mistakes. In
// Chromium: the camera, fed a pupil's QR code (the decoder's path, as
// Chromium on Linux has no BarcodeDetector), or refused; the CSV's bytes.
import assert from 'node:assert/strict';
import {mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join} from 'node:path';
import {after, before, test} from 'node:test';
import {axeFaults} from './axe.mjs';
import {forEngines, launch, openPage, siteFolder, siteTypes} from './engines.mjs';

const jsQR = readFileSync(new URL('./node_modules/jsqr/dist/jsQR.js', import.meta.url), 'utf8');
// The web site, whose page has the scanner's decoder beside it.
const server = createServer(({url}, response) => {
  const name = url === '/' ? 'index.html' : url.slice(1);
  if (readdirSync(siteFolder).includes(name) && siteTypes[extname(name)])
    response.writeHead(200, {'content-type': siteTypes[extname(name)]}).end(readFileSync(join(siteFolder, name)));
  else response.writeHead(404).end();
});
let page = '';
before(() => new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
  page = `http://127.0.0.1:${server.address().port}/`;
  resolve();
})));
after(() => server.close());

const teachers = ['Form1', 'PreviewBtn', 'PrintBtn', 'PrintAnsBtn', 'SheetSwitch', 'PaintBox1', 'PupilLinks',
                  'Records', 'BackBtn', 'CollectBtn'];
const code = /^Z[0-9A-HJKMNP-TV-Z]{19,47}$/;
const tally = (page) => page.evaluate(() => JSON.parse(document.getElementById('PageStart').textContent).table.tally);
const questions = (page) => page.$$eval('#SolveProblems > li', (items) => items.map((item) =>
  [...item.querySelectorAll('.number, .text')].map((part) => part.textContent).join('')));

// The way of working: 段 2, 3, 4 previewed, then 段 5 added and
// previewed again; the class set of 3 printed from the shown sheet 2.
async function teacherWithSet(browser) {
  const teacher = await openPage(browser, {url: `${page}#seed=24`, width: 1366, height: 900});
  for (const selector of ['#D2', '#D3', '#D4', '#PreviewBtn', '#D5', '#PreviewBtn']) await teacher.click(selector);
  await teacher.$eval('#sheets', (sheets) => { sheets.value = '3'; window.print = () => {}; });
  await teacher.click('#PrintBtn');
  const printed = await teacher.$$eval('#PrintPages > svg', (pages) => pages.map((svg) =>
    [...svg.querySelectorAll('text')].slice(4).map((text) => text.textContent)));
  return {teacher, printed, link: await teacher.$eval('#ClassLink', (link) => link.href)};
}

// A pupil at the class link: their number given, every field left empty and marked.
async function pupilMarked(browser, link, number) {
  const pupil = await openPage(browser, {url: link, width: 820, height: 1180});
  const start = await axeFaults(pupil, '#PupilStart');
  await pupil.select('#PupilStartNumber', String(number));
  await pupil.click('#PupilStartBtn');
  await pupil.waitForSelector('#SolveView:not([hidden])');
  const sheet = await questions(pupil);
  await pupil.click('#MarkBtn');
  await pupil.click('#MarkAnyway');
  await pupil.waitForSelector('#ResultQr[data-text]');
  return {pupil, sheet, start, result: await pupil.$eval('#ResultCode', (shown) => shown.textContent)};
}

// The result's QR code drawn, 6 pixels a module, in the middle of a 640 x 480
// frame: as RGBA bytes (base64), and read back by a decoder.
const qrFrame = (page) => page.evaluate((decoder) => {
  const svg = document.getElementById('ResultQr');
  const canvas = Object.assign(document.createElement('canvas'), {width: 640, height: 480});
  const context = canvas.getContext('2d');
  context.fillStyle = '#fff';
  context.fillRect(0, 0, 640, 480);
  const size = 6 * svg.viewBox.baseVal.width;
  context.translate((640 - size) / 2, (480 - size) / 2);
  context.scale(6, 6);
  context.fillStyle = '#000';
  context.fill(new Path2D(svg.querySelector('path').getAttribute('d')));
  const {data} = context.getImageData(0, 0, 640, 480);
  let binary = '';
  for (let i = 0; i < data.length; i += 32768) binary += String.fromCharCode(...data.subarray(i, i + 32768));
  return {rgba: btoa(binary), read: (0, eval)(`${decoder}; jsQR`)(data, 640, 480)?.data};
}, jsQR);

forEngines((engine, browser) => {
  test('the class link opens each pupil\'s sheet of the class set printed now, on a page with nothing of the '
       + 'teacher\'s; the code after 採点, its QR code read back; 集計 of pasted codes; the sheet of the mistakes; '
       + 'axe-core finds nothing', async () => {
    const {teacher, printed, link} = await teacherWithSet(browser());
    const {pupil, sheet, start, result} = await pupilMarked(browser(), link, 2);
    assert.deepEqual(sheet, printed[1]);  // the second pupil's: 10÷2, 12÷2, 18÷2 … where the bug gave 21÷3 …
    assert.deepEqual(await pupil.evaluate((ids) => ids.filter((id) => document.getElementById(id)), teachers), []);
    assert.match(result, code);
    assert.equal((await qrFrame(pupil)).read, result);
    assert.deepEqual([start, await axeFaults(pupil, '#SolveView')], [[], []]);
    await pupil.close();

    // Pasted with a mistyped copy and markup: each line told, as text.
    const mistyped = result.slice(0, 9) + (result[9] === '7' ? '8' : '7') + result.slice(10);
    await teacher.click('#CollectBtn');
    await teacher.$eval('#CollectInput', (input, text) => { input.value = text; },
                        `2番 ${result}\n${mistyped}\n<img src=x onerror="window.ran=1">${mistyped}`);
    await teacher.click('#CollectAddBtn');
    const told = await teacher.$$eval('#CollectMessage li', (lines) => lines.map((line) => line.dataset.kind));
    assert.deepEqual(told, ['added', 'refused', 'refused']);
    assert.deepEqual(await teacher.evaluate(() => [document.querySelectorAll('#CollectView img').length,
                                                   window.ran ?? 'not run']), [0, 'not run']);
    const row = await teacher.$eval('#ClassTable tbody tr', (tr) => ({...tr.dataset}));
    assert.deepEqual(row, {pupil: '2', sheet: '3', correct: '0', total: '10', rounds: '1',
                           seconds: row.seconds, marks: 'x'.repeat(10)});
    // Its × in red, where the browser has highlights.
    assert.match(await teacher.evaluate(() => (window.Highlight ? [...CSS.highlights.get('wrong-marks')] : ['×'.repeat(10)])
      .join('|')), /^×{10}$/);
    assert.deepEqual(await teacher.$$eval('#MissedList tbody tr', (rows) => rows.map((tr) => tr.dataset.missed)),
                     Array(10).fill('1'));
    assert.deepEqual(await axeFaults(teacher, '#CollectView'), []);
    await teacher.click('#MissedSheetBtn');
    assert.equal(await teacher.$eval('#SheetNumber', (shown) => shown.textContent), 'まちがえた問題');
    // The set kept through a reload until deleted, which asks first.
    await teacher.reload();
    await teacher.waitForSelector('html[data-ready]');
    await teacher.click('#CollectBtn');
    await teacher.waitForSelector('#CollectView:not([hidden])');
    const rows = () => teacher.$$eval('#ClassTable tbody tr', (trs) => trs.length);
    assert.equal(await rows(), 1, 'reloaded');
    for (const [answer, left] of [['#DeleteNo', 1], ['#DeleteYes', 0]]) {
      await teacher.click('#DeleteSetBtn');
      await teacher.click(answer);
      await teacher.waitForFunction(() => !document.getElementById('DeleteSetConfirm').open);
      await teacher.waitForFunction((n) => document.querySelectorAll('#ClassTable tbody tr').length === n,
                                    {timeout: 2000}, left).catch(() => {});
      assert.equal(await rows(), left, answer);
    }
    await teacher.click('#CollectBackBtn');

    // Another option: the sheets the link would open are not those shown.
    await teacher.click('#PreviewBtn');
    await teacher.click('#D6');
    assert.match(await teacher.$eval('#PupilLinkNote', (note) => note.textContent), /^ﾌﾟﾚﾋﾞｭｰの後でオプションが変わり/);
    await teacher.close();
  });
});

// Chromium's fake camera, looping a file: a Y4M picture of RGBA bytes.
function y4m(rgba, width, height) {
  const y = Buffer.alloc(width * height);
  const u = Buffer.alloc(width * height / 4);
  const v = Buffer.alloc(width * height / 4);
  for (let row = 0; row < height; ++row) {
    for (let column = 0; column < width; ++column) {
      const at = 4 * (row * width + column);
      const [r, g, b] = rgba.subarray(at, at + 3);
      y[row * width + column] = Math.round(0.299 * r + 0.587 * g + 0.114 * b);
      if (row % 2 || column % 2) continue;
      const half = (row / 2) * (width / 2) + column / 2;
      u[half] = Math.round(128 - 0.168736 * r - 0.331264 * g + 0.5 * b);
      v[half] = Math.round(128 + 0.5 * r - 0.418688 * g - 0.081312 * b);
    }
  }
  return Buffer.concat([Buffer.from(`YUV4MPEG2 W${width} H${height} F30:1 Ip A1:1 C420jpeg\nFRAME\n`), y, u, v]);
}

test('Chromium: the camera reads a pupil\'s code into the table, or says it was refused, absent or in use and typing works; '
     + 'the CSV is UTF-8 with a byte order mark', {timeout: 120_000}, async () => {
  const scratch = mkdtempSync(join(tmpdir(), 'zentavo-camera-'));
  let browser = await launch('chromium');
  try {
    const {link} = await teacherWithSet(browser);
    const {pupil, result} = await pupilMarked(browser, link, 7);
    writeFileSync(join(scratch, 'code.y4m'), y4m(Buffer.from((await qrFrame(pupil)).rgba, 'base64'), 640, 480));
    await browser.close();
    browser = await launch('chromium', {}, {chromiumArgs: ['--use-fake-ui-for-media-stream',
      '--use-fake-device-for-media-stream', `--use-file-for-fake-video-capture=${join(scratch, 'code.y4m')}`]});
    const desk = await openPage(browser, {url: `${page}#seed=24`});
    await desk.click('#CollectBtn');
    await desk.click('#ScanBtn');
    await desk.waitForSelector('#ClassTable tbody tr[data-pupil="7"]', {timeout: 20_000});
    const csv = await desk.evaluate(async () => {
      let blob = null;
      URL.createObjectURL = (made) => { blob = made; return 'blob:'; };
      document.getElementById('CsvBtn').click();
      return [...new Uint8Array(await blob.arrayBuffer())];
    });
    assert.deepEqual(csv.slice(0, 3), [0xEF, 0xBB, 0xBF]);
    assert.match(new TextDecoder().decode(new Uint8Array(csv)), new RegExp(
      `^出席番号,シート,正解,問題数,回数,秒,問1,.*,問10\\r\\n7,8,0,10,1,\\d+,×(,×){9}\\r\\n$`));
    await desk.click('#ScanBtn');  // stops it

    // A camera refused, absent or in use: told, and a code typed goes in all the same.
    for (const [error, told] of [['NotAllowedError', 'refused'], ['NotFoundError', 'absent'], ['NotReadableError', 'inUse']]) {
      const failed = await openPage(browser, {url: `${page}#seed=24`, beforeLoad: (opened) => opened.evaluateOnNewDocument(
        `navigator.mediaDevices.getUserMedia = () => Promise.reject(new DOMException("no", "${error}"))`)});
      await failed.click('#CollectBtn');
      await failed.click('#ScanBtn');
      const texts = await tally(failed);
      await failed.waitForFunction((said) => document.getElementById('ScanStatus').textContent === said, {},
                                   texts.camera[told]);
      await failed.type('#CollectInput', result);
      await failed.click('#CollectAddBtn');
      await failed.waitForSelector('#ClassTable tbody tr[data-pupil="7"]');
      await failed.close();
    }
  } finally {
    await browser.close();
    rmSync(scratch, {recursive: true, force: true});
  }
});
