#include "tools/soak/player.h"

#include <algorithm>

#include "app/actions.h"
#include "app/shell.h"
#include "game/state.h"
#include "game/status.h"
#include "res/ids.h"

namespace soak {

namespace {

// Out of a hundred moves: this many sort the hand, and this many more try
// something the game must refuse.
constexpr unsigned kSortShare = 3;
constexpr unsigned kRefusedShare = 8;
// Out of a hundred moves of a careful human, this many are careless.
constexpr unsigned kCarelessShare = 10;

CardSet Cards(const CardPile& pile) {
    CardSet cards = 0;
    for (int32_t i = 1; i <= pile.count; ++i) {
        int id = CardId(CardAt(pile, i).suit, CardAt(pile, i).rank);
        if (id >= 0) cards |= Bit(id);
    }
    return cards;
}

CardSet Selected(const CardPile& pile) {
    CardSet cards = 0;
    for (int32_t i = 1; i <= pile.count; ++i) {
        const Card& c = CardAt(pile, i);
        int id = CardId(c.suit, c.rank);
        if (id >= 0 && c.selected == 1) cards |= Bit(id);
    }
    return cards;
}

// The hand's selection made as taps on its cards would make it: the
// unwanted cards first, since a tap of one selecting alone drops the others.
void Select(CardSet cards) {
    for (int32_t want : {0, 1})
        for (int32_t i = 1; i <= humanHand.count; ++i) {
            const Card& c = CardAt(humanHand, i);
            int id = CardId(c.suit, c.rank);
            bool wanted = id >= 0 && ((cards >> id) & 1) != 0;
            if (wanted == (want == 1) && c.selected != want) TapHandCard(i);
        }
}

Step MakeStep(Action action, CardSet selection, Expect expect, const char* what) {
    Step s;
    s.action = action;
    s.selection = selection;
    s.expect = expect;
    s.what = what;
    return s;
}

// What a card costs to give away: low cards first, trumps last.
int Cost(CardSet cards) {
    int cost = 0;
    ForEachCard(cards, [&](int id) {
        cost = std::max(cost, RankOf(id) + (SuitOf(id) == TrumpSuit() ? 100 : 0));
    });
    return cost;
}

}  // namespace

CardSet Player::RandomSubset(CardSet from, int size) {
    std::vector<int> ids;
    ForEachCard(from, [&](int id) { ids.push_back(id); });
    std::shuffle(ids.begin(), ids.end(), rng_);
    CardSet out = 0;
    for (int i = 0; i < size && i < static_cast<int>(ids.size()); ++i)
        out |= Bit(ids[static_cast<size_t>(i)]);
    return out;
}

// A random set of hand cards beating the attack cards one to one, or 0.
CardSet Player::FindCover(CardSet attack, CardSet hand) {
    std::vector<int> attackIds, handIds;
    ForEachCard(attack, [&](int id) { attackIds.push_back(id); });
    ForEachCard(hand, [&](int id) { handIds.push_back(id); });
    std::shuffle(handIds.begin(), handIds.end(), rng_);
    std::vector<int> owner(handIds.size(), -1);  // attack index each hand card beats
    std::vector<char> visited;
    auto augment = [&](auto&& self, int a) -> bool {
        for (size_t h = 0; h < handIds.size(); ++h) {
            if (visited[h] || !Covers(handIds[h], attackIds[static_cast<size_t>(a)])) continue;
            visited[h] = 1;
            if (owner[h] < 0 || self(self, owner[h])) {
                owner[h] = a;
                return true;
            }
        }
        return false;
    };
    for (size_t a = 0; a < attackIds.size(); ++a) {
        visited.assign(handIds.size(), 0);
        if (!augment(augment, static_cast<int>(a))) return 0;
    }
    CardSet cover = 0;
    for (size_t h = 0; h < handIds.size(); ++h)
        if (owner[h] >= 0) cover |= Bit(handIds[h]);
    return cover;
}

void Player::CollectDefence(CardSet hand) {
    legal_.push_back(MakeStep(Action::LowerButton, 0, Expect::Accepted, "take"));
    if (computerTable.count == 0) return;
    const Card& last = CardAt(computerTable, computerTable.count);
    const int attack = CardId(last.suit, last.rank);
    if (attack < 0) return;
    const bool transfer =
        transferRule == 1 && transferOpen == 1 && computerHand.count >= computerTable.count + 1;
    CardSet transferCards = 0;
    if (transfer)
        ForEachCard(hand, [&](int id) {
            if (RankOf(id) == RankOf(attack)) transferCards |= Bit(id);
        });
    ForEachCard(transferCards, [&](int id) {
        // A trump of that rank could cover as well: the game asks.
        Expect e = SuitOf(id) == TrumpSuit() ? Expect::Asks : Expect::Accepted;
        legal_.push_back(MakeStep(Action::Confirm, Bit(id), e, "transfer"));
    });
    // Cards that could be taken for a transfer stay out of the refusals.
    const CardSet others = hand & ~transferCards;
    if (computerTable.count >= 2 && humanTable.count == 0) {
        const CardSet attackCards = Cards(computerTable);
        const int needed = computerTable.count;
        if (CardSet cover = FindCover(attackCards, hand))
            legal_.push_back(MakeStep(Action::Confirm, cover, Expect::Accepted, "cover several"));
        const int available = Size(others);
        if (available > 1 || (available == 1 && needed != 1)) {
            int count = std::uniform_int_distribution<int>(1, available)(rng_);
            if (count == needed) count = count > 1 ? count - 1 : count + 1;
            refused_.push_back(MakeStep(Action::Confirm, RandomSubset(others, count),
                                        Expect::Refused, "cover several, wrong count"));
        }
        for (int tries = 0; tries < 4 && available >= needed; ++tries) {
            CardSet pick = RandomSubset(others, needed);
            if (CoverMatch(pick, attackCards)) continue;
            refused_.push_back(
                MakeStep(Action::Confirm, pick, Expect::Refused, "cover several, bad cards"));
            break;
        }
    } else {
        ForEachCard(others, [&](int id) {
            if (Covers(id, attack)) {
                legal_.push_back(MakeStep(Action::Confirm, Bit(id), Expect::Accepted, "cover"));
            } else {
                refused_.push_back(MakeStep(Action::Confirm, Bit(id), Expect::Refused,
                                            "cover that does not beat"));
            }
        });
    }
    refused_.push_back(MakeStep(Action::Confirm, 0, Expect::Refused, "cover with nothing"));
}

void Player::Collect() {
    legal_.clear();
    refused_.clear();
    const CardSet hand = Cards(humanHand);
    const CardSet table = Cards(humanTable) | Cards(computerTable);
    const uint32_t ranks = Ranks(table);
    auto onTable = [&](int id) { return ((ranks >> RankOf(id)) & 1) != 0; };

    if (extraCardsAllowed > 0) {
        ForEachCard(hand, [&](int id) {
            if (onTable(id)) {
                legal_.push_back(MakeStep(Action::Give, Bit(id), Expect::Accepted, "give"));
            } else {
                refused_.push_back(
                    MakeStep(Action::Give, Bit(id), Expect::Refused, "give off the table's ranks"));
            }
        });
        legal_.push_back(MakeStep(Action::LowerButton, 0, Expect::Accepted, "stop giving"));
        refused_.push_back(MakeStep(Action::Give, 0, Expect::Refused, "give nothing"));
        return;
    }
    if (computerAttacks == 1) {
        CollectDefence(hand);
        return;
    }
    if (table == 0) {
        ForEachCard(hand, [&](int id) {
            legal_.push_back(MakeStep(Action::Confirm, Bit(id), Expect::Accepted, "open"));
        });
        refused_.push_back(MakeStep(Action::Confirm, 0, Expect::Refused, "open with nothing"));
        refused_.push_back(
            MakeStep(Action::LowerButton, 0, Expect::Refused, "OK on an empty table"));
        return;
    }
    legal_.push_back(MakeStep(Action::LowerButton, 0, Expect::Accepted, "OK"));
    const bool room = humanTable.count < kTableLimit && computerHand.count > 0;
    ForEachCard(hand, [&](int id) {
        if (room && onTable(id)) {
            legal_.push_back(MakeStep(Action::Confirm, Bit(id), Expect::Accepted, "throw in"));
        } else {
            refused_.push_back(
                MakeStep(Action::Confirm, Bit(id), Expect::Refused,
                         room ? "throw in off the table's ranks" : "throw in past the limit"));
        }
    });
    refused_.push_back(MakeStep(Action::Confirm, 0, Expect::Refused, "throw in nothing"));
}

const Step& Player::CarefulMove() {
    plays_.clear();
    for (const Step& s : legal_)
        if (s.action == Action::Confirm || s.action == Action::Give) plays_.push_back(&s);
    const unsigned roll = std::uniform_int_distribution<unsigned>(0, 99)(rng_);
    if (plays_.empty() || roll < kCarelessShare)
        return legal_[std::uniform_int_distribution<size_t>(0, legal_.size() - 1)(rng_)];
    return **std::min_element(plays_.begin(), plays_.end(), [](const Step* a, const Step* b) {
        return Cost(a->selection) < Cost(b->selection);
    });
}

bool Player::Choose(Step* step) {
    Collect();
    if (legal_.empty()) return false;
    const unsigned roll = std::uniform_int_distribution<unsigned>(0, 99)(rng_);
    if (roll < kSortShare) {
        *step = MakeStep(Action::UpperButton, 0, Expect::Accepted, "sort the hand");
    } else if (roll < kSortShare + kRefusedShare && !refused_.empty()) {
        *step = refused_[std::uniform_int_distribution<size_t>(0, refused_.size() - 1)(rng_)];
    } else if (careful_) {
        *step = CarefulMove();
    } else {
        *step = legal_[std::uniform_int_distribution<size_t>(0, legal_.size() - 1)(rng_)];
    }
    // Button presses keep whatever is selected.
    if (step->action != Action::Confirm && step->action != Action::Give)
        step->selection = Selected(humanHand);
    return true;
}

void Player::Perform(const Step& step) {
    // Every tap first clears the status line.
    if (statusText) ShowStatus(nullptr);
    switch (step.action) {
        case Action::Confirm:
        case Action::Give:
            Select(step.selection);
            PlaySelection();
            break;
        case Action::LowerButton:
            PressLowerButton();
            break;
        case Action::UpperButton:
            PressUpperButton();
            break;
        case Action::MenuNew:
            SendMessageW(mainWindow, WM_COMMAND, IDM_NEW, 0);
            break;
    }
}

}  // namespace soak
