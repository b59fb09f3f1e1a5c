// A small static web server for the browser edition, on the loopback address only: it serves the
// files of one folder, nothing else, with the types a browser needs to run WebAssembly, a web app
// manifest and a service worker.
//   node scripts/serve-site.mjs [folder] [port]   default build-web/site, port 8080 or, when that
//                                                  is taken, any free one (0: any free one)
// Prints the address once it listens. Imported, serveSite(folder, port) gives the running server
// and its address.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
  '.map': 'application/json',
};

// The file a request path names inside root, or null when it names anything outside it.
function fileOf(root, requestUrl) {
  let pathname;
  try {
    pathname = decodeURIComponent(new URL(requestUrl, 'http://localhost').pathname);
  } catch {
    return null;
  }
  if (pathname.includes('\0')) return null;
  const file = path.resolve(root, '.' + pathname);
  if (file !== root && !file.startsWith(root + path.sep)) return null;
  return file;
}

export function serveSite(folder, port = 0) {
  const root = path.resolve(folder);
  const server = createServer(async (request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405, { Allow: 'GET, HEAD' }).end();
      return;
    }
    let file = fileOf(root, request.url ?? '/');
    try {
      if (file === null) throw new Error('outside the site');
      if ((await stat(file)).isDirectory()) file = path.join(file, 'index.html');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
        'Content-Length': body.length,
        'Cache-Control': 'no-cache',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('Not found\n');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const { port: bound } = server.address();
      resolve({ server, url: `http://127.0.0.1:${bound}/` });
    });
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] ?? 'build-web/site';
  const port = Number(process.argv[3] ?? 8080);
  const fallback = process.argv[3] === undefined ? 0 : null;
  try {
    await stat(path.join(folder, 'index.html'));
  } catch {
    console.error(`${folder}/index.html is missing: build the site with "bash scripts/web.sh build"`);
    process.exit(1);
  }
  const { url } = await serveSite(folder, port)
    .catch((error) => {
      if (fallback === null || error.code !== 'EADDRINUSE') throw error;
      return serveSite(folder, fallback);
    })
    .catch((error) => {
      console.error(`cannot listen on 127.0.0.1:${port}: ${error.message}`);
      process.exit(1);
    });
  console.log(`Quorvane is at ${url} (Ctrl+C stops the server)`);
}
