// The registry as an INI-like file: one "[key]" section per key, one
// "name=value" line per value in unsigned decimal. Lines the layer does not
// understand are kept as they are. Names travel as UTF-8 and compare without
// regard to ASCII case.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/internal.h"

namespace {

namespace fs = std::filesystem;

std::optional<std::string> configHome;
bool inMemory = false;
std::string memoryText;

// Open keys by handle; handles are serial numbers never reused, so a stale
// one is simply unknown.
std::map<HKEY, std::wstring> openKeys;
uintptr_t lastHandle = 0;

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
    return line.substr(1, line.size() - 2);
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
        if (auto section = SectionName(lines[i])) {
            inKey = SameName(*section, key);
            inFirstSection = inKey && place.sectionEnd == std::string::npos;
            if (inFirstSection) place.sectionEnd = i + 1;
            bool parent = section->size() > key.size() && (*section)[key.size()] == '\\' &&
                          SameName(section->substr(0, key.size()), key);
            place.keyExists = place.keyExists || inKey || parent;
            continue;
        }
        if (inFirstSection && !Trim(lines[i]).empty()) place.sectionEnd = i + 1;
        std::string_view name;
        if (inKey && place.valueLine == std::string::npos && ValueName(lines[i], &name) &&
            SameName(name, value))
            place.valueLine = i;
    }
    return place;
}

std::optional<std::string> StorePath() {
    std::string home;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* user = std::getenv("HOME");
    if (configHome) {
        home = *configHome;
    } else if (xdg && xdg[0] == '/') {  // a relative one is to be ignored
        home = xdg;
    } else if (user && user[0]) {
        home = std::string(user) + "/.config";
    } else {
        return std::nullopt;
    }
    return home + "/velmora/settings.ini";
}

// The whole store; a missing file is an empty store. False when there is a
// file that cannot be read, which a writer must not overwrite.
bool ReadStore(std::string* text) {
    text->clear();
    if (inMemory) {
        *text = memoryText;
        return true;
    }
    std::optional<std::string> path = StorePath();
    if (!path) return false;
    int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text->append(buffer, static_cast<size_t>(n));
    ::close(fd);
    return n == 0;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A temporary file beside the store, flushed to disk, then renamed over it:
// a reader sees the old file or the new one, never half of one.
bool WriteStore(const std::string& text) {
    if (inMemory) {
        memoryText = text;
        return true;
    }
    std::optional<std::string> path = StorePath();
    if (!path) return false;
    fs::path folder = fs::path(*path).parent_path();
    std::error_code ignored;
    fs::create_directories(folder.parent_path(), ignored);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;

    std::string temporary = *path + ".XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.c_str(), path->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
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

}  // namespace

void PlatformSetConfigHome(const char* dir) {
    configHome = dir && *dir ? std::optional<std::string>(dir) : std::nullopt;
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
    std::vector<std::string> lines = SplitLines(text);
    Place place = Locate(lines, keyName, valueName);
    if (place.valueLine == std::string::npos) return ERROR_FILE_NOT_FOUND;
    std::optional<uint32_t> value = ParseNumber(lines[place.valueLine]);
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
    const std::wstring* path = KeyPath(key);
    std::string keyName, valueName, text;
    if (!path) return ERROR_INVALID_HANDLE;
    if (type != REG_DWORD || size != 4 || !data || !PlatformToUtf8(*path, &keyName) ||
        !PlatformToUtf8(name ? name : L"", &valueName) || !Storable(keyName, false) ||
        !Storable(valueName, true))
        return ERROR_INVALID_PARAMETER;
    if (!ReadStore(&text)) return ERROR_READ_FAULT;

    uint32_t value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    std::vector<std::string> lines = SplitLines(text);
    Place place = Locate(lines, keyName, valueName);
    std::string_view spelled = valueName;  // an existing line keeps its spelling
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
    return WriteStore(out) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return openKeys.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
