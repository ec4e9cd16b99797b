// The README's pictures of the browser edition, from build/web/zentavo.html
// and build/web/site/ in Debian's headless Chromium (run by
// web/tools/make-screenshots):
//   docs/web-page.png         the page on a 1920 x 1080 screen after a Preview
//   docs/web-laptop.png       the same on a teacher's laptop, 1366 x 768
//   docs/web-phone.png        the same at 360 CSS pixels, the whole page
//   docs/web-tablet.png       an iPad held upright (820 x 1180, touch)
//   docs/web-solve.png        画面で解く on that iPad, marked, one answer wrong
//   docs/web-printed-a4.png   the question sheet printed on A4 (via page.pdf)
// and the class's day, from the web site served on localhost:
//   docs/class-link.png       the class link on the classroom's large display
//   docs/class-pupil.png      a pupil's page on a tablet, marked, its code shown
//   docs/class-table.png      the teacher's 集計 after the class's codes came in
//   docs/class-csv.png        its CSV file opened as a spreadsheet (LibreOffice)
//   docs/class-missed-a4.png  the sheet of the class's mistakes printed on A4
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join} from 'node:path';
import {launch, openPage, pageFile} from './engines.mjs';

const docs = new URL('../../docs/', import.meta.url).pathname;
const scratch = mkdtempSync(join(tmpdir(), 'zentavo-pictures-'));
// As in the desktop's pictures: ３の段 and ７の段, ２０問, 被除数に０を 入れる.
const sheet = ['#D3', '#D7', '#QNumCheck input[value="3"]', '#JousuuCheck input[value="1"]', '#PreviewBtn'];

// The page's pictures.
async function pagePictures(browser) {
  const page = await openPage(browser, {hash: '#seed=20260401', width: 1920, height: 1080});
  for (const selector of sheet) await page.click(selector);
  await page.evaluate(() => scrollTo(0, 0));
  await page.screenshot({path: join(docs, 'web-page.png')});
  await page.setViewport({width: 1366, height: 768});
  await page.screenshot({path: join(docs, 'web-laptop.png')});
  await page.setViewport({width: 360, height: 740});
  await page.screenshot({path: join(docs, 'web-phone.png'), fullPage: true});
  await page.evaluate(() => { window.print = () => {}; });
  await page.click('#PrintBtn');
  await printed(page, 'web-printed-a4');
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
  await tablet.waitForSelector('#SolveProblems[data-marked]');
  await tablet.evaluate(() => scrollTo(0, 0));
  await tablet.screenshot({path: join(docs, 'web-solve.png')});
}

// What PrintPages holds, printed to PDF and made a PNG in docs.
async function printed(page, name) {
  const pdf = join(scratch, `${name}.pdf`);
  await page.pdf({path: pdf, preferCSSPageSize: true});
  execFileSync('pdftoppm', ['-png', '-r', '80', '-singlefile', pdf, join(docs, name)]);
}

// The web site on a free port of localhost.
async function serveSite() {
  const site = join(pageFile, '..', 'site');
  const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm'};
  const server = createServer(({url}, response) => {
    const name = url.slice(1).split('#')[0] || 'index.html';
    if (!readdirSync(site).includes(name) || !types[extname(name)]) response.writeHead(404).end();
    else response.writeHead(200, {'content-type': types[extname(name)]}).end(readFileSync(join(site, name)));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close()};
}

// A pupil at the class link: their number, each answer right but those
// `wrong` picks (a quotient too large), marked; the code.
async function pupilAnswers(browser, link, number, wrong, picture = null) {
  const pupil = await openPage(browser, {url: link, width: 820, height: 1180, touch: Boolean(picture)});
  await pupil.select('#PupilStartNumber', String(number));
  await pupil.click('#PupilStartBtn');
  await pupil.waitForSelector('#SolveView:not([hidden])');
  await pupil.$$eval('#SolveProblems > li', (items, wrong) => items.forEach((item, k) => {
    const [dividend, divisor] = item.querySelector('.text').textContent.split('÷').map(Number);
    item.querySelector('input').value = String(dividend / divisor + (wrong.includes(k) ? 1 : 0));
  }), wrong);
  await pupil.click('#MarkBtn');
  await pupil.waitForSelector('#SolveProblems[data-marked]');
  await pupil.waitForFunction(() => document.getElementById('ResultCode').textContent !== '');
  if (picture) await pupil.screenshot({path: join(docs, picture)});
  const code = await pupil.$eval('#ResultCode', (shown) => shown.textContent);
  await pupil.close();
  return code;
}

async function classPictures(browser) {
  const site = await serveSite();
  try {
    const teacher = await openPage(browser, {url: `${site.url}#seed=20260401`, width: 1920, height: 1080});
    for (const selector of ['#D6', '#D7', '#D8', '#QNumCheck input[value="3"]', '#PreviewBtn']) {
      await teacher.click(selector);
    }
    await teacher.$eval('#ClassLinkParts', (parts) => parts.scrollIntoView());
    await teacher.screenshot({path: join(docs, 'class-link.png')});
    const link = await teacher.$eval('#ClassLink', (anchor) => anchor.href);
    // A class of twelve: most get most right, the 7 and 8 dans' harder facts less often.
    const codes = [];
    for (let pupil = 1; pupil <= 12; ++pupil) {
      const wrong = [3, 7, 11, 16, 18].filter((k) => (k * 7 + pupil * 5) % 11 < 4);
      codes.push(await pupilAnswers(browser, link, pupil, wrong, pupil === 5 ? 'class-pupil.png' : null));
    }
    await teacher.click('#CollectBtn');
    await teacher.$eval('#CollectInput', (input, text) => { input.value = text; }, codes.join('\n'));
    await teacher.click('#CollectAddBtn');
    await teacher.$eval('#CollectInput', (input) => { input.value = ''; });
    await teacher.screenshot({path: join(docs, 'class-table.png')});
    // The CSV as a teacher opens it.
    const csv = await teacher.evaluate(async () => {
      let blob = null;
      URL.createObjectURL = (made) => { blob = made; return 'blob:'; };
      document.getElementById('CsvBtn').click();
      return [...new Uint8Array(await blob.arrayBuffer())];
    });
    writeFileSync(join(scratch, 'class.csv'), Buffer.from(csv));
    execFileSync('libreoffice', ['--headless', '--infilter=CSV:44,34,76', '--convert-to', 'pdf', '--outdir', scratch,
                                 join(scratch, 'class.csv')]);
    execFileSync('pdftoppm', ['-png', '-r', '80', '-singlefile', '-x', '0', '-y', '0', '-W', '900', '-H', '260',
                              join(scratch, 'class.pdf'), join(docs, 'class-csv')]);
    await teacher.click('#MissedSheetBtn');
    await teacher.evaluate(() => { window.print = () => {}; });
    await teacher.click('#PrintAnsBtn');
    await printed(teacher, 'class-missed-a4');
  } finally {
    site.close();
  }
}

const browser = await launch();
try {
  await pagePictures(browser);
  await classPictures(browser);
} finally {
  await browser.close();
  rmSync(scratch, {recursive: true, force: true});
}
