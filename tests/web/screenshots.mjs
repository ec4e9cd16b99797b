// The README's pictures of the browser edition, from build/web/zentavo.html
// in Debian's headless Chromium (run by web/make-screenshots):
//   docs/web-page.png       the page on a 1280 x 800 screen after a Preview
//   docs/web-phone.png      the same at 360 CSS pixels, the whole page
//   docs/web-tablet.png     an iPad held upright (820 x 1180, touch)
//   docs/web-solve.png      画面で解く on that iPad, marked, one answer wrong
//   docs/web-printed-a4.png the question sheet printed on A4 (via page.pdf)
import {execFileSync} from 'node:child_process';
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launch, openPage} from './engines.mjs';

const docs = new URL('../../docs/', import.meta.url).pathname;
const scratch = mkdtempSync(join(tmpdir(), 'zentavo-pictures-'));
// As in the desktop's pictures: ３の段 and ７の段, ２０問, 被除数に０を 入れる.
const sheet = ['#D3', '#D7', '#QNumCheck input[value="3"]', '#JousuuCheck input[value="1"]', '#PreviewBtn'];
const browser = await launch();
try {
  const page = await openPage(browser, {hash: '#seed=20260401', width: 1280, height: 800});
  for (const selector of sheet) await page.click(selector);
  await page.evaluate(() => scrollTo(0, 0));
  await page.screenshot({path: join(docs, 'web-page.png')});
  await page.setViewport({width: 360, height: 740});
  await page.screenshot({path: join(docs, 'web-phone.png'), fullPage: true});
  await page.evaluate(() => { window.print = () => {}; });
  await page.click('#PrintBtn');
  const pdf = join(scratch, 'printed.pdf');
  await page.pdf({path: pdf, preferCSSPageSize: true});
  execFileSync('pdftoppm', ['-png', '-r', '80', '-singlefile', pdf, join(docs, 'web-printed-a4')]);
  await page.close();

  const tablet = await openPage(browser, {hash: '#seed=20260401', width: 820, height: 1180, touch: true});
  for (const selector of sheet) await tablet.tap(selector);
  await tablet.evaluate(() => scrollTo(0, 0));
  await tablet.screenshot({path: join(docs, 'web-tablet.png')});
  // Each answer as the answer sheet shows it, but the third.
  const answers = await tablet.$$eval('#PaintBox1 text', (texts) => texts.slice(4).map((text) =>
    /＝(\d+)$/.exec(text.textContent)?.[1] ?? ''));
  await tablet.tap('#SolveBtn');
  for (const [index, answer] of answers.entries())
    await tablet.type(`#Answer${index + 1}`, index === 2 ? String(Number(answer) + 1) : answer);
  await tablet.tap('#MarkBtn');
  await tablet.evaluate(() => scrollTo(0, 0));
  await tablet.screenshot({path: join(docs, 'web-solve.png')});
} finally {
  await browser.close();
  rmSync(scratch, {recursive: true, force: true});
}
