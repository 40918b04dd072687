// Writes what gives the browser build what the native one gets from libpng
// and FreeType: C++ source with the program's pictures decoded, and a
// folder of what the page fetches when a density needs it: in glyphs/, the
// atlases of the screen's face, one per font, for every density a page may
// take; in pictures/, the largest card backs.
// Usage: velmora-webdata OUT.cpp FOLDER
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/atlas.h"
#include "platform/density.h"
#include "platform/internal.h"
#include "platform/raw_picture.h"
#include "ui/graphics.h"

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
constexpr int kPageGrowth = kMaxPageDensity / 96;

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

// The bytes gzipped, as the page takes them: a browser inflates them
// itself, and a font's atlas shrinks to about a fifth.
bool Gzip(const std::vector<uint8_t>& bytes, std::vector<uint8_t>* out) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out->resize(deflateBound(&z, bytes.size()) + 32);
    z.next_in = const_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = out->data();
    z.avail_out = static_cast<uInt>(out->size());
    const bool done = deflate(&z, Z_FINISH) == Z_STREAM_END;
    out->resize(z.total_out);
    deflateEnd(&z);
    return done;
}

// Left alone when it already holds the bytes, so that its time stays and
// copying the site's files again skips it.
bool WriteIfChanged(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)), {});
        if (old == bytes) return true;
    }
    in.close();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WritePictures(std::ostream& out, const std::filesystem::path& folder) {
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
        // The card backs drawn larger come after every back at its own size,
        // smallest first. The module keeps the first larger one, enough up
        // to 384 dpi: raw, the largest would cost more than all the page's
        // other pictures together, so they are files the page fetches.
        int seen = 0;
        for (int j = 0; j < i; ++j)
            seen += res.images[j].id == img.id ? 1 : 0;
        std::vector<BYTE> raw = Raw(img.data, img.size, "a picture");
        if (raw.empty()) return false;
        std::string name = "kData" + std::to_string(n);
        if (seen > 1) {
            int width = 0, height = 0;
            PlatformPictureSize(img.data, img.size, &width, &height);
            const std::string file =
                "pictures/back-" + std::to_string(img.id) + "-" + std::to_string(width) + ".raw";
            std::vector<uint8_t> packed;
            if (!Gzip(raw, &packed) || !WriteIfChanged(folder / file, packed)) {
                std::fprintf(stderr, "velmora-webdata: cannot write %s\n", file.c_str());
                return false;
            }
            const std::string note = "velmora-fetch " + std::to_string(width) + " " +
                                     std::to_string(height) + " " + file;
            raw.assign(note.begin(), note.end());
        }
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

// Every program font at every density a page may take, each in an atlas
// of its own, so that a page fetches only the few its density uses.
bool WriteGlyphs(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::vector<wchar_t> chars = AtlasCharacters();
    std::vector<FontRequest> done;
    for (int dpi = kMinDensity; dpi <= kMaxPageDensity; ++dpi) {
        for (const FontRequest& request : ProgramFonts(dpi)) {
            if (std::find(done.begin(), done.end(), request) != done.end()) continue;
            done.push_back(request);
            AtlasFont f;
            f.dpi = dpi;
            std::vector<uint8_t> packed;
            if (!DrawAtlasFont(request, chars, &f)) {
                std::fprintf(stderr, "velmora-webdata: the screen's face could not be drawn\n");
                return false;
            }
            const std::filesystem::path path = folder / AtlasName(request);
            if (!Gzip(WriteAtlas({f}), &packed) || !WriteIfChanged(path, packed)) {
                std::fprintf(stderr, "velmora-webdata: cannot write %s\n", path.c_str());
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: velmora-webdata OUT.cpp FOLDER\n");
        return 2;
    }
    std::string error;
    if (!PlatformFontsAvailable(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::filesystem::path folder = argv[2];
    std::error_code made;
    std::filesystem::create_directories(folder / "pictures", made);
    RegisterOwnFonts();
    if (!WriteGlyphs(folder / "glyphs")) return 1;
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made by velmora-webdata from the program's pictures.\n"
           "#include <cstddef>\n\n#include \"platform/platform.h\"\n\nnamespace {\n\n";
    if (!WritePictures(out, folder)) return 1;
    out << "\n}  // namespace\n\n"
           "extern const PictureResources programPictures;\n"
           "const PictureResources programPictures = {kIcons, static_cast<int>(std::size(kIcons)),"
           " kImages, static_cast<int>(std::size(kImages))};\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "velmora-webdata: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
