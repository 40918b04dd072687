// A growable list of 64-bit entries on the C heap. Here each entry holds
// the address of an owned wide string (the game-type names); users read
// entries and count directly.
#pragma once

#include <cstddef>
#include <cstdint>

struct CLPA {
    uint64_t* entries;  // null when empty
    uint32_t count;
    uint32_t capacity;
    uint32_t growBy;  // spare entries reserved at each growth
};

// 1 when added, 0 after an allocation failure (with an error box); the list
// keeps what it held either way.
int ClpaAdd(CLPA& list, uint64_t value);
// Adds an owned copy of text; 0 for a null text or a failed allocation.
int ClpaAddString(CLPA& list, const wchar_t* text);
// Frees every string and the storage; growBy stays.
void ClpaRemoveAll(CLPA& list);
// Frees the storage only.
void ClpaFreeStorage(CLPA& list);
// printf-style; an ownerless box brought to the foreground. Returns its answer.
int ClpaError(const wchar_t* format, ...);

// The string entry n holds, or null past the end.
const wchar_t* ClpaString(const CLPA& list, uint32_t n);

// The heap the list and its copies come from; tests put failing ones here.
extern void* (*clpaMalloc)(size_t bytes);
extern void* (*clpaRealloc)(void* block, size_t bytes);
