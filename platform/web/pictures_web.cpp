// The browser build's pictures were decoded when it was built. The largest
// would make the module too heavy: in their place it carries a note of
// their size and file, and the site gives them when a density needs them.
#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/raw_picture.h"

// clang-format off
EM_ASYNC_JS(int, JsFetchPicture, (const char* path), {
    return await Velmora.fetchFiles([UTF8ToString(path)]) === 1 ? Velmora.files[0].length : -1;
});
EM_JS(void, JsTakePicture, (uint8_t* out), {
    HEAPU8.set(Velmora.files[0], out);
    Velmora.files[0] = null;
});
// clang-format on

namespace {

// "velmora-fetch WIDTH HEIGHT PATH", as velmora-webdata writes it.
constexpr char kFetched[] = "velmora-fetch ";

struct Note {
    int width = 0;
    int height = 0;
    std::string path;
};

bool ReadNote(const BYTE* data, size_t size, Note* note) {
    const size_t prefix = sizeof kFetched - 1;
    if (!data || size <= prefix || size > 256 || std::memcmp(data, kFetched, prefix) != 0)
        return false;
    const std::string rest(reinterpret_cast<const char*>(data) + prefix, size - prefix);
    char path[200] = {};
    if (std::sscanf(rest.c_str(), "%d %d %199s", &note->width, &note->height, path) != 3 ||
        note->width <= 0 || note->height <= 0)
        return false;
    note->path = path;
    return true;
}

}  // namespace

bool PlatformPictureSize(const BYTE* data, size_t size, int* width, int* height) {
    Note note;
    if (!ReadNote(data, size, &note)) return RawPictureSize(data, size, width, height);
    *width = note.width;
    *height = note.height;
    return true;
}

bool PlatformDecodePng(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha) {
    Note note;
    if (!ReadNote(data, size, &note)) return ReadRawPicture(data, size, pixels, alpha);
    const int length = JsFetchPicture(note.path.c_str());
    std::vector<BYTE> bytes(static_cast<size_t>(length > 0 ? length : 0));
    if (length > 0) JsTakePicture(bytes.data());
    int width = 0, height = 0;
    if (length <= 0 || !RawPictureSize(bytes.data(), bytes.size(), &width, &height) ||
        width != note.width || height != note.height ||
        !ReadRawPicture(bytes.data(), bytes.size(), pixels, alpha)) {
        std::fprintf(stderr, "velmora: the picture %s could not be had; a smaller one is used\n",
                     note.path.c_str());
        return false;
    }
    return true;
}
