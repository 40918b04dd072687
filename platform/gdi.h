// Drawing: device and memory contexts, bitmaps, brushes, fonts, text and
// icons, named and numbered as on the handheld. Included by platform.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using COLORREF = DWORD;  // 0x00BBGGRR
// The colour around the screen when a desktop window is larger than it.
void SetScreenMarginColour(COLORREF colour);
using WCHAR = wchar_t;

struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HFONT__;
using HFONT = HFONT__*;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Raster operations: the middle byte is the truth table over pattern,
// source and destination, so any of the 256 works.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Stock objects; never freed.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int SYSTEM_FONT = 13;  // the screen's default font

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;  // the pixels of a 32-bit bitmap (0x00RRGGBB); null for a 1-bit one
};

constexpr int LF_FACESIZE = 32;
struct LOGFONTW {
    LONG lfHeight;  // > 0: cell height, < 0: character height, 0: the default
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
// tmPitchAndFamily bits (the pitch bit set means variable pitch) and family.
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;
constexpr BYTE FF_SWISS = 0x20;

// ExtTextOutW options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// DrawTextW formats. DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// Icons: a colour image and a 1-bit mask (black where opaque).
struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};
// DI_MASK and DI_IMAGE alone copy the mask or the image as they stand;
// together (DI_NORMAL) the mask is ANDed in and the image XORed over it.
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;

// The layer's own pictures (the message boxes'), loaded with a null module.
inline const wchar_t* const IDI_QUESTION = reinterpret_cast<const wchar_t*>(uintptr_t{32514});
inline const wchar_t* const IDI_INFORMATION = reinterpret_cast<const wchar_t*>(uintptr_t{32516});

// Contexts and objects.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HWND GetDesktopWindow();
HDC GetWindowDC(HWND hwnd);
// 1-bit when hdc is a memory context holding a 1-bit bitmap (a fresh one
// holds a 1 x 1 monochrome bitmap), 32-bit otherwise.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// One plane; 1 bit per pixel gives a monochrome bitmap (rows of bits padded
// to 16), anything else a 32-bit one (rows of 0x00RRGGBB words).
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBRUSH CreateSolidBrush(COLORREF color);
HGDIOBJ GetStockObject(int index);
// Bitmaps into memory contexts only, brushes and fonts anywhere.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
// A bitmap fills a BITMAP, a font a LOGFONTW. Returns the bytes written.
int GetObjectW(HGDIOBJ obj, int size, void* out);

// Drawing, clipped to the context's clip region and its surface.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-neighbour; a negative width or height mirrors.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// Text. Fonts are the screen's face, DejaVu Sans, in its regular, bold and
// oblique styles; a face name asked for in a LOGFONTW is not looked up.
HFONT CreateFontIndirectW(const LOGFONTW* lf);
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm);
int GetTextFaceW(HDC hdc, int count, wchar_t* name);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
// (x, y) is the top left of the text's cell.
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const wchar_t* text,
                 UINT count, const int* dx);
BOOL GetTextExtentExPointW(HDC hdc, const wchar_t* text, int count, int maxExtent, int* fit,
                           int* partialExtents, SIZE* size);
BOOL GetTextExtentPoint32W(HDC hdc, const wchar_t* text, int count, SIZE* size);
// count -1: up to the terminating NUL. Returns the height of the text.
int DrawTextW(HDC hdc, const wchar_t* text, int count, RECT* rect, UINT format);

// Icons.
HICON CreateIconIndirect(const ICONINFO* info);
// Makes new bitmaps the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// Width and height 0 draw at the icon's own size; a brush fills the area first.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH brush,
                UINT flags);
// IMAGE_ICON only: the icon resource's closest native image, scaled to
// width x height with hard edges.
void* LoadImageW(HINSTANCE module, const wchar_t* name, UINT type, int width, int height,
                 UINT flags);
HICON LoadIconW(HINSTANCE module, const wchar_t* name);

// The shell's image loader: a resource of type "GIF" (PNG data) as a
// 32-bit bitmap of its own size, or null.
HBITMAP SHLoadImageResource(HINSTANCE module, UINT id);
// A picture resource drawn at several sizes (the card backs for dense
// screens): the smallest at least width x height, area-averaged down to
// exactly that, else the largest at its own size. Opaque, as above.
HBITMAP LoadImageResourceAt(HINSTANCE module, UINT id, int width, int height);

// False, with a line for the user in error, when the screen's face is not
// installed; text calls then draw nothing.
bool PlatformFontsAvailable(std::string* error);

// Our own: lines of text, newest last, that a window larger than the
// screen shows in its margin: beside the screen when the window is wider,
// below it when taller, and not at all where no readable line fits. The
// font and colours are the program's; no lines, no panel.
void PlatformSetMarginText(const wchar_t* const* lines, int count, HFONT font, COLORREF text,
                           COLORREF back);
