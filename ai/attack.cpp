// The computer as attacker: which card opens a bout, which card is thrown
// in, and when a trump or a high spade is worth keeping.
#include "ai/ai.h"

#include "ai/keep.h"
#include "ai/play.h"
#include "game/host.h"
#include "game/rules.h"
#include "game/state.h"
#include "game/types.h"

namespace {

// Position of the lowest-ranked card, the first among equals, 0 if none.
// With trumps 0 the trump suit is passed over.
int32_t LowestCard(bool trumps) {
    int32_t bound = 15;
    int32_t found = 0;
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (!trumps && card.suit == TrumpSuit()) continue;
        if (card.rank < bound) {
            bound = card.rank;
            found = i;
        }
    }
    return found;
}

}  // namespace

int32_t MaySpendTrump(const Card& card) {
    if (card.suit != TrumpSuit()) return 1;
    int32_t k = card.rank;
    int32_t s = Remaining(deck);
    int32_t n = CountRank(computerHand, trumpCard.rank);
    return KeepsTrump(n, k, s, computerAttacks == 1) ? 0 : 1;
}

int32_t MaySpendSpade(const Card& card) {
    if (!TypeTraits(gameType).japanese || card.suit != Spades) return 1;
    return KeepsSpade(card.rank, Remaining(deck)) ? 0 : 1;
}

int32_t ComputerAttack() {
    computerAttacks = 1;
    if (computerTable.count > 0) return ThrowIn(1);
    if (humanTable.count > 0) {
        ShowErrorBox(MainWindow(), L"ERROR: strange , activ not lost!");
        return -1;
    }
    return ComputerLead();
}

int32_t ComputerLead() {
    transferOpen = 1;
    humanHandAtBoutStart = humanHand.count;
    boutLedByComputer = 1;
    ComputerAnswer answer;
    if (AskChooser(AskLead, &answer)) {
        if (answer.kind != AnswerCards) return 0;
        PlayComputerCard(ComputerCardPlace(answer.cards[0]), LayAttack);
        return 1;
    }
    bool endGame = Remaining(deck) == 0 && (computerHand.count <= 2 || humanHand.count <= 2);
    if (endGame && LeadUnbeatable() == 1) return 1;
    if (TypeTraits(gameType).japanese && LeadSpade() == 1) return 1;
    return LeadLowest();
}

int32_t LeadUnbeatable() {
    computerHand.sortMode = SortBySuit;
    SortPile(computerHand);
    // With more than two cards left a transfer would hand the bout back.
    bool guardTransfer = transferRule == 1 && computerHand.count > 2;
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        bool beaten = false;
        for (int32_t h = 1; h <= humanHand.count && !beaten; ++h)
            beaten = CanCover(CardAt(humanHand, h), card) > 0;
        if (beaten) continue;
        if (humanHand.count > 0 && guardTransfer && FindRank(humanHand, card.rank) != 0) continue;
        PlayComputerCard(i, LayAttack);
        return 1;
    }
    return 0;
}

int32_t LeadSpade() {
    int32_t spade = FindSuit(computerHand, Spades);
    if (spade == 0) return 0;
    int32_t s = Remaining(deck);
    if (s == 0) {
        PlayComputerCard(spade, LayAttack);
        return 1;
    }
    if (s >= 5) return 0;
    int32_t rank = CardAt(computerHand, spade).rank;
    if (CountRank(computerHand, rank) <= 1) return 0;
    PlayComputerCard(FindRank(computerHand, rank), LayAttack);
    return 1;
}

int32_t BestGroupRank() {
    int32_t highest;
    if (TypeTraits(gameType).bulk) {
        highest = humanHand.count <= 8 ? Ace : Jack;
    } else {
        int32_t s = Remaining(deck);
        highest = s > 10 ? Jack : (s > 0 ? King : Ace);
    }
    int32_t best = 0;
    int32_t bestCount = 0;
    for (int32_t rank = 6; rank <= highest; ++rank) {
        int32_t n = CountRank(computerHand, rank);
        if (n > bestCount) {
            best = rank;
            bestCount = n;
        }
    }
    return bestCount >= 2 ? best : 0;
}

int32_t LeadLowest() {
    int32_t group = BestGroupRank();
    if (group != 0 && humanHand.count > 2) {
        PlayComputerCard(FindRank(computerHand, group), LayAttack);
        return 1;
    }
    int32_t lowest = LowestCard(false);
    if (lowest == 0) lowest = LowestCard(true);
    if (lowest == 0) return 0;
    PlayComputerCard(lowest, LayAttack);
    return 1;
}

int32_t ThrowIn(int32_t mode) {
    computerHand.sortMode = SortByRank;
    SortPile(computerHand);
    transferOpen = 0;
    if (humanHand.count == 0) return 0;
    // Mode 0 gives extra cards to the human taking.
    ComputerAnswer answer;
    if (AskChooser(mode == 1 ? AskThrowIn : AskExtra, &answer)) {
        if (answer.kind != AnswerCards) return 0;
        PlayComputerCard(ComputerCardPlace(answer.cards[0]), LayAttack);
        return 1;
    }
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (card.suit != TrumpSuit() && MaySpendSpade(card) == 1 && MaySpendTrump(card) == 1 &&
            RankOnTable(card.rank) == 1) {
            PlayComputerCard(i, LayAttack);
            return 1;
        }
    }
    if (mode != 1) return 0;
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (MaySpendTrump(card) == 1 && RankOnTable(card.rank) == 1) {
            PlayComputerCard(i, LayAttack);
            return 1;
        }
    }
    return 0;
}
