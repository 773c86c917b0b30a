// The photo viewer of a Pictaven album: opens the photos of the index page's grid over the page,
// one at a time, at the size the window needs. Every photo has its own address (#name), so a
// link or a reload opens it again and the browser's Back button closes the viewer. Without this
// script every thumbnail is a plain link to the photo's own page.
// Copyright the Pictaven authors; licence in pictaven-viewer-licence.txt.
(function () {
    'use strict';

    // On a photo's own page the arrow keys follow its previous and next links.
    if (document.body.classList.contains('photo-page')) {
        document.addEventListener('keydown', function (event) {
            if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
            const rel = { ArrowLeft: 'prev', ArrowRight: 'next' }[event.key];
            const link = rel && document.querySelector('a[rel="' + rel + '"]');
            if (link) location.href = link.href;
        });
        return;
    }

    const dialog = document.querySelector('dialog.viewer');
    const links = Array.from(document.querySelectorAll('.grid a[data-id]'));
    if (!dialog || links.length === 0 || typeof dialog.showModal !== 'function') return;

    const photo = dialog.querySelector('.viewer-photo');
    const stage = dialog.querySelector('.viewer-stage');
    const caption = dialog.querySelector('.viewer-caption');
    const count = dialog.querySelector('.viewer-count');
    const audio = dialog.querySelector('.viewer-audio');
    const previous = dialog.querySelector('.viewer-prev');
    const next = dialog.querySelector('.viewer-next');
    let current = -1;
    let player = null; // the video player, made when the first video is shown
    let openedHere = false; // the viewer's address entry is ours to take back on closing

    // Names are percent-encoded in addresses, and may be bytes that are no UTF-8 at all.
    function decoded(text) {
        try {
            return decodeURIComponent(text);
        } catch (error) {
            return text;
        }
    }

    function photoOfAddress() {
        const id = decoded(location.hash.slice(1));
        if (!id) return -1;
        return links.findIndex(function (link) { return decoded(link.dataset.id) === id; });
    }

    // The photo fills the window's width until the window is wider than the photo's shape.
    function sizesOf(link) {
        const width = Number(link.dataset.width);
        const height = Number(link.dataset.height);
        return '(min-aspect-ratio: ' + width + '/' + height + ') calc(100vh * ' + width + ' / ' + height + '), 100vw';
    }

    function preload(index) {
        const link = links[index];
        if (!link) return;
        const image = new Image();
        image.decoding = 'async';
        image.sizes = sizesOf(link);
        image.srcset = link.dataset.srcset;
        image.src = link.dataset.src;
    }

    function setZoom(scale, x, y) {
        photo.dataset.scale = String(scale);
        photo.classList.toggle('zoomed', scale > 1);
        photo.style.transform = scale > 1 ? 'translate(' + x + 'px, ' + y + 'px) scale(' + scale + ')' : '';
    }

    // A video that is no longer shown stops, and lets go of its file.
    function stopPlayer() {
        if (!player) return;
        player.pause();
        player.removeAttribute('src');
        player.removeAttribute('poster');
        player.load();
        player.hidden = true;
    }

    // A video plays where a photo would be shown, at the size of the file it plays.
    function showVideo(link) {
        if (!player) {
            player = document.createElement('video');
            player.className = 'viewer-video';
            player.controls = true;
            player.preload = 'metadata';
            player.playsInline = true;
            stage.appendChild(player);
        }
        player.width = Number(link.dataset.width);
        player.height = Number(link.dataset.height);
        player.poster = link.dataset.src;
        player.src = link.dataset.video;
        player.setAttribute('aria-label', link.querySelector('img').alt);
        player.hidden = false;
    }

    function show(index) {
        const link = links[index];
        current = index;
        setZoom(1, 0, 0);
        // The old photo must not stay up while the new one loads.
        photo.removeAttribute('src');
        photo.removeAttribute('srcset');
        stopPlayer();
        photo.hidden = Boolean(link.dataset.video);
        if (link.dataset.video) showVideo(link);
        else showPhoto(link);
        const text = link.parentElement.querySelector('template');
        caption.replaceChildren(text ? text.content.cloneNode(true) : '');
        count.textContent = (link.dataset.video ? 'Video ' : 'Photo ') + (index + 1) + ' of ' + links.length;
        previous.setAttribute('aria-disabled', String(index === 0));
        next.setAttribute('aria-disabled', String(index === links.length - 1));
        if (link.dataset.audio) {
            audio.src = link.dataset.audio;
            audio.hidden = false;
        } else {
            audio.pause();
            audio.removeAttribute('src');
            audio.hidden = true;
        }
        preload(index + 1);
    }

    function showPhoto(link) {
        photo.width = Number(link.dataset.width);
        photo.height = Number(link.dataset.height);
        // A picture from srcset takes the size that `sizes` names; a small photo must not grow.
        photo.style.maxWidth = 'min(100%, ' + link.dataset.width + 'px)';
        photo.style.maxHeight = 'min(100%, ' + link.dataset.height + 'px)';
        photo.sizes = sizesOf(link);
        photo.srcset = link.dataset.srcset;
        photo.src = link.dataset.src;
        photo.alt = link.querySelector('img').alt;
    }

    function open(index) {
        if (!dialog.open) {
            document.documentElement.classList.add('viewing');
            dialog.showModal();
        }
        show(index);
    }

    // Moving between photos replaces the address, so that Back closes the viewer at once.
    function go(index) {
        if (index < 0 || index >= links.length || index === current) return;
        history.replaceState(history.state, '', '#' + links[index].dataset.id);
        show(index);
    }

    function followAddress() {
        const index = photoOfAddress();
        if (index >= 0) {
            open(index);
        } else if (dialog.open) {
            openedHere = false;
            dialog.close();
        }
    }

    links.forEach(function (link, index) {
        link.addEventListener('click', function (event) {
            if (event.button !== 0 || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
            event.preventDefault();
            openedHere = true;
            if (photoOfAddress() === index) open(index);
            else location.hash = link.dataset.id;
        });
    });

    dialog.addEventListener('close', function () {
        document.documentElement.classList.remove('viewing');
        audio.pause();
        stopPlayer();
        if (photoOfAddress() >= 0) {
            if (openedHere) history.back();
            else history.replaceState(history.state, '', location.pathname + location.search);
        }
        openedHere = false;
        // Back to the thumbnail of the photo last seen, in view.
        if (links[current]) links[current].focus();
    });

    dialog.querySelector('.viewer-close').addEventListener('click', function () { dialog.close(); });
    previous.addEventListener('click', function () { go(current - 1); });
    next.addEventListener('click', function () { go(current + 1); });

    dialog.addEventListener('keydown', function (event) {
        if (event.altKey || event.ctrlKey || event.metaKey) return;
        const target = { ArrowLeft: current - 1, ArrowRight: current + 1, Home: 0, End: links.length - 1 }[event.key];
        if (target === undefined) return;
        // The audio and video players keep their own keys.
        if (event.target === audio || (player && event.target === player)) return;
        event.preventDefault();
        go(target);
    });

    // Double click or double tap zooms in to twice the size at that point, and out again.
    photo.addEventListener('dblclick', function (event) {
        if (Number(photo.dataset.scale) > 1) {
            setZoom(1, 0, 0);
            return;
        }
        const box = photo.getBoundingClientRect();
        setZoom(2, box.left + box.width / 2 - event.clientX, box.top + box.height / 2 - event.clientY);
    });

    // A swipe sideways moves to the neighbour; a drag moves a zoomed photo.
    let press = null;
    stage.addEventListener('pointerdown', function (event) {
        if (event.pointerType === 'mouse' && Number(photo.dataset.scale) <= 1) return;
        press = { x: event.clientX, y: event.clientY, transform: photo.style.transform };
    });
    stage.addEventListener('pointermove', function (event) {
        if (!press || Number(photo.dataset.scale) <= 1) return;
        const match = /translate\((-?[\d.]+)px, (-?[\d.]+)px\)/.exec(press.transform);
        const x = (match ? Number(match[1]) : 0) + event.clientX - press.x;
        const y = (match ? Number(match[2]) : 0) + event.clientY - press.y;
        photo.style.transform = 'translate(' + x + 'px, ' + y + 'px) scale(' + photo.dataset.scale + ')';
    });
    stage.addEventListener('pointerup', function (event) {
        if (!press) return;
        const dx = event.clientX - press.x;
        const dy = event.clientY - press.y;
        press = null;
        if (Number(photo.dataset.scale) > 1) return;
        if (Math.abs(dx) > 50 && Math.abs(dx) > 1.5 * Math.abs(dy)) go(current + (dx < 0 ? 1 : -1));
    });
    stage.addEventListener('pointercancel', function () { press = null; });

    window.addEventListener('hashchange', followAddress);
    followAddress();
})();
