// Writes the C++ source that gives the browser build what the native one
// gets from libpng and FreeType: the program's pictures decoded, and the
// glyph atlas of the screen's face at each density the page offers.
// Usage: velmora-webdata OUT.cpp
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/atlas.h"
#include "platform/internal.h"
#include "platform/raw_picture.h"

extern const PictureResources programPictures;

namespace {

// Bytes as a string literal: printable ones as they are, the rest as
// three-digit octal escapes, which never run into the next character.
void WriteBytes(std::ostream& out, const char* name, const std::vector<BYTE>& bytes) {
    out << "alignas(4) const BYTE " << name << "[] =\n    \"";
    int column = 0;
    for (BYTE b : bytes) {
        if (column >= 96) {
            out << "\"\n    \"";
            column = 0;
        }
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
            out << static_cast<char>(b);
            ++column;
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", b);
            out << esc;
            column += 4;
        }
    }
    out << "\";\n";
}

std::vector<BYTE> Raw(const BYTE* png, size_t size, const char* what) {
    Surface pixels;
    std::vector<BYTE> alpha;
    if (!PlatformDecodePng(png, size, &pixels, &alpha)) {
        std::fprintf(stderr, "velmora-webdata: cannot decode %s\n", what);
        return {};
    }
    return WriteRawPicture(pixels, alpha);
}

// The page's densest screen over 96 dpi: what it asks of a picture grows
// at most this much from what a 96 dpi screen asks.
constexpr int kPageGrowth = std::ranges::max(kAtlasDensities) / 96;

// The width beyond which no page asks for an image: the first at least
// `least` wide covers every request, and smaller ones are kept as they are.
int Widest(const std::vector<int>& widths, int least) {
    int widest = 0;
    for (int w : widths)
        if (w >= least && (widest == 0 || w < widest)) widest = w;
    return widest ? widest : std::ranges::max(widths);
}

std::vector<int> IconWidths(const IconResource& icon) {
    std::vector<int> widths;
    for (int j = 0; j < icon.imageCount; ++j)
        widths.push_back(icon.images[j].width);
    return widths;
}

bool WritePictures(std::ostream& out) {
    const PictureResources& res = programPictures;
    std::string tables;
    int n = 0;
    std::vector<int> kept(static_cast<size_t>(res.iconCount));
    for (int i = 0; i < res.iconCount; ++i) {
        const IconResource& icon = res.icons[i];
        const std::vector<int> widths = IconWidths(icon);
        // An icon's 96 dpi request is its smallest image.
        const int widest = Widest(widths, std::ranges::min(widths) * kPageGrowth);
        std::string images;
        for (int j = 0; j < icon.imageCount; ++j, ++n) {
            const IconImageResource& img = icon.images[j];
            if (img.width > widest) continue;
            ++kept[static_cast<size_t>(i)];
            std::vector<BYTE> raw = Raw(img.png, img.size, "an icon");
            if (raw.empty()) return false;
            std::string name = "kData" + std::to_string(n);
            WriteBytes(out, name.c_str(), raw);
            images += "    {" + std::to_string(img.width) + ", " + std::to_string(img.height) +
                      ", " + name + ", sizeof " + name + " - 1},\n";
        }
        tables +=
            "const IconImageResource kIcon" + std::to_string(i) + "[] = {\n" + images + "};\n";
    }
    out << tables << "const IconResource kIcons[] = {\n";
    for (int i = 0; i < res.iconCount; ++i)
        out << "    {" << res.icons[i].id << ", kIcon" << i << ", " << kept[static_cast<size_t>(i)]
            << "},\n";
    out << "};\n";
    std::string images;
    for (int i = 0; i < res.imageCount; ++i, ++n) {
        const ImageResource& img = res.images[i];
        // The card backs drawn larger come after every back at its own size.
        // At their own size only: the larger ones would cost the page more
        // than all its other pictures together.
        bool seen = false;
        for (int j = 0; j < i; ++j)
            seen = seen || res.images[j].id == img.id;
        if (seen) continue;
        std::vector<BYTE> raw = Raw(img.data, img.size, "a picture");
        if (raw.empty()) return false;
        std::string name = "kData" + std::to_string(n);
        WriteBytes(out, name.c_str(), raw);
        std::string type;
        for (const wchar_t* c = img.type; *c; ++c)
            type += static_cast<char>(*c);
        images += "    {" + std::to_string(img.id) + ", L\"" + type + "\", " + name + ", sizeof " +
                  name + " - 1},\n";
    }
    out << "const ImageResource kImages[] = {\n" << images << "};\n";
    return true;
}

// Every program font at every density, once each; glyphs by character.
std::vector<AtlasFont> DrawAtlas() {
    std::vector<AtlasFont> fonts;
    for (int dpi : kAtlasDensities) {
        for (const FontRequest& request : ProgramFonts(dpi)) {
            bool known = false;
            for (const AtlasFont& f : fonts)
                known = known || f.request == request;
            if (known) continue;
            AtlasFont f;
            f.dpi = dpi;
            if (!DrawAtlasFont(request, AtlasCharacters(), &f)) return {};
            fonts.push_back(std::move(f));
        }
    }
    return fonts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: velmora-webdata OUT.cpp\n");
        return 2;
    }
    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<AtlasFont> atlas = DrawAtlas();
    if (atlas.empty()) {
        std::fprintf(stderr, "velmora-webdata: the screen's face could not be drawn\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made by velmora-webdata from the program's pictures and the screen's face.\n"
           "#include <cstddef>\n\n#include \"platform/platform.h\"\n\nnamespace {\n\n";
    if (!WritePictures(out)) return 1;
    WriteBytes(out, "kAtlas", WriteAtlas(atlas));
    out << "\n}  // namespace\n\n"
           "extern const PictureResources programPictures;\n"
           "const PictureResources programPictures = {kIcons, static_cast<int>(std::size(kIcons)),"
           " kImages, static_cast<int>(std::size(kImages))};\n"
           "extern const BYTE* const kGlyphAtlas;\nextern const size_t kGlyphAtlasSize;\n"
           "const BYTE* const kGlyphAtlas = kAtlas;\n"
           "const size_t kGlyphAtlasSize = sizeof kAtlas - 1;\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "velmora-webdata: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
