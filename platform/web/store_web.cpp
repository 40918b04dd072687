// The store's text in the page's local storage, under one key: read afresh
// and written whole on every change. A local storage that is missing, full
// or refuses reads as empty and writes nothing.
#include <emscripten.h>

#include <cstdlib>

#include "platform/store_file.h"

// clang-format off
EM_JS(char*, JsReadStore, (), {
    try {
        const text = window.localStorage.getItem(Velmora.storeKey);
        return text === null ? 0 : stringToNewUTF8(text);
    } catch (e) {
        return 0;
    }
});
EM_JS(int, JsWriteStore, (const char* text), {
    try {
        window.localStorage.setItem(Velmora.storeKey, UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});
// clang-format on

StoreRead ReadStoreFile(std::string* text) {
    char* stored = JsReadStore();
    text->assign(stored ? stored : "");
    std::free(stored);
    return kStoreText;
}

StoreWrite UpdateStoreFile(const std::function<void(std::string*)>& edit) {
    std::string text;
    ReadStoreFile(&text);
    edit(&text);
    return JsWriteStore(text.c_str()) ? kStoreWritten : kStoreNotWritten;
}

void SetStoreFileHome(const char*) {}
