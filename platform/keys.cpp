#include "platform/keys.h"

#include "platform/dialog_internal.h"

namespace {

constexpr WPARAM kNamedKeys[] = {VK_RETURN,  VK_ESCAPE, VK_TAB,   VK_SPACE, VK_SHIFT,
                                 VK_CONTROL, VK_MENU,   VK_PRIOR, VK_NEXT,  VK_END,
                                 VK_HOME,    VK_LEFT,   VK_UP,    VK_RIGHT, VK_DOWN};

// The browser's own: find, reload, the address bar, caret browsing, full
// screen and its tools.
constexpr WPARAM kF3 = VK_F1 + 2, kF5 = VK_F1 + 4, kF6 = VK_F1 + 5, kF7 = VK_F1 + 6,
                 kF12 = VK_F1 + 11;
constexpr WPARAM kBrowserFunctionKeys[] = {kF3, kF5, kF6, kF7, VK_F11, kF12};

template <size_t N>
bool Listed(const WPARAM (&list)[N], WPARAM key) {
    for (WPARAM k : list)
        if (k == key) return true;
    return false;
}

}  // namespace

bool IsProgramKey(WPARAM key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ||
           (key >= VK_F1 && key < VK_F1 + 12) || Listed(kNamedKeys, key);
}

bool PageTakesKey(WPARAM key, unsigned chord) {
    if (!IsProgramKey(key) || key == VK_CONTROL) return false;
    if (key == VK_SHIFT || key == VK_MENU) return true;
    if (chord & (ChordCtrl | ChordMeta)) return false;
    if (chord & ChordAlt) return key != VK_F4 && AltAcceleratorFor(key);
    if (key == VK_TAB) return TopDialog() != nullptr;
    return !Listed(kBrowserFunctionKeys, key);
}
