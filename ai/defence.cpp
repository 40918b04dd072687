// The computer as defender: pass the attack on, cover it, or take.
#include "ai/ai.h"

#include "ai/play.h"
#include "game/host.h"
#include "game/rules.h"
#include "game/state.h"
#include "game/status.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

// Moves the whole attack over to the computer's side with the card of its
// rank on top; the human now defends against all of it.
void Transfer(int32_t position) {
    SelectAll(humanTable);
    MoveSelected(humanTable, computerTable);
    PlayComputerCard(position, LayTransfer);
    transferOpen = 1;
    ShowStatus(LoadText(IDS_TRANSFERRED));
    computerAttacks = 1;
}

bool TryTransfer(const Card& attack) {
    if (transferRule != 1 || transferOpen != 1) return false;
    int32_t c = FindRank(computerHand, attack.rank);
    if (c == 0 || WantsTransfer(attack.rank) != 1) return false;
    const Card& card = CardAt(computerHand, c);
    if (card.suit == TrumpSuit() && MaySpendTrump(card) == 0) return false;
    if (humanHand.count < humanTable.count + 1) return false;
    Transfer(c);
    return true;
}

// Several attack cards at once, after the human transferred.
int32_t CoverEveryAttackCard() {
    computerAttacks = 0;
    if (CoverAll(humanTable, computerHand) == 0) {
        LayCards(computerHand, computerTable, LayCover);
        PauseFor(PauseComputerCard);
        return 1;
    }
    extraCardsAllowed = humanTable.count;
    return 0;
}

int32_t CoverInSuit(const Card& attack) {
    // With a big stock a low card of the suit is still worth keeping, so the
    // scan starts from the highest.
    bool lowFirst = Remaining(deck) < 16 || attack.suit == TrumpSuit();
    int32_t n = computerHand.count;
    for (int32_t step = 0; step < n; ++step) {
        int32_t i = lowFirst ? step + 1 : n - step;
        const Card& card = CardAt(computerHand, i);
        if (card.suit == attack.suit && card.rank > attack.rank && MaySpendSpade(card) == 1 &&
            MaySpendTrump(card) == 1) {
            PlayComputerCard(i, LayCover);
            return 1;
        }
    }
    return 0;
}

int32_t CoverWithTrump(const Card& attack) {
    if (TypeTraits(gameType).japanese && attack.suit == Spades) return 0;
    if (attack.suit == TrumpSuit()) return 0;
    if (FindSuit(computerHand, TrumpSuit()) == 0) return 0;
    // A trump of the attack's rank first: it adds no new rank to the table.
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (card.suit == TrumpSuit() && card.rank == attack.rank && MaySpendTrump(card) == 1) {
            PlayComputerCard(i, LayCover);
            return 1;
        }
    }
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (card.suit == TrumpSuit() && MaySpendTrump(card) == 1) {
            PlayComputerCard(i, LayCover);
            return 1;
        }
    }
    return 0;
}

// The chooser's answer carried out as the rules' own steps would: 1 covered
// or transferred, 0 takes.
int32_t CarryOutDefence(const ComputerAnswer& answer) {
    if (answer.kind == AnswerTransfer && transferRule == 1 && transferOpen == 1 &&
        humanHand.count >= humanTable.count + 1) {
        Transfer(ComputerCardPlace(answer.cards[0]));
        return 1;
    }
    transferOpen = 0;
    const bool several = computerTable.count == 0 && humanTable.count >= 2;
    if (several) computerAttacks = 0;
    if (answer.kind != AnswerCards) {
        if (several) extraCardsAllowed = humanTable.count;
        return 0;
    }
    if (!several) {
        PlayComputerCard(ComputerCardPlace(answer.cards[0]), LayCover);
        return 1;
    }
    // Each cover goes down opposite the attack card it beats.
    for (int32_t a = 1; a <= humanTable.count; ++a) {
        const Card& target = CardAt(humanTable, a);
        for (int32_t i = 0; i < answer.count; ++i)
            if (answer.targets[i].suit == target.suit && answer.targets[i].rank == target.rank) {
                CardAt(computerHand, ComputerCardPlace(answer.cards[i])).selected = 1;
                LayCards(computerHand, computerTable, LayCover);
            }
    }
    PauseFor(PauseComputerCard);
    return 1;
}

}  // namespace

int32_t ComputerDefend() {
    // No attack card: there is nothing to answer.
    if (humanTable.count == 0) return -1;
    const Card attack = CardAt(humanTable, humanTable.count);
    bool holdsSuit = FindSuit(computerHand, attack.suit) != 0;
    computerHand.sortMode = SortBySuit;
    SortPile(computerHand);

    ComputerAnswer answer;
    if (AskChooser(AskDefence, &answer)) return CarryOutDefence(answer);
    if (TryTransfer(attack)) return 1;
    transferOpen = 0;
    if (computerTable.count == 0 && humanTable.count >= 2) return CoverEveryAttackCard();
    if (CoverToShutOut() == 1) return 1;
    if (holdsSuit && CoverInSuit(attack) == 1) return 1;
    return CoverWithTrump(attack);
}

int32_t WantsTransfer(int32_t rank) {
    // Short of cards, any transfer beats taking.
    if (computerHand.count - 1 <= humanTable.count + 1) return 1;
    int32_t n = CountRank(computerHand, rank);
    if (n == 0) return 0;
    if (n == 2) return 1;
    if (Remaining(deck) != 0) return 1;
    // In the end game the human could only pass it straight back.
    return FindRank(humanHand, rank) != 0 ? 0 : 1;
}

int32_t CoverToShutOut() {
    if (Remaining(deck) != 0) return 0;
    if (humanTable.count == 0 || humanTable.count > computerTable.count + 1) return 0;
    const Card& attack = CardAt(humanTable, humanTable.count);
    for (int32_t i = 1; i <= computerHand.count; ++i) {
        const Card& card = CardAt(computerHand, i);
        if (CanCover(card, attack) > 0 && FindRank(humanHand, card.rank) == 0) {
            PlayComputerCard(i, LayCover);
            return 1;
        }
    }
    return 0;
}
