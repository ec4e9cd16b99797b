// The page as a pupil's device shows it, in each engine: nothing overlaps or
// is cut at the sizes of laptops, iPads and phones; every control a target of
// 24 CSS pixels (or spaced as WCAG 2.2's 2.5.8 allows), bigger for a finger;
// no axe-core fault; every control by keyboard, its focus shown; the sheet
// read out in order; a browser without WebAssembly told why nothing works.
import assert from 'node:assert/strict';
import {test} from 'node:test';
import {axeFaults} from './axe.mjs';
import {forEngines, openPage} from './engines.mjs';

// What is wrong with the page as laid out now, as a list of findings.
const layoutFaults = (page, coarse) => page.evaluate((coarse) => {
  const faults = [];
  const box = (element) => element.getBoundingClientRect();
  const shown = (element) => box(element).width > 0 && getComputedStyle(element).visibility !== 'hidden';
  const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5
    && Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
  const name = (element) => element.id || `${element.closest('[id]').id} ${element.textContent.trim()}`;
  // Siblings of one container: the window's controls, or a group's items and its caption.
  for (const container of [document.getElementById('Form1'), ...document.querySelectorAll('#Form1 fieldset')]) {
    const parts = [...container.children].filter(shown);
    parts.forEach((a, i) => parts.slice(i + 1).forEach((b) => {
      if (overlap(box(a), box(b))) faults.push(`${name(a)} overlaps ${name(b)}`);
    }));
  }
  for (const caption of document.querySelectorAll('#Form1 legend, #Form1 label, #Form1 button, #SheetNumber')) {
    const cut = caption.scrollWidth > caption.clientWidth + 1 || caption.scrollHeight > caption.clientHeight + 1;
    if (shown(caption) && cut) faults.push(`${name(caption)} is cut`);
  }
  if (document.documentElement.scrollWidth > innerWidth) faults.push('the page is wider than the screen');
  const sheet = box(document.getElementById('PaintBox1'));
  if (sheet.left < 0 || sheet.right > innerWidth || sheet.width < 300) faults.push('the sheet is not wholly visible');

  // Targets: a box or radio button with its caption, or a button, input or
  // list. An undersized one needs a 24 px circle round its middle clear of
  // every other target and of every other undersized one's circle.
  const targets = [...document.querySelectorAll('#Form1 input, #Form1 button, #Form1 select')].filter(shown)
    .map((control) => ({control, area: box(control.closest('label.item') ?? control)}));
  const middle = ({area}) => [(area.left + area.right) / 2, (area.top + area.bottom) / 2];
  const small = ({area}) => area.width < 24 - 0.01 || area.height < 24 - 0.01;
  const near = (point, area) => Math.hypot(Math.max(area.left - point[0], 0, point[0] - area.right),
                                           Math.max(area.top - point[1], 0, point[1] - area.bottom));
  for (const target of targets) {
    if (coarse && ['checkbox', 'radio'].includes(target.control.type)) {
      const own = box(target.control);
      if (own.width < 24 || own.height < 24) faults.push(`${name(target.control)} is ${own.width} x ${own.height}`);
    }
    if (!small(target)) continue;
    for (const other of targets) {
      if (other === target || other.area === target.area) continue;
      const apart = small(other) ? Math.hypot(...middle(target).map((v, i) => v - middle(other)[i])) >= 24
                                 : near(middle(target), other.area) >= 12;
      if (!apart) faults.push(`${name(target.control)} is too close to ${name(other.control)}`);
    }
  }
  return [...new Set(faults)];
}, coarse);

// Teachers' laptops: 1366 x 768, 1920 x 1080 at 125 % and at 100 %, 1280 x 720.
const laptops = [[1366, 768], [1536, 864], [1920, 1080], [1280, 720]];

forEngines((engine, browser) => {
  for (const [width, height] of [[1280, 800], [820, 1180], [1180, 820], [360, 740], ...laptops]) {
    for (const touch of engine === 'chromium' ? [false, true] : [false]) {
      test(`${width} x ${height}${touch ? ', touch' : ''}: nothing overlaps or is cut, every target large enough; `
           + 'no axe-core fault at start and after a Preview', async () => {
        const page = await openPage(browser(), {hash: '#seed=5', width, height, touch});
        assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), touch);
        assert.deepEqual(await axeFaults(page), [], 'at start');
        for (const selector of ['#D3', '#D7', '#QNumCheck input[value="11"]', '#Amari input[value="3"]', '#PreviewBtn'])
          await page.click(selector);
        assert.deepEqual(await layoutFaults(page, touch), []);
        assert.deepEqual(await axeFaults(page), [], 'after a Preview');
        await page.close();
      });
    }
  }

  test('on a laptop\'s screen ﾌﾟﾚﾋﾞｭｰ by mouse scrolls nothing; its commands and the whole sheet, over half the '
       + 'screen high, are on it', async () => {
    for (const [width, height] of laptops) {
      const page = await openPage(browser(), {hash: '#seed=5', width, height});
      for (const selector of ['#D3', '#PreviewBtn']) await page.click(selector);
      const shown = await page.evaluate(() => {
        const {clientWidth, clientHeight} = document.documentElement;
        const box = (id) => document.getElementById(id).getBoundingClientRect();
        return {scrolled: [scrollX, scrollY], tall: box('PaintBox1').height >= 0.55 * clientHeight,
                off: ['PreviewBtn', 'PrintBtn', 'PrintAnsBtn', 'SolveBtn', 'PaintBox1'].filter((id) => box(id).left < 0
                  || box(id).top < 0 || box(id).right > clientWidth || box(id).bottom > clientHeight)};
      });
      assert.deepEqual(shown, {scrolled: [0, 0], tall: true, off: []}, `${width} x ${height}`);
      await page.close();
    }
  });

  test('the keyboard reaches every control, its focus shown, and makes a sheet; the sheet is read out in order',
       async () => {
    const page = await openPage(browser(), {hash: '#seed=5', width: 1280, height: 800});
    for (const id of ['D3', 'D7', 'PreviewBtn']) {
      await page.evaluate((id) => document.getElementById(id).focus(), id);
      await page.keyboard.press(id === 'PreviewBtn' ? 'Enter' : ' ');
    }
    await page.waitForSelector('#PaintBox1 .for-reader');
    const texts = (selector) => page.$$eval(selector, (all) => all.map((text) => text.textContent));
    const drawn = await texts('#PaintBox1 svg text');
    assert.ok(drawn.includes('18÷3＝6'), drawn.join(' '));
    assert.deepEqual(await texts('#PaintBox1 .for-reader p'), drawn);
    // From the page's heading to past its last control.
    await page.$eval('h1', (heading) => {
      heading.tabIndex = -1;
      heading.focus();
      heading.removeAttribute('tabindex');
    });
    const visited = [];
    for (let step = 0; step < 80; ++step) {
      await page.keyboard.press('Tab');
      const focused = await page.evaluate(() => {
        const control = document.activeElement;
        const ring = getComputedStyle(control.closest('label.item') ?? control).outlineStyle;
        return control !== document.body && {id: control.id || control.name, ring};
      });
      if (!focused) break;
      visited.push(focused);
    }
    assert.deepEqual(visited.filter(({ring}) => ring === 'none'), [], 'each focus is shown');
    assert.deepEqual(['D4', 'ImportantDan', 'QNumCheck', 'Amari', 'Edit1', 'PreviewBtn', 'sheets', 'seed', 'paper']
      .filter((id) => !visited.some((focused) => focused.id === id)), [], 'Tab reaches each');
    await page.close();
  });

  // An engine whose driver runs a script before the page's own.
  if (engine !== 'webkit') {
    test('without WebAssembly, or when it fails to compile, the page says why its controls do nothing', async () => {
      for (const breakIt of ['delete globalThis.WebAssembly',
                             'WebAssembly.instantiate = () => Promise.reject(new Error("broken"))']) {
        const page = await openPage(browser(), {ready: false, beforeLoad: (opened) =>
          opened.evaluateOnNewDocument(breakIt)});
        await page.waitForSelector('#NoProgram:not([hidden])');
        const {noProgram} = JSON.parse(await page.$eval('#PageStart', (start) => start.textContent)).table;
        assert.deepEqual(await page.evaluate(() => [document.getElementById('NoProgram').textContent,
          document.getElementById('Form1').inert, document.documentElement.dataset.ready ?? null]),
                         [noProgram, true, null], breakIt);
        await page.close();
      }
    });
  }
});
