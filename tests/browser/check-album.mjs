// Opens every page of a generated album in headless Chromium and reports what a visitor would
// meet as broken: pages that fail to load or throw, pictures that do not load or have no size,
// links, image-map areas and list-box entries that lead to no file, photo pages wider than a
// phone's window. File names are taken as the bytes they are, so names that are not UTF-8 are
// checked too.
//
// usage: node check-album.mjs ALBUM_FOLDER [PORTRAIT]
// Pictures whose address holds PORTRAIT must load taller than wide, as they were taken: a photo
// turned by its camera tag that a browser turned once more would load wider than high.
// CHROMIUM names the browser (default /usr/bin/chromium). Exit status 0 when nothing is broken.

import { chromium } from 'playwright-core';
import fs from 'node:fs';
import path from 'node:path';

const folder = path.resolve(process.argv[2] ?? '');
const portrait = process.argv[3];
if (!process.argv[2] || !fs.statSync(folder, { throwIfNoEntry: false })?.isDirectory()) {
    console.error('usage: node check-album.mjs ALBUM_FOLDER');
    process.exit(2);
}

// The file: address of a file name's bytes, every byte but the plainest percent-encoded.
function fileUrlOf(bytes) {
    let url = 'file://';
    for (const byte of bytes) {
        const c = String.fromCharCode(byte);
        url += /[A-Za-z0-9\-._~\/]/.test(c) ? c : `%${byte.toString(16).toUpperCase().padStart(2, '0')}`;
    }
    return url;
}

// The bytes of the file a file: address names: its percent-escapes are bytes, not UTF-8 text.
function pathBytesOf(url) {
    const encoded = new URL(url).pathname;
    const bytes = [];
    for (let i = 0; i < encoded.length; ++i) {
        if (encoded[i] === '%' && /^[0-9A-Fa-f]{2}$/.test(encoded.slice(i + 1, i + 3))) {
            bytes.push(parseInt(encoded.slice(i + 1, i + 3), 16));
            i += 2;
        } else {
            bytes.push(...Buffer.from(encoded[i], 'utf8'));
        }
    }
    return Buffer.from(bytes);
}

const folderBytes = Buffer.from(folder + '/', 'utf8');
const pages = fs.readdirSync(folder, { encoding: 'buffer' })
    .filter((name) => /\.html?$/i.test(name.toString('latin1')))
    .sort(Buffer.compare);
if (pages.length === 0) {
    console.error(`no pages in ${folder}`);
    process.exit(1);
}

const problems = [];
const report = (page, text) => problems.push(`${page}: ${text}`);

// A local target must be a file in the album folder; remote and script links are not ours to
// check, but a file name read as a scheme of its own ("photo:1.jpg") leads nowhere.
function checkTarget(page, what, url) {
    if (!url) return;
    const scheme = url.slice(0, url.indexOf(':') + 1).toLowerCase();
    if (['http:', 'https:', 'mailto:', 'javascript:', 'about:'].includes(scheme)) return;
    if (scheme !== 'file:') {
        report(page, `${what} leads to ${url}, which is no file`);
        return;
    }
    const target = pathBytesOf(url.split('#')[0].split('?')[0]);
    if (!fs.statSync(target, { throwIfNoEntry: false })?.isFile()) {
        report(page, `${what} leads to a missing file ${target.toString('latin1')}`);
    }
}

const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--allow-file-access-from-files', '--autoplay-policy=no-user-gesture-required'],
});
try {
    // A phone's width: a photo page must fit it without sideways scrolling.
    const context = await browser.newContext({ viewport: { width: 390, height: 844 } });
    for (const nameBytes of pages) {
        const name = nameBytes.toString('latin1');
        const page = await context.newPage();
        page.on('pageerror', (error) => report(name, `script error: ${error.message}`));
        page.on('requestfailed', (request) => {
            // Media elements may cancel their own range requests; a missing file still shows below.
            if (request.failure()?.errorText === 'net::ERR_ABORTED' && request.resourceType() === 'media') return;
            report(name, `${request.resourceType()} ${request.url()} failed: ${request.failure()?.errorText}`);
        });
        const response = await page.goto(fileUrlOf(Buffer.concat([folderBytes, nameBytes])), {
            waitUntil: 'load',
            timeout: 30000,
        });
        if (!response) report(name, 'did not load');

        for (const frame of page.frames()) {
            const where = frame === page.mainFrame() ? name : `${name} (frame ${frame.url()})`;
            // Pictures a page loads as the visitor scrolls to them are all asked for now. A
            // picture without an address is a viewer's, filled in when it opens.
            await frame.evaluate(() => {
                const images = [...document.images].filter((img) => img.getAttribute('src') !== null);
                for (const img of images) img.loading = 'eager';
                const loaded = images.map((img) => img.complete ? null : new Promise((done) => {
                    img.addEventListener('load', done, { once: true });
                    img.addEventListener('error', done, { once: true });
                }));
                return Promise.race([Promise.all(loaded), new Promise((done) => setTimeout(done, 20000))]);
            });
            const found = await frame.evaluate(() => {
                const images = [...document.images].filter((img) => img.getAttribute('src') !== null).map((img) => ({
                    src: img.currentSrc || img.src,
                    ok: img.complete && img.naturalWidth > 0 && img.naturalHeight > 0,
                    tall: img.naturalHeight > img.naturalWidth,
                }));
                const links = [...document.querySelectorAll('a[href], area[href]')].map((a) => ({
                    what: `${a.tagName.toLowerCase()} "${(a.textContent || a.alt || '').trim()}"`,
                    url: a.href,
                }));
                const options = [...document.querySelectorAll('select option')]
                    .filter((o) => o.value && !o.value.startsWith('#'))
                    .map((o) => ({ what: `list entry "${o.textContent.trim()}"`, url: new URL(o.value, document.baseURI).href }));
                const frames = [...document.querySelectorAll('frame[src], iframe[src]')].map((f) => ({
                    what: 'frame', url: f.src,
                }));
                const photo = document.querySelector('img[name=FullSizeImage]');
                const overflow = photo && photo.complete && document.documentElement.scrollWidth > window.innerWidth
                    ? `${document.documentElement.scrollWidth} pixels wide in a window of ${window.innerWidth}`
                    : '';
                return { images, targets: [...links, ...options, ...frames], overflow };
            });
            for (const image of found.images) {
                if (!image.ok) report(where, `picture ${image.src} did not load or has no size`);
                else if (portrait && image.src.includes(portrait) && !image.tall)
                    report(where, `picture ${image.src} is not upright`);
            }
            for (const target of found.targets) checkTarget(where, target.what, target.url);
            // Inside a frame set the frame's width is the frame set's choice, not the page's.
            if (found.overflow && frame === page.mainFrame())
                report(where, `the photo page does not fit: ${found.overflow}`);
        }
        await page.close();
    }
} finally {
    await browser.close();
}

for (const problem of problems) console.log(problem);
console.log(`${pages.length} pages checked in ${folder}, ${problems.length} problems`);
process.exit(problems.length === 0 ? 0 : 1);
