// Reads PDF files as pdf.js (Firefox's viewer, and many web sites' and mail
// programs') does: each page's text items as its find bar joins them, a line
// break after an item that ends a line. Takes on stdin a JSON list of
// {"file": path} and writes on stdout a JSON list of {"text": text} in the
// same order.
import { readFileSync } from 'node:fs';
import { getDocument } from 'pdfjs-dist/legacy/build/pdf.mjs';

// Whatever the library tells goes to stderr: stdout carries the answer alone.
console.log = console.info = console.warn = console.error;

async function read(file) {
    const doc = await getDocument({ data: new Uint8Array(readFileSync(file)), verbosity: 0,
                                    disableFontFace: true, useSystemFonts: false }).promise;
    const pages = [];
    for (let p = 1; p <= doc.numPages; ++p) {
        const page = await doc.getPage(p);
        const content = await page.getTextContent();
        pages.push(content.items.map((i) => i.str + (i.hasEOL ? '\n' : '')).join(''));
        page.cleanup();
    }
    await doc.destroy();
    return { text: pages.join('\n') };
}

const request = JSON.parse(readFileSync(0, 'utf8'));
const out = [];
for (const r of request)
    out.push(await read(r.file));
process.stdout.write(JSON.stringify(out));
