// The README's pictures of the browser edition, from build/web/zentavo.html
// in Debian's headless Chromium (run by web/make-screenshots):
//   docs/web-page.png       the page at desktop width after a Preview
//   docs/web-phone.png      the same at 360 CSS pixels, the whole page
//   docs/web-printed-a4.png the question sheet printed on A4 (via page.pdf)
import {execFileSync} from 'node:child_process';
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {launch, openPage} from './browser.mjs';

const docs = new URL('../../docs/', import.meta.url).pathname;
const scratch = mkdtempSync(join(tmpdir(), 'zentavo-pictures-'));
const browser = await launch();
try {
  const page = await openPage(browser, {hash: '#seed=20260401', width: 760, height: 700});
  // As in the desktop's pictures: ３の段 and ７の段, ２０問, 被除数に０を 入れる.
  for (const selector of ['#D3', '#D7', '#QNumCheck input[value="3"]', '#JousuuCheck input[value="1"]', '#PreviewBtn'])
    await page.click(selector);
  await page.screenshot({path: join(docs, 'web-page.png')});
  await page.setViewport({width: 360, height: 740});
  await page.screenshot({path: join(docs, 'web-phone.png'), fullPage: true});
  await page.evaluate(() => { window.print = () => {}; });
  await page.click('#PrintBtn');
  const pdf = join(scratch, 'printed.pdf');
  await page.pdf({path: pdf, preferCSSPageSize: true});
  execFileSync('pdftoppm', ['-png', '-r', '80', '-singlefile', pdf, join(docs, 'web-printed-a4')]);
} finally {
  await browser.close();
  rmSync(scratch, {recursive: true, force: true});
}
