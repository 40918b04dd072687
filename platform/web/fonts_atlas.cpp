// The screen's face from glyph atlases, in place of fontconfig and
// FreeType: one atlas per font, fetched from the site as a density first
// needs it and kept for the rest of the run.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

#include "platform/atlas.h"
#include "platform/fonts.h"
#include "platform/web/web.h"

// clang-format off
// Fetches the atlases named, one a line, all at once; their count, or -1
// when one could not be had. Each is then copied out by its place.
EM_ASYNC_JS(int, JsFetchAtlases, (const char* names), {
    return await Velmora.fetchFiles(UTF8ToString(names).split('\n').map((n) => 'glyphs/' + n));
});
EM_JS(int, JsAtlasSize, (int i), { return Velmora.files[i].length; });
EM_JS(void, JsTakeAtlas, (int i, uint8_t* out), {
    HEAPU8.set(Velmora.files[i], out);
    Velmora.files[i] = null;
});
// clang-format on

namespace {

// A deque, as fonts resolved earlier are held by address.
std::deque<AtlasFont>& Loaded() {
    static std::deque<AtlasFont> fonts;
    return fonts;
}

bool IsLoaded(const FontRequest& r) {
    const std::deque<AtlasFont>& fonts = Loaded();
    return std::any_of(fonts.begin(), fonts.end(),
                       [&](const AtlasFont& f) { return f.request == r; });
}

}  // namespace

bool WebLoadFonts(int dpi, std::string* error) {
    std::vector<FontRequest> wanted;
    std::string names;
    for (const FontRequest& r : ProgramFonts(dpi)) {
        if (IsLoaded(r) || std::find(wanted.begin(), wanted.end(), r) != wanted.end()) continue;
        wanted.push_back(r);
        names += (names.empty() ? "" : "\n") + AtlasName(r);
    }
    if (wanted.empty()) return true;
    if (JsFetchAtlases(names.c_str()) != static_cast<int>(wanted.size())) {
        *error = "velmora: the glyphs for " + std::to_string(dpi) + " dpi could not be fetched";
        return false;
    }
    std::vector<AtlasFont> read;
    for (size_t i = 0; i < wanted.size(); ++i) {
        std::vector<uint8_t> bytes(static_cast<size_t>(JsAtlasSize(static_cast<int>(i))));
        JsTakeAtlas(static_cast<int>(i), bytes.data());
        if (!ReadAtlas(bytes.data(), bytes.size(), &read) || read.size() != 1 ||
            read[0].request != wanted[i]) {
            *error = "velmora: the glyph atlas " + AtlasName(wanted[i]) + " is damaged";
            return false;
        }
        Loaded().push_back(std::move(read[0]));
    }
    return true;
}

const wchar_t* ScreenFaceName() {
    return L"DejaVu Sans";
}

void UseScreenFamily(const char*) {}

ResolvedFont* ResolveFont(const HFONT__* font) {
    const FontRequest r = RequestOf(font);
    for (AtlasFont& f : Loaded())
        if (f.request == r) return &f.metrics;
    // Said once per request, where the page's tests look for it.
    static std::vector<FontRequest> said;
    if (std::find(said.begin(), said.end(), r) == said.end()) {
        said.push_back(r);
        std::fprintf(stderr, "velmora: no glyphs for a %s font of %d pixels %s\n",
                     r.bold ? "bold" : "plain", r.pixels, r.byCell ? "by cell" : "high");
    }
    return nullptr;
}

const Glyph& GlyphOf(ResolvedFont& font, wchar_t ch) {
    static const Glyph nothing;
    if (ch < 0x20) return nothing;
    auto it = font.glyphs.find(static_cast<unsigned>(ch));
    if (it == font.glyphs.end()) it = font.glyphs.find(0);  // the face's missing glyph
    return it == font.glyphs.end() ? nothing : it->second;
}

// The atlases come with the first density (WebOpen), which says why when
// they cannot.
bool PlatformFontsAvailable(std::string*) {
    return true;
}
