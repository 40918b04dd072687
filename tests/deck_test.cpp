#include "game/deck.h"
#include "game/random.h"
#include "tests/fixture.h"
#include "tests/rng_vectors.inc"

namespace {

class DeckTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ResetRandom();
        InitDeck(d, 36);
    }
    void TearDown() override { ResetRandom(); }
    Deck d;
};

struct SlotCase {
    int32_t size;
    int32_t slot;
    int32_t rank;
    int32_t suit;
};

const SlotCase kSlots[] = {
    {36, 0, 14, 1},  {36, 1, 6, 1},   {36, 8, 13, 1},  {36, 9, 14, 2},
    {36, 17, 13, 2}, {36, 27, 14, 4}, {36, 35, 13, 4}, {52, 0, 1, 1},
    {52, 12, 13, 1}, {52, 13, 1, 2},  {52, 51, 13, 4},
};

TEST_F(DeckTest, TemplatesFixTheSlotOrder) {
    for (const SlotCase& c : kSlots) {
        Deck t;
        InitDeck(t, c.size);
        EXPECT_EQ(t.total, c.size);
        EXPECT_EQ(Remaining(t), c.size);
        EXPECT_EQ(t.entries[c.slot].rank, c.rank) << c.size << " cards, slot " << c.slot;
        EXPECT_EQ(t.entries[c.slot].suit, c.suit) << c.size << " cards, slot " << c.slot;
        EXPECT_EQ(t.entries[c.slot].present, 1);
    }
}

TEST_F(DeckTest, FixedSeedsDealKnownSequences) {
    for (const DealCase& c : kDealCases) {
        ResetRandom();
        ResetDeck(d);
        randSeed = c.seed;
        for (int i = 0; i < 37; ++i) {
            int32_t rank = -1, suit = -1;
            EXPECT_EQ(DrawCard(d, &rank, &suit), c.steps[i].result)
                << "seed " << c.seed << " #" << i;
            EXPECT_EQ(rank, c.steps[i].rank) << "seed " << c.seed << " #" << i;
            EXPECT_EQ(suit, c.steps[i].suit) << "seed " << c.seed << " #" << i;
        }
    }
}

TEST_F(DeckTest, LastCardIsAlwaysFound) {
    // Whichever slot holds the last card, and wherever the draws land, the
    // searches below and above it find it.
    for (int32_t seed : {1, 12000, 987654}) {
        for (int32_t slot = 0; slot < 36; ++slot) {
            ResetRandom();
            randSeed = seed;
            ResetDeck(d);
            for (int32_t i = 0; i < 36; ++i)
                d.entries[i].present = i == slot;
            d.remaining = 1;
            int32_t rank = -1, suit = -1;
            ASSERT_EQ(DrawCard(d, &rank, &suit), 0) << "slot " << slot;
            EXPECT_EQ(rank, d.entries[slot].rank);
            EXPECT_EQ(suit, d.entries[slot].suit);
            rank = suit = 99;
            EXPECT_EQ(DrawCard(d, &rank, &suit), -1);
            EXPECT_EQ(rank, 99) << "nothing written on an empty stock";
            EXPECT_EQ(suit, 99);
        }
    }
}

// Nothing left, by the count or (4) only by the entries: -1, nothing written.
TEST_F(DeckTest, AnEmptyStockYieldsMinusOne) {
    for (int32_t remaining : {0, 4}) {
        SCOPED_TRACE(remaining);
        ResetRandom();
        randSeed = 12000;
        for (int32_t i = 0; i < 36; ++i)
            d.entries[i].present = 0;
        d.remaining = remaining;
        int32_t rank = 7, suit = 7;
        EXPECT_EQ(DrawCard(d, &rank, &suit), -1);
        EXPECT_EQ(rank, 7);
        EXPECT_EQ(suit, 7);
        EXPECT_EQ(Remaining(d), remaining);
        // An empty stock still draws one number: the next is the sequence's second.
        if (remaining == 0) {
            EXPECT_EQ(RandomRange(0, 35), kRangeCases[1].values[1]);
        }
    }
}

}  // namespace
