// The device's help viewer, asked for by CreateProcessW: a page of the
// program's own, opened by the backend's way of showing pages.
#include <cwctype>
#include <string>

#include "platform/internal.h"

namespace {

bool SameNameIgnoringCase(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (std::towlower(static_cast<wint_t>(*a)) != std::towlower(static_cast<wint_t>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

BOOL CreateProcessW(const wchar_t* applicationName, wchar_t* commandLine, SECURITY_ATTRIBUTES*,
                    SECURITY_ATTRIBUTES*, BOOL, DWORD, void*, const wchar_t*, STARTUPINFOW*,
                    PROCESS_INFORMATION*) {
    if (!applicationName || !commandLine || !SameNameIgnoringCase(applicationName, L"peghelp.exe"))
        return FALSE;
    std::wstring line = commandLine;
    if (line.rfind(L"file:", 0) != 0) return FALSE;
    line.erase(0, 5);
    size_t hash = line.find(L'#');
    std::string name, anchor;
    if (!PlatformToUtf8(line.substr(0, hash), &name)) return FALSE;
    if (hash != std::wstring::npos && !PlatformToUtf8(line.substr(hash + 1), &anchor)) return FALSE;
    // Only a page of the program's own, never a path.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        return FALSE;
    return PlatformOpenPage(name, hash != std::wstring::npos ? &anchor : nullptr) ? TRUE : FALSE;
}
