// Opens every page of a generated album in headless Chromium and reports what a visitor would
// meet as broken: pages that fail to load or throw, pictures that do not load or have no size,
// links, image-map areas and list-box entries that lead to no file.
//
// usage: node check-album.mjs ALBUM_FOLDER
// CHROMIUM names the browser (default /usr/bin/chromium). Exit status 0 when nothing is broken.

import { chromium } from 'playwright-core';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const folder = path.resolve(process.argv[2] ?? '');
if (!process.argv[2] || !fs.statSync(folder, { throwIfNoEntry: false })?.isDirectory()) {
    console.error('usage: node check-album.mjs ALBUM_FOLDER');
    process.exit(2);
}

const pages = fs.readdirSync(folder).filter((name) => /\.html?$/i.test(name)).sort();
if (pages.length === 0) {
    console.error(`no pages in ${folder}`);
    process.exit(1);
}

const problems = [];
const report = (page, text) => problems.push(`${page}: ${text}`);

// A local target must be a file in the album folder; remote and script links are not ours to check.
function checkTarget(page, what, url) {
    if (!url || !url.startsWith('file:')) return;
    const target = fileURLToPath(url.split('#')[0].split('?')[0]);
    if (!fs.statSync(target, { throwIfNoEntry: false })?.isFile()) {
        report(page, `${what} leads to a missing file ${path.relative(folder, target) || target}`);
    }
}

const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--allow-file-access-from-files', '--autoplay-policy=no-user-gesture-required'],
});
try {
    const context = await browser.newContext();
    for (const name of pages) {
        const page = await context.newPage();
        page.on('pageerror', (error) => report(name, `script error: ${error.message}`));
        page.on('requestfailed', (request) => {
            // Media elements may cancel their own range requests; a missing file still shows below.
            if (request.failure()?.errorText === 'net::ERR_ABORTED' && request.resourceType() === 'media') return;
            report(name, `${request.resourceType()} ${request.url()} failed: ${request.failure()?.errorText}`);
        });
        const response = await page.goto(pathToFileURL(path.join(folder, name)).href, {
            waitUntil: 'load',
            timeout: 30000,
        });
        if (!response) report(name, 'did not load');

        for (const frame of page.frames()) {
            const where = frame === page.mainFrame() ? name : `${name} (frame ${frame.url()})`;
            const found = await frame.evaluate(() => {
                const images = [...document.images].map((img) => ({
                    src: img.currentSrc || img.src,
                    ok: img.complete && img.naturalWidth > 0 && img.naturalHeight > 0,
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
                return { images, targets: [...links, ...options, ...frames] };
            });
            for (const image of found.images) {
                if (!image.ok) report(where, `picture ${image.src} did not load or has no size`);
            }
            for (const target of found.targets) checkTarget(where, target.what, target.url);
        }
        await page.close();
    }
} finally {
    await browser.close();
}

for (const problem of problems) console.log(problem);
console.log(`${pages.length} pages checked in ${folder}, ${problems.length} problems`);
process.exit(problems.length === 0 ? 0 : 1);
