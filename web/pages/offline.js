// Offline: served over http(s), the site is an installable web app (manifest.webmanifest) whose
// service worker (sw.js) keeps every file of the site at the first visit, so that the pages work
// with the network gone. Opened from its folder (file://) there is no worker, and nothing changes.
(function () {
  if (!/^https?:$/.test(location.protocol) || !('serviceWorker' in navigator)) return;
  const manifest = Object.assign(document.createElement('link'), {rel: 'manifest', href: 'manifest.webmanifest'});
  document.head.append(manifest);
  // Once the page has loaded: a worker set up sooner fetches the whole site while the page's own
  // files are still coming, and the first visit waits for it.
  addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch((error) => console.warn(`no offline copy: ${error.message}`)),
                   {once: true});
})();
