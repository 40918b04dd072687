#include "app/clpa.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cwchar>

#include "platform/platform.h"

void* (*clpaMalloc)(size_t) = [](size_t bytes) { return std::malloc(bytes); };
void* (*clpaRealloc)(void*, size_t) = [](void* block, size_t bytes) {
    return std::realloc(block, bytes);
};

namespace {

// Past this the count would wrap or the byte size overflow.
constexpr uint64_t kMaxEntries = std::min<uint64_t>(UINT32_MAX, SIZE_MAX / sizeof(uint64_t));

// Addresses are stored sign-extended, whatever their width.
uint64_t EntryOf(const wchar_t* text) {
    return static_cast<uint64_t>(static_cast<int64_t>(reinterpret_cast<intptr_t>(text)));
}

wchar_t* TextOf(uint64_t entry) {
    return reinterpret_cast<wchar_t*>(static_cast<intptr_t>(entry));
}

}  // namespace

// The count and capacity change only once the storage is there, so a failed
// growth leaves the list as it was.
int ClpaAdd(CLPA& list, uint64_t value) {
    if (!list.entries && list.count == 0 && list.capacity == 0) {
        uint64_t capacity = uint64_t{list.growBy} + 1;
        void* storage = capacity <= kMaxEntries
                            ? clpaMalloc(static_cast<size_t>(capacity * sizeof(uint64_t)))
                            : nullptr;
        if (!storage) {
            ClpaError(L"CLPA: alloc error!");
            return 0;
        }
        list.entries = static_cast<uint64_t*>(storage);
        list.capacity = static_cast<uint32_t>(capacity);
        list.count = 1;
    } else {
        uint64_t count = uint64_t{list.count} + 1;
        if (count > list.capacity) {
            uint64_t capacity = count + list.growBy;
            void* storage =
                capacity <= kMaxEntries
                    ? clpaRealloc(list.entries, static_cast<size_t>(capacity * sizeof(uint64_t)))
                    : nullptr;
            if (!storage) {
                ClpaError(L"CLPA: realloc error!");
                return 0;
            }
            list.entries = static_cast<uint64_t*>(storage);
            list.capacity = static_cast<uint32_t>(capacity);
        }
        list.count = static_cast<uint32_t>(count);
    }
    list.entries[list.count - 1] = value;
    return 1;
}

int ClpaAddString(CLPA& list, const wchar_t* text) {
    if (!text) return 0;
    size_t length = std::wcslen(text) + 1;
    auto* copy = static_cast<wchar_t*>(clpaMalloc(length * sizeof(wchar_t)));
    if (!copy) return 0;
    std::wmemcpy(copy, text, length);
    if (!ClpaAdd(list, EntryOf(copy))) {
        std::free(copy);
        return 0;
    }
    return 1;
}

void ClpaRemoveAll(CLPA& list) {
    for (uint32_t i = 0; list.entries && i < list.count; ++i)
        if (list.entries[i] != 0) std::free(TextOf(list.entries[i]));
    ClpaFreeStorage(list);
}

void ClpaFreeStorage(CLPA& list) {
    std::free(list.entries);
    list.entries = nullptr;
    list.count = 0;
    list.capacity = 0;
}

int ClpaError(const wchar_t* format, ...) {
    wchar_t text[1024] = {};
    if (format && *format) {
        va_list args;
        va_start(args, format);
        std::vswprintf(text, 1024, format, args);
        va_end(args);
        text[1023] = L'\0';
    }
    return MessageBoxW(nullptr, text, L"", MB_SETFOREGROUND);
}

const wchar_t* ClpaString(const CLPA& list, uint32_t n) {
    return n < list.count && list.entries ? TextOf(list.entries[n]) : nullptr;
}
