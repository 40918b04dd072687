// Hints never tell a hidden card: the same table with the computer's unseen
// cards and the stock dealt again among themselves gives the same hint, and
// the search is handed the same knowledge.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ai/expert/answer.h"
#include "ai/expert/from_game.h"
#include "tests/table.h"

namespace {

using HintTest = TableTest;

struct HintCase {
    const char* what;
    int32_t type;
    const char* human;
    const char* humanPlayed;
    const char* computerPlayed;
    const char* computer;
    int32_t stock;
    int32_t computerAttacks;
    int32_t extraCards = -1;
    const char* seen = "";  // the computer's cards the human saw it pick up
};

// Clubs are trumps (the ten of clubs lies under the stock) but in the
// Japanese types.
const HintCase kCases[] = {
    {"defending one card", 0, "6H 8H 9S JD QC", "", "7H", "6D 7D AS KH QS", 12, 1},
    {"defending it with a transfer open", 1, "7C 7S 9H JD QC", "", "7D", "6D 8D AS KH QS", 12, 1},
    {"leading", 0, "6H 8H 9S JD QC KD", "", "", "6D 7D AS KH QS 9D", 12, 0},
    {"adding to a covered attack", 2, "6H 6S 9S JD QC KD", "6D", "7D", "7S AS KH QS 9D", 6, 0},
    {"defending several", 3, "8D 9D AH KC", "", "7D 7S", "6D 6S 8S KH QS", 0, 1},
    {"giving to the computer taking", 0, "6H 8H 8S JD", "8D", "", "6D 7D AS KH QS JS", 8, 0, 2},
    {"with cards the computer was seen to pick up", 0, "6H 8H 9S JD QC", "", "7H",
     "6D 7D AS KH QS KS", 10, 1, -1, "AS KH"},
    {"in the Japanese type", 4, "6H 8H 9S JD QS", "", "7S", "6D 7D AS KH QC", 12, 1},
};

bool Placed(const Card& c) {
    for (const CardPile* p : {&humanHand, &humanTable, &computerHand, &computerTable})
        for (int32_t i = 1; i <= p->count; ++i)
            if (CardAt(*p, i).suit == c.suit && CardAt(*p, i).rank == c.rank) return true;
    return trumpCard.hidden == 0 && trumpCard.suit == c.suit && trumpCard.rank == c.rank;
}

int32_t Id(const Card& c) {
    return expert::CardOf(c.suit, c.rank);
}

// The stock: the first n cards lying nowhere else.
void FillStock(int32_t n) {
    deck.remaining = 0;
    for (int32_t i = 0; i < deck.total; ++i) {
        DeckEntry& e = deck.entries[i];
        Card c{};
        c.suit = e.suit;
        c.rank = e.rank;
        e.present = deck.remaining < n && !Placed(c) ? 1 : 0;
        deck.remaining += e.present;
    }
}

// The computer's cards the human has not seen and the stock's, dealt again
// among themselves.
void DealHiddenAgain(expert::CardSet seen, std::mt19937& rng) {
    std::vector<int32_t> hidden;
    std::vector<Card*> hand;
    for (int32_t i = 1; i <= computerHand.count; ++i)
        if (!(seen & expert::Bit(Id(CardAt(computerHand, i))))) {
            hidden.push_back(Id(CardAt(computerHand, i)));
            hand.push_back(&CardAt(computerHand, i));
        }
    std::vector<DeckEntry*> stock;
    for (int32_t i = 0; i < deck.total; ++i)
        if (deck.entries[i].present == 1) {
            stock.push_back(&deck.entries[i]);
            hidden.push_back(expert::CardOf(deck.entries[i].suit, deck.entries[i].rank));
        }
    std::shuffle(hidden.begin(), hidden.end(), rng);
    for (size_t i = 0; i < hand.size(); ++i) {
        hand[i]->suit = expert::SuitOf(hidden[i]);
        hand[i]->rank = expert::RankOf(hidden[i]);
        hand[i]->isTrump = hand[i]->suit == trumpCard.suit ? 1 : 0;
    }
    for (int32_t i = 0; i < deck.total; ++i)
        deck.entries[i].present = 0;
    for (size_t i = hand.size(); i < hidden.size(); ++i)
        for (int32_t e = 0; e < deck.total; ++e)
            if (expert::CardOf(deck.entries[e].suit, deck.entries[e].rank) == hidden[i])
                deck.entries[e].present = 1;
}

expert::CardSet Set(const char* cards) {
    expert::CardSet set = 0;
    for (const char* p = cards; p[0] != '\0' && p[1] != '\0'; p += p[2] == ' ' ? 3 : 2)
        set |= expert::Bit(Id(ParseCard(p)));
    return set;
}

bool Same(const expert::Move* a, int32_t na, const expert::Move* b, int32_t nb) {
    if (na != nb) return false;
    for (int32_t i = 0; i < na; ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}

TEST_F(HintTest, HiddenCardsNeverChangeTheHint) {
    std::mt19937 rng(2026);
    for (const HintCase& c : kCases) {
        SetGame(c.type, "TC");
        LayTable(c.human, c.humanPlayed, c.computerPlayed, c.computer);
        FillStock(c.stock);
        computerAttacks = c.computerAttacks;
        transferOpen = c.humanPlayed[0] == '\0' && c.computerPlayed[0] != '\0' ? 1 : 0;
        boutLedByComputer = c.computerAttacks;
        humanHandAtBoutStart = computerHandAtBoutStart = 6;
        extraCardsAllowed = c.extraCards;
        const expert::CardSet seen = Set(c.seen);
        const int64_t watched[3] = {0, static_cast<int64_t>(seen), 0};
        expert::RestoreSeen(watched);

        expert::Knowledge first;
        ASSERT_EQ(expert::KnowledgeFromGame(expert::kHuman, seen, first), 1) << c.what;
        expert::Move hint[18];
        const int32_t n = expert::ExpertHumanPlay(hint, 18);
        ASSERT_GT(n, 0) << c.what;
        int32_t differed = 0;
        for (int32_t round = 0; round < 6; ++round) {
            const expert::CardSet before = Set(Cards(computerHand).c_str());
            DealHiddenAgain(seen, rng);
            differed += Set(Cards(computerHand).c_str()) != before ? 1 : 0;
            expert::Knowledge again;
            ASSERT_EQ(expert::KnowledgeFromGame(expert::kHuman, seen, again), 1) << c.what;
            EXPECT_EQ(expert::SeedOf(again), expert::SeedOf(first)) << c.what;
            expert::Move other[18];
            const int32_t m = expert::ExpertHumanPlay(other, 18);
            EXPECT_TRUE(Same(hint, n, other, m)) << c.what << ": " << expert::Describe(hint[0])
                                                 << " then " << expert::Describe(other[0]);
        }
        // The hidden cards must really move, or the case shows nothing.
        if (c.stock > 0) {
            EXPECT_GT(differed, 0) << c.what;
        }
    }
}

}  // namespace
