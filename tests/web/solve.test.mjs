// 画面で解く in each engine: the previewed sheet answered on a tablet and a
// phone over every mode, blank, multiplier, numbering and the largest count,
// marked as the answer sheet the preview shows (the rule is TestProblemForm's),
// the wrong ones again until all are right; targets, axe-core; keys and the pad.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {test} from 'node:test';
import {forEngines, openPage} from './engines.mjs';

const axeSource = readFileSync(new URL('./node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');

// Clicked in order (a later click may clear an earlier one: a blank and a
// multiplier, 被除数に０を and an even count).
const optionSets = [
  {dans: [2, 3, 4], select: {QNumCheck: 3}},
  {dans: [4, 5, 6, 7], select: {MGroup: 1, rgNum: 1, QNumCheck: 4}},
  {dans: [1, 8, 9], select: {QNumCheck: 5, MGroup: 2, JousuuCheck: 1}},
  ...[1, 2].map((rgSquare) => ({dans: [3, 6, 8], select: {rgSquare, rgNum: rgSquare - 1, QNumCheck: 2}})),
  {dans: [1, 2, 3, 4, 5, 6, 7, 8, 9], select: {rgSquare: 3, rgNum: 1, QNumCheck: 11, RandomCheck: 1}},
  ...[1, 2, 3, 4, 5, 6, 7].map((mode) => ({dans: [5], select: {Amari: mode, QNumCheck: 3 * (1 - mode % 2),
                                                                rgNum: mode % 2}})),
];

// Cycled over the problems, each field given its text as an input method leaves it (typing is tested below).
const styles = ['digits', 'full-width', 'wrong', 'empty'];
const fullWidth = (digits) => digits.replace(/\d/g, (d) => String.fromCharCode(d.charCodeAt(0) + 0xFEE0));

async function previewed(browser, {dans, select}, size = {}) {
  const page = await openPage(browser, {hash: '#seed=24', ...size});
  for (const dan of dans) await page.click(`#D${dan}`);
  for (const [group, item] of Object.entries(select)) await page.click(`#${group} input[value="${item}"]`);
  await page.click('#PreviewBtn');
  assert.equal(await page.$eval('#MessageBox', (box) => box.open), false, 'the Preview succeeds');
  return page;
}

// The numbers the answer sheet adds to a question: in its box, or after ＝ (and …).
function rightNumbers(question, answer) {
  const box = /\[ ?(\d+)\]/.exec(answer);
  if (box) return [box[1]];
  const [, quotient, remainder = ''] = /^＝(\d+)(?:…(\d+))?$/.exec(answer.slice(question.length));
  return [quotient, remainder];
}

// Each problem's row as shown: its number and question, a box as the sheet's
// [ ], its fields' ids and what they hold, its mark and correction.
const rows = (page) => page.$$eval('#SolveProblems > li:not([hidden])', (items) => items.map((item) => ({
  id: item.id,
  question: [...item.querySelectorAll('.number, .text, .box')]
    .map((part) => part.matches('input') ? '[ ]' : part.textContent).join(''),
  fields: [...item.querySelectorAll('input')].map((input) => input.id),
  typed: [...item.querySelectorAll('input')].map((input) => input.value).join(''),
  mark: item.dataset.mark,
  correction: item.querySelector('.correction').hidden ? null : item.querySelector('.correction').textContent,
})));

// Enters each problem's answer in its style; a remainder of 0 is entered as
// 0 or left empty in turn. Gives the ids of the problems meant right.
async function answer(page, shown, numbers, styleOf) {
  const typed = shown.flatMap((row, k) => {
    const [style, [first, remainder]] = [styleOf(k), numbers.get(row.id)];
    const as = (digits) => (style === 'full-width' ? fullWidth(digits) : digits);
    if (style === 'empty') return [];
    return [[row.fields[0], as(style === 'wrong' ? String(Number(first) + 1) : first)],
            ...(row.fields[1] && (remainder || k % 2) ? [[row.fields[1], as(remainder || '0')]] : [])];
  });
  await page.evaluate((typed) => typed.forEach(([id, text]) => {
    const field = document.getElementById(id);
    field.value = text;
    field.dispatchEvent(new Event('input', {bubbles: true}));
  }), typed);
  return shown.filter((row, k) => ['digits', 'full-width'].includes(styleOf(k))).map(({id}) => id);
}

// 採点, answering its question (asked while a field is empty) with 採点する.
async function mark(page, asked) {
  await page.click('#MarkBtn');
  if (asked) await page.click('#MarkAnyway');
  await page.waitForSelector('#SolveProblems[data-marked]');  // the marks come once the result has painted
}

// What is wrong with the view on this screen: a target under 44 x 44, the
// controls not covered, a page wider than the screen, axe-core's faults.
const viewFaults = (page) => page.evaluate(async (axeSource) => {
  if (!window.axe) (0, eval)(axeSource);
  const faults = [...document.querySelectorAll('#SolveView button:not([hidden]), #SolveView input')]
    .map((target) => [target.id || target.textContent, target.getBoundingClientRect()])
    .filter(([, box]) => box.width > 0 && (box.width < 44 || box.height < 44)).map(([name]) => `${name} is small`);
  if (document.getElementById('Window').getBoundingClientRect().height) faults.push('the controls show');
  if (document.documentElement.scrollWidth > innerWidth) faults.push('the page is wider than the screen');
  const {violations} = await axe.run(document, {runOnly: {type: 'tag',
    values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']}});
  return [...faults, ...violations.map(({id, nodes}) => `${id}: ${nodes.map(({target}) => target.join(' '))}`)];
}, axeSource);

// The result: its numbers, 'told' once it has a text, 'again' while the retry is offered.
const result = (page) => page.evaluate(() => {
  const {dataset: {correct, total, round, done}, textContent} = document.getElementById('Result');
  const again = !document.getElementById('RetryBtn').hidden;
  return `${correct} ${total} ${round} ${done}${textContent ? ' told' : ''}${again ? ' again' : ''}`;
});

// The view (its rows, result and focus), and the results kept as rounds:done with the last one's time.
const shownView = (page) => Promise.all([rows(page), result(page), page.evaluate(() => document.activeElement.id)]);
const keptResults = (page) => page.evaluate(() => {
  const list = JSON.parse(localStorage.getItem(JSON.parse(document.getElementById('PageStart').textContent).table.links.key));
  return [(list ?? []).map(({rounds, done}) => `${rounds}:${done}`).join(' '), list?.[0].milliseconds ?? 0];
});
// A link's sheet in steps, reloaded after each (`typed` into the round's first field); then the results kept.
const reloadSteps = [{typed: '7', results: ''}, {mark: true, results: '1:false'}, {retry: true, typed: '8', results: '1:false'},
                     {mark: true, results: '2:false'}, {broken: true, results: '2:false'}];

forEngines((engine, browser) => {
  test('a reload gives the view back as left, before and after 採点 (afresh where what the tab kept is broken), its '
       + 'results kept once, its time going on; marked with mistakes, Enter on the focused result leaves it', async () => {
    const page = await openPage(browser(), {hash: '#seed=6&dans=3,4&count=9&sheet=2'});
    const [opened, afresh] = [Date.now(), await shownView(page)];
    let markedAt = 0;
    for (const [n, {typed, mark: marks, retry, broken, results}] of reloadSteps.entries()) {
      if (retry) await page.click('#RetryBtn');
      if (typed) await page.type('#SolveProblems > li:not([hidden]) input', typed);
      if (marks) {
        markedAt = Date.now();
        await mark(page, true);
        await page.keyboard.press('Enter');
        assert.match((await shownView(page)).slice(1).reverse().join(' '), /^Result .* told again$/);
      }
      if (broken) await page.evaluate(() => Object.keys(sessionStorage).forEach((key) => sessionStorage.setItem(key, '{')));
      const left = broken ? afresh : await shownView(page);
      await page.reload().then(() => page.waitForSelector('html[data-ready]'));
      if (marks) await page.waitForSelector('#SolveProblems[data-marked]');
      const [shown, [kept, milliseconds]] = [await shownView(page), await keptResults(page)];
      assert.deepEqual([shown, kept], [left, results], `step ${n}`);
      assert.ok(milliseconds >= markedAt - opened, 'the time since the view first opened');
    }
    await page.close();
  });

  test('every mode, blank, multiplier and numbering on a tablet and a phone: each problem\'s fields and ids; '
       + 'marked as the answer sheet has it, every target at least 44 x 44, no axe-core fault; the wrong ones again, '
       + 'same ids, fields empty, until all right; もどる goes back', async () => {
    for (const [n, options] of optionSets.entries()) {
      const [width, height] = n % 2 ? [360, 740] : [820, 1180];
      const what = `${JSON.stringify(options)} at ${width} x ${height}`;
      const page = await previewed(browser(), options, {width, height, touch: browser().can.touch});
      // The problems' texts on the preview's answer side, then its question side, after the four header texts.
      const sheet = () => page.$$eval('#PaintBox1 text', (all) => all.slice(4).map((text) => text.textContent));
      const answers = await sheet();
      await page.click('#SheetSwitch input[value="0"]');
      const questions = await sheet();
      await page.click('#SolveBtn');
      const shown = await rows(page);
      const fields = (i) => [`Answer${i}`, ...(options.select.Amari > 1 ? [`Remainder${i}`] : [])];
      assert.deepEqual(shown.map(({id, question, fields}) => [id, question, fields]),
                       questions.map((question, k) => [`Problem${k + 1}`, question, fields(k + 1)]), what);
      const numbers = new Map(shown.map((row, k) => [row.id, rightNumbers(questions[k], answers[k])]));

      const right = await answer(page, shown, numbers, (k) => styles[k % styles.length]);
      await mark(page, true);
      const marked = await rows(page);
      const correction = (row, k) => answers[k].slice(/^[①-⑳]?/u.exec(row.question)[0].length);
      assert.deepEqual(marked.map((row) => [row.id, row.mark, row.correction]), marked.map((row, k) =>
        [row.id, ...(right.includes(row.id) ? ['right', null] : ['wrong', correction(row, k)])]), what);
      assert.equal(await result(page), `${right.length} ${shown.length} 1 false told again`, what);
      assert.deepEqual(await viewFaults(page), [], what);

      await page.click('#RetryBtn');
      const again = await rows(page);
      assert.deepEqual(again.map(({id, typed}) => [id, typed]),
                       marked.filter(({mark}) => mark === 'wrong').map(({id}) => [id, '']), what);
      await answer(page, again, numbers, () => 'digits');
      await mark(page, false);
      assert.equal(await result(page), `${again.length} ${again.length} 2 true told`, what);
      await page.click('#BackBtn');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'SolveBtn', what);
      await page.close();
    }
  });

  test('typing: full-width digits at the caret, nothing but digits, five at most, Backspace and 消す; Enter, Tab and '
       + '次へ to the next field; つづける keeps every digit and marks nothing', async () => {
    const page = await previewed(browser(), {dans: [7], select: {Amari: 6, QNumCheck: 0, rgNum: 1}});
    await page.click('#SolveBtn');
    assert.deepEqual(await page.evaluate(() => [document.activeElement.id, document.activeElement.inputMode,
      ...['Answer1', 'Remainder3'].map((id) => document.getElementById(id).getAttribute('aria-label'))]),
                     ['Answer1', 'numeric', '問題1の答え', '問題3のあまり']);
    // Keys typed or pressed, the pad's keys and buttons clicked; then Answer1's text and caret, and the field focused.
    const steps = [
      ['type 1a２', '12 2 Answer1'], ['press ArrowLeft', 'type ３', '132 2 Answer1'],
      ['pad erase', 'pad 9', '192 2 Answer1'], ['press End', 'press Backspace', 'type 45678', '19456 5 Answer1'],
      ['press Enter', '19456 5 Remainder1'], ['press Tab', 'pad next', '19456 5 Remainder2'],
      ['click MarkBtn', 'click GoOn', '19456 5 Answer2'],
    ];
    for (const step of steps) {
      for (const [, verb, what] of step.slice(0, -1).map((action) => /^(\w+) (.*)$/.exec(action))) {
        if (verb === 'type' || verb === 'press') await page.keyboard[verb](what);
        else await page.click(verb === 'pad' ? `#NumberPad [data-key="${what}"]` : `#${what}`);
      }
      // The focus given back once つづける's box has closed.
      const focus = step.at(-1).split(' ')[2];
      await page.waitForFunction((id) => document.activeElement.id === id, {timeout: 2000}, focus).catch(() => {});
      assert.equal(await page.$eval('#Answer1', (input) => `${input.value} ${input.selectionStart} `
        + document.activeElement.id), step.at(-1), step.join(', '));
    }
    assert.equal(await page.$eval('#Result', (shown) => shown.textContent), '');
    // Marked, the fields take no key, even before the rows show the marks.
    assert.deepEqual(await page.evaluate(async () => {
      const typed = () => [...document.querySelectorAll('#SolveProblems input')].map((input) => input.value).join();
      for (const input of document.querySelectorAll('#SolveProblems input')) input.value ||= '1';
      const before = typed();
      document.getElementById('MarkBtn').click();
      document.querySelector('#NumberPad [data-key="5"]').click();
      const kept = typed() === before;
      document.getElementById('RetryBtn').click();  // before the marks show: that round left unmarked and open
      await new Promise((painted) => requestAnimationFrame(() => setTimeout(painted, 50)));
      const open = [...document.querySelectorAll('#SolveProblems > li:not([hidden]) input')];
      return kept && open.length > 0 && !open.some((input) => input.readOnly || input.closest('li').dataset.mark);
    }), true);
    await page.close();
  });
});
