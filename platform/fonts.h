// Faces, sizes and glyphs for the text calls, and the drawing of one run
// of text. Only platform/ sees these.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gdi_internal.h"

struct FaceEntry;  // one face file opened with FreeType

// A rendered glyph: greyscale coverage placed relative to the pen on the
// baseline (top counts rows upward), and the pen's advance.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<BYTE> coverage;
};

// A face at one size, with the glyphs drawn at it so far.
struct ResolvedFont {
    FaceEntry* face = nullptr;
    void* size = nullptr;  // the face's FreeType size object at this size
    long size26 = 0;       // character height, in 64ths of a pixel
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
    int maxWidth = 0;
    int underlinePosition = 1;  // pixels below the baseline
    bool bold = false;
    bool italic = false;
    std::unordered_map<unsigned, Glyph> glyphs;  // by glyph index

    int Cell() const { return ascent + descent; }
};

// The face and size a font draws with, or null when the face is missing.
ResolvedFont* ResolveFont(const HFONT__* font);
const Glyph& GlyphOf(ResolvedFont& font, wchar_t ch);
// The family name of the screen's face.
const wchar_t* ScreenFaceName();
// Looks for another family as the screen's face (null: DejaVu Sans), so
// tests can see what happens when it is missing.
void UseScreenFamily(const char* family);
// The cell height of a context's default font at the screen's density.
int DefaultCellHeight();

// Width of a run of text: the sum of its advances.
int RunWidth(ResolvedFont& font, std::wstring_view text);
// Draws a run with its cell's top left at (x, y) in context coordinates,
// within clip when given; an opaque run fills its cell with the background
// colour first. Underlined characters (by index) get a line under them.
void DrawRun(HDC__* dc, ResolvedFont& font, int x, int y, std::wstring_view text, const int* dx,
             const RECT* clip, bool opaque, const std::vector<bool>* underline = nullptr);
