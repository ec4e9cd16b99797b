// The one driver layer of the browser tests, the benchmark and the pictures:
// the engines of pupils' devices, each from Debian's packages.
//   chromium  /usr/bin/chromium, headless, through puppeteer-core (CDP)
//   firefox   /usr/bin/firefox-esr, headless, through puppeteer-core over
//             WebDriver BiDi, with prefs that keep it off the network
//   webkit    WebKitGTK's MiniBrowser through WebKitWebDriver (W3C WebDriver
//             over HTTP, our own small client below), on a private Xvfb
//
//   engines                 the engines to test: ZENTAVO_ENGINES, comma-separated
//                           (default chromium,firefox,webkit)
//   launch(engine = 'chromium', environment = {}, {chromiumArgs})
//                           a private browser with a fresh profile;
//                           `environment` adds to the browser's (such as a
//                           FONTCONFIG_FILE), `chromiumArgs` to Chromium's
//                           command line (such as a fake camera).
//                           browser.engine names it;
//                           browser.can = {pdf, touch} tells what it can:
//                           pdf   page.pdf() (Chromium; Firefox by BiDi's
//                                 print; not WebKit)
//                           touch touch emulation (Chromium only: neither
//                                 BiDi nor WebKitWebDriver can emulate it)
//                           browser.close() ends it and everything it started.
//   openPage(browser, {hash, url, width, height, touch, record, ready, beforeLoad})
//                           a new page at `url` (default the page file plus
//                           `hash`), window.innerWidth x innerHeight being
//                           width x height (default 1024 x 800) CSS pixels,
//                           once html[data-ready] is there (unless ready is
//                           false). touch: a touch device (where browser.can
//                           it, else it throws). record: page.requests() lists
//                           what the page requested, and a request leaving
//                           the page's origin is refused (by interception in
//                           Chromium and Firefox; WebKit reads the Resource
//                           Timing entries, the page's CSP refusing the rest).
//                           beforeLoad(page) runs before the page loads.
//   forEngines(body)        for node:test: body(engine, () => browser) inside
//                           describe(engine), the browser launched in before()
//                           and closed in after(), once for each engine
//   pageFile, pageUrl       the page under test: ZENTAVO_PAGE or build/web/zentavo.html
// ZENTAVO_CHROMIUM, ZENTAVO_FIREFOX and ZENTAVO_MINIBROWSER name other
// binaries; ZENTAVO_DUMPIO=1 shows the browsers' own output.
//
// A page offers, on every engine, this much of puppeteer's Page API:
//   evaluate(fn | expression, ...args), $eval(selector, fn, ...args),
//   $$eval(selector, fn, ...args), $(selector) (an element with click() and
//   evaluate(fn, ...args), or null), click(selector) (a pointer click at the
//   element's centre, scrolled into view), type(selector, text),
//   keyboard.press / down / up (key names as puppeteer's: Tab, Enter,
//   Backspace, Escape, ArrowLeft, ' ', ...), keyboard.type(text),
//   select(selector, ...values), reload(), goto(url), bringToFront(), waitForSelector(selector,
//   {visible, hidden, timeout}), waitForFunction(fn, {timeout}, ...args),
//   setViewport({width, height}), screenshot({path, fullPage}), close(), and
//   pdf(options) where browser.can.pdf. Chromium and Firefox pages are
//   puppeteer's own, with all the rest of its API.
import {execFile, spawn} from 'node:child_process';
import {existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:net';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {after, before, describe} from 'node:test';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

export const pageFile = resolve(process.env.ZENTAVO_PAGE ?? new URL('../../build/web/zentavo.html', import.meta.url).pathname);
export const pageUrl = pathToFileURL(pageFile).href;
// The web site beside it, and the types a server gives its files: as IIS, those its web.config gives.
export const siteFolder = join(dirname(pageFile), 'site');
const webConfig = join(siteFolder, 'web.config');
export const siteTypes = Object.fromEntries([...(existsSync(webConfig) ? readFileSync(webConfig, 'utf8') : '')
  .matchAll(/<mimeMap fileExtension="([^"]+)" mimeType="([^"]+)"/g)].map((found) => found.slice(1)));
export const engines = (process.env.ZENTAVO_ENGINES ?? 'chromium,firefox,webkit').split(',').filter(Boolean);

const dumpio = Boolean(process.env.ZENTAVO_DUMPIO);
export const abilities = {
  chromium: {pdf: true, touch: true},
  firefox: {pdf: true, touch: false},
  webkit: {pdf: false, touch: false},
};

export async function launch(engine = 'chromium', environment = {}, {chromiumArgs = []} = {}) {
  if (!abilities[engine]) throw new Error(`no engine ${engine}: chromium, firefox or webkit`);
  const env = {...process.env, ...environment};
  const browser = engine === 'webkit' ? await launchWebKit(env) : await launchPuppeteer(engine, env, chromiumArgs);
  return Object.assign(browser, {engine, can: abilities[engine]});
}

export async function openPage(browser, {hash = '', url = pageUrl + hash, width = 1024, height = 800, touch = false,
                                         record = false, ready = true, beforeLoad = null} = {}) {
  if (touch && !browser.can.touch) throw new Error(`${browser.engine} cannot emulate a touch device`);
  const page = await browser.newPage();
  if (browser.engine !== 'webkit') quicken(page);
  await page.setViewport({width, height, ...(touch && {hasTouch: true, isMobile: true})});
  if (record) await recordRequests(page, url);
  if (beforeLoad) await beforeLoad(page);
  await page.goto(url);
  if (browser.engine === 'webkit') await page.bringToFront();
  if (ready) await page.waitForSelector('html[data-ready]');
  return page;
}

export function forEngines(body) {
  for (const engine of engines) {
    describe(engine, () => {
      let browser = null;
      before(async () => { browser = await launch(engine); });
      after(() => browser?.close());
      body(engine, () => browser);
    });
  }
}

// ---- Chromium and Firefox, through puppeteer-core. Each gets a temporary
// profile of puppeteer's, removed on close.

// Firefox's own requests to the network, all turned off (puppeteer's profile
// turns off some more), and a proxy that is not there, so that one left on
// still leaves nothing (local addresses never go through a proxy). Remote
// settings take their server from the prefs only in a test run: the
// environment says so.
const firefoxEnvironment = {MOZ_CRASHREPORTER_DISABLE: '1', MOZ_DISABLE_NONLOCAL_CONNECTIONS: '1'};
const firefoxPrefs = {
  'app.normandy.enabled': false,
  'app.shield.optoutstudies.enabled': false,
  'app.update.auto': false,
  'browser.ml.enable': false,
  'browser.newtabpage.activity-stream.feeds.telemetry': false,
  'browser.newtabpage.activity-stream.telemetry': false,
  'browser.ping-centre.telemetry': false,
  'browser.region.network.url': '',
  'browser.region.update.enabled': false,
  'browser.safebrowsing.downloads.remote.enabled': false,
  'browser.safebrowsing.passwords.enabled': false,
  'browser.safebrowsing.provider.google4.updateURL': '',
  'browser.safebrowsing.provider.mozilla.updateURL': '',
  'browser.topsites.contile.enabled': false,
  'browser.translations.enable': false,
  'captivedetect.canonicalURL': '',
  'datareporting.usage.uploadEnabled': false,
  'dom.push.connection.enabled': false,
  'dom.push.enabled': false,
  'extensions.blocklist.enabled': false,
  'extensions.systemAddon.update.enabled': false,
  'geo.provider.network.url': '',
  'media.gmp-gmpopenh264.enabled': false,
  'messaging-system.rsexperimentloader.enabled': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'network.dns.disablePrefetch': true,
  'network.predictor.enabled': false,
  'network.prefetch-next': false,
  'network.proxy.type': 1,
  'network.proxy.http': '127.0.0.1',
  'network.proxy.http_port': 9,
  'network.proxy.ssl': '127.0.0.1',
  'network.proxy.ssl_port': 9,
  'network.trr.mode': 5,
  'security.OCSP.enabled': 0,
  'security.remote_settings.crlite_filters.enabled': false,
  'security.remote_settings.intermediates.enabled': false,
  'services.settings.server': 'data:,#remote-settings-off/v1',
  'toolkit.telemetry.archive.enabled': false,
  'toolkit.telemetry.enabled': false,
  'toolkit.telemetry.server': '',
  'toolkit.telemetry.unified': false,
};

function launchPuppeteer(engine, env, chromiumArgs) {
  const chromium = engine === 'chromium';
  return puppeteer.launch({
    headless: true,
    env,
    dumpio,
    ...(chromium ? {
      executablePath: process.env.ZENTAVO_CHROMIUM ?? '/usr/bin/chromium',
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage', ...chromiumArgs],
    } : {
      browser: 'firefox',
      protocol: 'webDriverBiDi',
      executablePath: process.env.ZENTAVO_FIREFOX ?? '/usr/bin/firefox-esr',
      extraPrefsFirefox: firefoxPrefs,
      env: {...env, ...firefoxEnvironment},
    }),
  });
}

// One round trip each where puppeteer's take several (a click over
// Firefox's BiDi about ten times as long): the same pointer click at the element's centre, and $eval and
// $$eval as one script (their arguments JSON).
function quicken(page) {
  const run = (fn, target, args) => page.evaluate(`(async () => (${fn})(await ${target}, ...${JSON.stringify(args)}))()`);
  const one = (selector) => `(${found})(${JSON.stringify(selector)})`;
  page.$eval = (selector, fn, ...args) => run(fn, one(selector), args);
  page.$$eval = (selector, fn, ...args) => run(fn, `[...document.querySelectorAll(${JSON.stringify(selector)})]`, args);
  page.click = async (selector) => {
    const [x, y] = await run(centreOf, one(selector), []);
    await page.mouse.click(x, y);
  };
}

// What the page asked for, data: URLs aside, without fragments (never sent):
// the intercepted requests, and the Resource Timing entries that add those
// interception does not see (Firefox's of files).
async function recordRequests(page, url) {
  const origin = new URL(url).origin;
  const seen = [];
  const own = (address) => address.startsWith('data:') || address.startsWith('blob:')
    || (origin === 'null' ? address.startsWith('file:') : new URL(address).origin === origin);
  if (page.setRequestInterception) {
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (request.isInterceptResolutionHandled()) return;
      seen.push(request.url());
      own(request.url()) ? request.continue() : request.abort();
    });
  }
  page.requests = async () => {
    const timed = await page.evaluate(() => [document.URL,
                                             ...performance.getEntriesByType('resource').map((entry) => entry.name)]);
    const all = [...seen, ...timed].filter((address) => !address.startsWith('data:')).map((address) => address.split('#')[0]);
    return [...new Set(all)];
  };
}

// ---- WebKit: WebKitGTK's MiniBrowser through WebKitWebDriver.

const miniBrowser = () => process.env.ZENTAVO_MINIBROWSER ?? readdirSync('/usr/lib')
  .flatMap((triplet) => ['webkit2gtk-4.1', 'webkitgtk-6.0'].map((folder) => join('/usr/lib', triplet, folder, 'MiniBrowser')))
  .find(existsSync);

// Children that must not outlive a test process that stops early, by an
// error or a signal.
const children = new Set();
const killChildren = () => children.forEach((child) => child.kill('SIGKILL'));
process.on('exit', killChildren);
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) {
  process.once(signal, () => {
    killChildren();
    process.kill(process.pid, signal);
  });
}

function start(program, args, options) {
  const child = spawn(program, args, options);
  children.add(child);
  const exited = new Promise((resolve) => child.once('exit', resolve));
  child.once('exit', () => children.delete(child));
  return {child, stop: () => child.exitCode === null && child.signalCode === null ? (child.kill(), exited) : exited};
}

// Xvfb on a display number it finds free itself, told on a pipe.
async function startXvfb() {
  const xvfb = start('Xvfb', ['-displayfd', '3', '-nolisten', 'tcp', '-screen', '0', '2560x2560x24'],
                     {stdio: ['ignore', 'ignore', dumpio ? 'inherit' : 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    let told = '';
    xvfb.child.stdio[3].on('data', (data) => {
      told += data;
      if (told.includes('\n')) resolve(`:${told.trim()}`);
    });
    xvfb.child.once('exit', () => reject(new Error('Xvfb did not start')));
  });
  return {display, stop: xvfb.stop};
}

const freePort = () => new Promise((resolve) => {
  const server = createServer().listen(0, '127.0.0.1', () => {
    const {port} = server.address();
    server.close(() => resolve(port));
  });
});

// MiniBrowser's bar of buttons and address made narrow enough for a phone's
// width (it is GTK's, not the page's).
const narrowBar = 'button, entry { min-width: 0; min-height: 0; padding: 0; margin: 0; border-width: 0; }\n';

async function launchWebKit(env) {
  const binary = miniBrowser();
  if (!binary) throw new Error('no MiniBrowser: scripts/install-deps --tests installs webkit2gtk-driver');
  const profile = mkdtempSync(join(tmpdir(), 'zentavo-webkit-'));
  for (const gtk of ['gtk-3.0', 'gtk-4.0']) {
    mkdirSync(join(profile, 'config', gtk), {recursive: true});
    writeFileSync(join(profile, 'config', gtk, 'gtk.css'), narrowBar);
  }
  const xvfb = await startXvfb();
  // A window manager, so that the page's window has the focus as on a
  // desktop: without it no element matches :focus.
  const manager = start('openbox', ['--sm-disable'], {stdio: 'ignore', env: {...env, DISPLAY: xvfb.display}});
  const port = await freePort();
  // The browser's data and caches in the fresh profile, not the user's.
  const driver = start('WebKitWebDriver', [`--port=${port}`], {
    stdio: ['ignore', dumpio ? 'inherit' : 'ignore', dumpio ? 'inherit' : 'ignore'],
    env: {...env, DISPLAY: xvfb.display, HOME: profile, XDG_CACHE_HOME: join(profile, 'cache'),
          XDG_CONFIG_HOME: join(profile, 'config'), XDG_DATA_HOME: join(profile, 'data')},
  });
  const webDriver = new WebDriver(`http://127.0.0.1:${port}`);
  webDriver.display = xvfb.display;
  try {
    await webDriver.ready(driver.child);
    await webDriver.startSession({'webkitgtk:browserOptions': {binary, args: ['--automation']}});
  } catch (error) {
    await Promise.all([driver.stop(), manager.stop(), xvfb.stop()]);
    throw error;
  }
  return {
    newPage: () => WebKitPage.open(webDriver),
    close: async () => {
      await webDriver.endSession().catch(() => {});
      await Promise.all([driver.stop(), manager.stop(), xvfb.stop()]);
      rmSync(profile, {recursive: true, force: true, maxRetries: 5});
    },
  };
}

// One session of W3C WebDriver; its commands one at a time, each to the
// window it is meant for. Each page has a window of its own; the session's
// first stays on about:blank.
class WebDriver {
  #address;
  #session = '';
  #queue = Promise.resolve();
  #current = '';
  home = '';
  chrome = {width: 0, height: 20};  // the size of a window's own parts around its page, as last measured

  constructor(address) {
    this.#address = address;
  }

  async #send(method, path, body) {
    const response = await fetch(this.#address + path, {
      method, headers: {'content-type': 'application/json'}, body: body && JSON.stringify(body),
    });
    const {value} = await response.json();
    if (value?.error) throw new Error(`WebDriver ${path.replace(/^\/session\/[^/]+/, '')}: ${value.error}: ${value.message}`);
    return value;
  }

  // Waits until the driver answers, or has given up.
  async ready(child) {
    for (;;) {
      if (child.exitCode !== null || child.signalCode !== null) throw new Error('WebKitWebDriver did not start');
      const answered = await this.#send('GET', '/status').then(() => true, () => false);
      if (answered) return;
      await pause(20);
    }
  }

  async startSession(capabilities) {
    const {sessionId} = await this.#send('POST', '/session', {capabilities: {alwaysMatch: capabilities}});
    this.#session = sessionId;
    this.home = this.#current = await this.#send('GET', `/session/${sessionId}/window`);
  }

  endSession() {
    return this.#send('DELETE', `/session/${this.#session}`);
  }

  command(window, method, path, body) {
    const run = async () => {
      if (window !== this.#current) {
        await this.#send('POST', `/session/${this.#session}/window`, {handle: window});
        this.#current = window;
      }
      return this.#send(method, `/session/${this.#session}${path}`, body);
    };
    const result = this.#queue.then(run);
    this.#queue = result.catch(() => {});
    return result;
  }

  // Windows are kept for the next page when their page closes: a new
  // window takes long to get its first size. Its tab's storage is emptied,
  // as a new tab's is.
  #spare = [];

  async newWindow() {
    return this.#spare.pop() ?? (await this.command(this.home, 'POST', '/window/new', {type: 'window'})).handle;
  }

  async closeWindow(window) {
    await this.command(window, 'POST', '/execute/sync', {script: 'try { sessionStorage.clear(); } catch {}', args: []});
    await this.command(window, 'POST', '/url', {url: 'about:blank'});
    this.#spare.push(window);
  }
}

const elementKey = 'element-6066-11e4-a52e-4f735466cecf';
// Puppeteer's key names as WebDriver's key codes; any other is the character.
const keys = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009', Alt: '\uE00A',
  Escape: '\uE00C', PageUp: '\uE00E', PageDown: '\uE00F', End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012',
  ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Delete: '\uE017', Meta: '\uE03D',
};
const keyCode = (key) => keys[key] ?? key;
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const afterPaint = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));

// A view that the click before opened may come after its module (2 s at most).
async function found(selector) {
  for (let wait = 100; wait && !document.querySelector(selector); --wait) await new Promise((go) => setTimeout(go, 20));
  const element = document.querySelector(selector);
  if (!element) throw new Error(`no element matches ${selector}`);
  return element;
}

// Scrolled into view where it is not, the viewport point of the element's
// centre (as puppeteer's click finds it), once it has a box: a dialog that
// the click before opened may take a moment to show (2 s at most).
async function centreOf(element) {
  const box = () => element.getBoundingClientRect();
  for (const until = Date.now() + 2000; !box().width || !box().height;) {
    if (Date.now() > until) throw new Error('the element has no box to click');
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
  const {top, left, bottom, right} = box();
  if (top < 0 || left < 0 || bottom > innerHeight || right > innerWidth) element.scrollIntoView({block: 'center', inline: 'center'});
  const shown = box();
  return [Math.floor(shown.left + shown.width / 2), Math.floor(shown.top + shown.height / 2)];
}

class WebKitElement {
  constructor(page, reference) {
    this.page = page;
    this.reference = reference;
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, this.reference, ...args);
  }

  async click() {
    const [x, y] = await this.evaluate(centreOf);
    await this.page.actions([{type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'}, actions: [
      {type: 'pointerMove', origin: 'viewport', x, y, duration: 0},
      {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}]}]);
  }
}

class WebKitPage {
  #driver;
  #window;

  constructor(driver, window) {
    this.#driver = driver;
    this.#window = window;
    this.keyboard = {
      press: (key) => this.#keys([{type: 'keyDown', value: keyCode(key)}, {type: 'keyUp', value: keyCode(key)}]),
      down: (key) => this.#keys([{type: 'keyDown', value: keyCode(key)}]),
      up: (key) => this.#keys([{type: 'keyUp', value: keyCode(key)}]),
      type: (text) => this.#keys([...text].flatMap((value) => [{type: 'keyDown', value}, {type: 'keyUp', value}])),
    };
  }

  static async open(driver) {
    return new WebKitPage(driver, await driver.newWindow());
  }

  static #marks = 0;

  // The window made the active one, as a desktop makes the window clicked
  // last (else nothing in it matches :focus): found by a title of its own
  // for the moment.
  async bringToFront() {
    const mark = `zentavo-window-${++WebKitPage.#marks}`;
    const title = await this.evaluate((mark) => {
      const was = document.title;
      document.title = mark;
      return was;
    }, mark);
    await new Promise((resolve, reject) => execFile('xdotool', ['search', '--sync', '--name', mark, 'windowactivate',
      '--sync'], {env: {...process.env, DISPLAY: this.#driver.display}, timeout: 10000},
      (error) => (error ? reject(error) : resolve())));
    await this.evaluate((title) => { document.title = title; }, title);
  }

  #command(method, path, body) {
    return this.#driver.command(this.#window, method, path, body);
  }

  actions(actions) {
    return this.#command('POST', '/actions', {actions});
  }

  #keys(actions) {
    return this.actions([{type: 'key', id: 'keyboard', actions}]);
  }

  // A function's source runs with the arguments given (elements passed as
  // WebDriver's references); a string is an expression, evaluated globally.
  // WebDriver waits for a promise to settle.
  evaluate(fn, ...args) {
    return typeof fn === 'string' ? this.#execute('return (0, eval)(arguments[0]);', [fn])
      : this.#execute(`return (${fn}).apply(null, arguments);`, args);
  }

  async #execute(script, args) {
    return this.#command('POST', '/execute/sync', {script, args});
  }

  async $(selector) {
    const found = await this.#command('POST', '/element', {using: 'css selector', value: selector})
      .catch((error) => { if (/no such element/.test(error.message)) return null; throw error; });
    return found && new WebKitElement(this, found);
  }

  async #element(selector) {
    for (let wait = 100; wait && !(await this.$(selector)); --wait) await pause(20);  // as found()
    const element = await this.$(selector);
    if (!element) throw new Error(`no element matches ${selector}`);
    return element;
  }

  async $eval(selector, fn, ...args) {
    return (await this.#element(selector)).evaluate(fn, ...args);
  }

  $$eval(selector, fn, ...args) {
    return this.#execute(`return (${fn})([...document.querySelectorAll(arguments[0])], ...[...arguments].slice(1));`,
                         [selector, ...args]);
  }

  async click(selector) {
    await (await this.#element(selector)).click();
  }

  async type(selector, text) {
    await this.$eval(selector, (element) => element.focus());
    await this.keyboard.type(text);
  }

  select(selector, ...values) {
    return this.$eval(selector, (select, values) => {
      for (const option of select.options) option.selected = values.includes(option.value);
      for (const type of ['input', 'change']) select.dispatchEvent(new Event(type, {bubbles: true}));
      return [...select.selectedOptions].map((option) => option.value);
    }, values);
  }

  goto(url) {
    return this.#command('POST', '/url', {url});
  }

  reload() {
    return this.#command('POST', '/refresh', {});
  }

  async waitForFunction(fn, {timeout = 30_000, polling = 50} = {}, ...args) {
    const until = Date.now() + timeout;
    for (;;) {
      const value = await (typeof fn === 'string' ? this.evaluate(fn) : this.evaluate(fn, ...args));
      if (value) return value;
      if (Date.now() > until) throw new Error(`waited ${timeout} ms in vain for ${String(fn).slice(0, 80)}`);
      await pause(polling);
    }
  }

  async waitForSelector(selector, {visible = false, hidden = false, timeout = 30_000} = {}) {
    await this.waitForFunction((selector, visible, hidden) => {
      const element = document.querySelector(selector);
      const shown = element && element.getClientRects().length > 0 && getComputedStyle(element).visibility !== 'hidden';
      return hidden ? !shown : Boolean(element && (!visible || shown));
    }, {timeout}, selector, visible, hidden);
    return hidden ? null : this.$(selector);
  }

  // The window sized so that the page gets width x height: its own parts
  // around the page measured anew when the page's size has settled on
  // another.
  async setViewport({width, height}) {
    const chrome = this.#driver.chrome;
    for (let tries = 0; tries < 3; ++tries) {
      await this.#command('POST', '/window/rect', {width: width + chrome.width, height: height + chrome.height});
      let shown = [];
      for (let settled = 0; settled < 10;) {
        const now = await this.evaluate(() => [innerWidth, innerHeight]);
        if (now[0] === width && now[1] === height) return;
        settled = String(now) === String(shown) ? settled + 1 : 0;
        shown = now;
        await pause(20);
      }
      chrome.width += width - shown[0];
      chrome.height += height - shown[1];
    }
    throw new Error(`WebKit cannot show a page of ${width} x ${height}`);
  }

  // The viewport, or with fullPage the whole page: the window made as tall
  // as the page for the picture.
  async screenshot({path = null, fullPage = false} = {}) {
    const [width, height, pageHeight] = await this.evaluate(() =>
      [innerWidth, innerHeight, document.documentElement.scrollHeight]);
    if (fullPage && pageHeight > height) await this.setViewport({width, height: pageHeight});
    await this.evaluate(afterPaint);  // what the page shows now, not the frame before
    const picture = Buffer.from(await this.#command('GET', '/screenshot'), 'base64');
    if (fullPage && pageHeight > height) await this.setViewport({width, height});
    if (path) writeFileSync(path, picture);
    return picture;
  }

  pdf() {
    throw new Error('WebKitWebDriver cannot print a page');
  }

  close() {
    return this.#driver.closeWindow(this.#window);
  }
}
