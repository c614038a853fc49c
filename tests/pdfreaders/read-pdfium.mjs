// Reads PDF files as PDFium (the engine of Chrome's and Edge's viewers) does:
// each page's text as its text page gives it, and whether each phrase asked
// for is found by its search. Takes on stdin a JSON list of
// {"file": path, "phrases": [text, ...]} and writes on stdout a JSON list of
// {"text": text, "found": [bool, ...]} in the same order.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { init } from '@embedpdf/pdfium';

// Whatever the library tells goes to stderr: stdout carries the answer alone.
console.log = console.info = console.warn = console.error;

const require = createRequire(import.meta.url);
const wasmBinary = readFileSync(require.resolve('@embedpdf/pdfium/pdfium.wasm'));
const pdfium = await init({ wasmBinary });
pdfium.PDFiumExt_Init();
const heap = pdfium.pdfium;

function withUtf16(text, use) {
    const bytes = (text.length + 1) * 2;
    const ptr = heap.wasmExports.malloc(bytes);
    try {
        heap.stringToUTF16(text, ptr, bytes);
        return use(ptr);
    } finally {
        heap.wasmExports.free(ptr);
    }
}

function pageText(textPage) {
    const count = pdfium.FPDFText_CountChars(textPage);
    if (count <= 0)
        return '';
    const bytes = (count + 1) * 2;
    const ptr = heap.wasmExports.malloc(bytes);
    try {
        const written = pdfium.FPDFText_GetText(textPage, 0, count, ptr);
        return heap.UTF16ToString(ptr, Math.max(0, written - 1) * 2);
    } finally {
        heap.wasmExports.free(ptr);
    }
}

function found(textPage, phrase) {
    return withUtf16(phrase, (what) => {
        const search = pdfium.FPDFText_FindStart(textPage, what, 0, 0);
        if (!search)
            return false;
        const hit = pdfium.FPDFText_FindNext(search);
        pdfium.FPDFText_FindClose(search);
        return Boolean(hit);
    });
}

function read(file, phrases) {
    const data = readFileSync(file);
    const ptr = heap.wasmExports.malloc(data.length);
    heap.HEAPU8.set(data, ptr);
    try {
        const doc = pdfium.FPDF_LoadMemDocument(ptr, data.length, '');
        if (!doc)
            throw new Error(`${file}: PDFium cannot open it`);
        const pages = [];
        const seen = phrases.map(() => false);
        for (let p = 0; p < pdfium.FPDF_GetPageCount(doc); ++p) {
            const page = pdfium.FPDF_LoadPage(doc, p);
            const textPage = pdfium.FPDFText_LoadPage(page);
            pages.push(pageText(textPage));
            phrases.forEach((phrase, i) => { seen[i] ||= found(textPage, phrase); });
            pdfium.FPDFText_ClosePage(textPage);
            pdfium.FPDF_ClosePage(page);
        }
        pdfium.FPDF_CloseDocument(doc);
        return { text: pages.join('\n'), found: seen };
    } finally {
        heap.wasmExports.free(ptr);
    }
}

const request = JSON.parse(readFileSync(0, 'utf8'));
process.stdout.write(JSON.stringify(request.map((r) => read(r.file, r.phrases ?? []))));
