#include "ui/hittest.h"

bool CardAtPoint(const Card& card, int32_t px, int32_t py) {
    if (card.suit == -1 || card.rank == -1 || card.x == -1 || card.y == -1) return false;
    if (card.hidden == 1) return false;
    return card.x - 2 <= px && px <= card.x + card.width - 2 && card.y <= py &&
           py <= card.y + card.height;
}

int32_t CardUnder(const CardPile& pile, int32_t px, int32_t py) {
    // Last first: the card drawn on top is found first.
    for (int32_t i = pile.count; i >= 1; --i)
        if (CardAtPoint(CardAt(pile, i), px, py)) return i;
    return 0;
}

int32_t ToggleCard(CardPile& pile, int32_t p) {
    if (p == 0) return 0;
    Card& card = CardAt(pile, p);
    card.selected = card.selected == 0 ? 1 : 0;
    InvalidateCard(card);
    return p;
}

int32_t ToggleOnlyCard(CardPile& pile, int32_t p) {
    if (p == 0) return 0;
    if (FirstSelected(pile) != p) {
        int32_t mark = CardAt(pile, p).selected;
        DeselectAll(pile);  // keeps the order, so p still names the card
        CardAt(pile, p).selected = mark == 0 ? 1 : 0;
    } else {
        Card& card = CardAt(pile, p);
        card.selected = card.selected == 0 ? 1 : 0;
    }
    InvalidateCard(CardAt(pile, p));
    return p;
}

int32_t ToggleAt(CardPile& pile, int32_t px, int32_t py) {
    return ToggleCard(pile, CardUnder(pile, px, py));
}

int32_t ToggleOnlyAt(CardPile& pile, int32_t px, int32_t py) {
    return ToggleOnlyCard(pile, CardUnder(pile, px, py));
}

int32_t SelectOnlyAt(CardPile& pile, int32_t px, int32_t py) {
    int32_t p = CardUnder(pile, px, py);
    if (p == 0) return 0;
    DeselectAll(pile);
    CardAt(pile, p).selected = 1;
    InvalidateCard(CardAt(pile, p));
    return p;
}
