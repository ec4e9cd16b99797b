// 画面で解く in each engine: the previewed sheet answered on screen over every
// mode, blank, multiplier, numbering and the largest count, with right,
// wrong, full-width, number-pad and empty answers, marked against the answer
// sheet the preview shows; the wrong ones again until all are right; the
// keyboard and the pad; the view's targets on a tablet and a phone.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {test} from 'node:test';
import {forEngines, openPage} from './engines.mjs';

const axeSource = readFileSync(new URL('./node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');

const optionSets = [
  {dans: [2, 3, 4], select: {QNumCheck: 3}},
  {dans: [4, 5, 6, 7], select: {MGroup: 1, rgNum: 1, QNumCheck: 5}},
  {dans: [1, 8, 9], select: {MGroup: 2, JousuuCheck: 1, QNumCheck: 4}},
  {dans: [3, 7], select: {rgSquare: 1, QNumCheck: 2}},
  {dans: [6, 8], select: {rgSquare: 2, rgNum: 1, QNumCheck: 1, RandomCheck: 1}},
  {dans: [1, 2, 3, 4, 5, 6, 7, 8, 9], select: {rgSquare: 3, rgNum: 1, QNumCheck: 11, RandomCheck: 1, MGroup: 2}},
  ...[1, 2, 3, 4, 5, 6].map((mode) => ({dans: [5], select: {Amari: mode, QNumCheck: mode % 2 ? 0 : 3, rgNum: mode % 2}})),
  {dans: [5], select: {Amari: 7, QNumCheck: 5, rgNum: 1}},
];

// Cycled over the problems. Typing itself, by keys and the pad, is tested
// once below; here each field gets its text as an input method leaves it.
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

// The problems' texts on the preview's question and answer sheets, after
// the sheet's four header texts.
async function sheetTexts(page) {
  const texts = () => page.$$eval('#PaintBox1 text', (all) => all.slice(4).map((text) => text.textContent));
  const answers = await texts();
  await page.click('#SheetSwitch input[value="0"]');
  return {questions: await texts(), answers};
}

// The numbers the answer sheet adds to a question: in its box, or after ＝
// (and …).
function rightNumbers(question, answer) {
  const box = /\[ ?(\d+)\]/.exec(answer);
  if (box) return [box[1]];
  const [, quotient, remainder = ''] = /^＝(\d+)(?:…(\d+))?$/.exec(answer.slice(question.length));
  return [quotient, remainder];
}

// Each problem's row as shown: its number and question, a box as the sheet's
// [ ], and its fields' ids.
const rows = (page) => page.$$eval('#SolveProblems > li:not([hidden])', (items) => items.map((item) => ({
  id: item.id,
  question: [...item.querySelectorAll('.number, .text, .box')]
    .map((part) => part.matches('input') ? '[ ]' : part.textContent).join(''),
  fields: [...item.querySelectorAll('input')].map((input) => input.id),
  mark: item.dataset.mark,
  correction: item.querySelector('.correction').hidden ? null : item.querySelector('.correction').textContent,
})));

// Enters each problem's answer in its style; a remainder of 0 is entered as
// 0 or left empty in turn. Gives the ids of the problems meant right.
async function answer(page, shown, numbers, styleOf) {
  const right = [];
  const typed = [];
  for (const [k, row] of shown.entries()) {
    const style = styleOf(k);
    if (style === 'empty') continue;
    const [first, remainder] = numbers.get(row.id);
    const shownAs = (digits) => (style === 'full-width' ? fullWidth(digits) : digits);
    typed.push([row.fields[0], shownAs(style === 'wrong' ? String(Number(first) + 1) : first)]);
    if (row.fields[1] && (remainder !== '' || k % 2)) typed.push([row.fields[1], shownAs(remainder || '0')]);
    if (style !== 'wrong') right.push(row.id);
  }
  await page.evaluate((typed) => {
    for (const [id, text] of typed) {
      const field = document.getElementById(id);
      field.value = text;
      field.dispatchEvent(new Event('input', {bubbles: true}));
    }
  }, typed);
  return right;
}

// 採点, answering its question (asked while a field is empty) with 採点する.
async function mark(page, asked) {
  await page.click('#MarkBtn');
  if (asked) await page.click('#MarkAnyway');
  await page.waitForSelector('#Result:not(:empty)');
}

const result = (page) => page.$eval('#Result', (shown) => ({...shown.dataset, text: shown.textContent.length > 0}));

forEngines((engine, browser) => {
  test('every mode, blank, multiplier and numbering: marked against the answer sheet, then again until all right',
       async () => {
    for (const options of optionSets) {
      const what = JSON.stringify(options);
      const page = await previewed(browser(), options);
      const {questions, answers} = await sheetTexts(page);
      await page.click('#SolveBtn');
      const shown = await rows(page);
      assert.deepEqual(shown.map(({question}) => question), questions, what);
      const numbers = new Map(shown.map((row, k) => [row.id, rightNumbers(questions[k], answers[k])]));
      const twoDigit = Boolean(options.select.Amari);
      shown.forEach((row, k) => assert.equal(row.fields.length, twoDigit && options.select.Amari > 1 ? 2 : 1, what));

      const right = await answer(page, shown, numbers, (k) => styles[k % styles.length]);
      await mark(page, true);
      const marked = await rows(page);
      const number = (row) => /^[①-⑳]?/u.exec(row.question)[0];
      marked.forEach((row, k) => {
        assert.equal(row.mark, right.includes(row.id) ? 'right' : 'wrong', `${what} ${row.id}`);
        assert.equal(row.correction, row.mark === 'right' ? null : answers[k].slice(number(row).length), what);
      });
      assert.deepEqual(await result(page), {correct: String(right.length), total: String(shown.length), round: '1',
                                            done: 'false', text: true}, what);

      // The wrong ones again, with the same ids and empty fields; in the
      // largest set one stays wrong for a third round.
      const stubborn = shown.length === 80;
      for (let round = 2; round <= (stubborn ? 3 : 2); ++round) {
        await page.click('#RetryBtn');
        const again = await rows(page);
        assert.deepEqual(again.map(({id}) => id), marked.filter(({mark}) => mark === 'wrong').map(({id}) => id)
          .slice(0, round === 3 ? 1 : undefined), what);
        assert.ok(await page.$$eval('#SolveProblems li:not([hidden]) input', (all) => all.every((f) => !f.value)));
        const wrongOne = stubborn && round === 2;
        await answer(page, again, numbers, (k) => (wrongOne && k === 0 ? 'wrong' : 'digits'));
        await mark(page, false);
        const done = !wrongOne;
        assert.deepEqual(await result(page), {correct: String(again.length - (done ? 0 : 1)), total: String(again.length),
                                              round: String(round), done: String(done), text: true}, what);
      }
      assert.ok(await page.$eval('#RetryBtn', (retry) => retry.hidden), what);
      await page.close();
    }
  });

  test('typing: full-width digits at the caret, nothing but digits, Backspace and 消す, Enter, Tab and 次へ',
       async () => {
    const page = await previewed(browser(), {dans: [7], select: {Amari: 6, QNumCheck: 0, rgNum: 1}});
    await page.click('#SolveBtn');
    const field = (id) => page.$eval(`#${id}`, (input) => [input.value, input.selectionStart, document.activeElement.id]);
    assert.deepEqual(await page.$eval('#Answer1', (input) => [document.activeElement.id, input.inputMode,
                                                               input.getAttribute('aria-label')]),
                     ['Answer1', 'numeric', '問題1の答え']);
    assert.equal(await page.$eval('#Remainder3', (input) => input.getAttribute('aria-label')), '問題3のあまり');
    await page.keyboard.type('1a２');
    assert.deepEqual(await field('Answer1'), ['12', 2, 'Answer1']);
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.type('３');
    assert.deepEqual(await field('Answer1'), ['132', 2, 'Answer1']);
    await page.click('#NumberPad [data-key="erase"]');
    await page.click('#NumberPad [data-key="9"]');
    assert.deepEqual(await field('Answer1'), ['192', 2, 'Answer1']);
    await page.keyboard.press('End');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('45678');  // five digits at most
    assert.deepEqual(await field('Answer1'), ['19456', 5, 'Answer1']);
    await page.keyboard.press('Enter');
    assert.equal((await field('Remainder1'))[2], 'Remainder1');
    await page.keyboard.press('Tab');
    await page.click('#NumberPad [data-key="next"]');
    assert.equal((await field('Remainder2'))[2], 'Remainder2');

    // つづける keeps every digit and marks nothing.
    await page.click('#MarkBtn');
    await page.click('#GoOn');
    await page.waitForFunction(() => document.activeElement.id === 'Answer2');
    assert.deepEqual(await field('Answer1'), ['19456', 5, 'Answer2']);
    assert.equal(await page.$eval('#Result', (shown) => shown.textContent), '');
    await page.close();
  });

  for (const [width, height] of [[820, 1180], [360, 740]]) {
    test(`${width} x ${height}: the view covers the controls, every target at least 44 x 44, no axe-core fault, `
         + 'もどる goes back',
         async () => {
      const page = await previewed(browser(), {dans: [2, 3, 4, 5], select: {Amari: 7, QNumCheck: 3, rgNum: 1}},
                                   {width, height, touch: browser().can.touch});
      await page.click('#SolveBtn');
      await mark(page, true);
      const small = await page.$$eval('#SolveView button:not([hidden]), #SolveView input', (targets) => targets
        .map((target) => [target.id || target.textContent, target.getBoundingClientRect()])
        .filter(([, box]) => box.width > 0 && (box.width < 44 || box.height < 44)).map(([name]) => name));
      assert.deepEqual(small, []);
      await page.evaluate(axeSource);
      assert.deepEqual(await page.evaluate(async () => (await axe.run(document, {
        runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']},
      })).violations.map(({id, nodes}) => `${id}: ${nodes.map(({target}) => target.join(' ')).join(', ')}`)), []);
      assert.deepEqual(await page.evaluate(() => [document.getElementById('Window').getBoundingClientRect().height,
                                                  document.documentElement.scrollWidth <= innerWidth]), [0, true]);
      await page.click('#BackBtn');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'SolveBtn');
      await page.close();
    });
  }
});
