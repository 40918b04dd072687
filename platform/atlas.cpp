#include "platform/atlas.h"

#include <algorithm>
#include <cstring>

#include "platform/internal.h"

int DefaultCellHeight() {
    return (12 * Layer().dpiY + 48) / 96;
}

FontRequest RequestOf(const HFONT__* font) {
    const LOGFONTW& lf = font->log;
    FontRequest r;
    r.bold = lf.lfWeight >= 600;
    r.italic = lf.lfItalic != 0;
    if (font->screenDefault || lf.lfHeight == 0) {
        r.pixels = DefaultCellHeight();
    } else if (lf.lfHeight > 0) {
        r.pixels = lf.lfHeight;
    } else {
        r.byCell = false;
        r.pixels = -lf.lfHeight;
    }
    return r;
}

namespace {

std::vector<OwnFont>& OwnFonts() {
    static std::vector<OwnFont> fonts;
    return fonts;
}

}  // namespace

void PlatformSetProgramFonts(const OwnFont* fonts, int count) {
    OwnFonts().assign(fonts, fonts + std::max(count, 0));
}

std::vector<FontRequest> ProgramFonts(int dpi) {
    const int cell = (12 * dpi + 48) / 96;  // the screen's default font
    const int text = (8 * dpi + 36) / 72;   // 8 points, by character height
    std::vector<FontRequest> fonts{{false, false, true, cell}, {true, false, true, cell}};
    for (const OwnFont& f : OwnFonts())
        fonts.push_back({f.bold, false, f.byCell, dpi * f.points / 72});
    fonts.push_back({false, false, false, text});
    fonts.push_back({true, false, false, text});
    return fonts;
}

std::string AtlasName(const FontRequest& request) {
    std::string name = request.bold ? "bold-" : "plain-";
    if (request.italic) name += "italic-";
    name += request.byCell ? "cell-" : "char-";
    return name + std::to_string(request.pixels) + ".vga";
}

std::vector<wchar_t> AtlasCharacters() {
    std::vector<wchar_t> chars{0};
    for (wchar_t c = 0x20; c < 0x7F; ++c)
        chars.push_back(c);
    chars.push_back(0xA9);    // the copyright sign of About
    chars.push_back(0x2713);  // the check mark of menus
    return chars;
}

namespace {

constexpr char kMagic[4] = {'V', 'G', 'A', '1'};

void Put(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

struct Reader {
    const uint8_t* at;
    const uint8_t* end;
    bool ok = true;
    int32_t Int() {
        if (end - at < 4) {
            ok = false;
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(at[i]) << (8 * i);
        at += 4;
        return static_cast<int32_t>(v);
    }
    // A count of things of at least unit bytes each that the rest can hold.
    int Count(size_t unit) {
        int32_t n = Int();
        if (n < 0 || static_cast<size_t>(n) * unit > static_cast<size_t>(end - at)) ok = false;
        return ok ? n : 0;
    }
};

}  // namespace

std::vector<uint8_t> WriteAtlas(const std::vector<AtlasFont>& fonts) {
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    Put(out, static_cast<int32_t>(fonts.size()));
    for (const AtlasFont& f : fonts) {
        const ResolvedFont& m = f.metrics;
        for (int32_t v :
             {f.dpi, int32_t{f.request.bold}, int32_t{f.request.italic}, int32_t{f.request.byCell},
              f.request.pixels, static_cast<int32_t>(m.size26), m.ascent, m.descent, m.averageWidth,
              m.maxWidth, m.underlinePosition, static_cast<int32_t>(m.glyphs.size())})
            Put(out, v);
        for (const auto& [ch, g] : m.glyphs) {
            for (int32_t v :
                 {static_cast<int32_t>(ch), g.left, g.top, g.width, g.height, g.advance})
                Put(out, v);
            out.insert(out.end(), g.coverage.begin(), g.coverage.end());
        }
    }
    return out;
}

bool ReadAtlas(const uint8_t* data, size_t size, std::vector<AtlasFont>* fonts) {
    fonts->clear();
    if (!data || size < 4 || std::memcmp(data, kMagic, 4) != 0) return false;
    Reader r{data + 4, data + size};
    int count = r.Count(12 * 4);
    for (int i = 0; i < count && r.ok; ++i) {
        AtlasFont f;
        ResolvedFont& m = f.metrics;
        f.dpi = r.Int();
        f.request.bold = m.bold = r.Int() != 0;
        f.request.italic = m.italic = r.Int() != 0;
        f.request.byCell = r.Int() != 0;
        f.request.pixels = r.Int();
        m.size26 = r.Int();
        m.ascent = r.Int();
        m.descent = r.Int();
        m.averageWidth = r.Int();
        m.maxWidth = r.Int();
        m.underlinePosition = r.Int();
        int glyphs = r.Count(6 * 4);
        for (int j = 0; j < glyphs && r.ok; ++j) {
            auto ch = static_cast<unsigned>(r.Int());
            Glyph g;
            g.left = r.Int();
            g.top = r.Int();
            g.width = r.Int();
            g.height = r.Int();
            g.advance = r.Int();
            if (g.width < 0 || g.height < 0 ||
                static_cast<size_t>(g.width) * g.height > static_cast<size_t>(r.end - r.at)) {
                r.ok = false;
                break;
            }
            g.coverage.assign(r.at, r.at + static_cast<size_t>(g.width) * g.height);
            r.at += g.coverage.size();
            m.glyphs.emplace(ch, std::move(g));
        }
        fonts->push_back(std::move(f));
    }
    if (!r.ok || r.at != r.end) {
        fonts->clear();
        return false;
    }
    return true;
}
