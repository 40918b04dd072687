#include "game/rules.h"

#include "game/state.h"
#include "game/types.h"

int32_t OnlySpadeCovers(const Card& attack) {
    // Only a spade covers a spade there: diamonds, the trumps, included.
    return TypeTraits(gameType).japanese && attack.suit == Spades ? 1 : 0;
}

int32_t CanCover(const Card& cover, const Card& attack) {
    if (OnlySpadeCovers(attack) == 1 && cover.suit != Spades) return -1;
    if (cover.isTrump == 1 && attack.isTrump != 1) return 1;
    if (cover.suit != attack.suit) return -1;
    return cover.rank > attack.rank ? 1 : 0;
}

int32_t RankOnTable(int32_t rank) {
    return FindRank(humanTable, rank) != 0 || FindRank(computerTable, rank) != 0 ? 1 : 0;
}

int32_t CoverAll(CardPile& attack, CardPile& defence) {
    // In suit order, low ranks first and trumps last, the first free cover
    // found is the cheapest one; the piles then stay in that order as cards
    // arrive.
    attack.sortMode = SortBySuit;
    SortPile(attack);
    defence.sortMode = SortBySuit;
    SortPile(defence);
    attack.sortMode = SortNone;
    defence.sortMode = SortNone;

    if (defence.count == 0 || attack.count == 0 || attack.count > defence.count) return -1;

    for (int32_t a = 1; a <= attack.count; ++a) {
        const Card& target = CardAt(attack, a);
        for (int32_t d = 1; d <= defence.count; ++d) {
            Card& cover = CardAt(defence, d);
            if (cover.selected != 1 && CanCover(cover, target) > 0) {
                cover.selected = 1;
                break;
            }
        }
    }
    if (CountSelected(defence) == attack.count) return 0;
    DeselectAll(defence);
    return 1;
}
