// SPDX-License-Identifier: GPL-2.0-or-later
// Visits generated photo-by-photo sites in Debian's headless Chromium, served
// by python3 on 127.0.0.1 and opened from disk, and checks what a visitor
// does: the buttons move between photos, the slide show moves on every 4.5
// seconds (virtual time) and wraps after the last photo, Stop stops it, Random
// passes its type on, and a site made to start by itself does.
//
//   node simple_site_browser.mjs --maker <simple_site_maker> [--python python3]
//
// Only Node's own modules: the DevTools protocol goes over Chromium's pipe.
// TAVRI_TRACE=1 in the environment prints every page load and time step.
import { spawn, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const CHROMIUM = '/usr/bin/chromium';
const DEADLINE_MS = 90_000;
const PERIOD_MS = 4500;

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// ---------------------------------------------------------------- browser

class Browser {
  constructor() {
    this.profile = mkdtempSync(join(tmpdir(), 'tavri-chromium-'));
    this.proc = spawn(CHROMIUM, ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
      // A page loaded into a fresh document host would get the virtual time
      // budget anew and run its own timers at once; keep one host per tab.
      '--disable-popup-blocking', '--disable-back-forward-cache',
      '--disable-features=BackForwardCache,ProactivelySwapBrowsingInstance,RenderDocument',
      `--user-data-dir=${this.profile}`, '--remote-debugging-pipe', 'about:blank'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'], detached: true });
    this.exited = new Promise((resolve) => this.proc.on('exit', resolve));
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
    this.send('Target.setDiscoverTargets', { discover: true });
    let buffer = Buffer.alloc(0);
    this.proc.stdio[4].on('data', (chunk) => {
      buffer = Buffer.concat([buffer, chunk]);
      for (let end = buffer.indexOf(0); end >= 0; end = buffer.indexOf(0)) {
        const message = JSON.parse(buffer.subarray(0, end).toString('utf8'));
        buffer = buffer.subarray(end + 1);
        const waiter = message.id !== undefined && this.pending.get(message.id);
        if (waiter) {
          this.pending.delete(message.id);
          if (message.error) waiter.reject(new Error(`${waiter.method}: ${message.error.message}`));
          else waiter.resolve(message.result);
        } else {
          for (const listener of [...this.listeners]) listener(message);
        }
      }
    });
    this.proc.stdio[3].on('error', () => {});
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.proc.stdio[3].write(JSON.stringify(message) + '\0');
    });
  }

  // Resolves with the first event for which test returns true.
  event(test, timeoutMs, what) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.listeners.delete(listener);
        reject(new Error(`no ${what} within ${timeoutMs} ms`));
      }, timeoutMs);
      const listener = (message) => {
        if (!test(message)) return;
        clearTimeout(timer);
        this.listeners.delete(listener);
        resolve(message);
      };
      this.listeners.add(listener);
    });
  }

  // Chromium's helper processes share its process group.
  kill() {
    try {
      process.kill(-this.proc.pid, 'SIGKILL');
    } catch (e) {
      // Gone already.
    }
  }

  async close() {
    this.kill();
    await this.exited;
    rmSync(this.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  }
}

// One tab. Tracks the main-world script context of every frame and the
// script errors of every page, and runs virtual time on request.
class Tab {
  static async open(browser) {
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const tab = new Tab(browser, sessionId);
    tab.targetId = targetId;
    await tab.send('Page.enable');
    await tab.send('Runtime.enable');
    return tab;
  }

  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.contexts = new Map();
    this.errors = [];
    browser.listeners.add((message) => {
      if (message.sessionId !== sessionId) return;
      const p = message.params;
      if (message.method === 'Runtime.executionContextCreated' && p.context.auxData?.isDefault) {
        this.contexts.set(p.context.auxData.frameId, p.context.id);
      } else if (message.method === 'Runtime.executionContextDestroyed') {
        for (const [frame, id] of this.contexts) if (id === p.executionContextId) this.contexts.delete(frame);
      } else if (message.method === 'Runtime.executionContextsCleared') {
        this.contexts.clear();
      } else if (message.method === 'Page.frameNavigated' && process.env.TAVRI_TRACE) {
        console.log(`  navigated ${p.frame.parentId ? p.frame.name : 'TOP'} ${p.frame.url}`);
      } else if (message.method === 'Runtime.exceptionThrown') {
        const d = p.exceptionDetails;
        this.errors.push(`${d.url || ''}:${d.lineNumber}: ${d.exception?.description || d.text}`);
      }
    });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  // The top page's address and its frames by name.
  async frames() {
    const { frameTree } = await this.send('Page.getFrameTree');
    const frames = {};
    for (const child of frameTree.childFrames || []) frames[child.frame.name] = child.frame;
    return { url: frameTree.frame.url, frames };
  }

  async evaluate(frameName, expression) {
    const { frames } = await this.frames();
    const frame = frames[frameName];
    const contextId = frame && this.contexts.get(frame.id);
    if (!contextId) throw new Error(`no ${frameName} frame`);
    const { result, exceptionDetails } = await this.send('Runtime.evaluate',
      { expression, contextId, returnByValue: true, userGesture: true });
    if (exceptionDetails) throw new Error(`${expression}: ${exceptionDetails.exception?.description}`);
    return result.value;
  }

  // Waits until the photo page is shown with all three frames ready and
  // returns the top page's address. Virtual time is granted in small steps
  // so that loading can go on while it is paused between checks.
  async settle(expectedUrl = null, limitMs = 15_000) {
    const until = Date.now() + limitMs;
    let last = '';
    while (Date.now() < until) {
      try {
        const { url, frames } = await this.frames();
        last = url;
        if ((expectedUrl === null || url === expectedUrl) && frames.top && frames.middle && frames.bottom) {
          const ready = await this.evaluate('bottom',
            "document.readyState == 'complete' && typeof autostart_slideshow == 'function'")
            && await this.evaluate('middle', "document.readyState == 'complete'")
            && await this.evaluate('top', "document.readyState == 'complete'");
          if (ready) return url;
        }
      } catch (e) {
        // A frame between two documents; look again.
      }
      await this.advance(20);
    }
    throw new Error(`page not ready: expected ${expectedUrl}, showing ${last}`);
  }

  async navigate(url) {
    await this.send('Page.navigate', { url });
    return this.settle(url);
  }

  // Lets ms of virtual time pass: timers fire as if that time had gone by.
  async advance(ms) {
    if (process.env.TAVRI_TRACE && ms > 20) console.log(`  advance ${ms}`);
    const expired = this.browser.event((m) => m.sessionId === this.sessionId
      && m.method === 'Emulation.virtualTimeBudgetExpired', 30_000, 'virtual time');
    await this.send('Emulation.setVirtualTimePolicy', { policy: 'advance', budget: ms });
    await expired;
  }

  async click(name) {
    await this.evaluate('bottom', `document.forms[0].${name}.click()`);
  }

  // Runs action, which must load a new top page (possibly the same address
  // again), and returns the photo shown once that page is ready.
  async moves(action) {
    const navigated = this.browser.event((m) => m.sessionId === this.sessionId
      && m.method === 'Page.frameNavigated' && !m.params.frame.parentId, 15_000, 'new page');
    await action();
    await navigated;
    return photoOf(await this.settle());
  }

  // Lets ms of virtual time pass, in which the show must load a new page.
  async step(ms) {
    return this.moves(() => this.advance(ms));
  }
}

// ---------------------------------------------------------------- checks

let passed = 0;
let failed = 0;

function check(condition, what) {
  if (condition) {
    passed++;
    console.log(`ok: ${what}`);
  } else {
    failed++;
    console.log(`FAIL: ${what}`);
  }
}

function photoOf(url) {
  const match = /\/photo(\d+)\.htm(\?.*)?$/.exec(url);
  return match ? { number: Number(match[1]), query: match[2] || '' } : { number: 0, query: '' };
}

async function showing(tab) {
  return photoOf((await tab.frames()).url);
}

async function visit(browser, scheme, base) {
  const tab = await Tab.open(browser);
  const page = (n, site = 'site') => `${base}${site}/html/photo${n}.htm`;

  // The start page and what it opens.
  await tab.send('Page.navigate', { url: `${base}site/index.htm` });
  for (let k = 0; k < 200; k++) {
    const state = await tab.send('Runtime.evaluate', { expression: 'location.href + document.readyState' });
    if (state.result.value === `${base}site/index.htmcomplete`) break;
    await sleep(20);
  }
  const link = await tab.send('Runtime.evaluate', { expression:
    "document.querySelector('a.link').getAttribute('href') + '|' + document.querySelector('span.title').textContent"
    + " + '|' + document.querySelector('span.description').textContent", returnByValue: true });
  check(link.result.value === 'javascript:showphotos()|Walk|Three photos <of> a walk',
    `${scheme}: the start page names the album and links to the photos`);
  const popup = browser.event((m) => m.method === 'Target.targetCreated' && m.params.targetInfo.type === 'page'
    && m.params.targetInfo.openerId === tab.targetId, 10_000, 'pop-up window');
  await tab.send('Runtime.evaluate', { expression: "document.querySelector('a.link').click()", userGesture: true });
  const opened = (await popup).params.targetInfo;
  // The pop-up's address is known once its first page commits.
  let popupUrl = opened.url;
  for (let k = 0; k < 100 && !popupUrl.endsWith('/html/photo1.htm'); k++) {
    await sleep(20);
    popupUrl = (await browser.send('Target.getTargetInfo', { targetId: opened.targetId })).targetInfo.url;
  }
  check(popupUrl === `${base}site/html/photo1.htm`, `${scheme}: the link opens photo 1 in a window of its own (${popupUrl})`);
  await browser.send('Target.closeTarget', { targetId: opened.targetId });

  // Buttons: each replaces the whole window's page.
  await tab.navigate(page(1));
  const top = await tab.evaluate('top', 'document.body.innerText');
  check(top.includes('Walks & views') && top.includes('Album: Walk') && top.includes('1/3'),
    `${scheme}: the top bar shows the title, album and 1/3`);
  const picture = await tab.evaluate('middle',
    "document.images[0].naturalWidth + 'x' + document.images[0].naturalHeight + '|' + document.body.innerText.trim()");
  check(picture === '200x150|Photo 1 of the walk', `${scheme}: photo 1 and its description are shown (${picture})`);

  const moves = [['next', 2], ['next', 3], ['next', 1], ['previous', 3], ['first', 1], ['last', 3], ['previous', 2]];
  for (const [button, target] of moves) {
    const from = (await showing(tab)).number;
    const to = await tab.moves(() => tab.click(button));
    check(to.number === target && to.query === '', `${scheme}: "${button}" on photo ${from} shows photo ${target}`);
  }

  // Start: photo 2 after one period, then on round to photo 1.
  await tab.navigate(page(1));
  await tab.click('start');
  const buttons = await tab.evaluate('bottom',
    "['start','stop','next','random'].map(n => document.forms[0][n].disabled).join()");
  check(buttons === 'true,false,true,true', `${scheme}: a running show enables only Stop (${buttons})`);
  await tab.advance(2100);
  const dots = await tab.evaluate('bottom',
    "[2,3].map(n => document.forms[0]['progress' + n].src.split('/').pop()).join()");
  check(dots === 'phslideslow_selected.jpg,phslideslow_unselected.jpg', `${scheme}: the dots count the seconds`);
  await tab.advance(PERIOD_MS - 2100 - 200);
  check((await showing(tab)).number === 1, `${scheme}: the show waits for its period`);
  const steps = [await tab.step(400)];
  for (let k = 0; k < 2; k++) steps.push(await tab.step(PERIOD_MS + 200));
  check(steps.map((s) => s.number).join() === '2,3,1', `${scheme}: Start shows photos 2, 3 and wraps to 1 (${steps.map((s) => s.number)})`);
  check(steps[0].query === '?slideshow=1&slideshowtype=1&newphotonr=2&maxphotonr=3',
    `${scheme}: the next page is told to go on (${steps[0].query})`);
  const stillRunning = await tab.evaluate('bottom', 'document.forms[0].stop.disabled');
  check(stillRunning === false, `${scheme}: the show goes on after the wrap`);

  // Stop.
  const stoppedAt = (await tab.frames()).url;
  await tab.click('stop');
  await tab.advance(2 * PERIOD_MS);
  await sleep(300);
  check((await tab.frames()).url === stoppedAt, `${scheme}: Stop keeps the photo`);
  const freed = await tab.evaluate('bottom',
    "['start','stop','next','random'].map(n => document.forms[0][n].disabled).join()");
  check(freed === 'false,true,false,false', `${scheme}: Stop frees the buttons (${freed})`);

  // Random passes its type on and keeps going.
  await tab.navigate(page(2));
  await tab.click('random');
  const first = await tab.step(PERIOD_MS + 200);
  const second = await tab.step(PERIOD_MS + 200);
  check(/slideshowtype=2/.test(first.query) && /slideshowtype=2/.test(second.query)
    && first.number >= 1 && first.number <= 3 && second.number >= 1 && second.number <= 3,
  `${scheme}: Random moves on with slideshowtype=2 (${first.number}${first.query}, ${second.number}${second.query})`);
  await tab.click('stop');

  // A show started twice still moves one photo per period.
  await tab.navigate(page(1));
  await tab.evaluate('bottom', 'Start(1, 3); Start(1, 3); true');
  const paced = await tab.step(PERIOD_MS + 200);
  // A second timer would load photo 3 right after photo 2.
  await tab.advance(300);
  await sleep(300);
  const after = photoOf(await tab.settle());
  check(paced.number === 2 && after.number === 2, `${scheme}: a second Start does not double the pace (${paced.number}, ${after.number})`);
  await tab.click('stop');

  // The site made to start by itself.
  await tab.navigate(page(1, 'autosite'));
  const auto = await tab.step(PERIOD_MS + 200);
  check(auto.number === 2 && auto.query.startsWith('?slideshow=1'), `${scheme}: the show starts by itself (${auto.number})`);

  check(tab.errors.length === 0, `${scheme}: no script errors${tab.errors.length ? ': ' + tab.errors.join('; ') : ''}`);
  await browser.send('Target.closeTarget', { targetId: tab.targetId });
}

// ---------------------------------------------------------------- server

async function serve(python, folder) {
  const server = spawn(python, ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('the web server did not start')), 10_000);
    let text = '';
    server.stdout.on('data', (chunk) => {
      text += chunk;
      const match = /port (\d+)/.exec(text);
      if (match) {
        clearTimeout(timer);
        resolve(Number(match[1]));
      }
    });
    server.on('exit', () => reject(new Error('the web server stopped')));
  });
  return { server, port };
}

// ---------------------------------------------------------------- main

async function main() {
  const maker = option('--maker');
  const python = option('--python', 'python3');
  if (!maker) throw new Error('usage: node simple_site_browser.mjs --maker <simple_site_maker>');
  if (!existsSync(CHROMIUM)) throw new Error(`${CHROMIUM} is not installed (scripts/install-deps installs chromium)`);

  const work = mkdtempSync(join(tmpdir(), 'tavri-simple-site-'));
  let server = null;
  let browser = null;
  const deadline = setTimeout(() => {
    console.log(`FAIL: the test took longer than ${DEADLINE_MS / 1000} s`);
    server?.kill('SIGKILL');
    browser?.kill();
    rmSync(work, { recursive: true, force: true });
    process.exit(1);
  }, DEADLINE_MS);

  try {
    const made = spawnSync(maker, [work], { stdio: 'inherit', timeout: 30_000 });
    if (made.status !== 0) throw new Error(`the site maker failed (${made.status})`);
    let port;
    ({ server, port } = await serve(python, work));
    browser = new Browser();
    await visit(browser, 'http', `http://127.0.0.1:${port}/`);
    await visit(browser, 'file', pathToFileURL(work).href + '/');
  } finally {
    clearTimeout(deadline);
    server?.kill('SIGKILL');
    if (browser) await browser.close();
    rmSync(work, { recursive: true, force: true });
  }
}

main().then(() => {
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 && passed > 0 ? 0 : 1);
}, (error) => {
  console.log(`FAIL: ${error.message}`);
  console.log(`${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
