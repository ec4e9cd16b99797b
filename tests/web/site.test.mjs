// The web site beside zentavo.html (site/), served by a real static server on
// localhost as a school's web server serves it: installable (Chromium),
// working offline once visited, and replaced whole by a new version on the
// server, on every engine.
import assert from 'node:assert/strict';
import {execFileSync, spawn} from 'node:child_process';
import {cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {dirname, extname, join} from 'node:path';
import {createInterface} from 'node:readline';
import {after, test} from 'node:test';
import {forEngines, openPage, pageFile, siteFolder, siteTypes} from './engines.mjs';

const source = new URL('../../', import.meta.url).pathname;
const python = '/usr/bin/python3';
const scratch = mkdtempSync(join(tmpdir(), 'zentavo-site-test-'));
after(() => rmSync(scratch, {recursive: true, force: true}));

// The next version, as a rebuild makes it from a changed page.
const nextSite = join(scratch, 'next');
const bundle = join(dirname(pageFile), 'web/tools/bundle');
writeFileSync(join(scratch, 'next.html'), readFileSync(pageFile, 'utf8').replace('<head>', '<head><meta name="next">'));
execFileSync(python, [join(source, 'web/tools/site.py'), '--page', join(scratch, 'next.html'), '--output', nextSite,
                      '--worker', join(source, 'web/page/sw.js'), '--icons', join(source, 'packaging/icons'),
                      '--desktop', join(source, 'packaging/io.github.zentavo.Zentavo.desktop'),
                      '--decoder', ...['qr-reader.js', 'zxing_reader.wasm'].map((name) => join(siteFolder, name)),
                      ...['script', 'collect'].flatMap((name, i) => [`--${name}`, join(bundle, ['site-page.js', 'collect.js'][i])]),
                      '--most-bytes', '200000']);
const versionOf = (folder) => /const version = '(\w+)'/.exec(readFileSync(join(folder, 'sw.js'), 'utf8'))[1];

// Debian's Python serving a folder on a free port of 127.0.0.1.
async function serve(folder) {
  const server = spawn(python, ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0', '--directory', folder],
                       {stdio: ['ignore', 'pipe', 'ignore']});
  const exited = new Promise((resolve) => server.once('exit', resolve));
  for await (const line of createInterface({input: server.stdout})) {
    const port = /port (\d+)/.exec(line)?.[1];
    if (port) return {url: `http://127.0.0.1:${port}/`, stop: () => server.kill() && exited};
  }
  throw new Error(`the server did not start (${await exited})`);
}

// A host of clean addresses: index.html sent to its folder by a redirect,
// the folder answered with index.html's bytes; as IIS, only the types given it.
async function serveRedirecting(folder) {
  const server = createServer(({url}, response) => {
    const name = url === '/' ? 'index.html' : url.slice(1);
    if (url === '/index.html') response.writeHead(301, {Location: './'}).end();
    else if (!readdirSync(folder).includes(name) || !siteTypes[extname(name)]) response.writeHead(404).end();
    else response.writeHead(200, {'Content-Type': siteTypes[extname(name)]}).end(readFileSync(join(folder, name)));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {url: `http://127.0.0.1:${server.address().port}/`,
          stop: () => new Promise((resolve) => server.close(resolve).closeAllConnections())};
}

// The caches once the worker in use is active.
const kept = (page) => page.evaluate(() => navigator.serviceWorker.ready.then(() => caches.keys()));

// What an update check finds on the server comes to: its new worker's state
// past the install ('activating', or 'redundant' where it failed), or null.
// Followed from before it is active: WebKit tells an open page nothing of a
// worker it first sees active.
const updateChecked = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.ready;
  await registration.update();
  const worker = registration.installing ?? registration.waiting;
  while (['installing', 'installed'].includes(worker?.state))
    await new Promise((resolve) => worker.addEventListener('statechange', resolve, {once: true}));
  return worker?.state ?? null;
});

const isNext = (page) => page.$$eval('meta[name="next"]', (metas) => metas.length === 1);

// Which version the page is, and the pages of a Preview's class set of 3.
async function use(page) {
  for (let dan = 1; dan <= 9; ++dan) await page.click(`#D${dan}`);
  await page.$eval('#sheets', (sheets) => { sheets.value = '3'; window.print = () => {}; });
  await page.click('#PreviewBtn');
  await page.click('#PrintBtn');
  return [await isNext(page), await page.$eval('#PrintPages', (pages) => pages.childElementCount)];
}

forEngines((engine, browser) => {
  test('behind a host that redirects index.html to its folder, the site opens on every visit, online and offline',
       {timeout: 120_000}, async () => {
    const server = await serveRedirecting(siteFolder);
    const visit = () => openPage(browser(), {url: server.url});
    try {
      await kept(await visit());
      await visit();
      await server.stop();
      assert.deepEqual(await use(await visit()), [false, 3]);
    } finally {
      await server.stop();
    }
  });

  test('a site missing its WebAssembly, or 集計\'s module, says so', async () => {
    for (const [missing, opened, told] of [['.wasm.gz', null, '#NoProgram:not([hidden])'],
                                           ['zentavo-collect-', '#CollectBtn', '#MessageBox[open]']]) {
      const broken = join(scratch, `broken-${engine}-${missing}`);
      cpSync(siteFolder, broken, {recursive: true, filter: (path) => !path.includes(missing)});
      const server = await serveRedirecting(broken);
      try {
        const page = await openPage(browser(), {url: server.url, ready: Boolean(opened)});
        if (opened) await page.click(opened);
        await page.waitForSelector(told);
      } finally {
        await server.stop();
      }
    }
  });

  // A worker that never settles fails the test rather than hanging the run.
  test('the site works offline once visited, and a new version on the server replaces it whole',
       {timeout: 120_000}, async () => {
    // Put up a year ago: the browser's HTTP cache holds such files for weeks.
    const served = join(scratch, `served-${engine}`);
    cpSync(siteFolder, served, {recursive: true});
    const yearAgo = new Date(Date.now() - 365 * 24 * 3600 * 1000);
    for (const name of readdirSync(served)) utimesSync(join(served, name), yearAgo, yearAgo);
    const server = await serve(served);
    const cacheOf = (folder) => [`zentavo ${server.url} ${versionOf(folder)}`];
    const visit = () => openPage(browser(), {url: server.url});  // a later visit, in a new page
    try {
      let page = await visit();
      if (engine === 'chromium') {
        const cdp = await page.createCDPSession();
        assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
        const {manifest: {name, display}} = await cdp.send('Page.getAppManifest');
        assert.deepEqual([name, display], ['Zentavo わりざん九九', 'kStandalone']);
      }
      assert.deepEqual(await kept(page), cacheOf(siteFolder));
      // The new worker before the files it names (a copy half done): the
      // old version stays, whole. (No visit here: a visit's own update check
      // may come late, in WebKit after the rest is copied.)
      cpSync(join(nextSite, 'sw.js'), join(served, 'sw.js'));
      assert.equal(await updateChecked(page), 'redundant');
      assert.deepEqual(await kept(page), cacheOf(siteFolder));
      // The visit that finds the whole new version still opens the old one;
      // a reload, the page still open, the new one alone.
      cpSync(nextSite, served, {recursive: true});
      page = await visit();
      assert.equal(await isNext(page), false);
      await updateChecked(page);
      await page.reload();
      await page.waitForSelector('html[data-ready]');
      assert.deepEqual(await use(page), [true, 3]);
      assert.deepEqual(await kept(page), cacheOf(nextSite));
      await server.stop();
      const offline = await visit();
      assert.deepEqual(await use(offline), [true, 3]);
      // The scanner's decoder too, kept with the rest.
      assert.equal(await offline.evaluate(() => import(new URL('qr-reader.js', location.href).href)
        .then(({readQr}) => typeof readQr)), 'function');
      // Reloaded at its address, which now holds its options.
      await offline.reload();
      await offline.waitForSelector('html[data-ready]');
      assert.equal(await offline.$eval('#D9', (box) => box.checked), true);
      // The faces' licence, a file of the site, shown when asked for.
      await offline.click('#FontLicence');
      await offline.waitForSelector('#LicenceBox[open]');
      assert.match(await offline.$eval('#LicenceText', (text) => text.textContent), /IPA Font License Agreement/);
    } finally {
      await server.stop();
    }
  });
});
