// Opens an album of the responsive template in headless Chromium and checks what a visitor on a
// phone, a laptop and a large screen gets: no sideways scrolling, every picture loaded, the size
// that srcset picks on a phone, the viewer's keys, its addresses (reload, Back), no request the
// page's policy refuses, and no serious or critical finding of the axe-core accessibility engine
// on the index page and in the open viewer, in the light and the dark look.
//
// usage: node check-responsive.mjs ALBUM_FOLDER INDEX_PAGE WIDE_PHOTO
// WIDE_PHOTO is the file name of a photo at least 1300 pixels wide (the viewer's address of it).
// CHROMIUM names the browser (default /usr/bin/chromium). Exit status 0 when all is well.

import { chromium } from 'playwright-core';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const [folderArgument, indexName, widePhoto] = process.argv.slice(2);
if (!folderArgument || !indexName || !widePhoto) {
    console.error('usage: node check-responsive.mjs ALBUM_FOLDER INDEX_PAGE WIDE_PHOTO');
    process.exit(2);
}
const folder = path.resolve(folderArgument);
const indexUrl = new URL(`file://${folder}/${indexName}`).href;
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// A file name from an address; names that are no UTF-8 stay percent-encoded.
function fileNameOf(url) {
    const name = new URL(url).pathname.split('/').pop();
    try {
        return decodeURIComponent(name);
    } catch (error) {
        return name;
    }
}

const problems = [];
const report = (what, text) => problems.push(`${what}: ${text}`);
const expect = (condition, what, text) => { if (!condition) report(what, text); };

const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--allow-file-access-from-files'],
});

// A page whose script errors and refused requests are reported.
async function openPage(context, url, what) {
    const page = await context.newPage();
    page.on('pageerror', (error) => report(what, `script error: ${error.message}`));
    page.on('console', (message) => {
        if (message.type() === 'error') report(what, `console: ${message.text()}`);
    });
    page.on('requestfailed', (request) => {
        // The viewer drops the picture it no longer needs when the visitor moves on.
        if (request.failure()?.errorText === 'net::ERR_ABORTED' && request.resourceType() === 'image') return;
        report(what, `${request.url()} failed: ${request.failure()?.errorText}`);
    });
    await page.goto(url, { waitUntil: 'load', timeout: 30000 });
    return page;
}

// Scrolls to the end and back, so that every lazy picture is asked for, and waits for them.
async function loadEveryPicture(page) {
    await page.evaluate(async () => {
        const step = Math.max(200, window.innerHeight / 2);
        for (let y = 0; y < document.documentElement.scrollHeight; y += step) {
            window.scrollTo(0, y);
            await new Promise((done) => requestAnimationFrame(() => setTimeout(done, 30)));
        }
        const images = [...document.images].filter((img) => img.getAttribute('src') !== null);
        await Promise.race([
            Promise.all(images.map((img) => img.decode().catch(() => null))),
            new Promise((done) => setTimeout(done, 20000)),
        ]);
        window.scrollTo(0, 0);
    });
    return page.evaluate(() => [...document.images]
        .filter((img) => img.getAttribute('src') !== null && !(img.complete && img.naturalWidth > 0))
        .map((img) => img.currentSrc || img.src));
}

async function sidewaysScroll(page) {
    return page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
}

// Runs one part of the checks; a part that cannot go on is reported and the next one runs.
async function part(what, check) {
    try {
        await check();
    } catch (error) {
        report(what, error.message.split('\n')[0]);
    }
}

const viewerState = (page) => page.evaluate(() => {
    const dialog = document.querySelector('dialog.viewer');
    return {
        open: dialog.open,
        count: dialog.querySelector('.viewer-count').textContent,
        hash: location.hash,
        focused: document.activeElement?.closest('.grid a') ? 'thumbnail' : document.activeElement?.tagName,
    };
});

async function axeFindings(page, what) {
    await page.evaluate(axeSource);
    const result = await page.evaluate(() => window.axe.run(document, {
        resultTypes: ['violations'],
        // The engine would fetch the style sheets itself, which the album's policy forbids.
        preload: false,
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] },
    }));
    for (const violation of result.violations) {
        if (violation.impact === 'serious' || violation.impact === 'critical') {
            const nodes = violation.nodes.slice(0, 3).map((node) => node.target.join(' ')).join('; ');
            report(what, `axe ${violation.impact}: ${violation.id} (${violation.help}) at ${nodes}`);
        }
    }
}

try {
    // Every width a visitor may bring: the grid fills it without sideways scrolling and every
    // picture of the index and of a photo page loads.
    for (const width of [320, 390, 768, 1366, 2560]) await part(`${width} px`, async () => {
        const context = await browser.newContext({ viewport: { width, height: 900 } });
        const what = `index at ${width} px`;
        const page = await openPage(context, indexUrl, what);
        for (const src of await loadEveryPicture(page)) report(what, `picture ${src} did not load`);
        const overflow = await sidewaysScroll(page);
        expect(overflow <= 0, what, `scrolls sideways by ${overflow} pixels`);
        const photoPage = await page.evaluate(() => document.querySelector('.grid a').href);
        const plain = await openPage(context, photoPage, `photo page at ${width} px`);
        for (const src of await loadEveryPicture(plain)) report(`photo page at ${width} px`, `picture ${src} did not load`);
        const photoOverflow = await sidewaysScroll(plain);
        expect(photoOverflow <= 0, `photo page at ${width} px`, `scrolls sideways by ${photoOverflow} pixels`);
        await context.close();
    });

    await part('viewer', async () => {
        const context = await browser.newContext({ viewport: { width: 390, height: 844 } });
        const page = await openPage(context, indexUrl, 'viewer');
        const fetched = [];
        page.on('request', (request) => fetched.push(fileNameOf(request.url())));

        // A phone-sized window opening the wide photo fetches its 640-pixel size, not the larger ones.
        const wideBase = widePhoto.replace(/\.[^.]*$/, '');
        await page.evaluate((id) => { location.hash = id; }, widePhoto);
        await page.waitForFunction(() => {
            const img = document.querySelector('.viewer-photo');
            return document.querySelector('dialog.viewer').open && img.complete && img.naturalWidth > 0;
        }, null, { timeout: 15000 });
        const chosen = fileNameOf(await page.evaluate(() => document.querySelector('.viewer-photo').currentSrc));
        expect(chosen === `w640_jpg_${wideBase}.jpg`, 'srcset at 390 px', `the viewer shows ${chosen}`);
        const tooLarge = fetched.filter((name) => name === widePhoto || name === `w1280_jpg_${wideBase}.jpg`);
        expect(tooLarge.length === 0, 'srcset at 390 px', `fetched ${tooLarge.join(', ')}`);
        await page.keyboard.press('Escape');
        await page.waitForFunction(() => !document.querySelector('dialog.viewer').open, null, { timeout: 5000 });

        // The keys: arrows, Home and End move, Escape closes and gives the focus back.
        await page.locator('.grid a').first().click();
        let state = await viewerState(page);
        const total = Number(/of (\d+)/.exec(state.count)?.[1]);
        expect(state.open && state.count === `Photo 1 of ${total}`, 'viewer', `a click opened ${JSON.stringify(state)}`);
        await page.keyboard.press('ArrowRight');
        state = await viewerState(page);
        expect(state.count === `Photo 2 of ${total}` && state.hash.length > 1, 'ArrowRight', JSON.stringify(state));
        await page.keyboard.press('ArrowLeft');
        expect((await viewerState(page)).count === `Photo 1 of ${total}`, 'ArrowLeft', JSON.stringify(await viewerState(page)));
        await page.keyboard.press('End');
        expect((await viewerState(page)).count === `Photo ${total} of ${total}`, 'End', JSON.stringify(await viewerState(page)));
        await page.keyboard.press('Home');
        expect((await viewerState(page)).count === `Photo 1 of ${total}`, 'Home', JSON.stringify(await viewerState(page)));
        // The next photo is asked for before it is shown.
        const secondSrcset = await page.evaluate(() => document.querySelectorAll('.grid a')[1].dataset.srcset);
        const secondFiles = secondSrcset.split(', ').map((candidate) => fileNameOf(new URL(candidate.split(' ')[0], indexUrl).href));
        expect(secondFiles.some((file) => fetched.includes(file)), 'preload', `none of ${secondFiles.join(', ')} was fetched`);

        // The open viewer, in both looks, passes the accessibility engine; so does the index.
        for (const colorScheme of ['light', 'dark']) {
            await page.emulateMedia({ colorScheme });
            await axeFindings(page, `open viewer (${colorScheme})`);
        }
        await page.keyboard.press('Escape');
        state = await viewerState(page);
        expect(!state.open && state.hash === '' && state.focused === 'thumbnail', 'Escape', JSON.stringify(state));
        for (const colorScheme of ['light', 'dark']) {
            await page.emulateMedia({ colorScheme });
            await axeFindings(page, `index (${colorScheme})`);
        }

        // The close button is a button with a name, and closes.
        await page.locator('.grid a').nth(1).click();
        await page.getByRole('button', { name: 'Close' }).click();
        expect(!(await viewerState(page)).open, 'close button', 'the viewer stayed open');

        // A photo's address opens it after a reload; Back closes the viewer.
        const third = await page.evaluate(() => document.querySelectorAll('.grid a')[2].dataset.id);
        await page.goto(`${indexUrl}#${third}`);
        await page.reload();
        state = await viewerState(page);
        expect(state.open && state.count === `Photo 3 of ${total}`, 'deep link after reload', JSON.stringify(state));
        await page.keyboard.press('Escape');
        await page.goto(indexUrl);
        await page.locator('.grid a').nth(1).click();
        expect((await viewerState(page)).open, 'Back', 'a click did not open the viewer');
        await page.goBack();
        await page.waitForFunction(() => !document.querySelector('dialog.viewer').open, null, { timeout: 5000 })
            .catch(() => report('Back', 'the viewer stayed open'));
        expect(page.url().startsWith(indexUrl.split('#')[0]), 'Back', `left the index for ${page.url()}`);
        await context.close();
    });

    // Without scripts the thumbnails are links to plain photo pages.
    await part('without script', async () => {
        const noScript = await browser.newContext({ viewport: { width: 390, height: 844 }, javaScriptEnabled: false });
        const plain = await openPage(noScript, indexUrl, 'without script');
        await plain.locator('.grid a').first().click();
        await plain.waitForLoadState('load');
        expect(/\.htm$/.test(plain.url()) && (await plain.locator('main img').count()) === 1, 'without script',
            `the first thumbnail led to ${plain.url()}`);
        await noScript.close();
    });
} finally {
    await browser.close();
}

for (const problem of problems) console.log(problem);
console.log(`responsive album ${folder}: ${problems.length} problems`);
process.exit(problems.length === 0 ? 0 : 1);
