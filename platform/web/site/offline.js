// Registers sw.js, which keeps the app's files so that it starts without a network after one
// visit. A browser without service workers (or a page not served over HTTPS) runs it online only.
'use strict';
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch((e) => {
    console.warn('Lettervonk: no offline use:', e);
  });
}
