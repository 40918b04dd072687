// Positions and moves in words for reports, and the soundness check.
#include <algorithm>

#include "ai/expert/position.h"

namespace expert {

namespace {

const char kRankLetters[] = "6789TJQKA";
const char kSuitLetters[] = "DHCS";
const char* const kPhaseNames[] = {"lead", "defend", "covering", "attack", "give", "over"};
const char* const kMoveNames[] = {"lead", "throw in", "cover", "transfer",
                                  "take", "end bout", "extra", "stop"};
const char* const kSeatNames[] = {"human", "computer"};

const char* SeatName(int32_t seat) {
    return seat == kHuman || seat == kComputer ? kSeatNames[seat] : "nobody";
}

void Line(std::string& out, const char* what, const std::string& text) {
    out += "  ";
    out += what;
    out += ": ";
    out += text.empty() ? "-" : text;
    out += '\n';
}

}  // namespace

std::string CardName(int32_t card) {
    if (card < 0 || card >= kCards) return "--";
    return {kRankLetters[RankOf(card) - kLowRank], kSuitLetters[SuitOf(card) - 1]};
}

std::string CardNames(CardSet cards) {
    std::string out;
    for (; cards != 0; cards &= cards - 1) {
        if (!out.empty()) out += ' ';
        out += CardName(Lowest(cards));
    }
    return out;
}

std::string Describe(const Move& move) {
    std::string out = move.kind >= 0 && move.kind <= kMoveStop ? kMoveNames[move.kind] : "?";
    if (move.cards != 0) out += " " + CardNames(move.cards);
    if (move.target != kNoCard) out += " on " + CardName(move.target);
    return out;
}

std::string Describe(const Position& p) {
    std::string out =
        "type " + std::to_string(p.type) + ", trump suit " +
        std::string(1, p.trumpSuit >= 1 && p.trumpSuit <= 4 ? kSuitLetters[p.trumpSuit - 1] : '?') +
        ", trump card " + CardName(p.trumpCard) + "\n";
    out += "  phase " +
           std::string(p.phase >= kLead && p.phase <= kOver ? kPhaseNames[p.phase] : "?") +
           ", attacker " + SeatName(p.attacker) + ", to move " + SeatName(ToMove(p)) + ", leader " +
           SeatName(p.leader) + ", transfer open " + std::to_string(p.transferOpen) +
           ", extras left " + std::to_string(p.extrasLeft) + ", hands at opening " +
           std::to_string(p.handAtOpening[kHuman]) + "/" +
           std::to_string(p.handAtOpening[kComputer]) + ", winner " + SeatName(p.winner) + "\n";
    Line(out, "human hand", CardNames(p.hand[kHuman]));
    Line(out, "computer hand", CardNames(p.hand[kComputer]));
    Line(out, "attack", CardNames(p.attack));
    Line(out, "open", CardNames(p.open));
    Line(out, "cover", CardNames(p.cover));
    Line(out, "discard", CardNames(p.discard));
    Line(out, "shown by human", CardNames(p.shown[kHuman]));
    Line(out, "shown by computer", CardNames(p.shown[kComputer]));
    std::string stock;
    for (int32_t i = p.stockCount - 1; i >= 0; --i) {
        if (!stock.empty()) stock += ' ';
        stock += CardName(p.stock[i]);
    }
    Line(out, "stock, next first", stock);
    return out;
}

bool operator==(const Move& a, const Move& b) {
    return a.kind == b.kind && a.cards == b.cards && a.target == b.target;
}

bool operator==(const Position& a, const Position& b) {
    for (int32_t seat : {kHuman, kComputer})
        if (a.hand[seat] != b.hand[seat] || a.shown[seat] != b.shown[seat] ||
            a.handAtOpening[seat] != b.handAtOpening[seat])
            return false;
    return a.attack == b.attack && a.cover == b.cover && a.open == b.open &&
           a.discard == b.discard && a.stockCount == b.stockCount &&
           std::equal(a.stock, a.stock + a.stockCount, b.stock) && a.trumpSuit == b.trumpSuit &&
           a.trumpCard == b.trumpCard && a.type == b.type && a.rules == b.rules &&
           a.phase == b.phase && a.attacker == b.attacker && a.leader == b.leader &&
           a.transferOpen == b.transferOpen && a.extrasLeft == b.extrasLeft && a.winner == b.winner;
}

int32_t IsSound(const Position& p) {
    const CardSet sets[] = {p.hand[kHuman], p.hand[kComputer], p.attack, p.cover, p.discard};
    CardSet seen = 0;
    for (CardSet s : sets) {
        if ((seen & s) != 0 || (s & ~kAllCards) != 0) return 0;
        seen |= s;
    }
    if (p.stockCount < 0 || p.stockCount > kCards) return 0;
    for (int32_t i = 0; i < p.stockCount; ++i) {
        const int32_t card = p.stock[i];
        if (card < 0 || card >= kCards || (seen & Bit(card)) != 0) return 0;
        seen |= Bit(card);
    }
    if (seen != kAllCards) return 0;
    if ((p.open & ~p.attack) != 0 || (p.shown[kHuman] & ~p.hand[kHuman]) != 0 ||
        (p.shown[kComputer] & ~p.hand[kComputer]) != 0)
        return 0;
    if (p.trumpCard != kNoCard && (p.stockCount == 0 || p.stock[0] != p.trumpCard)) return 0;
    if (p.trumpSuit < 1 || p.trumpSuit > 4 || p.phase < kLead || p.phase > kOver) return 0;
    if ((p.attacker != kHuman && p.attacker != kComputer) ||
        (p.leader != kHuman && p.leader != kComputer))
        return 0;
    const bool tableEmpty = (p.attack | p.cover) == 0;
    switch (p.phase) {
        case kLead:
            return tableEmpty ? 1 : 0;
        case kDefend:
        case kCovering:
            return p.open != 0 ? 1 : 0;
        case kAttack:
            return !tableEmpty && p.open == 0 ? 1 : 0;
        case kGive:
            return !tableEmpty && p.extrasLeft > 0 ? 1 : 0;
        default:
            return p.winner == kHuman || p.winner == kComputer ? 1 : 0;
    }
}

}  // namespace expert
