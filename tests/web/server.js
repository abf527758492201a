'use strict';
// A static file server for the built site: the browsers need http (wasm is not fetched from
// file:), and the right MIME type for WebAssembly's streaming compile.
const http = require('node:http');
const fs = require('node:fs');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.bmp': 'image/bmp',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

// port: 0 takes any free one. extras: { '/url/path': { type, body } } served besides the folder
// (the recorder for browsers whose driver cannot install a script before the page's own).
// inject: a list of such paths that index.html loads first, before any script of its own.
function startServer(root, { extras = {}, inject = [], port = 0 } = {}) {
  const base = fs.realpathSync(root);
  const server = http.createServer((req, res) => {
    const send = (status, type, body) => {
      res.writeHead(status, { 'Content-Type': type, 'Cache-Control': 'no-store' });
      res.end(body);
    };
    if (req.method !== 'GET' && req.method !== 'HEAD') return send(405, 'text/plain', 'method');
    let urlPath;
    try {
      urlPath = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    } catch {
      return send(400, 'text/plain', 'bad path');
    }
    if (extras[urlPath]) return send(200, extras[urlPath].type, extras[urlPath].body);
    if (urlPath.endsWith('/')) urlPath += 'index.html';
    let file;
    try {
      file = fs.realpathSync(path.join(base, urlPath));
    } catch {
      return send(404, 'text/plain', 'not found');
    }
    // Only what lies inside the site, after symbolic links are followed.
    if (file !== base && !file.startsWith(base + path.sep)) return send(403, 'text/plain', 'no');
    if (!fs.statSync(file).isFile()) return send(404, 'text/plain', 'not found');
    const type = TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream';
    let body = fs.readFileSync(file);
    if (inject.length && path.basename(file) === 'index.html') {
      const tags = inject.map((src) => `<script src="${src}"></script>`).join('');
      const html = body.toString('utf8');
      const head = html.match(/<head[^>]*>/i);
      body = head ? html.replace(head[0], head[0] + tags) : tags + html;
    }
    send(200, type, body);
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}/`,
        close: () =>
          new Promise((done) => {
            server.close(() => done());
            server.closeAllConnections(); // the browsers keep theirs open
          }),
      });
    });
  });
}

module.exports = { startServer };
