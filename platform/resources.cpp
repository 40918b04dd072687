// The program's compiled-in resources: string table, accelerators and
// pictures.
#include <cwchar>

#include "platform/dialog_internal.h"
#include "platform/gdi_internal.h"
#include "platform/keys.h"
#include "platform/menus.h"

struct HINSTANCE__ {};
struct HACCEL__ {
    AcceleratorResource table;
};

namespace {

HINSTANCE__ programInstance;
const ProgramResources* resources = nullptr;
std::vector<std::unique_ptr<HACCEL__>> loadedAccelerators;

bool IsProgram(HINSTANCE module) {
    return !module || module == &programInstance;
}

}  // namespace

void PlatformSetResources(const ProgramResources* r) {
    resources = r;
}

const IconResource* FindIconResource(HINSTANCE module, UINT id) {
    if (!IsProgram(module) || !resources || !resources->pictures) return nullptr;
    const PictureResources& p = *resources->pictures;
    for (int i = 0; i < p.iconCount; ++i)
        if (p.icons[i].id == id) return &p.icons[i];
    return nullptr;
}

const ImageResource* FindImageResource(HINSTANCE module, UINT id, const wchar_t* type) {
    if (!IsProgram(module) || !resources || !resources->pictures || !type) return nullptr;
    const PictureResources& p = *resources->pictures;
    for (int i = 0; i < p.imageCount; ++i)
        if (p.images[i].id == id && std::wcscmp(p.images[i].type, type) == 0) return &p.images[i];
    return nullptr;
}

std::vector<const ImageResource*> FindImageResources(HINSTANCE module, UINT id,
                                                     const wchar_t* type) {
    std::vector<const ImageResource*> found;
    if (!IsProgram(module) || !resources || !resources->pictures || !type) return found;
    const PictureResources& p = *resources->pictures;
    for (int i = 0; i < p.imageCount; ++i)
        if (p.images[i].id == id && std::wcscmp(p.images[i].type, type) == 0)
            found.push_back(&p.images[i]);
    return found;
}

const MenuResource* FindMenuResource(HINSTANCE module, UINT id) {
    if (!IsProgram(module) || !resources) return nullptr;
    for (int i = 0; i < resources->menuCount; ++i)
        if (resources->menus[i].id == id) return &resources->menus[i];
    return nullptr;
}

HINSTANCE GetModuleHandleW(const wchar_t* moduleName) {
    return moduleName ? nullptr : &programInstance;
}

int LoadStringW(HINSTANCE module, UINT id, wchar_t* buffer, int bufferMax) {
    if (!IsProgram(module) || !resources || !buffer) return 0;
    for (int i = 0; i < resources->stringCount; ++i) {
        const StringResource& s = resources->strings[i];
        if (s.id != id) continue;
        int length = static_cast<int>(std::wcslen(s.text));
        if (bufferMax == 0) {
            *reinterpret_cast<const wchar_t**>(buffer) = s.text;
            return length;
        }
        int n = length < bufferMax - 1 ? length : bufferMax - 1;
        std::wmemcpy(buffer, s.text, static_cast<size_t>(n));
        buffer[n] = L'\0';
        return n;
    }
    return 0;
}

HACCEL LoadAcceleratorsW(HINSTANCE module, const wchar_t* name) {
    if (!IsProgram(module) || !resources) return nullptr;
    auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    for (int i = 0; i < resources->acceleratorCount; ++i) {
        if (resources->accelerators[i].id != id) continue;
        auto table = std::make_unique<HACCEL__>();
        table->table = resources->accelerators[i];
        loadedAccelerators.push_back(std::move(table));
        return loadedAccelerators.back().get();
    }
    return nullptr;
}

int TranslateAcceleratorW(HWND hwnd, HACCEL table, MSG* msg) {
    if (!table || !msg || !hwnd) return 0;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 0;
    bool alt = (msg->lParam & KF_ALTDOWN_LPARAM) != 0;
    for (int i = 0; i < table->table.count; ++i) {
        const ACCEL& a = table->table.entries[i];
        if (a.key != msg->wParam || alt != ((a.fVirt & FALT) != 0)) continue;
        SendMessageW(hwnd, WM_COMMAND, MAKELPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}

bool AltAcceleratorFor(WPARAM key) {
    for (const auto& table : loadedAccelerators)
        for (int i = 0; i < table->table.count; ++i) {
            const ACCEL& a = table->table.entries[i];
            if (a.key == key && (a.fVirt & FALT) != 0) return true;
        }
    return false;
}

const DialogResource* FindDialogResource(HINSTANCE module, UINT id) {
    if (!IsProgram(module) || !resources) return nullptr;
    for (int i = 0; i < resources->dialogCount; ++i)
        if (resources->dialogs[i].id == id) return &resources->dialogs[i];
    return nullptr;
}

int DialogResourceId(const DLGTEMPLATE* dialog) {
    if (!resources || !dialog) return -1;
    for (int i = 0; i < resources->dialogCount; ++i)
        if (resources->dialogs[i].dialog == dialog)
            return static_cast<int>(resources->dialogs[i].id);
    return -1;
}
