// The store's text in the page's local storage, under one key: read afresh
// and written whole on every change. A local storage that is missing, full
// or refuses reads as empty and writes nothing.
#include <emscripten.h>

#include <cstdlib>

#include "platform/store_file.h"

// clang-format off
// The stored text (null when there is none); *failed set when local
// storage is missing or refuses to be read.
EM_JS(char*, JsReadStore, (int* failed), {
    try {
        const text = window.localStorage.getItem(Velmora.storeKey);
        return text === null ? 0 : allocateUTF8(text);
    } catch (e) {
        console.warn('velmora: the settings cannot be read: ' + e);
        HEAP32[failed >> 2] = 1;
        return 0;
    }
});
EM_JS(int, JsWriteStore, (const char* text), {
    try {
        window.localStorage.setItem(Velmora.storeKey, UTF8ToString(text));
        return 1;
    } catch (e) {
        console.warn('velmora: the settings cannot be kept: ' + e);
        return 0;
    }
});
// clang-format on

namespace {

bool ReadStored(std::string* text) {
    int failed = 0;
    char* stored = JsReadStore(&failed);
    text->assign(stored ? stored : "");
    std::free(stored);
    return failed == 0;
}

}  // namespace

StoreRead ReadStoreFile(std::string* text) {
    ReadStored(text);  // unreadable reads as absent
    return kStoreText;
}

// Never written over what could not be read.
StoreWrite UpdateStoreFile(const std::function<void(std::string*)>& edit) {
    std::string text;
    if (!ReadStored(&text)) return kStoreNotRead;
    edit(&text);
    return JsWriteStore(text.c_str()) ? kStoreWritten : kStoreNotWritten;
}

void SetStoreFileHome(const char*) {}
