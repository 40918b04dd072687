// The screen's face from the glyph atlas compiled into the browser build,
// in place of fontconfig and FreeType.
#include <algorithm>
#include <cstdio>

#include "platform/atlas.h"
#include "platform/fonts.h"

extern const BYTE* const kGlyphAtlas;
extern const size_t kGlyphAtlasSize;

namespace {

struct Atlas {
    bool read = false;
    bool ok = false;
    std::vector<AtlasFont> fonts;
};

Atlas& TheAtlas() {
    static Atlas atlas;
    if (!atlas.read) {
        atlas.read = true;
        atlas.ok = ReadAtlas(kGlyphAtlas, kGlyphAtlasSize, &atlas.fonts);
    }
    return atlas;
}

}  // namespace

const wchar_t* ScreenFaceName() {
    return L"DejaVu Sans";
}

void UseScreenFamily(const char*) {}

ResolvedFont* ResolveFont(const HFONT__* font) {
    const FontRequest r = RequestOf(font);
    for (AtlasFont& f : TheAtlas().fonts)
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

bool PlatformFontsAvailable(std::string* error) {
    if (TheAtlas().ok) return true;
    if (error) *error = "velmora: the glyph atlas is damaged";
    return false;
}
