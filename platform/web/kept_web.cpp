// The kept game in the page's local storage, under a key of its own. Every
// page of the same site shares it: the last one saved is kept.
#include <emscripten.h>

#include <cstdlib>

#include "platform/kept.h"

// clang-format off
EM_JS(char*, JsReadKept, (), {
    try {
        const text = window.localStorage.getItem(Velmora.keptKey);
        return text === null ? 0 : allocateUTF8(text);
    } catch (e) {
        return 0;
    }
});
EM_JS(int, JsWriteKept, (const char* text), {
    try {
        window.localStorage.setItem(Velmora.keptKey, UTF8ToString(text));
        return 1;
    } catch (e) {
        if (!Velmora.keptWriteFailSaid) console.warn('velmora: the game cannot be kept: ' + e);
        Velmora.keptWriteFailSaid = true;
        return 0;
    }
});
// clang-format on

namespace {

bool keeping = false;
bool held = false;

}  // namespace

void PlatformSetStateHome(const char* dir) {
    keeping = dir != nullptr;
    held = false;
}

bool PlatformHoldKeptGame() {
    held = keeping;
    return held;
}

void PlatformReleaseKeptGame() {
    held = false;
}

int PlatformReadKeptGame(std::string* text, std::string*) {
    text->clear();
    if (!held) return 0;
    char* stored = JsReadKept();
    if (!stored) return 0;
    text->assign(stored);
    std::free(stored);
    return 1;
}

bool PlatformWriteKeptGame(const std::string& text) {
    if (!held || PlatformSavesFrozen() || text.size() > (1u << 20)) return false;
    return JsWriteKept(text.c_str()) != 0;
}

// Local storage keeps what it was given.
void PlatformFlushKeptGame() {}

std::string PlatformKeptGamePlace() {
    return "the page's kept game";
}
