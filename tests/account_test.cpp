// The account of play in words: each kind of event, said by either side.
#include "app/account.h"
#include "game/card.h"
#include "game/types.h"
#include "tests/game_fixture.h"

namespace {

class AccountTest : public GameTest {};

constexpr PlayCard kNone{NoCard, NoCard};

PlayEvent Event(PlayKind kind, int32_t side, PlayCard card = kNone, PlayCard target = kNone,
                int32_t count = 0) {
    PlayEvent e{};
    e.kind = kind;
    e.side = side;
    e.card = card;
    e.target = target;
    e.count = count;
    e.trumpSuit = Hearts;
    return e;
}

TEST_F(AccountTest, CardsAreNamedByRankAndSuitMark) {
    const struct {
        PlayCard card;
        const wchar_t* text;
    } cases[] = {{{Clubs, 10}, L"10\x2663"},
                 {{Diamonds, Queen}, L"Q\x2666"},
                 {{Spades, Ace}, L"A\x2660"},
                 {{Hearts, 6}, L"6\x2665"},
                 {{Diamonds, Jack}, L"J\x2666"},
                 {{Spades, King}, L"K\x2660"},
                 {kNone, L"?"},
                 {{5, 9}, L"?"}};
    for (const auto& c : cases)
        EXPECT_EQ(CardText(c.card), c.text) << c.card.suit << " " << c.card.rank;
}

TEST_F(AccountTest, EveryEventHasItsSentence) {
    const PlayCard eightClubs{Clubs, 8}, sixHearts{Hearts, 6}, kingClubs{Clubs, King};
    const PlayCard nineHearts{Hearts, 9};
    PlayEvent drawn = Event(PlayDraw, SideHuman, kNone, kNone, 2);
    drawn.listed = 2;
    drawn.cards[0] = {Spades, 7};
    drawn.cards[1] = {Diamonds, Ace};
    PlayEvent won = Event(PlayGameOver, SideComputer);
    won.humanWins = 3;
    won.computerWins = 5;
    PlayEvent shown = Event(PlayNewGame, SideHuman, {Hearts, Queen}, kNone, ThrownUp);
    shown.trumpShown = true;
    PlayEvent hidden = Event(PlayNewGame, SideComputer, kNone, kNone, Japanese);
    hidden.trumpSuit = Diamonds;
    const struct {
        const char* what;
        PlayEvent event;
        const wchar_t* sentence;
    } cases[] = {
        {"the human leads", Event(PlayLead, SideHuman, eightClubs), L"You lead the 8\x2663."},
        {"the computer leads", Event(PlayLead, SideComputer, eightClubs), L"I lead the 8\x2663."},
        {"a throw-in", Event(PlayThrowIn, SideComputer, eightClubs), L"I throw in the 8\x2663."},
        {"a cover in suit", Event(PlayCover, SideComputer, kingClubs, eightClubs),
         L"I beat your 8\x2663 with the K\x2663."},
        {"a trump on a plain card", Event(PlayCover, SideHuman, sixHearts, eightClubs),
         L"You beat my 8\x2663 with a trump, the 6\x2665."},
        {"a trump on a trump", Event(PlayCover, SideHuman, nineHearts, sixHearts),
         L"You beat my 6\x2665 with the 9\x2665."},
        {"a transfer", Event(PlayTransfer, SideHuman, eightClubs),
         L"You pass the attack on to me with the 8\x2663."},
        {"the computer's transfer", Event(PlayTransfer, SideComputer, eightClubs),
         L"I pass the attack on to you with the 8\x2663."},
        {"an extra card", Event(PlayExtra, SideHuman, eightClubs),
         L"You give me the 8\x2663 as an extra card."},
        {"the computer's extra card", Event(PlayExtra, SideComputer, eightClubs),
         L"I give you the 8\x2663 as an extra card."},
        {"a take of one", Event(PlayTake, SideHuman, kNone, kNone, 1), L"You take the card."},
        {"a take of five", Event(PlayTake, SideComputer, kNone, kNone, 5), L"I take 5 cards."},
        {"a bout beaten", Event(PlayBeaten, SideHuman, kNone, kNone, 4),
         L"Beaten: 4 cards go to the discard."},
        {"the human's draw", drawn, L"You draw 7\x2660, A\x2666."},
        {"the computer draws one", Event(PlayDraw, SideComputer, kNone, kNone, 1),
         L"I draw a card."},
        {"the computer draws three", Event(PlayDraw, SideComputer, kNone, kNone, 3),
         L"I draw 3 cards."},
        {"the computer wins", won, L"I win this game. Score: you 3, me 5."},
        {"a trump card turned up", shown,
         L"New game: Thrown up. The Q\x2665 is turned up; Hearts \x2665 are trumps. You lead."},
        {"no trump card", hidden, L"New game: Japanese. Diamonds \x2666 are trumps. I lead."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaySentence(c.event), c.sentence) << c.what;
}

// A new game starts the account afresh; the log's taker sees every line once.
TEST_F(AccountTest, ANewGameStartsTheAccountAfresh) {
    KeepAccount(true);
    EmitPlay(Event(PlayLead, SideHuman, {Clubs, 8}));
    EmitPlay(Event(PlayNewGame, SideHuman, {Hearts, Queen}, kNone, ThrownUp));
    EmitPlay(Event(PlayLead, SideHuman, {Clubs, 9}));
    EXPECT_EQ(AccountLines().size(), 2u);
    EXPECT_EQ(AccountLines().back(), L"You lead the 9\x2663.");
    EXPECT_EQ(TakeNewAccountLines().size(), 3u);
    EXPECT_TRUE(TakeNewAccountLines().empty());
    KeepAccount(false);
    EmitPlay(Event(PlayLead, SideHuman, {Clubs, 8}));
    EXPECT_TRUE(AccountLines().empty());
}

}  // namespace
