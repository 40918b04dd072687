// The page's service worker: keeps the site's files so that the game opens
// and plays without the network. Web.cmake writes it into the site after
// each build (version.cmake) with the build's version, a hash of every other
// file there, so that each build is a new worker with a cache of its own.
const version = '@VELMORA_VERSION@';
const files = [@VELMORA_FILES@];
const name = `velmora-${version}`;

// The first visit fetched the page before this worker was there: everything
// is fetched again for the cache, past the browser's own.
self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(name)
        .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
        .then(() => self.skipWaiting()));
});

// The build before this one is of no more use.
self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((n) => n.startsWith('velmora-') && n !== name)
            .map((n) => caches.delete(n))))
        .then(() => self.clients.claim()));
});

// The page's address carries test parameters; the file is the same.
function key(request) {
    const url = new URL(request.url);
    url.search = '';
    url.hash = '';
    return url.href;
}

// The network first, so that a reload shows a new build at once, and each
// answer kept for when there is no network. An old worker still answering
// while the new one takes over must not bring its deleted cache back.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
    event.respondWith(fetch(request).then((response) => {
        if (response.ok && response.type === 'basic') {
            const copy = response.clone();
            event.waitUntil(caches.has(name).then((kept) => kept &&
                caches.open(name).then((cache) => cache.put(key(request), copy))));
        }
        return response;
    }, async (failure) => {
        const kept = await caches.match(key(request), { cacheName: name }) ||
            (request.mode === 'navigate' && await caches.match(new URL('./', registration.scope).href, { cacheName: name }));
        if (kept) return kept;
        throw failure;
    }));
});
