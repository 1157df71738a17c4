// What the web tests and the web benchmark share: a static server on 127.0.0.1 and Debian's
// headless Chromium with software WebGL.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css', '.png': 'image/png'};

// Serves `folders` ({'/': dir, '/native/': dir}) and resolves to the server; its address is
// http://127.0.0.1:PORT with server.address().port.
export async function serve(folders) {
  const server = http.createServer((request, response) => {
    const url = path.normalize(decodeURIComponent(request.url.split('?')[0]));
    const prefix = Object.keys(folders).filter((p) => url.startsWith(p)).sort((a, b) => b.length - a.length)[0];
    const rest = url.slice(prefix.length) || 'index.html';
    const file = path.join(folders[prefix], rest);
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
      response.end(error ? undefined : data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

export function launchChromium() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'chromium-')),
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}
