// The native side of the browser tests: the desktop renderer's texts for the
// sheets a page shows or prints (tests/WebDrawCalls), and the page's options
// and print pages read in the same terms.
import assert from 'node:assert/strict';
import {spawn} from 'node:child_process';
import {join} from 'node:path';
import {createInterface} from 'node:readline';

const source = new URL('../../', import.meta.url).pathname;
const drawCallsProgram = process.env.ZENTAVO_DRAW_CALLS ?? join(source, 'build/default/tests/WebDrawCalls');
const shiftJis = new TextDecoder('shift_jis');

// The native renderer's texts: one request line, one JSON answer line; the
// program starts at the first request, and close() ends it.
export const drawCalls = (() => {
  let child = null;
  let lines = null;
  const ask = async (request) => {
    if (!child) {
      child = spawn(drawCallsProgram, [], {stdio: ['pipe', 'pipe', 'inherit']});
      lines = createInterface({input: child.stdout})[Symbol.asyncIterator]();
    }
    child.stdin.write(request + '\n');
    const answer = JSON.parse((await lines.next()).value);
    assert.ok(answer, `the renderer cannot draw: ${request}`);
    return answer;
  };
  ask.close = () => child?.stdin.end();
  return ask;
})();

export const nativeTexts = (texts) =>
  texts.map(([x, , hex, family]) => [x, shiftJis.decode(Buffer.from(hex, 'hex')), family]);

// The pages zentavo-sheets draws for sheets `first` on of `seed`, numbered from
// `number`, on the page's paper.
export async function nativePages(options, seed, first, sheets, answers, number, viewBox) {
  const [, , width, height] = viewBox.split(' ');
  const all = await drawCalls(`set ${options} ${seed} ${first + sheets - 1} ${answers} ${number - first + 1} ${width} ${height}`);
  return all.filter((page) => page.sheet >= first);
}

// The options as the page's controls show them, in SheetOptions' order.
export const shownOptions = (page) => page.evaluate((groups) => {
  let mask = 0;
  for (let dan = 0; dan < 10; ++dan) if (document.getElementById(`D${dan}`).checked) mask |= 1 << dan;
  const item = (name) => Number(document.querySelector(`#${name} input:checked`)?.value ?? -1);
  return [mask, ...groups.map(item)].join(' ');
}, ['ImportantDan', 'JousuuCheck', 'QNumCheck', 'RandomCheck', 'MGroup', 'Amari', 'rgNum', 'rgSquare']);

// The pages in PrintPages: each its viewBox and texts as [x, text, family].
export const printPages = (page) => page.$$eval('#PrintPages > svg', (pages) => pages.map((svg) => ({
  viewBox: svg.getAttribute('viewBox'),
  texts: [...svg.querySelectorAll('text')].map((text) => [Number(text.getAttribute('x')), text.textContent,
                                                         text.closest('g').getAttribute('font-family').replace(/'/g, '')]),
})));
