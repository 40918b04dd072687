// The engine's rules on tables set up directly, the seat's knowledge and
// the samples dealt from it, and whole games played out in the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <vector>

#include "ai/expert/from_game.h"
#include "ai/expert/knowledge.h"
#include "ai/expert/position.h"
#include "game/random.h"
#include "game/rules.h"
#include "game/types.h"
#include "tests/table.h"

namespace {

using namespace expert;

CardSet Parse(const char* text) {
    CardSet cards = 0;
    for (const char* p = text; p[0] != '\0' && p[1] != '\0'; p += p[2] == ' ' ? 3 : 2) {
        const Card c = ParseCard(p);
        cards |= Bit(CardOf(c.suit, c.rank));
    }
    return cards;
}

// A table as the rows write it; the cards named nowhere fill the stock
// (the trump card at its bottom) up to its count, the rest are discarded.
struct Table {
    int32_t type = ThrownUp;
    const char* trump = "TC";  // ignored in the Japanese types
    int8_t phase = kDefend;
    int8_t attacker = kHuman;
    const char* human = "";
    const char* computer = "";
    const char* attack = "";
    const char* cover = "";
    const char* open = nullptr;  // null: the attack cards no cover answers, all or the last
    int32_t stock = 10;
    int8_t leader = kHuman;
    int8_t transferOpen = 1;
    int8_t extrasLeft = 0;
    int8_t humanAtOpening = 6;
    int8_t computerAtOpening = 6;
};

Position Make(const Table& t) {
    Position p{};
    p.type = static_cast<int8_t>(t.type);
    p.rules = RulesOfType(t.type);
    const bool japanese = HasRule(p, kJapaneseRule);
    const CardSet trump = japanese ? 0 : Parse(t.trump);
    p.trumpSuit = static_cast<int8_t>(japanese ? 1 : SuitOf(Lowest(trump)));
    p.hand[kHuman] = Parse(t.human);
    p.hand[kComputer] = Parse(t.computer);
    p.attack = Parse(t.attack);
    p.cover = Parse(t.cover);
    p.open = t.open ? Parse(t.open) : (p.cover == 0 ? p.attack : 0);
    CardSet free = kAllCards & ~(p.hand[0] | p.hand[1] | p.attack | p.cover | trump);
    p.trumpCard = static_cast<int8_t>(kNoCard);
    if (t.stock > 0 && trump != 0) {
        p.trumpCard = static_cast<int8_t>(Lowest(trump));
        p.stock[p.stockCount++] = p.trumpCard;
    }
    while (p.stockCount < t.stock && free != 0) {
        p.stock[p.stockCount++] = static_cast<int8_t>(Lowest(free));
        free &= free - 1;
    }
    p.discard = free | (p.trumpCard == kNoCard ? trump : 0);
    p.phase = t.phase;
    p.attacker = t.attacker;
    p.leader = t.leader;
    p.transferOpen = t.transferOpen;
    p.extrasLeft = t.extrasLeft;
    p.handAtOpening[kHuman] = t.humanAtOpening;
    p.handAtOpening[kComputer] = t.computerAtOpening;
    p.winner = -1;
    return p;
}

// The moves in words, in no particular order: "take; cover 9S on 8S".
std::set<std::string> MovesText(const Position& p) {
    Move moves[kMaxMoves];
    const int32_t n = LegalMoves(p, moves);
    std::set<std::string> out;
    for (int32_t i = 0; i < n; ++i)
        out.insert(Describe(moves[i]));
    return out;
}

std::set<std::string> Words(const std::string& text) {
    std::set<std::string> out;
    for (size_t from = 0; from <= text.size();) {
        size_t to = text.find("; ", from);
        if (to == std::string::npos) to = text.size();
        out.insert(text.substr(from, to - from));
        from = to + 2;
    }
    return out;
}

// The engine's cover rule is the game's CanCover, for every pair of cards
// under every trump suit, ordinary and Japanese.
using ExpertRulesTest = TableTest;

TEST_F(ExpertRulesTest, BeatenByIsTheGamesCoverRule) {
    for (int32_t type : {ThrownUp, Japanese}) {
        for (int32_t suit = 1; suit <= 4; ++suit) {
            if (type == Japanese && suit != 1) continue;
            gameType = type;
            Position p{};
            p.rules = RulesOfType(type);
            p.trumpSuit = static_cast<int8_t>(suit);
            for (int32_t a = 0; a < kCards; ++a) {
                Card attack = ParseCard(CardName(a).c_str());
                attack.isTrump = attack.suit == suit ? 1 : 0;
                for (int32_t c = 0; c < kCards; ++c) {
                    Card cover = ParseCard(CardName(c).c_str());
                    cover.isTrump = cover.suit == suit ? 1 : 0;
                    EXPECT_EQ((BeatenBy(p, a) & Bit(c)) != 0, CanCover(cover, attack) > 0)
                        << "type " << type << ", trump suit " << suit << ": " << CardName(c)
                        << " on " << CardName(a);
                }
            }
        }
    }
}

struct MovesCase {
    const char* what;
    Table table;
    const char* moves;
};

// Clubs are trumps unless the row is Japanese (diamonds).
// clang-format off
const MovesCase kMoves[] = {
    {"in the Japanese types only a higher spade covers a spade, trumps included",
     {.type = Japanese, .attacker = kComputer, .human = "6S 9S AD KH", .attack = "8S"},
     "take; cover 9S on 8S"},
    {"a trump covers any plain card, a plain card of another suit none",
     {.human = "6D", .computer = "6C 7S AH", .attack = "KH"},
     "take; cover AH on KH; cover 6C on KH"},
    {"the human passes several open cards on with one or two of their rank",
     {.type = ThrownUpTransfer, .attacker = kComputer, .human = "6D 9C 9S",
      .computer = "7D 8D JH QH", .attack = "9D 9H"},
     "take; transfer 9C; transfer 9S; transfer 9C 9S"},
    {"with room for one more card before the computer, one card only",
     {.type = ThrownUpTransfer, .attacker = kComputer, .human = "6D 9C 9S",
      .computer = "7D 8D JH", .attack = "9D 9H"},
     "take; transfer 9C; transfer 9S"},
    {"no room before the computer: no transfer",
     {.type = ThrownUpTransfer, .attacker = kComputer, .human = "6D 9S",
      .computer = "7D 8D", .attack = "9D 9H"},
     "take"},
    {"the computer passes the attack on one card at a time",
     {.type = ThrownUpTransfer, .human = "6D 7D 8D JH", .computer = "9C 9S",
      .attack = "9D 9H"},
     "take; transfer 9C; transfer 9S"},
    {"a transfer closed by a cover stays closed",
     {.type = ThrownUpTransfer, .human = "6D 7D 8D JH", .computer = "9S TH",
      .attack = "9H", .transferOpen = 0},
     "take; cover TH on 9H"},
    {"covering several: the lowest first, never with a card the rest needs",
     {.trump = "AC", .attacker = kComputer, .human = "8H TC 6S", .attack = "7H 9H"},
     "take; cover 8H on 7H"},
    {"once a cover of several has begun, only covers",
     {.trump = "AC", .phase = kCovering, .attacker = kComputer, .human = "TC 6S", .attack = "7H 9H",
      .cover = "8H", .open = "9H"},
     "cover TC on 9H"},
    {"the human adds no seventh card",
     {.phase = kAttack, .human = "6S 7S", .computer = "AC",
      .attack = "6D 6H 7D 7H 8D 8H", .cover = "9D 9H TD TH JD JH"},
     "end bout"},
    {"the human adds nothing to a computer without cards",
     {.phase = kAttack, .human = "7S", .attack = "7H", .cover = "8H"},
     "end bout"},
    {"the human adds a card of any rank on the table",
     {.phase = kAttack, .human = "7S 8S 9S", .computer = "AC", .attack = "7H", .cover = "8H"},
     "throw in 7S; throw in 8S; end bout"},
    {"the computer adds nothing to a human without cards",
     {.phase = kAttack, .attacker = kComputer, .computer = "7S", .attack = "7H",
      .cover = "8H"},
     "end bout"},
    {"extra cards: any card of the table's ranks, or none",
     {.phase = kGive, .human = "7D 9S KD", .computer = "AC", .attack = "7H 8S",
      .cover = "9H", .extrasLeft = 2},
     "extra 7D; extra 9S; stop"},
    {"the computer gives nothing to a taker without cards",
     {.phase = kGive, .attacker = kComputer, .computer = "7D", .attack = "7H",
      .extrasLeft = 2},
     "stop"},
};
// clang-format on

TEST(ExpertMovesTest, EachSituationOffersWhatTheGameAllows) {
    for (const MovesCase& c : kMoves) {
        const Position p = Make(c.table);
        ASSERT_EQ(IsSound(p), 1) << c.what << "\n" << Describe(p);
        EXPECT_EQ(MovesText(p), Words(c.moves)) << c.what;
    }
}

// A move and what must follow it. check looks at the position after.
struct ApplyCase {
    const char* what;
    Table table;
    Move move;
    bool (*check)(const Position& after);
};

Move Play(int8_t kind, const char* cards = "", const char* target = nullptr) {
    return {Parse(cards), kind, static_cast<int8_t>(target ? Lowest(Parse(target)) : kNoCard)};
}

// clang-format off
const ApplyCase kApply[] = {
    {"a beaten bout: the opener draws first, the trump card last, to the first short hand",
     {.phase = kAttack, .human = "6S 7S 8S 9S", .computer = "6D 7D 8D", .attack = "6H",
      .cover = "7H", .stock = 2, .leader = kComputer},
     Play(kMoveEndBout),
     [](const Position& p) {
         return Count(p.hand[kComputer]) == 5 && (p.hand[kComputer] & Parse("TC")) != 0 &&
                Count(p.hand[kHuman]) == 4 && p.trumpCard == kNoCard && p.stockCount == 0 &&
                p.attacker == kComputer && p.phase == kLead && p.transferOpen == 1;
     }},
    {"the human takes: the computer may add up to the human's hand at opening, less the attack",
     {.attacker = kComputer, .human = "6S 7S", .computer = "AD AS", .attack = "6H 7H",
      .cover = "8H", .open = "7H", .humanAtOpening = 4},
     Play(kMoveTake),
     [](const Position& p) {
         return p.phase == kGive && ToMove(p) == kComputer && p.extrasLeft == 2 &&
                p.transferOpen == 1;
     }},
    {"the human takes with nothing to add: both draw, the computer leads",
     {.attacker = kComputer, .human = "6S", .computer = "AD AS", .attack = "6H 7H",
      .cover = "8H", .open = "7H", .leader = kComputer, .humanAtOpening = 2},
     Play(kMoveTake),
     [](const Position& p) {
         return p.phase == kLead && p.attacker == kComputer && Count(p.hand[kHuman]) == 6 &&
                Count(p.hand[kComputer]) == 6 && p.shown[kHuman] == Parse("6H 7H 8H");
     }},
    {"the computer takes with nothing to add: only the human draws",
     {.human = "6S", .computer = "AD", .attack = "6H 7H", .cover = "8H", .open = "7H",
      .computerAtOpening = 2},
     Play(kMoveTake),
     [](const Position& p) {
         return p.phase == kLead && p.attacker == kHuman && Count(p.hand[kHuman]) == 6 &&
                p.hand[kComputer] == Parse("AD 6H 7H 8H") && p.transferOpen == 0;
     }},
    {"the last allowed extra card ends the giving: the computer picks up",
     {.phase = kGive, .human = "7D 8S", .computer = "AC", .attack = "7H", .extrasLeft = 1},
     Play(kMoveExtra, "7D"),
     [](const Position& p) {
         return p.phase == kLead && p.hand[kComputer] == Parse("AC 7H 7D") &&
                p.transferOpen == 1;
     }},
    {"the human stops giving: the lower button reopens the transfer",
     {.phase = kGive, .human = "7D 8S", .computer = "AC", .attack = "7H", .transferOpen = 0,
      .extrasLeft = 2},
     Play(kMoveStop),
     [](const Position& p) { return p.phase == kLead && p.transferOpen == 1; }},
    {"the human's sixth cover ends the bout",
     {.attacker = kComputer, .human = "QS 6H", .computer = "AS",
      .attack = "6D 6S 7D 7S 8D 8S", .cover = "9D 9S TD TS JD", .open = "8S"},
     Play(kMoveCover, "QS", "8S"),
     [](const Position& p) {
         return p.phase == kLead && p.attacker == kHuman && Count(p.discard) >= 12;
     }},
    {"the computer's sixth cover leaves the human to end the bout",
     {.human = "AH 6H", .computer = "AS", .attack = "6D 6S 7D 7S 8D 8S",
      .cover = "9D 9S TD TS JD", .open = "8S"},
     Play(kMoveCover, "AS", "8S"),
     [](const Position& p) { return p.phase == kAttack && MovesText(p) == Words("end bout"); }},
    {"a transfer turns the table: the new defender faces every card",
     {.type = ThrownUpTransfer, .human = "6D 7D 8D JH", .computer = "9C KS",
      .attack = "9D 9H"},
     Play(kMoveTransfer, "9C"),
     [](const Position& p) {
         return p.attacker == kComputer && p.open == Parse("9D 9H 9C") &&
                ToMove(p) == kHuman && p.transferOpen == 1 && p.leader == kHuman;
     }},
    {"the last card laid with nothing to draw wins",
     {.phase = kLead, .human = "6S", .computer = "7D 8D", .stock = 0},
     Play(kMoveLead, "6S"),
     [](const Position& p) { return p.phase == kOver && p.winner == kHuman; }},
    {"a hand out while the trump card still lies under the stock has not won",
     {.phase = kLead, .human = "6S", .computer = "7D 8D", .stock = 1},
     Play(kMoveLead, "6S"),
     [](const Position& p) { return p.phase == kDefend && p.winner == -1; }},
};
// clang-format on

TEST(ExpertApplyTest, EachMoveLeavesWhatTheGameLeaves) {
    for (const ApplyCase& c : kApply) {
        Position p = Make(c.table);
        ASSERT_EQ(IsSound(p), 1) << c.what << "\n" << Describe(p);
        Move moves[kMaxMoves];
        const int32_t n = LegalMoves(p, moves);
        EXPECT_NE(std::find(moves, moves + n, c.move), moves + n)
            << c.what << ": " << Describe(c.move) << " is not legal";
        Apply(p, c.move);
        EXPECT_EQ(IsSound(p), 1) << c.what;
        EXPECT_TRUE(c.check(p)) << c.what << "\n" << Describe(p);
    }
}

TEST(ExpertDealTest, EachTypeDealsItsHands) {
    Rng rng = SeedRng(5);
    for (int32_t type = 0; type < GameTypeCount; ++type) {
        Position p;
        Deal(p, type, rng, -1);
        ASSERT_EQ(IsSound(p), 1) << type;
        const bool bulk = TypeTraits(type).bulk, hidden = TypeTraits(type).hiddenTrump;
        EXPECT_EQ(Count(p.hand[kHuman]), bulk ? 18 : 6) << type;
        EXPECT_EQ(Count(p.hand[kComputer]), bulk ? 18 : 6) << type;
        EXPECT_EQ(p.stockCount, bulk ? 0 : 24) << type;
        if (hidden) {
            EXPECT_EQ(p.trumpSuit, 1) << type;
        } else if (bulk) {
            // The computer is dealt the trump card last.
            EXPECT_TRUE(p.trumpCard == kNoCard && Count(p.hand[kComputer] & p.discard) == 0);
        } else {
            EXPECT_EQ(p.stock[0], p.trumpCard) << type;
        }
        // A run's first game: the lower trump leads.
        const CardSet trumps = SuitCards(p.trumpSuit);
        const CardSet h = p.hand[kHuman] & trumps, c = p.hand[kComputer] & trumps;
        const int32_t opener = c == 0 || (h != 0 && Lowest(c) > Lowest(h)) ? kHuman : kComputer;
        EXPECT_EQ(p.attacker, opener) << type;
    }
}

// Whole games in the engine: every position sound, a move always there,
// and a winner at the end, under both choosers.
TEST(ExpertPlayoutTest, GamesEndSoundlyUnderEitherChooser) {
    const Policy policies[] = {RandomPolicy, ThriftyPolicy};
    Rng rng = SeedRng(11);
    for (Policy policy : policies) {
        for (int32_t game = 0; game < 300; ++game) {
            Position p;
            Deal(p, game % GameTypeCount, rng, game % 3 - 1);
            Move moves[kMaxMoves];
            int32_t made = 0;
            for (; p.phase != kOver && made < 2000; ++made) {
                ASSERT_EQ(IsSound(p), 1) << Describe(p);
                const int32_t n = LegalMoves(p, moves);
                ASSERT_GT(n, 0) << Describe(p);
                Apply(p, moves[policy(p, moves, n, rng, nullptr)]);
            }
            EXPECT_EQ(p.phase, kOver) << "game " << game << " still going after 2000 moves";
            EXPECT_TRUE(p.winner == kHuman || p.winner == kComputer);
            EXPECT_TRUE(p.hand[p.winner] == 0 && p.stockCount == 0) << Describe(p);
        }
    }
}

// Positions from played-out games, at every depth, with what each seat saw.
std::vector<Position> Midgames(int32_t count, uint64_t seed) {
    std::vector<Position> out;
    Rng rng = SeedRng(seed);
    Move moves[kMaxMoves];
    while (static_cast<int32_t>(out.size()) < count) {
        Position p;
        Deal(p, static_cast<int32_t>(out.size()) % GameTypeCount, rng, -1);
        const int32_t stop = Below(rng, 120);
        for (int32_t made = 0; made < stop && p.phase != kOver; ++made)
            Apply(p, moves[Below(rng, LegalMoves(p, moves))]);
        if (p.phase != kOver) out.push_back(p);
    }
    return out;
}

TEST(ExpertKnowledgeTest, SamplesKeepEverythingTheSeatKnows) {
    Rng rng = SeedRng(3);
    for (const Position& p : Midgames(300, 17)) {
        for (int32_t seat : {kHuman, kComputer}) {
            const Knowledge k = KnowledgeOf(p, seat);
            const int32_t other = Other(seat);
            Position s;
            ASSERT_EQ(Sample(k, rng, s), 1) << Describe(p);
            ASSERT_EQ(IsSound(s), 1) << Describe(s);
            EXPECT_EQ(s.hand[seat], p.hand[seat]);
            EXPECT_EQ(Count(s.hand[other]), Count(p.hand[other]));
            EXPECT_EQ(s.hand[other] & p.shown[other], p.shown[other]);
            EXPECT_EQ(s.stockCount, p.stockCount);
            EXPECT_EQ(s.trumpCard, p.trumpCard);
            // Only the hidden cards move: the rest of the record is the same.
            Position hidden = s;
            hidden.hand[other] = p.hand[other];
            std::copy(p.stock, p.stock + p.stockCount, hidden.stock);
            EXPECT_TRUE(hidden == p) << Describe(s) << "\nfrom\n" << Describe(p);
        }
    }
}

// Two positions that differ only in what the seat cannot see are one
// knowledge, and the same seed deals the same sample from both.
TEST(ExpertKnowledgeTest, HiddenCardsChangeNothingTheSeatKnows) {
    Rng deal = SeedRng(23);
    for (const Position& p : Midgames(200, 29)) {
        for (int32_t seat : {kHuman, kComputer}) {
            Position q;
            ASSERT_EQ(Sample(KnowledgeOf(p, seat), deal, q), 1);
            const Knowledge a = KnowledgeOf(p, seat), b = KnowledgeOf(q, seat);
            EXPECT_TRUE(a.seen == b.seen && a.otherCount == b.otherCount);
            Rng r1 = SeedRng(99), r2 = SeedRng(99);
            Position s1, s2;
            Sample(a, r1, s1);
            Sample(b, r2, s2);
            EXPECT_TRUE(s1 == s2);
        }
    }
}

TEST(ExpertKnowledgeTest, SamplesDealTheUnseenCardsEvenly) {
    // The human's view: 12 unseen cards, 4 of them in the computer's hand
    // (one of its 5 cards it was seen to pick up), 8 in the stock above the
    // trump card.
    const Position p = Make(
        {.phase = kLead, .human = "6D 7D 8D 9D TD JD", .computer = "6H 7H 8H 9H TH", .stock = 9});
    Position shown = p;
    shown.shown[kComputer] = Parse("6H");
    const Knowledge k = KnowledgeOf(shown, kHuman);
    const CardSet unseen = Unseen(k);
    ASSERT_EQ(Count(unseen), 12);
    std::array<int32_t, kCards> inHand{}, onTop{};
    Rng rng = SeedRng(41);
    const int32_t draws = 24000;
    for (int32_t i = 0; i < draws; ++i) {
        Position s;
        ASSERT_EQ(Sample(k, rng, s), 1);
        for (CardSet c = s.hand[kComputer] & unseen; c != 0; c &= c - 1)
            ++inHand[static_cast<size_t>(Lowest(c))];
        ++onTop[static_cast<size_t>(s.stock[s.stockCount - 1])];
    }
    for (CardSet c = unseen; c != 0; c &= c - 1) {
        const size_t card = static_cast<size_t>(Lowest(c));
        // 4 of 12 in the hand, 1 of 12 on top: within five deviations.
        const double hand = draws / 3.0, top = draws / 12.0;
        EXPECT_NEAR(inHand[card], hand, 5 * std::sqrt(hand * 2 / 3)) << CardName(Lowest(c));
        EXPECT_NEAR(onTop[card], top, 5 * std::sqrt(top * 11 / 12)) << CardName(Lowest(c));
    }
}

TEST(ExpertKnowledgeTest, CountsThatCannotHoldDealNothing) {
    const Position p = Make({.phase = kLead, .human = "6D", .computer = "6H 7H", .stock = 3});
    Knowledge k = KnowledgeOf(p, kHuman);
    Rng rng = SeedRng(1);
    Position s;
    EXPECT_EQ(Sample(k, rng, s), 1);
    k.otherCount = static_cast<int8_t>(k.otherCount + 1);
    EXPECT_EQ(Sample(k, rng, s), 0);
}

// The live game read as a position: the stock in the order the game's
// generator will deal it, the generator left as it was, and the seat's
// knowledge blind to the hidden cards.
using ExpertFromGameTest = TableTest;

void FreshStock() {
    deck.remaining = 0;
    for (int32_t i = 0; i < deck.total; ++i) {
        DeckEntry& e = deck.entries[i];
        const CardSet all = Parse(Cards(humanHand).c_str()) | Parse(Cards(computerHand).c_str()) |
                            Parse(Cards(humanTable).c_str()) | Parse(Cards(computerTable).c_str());
        const int32_t id = CardOf(e.suit, e.rank);
        e.present =
            (all & Bit(id)) == 0 && !(e.suit == trumpCard.suit && e.rank == trumpCard.rank) ? 1 : 0;
        deck.remaining += e.present;
    }
}

TEST_F(ExpertFromGameTest, StockIsReadInTheOrderTheGameDealsIt) {
    SetGame(ThrownUpTransfer, "TC");
    LayTable("6D 7D 8D", "6H", "7H", "6S 7S 8S");
    computerAttacks = 0;
    FreshStock();
    randSeed = 424242;
    Position p;
    ASSERT_EQ(PositionFromGame(p), 1);
    EXPECT_EQ(p.phase, kAttack);
    EXPECT_EQ(p.stockCount, deck.remaining + 1);
    EXPECT_EQ(p.stock[0], CardOf(Clubs, 10));
    const int32_t seed = randSeed, seed2 = randSeed2, last = randLast;
    const std::vector<int32_t> table(std::begin(randTable), std::end(randTable));
    Position again;
    PositionFromGame(again);
    EXPECT_TRUE(again == p);
    EXPECT_EQ(randSeed, seed);
    EXPECT_EQ(randSeed2, seed2);
    EXPECT_EQ(randLast, last);
    EXPECT_EQ(std::vector<int32_t>(std::begin(randTable), std::end(randTable)), table);
    for (int32_t i = p.stockCount - 1; i >= 1; --i) {
        int32_t rank, suit;
        ASSERT_GE(DrawCard(deck, &rank, &suit), 0);
        EXPECT_EQ(CardOf(suit, rank), p.stock[i]) << "draw " << p.stockCount - i;
    }
}

TEST_F(ExpertFromGameTest, KnowledgeIsBlindToTheHiddenCards) {
    SetGame(ThrownUp, "TC");
    LayTable("6D 7D 8D", "", "", "6S 7S 8S");
    FreshStock();
    Knowledge human, computer;
    ASSERT_EQ(KnowledgeFromGame(kHuman, 0, human), 1);
    ASSERT_EQ(KnowledgeFromGame(kComputer, 0, computer), 1);
    // A card of the computer's hand changes places with one of the stock.
    Deal(computerHand, "6S 7S AH");
    FreshStock();
    Knowledge humanAfter, computerAfter;
    ASSERT_EQ(KnowledgeFromGame(kHuman, 0, humanAfter), 1);
    ASSERT_EQ(KnowledgeFromGame(kComputer, 0, computerAfter), 1);
    EXPECT_TRUE(human.seen == humanAfter.seen);
    EXPECT_EQ(human.otherCount, humanAfter.otherCount);
    EXPECT_FALSE(computer.seen == computerAfter.seen);
}

}  // namespace
