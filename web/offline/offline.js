// Registers the page folder's service worker, which keeps the folder for use without a network,
// when the page is served; a page opened from its file has nothing to keep.
'use strict';

if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  navigator.serviceWorker.register('service-worker.js')
    .catch((error) => console.warn(`mathieu12 works online only here: ${error.message}`));
}
