#include "ui/layout.h"

#include "game/host.h"
#include "game/state.h"
#include "ui/scale.h"

namespace {

void PlaceAt(Card& card, POINT origin) {
    card.window = MainWindow();
    SetPosition(card, ScaleX(origin.x), ScaleY(origin.y));
}

// Where each pile starts, in design units.
constexpr struct {
    CardPile* pile;
    POINT origin;
} kPileOrigins[] = {
    {&computerHand, {2, 2}},
    {&humanHand, {2, 116}},
    {&humanTable, {2, 69}},
    {&computerTable, {2, 48}},
};

void ScaleCard(Card& card) {
    ScaleCardSize(card);
    if (card.x != -1) SetPosition(card, card.x, card.y);
}

}  // namespace

void ScaleCardSize(Card& card) {
    card.width = ScaleX(units::cardWidth);
    card.height = ScaleY(units::cardHeight);
}

void ScalePileOrigins() {
    for (const auto& p : kPileOrigins) {
        p.pile->originX = ScaleX(p.origin.x);
        p.pile->originY = ScaleY(p.origin.y);
    }
}

void ScaleLoneCardPlace(Card& card) {
    PlaceAt(card, &card == &stockCard ? units::stockCard : units::trumpCard);
}

void ScaleTable() {
    ScalePileOrigins();
    for (const auto& p : kPileOrigins) {
        CardPile& pile = *p.pile;
        pile.cardWidth = ScaleX(units::cardWidth);
        pile.cardHeight = ScaleY(units::cardHeight);
        for (int32_t i = 1; i <= pile.count; ++i)
            ScaleCard(CardAt(pile, i));
        LayOut(pile);
    }
    for (Card* card : {&stockCard, &trumpCard}) {
        ScaleCard(*card);
        if (card->x != -1) ScaleLoneCardPlace(*card);
    }
}
