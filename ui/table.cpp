#include "ui/table.h"

#include <algorithm>
#include <cwchar>
#include <map>

#include "game/host.h"
#include "game/state.h"
#include "game/status.h"
#include "game/types.h"
#include "ui/graphics.h"
#include "ui/scale.h"

int32_t pressedButton = 0;
RECT focusFrame{};

namespace {

constexpr DWORD kInvertByBrush = 0x5A0049;  // destination XOR the selected brush

void PaintBack(const Card& card, HDC dc) {
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP back = cardBackBitmaps[card.backIndex];
    HGDIOBJ kept = SelectObject(memory, back);
    BITMAP size{};
    GetObjectW(back, sizeof size, &size);
    StretchBlt(dc, card.x, card.y, card.width, card.height, memory, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    // A selected back shows inverted through the context's default white brush.
    if (card.selected)
        StretchBlt(dc, card.x, card.y, card.width, card.height, memory, 0, 0, size.bmWidth,
                   size.bmHeight, kInvertByBrush);
    SelectObject(memory, kept);
    DeleteDC(memory);
}

// How far a label's ink reaches past its cell on the left and on the
// right, in the card font: at some sizes the hook of a bold J starts left of
// its cell. Measured once per label and font by drawing it.
struct Overhang {
    int32_t left = 0;
    int32_t right = 0;
};

Overhang MeasureOverhang(HDC dc, const wchar_t* label, int length, const SIZE& extent) {
    const int32_t room = extent.cy;  // ink outside the cell lands in here
    const int32_t width = extent.cx + 2 * room;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, extent.cy);
    HGDIOBJ keptBitmap = SelectObject(memory, bitmap);
    HGDIOBJ keptFont = SelectObject(memory, cardFont);
    RECT all{0, 0, width, extent.cy};
    FillRect(memory, &all, whiteBrush);
    SetTextColor(memory, RGB(0, 0, 0));
    SetBkMode(memory, TRANSPARENT);
    ExtTextOutW(memory, room, 0, 0, nullptr, label, static_cast<UINT>(length), nullptr);
    int32_t first = width, last = -1;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < extent.cy; ++y)
            if (GetPixel(memory, x, y) != RGB(255, 255, 255)) {
                first = std::min(first, x);
                last = x;
                break;
            }
    SelectObject(memory, keptFont);
    SelectObject(memory, keptBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    if (last < 0) return {};
    return {std::max(0, room - first), std::max(0, last + 1 - room - extent.cx)};
}

Overhang LabelOverhang(HDC dc, const wchar_t* label, int length, const SIZE& extent) {
    static HFONT font = nullptr;
    static int32_t dpi = 0;
    static std::map<const wchar_t*, Overhang> known;
    if (font != cardFont || dpi != DensityY()) {
        known.clear();
        font = cardFont;
        dpi = DensityY();
    }
    auto [it, fresh] = known.try_emplace(label);
    if (fresh) it->second = MeasureOverhang(dc, label, length, extent);
    return it->second;
}

void PaintFace(const Card& card, HDC dc) {
    HGDIOBJ keptFont = SelectObject(dc, cardFont);
    FillRect(dc, &card.rect, blackBrush);
    RECT face{card.rect.left + 1, card.rect.top + 1, card.rect.right - 1, card.rect.bottom - 1};
    FillRect(dc, &face, card.selected ? greyBrush : whiteBrush);
    const int32_t s = ScaleY(units::suitIconSize);
    HICON icon = suitIconImages[card.suit - 1];
    DrawIconEx(dc, card.x + card.width - s - 2, card.y + 2, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DrawIconEx(dc, card.x + 2, card.y + card.height - s - 2, icon, 0, 0, 0, nullptr, DI_NORMAL);
    const wchar_t* label = rankLabels[card.rank];
    const int length = static_cast<int>(std::wcslen(label));
    SIZE extent{};
    GetTextExtentExPointW(dc, label, length, 0, nullptr, nullptr, &extent);
    COLORREF keptColour = SetTextColor(dc, card.suit < 3 ? RGB(255, 0, 0) : RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    int32_t left = card.x + 2;
    int32_t right = card.x + card.width - extent.cx - 1;
    // Above 192 dpi a label whose ink would reach the outline (a bold J's
    // hook) moves in; at 192 and below the cards look as they always have.
    if (DensityX() > 192) {
        const Overhang over = LabelOverhang(dc, label, length, extent);
        left = std::max(left, card.x + 1 + over.left);
        right = std::min(right, card.x + card.width - 1 - extent.cx - over.right);
    }
    // Clipped to the card: ink beyond it would outlive the card's repaints.
    ExtTextOutW(dc, left, card.y, ETO_CLIPPED, &card.rect, label, static_cast<UINT>(length),
                nullptr);
    ExtTextOutW(dc, right, card.y + card.height - extent.cy - 2, ETO_CLIPPED, &card.rect, label,
                static_cast<UINT>(length), nullptr);
    SetTextColor(dc, keptColour);
    SelectObject(dc, keptFont);
}

// Where PaintFace writes the rank in the card's top left corner, with room
// for glyphs that reach past their advance (a J's hook, a 1's foot) up to
// the card's edges, where the text is clipped.
RECT LabelBox(const Card& card, HDC dc) {
    HGDIOBJ keptFont = SelectObject(dc, cardFont);
    const wchar_t* label = rankLabels[card.rank];
    SIZE extent{};
    GetTextExtentExPointW(dc, label, static_cast<int>(std::wcslen(label)), 0, nullptr, nullptr,
                          &extent);
    SelectObject(dc, keptFont);
    return {card.rect.left, card.rect.top, card.x + 2 + extent.cx + ScaleX(1), card.y + extent.cy};
}

// Fills r but for where it meets hole.
void FillAround(HDC dc, const RECT& r, const RECT& hole, HBRUSH brush) {
    RECT common{};
    if (!IntersectRect(&common, &r, &hole)) {
        FillRect(dc, &r, brush);
        return;
    }
    const RECT parts[4] = {{r.left, r.top, r.right, common.top},
                           {r.left, common.bottom, r.right, r.bottom},
                           {r.left, common.top, common.left, common.bottom},
                           {common.right, common.top, r.right, common.bottom}};
    for (const RECT& part : parts)
        if (part.left < part.right && part.top < part.bottom) FillRect(dc, &part, brush);
}

// A ring in a colour that stands out on every table colour and on cards.
// A ring inside a card's strip leaves the rank in its corner uncovered.
void PaintFocusFrame(HDC dc) {
    HBRUSH ring = CreateSolidBrush(RGB(255, 204, 0));
    const RECT& f = focusFrame;
    const int32_t e = FocusEdge();
    RECT label{};
    for (int32_t i = 1; i <= humanHand.count; ++i) {
        const Card& card = CardAt(humanHand, i);
        if (card.x == f.left && card.y == f.top && !card.faceDown) label = LabelBox(card, dc);
    }
    const RECT sides[4] = {{f.left, f.top, f.right, f.top + e},
                           {f.left, f.bottom - e, f.right, f.bottom},
                           {f.left, f.top + e, f.left + e, f.bottom - e},
                           {f.right - e, f.top + e, f.right, f.bottom - e}};
    for (const RECT& side : sides)
        FillAround(dc, side, label, ring);
    DeleteObject(ring);
}

void PaintButton(HDC dc, HICON icon, const RECT& place, bool pressed) {
    // Held down, the button shows its bare mask.
    DrawIconEx(dc, place.left, place.top, icon, 0, 0, 0, nullptr, pressed ? DI_MASK : DI_NORMAL);
}

// The number drawn beside the stock, or -1 when none is drawn. A turned-up
// trump card is counted while it lies out.
int32_t CardsLeft() {
    if (TypeTraits(gameType).hiddenTrump) return Remaining(deck);
    return trumpCard.hidden == 0 ? Remaining(deck) + 1 : -1;
}

}  // namespace

int32_t FocusEdge() {
    return std::max(1, ScaleX(2));
}

RECT FocusFrameAround(int32_t position) {
    const RECT card = CardAt(humanHand, position).rect;
    if (position < humanHand.count) {
        const RECT next = CardAt(humanHand, position + 1).rect;
        if (next.top == card.top && next.left > card.left && next.left < card.right)
            return {card.left, card.top, next.left, card.bottom};
    }
    const int32_t e = FocusEdge();
    return {card.left - e, card.top - e, card.right + e, card.bottom + e};
}

int32_t PaintCard(const Card& card, HDC dc) {
    if (card.suit == -1 || card.rank == -1 || card.x == -1 || card.y == -1) return 0;
    if (card.hidden == 1) return 0;
    if (card.faceDown) {
        PaintBack(card, dc);
    } else {
        PaintFace(card, dc);
    }
    return 1;
}

void PaintPile(const CardPile& pile, HDC dc) {
    for (int32_t i = 1; i <= pile.count; ++i)
        PaintCard(CardAt(pile, i), dc);
}

void PaintTrumpMarker(HDC dc, int32_t suit, int32_t x, int32_t y) {
    RECT box{x, y, x + ScaleX(units::suitIconSize) + 2, y + ScaleY(units::suitIconSize) + 2};
    FillRect(dc, &box, whiteBrush);
    DrawIconEx(dc, x + 1, y + 2, suitIconImages[suit - 1], 0, 0, 0, nullptr, DI_NORMAL);
}

void PaintButtons(HDC dc) {
    RECT separator = ScaleRect(units::buttonSeparator);
    FillRect(dc, &separator, whiteBrush);
    PaintButton(dc, computerAttacks != 0 ? takeButtonIcon : okButtonIcon, lowerButtonRect,
                pressedButton == 1);
    PaintButton(dc, sortButtonIcon, upperButtonRect, pressedButton == 2);
}

void PaintTable(HDC dc) {
    PaintButtons(dc);
    SetBkColor(dc, backgroundColours[background]);
    SetTextColor(dc, RGB(255, 255, 255));
    PaintCard(trumpCard, dc);
    PaintCard(stockCard, dc);
    PaintPile(computerHand, dc);
    // The attacker's cards first: the defender's covers lie on top.
    if (computerAttacks == 0) {
        PaintPile(humanTable, dc);
        PaintPile(computerTable, dc);
    } else {
        PaintPile(computerTable, dc);
        PaintPile(humanTable, dc);
    }
    PaintPile(humanHand, dc);
    if (!IsRectEmpty(&focusFrame)) PaintFocusFrame(dc);
    if (trumpCard.hidden == 1)
        PaintTrumpMarker(dc, trumpCard.suit, ScaleX(units::trumpMarker.x),
                         ScaleY(units::trumpMarker.y));
    if (statusText) {
        RECT text = ScaleRect(units::statusTextRect);
        DrawTextW(dc, statusText, -1, &text, 0);
    }
    const int32_t left = showCardsLeft == 1 ? CardsLeft() : -1;
    if (left >= 0) {
        wchar_t count[16];
        std::swprintf(count, 16, L"%d", left);
        RECT place = ScaleRect(units::cardsLeftRect);
        DrawTextW(dc, count, -1, &place, DT_CENTER | DT_VCENTER);
    }
}

void InvalidateLowerButton() {
    // Worked out afresh each time rather than read from lowerButtonRect.
    RECT r = ScaleRect(units::lowerButtonRect);
    InvalidateRect(MainWindow(), &r, FALSE);
}
