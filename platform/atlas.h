// Glyph atlases: the glyphs of the screen's face drawn ahead of time at
// every size the program asks for, for a build that carries no font engine. The native build
// writes them with FreeType; the browser build draws from them alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fonts.h"

// What a font asks of the face, in the terms sizes are chosen by: a cell
// height to match (the screen's default font, or a positive height), or a
// character height in pixels (a negative height).
struct FontRequest {
    bool bold = false;
    bool italic = false;
    bool byCell = true;
    int pixels = 0;
    bool operator==(const FontRequest&) const = default;
};
FontRequest RequestOf(const HFONT__* font);
// The face at a request, drawn with the font engine (native builds only).
ResolvedFont* ResolveRequest(const FontRequest& request);

// Every font the program draws with at a density: the screen's default,
// those it set (the cards' labels), and the plain and bold text of bars,
// boxes and dialogs.
std::vector<FontRequest> ProgramFonts(int dpi);

// The name of the page's atlas holding the one font of a request, e.g.
// "bold-cell-13.vga". Neighbouring densities share most of their sizes, so
// such an atlas serves many densities.
std::string AtlasName(const FontRequest& request);

// The characters drawn: the printable ASCII ones and the few others the
// program's texts hold. Code 0 holds the face's glyph for a character it
// lacks.
std::vector<wchar_t> AtlasCharacters();

struct AtlasFont {
    int dpi = 0;
    FontRequest request;
    ResolvedFont metrics;  // glyphs keyed by character, not glyph index
};

// The font at a request drawn for the atlas with the font engine (native
// builds only), each character's glyph as the engine draws it; code 0
// gets the face's glyph for a character it lacks. False when the face is
// missing.
bool DrawAtlasFont(const FontRequest& request, const std::vector<wchar_t>& chars, AtlasFont* out);

// The atlas as bytes, and back; false when the bytes are not an atlas.
std::vector<uint8_t> WriteAtlas(const std::vector<AtlasFont>& fonts);
bool ReadAtlas(const uint8_t* data, size_t size, std::vector<AtlasFont>* fonts);
