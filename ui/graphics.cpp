#include "ui/graphics.h"

#include <initializer_list>
#include <iterator>

#include "game/card.h"
#include "game/host.h"
#include "res/ids.h"
#include "ui/scale.h"

HFONT cardFont = nullptr;
HBRUSH blackBrush = nullptr;
HBRUSH whiteBrush = nullptr;
HBRUSH greyBrush = nullptr;
HICON suitIconImages[4] = {};
HBITMAP cardBackBitmaps[kCardBackCount] = {};
HICON okButtonIcon = nullptr;
HICON takeButtonIcon = nullptr;
HICON sortButtonIcon = nullptr;

const int cardBackIds[kCardBackCount] = {IDB_BACK_PLAITING, IDB_BACK_FISH, IDB_BACK_JOCONDA,
                                         IDB_BACK_GRADIENT, IDB_BACK_PATTERN};
const COLORREF backgroundColours[kTableColourCount] = {
    RGB(0, 150, 0), RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 0, 153), RGB(128, 128, 128),
};

namespace {

constexpr int32_t kCardFontPoints = 10;

HICON LoadAt(int id, int32_t size, HINSTANCE module) {
    return static_cast<HICON>(LoadImageW(module ? module : ProgramModule(),
                                         MAKEINTRESOURCEW(static_cast<UINT>(id)), IMAGE_ICON, size,
                                         size, 0));
}

// Loads at the base size and pads to the requested one; an icon that cannot
// be padded is returned at its base size.
HICON LoadPadded(int id, int32_t base, int32_t size, HINSTANCE module) {
    HICON icon = LoadAt(id, base, module);
    if (!icon) return nullptr;
    HICON padded = nullptr;
    if (!PadIcon(icon, &padded, base, base, size, size)) return icon;
    DestroyIcon(icon);
    return padded;
}

// Native sizes: a small and a large drawing, and (buttons) 16 below them.
// Above the large one a dense screen's request is met by the smallest
// finer drawing that covers it, scaled down; past the finest, padded.
HICON LoadSized(int id, int32_t size, HINSTANCE module, int32_t small, int32_t large,
                int32_t direct, std::initializer_list<int32_t> finer) {
    if (size > large) {
        for (int32_t native : finer)
            if (native >= size) return LoadAt(id, size, module);
        return LoadPadded(id, finer.size() ? *std::prev(finer.end()) : large, size, module);
    }
    if (size == large) return LoadAt(id, large, module);
    if (size == small) return LoadAt(id, small, module);
    if (size > small) return LoadPadded(id, small, size, module);
    if (size > direct) return LoadPadded(id, direct, size, module);
    return LoadAt(id, size, module);
}

}  // namespace

void CreateGraphics() {
    if (cardFont) DeleteObject(cardFont);
    cardFont = CreateCardFont(kCardFontPoints);
    for (int i = 0; i < 4; ++i)
        suitIconImages[i] =
            LoadSuitIcon(suitIcons[i], ScaleX(units::suitIconSize), ProgramModule());
    // Above 192 dpi a back drawn larger is brought down to the card's size;
    // below, the back at its own size is stretched as it always was.
    for (int i = 0; i < kCardBackCount; ++i) {
        const auto id = static_cast<UINT>(cardBackIds[i]);
        cardBackBitmaps[i] =
            DensityX() > 192 ? LoadImageResourceAt(ProgramModule(), id, ScaleX(units::cardWidth),
                                                   ScaleY(units::cardHeight))
                             : SHLoadImageResource(ProgramModule(), id);
    }
    blackBrush = CreateSolidBrush(RGB(0, 0, 0));
    whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    greyBrush = CreateSolidBrush(RGB(200, 200, 200));
}

void ReleaseGraphics() {
    for (HICON& icon : suitIconImages) {
        DestroyIcon(icon);
        icon = nullptr;
    }
    for (HBITMAP& back : cardBackBitmaps) {
        DeleteObject(back);
        back = nullptr;
    }
    DeleteObject(blackBrush);
    DeleteObject(whiteBrush);
    DeleteObject(greyBrush);
    blackBrush = whiteBrush = greyBrush = nullptr;
    if (cardFont) DeleteObject(cardFont);
    cardFont = nullptr;
}

void LoadButtonIcons() {
    okButtonIcon = LoadButtonIcon(IDI_OK, ScaleX(units::buttonIconSize), nullptr);
    takeButtonIcon = LoadButtonIcon(IDI_TAKE, ScaleX(units::buttonIconSize), nullptr);
    sortButtonIcon = LoadButtonIcon(IDI_SORT, ScaleX(units::buttonIconSize), nullptr);
}

void FreeButtonIcons() {
    for (HICON* icon : {&takeButtonIcon, &sortButtonIcon, &okButtonIcon}) {
        DestroyIcon(*icon);
        *icon = nullptr;
    }
}

void RegisterOwnFonts() {
    static const OwnFont kOwn[] = {{true, true, kCardFontPoints}};  // bold, by cell
    PlatformSetProgramFonts(kOwn, 1);
}

HFONT CreateCardFont(int32_t points) {
    HDC dc = GetWindowDC(GetDesktopWindow());
    LOGFONTW font{};
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    GetTextFaceW(dc, 31, font.lfFaceName);
    // Positive: matched against the cell height, internal leading included.
    font.lfHeight = GetDeviceCaps(dc, LOGPIXELSY) * points / 72;
    font.lfWeight = 700;
    font.lfCharSet = metrics.tmCharSet;
    font.lfPitchAndFamily = metrics.tmPitchAndFamily;
    font.lfQuality = 5;
    HFONT result = CreateFontIndirectW(&font);
    ReleaseDC(GetDesktopWindow(), dc);
    return result;
}

HICON LoadSuitIcon(int id, int32_t size, HINSTANCE module) {
    // Drawn at 9 and 18; nothing between 9 and the request is drawn below 9.
    return LoadSized(id, size, module, 9, 18, 9, {36, 72, 144});
}

HICON LoadButtonIcon(int id, int32_t size, HINSTANCE module) {
    return LoadSized(id, size, module, 32, 64, 16, {128, 256, 320});
}

bool PadIcon(HICON source, HICON* result, int32_t sw, int32_t sh, int32_t dw, int32_t dh) {
    *result = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return false;
    HICON blank = static_cast<HICON>(
        LoadImageW(ProgramModule(), MAKEINTRESOURCEW(IDI_BLANK), IMAGE_ICON, 16, 16, 0));
    const int x = dw / 2 - sw / 2, y = dh / 2 - sh / 2;
    bool done = false;
    // A fresh memory context makes the mask monochrome.
    HBITMAP mask = CreateCompatibleBitmap(memory, dw, dh);
    HBITMAP colour = nullptr;
    HGDIOBJ kept = mask ? SelectObject(memory, mask) : nullptr;
    if (kept) {
        DrawIconEx(memory, 0, 0, blank, dw, dh, 0, nullptr, DI_MASK);
        if (DrawIconEx(memory, x, y, source, sw, sh, 0, nullptr, DI_MASK)) {
            colour = CreateBitmap(dw, dh, 1, static_cast<UINT>(GetDeviceCaps(memory, BITSPIXEL)),
                                  nullptr);
            if (colour && SelectObject(memory, colour)) {
                DrawIconEx(memory, 0, 0, blank, dw, dh, 0, nullptr, DI_IMAGE);
                if (DrawIconEx(memory, x, y, source, sw, sh, 0, nullptr, DI_IMAGE)) {
                    SelectObject(memory, kept);
                    ICONINFO info{TRUE, 0, 0, mask, colour};
                    *result = CreateIconIndirect(&info);
                    done = true;
                }
            }
        }
        SelectObject(memory, kept);
    }
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    DeleteDC(memory);
    DestroyIcon(blank);
    return done;
}
