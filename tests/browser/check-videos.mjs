// Plays every video of a generated album in headless Chromium: on each page that has a player,
// and, given the responsive album's index page, in its viewer. Each must start playing (its time
// advances), and the size the browser decodes must be the width and height the page gives the
// player; a clip whose name holds PORTRAIT must be taller than wide.
//
// usage: node check-videos.mjs ALBUM_FOLDER PORTRAIT [INDEX_PAGE]
// CHROMIUM names the browser (default /usr/bin/chromium). Exit status 0 when every video plays.

import { chromium } from 'playwright-core';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [folderArgument, portrait, indexPage] = process.argv.slice(2);
if (!folderArgument || !portrait) {
    console.error('usage: node check-videos.mjs ALBUM_FOLDER PORTRAIT [INDEX_PAGE]');
    process.exit(2);
}
const folder = path.resolve(folderArgument);
const pages = fs.readdirSync(folder).filter((name) => /\.html?$/i.test(name)).sort();
const problems = [];

const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--allow-file-access-from-files', '--autoplay-policy=no-user-gesture-required'],
});

// Plays the player that `selector` finds on the page until its time has advanced; what it found,
// or why not.
async function play(page, selector) {
    return page.evaluate(async (selector) => {
        const video = document.querySelector(selector);
        if (!video) return { error: 'no player' };
        video.muted = true;
        try {
            await new Promise((loaded, failed) => {
                if (video.readyState >= 1) loaded();
                video.addEventListener('loadedmetadata', loaded);
                video.addEventListener('error', () => failed(new Error('cannot load ' + video.currentSrc)));
                setTimeout(() => failed(new Error('no metadata within 10 s')), 10000);
            });
            const start = video.currentTime;
            await video.play();
            // A busy machine may take a while to start; up to 10 seconds for a fifth of one.
            await new Promise((done) => {
                const deadline = Date.now() + 10000;
                const look = () => {
                    if (video.currentTime - start > 0.2 || Date.now() > deadline) done();
                    else setTimeout(look, 50);
                };
                look();
            });
            return {
                source: video.currentSrc,
                advanced: video.currentTime - start,
                width: video.videoWidth,
                height: video.videoHeight,
                shownWidth: Number(video.getAttribute('width')),
                shownHeight: Number(video.getAttribute('height')),
            };
        } catch (error) {
            return { error: String(error.message || error) };
        }
    }, selector);
}

function judge(where, result) {
    if (result.error) {
        problems.push(`${where}: ${result.error}`);
        return;
    }
    if (!(result.advanced > 0.2)) problems.push(`${where}: ${result.source} does not play`);
    if (result.width !== result.shownWidth || result.height !== result.shownHeight)
        problems.push(`${where}: ${result.source} is ${result.width}x${result.height}, the page says ` +
                      `${result.shownWidth}x${result.shownHeight}`);
    if (result.source.includes(portrait) && !(result.height > result.width))
        problems.push(`${where}: ${result.source} is not upright`);
    console.log(`${where}: ${path.basename(result.source)} ${result.width}x${result.height}, played ` +
                `${result.advanced.toFixed(2)} s`);
}

let played = 0;
for (const name of pages) {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(path.join(folder, name)).href);
    if (await page.locator('video').count() > 0) {
        judge(name, await play(page, 'video'));
        ++played;
    }
    await page.close();
}
if (played === 0) problems.push('no page of the album has a player');

// The viewer of a responsive album plays a video where it shows a photo.
if (indexPage) {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(path.join(folder, indexPage)).href);
    const links = page.locator('.grid a[data-video]');
    const count = await links.count();
    if (count === 0) problems.push(`${indexPage}: no video in the grid`);
    for (let i = 0; i < count; ++i) {
        await links.nth(i).click();
        // A busy machine may show the viewer a moment after the click.
        const player = 'dialog.viewer[open] .viewer-video:not([hidden])';
        await page.locator(player).waitFor({ state: 'attached', timeout: 10000 }).catch(() => {});
        judge(`${indexPage} viewer, video ${i + 1}`, await play(page, player));
        if (await page.locator('dialog.viewer[open] .viewer-photo:not([hidden])').count() > 0)
            problems.push(`${indexPage}: the viewer shows a photo beside video ${i + 1}`);
        await page.keyboard.press('Escape');
        // Closing goes back in the history; the next click must come after that, as a person's would.
        await page.waitForFunction(() => !document.querySelector('dialog.viewer[open]') && location.hash === '',
                                   null, { timeout: 10000 }).catch(() => {});
    }
    await page.close();
}

await browser.close();
for (const problem of problems) console.log(`PROBLEM ${problem}`);
process.exit(problems.length === 0 ? 0 : 1);
