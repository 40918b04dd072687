// The screen's face found through fontconfig and rendered with FreeType:
// faces by style, sizes by cell height, glyphs cached per face and size.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/atlas.h"
#include "platform/fonts.h"

struct FaceEntry {
    FT_Face face = nullptr;
    FT_Size scratch = nullptr;  // for trying sizes while matching a cell height
    std::map<int, long> sizeForCell;
    std::map<long, std::unique_ptr<ResolvedFont>> sizes;
};

namespace {

constexpr char kScreenFamily[] = "DejaVu Sans";

// Faces live for the whole process, across restarts of the layer.
struct FontSystem {
    FT_Library library = nullptr;
    bool started = false;
    std::string family = kScreenFamily;
    std::wstring wideFamily = L"DejaVu Sans";
    std::map<int, std::unique_ptr<FaceEntry>> faces;  // by style; null when missing
    void CloseFaces() {
        for (auto& [style, entry] : faces)
            if (entry) FT_Done_Face(entry->face);  // its sizes go with it
        faces.clear();
    }
    ~FontSystem() {
        CloseFaces();
        if (library) FT_Done_FreeType(library);
        FcFini();  // fontconfig's own caches, or they show as leaks at exit
    }
};

FontSystem& Fonts() {
    static FontSystem fonts;
    if (!fonts.started) {
        fonts.started = true;
        if (FT_Init_FreeType(&fonts.library) != 0) fonts.library = nullptr;
    }
    return fonts;
}

// fontconfig always answers with some face; only the family asked for will do.
bool IsFamily(FcPattern* match, const std::string& wanted) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        if (wanted == reinterpret_cast<const char*>(family)) return true;
    return false;
}

// The face file fontconfig gives for the style, if it is the screen's face.
FT_Face OpenFace(FontSystem& fonts, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(fonts.family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_OBLIQUE : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FT_Face face = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (match && IsFamily(match, fonts.family) &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        if (FT_New_Face(fonts.library, reinterpret_cast<const char*>(file), index, &face) != 0)
            face = nullptr;
    }
    if (match) FcPatternDestroy(match);
    return face;
}

FaceEntry* FaceFor(bool bold, bool italic) {
    FontSystem& fonts = Fonts();
    if (!fonts.library) return nullptr;
    int style = (bold ? 1 : 0) | (italic ? 2 : 0);
    auto it = fonts.faces.find(style);
    if (it == fonts.faces.end()) {
        std::unique_ptr<FaceEntry> entry;
        if (FT_Face face = OpenFace(fonts, bold, italic)) {
            entry = std::make_unique<FaceEntry>();
            entry->face = face;
            FT_New_Size(face, &entry->scratch);
        }
        it = fonts.faces.emplace(style, std::move(entry)).first;
    }
    return it->second.get();
}

int Pixels(FT_Pos v) {
    return static_cast<int>((v + 63) >> 6);
}

int CellAt(FaceEntry& entry, long size26) {
    FT_Activate_Size(entry.scratch);
    FT_Set_Char_Size(entry.face, 0, size26, 72, 72);
    const FT_Size_Metrics& m = entry.face->size->metrics;
    return Pixels(m.ascender) + Pixels(-m.descender);
}

// The character height whose cell (ascender plus descender, as FreeType
// rounds them) is closest to the one asked for: the largest size whose cell
// is not taller, unless the next size up comes closer. Sizes go in 64ths of
// a pixel because whole pixel sizes skip some cell heights.
long SizeForCell(FaceEntry& entry, int cell) {
    auto known = entry.sizeForCell.find(cell);
    if (known != entry.sizeForCell.end()) return known->second;
    long lo = 64, hi = 64L * 4 * cell;  // CellAt(lo) is at least 1; search up to hi
    if (CellAt(entry, lo) > cell) {
        hi = lo;
    } else {
        while (hi - lo > 1) {
            long mid = (lo + hi) / 2;
            (CellAt(entry, mid) <= cell ? lo : hi) = mid;
        }
    }
    long best = lo;
    if (CellAt(entry, lo) != cell && CellAt(entry, hi) - cell < cell - CellAt(entry, lo)) best = hi;
    entry.sizeForCell[cell] = best;
    return best;
}

ResolvedFont* AtSize(FaceEntry& entry, long size26, bool bold, bool italic) {
    std::unique_ptr<ResolvedFont>& slot = entry.sizes[size26];
    if (slot) return slot.get();
    FT_Size size = nullptr;
    if (FT_New_Size(entry.face, &size) != 0) return nullptr;
    FT_Activate_Size(size);
    FT_Set_Char_Size(entry.face, 0, size26, 72, 72);
    auto font = std::make_unique<ResolvedFont>();
    const FT_Size_Metrics& m = entry.face->size->metrics;
    font->face = &entry;
    font->size = size;
    font->size26 = size26;
    font->ascent = Pixels(m.ascender);
    font->descent = Pixels(-m.descender);
    font->maxWidth = Pixels(FT_MulFix(entry.face->max_advance_width, m.x_scale));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(entry.face, FT_SFNT_OS2));
    font->averageWidth =
        os2 ? Pixels(FT_MulFix(os2->xAvgCharWidth, m.x_scale)) : font->maxWidth / 2;
    int below = -Pixels(FT_MulFix(entry.face->underline_position, m.y_scale));
    font->underlinePosition = std::max(1, std::min(below, font->descent - 1));
    font->bold = bold;
    font->italic = italic;
    slot = std::move(font);
    return slot.get();
}

}  // namespace

const wchar_t* ScreenFaceName() {
    return Fonts().wideFamily.c_str();
}

void UseScreenFamily(const char* family) {
    FontSystem& fonts = Fonts();
    fonts.CloseFaces();
    fonts.family = family ? family : kScreenFamily;
    fonts.wideFamily.assign(fonts.family.begin(), fonts.family.end());
}

ResolvedFont* ResolveFont(const HFONT__* font) {
    return ResolveRequest(RequestOf(font));
}

ResolvedFont* ResolveRequest(const FontRequest& r) {
    FaceEntry* entry = FaceFor(r.bold, r.italic);
    if (!entry) return nullptr;
    long size26 = r.byCell ? SizeForCell(*entry, r.pixels) : 64L * r.pixels;
    return AtSize(*entry, size26, r.bold, r.italic);
}

const Glyph& GlyphOf(ResolvedFont& font, wchar_t ch) {
    static const Glyph nothing;
    if (ch < 0x20) return nothing;  // line breaks and other controls draw nothing
    FT_Face face = font.face->face;
    FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(ch));
    auto it = font.glyphs.find(index);
    if (it != font.glyphs.end()) return it->second;
    Glyph& g = font.glyphs[index];
    FT_Activate_Size(static_cast<FT_Size>(font.size));
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return g;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) return g;  // greyscale is all this asks for
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            g.coverage[static_cast<size_t>(y) * g.width + x] = bm.buffer[y * bm.pitch + x];
    return g;
}

bool DrawAtlasFont(const FontRequest& request, const std::vector<wchar_t>& chars, AtlasFont* out) {
    ResolvedFont* font = ResolveRequest(request);
    if (!font) return false;
    out->request = request;
    ResolvedFont& m = out->metrics;
    m.size26 = font->size26;
    m.ascent = font->ascent;
    m.descent = font->descent;
    m.averageWidth = font->averageWidth;
    m.maxWidth = font->maxWidth;
    m.underlinePosition = font->underlinePosition;
    m.bold = font->bold;
    m.italic = font->italic;
    m.glyphs.clear();
    for (wchar_t ch : chars)  // U+FFFF is in no face: code 0 gets its missing glyph
        m.glyphs[static_cast<unsigned>(ch)] = GlyphOf(*font, ch ? ch : 0xFFFF);
    return true;
}

bool PlatformFontsAvailable(std::string* error) {
    if (!Fonts().library) {
        if (error) *error = "velmora: the FreeType font engine could not be started";
        return false;
    }
    if (!FaceFor(false, false) || !FaceFor(true, false)) {
        if (error)
            *error =
                "velmora: the DejaVu Sans font is not installed (Debian package fonts-dejavu-core)";
        return false;
    }
    return true;
}
