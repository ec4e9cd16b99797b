// The page's print runs, as a table of runs in each engine. The print dialog
// is the beforeprint and afterprint events, sent here; window.print()
// returns at once, as on iPads.
import assert from 'node:assert/strict';
import {after, test} from 'node:test';
import {forEngines, openPage} from './engines.mjs';
import {drawCalls, nativePages, nativeTexts, printPages, shownOptions} from './native.mjs';

after(() => drawCalls.close());

// Each run: steps of an action (preview, print, printAnswers, open and close
// the dialog, count ITEM, sheets or seed TEXT typed) and what the page shows
// after it (shown below; print 'page': the page prints itself; told: the
// message; added: elements since the last Preview). The first `printed` pages
// of a run are sheets 1 on of its `seed`, as zentavo-sheets draws them.
const runs = [
  {name: 'two class sets after a Preview each: sheets 1 to 6', seed: 2025, printed: 6, steps: [
    ['sheets 3'], ['preview', {sheet: '1 枚目'}], ['print', {pages: 3}], ['close', {edit1: '4', pages: 0, sheet: '1 枚目'}],
    ['preview', {sheet: '4 枚目'}], ['print'], ['close', {edit1: '7'}], ['preview', {sheet: '7 枚目'}]]},
  {name: 'two class sets with no sheet shown (the seed typed again): sheets 1 to 4', seed: 77, printed: 4,
   steps: [['preview'], ['seed 77', {sheet: ''}], ['sheets 2'], ['print', {pages: 2}], ['close'], ['print'],
           ['close', {edit1: '5'}], ['preview', {sheet: '5 枚目'}]]},
  {name: 'printed again from the shown sheet: the sheets never go back', steps: [
    ['preview'], ['sheets 3'], ['print'], ['close'], ['sheets 1'], ['print'], ['close', {edit1: '5'}],
    ['preview', {sheet: '4 枚目'}]]},
  {name: 'a count whose grid is smaller: told, printed by neither command', steps: [
    ['count 4'], ['preview'], ['count 8', {notice: /ﾌﾟﾚﾋﾞｭｰ/}], ['print', {told: /ﾌﾟﾚﾋﾞｭｰ/, pages: 0}],
    ['open', {print: 'page', pages: 0}], ['close', {told: /ﾌﾟﾚﾋﾞｭｰ/, edit1: '1', print: null}],
    ['count 11', {notice: /ﾌﾟﾚﾋﾞｭｰ/}], ['count 1', {notice: ''}], ['print', {pages: 1}]]},
  {name: 'full-width digits and blanks in 枚数 and シード', steps: [
    ['preview'], ['seed \u3000１２３ ', {seed: '123', sheet: ''}], ['sheets  ２\u3000', {sheets: '2'}],
    ['print', {pages: 2}]]},
  {name: 'a class set of 100 with answers: nothing kept once the dialog has closed', steps: [
    ['preview'], ['sheets 100'], ['printAnswers', {pages: 200}], ['close', {pages: 0, added: 0, edit1: '101'}]]},
  {name: 'the browser\'s own print: the page itself before a Preview, then what 印刷 prints, counted once',
   seed: 31, printed: 2, steps: [
    ['open', {print: 'page', pages: 0}], ['close', {edit1: '1', print: null, told: null}], ['preview'], ['sheets 2'],
    ['open', {pages: 2, print: null}], ['close', {edit1: '3', pages: 0}], ['close', {edit1: '3'}],
    ['preview', {sheet: '3 枚目'}], ['sheets 1'], ['printAnswers', {pages: 2}], ['open', {pages: 2}],
    ['close', {edit1: '4'}], ['close', {edit1: '4'}]]},
];

const shown = (page) => page.evaluate(() => {
  const byId = (id) => document.getElementById(id);
  return {edit1: byId('Edit1').value, sheets: byId('sheets').value, seed: byId('seed').value,
          sheet: byId('SheetNumber').textContent, notice: byId('SheetNotice')?.textContent,
          pages: byId('PrintPages').childElementCount, elements: document.querySelectorAll('*').length,
          print: document.documentElement.dataset.print ?? null,
          told: byId('MessageBox').open ? byId('MessageText').textContent : null};
});

const buttons = {preview: '#PreviewBtn', print: '#PrintBtn', printAnswers: '#PrintAnsBtn'};
const events = {open: 'beforeprint', close: 'afterprint'};
function act(page, action) {
  const [, verb, text] = /^(\S+) ?(.*)$/s.exec(action);
  if (buttons[verb] || verb === 'count') return page.click(buttons[verb] ?? `#QNumCheck input[value="${text}"]`);
  if (events[verb]) return page.evaluate((name) => window.dispatchEvent(new Event(name)), events[verb]);
  return page.$eval(`#${verb}`, (input, text) => { input.value = text; input.dispatchEvent(new Event('change')); }, text);
}

forEngines((engine, browser) => {
  for (const {name, seed, printed: sheets = 0, steps} of runs) test(name, async () => {
    const page = await openPage(browser(), {hash: seed === undefined ? '' : `#seed=${seed}`});
    await page.evaluate(() => { window.print = () => {}; });
    for (const dan of [2, 3, 4, 6, 7, 9]) await page.click(`#D${dan}`);
    await page.click('#RandomCheck input[value="1"]');
    const printed = [];
    let previewed = 0;
    for (const [action, expected = {}] of steps) {
      if (action === 'close') printed.push(...await printPages(page));
      await act(page, action);
      // The sheet's texts for screen readers follow the sheet a moment later.
      if (action === 'preview' && !(await page.$('#MessageBox[open]'))) await page.waitForSelector('#PaintBox1 .for-reader');
      const now = await shown(page);
      if (action === 'preview') previewed = now.elements;
      now.added = now.elements - previewed;
      for (const [key, value] of Object.entries(expected))
        assert[value instanceof RegExp ? 'match' : 'equal'](now[key], value, `${action}: ${key}`);
      if (now.told !== null) await page.click('#MessageOk');
    }
    if (sheets) {
      const expected = await nativePages(await shownOptions(page), seed, 1, sheets, 0, 1, printed[0].viewBox);
      const first = printed.slice(0, sheets).map(({texts}) => texts);
      assert.deepEqual(first, expected.map(({texts}) => nativeTexts(texts)));
      assert.equal(new Set(first.map((texts) => JSON.stringify(texts.filter(([, text]) => text.includes('÷'))))).size,
                   sheets, 'all different');
    }
    await page.close();
  });
});
