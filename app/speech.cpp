#include "app/speech.h"

#include "app/account.h"
#include "app/keyboard.h"
#include "game/host.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"

SayListener sayListener = nullptr;

namespace {

std::wstring lastStatus;
std::wstring lastButtons;

// "6♦, 8♣ selected, 9♥", or without the marks.
std::wstring CardList(const CardPile& pile, bool marked) {
    std::wstring list;
    for (int32_t i = 1; i <= pile.count; ++i) {
        const Card& card = CardAt(pile, i);
        if (i > 1) list += LoadText(IDS_LOG_LIST_JOIN);
        list += marked && card.selected ? FormatText(IDS_SAY_CARD_SELECTED, CardText(card).c_str())
                                        : CardText(card);
    }
    return list;
}

// Each attack card lies under the defender's card of the same place.
std::wstring TableCardsSaying() {
    const bool mine = computerAttacks == 1;
    const CardPile& attack = mine ? computerTable : humanTable;
    const CardPile& covers = mine ? humanTable : computerTable;
    if (attack.count == 0) return LoadText(IDS_SAY_TABLE_EMPTY);
    std::wstring pairs;
    for (int32_t i = 1; i <= attack.count; ++i) {
        if (i > 1) pairs += LoadText(IDS_SAY_TABLE_JOIN);
        const std::wstring card = CardText(CardAt(attack, i));
        if (i <= covers.count) {
            pairs += FormatText(mine ? IDS_SAY_MY_CARD_BEATEN : IDS_SAY_YOUR_CARD_BEATEN,
                                card.c_str(), CardText(CardAt(covers, i)).c_str());
        } else {
            pairs += FormatText(mine ? IDS_SAY_MY_CARD_OPEN : IDS_SAY_YOUR_CARD_OPEN, card.c_str());
        }
    }
    return FormatText(IDS_SAY_TABLE, pairs.c_str());
}

std::wstring TrumpPart() {
    if (trumpCard.hidden == 0)
        return FormatText(IDS_SAY_TRUMP_CARD, CardText(trumpCard).c_str(),
                          SuitName(trumpCard.suit));
    return FormatText(IDS_SAY_TRUMP_SUIT, SuitName(trumpCard.suit));
}

// The turned-up trump is the stock's last card.
std::wstring StockPart() {
    const int32_t left = Remaining(deck) + (trumpCard.hidden == 0 ? 1 : 0);
    if (left == 0) return LoadText(IDS_SAY_STOCK_EMPTY);
    if (left == 1) return LoadText(IDS_SAY_STOCK_ONE);
    return FormatText(IDS_SAY_STOCK, left);
}

// Only what the table shows: the option that stacks the hand hides its size.
std::wstring ComputerPart() {
    if (computerHand.count == 0) return LoadText(IDS_SAY_COMPUTER_EMPTY);
    if (computerHand.layoutMode == LayoutStacked) return LoadText(IDS_SAY_COMPUTER_STACKED);
    if (computerHand.faceDown == 0)
        return FormatText(IDS_SAY_COMPUTER_SHOWN, CardList(computerHand, false).c_str());
    if (computerHand.count == 1) return LoadText(IDS_SAY_COMPUTER_HOLDS_ONE);
    return FormatText(IDS_SAY_COMPUTER_HOLDS, computerHand.count);
}

}  // namespace

std::wstring FocusSaying() {
    const int32_t at = FocusedCard();
    if (!focusShown || at == 0) return L"";
    const Card& card = CardAt(humanHand, at);
    return FormatText(card.selected ? IDS_SAY_FOCUS_SELECTED : IDS_SAY_FOCUS,
                      CardText(card).c_str(), at, humanHand.count);
}

std::wstring TableSaying() {
    return TableCardsSaying() + L" " + TrumpPart() + L" " + StockPart() + L" " + ComputerPart();
}

std::wstring HandSaying() {
    if (humanHand.count == 0) return LoadText(IDS_SAY_HAND_EMPTY);
    const std::wstring list = CardList(humanHand, true);
    if (humanHand.count == 1) return FormatText(IDS_SAY_HAND_ONE, list.c_str());
    return FormatText(IDS_SAY_HAND, humanHand.count, list.c_str());
}

std::wstring ButtonsSaying() {
    const UINT lower = computerAttacks == 1    ? IDS_SAY_LOWER_TAKE
                       : extraCardsAllowed > 0 ? IDS_SAY_LOWER_LET_TAKE
                                               : IDS_SAY_LOWER_DONE;
    const UINT upper =
        humanHand.sortMode == SortBySuit ? IDS_SAY_UPPER_BY_RANK : IDS_SAY_UPPER_BY_SUIT;
    return FormatText(IDS_SAY_BUTTONS, LoadText(lower), LoadText(upper));
}

void Say(const std::wstring& text) {
    if (sayListener && !text.empty()) sayListener(text);
}

bool TakeStatusChange(std::wstring* text) {
    const std::wstring now = statusText ? statusText : L"";
    const bool changed = now != lastStatus && !now.empty();
    lastStatus = now;
    if (changed) *text = now;
    return changed;
}

bool TakeButtonsChange(std::wstring* text) {
    std::wstring now = ButtonsSaying();
    if (now == lastButtons) return false;
    lastButtons = now;
    *text = std::move(now);
    return true;
}
