// The page's half of the browser backend (platform/web/web.cpp): the
// canvas, the queue of input events, the viewport, the store's key, and the
// account and the words said for a screen reader beside the canvas.
// Events are queued as five numbers: pointer (message, x, y, time), key
// (down, key code, alt, repeat), viewport (device pixels wide, high) and
// focus.
var Velmora = (function () {
    const params = new URLSearchParams(location.search);
    // For tests: a fixed density (one the glyphs are drawn for, as
    // platform/density.h says) and clock, honoured only when both are valid.
    const dpi = Number(params.get('dpi'));
    const clock = /^([01]\d|2[0-3]):([0-5]\d):([0-5]\d)\.(\d\d\d)$/.exec(params.get('clock') || '');
    const fixed = Number.isInteger(dpi) && dpi >= 24 && dpi <= 768 && clock !== null;
    const WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202;
    const events = [];
    const mostLines = 500, mostSaid = 20;  // a game's account fits many times over
    const keysDown = new Set();
    let wake = null;
    let canvas = null, context = null, frame = null;
    let ready = false;  // the program's functions can be called
    Module['onRuntimeInitialized'] = () => { ready = true; };

    function push(event) {
        events.push(event);
        Velmora.idle = false;
        if (wake) wake();
    }

    // The browser's key codes are the program's key numbers. Which keys the
    // program takes is the layer's answer (platform/keys.h), asked as each
    // key goes down, so that the browser is kept from its own action at once;
    // a key let go goes along when its press did.
    function chord(e) {
        return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
    }

    function key(e, down) {
        if (!canvas || !ready) return;
        if (down ? !_VelmoraTakesKey(e.keyCode, chord(e)) : !keysDown.has(e.keyCode)) return;
        e.preventDefault();
        if (down) keysDown.add(e.keyCode); else keysDown.delete(e.keyCode);
        push([2, down ? 1 : 0, e.keyCode, e.altKey ? 1 : 0, down && e.repeat ? 1 : 0]);
    }

    function pointer(e, message) {
        // Mouse, pen and touch arrive as one stream; only the first finger plays.
        if (!e.isPrimary || (message === WM_LBUTTONDOWN && e.button !== 0)) return;
        e.preventDefault();
        if (message === WM_LBUTTONDOWN) canvas.setPointerCapture(e.pointerId);
        const r = canvas.getBoundingClientRect();
        const x = Math.floor((e.clientX - r.left) * canvas.width / r.width);
        const y = Math.floor((e.clientY - r.top) * canvas.height / r.height);
        push([1, message, x, y, Math.max(1, Math.round(e.timeStamp) % 0x7fffffff)]);
    }

    // The screen's shape at every density (platform/density.cpp), and the
    // least room the account beside or below it is given, in CSS pixels.
    const aspect = 240 / 320;
    const sideWidth = 200, sideHeight = 120, widestSide = 420;

    // The room the canvas is fitted into, in CSS pixels, and where the
    // account goes. As large as the viewport allows, the account in the
    // margin beside or below; where neither margin holds it, the canvas
    // gives up the least room that makes one.
    function room() {
        const w = window.innerWidth, h = window.innerHeight;
        const across = Math.min(w, h * aspect), down = across / aspect;
        if ((w - across) / 2 >= sideWidth) return { width: w, height: h, below: false };
        if ((h - down) / 2 >= sideHeight) return { width: w, height: h, below: true };
        const beside = Math.min(w - sideWidth, h * aspect), above = Math.min(w, (h - sideHeight) * aspect);
        return beside >= above ? { width: w - sideWidth, height: h, below: false }
                               : { width: w, height: h - sideHeight, below: true };
    }

    // In whole device pixels: the program fits its density to it.
    function viewport() {
        const ratio = window.devicePixelRatio || 1;
        const r = room();
        return [Math.floor(r.width * ratio), Math.floor(r.height * ratio)];
    }

    // Each canvas pixel is one device pixel, on a whole device pixel, so
    // that the browser resamples nothing and text stays sharp; the canvas
    // is centred in its room on the margin's colour. Only a density the
    // address pinned may be too large for the room, and is then shrunk to
    // fit. The account takes the rest of the viewport beside or below the
    // canvas and never covers the table.
    function fit() {
        if (!canvas || !canvas.width) return;
        const ratio = window.devicePixelRatio || 1;
        const r = room();
        const [roomW, roomH] = viewport();
        const scale = Math.min(1, roomW / canvas.width, roomH / canvas.height);
        const w = canvas.width * scale, h = canvas.height * scale;
        const cssW = w / ratio, cssH = h / ratio;
        const left = Math.floor((roomW - w) / 2) / ratio, top = Math.floor((roomH - h) / 2) / ratio;
        canvas.style.width = cssW + 'px';
        canvas.style.height = cssH + 'px';
        canvas.style.left = left + 'px';
        canvas.style.top = top + 'px';
        const side = document.getElementById('side');
        const place = r.below
            ? [0, top + cssH, window.innerWidth, window.innerHeight - top - cssH]
            : [left + cssW, 0, Math.min(window.innerWidth - left - cssW, widestSide), window.innerHeight];
        [side.style.left, side.style.top, side.style.width, side.style.height] = place.map((n) => n + 'px');
        side.hidden = false;
    }

    function resized() {
        fit();
        push([3, ...viewport(), 0, 0]);
    }

    // A new device pixel ratio (zoom, another monitor) need not resize the
    // viewport in CSS pixels.
    function watchRatio() {
        matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`)
            .addEventListener('change', () => { resized(); watchRatio(); }, { once: true });
    }

    function start() {
        canvas = document.getElementById('screen');
        context = canvas.getContext('2d');
        canvas.addEventListener('pointerdown', (e) => pointer(e, WM_LBUTTONDOWN));
        canvas.addEventListener('pointerup', (e) => pointer(e, WM_LBUTTONUP));
        canvas.addEventListener('pointercancel', (e) => pointer(e, WM_LBUTTONUP));
        canvas.addEventListener('contextmenu', (e) => e.preventDefault());
        window.addEventListener('keydown', (e) => key(e, true));
        window.addEventListener('keyup', (e) => key(e, false));
        window.addEventListener('resize', resized);
        watchRatio();
        window.addEventListener('focus', () => push([4, 0, 0, 0, 0]));
        // A screen reader hears the table's name and hands it the keys.
        canvas.focus({ preventScroll: true });
    }

    start();
    return {
        storeKey: 'velmora.settings',
        keptKey: 'velmora.game',
        started: performance.now(),
        firstFrame: 0,
        density() { return fixed ? dpi : 0; },
        clock() {
            if (!fixed) return -1;
            const [, h, m, s, ms] = clock.map(Number);
            return ((h * 60 + m) * 60 + s) * 1000 + ms;
        },
        viewport,
        nextEvent(at) {
            const e = events.shift();
            if (!e) return 0;
            for (let i = 0; i < 5; ++i) HEAP32[at + i] = e[i] | 0;
            return 1;
        },
        // True while the program waits for input with nothing left to do:
        // the moment for the page's tests to look.
        idle: false,
        // Until an event is queued, or ms milliseconds (never, when negative).
        wait(ms) {
            return new Promise((resolve) => {
                if (events.length) return resolve();
                if (ms < 0) this.idle = true;
                let timer = 0;
                wake = () => {
                    wake = null;
                    clearTimeout(timer);
                    resolve();
                };
                if (ms >= 0) timer = setTimeout(wake, ms);
            });
        },
        // The program's copy of the whole canvas (platform/web/web.cpp), of
        // which the part x, y, w, h changed. It is wrapped once, not copied;
        // again only when the module's memory grew or it moved.
        show(pixels, width, height, x, y, w, h) {
            if (canvas.width !== width || canvas.height !== height) {
                canvas.width = width;
                canvas.height = height;
                fit();
            }
            const data = frame && frame.data;
            if (!data || data.buffer !== HEAPU8.buffer || data.byteOffset !== pixels || frame.width !== width || frame.height !== height)
                frame = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
            context.putImageData(frame, 0, 0, x, y, w, h);
            if (!this.firstFrame) {
                this.firstFrame = performance.now();
                document.body.dataset.frames = 'shown';
            }
        },
        margin(r, g, b) { document.body.style.background = `rgb(${r}, ${g}, ${b})`; },
        open(address) { return window.open(address, '_blank') ? 1 : 0; },
        ended() {
            canvas.hidden = true;
            document.getElementById('ended').hidden = false;
            document.body.dataset.ended = 'yes';
        },
        // A line of the account, newest at the bottom; the status line's
        // texts are marked as such. The newest stays in view unless the
        // reader has scrolled back to older lines.
        line(text, status) {
            const account = document.getElementById('account');
            const following = account.scrollHeight - account.scrollTop - account.clientHeight < 4;
            const p = document.createElement('p');
            p.textContent = text;
            if (status) p.className = 'status';
            account.append(p);
            while (account.childElementCount > mostLines) account.firstElementChild.remove();
            if (following) account.scrollTop = account.scrollHeight;
        },
        // Words for the screen reader alone: each is a new line of the
        // region, so that the same words said again are heard again.
        say(text) {
            const said = document.getElementById('said');
            const p = document.createElement('p');
            p.textContent = text;
            said.append(p);
            while (said.childElementCount > mostSaid) said.firstElementChild.remove();
        },
        // Files the site keeps for a density that needs them: the glyph
        // atlases (platform/web/fonts_atlas.cpp) and the largest pictures
        // (platform/web/pictures_web.cpp). Fetched at once into `files`;
        // their count, or -1 when one fails. `fetched` names every one
        // asked for, for the service worker (index.html).
        files: [],
        fetched: new Set(),
        async fetchFiles(paths) {
            paths.forEach((path) => this.fetched.add(path));
            try {
                this.files = await Promise.all(paths.map(async (path) => {
                    const response = await fetch(path);
                    if (!response.ok) throw new Error(`${path}: HTTP ${response.status}`);
                    const bytes = new Uint8Array(await response.arrayBuffer());
                    // Gzipped, unless the server sent them inflated.
                    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
                    const inflated = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
                    return new Uint8Array(await new Response(inflated).arrayBuffer());
                }));
                return paths.length;
            } catch (e) {
                console.warn(`velmora: ${e.message}`);
                return -1;
            }
        },
        fail(why) {
            const p = document.getElementById('failed');
            p.textContent = why;
            p.hidden = false;
        },
    };
})();
