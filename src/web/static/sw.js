// Keeps the site in a cache named after its version, so a student who opened it once can use it
// offline, and a new version replaces the old. The build fills in the version and the files.
const VERSION = "__QUORVANE_VERSION__";
const FILES = __QUORVANE_FILES__;
const CACHE = `quorvane-${VERSION}`;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
                      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
                      .then((keys) => Promise.all(keys.filter((k) => k.startsWith("quorvane-") && k !== CACHE)
                                                      .map((k) => caches.delete(k))))
                      .then(() => self.clients.claim()));
});

// Cache first for the site's own files; the query ("?test") and the hash ("#setup=") do not
// make a different file.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then((cache) =>
      cache.match(request, { ignoreSearch: true }).then((hit) => hit || fetch(request))));
});
