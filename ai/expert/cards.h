// The 36 cards as bit numbers, for the search's own rules: suit by suit
// (diamonds, hearts, clubs, spades, the game's suit numbers 1 to 4), six to
// ace within a suit, so a higher bit of one suit is a higher card.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace expert {

using CardSet = uint64_t;

constexpr int32_t kCards = 36;
constexpr int32_t kRanksPerSuit = 9;
constexpr int32_t kLowRank = 6;
constexpr int32_t kNoCard = -1;
constexpr CardSet kAllCards = (CardSet{1} << kCards) - 1;

constexpr int32_t CardOf(int32_t suit, int32_t rank) {
    return suit < 1 || suit > 4 || rank < kLowRank || rank > 14
               ? kNoCard
               : (suit - 1) * kRanksPerSuit + rank - kLowRank;
}
constexpr int32_t SuitOf(int32_t card) {
    return card / kRanksPerSuit + 1;
}
constexpr int32_t RankOf(int32_t card) {
    return card % kRanksPerSuit + kLowRank;
}
constexpr CardSet Bit(int32_t card) {
    return CardSet{1} << card;
}
constexpr CardSet SuitCards(int32_t suit) {
    return CardSet{0x1FF} << ((suit - 1) * kRanksPerSuit);
}
constexpr CardSet RankCards(int32_t rank) {
    return (CardSet{1} | CardSet{1} << 9 | CardSet{1} << 18 | CardSet{1} << 27)
           << (rank - kLowRank);
}
// The cards of the card's suit above it.
constexpr CardSet HigherInSuit(int32_t card) {
    return SuitCards(SuitOf(card)) & ~((Bit(card) << 1) - 1);
}
inline int32_t Count(CardSet cards) {
    return std::popcount(cards);
}
inline int32_t Lowest(CardSet cards) {
    return std::countr_zero(cards);
}
// Bit r - 6 set for every rank r among the cards.
inline uint32_t RanksOf(CardSet cards) {
    CardSet folded = cards | cards >> 9 | cards >> 18 | cards >> 27;
    return static_cast<uint32_t>(folded & 0x1FF);
}
// Every card whose rank is among the ranks.
inline CardSet CardsOfRanks(uint32_t ranks) {
    CardSet one = ranks & 0x1FF;
    return one | one << 9 | one << 18 | one << 27;
}

// "7H", "TD", "AS": rank then suit, as the tests write cards.
std::string CardName(int32_t card);
// Names in ascending order, separated by spaces.
std::string CardNames(CardSet cards);

}  // namespace expert
