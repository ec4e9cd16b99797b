'use strict';
// The web site's service worker: keeps one version of the site, every file
// of it, for offline use, and answers the page's and the browser's requests
// from it. The build writes in the version (a hash of the files) and each
// file's SHA-256, so that a new version on the server is kept only once all
// of its files have arrived as built, and then replaces the old one whole.

const version = '@@VERSION@@';
const files = @@FILES@@;
// One cache per version and site: another copy of the site elsewhere on the
// same server keeps its own.
const prefix = `zentavo ${registration.scope} `;
const cacheName = prefix + version;

const hex = (digest) => [...new Uint8Array(digest)].map((byte) => byte.toString(16).padStart(2, '0')).join('');

// Every file from the server, past the HTTP cache, checked against its
// hash: a folder half replaced, or an old file from a cache on the way,
// fails the install, and the old version stays in use. What is kept is the
// file alone, its bytes and type: a host that redirects index.html to its
// folder gives a response marked as redirected, which Chromium and WebKit
// refuse to open a page from.
async function keep() {
  const responses = await Promise.all(Object.entries(files).map(async ([name, digest]) => {
    const response = await fetch(name, {cache: 'reload'});
    const bytes = await response.arrayBuffer();
    if (!response.ok || hex(await crypto.subtle.digest('SHA-256', bytes)) !== digest) {
      throw new Error(`${name} on the server is not the one of version ${version}`);
    }
    const type = response.headers.get('Content-Type');
    return [name, new Response(bytes, {status: 200, headers: type ? {'Content-Type': type} : {}})];
  }));
  const cache = await caches.open(cacheName);
  try {
    await Promise.all(responses.map(([name, response]) => cache.put(name, response)));
  } catch (error) {
    await caches.delete(cacheName);
    throw error;
  }
}

// A new version takes over once it is kept, without waiting for the old
// one's pages to close: an open page has its program and faces from the
// start (files named after their bytes, so that it never takes another
// version's) and asks later only for the licence's text and the scanner's
// decoder, so the next visit opens the new version.
self.addEventListener('install', (event) => {
  event.waitUntil(keep().then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name.startsWith(prefix) && name !== cacheName) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The site's own address is its page; a file is kept without a query.
function keyOf(request) {
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  return url.href === registration.scope ? new URL('index.html', url).href : url.href;
}

// Matched by address alone (a match that ignores the query reads every
// entry of the cache).
self.addEventListener('fetch', (event) => {
  event.respondWith(caches.open(cacheName).then((cache) => cache.match(keyOf(event.request)))
    .then((response) => response ?? fetch(event.request)));
});
