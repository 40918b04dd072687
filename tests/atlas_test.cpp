// The browser build's stand-ins for FreeType and libpng: glyph atlases and
// plain pictures must give back exactly what the native build draws, and
// damaged bytes must be refused rather than read past.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/atlas.h"
#include "platform/density.h"
#include "platform/raw_picture.h"
#include "tests/fixture.h"
#include "ui/graphics.h"

namespace {

AtlasFont Drawn(int dpi, const FontRequest& request, const std::vector<wchar_t>& chars) {
    AtlasFont f;
    f.dpi = dpi;
    EXPECT_TRUE(DrawAtlasFont(request, chars, &f));
    return f;
}

void ExpectSameGlyph(const Glyph& a, const Glyph& b, wchar_t ch) {
    EXPECT_EQ(a.left, b.left) << int{ch};
    EXPECT_EQ(a.top, b.top) << int{ch};
    EXPECT_EQ(a.advance, b.advance) << int{ch};
    EXPECT_EQ(a.width, b.width) << int{ch};
    EXPECT_EQ(a.coverage, b.coverage) << int{ch};
}

class AtlasTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        RegisterOwnFonts();
    }
};

// Every glyph of every program font at a few densities, off the old steps
// of 48 too, comes back as FreeType draws it, and the fonts the program
// makes are all in the atlas.
TEST_F(AtlasTest, ProgramFontsComeBackAsDrawn) {
    const std::vector<wchar_t> chars = AtlasCharacters();
    for (int dpi : {25, 96, 131, 288}) {
        StartScreen(dpi);
        std::vector<AtlasFont> fonts;
        for (const FontRequest& r : ProgramFonts(dpi))
            fonts.push_back(Drawn(dpi, r, chars));
        std::vector<uint8_t> bytes = WriteAtlas(fonts);
        std::vector<AtlasFont> read;
        ASSERT_TRUE(ReadAtlas(bytes.data(), bytes.size(), &read));
        ASSERT_EQ(read.size(), fonts.size());
        for (size_t i = 0; i < fonts.size(); ++i) {
            EXPECT_EQ(read[i].request, fonts[i].request);
            EXPECT_EQ(read[i].metrics.ascent, fonts[i].metrics.ascent);
            EXPECT_EQ(read[i].metrics.underlinePosition, fonts[i].metrics.underlinePosition);
            ResolvedFont* native = ResolveRequest(fonts[i].request);
            for (wchar_t ch : chars)
                ExpectSameGlyph(read[i].metrics.glyphs.at(static_cast<unsigned>(ch)),
                                GlyphOf(*native, ch ? ch : 0xFFFF), ch);
        }
        HFONT card = CreateCardFont(10);
        HFONT__ screenFont;
        screenFont.screenDefault = true;
        for (const HFONT__* f :
             {static_cast<const HFONT__*>(card), static_cast<const HFONT__*>(&screenFont)}) {
            FontRequest r = RequestOf(f);
            bool listed = false;
            for (const FontRequest& p : ProgramFonts(dpi))
                listed = listed || p == r;
            EXPECT_TRUE(listed) << dpi << " dpi, " << r.pixels << " pixels";
        }
        DeleteObject(card);
    }
}

// The page fetches a font's atlas by name alone: over every density it may
// take, one name never stands for two fonts, and every font has a size.
TEST(AtlasNames, OneFontPerName) {
    RegisterOwnFonts();
    std::map<std::string, FontRequest> named;
    for (int dpi = kMinDensity; dpi <= kMaxPageDensity; ++dpi) {
        for (const FontRequest& r : ProgramFonts(dpi)) {
            EXPECT_GT(r.pixels, 0) << dpi;
            auto [at, added] = named.emplace(AtlasName(r), r);
            EXPECT_TRUE(at->second == r) << at->first << " at " << dpi << " dpi";
        }
    }
    FontRequest italic = named.begin()->second;
    italic.italic = true;
    EXPECT_EQ(named.count(AtlasName(italic)), 0u);
}

// Cut short or grown, an atlas or a picture is refused whole.
TEST_F(AtlasTest, DamagedBytesAreRefused) {
    std::vector<uint8_t> atlas = WriteAtlas(
        {Drawn(96, ProgramFonts(96)[0], {L'A', L'g'}), Drawn(96, ProgramFonts(96)[3], {L'x'})});
    Surface pixels = MakeSurface(3, 2, false, 0x123456);
    std::vector<BYTE> alpha{0, 10, 20, 30, 40, 255};
    std::vector<BYTE> raw = WriteRawPicture(pixels, alpha);
    Surface back;
    std::vector<BYTE> backAlpha;
    ASSERT_TRUE(ReadRawPicture(raw.data(), raw.size(), &back, &backAlpha));
    EXPECT_EQ(back.pixels, pixels.pixels);
    EXPECT_EQ(backAlpha, alpha);

    std::vector<AtlasFont> read;
    for (size_t n = 0; n < atlas.size(); ++n)
        EXPECT_FALSE(ReadAtlas(atlas.data(), n, &read)) << "cut to " << n;
    atlas.push_back(0);
    EXPECT_FALSE(ReadAtlas(atlas.data(), atlas.size(), &read)) << "a byte too many";
    for (size_t n = 0; n < raw.size(); ++n)
        EXPECT_FALSE(ReadRawPicture(raw.data(), n, &back, &backAlpha)) << "cut to " << n;
}

}  // namespace
