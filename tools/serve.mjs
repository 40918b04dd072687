// A static server for the page: serves a folder on 127.0.0.1 with the
// types browsers want (WebAssembly must come as application/wasm).
// Usage: node tools/serve.mjs FOLDER [PORT]   (PORT 0: any free port)
// Prints the address it listens on as its first line.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';

const types = {
    '.html': 'text/html; charset=utf-8', '.htm': 'text/html; charset=utf-8',
    '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png',
    '.ico': 'image/png', '.webmanifest': 'application/manifest+json',
};

// extra: headers added to every answer.
export function serve(folder, port = 0, extra = {}) {
    const root = resolve(folder);
    const server = createServer(async (request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
        if (!file.startsWith(root)) {
            response.writeHead(403).end();
            return;
        }
        try {
            const body = await readFile(file);
            response.writeHead(200, {
                'Content-Type': types[extname(file)] || 'application/octet-stream',
                'Cache-Control': 'no-store',
                ...extra,
            });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (process.argv[1] && resolve(process.argv[1]) === resolve(new URL(import.meta.url).pathname)) {
    const [folder, port] = process.argv.slice(2);
    if (!folder) {
        console.error('usage: node tools/serve.mjs FOLDER [PORT]');
        process.exit(2);
    }
    const server = await serve(folder, Number(port || 8000));
    console.log(`http://127.0.0.1:${server.address().port}/`);
}
