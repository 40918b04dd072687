// A new game: the deal, the trump, who opens; and the refill from the stock.
#include "game/deal.h"

#include "game/account.h"
#include "game/host.h"
#include "game/message.h"
#include "game/state.h"
#include "game/status.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

bool dealing = false;  // the first hands, told by the new game's line

struct PileSetup {
    CardPile* pile;
    int32_t sortMode;
    int32_t perRow;
};

}  // namespace

void NewGame() {
    ++gameSerial;
    uint32_t serial = gameSerial;
    ShowStatus(nullptr);
    ClearPile(humanHand);
    ClearPile(computerHand);
    ClearPile(humanTable);
    ClearPile(computerTable);
    boutLedByComputer = 0;
    cardLaidThisGame = 0;
    ResetDeck(deck);

    const PileSetup setups[] = {
        {&computerHand, SortNone, 18},
        {&humanHand, SortBySuit, 7},
        {&humanTable, SortNone, 7},
        {&computerTable, SortNone, 7},
    };
    PlacePileOrigins();
    for (const PileSetup& s : setups) {
        s.pile->sortMode = s.sortMode;
        s.pile->perRow = s.perRow;
        s.pile->layoutMode = LayoutSideBySide;
        s.pile->window = MainWindow();
    }
    computerHand.layoutMode = computerHandLayout;
    computerHand.faceDown = computerHandFaceDown;
    transferOpen = 1;

    const bool hiddenTrump = TypeTraits(gameType).hiddenTrump;
    int32_t trumpRank = 2, trumpSuit = Diamonds;
    if (!hiddenTrump) DrawCard(deck, &trumpRank, &trumpSuit);

    stockCard.suit = 1;
    stockCard.rank = 1;
    PlaceCard(stockCard);
    stockCard.faceDown = 1;
    stockCard.hidden = 0;
    InvalidateCard(stockCard);

    // Without a trump card diamonds are always trumps.
    trumpCard.suit = trumpSuit;
    trumpCard.rank = trumpRank;
    trumpCard.hidden = hiddenTrump ? 1 : 0;
    PlaceCard(trumpCard);
    InvalidateCard(trumpCard);

    SetTrumpSuit(computerHand, trumpCard.suit);
    SetTrumpSuit(humanHand, trumpCard.suit);
    SetTrumpSuit(computerTable, trumpCard.suit);
    SetTrumpSuit(humanTable, trumpCard.suit);

    dealing = true;
    RefillHand(humanHand);
    RefillHand(computerHand);
    dealing = false;

    SetBack(humanHand, static_cast<int32_t>(cardBack));
    SetBack(computerHand, static_cast<int32_t>(cardBack));
    stockCard.backIndex = static_cast<int32_t>(cardBack);
    InvalidateCard(stockCard);

    extraCardsAllowed = -1;
    FitHumanHand();
    ChooseFirstAttacker();
    if (gameSerial != serial) return;
    RepaintPart(PartLowerButton);
}

void RefillHand(CardPile& pile) {
    const int32_t target = TypeTraits(gameType).bulk ? 18 : 6;
    PlayEvent drew{};
    drew.kind = PlayDraw;
    drew.side = &pile == &humanHand ? SideHuman : SideComputer;
    // The computer's draws are only counted: its hand is hidden.
    const bool named = &pile == &humanHand || computerHandFaceDown == 0;
    auto note = [&drew, named](int32_t suit, int32_t rank) {
        if (named && drew.listed < 18) drew.cards[drew.listed++] = {suit, rank};
        ++drew.count;
    };
    while (pile.count < target && Remaining(deck) > 0) {
        int32_t rank, suit;
        if (DrawCard(deck, &rank, &suit) < 0) break;  // an inconsistent deck deals nothing more
        AddCard(pile, suit, rank);
        note(suit, rank);
    }
    // The face-up trump is the stock's last card, for whoever runs short first.
    if (pile.count < target && Remaining(deck) == 0 && trumpCard.hidden == 0) {
        AddCard(pile, trumpCard.suit, trumpCard.rank);
        SetHidden(trumpCard, 1);
        note(trumpCard.suit, trumpCard.rank);
    }
    // The deal is told by the new game's line; only later draws are events.
    if (drew.count > 0 && !dealing) EmitPlay(drew);
    if (Remaining(deck) == 0) SetHidden(stockCard, 1);
    Refresh(pile);
    RepaintPart(PartCardsLeft);
}

void FitHumanHand() {
    if (humanHand.count < 7) {
        humanHand.layoutMode = LayoutSideBySide;
        humanHand.perRow = 7;
    } else if (humanHand.count <= 24) {
        humanHand.layoutMode = LayoutHalfOverlap;
        humanHand.perRow = 12;
    } else {
        humanHand.layoutMode = LayoutThirdOverlap;
        humanHand.perRow = 18;
    }
    Refresh(humanHand);
}

void ChooseFirstAttacker() {
    humanHand.sortMode = SortByRank;
    computerHand.sortMode = SortByRank;
    SortPile(humanHand);
    SortPile(computerHand);

    bool humanOpens;
    if (lastWinner == 0) {
        humanOpens = true;
    } else if (lastWinner != -1) {
        humanOpens = false;
    } else {
        // First game of the run: the lower trump opens; sorted by rank, the
        // first trump of a hand is its lowest.
        int32_t computerTrump = FindSuit(computerHand, TrumpSuit());
        int32_t humanTrump = FindSuit(humanHand, TrumpSuit());
        if (computerTrump == 0) {
            humanOpens = true;
        } else if (humanTrump == 0) {
            humanOpens = false;
        } else {
            humanOpens =
                CardAt(computerHand, computerTrump).rank > CardAt(humanHand, humanTrump).rank;
        }
    }
    PlayEvent game{};
    game.kind = PlayNewGame;
    game.count = gameType;
    game.side = humanOpens ? SideHuman : SideComputer;
    game.trumpSuit = TrumpSuit();
    game.trumpShown = trumpCard.hidden == 0;
    game.card =
        game.trumpShown ? PlayCard{trumpCard.suit, trumpCard.rank} : PlayCard{NoCard, NoCard};
    EmitPlay(game);
    if (humanOpens) {
        computerAttacks = 0;
        ShowStatus(LoadText(IDS_YOUR_MOVE));
    } else {
        computerAttacks = 1;
        SendGameMessage(COMPUTER_ATTACK);
    }
}
