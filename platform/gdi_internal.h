// The drawing records behind the handles and the helpers the drawing files
// share. Only platform/ sees these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/internal.h"

struct HBRUSH__ : GdiObject {
    HBRUSH__() : GdiObject(GdiKind::Brush) {}
    COLORREF color = 0;
    bool hollow = false;  // NULL_BRUSH: paints nothing
};

struct HBITMAP__ : GdiObject {
    HBITMAP__() : GdiObject(GdiKind::Bitmap) {}
    Surface surface;
};

struct ResolvedFont;  // platform/fonts.h
struct HFONT__ : GdiObject {
    HFONT__() : GdiObject(GdiKind::Font) {}
    LOGFONTW log{};
    bool screenDefault = false;  // its cell follows the screen's density
};

// The one place where colours change form: COLORREF is 0x00BBGGRR, a
// surface pixel 0x00RRGGBB.
constexpr uint32_t PixelOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorOf(uint32_t pixel) {
    return PixelOf(pixel);  // the same swap of the outer bytes
}
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
// What a monochrome surface keeps of a colour: the nearer of black and white.
constexpr uint32_t MonoOf(uint32_t pixel) {
    uint32_t sum = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
    return sum >= 3 * 128 ? kWhite : kBlack;
}

Surface MakeSurface(int width, int height, bool mono, uint32_t fill);

// The objects a context draws with, the defaults when none is selected.
const HBRUSH__* DcBrush(const HDC__* dc);
const HFONT__* DcFont(const HDC__* dc);
void LetGo(GdiObject* obj);  // a context stops holding obj
void ReleaseSelections(HDC__* dc);

// Calls visit with every part of area (context coordinates) that the
// context may draw on, as a rectangle of surface pixels.
// A template, not a std::function: the browser build would otherwise treat
// every drawing call as one that might wait, and slow it down.
template <typename Visit>
void ForEachVisible(const HDC__* dc, const RECT& area, Visit&& visit) {
    const RECT bounds{0, 0, dc->surface->width, dc->surface->height};
    for (const RECT& clip : dc->clip.Rects()) {
        RECT part;
        if (!IntersectRect(&part, &clip, &area)) continue;
        OffsetRect(&part, dc->origin.x, dc->origin.y);
        if (IntersectRect(&part, &part, &bounds)) visit(part);
    }
}

// Stores a pixel, kept black or white on a monochrome surface.
inline void Store(Surface& s, int x, int y, uint32_t pixel) {
    s.pixels[static_cast<size_t>(y) * s.width + x] = s.mono ? MonoOf(pixel) : pixel;
}
inline uint32_t Load(const Surface& s, int x, int y) {
    return s.pixels[static_cast<size_t>(y) * s.width + x];
}

// A picture to copy from: part of a surface, and how its pixels read when
// the source and the destination differ in kind.
struct BlitSource {
    const Surface* surface = nullptr;
    RECT rect{};                  // surface pixels; may be mirrored (right < left)
    uint32_t monoBlack = kBlack;  // what the black of a monochrome source becomes
    uint32_t monoWhite = kWhite;
    uint32_t bkForMono = kWhite;  // the colour that turns white on a monochrome target
};
// Stretches the source over dest (context coordinates, may be mirrored)
// with a raster operation; pattern is the brush pixel.
void BlitTo(HDC__* dc, RECT dest, const BlitSource* src, uint32_t pattern, DWORD rop);
bool RopUsesSource(DWORD rop);

// A new icon from its image and mask (made monochrome if it is not).
HICON AddIcon(Surface color, Surface mask);

// PNG data to pixels (0x00RRGGBB) and alpha (0..255), and back.
bool PlatformDecodePng(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha);
// A picture's size without decoding it; false when it cannot be read.
bool PlatformPictureSize(const BYTE* data, size_t size, int* width, int* height);
bool PlatformEncodePng(const Surface& pixels, std::vector<BYTE>* out);
bool PlatformWritePng(const char* path, const Surface& pixels);

// The compiled-in pictures (platform/resources.cpp); null when absent.
const IconResource* FindIconResource(HINSTANCE module, UINT id);
const ImageResource* FindImageResource(HINSTANCE module, UINT id, const wchar_t* type);
// Every picture of the id and type, in the order compiled in.
std::vector<const ImageResource*> FindImageResources(HINSTANCE module, UINT id,
                                                     const wchar_t* type);
