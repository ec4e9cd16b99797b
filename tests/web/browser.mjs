// Debian's Chromium, headless and private, driven by puppeteer-core: shared by
// the browser tests, the benchmark and the screenshots.
import {mkdtempSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

export const pageFile = resolve(process.env.ZENTAVO_PAGE ?? new URL('../../build/web/zentavo.html', import.meta.url).pathname);
export const pageUrl = pathToFileURL(pageFile).href;

// A fresh profile each time; `environment` adds to the browser's (such as a
// FONTCONFIG_FILE that hides the system's fonts).
export async function launch(environment = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'zentavo-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.ZENTAVO_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage', `--user-data-dir=${profile}`],
    env: {...process.env, ...environment},
    dumpio: Boolean(process.env.ZENTAVO_DUMPIO),
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// The page opened at `hash` and ready to use, at `width` CSS pixels;
// `beforeLoad` may set the page up first.
export async function openPage(browser, {hash = '', width = 1024, height = 800, beforeLoad = null} = {}) {
  const page = await browser.newPage();
  await page.setViewport({width, height});
  if (beforeLoad) await beforeLoad(page);
  await page.goto(pageUrl + hash);
  await page.waitForSelector('html[data-ready]');
  return page;
}
