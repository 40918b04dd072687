// The registry as an INI-like file: one "[key]" section per key, one
// "name=value" line per value in unsigned decimal. Lines the layer does not
// understand are kept as they are. Names travel as UTF-8 and compare without
// regard to ASCII case.
#include <charconv>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/internal.h"
#include "platform/kept.h"
#include "platform/store_file.h"

namespace {

bool inMemory = false;
std::string memoryText;

// Open keys by handle; handles are serial numbers never reused, so a stale
// one is simply unknown.
std::map<HKEY, std::wstring> openKeys;
uintptr_t lastHandle = 0;

// Some editors start a UTF-8 file with one; it is kept but not read.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// A name survives a round trip through the file: no line breaks or other
// control characters, no blanks at either end, and for a value no '='.
bool Storable(std::string_view name, bool isValue) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || (isValue && c == '='))
            return false;
    return Trim(name) == name;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return Trim(line.substr(1, line.size() - 2));
}

// The name of a "name=value" line; false for any other line.
bool ValueName(std::string_view line, std::string_view* name) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos || SectionName(line)) return false;
    *name = Trim(line.substr(0, eq));
    return true;
}

std::optional<uint32_t> ParseNumber(std::string_view line) {
    std::string_view digits = Trim(line.substr(line.find('=') + 1));
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Where a key and one of its values stand in the file. The first line naming
// the value in any section of the key is the one that counts.
struct Place {
    bool keyExists = false;                 // as a section, or as the parent of one
    size_t sectionEnd = std::string::npos;  // after the last non-blank line of its first section
    size_t valueLine = std::string::npos;
};

Place Locate(const std::vector<std::string>& lines, std::string_view key, std::string_view value) {
    Place place;
    place.keyExists = key.empty();  // the user's own key is always there
    bool inKey = false;
    bool inFirstSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (i == 0 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        if (auto section = SectionName(line)) {
            inKey = SameName(*section, key);
            inFirstSection = inKey && place.sectionEnd == std::string::npos;
            if (inFirstSection) place.sectionEnd = i + 1;
            bool parent = section->size() > key.size() && (*section)[key.size()] == '\\' &&
                          SameName(section->substr(0, key.size()), key);
            place.keyExists = place.keyExists || inKey || parent;
            continue;
        }
        if (inFirstSection && !Trim(line).empty()) place.sectionEnd = i + 1;
        std::string_view name;
        if (inKey && place.valueLine == std::string::npos && ValueName(line, &name) &&
            SameName(name, value))
            place.valueLine = i;
    }
    return place;
}

// The whole store; a missing file is an empty store. False when there is
// something there that must be neither read nor written over.
bool ReadStore(std::string* text) {
    if (!inMemory) return ReadStoreFile(text) == kStoreText;
    *text = memoryText;
    return true;
}

// The store's text with one value set: its line replaced where it stands
// (keeping the name's spelling), or added at the end of its key's first
// section, or in a new section at the end.
std::string WithValue(const std::string& text, const std::string& keyName,
                      const std::string& valueName, uint32_t value) {
    std::vector<std::string> lines = SplitLines(text);
    Place place = Locate(lines, keyName, valueName);
    std::string_view spelled = valueName;
    if (place.valueLine != std::string::npos) ValueName(lines[place.valueLine], &spelled);
    std::string line = std::string(spelled) + "=" + std::to_string(value);
    if (place.valueLine != std::string::npos) {
        lines[place.valueLine] = line;
    } else if (place.sectionEnd != std::string::npos) {
        lines.insert(lines.begin() + static_cast<ptrdiff_t>(place.sectionEnd), line);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + keyName + "]");
        lines.push_back(line);
    }
    std::string out;
    for (const std::string& l : lines)
        out += l + "\n";
    return out;
}

const std::wstring* KeyPath(HKEY key) {
    static const std::wstring root;
    if (key == HKEY_CURRENT_USER) return &root;
    auto it = openKeys.find(key);
    return it == openKeys.end() ? nullptr : &it->second;
}

HKEY NewHandle(std::wstring path) {
    HKEY key = reinterpret_cast<HKEY>(++lastHandle);
    openKeys[key] = std::move(path);
    return key;
}

// The full path of subKey below key, or false for an unknown handle.
bool Resolve(HKEY key, const wchar_t* subKey, std::wstring* path) {
    const std::wstring* base = KeyPath(key);
    if (!base) return false;
    *path = *base;
    if (subKey && *subKey) *path += (path->empty() ? L"" : L"\\") + std::wstring(subKey);
    return true;
}

bool KeyExists(const std::string& key) {
    std::string text;
    ReadStore(&text);
    return Locate(SplitLines(text), key, {}).keyExists;
}

// The stored value of a "name=value" line, if it holds a number.
std::optional<uint32_t> StoredValue(const std::string& text, const std::string& keyName,
                                    const std::string& valueName) {
    std::vector<std::string> lines = SplitLines(text);
    Place place = Locate(lines, keyName, valueName);
    if (place.valueLine == std::string::npos) return std::nullopt;
    return ParseNumber(lines[place.valueLine]);
}

// The store's text edited under its one lock, or in memory.
LONG EditStore(const std::function<void(std::string*)>& edit) {
    if (inMemory) {
        edit(&memoryText);
        return ERROR_SUCCESS;
    }
    switch (UpdateStoreFile(edit)) {
        case kStoreWritten:
            return ERROR_SUCCESS;
        case kStoreNotRead:
            return ERROR_READ_FAULT;
        default:
            return ERROR_WRITE_FAULT;
    }
}

// Reads the value afresh and writes what update makes of it, all under the
// store's one lock; update answers nothing to leave the value as it is.
using ValueUpdate = std::function<std::optional<uint32_t>(std::optional<uint32_t>)>;
LONG UpdateValue(HKEY key, const wchar_t* name, const ValueUpdate& update) {
    const std::wstring* path = KeyPath(key);
    std::string keyName, valueName;
    if (!path) return ERROR_INVALID_HANDLE;
    if (!PlatformToUtf8(*path, &keyName) || !PlatformToUtf8(name ? name : L"", &valueName) ||
        !Storable(keyName, false) || !Storable(valueName, true))
        return ERROR_INVALID_PARAMETER;
    auto edit = [&](std::string* store) {
        if (std::optional<uint32_t> value = update(StoredValue(*store, keyName, valueName)))
            *store = WithValue(*store, keyName, valueName, *value);
    };
    return EditStore(edit);
}

}  // namespace

void PlatformSetConfigHome(const char* dir) {
    SetStoreFileHome(dir);
}

void PlatformUseMemoryRegistry(bool on) {
    inMemory = on;
    memoryText.clear();
}

LONG RegOpenKeyExW(HKEY key, const wchar_t* subKey, DWORD, DWORD, HKEY* result) {
    std::wstring path;
    std::string name;
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!Resolve(key, subKey, &path)) return ERROR_INVALID_HANDLE;
    if (!PlatformToUtf8(path, &name) || !KeyExists(name)) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, const wchar_t* subKey, DWORD, wchar_t*, DWORD, DWORD, void*,
                     HKEY* result, DWORD* disposition) {
    std::wstring path;
    std::string name;
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!Resolve(key, subKey, &path)) return ERROR_INVALID_HANDLE;
    if (!PlatformToUtf8(path, &name) || !Storable(name, false)) return ERROR_INVALID_PARAMETER;
    if (disposition) *disposition = KeyExists(name) ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, const wchar_t* name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    const std::wstring* path = KeyPath(key);
    std::string keyName, valueName, text;
    if (!path) return ERROR_INVALID_HANDLE;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    if (!PlatformToUtf8(*path, &keyName) || !PlatformToUtf8(name ? name : L"", &valueName))
        return ERROR_FILE_NOT_FOUND;
    ReadStore(&text);
    std::optional<uint32_t> value = StoredValue(text, keyName, valueName);
    if (!value) return ERROR_FILE_NOT_FOUND;

    if (type) *type = REG_DWORD;
    if (!size) return ERROR_SUCCESS;
    DWORD room = *size;
    *size = 4;
    if (!data) return ERROR_SUCCESS;
    if (room < 4) return ERROR_MORE_DATA;
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<BYTE>(*value >> (8 * i));
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, const wchar_t* name, DWORD, DWORD type, const BYTE* data,
                    DWORD size) {
    if (type != REG_DWORD || size != 4 || !data) return ERROR_INVALID_PARAMETER;
    uint32_t value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    return UpdateValue(key, name, [value](std::optional<uint32_t>) { return value; });
}

LONG PlatformRegAddValue(HKEY key, const wchar_t* name, DWORD add, DWORD* total) {
    DWORD sum = 0;
    LONG status = UpdateValue(key, name, [add, &sum](std::optional<uint32_t> stored) {
        sum = stored.value_or(0) + add;
        return sum;
    });
    if (status == ERROR_SUCCESS && total) *total = sum;
    return status;
}

LONG PlatformRegSetValueIfAbsent(HKEY key, const wchar_t* name, DWORD value) {
    return UpdateValue(key, name, [value](std::optional<uint32_t> stored) {
        return stored ? std::nullopt : std::optional<uint32_t>(value);
    });
}

LONG PlatformRegUpdateValues(HKEY key, const wchar_t* const* names, int count,
                             PlatformValuesUpdate update, void* context) {
    const std::wstring* path = KeyPath(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!names || count <= 0 || !update) return ERROR_INVALID_PARAMETER;
    std::string keyName;
    std::vector<std::string> valueNames(static_cast<size_t>(count));
    if (!PlatformToUtf8(*path, &keyName) || !Storable(keyName, false))
        return ERROR_INVALID_PARAMETER;
    for (size_t i = 0; i < valueNames.size(); ++i)
        if (!names[i] || !PlatformToUtf8(names[i], &valueNames[i]) ||
            !Storable(valueNames[i], true))
            return ERROR_INVALID_PARAMETER;
    return EditStore([&](std::string* store) {
        std::vector<std::optional<uint32_t>> stored;
        std::vector<DWORD> values;
        for (const std::string& name : valueNames) {
            stored.push_back(StoredValue(*store, keyName, name));
            values.push_back(stored.back().value_or(0));
        }
        update(values.data(), count, context);
        for (size_t i = 0; i < values.size(); ++i)
            if (stored[i] ? *stored[i] != values[i] : values[i] != 0)
                *store = WithValue(*store, keyName, valueNames[i], values[i]);
    });
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return openKeys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace {

bool savesFrozen = false;

}  // namespace

void PlatformFreezeSaves(bool frozen) {
    savesFrozen = frozen;
}

bool PlatformSavesFrozen() {
    return savesFrozen;
}
