// The store's text in the page's local storage, under one key: read afresh
// and written whole on every change. A local storage that is missing, full
// or refuses reads as empty and writes nothing.
#include <emscripten.h>

#include <cstdlib>

#include "platform/store_file.h"

// clang-format off
// The stored text (null when there is none); *failed set when local
// storage is missing, refuses to be read or holds more than the desktop's
// file may (1 MiB of UTF-8), which is then never written over. A line with
// a NUL is dropped, as C strings would cut the rest of the text at it.
EM_JS(char*, JsReadStore, (int* failed), {
    try {
        const text = window.localStorage.getItem(Velmora.storeKey);
        if (text === null) return 0;
        if (text.length > 1048576 || lengthBytesUTF8(text) > 1048576) {
            if (!Velmora.storeTooLargeSaid)
                console.warn('velmora: the stored settings are larger than 1 MiB; they are neither read nor saved');
            Velmora.storeTooLargeSaid = true;
            HEAP32[failed >> 2] = 1;
            return 0;
        }
        // No escapes here: they would not survive the build's metadata.
        const nul = String.fromCharCode(0), newline = String.fromCharCode(10);
        const kept = text.indexOf(nul) < 0 ? text : text.split(newline).filter((line) => line.indexOf(nul) < 0).join(newline);
        return allocateUTF8(kept);
    } catch (e) {
        if (!Velmora.storeReadFailSaid) console.warn('velmora: the settings cannot be read: ' + e);
        Velmora.storeReadFailSaid = true;
        HEAP32[failed >> 2] = 1;
        return 0;
    }
});
// Warns once a page load, however many saves fail.
EM_JS(int, JsWriteStore, (const char* text), {
    try {
        window.localStorage.setItem(Velmora.storeKey, UTF8ToString(text));
        return 1;
    } catch (e) {
        if (!Velmora.storeWriteFailSaid) console.warn('velmora: the settings cannot be kept: ' + e);
        Velmora.storeWriteFailSaid = true;
        return 0;
    }
});
// clang-format on

namespace {

constexpr size_t kLargest = 1 << 20;

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
    const std::string old = text;
    edit(&text);
    if (text == old) return kStoreWritten;
    if (text.size() > kLargest) return kStoreNotWritten;
    return JsWriteStore(text.c_str()) ? kStoreWritten : kStoreNotWritten;
}

void SetStoreFileHome(const char*) {}

void StoreActionBegins() {}
