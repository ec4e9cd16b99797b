// The browser edition in each engine: the control rules through the page,
// its sheets against the desktop renderer's texts, class sets (printed to PDF
// with the system's fonts hidden where the engine's driver can print), bad
// input, no network and the two layouts.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {basename, join} from 'node:path';
import {after, test} from 'node:test';
import {abilities, forEngines, launch, openPage, pageUrl} from './engines.mjs';
import {drawCalls, nativePages, nativeTexts, printPages, shownOptions} from './native.mjs';

const source = new URL('../../', import.meta.url).pathname;
const scratch = mkdtempSync(join(tmpdir(), 'zentavo-web-test-'));
after(() => {
  drawCalls.close();
  rmSync(scratch, {recursive: true, force: true});
});

// A fresh page whose own requests are recorded; any that leaves the file is
// refused.
async function fresh(browser, options = {}) {
  const page = await openPage(browser, {...options, record: true});
  // The print dialog only counts; it returns at once.
  await page.evaluate(() => {
    window.printed = 0;
    window.print = () => window.printed++;
  });
  return page;
}

const table = (page) => page.evaluate(() => JSON.parse(document.getElementById('PageStart').textContent).table);

// The SVG texts of a sheet: [x, text, family] in drawing order.
const svgTexts = (page, selector) => page.$$eval(`${selector} text`, (texts) =>
  texts.map((text) => [Number(text.getAttribute('x')), text.textContent,
                       text.closest('g').getAttribute('font-family').replace(/'/g, '')]));

async function dismiss(page) {
  const message = await page.$eval('#MessageBox', (box) =>
    box.open ? `${document.getElementById('MessageCaption').textContent}: ${document.getElementById('MessageText').textContent}` : null);
  if (message) await page.click('#MessageOk');
  return message;
}

// ---- The control rules, from the table the control model's test reads.

const rules = readFileSync(join(source, 'tests/data/control-rules.txt'), 'utf8').split('\n')
  .filter((line) => line.trim() && !line.startsWith('#'))
  .map((line) => {
    const [, name, events, expected] = /^([^:]*):(.*)=>(.*)$/.exec(line);
    const split = (part) => part.split(';').map((s) => s.trim()).filter(Boolean);
    return {name, events: split(events), expected: split(expected)};
  });

// The focus moving into a group from outside it: with the mouse onto its
// selected item (the first while none is), or by Tab from the control
// before it in the keyboard order.
async function enter(page, group, way) {
  if (way === 'mouse') {
    const stop = await page.$(`#${group} input:checked`) ?? await page.$(`#${group} input[value="0"]`);
    await stop.click();
    return;
  }
  await page.evaluate((name) => {
    const stops = [...document.querySelectorAll('#Form1 input, #Form1 button, #Form1 select')].filter((control) =>
      !control.disabled && !control.closest('fieldset:disabled')
      && (control.type !== 'radio' || control.checked
          || (control.value === '0' && !document.querySelector(`input[name="${control.name}"]:checked`))));
    const at = stops.findIndex((control) => control.name === name);
    stops[at - 1].focus();
  }, group);
  await page.keyboard.press('Tab');
}

async function apply(page, event, way) {
  const [verb, name, number] = event.split(/\s+/);
  if (verb === 'check' || verb === 'clear') {
    const wanted = verb === 'check';
    if (await page.$eval(`#D${name}`, (box) => box.checked) !== wanted) await page.click(`#D${name}`);
  } else if (verb === 'select') {
    await page.click(`#${name} input[name="${name}"][value="${number}"]`);
  } else if (verb === 'enter') {
    await enter(page, name, way);
  } else if (verb === 'preview') {
    await page.click('#PreviewBtn');
    assert.equal(await dismiss(page), null, 'the Preview succeeds');
  } else {
    assert.fail(`unknown event ${event}`);
  }
}

async function actual(page, expectation, leftOut) {
  const [what, name] = expectation.split(/\s+/);
  if (what === 'mask') return `mask ${(await shownOptions(page)).split(' ')[0]}`;
  return page.evaluate((what, name, leftOut) => {
    const byId = (id) => document.getElementById(id);
    if (what === 'checked' || what === 'cleared') return `${byId(`D${name}`).checked ? 'checked' : 'cleared'} ${name}`;
    if (what === 'enabled' || what === 'disabled') {
      if (leftOut.includes(name) && !byId(name)) return `${what} ${name}`;  // a window command the page has not
      return `${byId(name).disabled ? 'disabled' : 'enabled'} ${name}`;
    }
    if (what === 'item') return `item ${name} ${document.querySelector(`#${name} input:checked`)?.value ?? -1}`;
    if (what === 'edit1') return `edit1 ${byId('Edit1').value}`;
    return `(unknown expectation ${what})`;
  }, what, name, leftOut);
}

// Each case: the controls as a user sets them, the seed and how many
// Previews; both sides of the last one are compared.
const sheetCases = [
  {dans: [3, 7], seed: 42},
  {dans: [1, 2, 3, 4, 5, 6, 7, 8, 9], select: {QNumCheck: 11, RandomCheck: 1, rgNum: 1}, seed: 7, previews: 2},
  {dans: [2, 5], select: {QNumCheck: 3, JousuuCheck: 1, MGroup: 1}, seed: 1},
  {dans: [4], select: {ImportantDan: 4, QNumCheck: 0, MGroup: 2}, seed: 99},
  {dans: [6, 7, 8, 9], select: {QNumCheck: 12, rgSquare: 1}, seed: 3},
  {dans: [2, 3, 4, 5, 6], select: {QNumCheck: 13, rgSquare: 3, rgNum: 1, RandomCheck: 1}, seed: 5},
  {dans: [6, 7, 8, 9], select: {QNumCheck: 5, rgSquare: 2, ImportantDan: 8}, seed: 11},
  {dans: [1], select: {Amari: 1, QNumCheck: 2}, seed: 2},
  {dans: [3, 4], select: {Amari: 2, QNumCheck: 4, rgNum: 1}, seed: 4294967295},
  {dans: [5], select: {Amari: 3, QNumCheck: 8}, seed: 123456},
  {dans: [6, 7], select: {Amari: 4, QNumCheck: 9, rgNum: 1}, seed: 8},
  {dans: [2, 9], select: {Amari: 5, QNumCheck: 10}, seed: 9},
  {dans: [1, 5, 9], select: {Amari: 6, QNumCheck: 11, rgNum: 1}, seed: 10, previews: 3},
  {dans: [1, 2, 3, 4, 5, 6, 7, 8, 9], select: {Amari: 7, QNumCheck: 11, rgNum: 1}, seed: 0},
];

async function setControls(page, {dans = [], select = {}}) {
  for (const dan of dans) await page.click(`#D${dan}`);
  for (const [group, item] of Object.entries(select)) await page.click(`#${group} input[value="${item}"]`);
}

// A fontconfig that finds one Latin face and no Japanese one (a browser
// cannot start a page with none), made once.
let latinOnly = null;
function latinOnlyFonts() {
  if (latinOnly) return latinOnly;
  const latin = execFileSync('fc-match', ['-f', '%{file}', 'sans-serif:lang=en'], {encoding: 'utf8'});
  latinOnly = join(scratch, 'latin-only.conf');
  mkdirSync(join(scratch, 'fonts'));
  copyFileSync(latin, join(scratch, 'fonts', basename(latin)));
  writeFileSync(latinOnly, '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n'
    + `<dir>${join(scratch, 'fonts')}</dir><cachedir>${join(scratch, 'font-cache')}</cachedir>\n</fontconfig>\n`);
  return latinOnly;
}

forEngines((engine, browser) => {
  for (const way of ['mouse', 'tab']) {
    test(`the control rules through the page, entering groups by ${way}`, async () => {
      const page = await fresh(browser());
      const {leftOut} = await table(page);
      assert.deepEqual(leftOut, ['btnSetPrn', 'QuitBtn']);
      assert.ok(rules.length >= 20);
      for (const rule of rules) {
        await page.goto(pageUrl);  // not reload(): the address holds the last rule's options
        await page.waitForSelector('html[data-ready]');
        for (const event of rule.events) await apply(page, event, way);
        for (const expected of rule.expected) assert.equal(await actual(page, expected, leftOut), expected, rule.name);
      }
      await page.close();
    });
  }

  // ---- Sheets against the desktop renderer.

  test('the preview holds the desktop renderer\'s texts, both sheets, over every mode, count, blank and numbering',
       async () => {
    for (const sheet of sheetCases) {
      const page = await fresh(browser(), {hash: `#seed=${sheet.seed}`});
      await setControls(page, sheet);
      const previews = sheet.previews ?? 1;
      for (let k = 0; k < previews; ++k) await page.click('#PreviewBtn');
      const options = await shownOptions(page);
      for (const answers of [1, 0]) {
        if (answers === 0) await page.click('#SheetSwitch input[value="0"]');
        const expected = nativeTexts(await drawCalls(`preview ${options} ${sheet.seed} ${previews} ${answers}`));
        assert.deepEqual(await svgTexts(page, '#PaintBox1'), expected, `${JSON.stringify(sheet)} side ${answers}`);
      }
      assert.equal(await page.$eval('#seed', (seed) => seed.value), String(sheet.seed));
      await page.close();
    }
  });

  test('an option changed after a Preview redraws the shown sheet without new problems', async () => {
    const page = await fresh(browser(), {hash: '#seed=77'});
    await setControls(page, {dans: [3, 8, 9], select: {QNumCheck: 3}});
    await page.click('#PreviewBtn');
    await setControls(page, {select: {rgNum: 1, MGroup: 2}});
    const expected = nativeTexts(await drawCalls(`preview ${await shownOptions(page)} 77 1 1`));
    assert.deepEqual(await svgTexts(page, '#PaintBox1'), expected);
    await page.close();
  });

  test('too few dans for the count: the window\'s warning, and the previous sheet stays', async () => {
    const messages = readFileSync(join(source, 'window/controls/Messages.h'), 'utf8');
    const warning = /TooFewDansWarning = "([^"]*)"/.exec(messages)[1];
    const caption = /WarningCaption = "([^"]*)"/.exec(messages)[1];
    const page = await fresh(browser(), {hash: '#seed=5'});
    await setControls(page, {dans: [2], select: {QNumCheck: 0}});
    await page.click('#PreviewBtn');
    const shown = await svgTexts(page, '#PaintBox1');
    await setControls(page, {select: {QNumCheck: 11}});
    const redrawn = await svgTexts(page, '#PaintBox1');
    await page.click('#PreviewBtn');
    assert.equal(await dismiss(page), `${caption}: ${warning}`);
    assert.deepEqual(await svgTexts(page, '#PaintBox1'), redrawn);
    assert.notDeepEqual(redrawn, shown);
    await page.close();
  });

  // ---- Class sets and printing.

  test('a class set: the previewed sheet and those after it, each with its answers, numbers running on from Edit1',
       async () => {
    const page = await fresh(browser(), {hash: '#seed=2024'});
    await setControls(page, {dans: [2, 3, 4, 5, 6, 7, 8], select: {QNumCheck: 9, RandomCheck: 1, rgNum: 1}});
    await page.click('#PreviewBtn');
    await page.click('#PreviewBtn');
    await page.$eval('#Edit1', (edit) => { edit.value = ''; });
    await page.type('#Edit1', '41');
    await page.$eval('#sheets', (sheets) => { sheets.value = ''; });
    await page.type('#sheets', '4');
    await page.select('#paper', '1');
    await page.click('#PrintAnsBtn');
    const pages = await printPages(page);
    const expected = await nativePages(await shownOptions(page), 2024, 2, 4, 1, 41, pages[0].viewBox);
    assert.equal(pages.length, 8);
    assert.deepEqual(expected.map((p) => [p.sheet, p.answers, p.printNumber]),
                     [[2, 0, 41], [2, 1, 41], [3, 0, 42], [3, 1, 42], [4, 0, 43], [4, 1, 43], [5, 0, 44], [5, 1, 44]]);
    pages.forEach((shown, index) => assert.deepEqual(shown.texts, nativeTexts(expected[index].texts), `page ${index + 1}`));
    assert.equal(await page.evaluate(() => window.printed), 1);
    await page.evaluate(() => window.dispatchEvent(new Event('afterprint')));  // the dialog has closed
    assert.equal(await page.$eval('#Edit1', (edit) => edit.value), '45');
    assert.deepEqual(await page.requests(), [pageUrl]);
    await page.close();
  });

  if (abilities[engine].pdf) {
    test('printed with the system\'s Japanese fonts hidden: every page, in order, every character in the embedded faces',
         async () => {
      const bare = await launch(engine, {FONTCONFIG_FILE: latinOnlyFonts()});
      const page = await fresh(bare, {hash: '#seed=31'});
      await setControls(page, {dans: [1, 2, 3, 4, 5, 6, 7, 8, 9], select: {QNumCheck: 13, rgNum: 1, rgSquare: 3}});
      await page.click('#PreviewBtn');
      await page.$eval('#sheets', (sheets) => { sheets.value = '3'; });
      await page.click('#PrintAnsBtn');
      const [{viewBox}] = await printPages(page);
      const expected = await nativePages(await shownOptions(page), 31, 1, 3, 1, 1, viewBox);
      const pdf = join(scratch, `set-${engine}.pdf`);
      await page.pdf({path: pdf, preferCSSPageSize: true});
      await bare.close();

      const pageTexts = execFileSync('pdftotext', [pdf, '-'], {encoding: 'utf8'}).split('\f').slice(0, -1);
      assert.equal(pageTexts.length, expected.length);
      expected.forEach((sheet, index) => {
        const printed = pageTexts[index].replace(/\s/g, '');
        for (const [, text] of nativeTexts(sheet.texts))
          assert.ok(printed.includes(text.replace(/\s/g, '')), `page ${index + 1} lacks ${text}`);
        assert.ok(printed.includes(`問題No.${sheet.printNumber}`), `page ${index + 1}`);
      });
      const fonts = execFileSync('pdffonts', [pdf], {encoding: 'utf8'}).split('\n').slice(2).filter(Boolean);
      assert.deepEqual(new Set(fonts.map((line) => line.split(/\s+/)[0].replace(/^[A-Z]{6}\+/, ''))),
                       new Set(['ZentavoGothic', 'ZentavoMincho']));
      // Firefox gives the page's size in whole points.
      const [, width, height] = /Page size:\s+([\d.]+) x ([\d.]+) pts/.exec(execFileSync('pdfinfo', [pdf], {encoding: 'utf8'}));
      assert.ok(Math.abs(width - 595.28) < 1 && Math.abs(height - 841.89) < 1, `A4 in portrait, not ${width} x ${height}`);
    });
  }

  // ---- Bad input (what each reader says is tested natively, TestWebPage).

  test('bad input in Edit1, sheets, seed and the address: a message box, and nothing changes', async () => {
    const opened = await fresh(browser(), {hash: '#seed=abc'});
    assert.match(await dismiss(opened), /^Zentavo: 'abc' .*。$/);
    assert.match(await opened.$eval('#seed', (seed) => seed.value), /^\d+$/);
    await opened.close();

    const page = await fresh(browser(), {hash: '#seed=600'});
    await setControls(page, {dans: [4, 5]});
    await page.click('#PreviewBtn');
    const state = () => page.evaluate(() => ({
      preview: document.querySelector('#PaintBox1 svg')?.outerHTML,
      inputs: ['Edit1', 'sheets', 'seed'].map((id) => document.getElementById(id).value),
      sheet: document.getElementById('SheetNumber').textContent,
      printPages: document.getElementById('PrintPages').childElementCount,
      printed: window.printed,
    }));
    const kept = await state();
    for (const [field, text] of [['Edit1', '12a'], ['sheets', '101'], ['seed', '-1']]) {
      const was = await page.$eval(`#${field}`, (input, text) => {
        const was = input.value;
        input.value = text;
        input.dispatchEvent(new Event(input.id === 'seed' ? 'change' : 'input'));
        return was;
      }, text);
      if (field !== 'seed') await page.click('#PrintBtn');
      assert.match(await dismiss(page), new RegExp(`^Zentavo: '${text}' .*。$`));
      if (field === 'seed') assert.equal(await page.$eval('#seed', (seed) => seed.value), was);
      await page.$eval(`#${field}`, (input, was) => {
        input.value = was;
        input.dispatchEvent(new Event('input'));
      }, was);
      assert.deepEqual(await state(), kept, field);
    }
    await page.close();
  });

  // ---- The two layouts.

  test('wide: the window\'s controls at the window\'s places, half as large again; at 360 px stacked above the preview',
       async () => {
    const page = await fresh(browser(), {width: 1280, height: 1024});  // a laptop's screen has its own arrangement
    const {groups, commands, danGroup, edit1} = await table(page);
    const placed = [...groups, ...commands, danGroup, edit1];
    for (const {name, bounds} of placed) {
      const box = await page.$eval(`#${name}`, (control) => {
        const form = document.getElementById('Form1').getBoundingClientRect();
        const own = control.getBoundingClientRect();
        return [own.left - form.left, own.top - form.top, own.width, own.height].map((v) => Math.round(v / 1.5));
      });
      // A group's frame that runs a pixel into the one below it ends there.
      assert.ok(box.every((v, i) => v === bounds[i] || (i === 3 && v === bounds[i] - 1)), `${name}: ${box}`);
    }
    await page.setViewport({width: 360, height: 740});
    const stacked = await page.evaluate((names) => {
      const preview = document.getElementById('PaintBox1').getBoundingClientRect();
      return {
        overflow: document.documentElement.scrollWidth > 360,
        below: names.filter((name) => document.getElementById(name).getBoundingClientRect().bottom > preview.top),
      };
    }, placed.map(({name}) => name));
    assert.deepEqual(stacked, {overflow: false, below: []});
    await page.close();
  });
});
