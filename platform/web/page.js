// The page's half of the browser backend (platform/web/web.cpp): the
// canvas, the queue of input events, the viewport and the store's key.
// Events are queued as five numbers: pointer (message, x, y, time), key
// (down, key code, alt, repeat), viewport (device pixels wide, high) and
// focus.
var Velmora = (function () {
    const densities = [96, 144, 192, 288, 384];
    const params = new URLSearchParams(location.search);
    // For tests: a fixed density and clock, honoured only when both are valid.
    const dpi = Number(params.get('dpi'));
    const clock = /^([01]\d|2[0-3]):([0-5]\d):([0-5]\d)\.(\d\d\d)$/.exec(params.get('clock') || '');
    const fixed = densities.includes(dpi) && clock !== null;
    const WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202;
    const events = [];
    const keysDown = new Set();
    let wake = null;
    let canvas = null, context = null;
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

    function viewport() {
        const ratio = window.devicePixelRatio || 1;
        return [Math.round(window.innerWidth * ratio), Math.round(window.innerHeight * ratio)];
    }

    // The canvas keeps its device pixels and is scaled to fill the
    // viewport, centred on the margin's colour.
    function fit() {
        if (!canvas || !canvas.width) return;
        const ratio = window.devicePixelRatio || 1;
        const [w, h] = viewport();
        const scale = Math.min(w / canvas.width, h / canvas.height);
        const cssW = canvas.width * scale / ratio, cssH = canvas.height * scale / ratio;
        canvas.style.width = cssW + 'px';
        canvas.style.height = cssH + 'px';
        canvas.style.left = (window.innerWidth - cssW) / 2 + 'px';
        canvas.style.top = (window.innerHeight - cssH) / 2 + 'px';
        // The list of keys lives in the margin, and only where it has room:
        // it must never cover the table (the rules page names the keys too).
        const keys = document.getElementById('keys');
        const below = (window.innerHeight - cssH) / 2, beside = (window.innerWidth - cssW) / 2;
        keys.hidden = below < 32 && beside < 72;  // the closed list's size, with room
        if (keys.hidden) keys.open = false;
    }

    function resized() {
        fit();
        push([3, ...viewport(), 0, 0]);
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
        window.addEventListener('focus', () => push([4, 0, 0, 0, 0]));
    }

    start();
    return {
        storeKey: 'velmora.settings',
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
        show(pixels, width, height, x, y, w, h) {
            if (canvas.width !== width || canvas.height !== height) {
                canvas.width = width;
                canvas.height = height;
                fit();
            }
            const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * h * 4);
            context.putImageData(new ImageData(bytes, w, h), x, y);
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
        fail(why) {
            const p = document.getElementById('failed');
            p.textContent = why;
            p.hidden = false;
        },
    };
})();
