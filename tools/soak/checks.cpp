#include "tools/soak/checks.h"

#include <algorithm>

#include "app/opponent.h"
#include "game/rules.h"
#include "game/state.h"
#include "game/types.h"

namespace soak {

namespace {

const char kRanks[] = "6789TJQKA";
const char kSuits[] = "DHCS";

char SuitLetter(int32_t suit) {
    return suit >= 1 && suit <= 4 ? kSuits[suit - 1] : '?';
}

Card MakeCard(int id) {
    Card c{};
    c.suit = SuitOf(id);
    c.rank = RankOf(id);
    c.isTrump = c.suit == TrumpSuit() ? 1 : 0;
    return c;
}

// Kuhn's augmenting paths: defence cards in order, each looking for an attack
// card of its own. Six a side at most.
bool Augment(int d, const std::array<int, kDeckSize>& defence, const std::array<int, 64>& attack,
             int attackCount, std::array<int, 64>& owner, uint64_t& visited) {
    for (int a = 0; a < attackCount; ++a) {
        if (((visited >> a) & 1) != 0 || !Covers(defence[d], attack[a])) continue;
        visited |= uint64_t{1} << a;
        if (owner[a] < 0 || Augment(owner[a], defence, attack, attackCount, owner, visited)) {
            owner[a] = d;
            return true;
        }
    }
    return false;
}

void Capture(const CardPile& pile, PileView& view, TableState& state) {
    view.count = pile.count;
    view.sortMode = pile.sortMode;
    for (int32_t i = 0; i < pile.count; ++i) {
        const Card& c = pile.cards[i];
        int id = CardId(c.suit, c.rank);
        if (view.seen < static_cast<int>(view.ids.size()))
            view.ids[view.seen++] = static_cast<int8_t>(id);
        if (id < 0) {
            ++state.foreignCards;
            continue;
        }
        ++state.places[id];
        view.cards |= Bit(id);
        if (c.selected == 1) view.selected |= Bit(id);
        if (c.isTrump != (c.suit == trumpCard.suit ? 1 : 0)) ++view.staleTrumpFlags;
    }
}

std::string PileText(const PileView& p) {
    std::string out;
    for (int i = 0; i < p.seen; ++i) {
        if (!out.empty()) out += ' ';
        out += p.ids[i] < 0 ? "??" : CardName(p.ids[i]);
    }
    return "[" + out + "]";
}

// Where a card lies in a state, for reports.
std::string PlaceOf(const TableState& s, int id) {
    std::string out;
    auto add = [&](bool here, const char* name) {
        if (!here) return;
        if (!out.empty()) out += " and ";
        out += name;
    };
    add((s.humanHand.cards >> id) & 1, "humanHand");
    add((s.humanTable.cards >> id) & 1, "humanTable");
    add((s.computerHand.cards >> id) & 1, "computerHand");
    add((s.computerTable.cards >> id) & 1, "computerTable");
    add((s.stock >> id) & 1, "the stock");
    add(s.trump == id, "the trump card");
    return out.empty() ? "nowhere" : out;
}

void Add(Findings& out, const char* check, std::string detail) {
    out.push_back({check, std::move(detail)});
}

// Card accounting: every card of the deck once, in a pile, the stock, under
// it face up, or out of the game.
void CheckCards(const TableState& s, Findings& out) {
    for (int id = 0; id < kDeckSize; ++id)
        if (s.places[id] > 1) Add(out, "cards", CardName(id) + " lies in " + PlaceOf(s, id));
    if (s.foreignCards > 0)
        Add(out, "cards", std::to_string(s.foreignCards) + " pile entries are no card of the deck");
    if (s.deckTotal != kDeckSize)
        Add(out, "cards", "the deck holds " + std::to_string(s.deckTotal) + " cards");
    if (Size(s.stock) != s.deckRemaining)
        Add(out, "stock",
            "the stock counts " + std::to_string(s.deckRemaining) + " but holds " +
                std::to_string(Size(s.stock)));
    if (s.stockHidden != (s.deckRemaining == 0 ? 1 : 0))
        Add(out, "stock",
            s.stockHidden
                ? "the stock card is hidden over a stock of " + std::to_string(s.deckRemaining)
                : "the stock card shows over an empty stock");
    if (TypeTraits(s.gameType).hiddenTrump && (s.trump != -1 || s.trumpSuit != Diamonds))
        Add(out, "trump", "a Japanese game shows a trump card or has no diamond trumps");
    for (const PileView* p : {&s.humanHand, &s.humanTable, &s.computerHand, &s.computerTable})
        if (p->staleTrumpFlags > 0)
            Add(out, "trump",
                std::to_string(p->staleTrumpFlags) + " cards of " + PileText(*p) +
                    " carry a wrong trump flag");
}

// Whose turn it is must be one of the situations the human can meet.
void CheckTurn(const TableState& s, Findings& out) {
    const int32_t human = s.humanTable.count, computer = s.computerTable.count;
    if (s.extraCardsAllowed > 0) {
        if (s.computerAttacks != 0) Add(out, "turn", "extra cards asked of a defending human");
        if (human <= computer) Add(out, "turn", "the computer takes with every card covered");
        if (human + s.extraCardsAllowed != std::min(s.computerHandAtBoutStart, 6))
            Add(out, "allowance",
                std::to_string(s.extraCardsAllowed) + " extra cards allowed with " +
                    std::to_string(human) + " on the table and " +
                    std::to_string(s.computerHandAtBoutStart) +
                    " in the computer's hand at the start");
        return;
    }
    if (s.extraCardsAllowed != -1) {
        Add(out, "allowance", "extraCardsAllowed is " + std::to_string(s.extraCardsAllowed));
        return;
    }
    if (s.computerAttacks == 0) {
        if (human != computer)
            Add(out, "turn",
                "the human attacks with " + std::to_string(human) + " cards against " +
                    std::to_string(computer) + " covers");
    } else if (s.computerAttacks == 1) {
        int32_t uncovered = computer - human;
        if (uncovered < 1) Add(out, "turn", "the human defends with nothing to answer");
        if (uncovered > 1 && human != 0) Add(out, "turn", "several cards uncovered after a cover");
        if (uncovered > s.humanHand.count)
            Add(out, "turn",
                std::to_string(uncovered) + " cards to answer with " +
                    std::to_string(s.humanHand.count) + " in the hand");
    } else {
        Add(out, "turn", "computerAttacks is " + std::to_string(s.computerAttacks));
    }
}

void CheckBout(const TableState& s, Findings& out) {
    if (s.humanTable.count > kTableLimit || s.computerTable.count > kTableLimit)
        Add(out, "table limit",
            "humanTable " + PileText(s.humanTable) + ", computerTable " +
                PileText(s.computerTable));
    const PileView& attack = s.Attack();
    const PileView& defence = s.Defence();
    if (!CoverMatch(defence.cards, attack.cards))
        Add(out, "covers",
            "defence " + PileText(defence) + " does not cover attack " + PileText(attack) +
                " card for card");
    // Only the opening rank may lie in the attack without a cover of its rank.
    uint32_t loose = Ranks(attack.cards) & ~Ranks(defence.cards);
    if (std::popcount(loose) > 1)
        Add(out, "throw-in rank",
            "attack " + PileText(attack) + " beside defence " + PileText(defence) +
                " holds ranks never on the table");
    if (s.transferOpen == 1 && s.Table() != 0 &&
        (s.computerAttacks != 1 || s.humanTable.count != 0 ||
         std::popcount(Ranks(s.computerTable.cards)) != 1))
        Add(out, "transfer",
            "the transfer is still open on " + PileText(s.humanTable) + " and " +
                PileText(s.computerTable));
}

void ExpectSame(Findings& out, const char* name, CardSet before, CardSet after) {
    if (before != after)
        Add(out, "refusal",
            std::string(name) + " went from [" + Names(before) + "] to [" + Names(after) + "]");
}

void ExpectSameWord(Findings& out, const char* name, int32_t before, int32_t after) {
    if (before != after)
        Add(out, "refusal",
            std::string(name) + " went from " + std::to_string(before) + " to " +
                std::to_string(after));
}

// A refused move leaves the cards and the selection as they were; only the
// transfer may close (a refused throw-in or cover) or reopen (OK on an empty table).
void CheckRefusal(const TableState& b, const Step& step, const TableState& a, Findings& out) {
    bool sameHand = a.humanHand.seen == b.humanHand.seen &&
                    std::equal(a.humanHand.ids.begin(), a.humanHand.ids.begin() + a.humanHand.seen,
                               b.humanHand.ids.begin());
    if (!sameHand)
        Add(out, "refusal",
            "humanHand went from " + PileText(b.humanHand) + " to " + PileText(a.humanHand));
    ExpectSame(out, "the selection", step.selection, a.humanHand.selected);
    ExpectSame(out, "humanTable", b.humanTable.cards, a.humanTable.cards);
    ExpectSame(out, "computerHand", b.computerHand.cards, a.computerHand.cards);
    ExpectSame(out, "computerTable", b.computerTable.cards, a.computerTable.cards);
    ExpectSame(out, "the stock", b.stock, a.stock);
    ExpectSameWord(out, "computerAttacks", b.computerAttacks, a.computerAttacks);
    ExpectSameWord(out, "extraCardsAllowed", b.extraCardsAllowed, a.extraCardsAllowed);
    ExpectSameWord(out, "boutLedByComputer", b.boutLedByComputer, a.boutLedByComputer);
    ExpectSameWord(out, "computerHandAtBoutStart", b.computerHandAtBoutStart,
                   a.computerHandAtBoutStart);
    ExpectSameWord(out, "humanHandAtBoutStart", b.humanHandAtBoutStart, a.humanHandAtBoutStart);
    int32_t allowed = step.action == Action::LowerButton ? 1 : 0;
    if (a.transferOpen != b.transferOpen && a.transferOpen != allowed)
        ExpectSameWord(out, "transferOpen", b.transferOpen, a.transferOpen);
}

// The move was a legal one: the game must have carried it out.
void CheckAccepted(const TableState& b, const Step& step, const TableState& a, Findings& out) {
    switch (step.action) {
        case Action::Confirm:
        case Action::Give:
            if (step.selection & a.humanHand.cards)
                Add(out, "move",
                    std::string(step.what) + " refused: [" +
                        Names(step.selection & a.humanHand.cards) + "] stayed in the hand");
            break;
        case Action::LowerButton:
            if (b.extraCardsAllowed > 0) {
                if (b.Table() & ~a.computerHand.cards)
                    Add(out, "move",
                        "the computer did not pick up [" +
                            Names(b.Table() & ~a.computerHand.cards) + "]");
            } else if (b.computerAttacks == 0) {
                if (b.Table() & ~a.Discards())
                    Add(out, "move",
                        "OK left [" + Names(b.Table() & ~a.Discards()) + "] in the game");
            } else if (b.Table() & ~a.humanHand.cards) {
                Add(out, "move",
                    "the take left [" + Names(b.Table() & ~a.humanHand.cards) + "] behind");
            }
            break;
        case Action::UpperButton:
            if (a.humanHand.cards != b.humanHand.cards || a.Table() != b.Table() ||
                a.computerHand.cards != b.computerHand.cards || a.stock != b.stock)
                Add(out, "move", "sorting the hand moved cards");
            if (b.humanHand.count > 0 && a.humanHand.sortMode == b.humanHand.sortMode)
                Add(out, "move", "sorting the hand kept its order");
            break;
        case Action::MenuNew:
            break;
    }
}

// Cards leave the game only as a whole bout, every attack card covered.
void CheckDiscards(const TableState& b, const Step& step, const TableState& a, Findings& out) {
    const CardSet before = b.Discards(), after = a.Discards();
    if (before & ~after) Add(out, "cards", "[" + Names(before & ~after) + "] came back");
    const CardSet gone = after & ~before;
    if (gone == 0) return;
    const CardSet played = step.action == Action::Confirm ? step.selection : 0;
    const CardSet humanSide = b.humanTable.cards | played;
    const CardSet computerSide = b.computerTable.cards;
    ForEachCard(gone & ~(humanSide | computerSide), [&](int id) {
        Add(out, "cards", CardName(id) + " vanished from " + PlaceOf(b, id));
    });
    if (b.Table() & ~after)
        Add(out, "discards",
            "[" + Names(gone) + "] discarded, [" + Names(b.Table() & ~after) +
                "] of the bout kept");
    const CardSet attack = gone & (b.computerAttacks == 1 ? computerSide : humanSide);
    const CardSet defence = gone & (b.computerAttacks == 1 ? humanSide : computerSide);
    if (Size(attack) != Size(defence) || !CoverMatch(defence, attack))
        Add(out, "discards",
            "attack [" + Names(attack) + "] discarded against defence [" + Names(defence) + "]");
}

// A bout that goes on: every card new to the attack has a rank that was on
// the table already, or that the defender has just put there.
void CheckThrowIns(const TableState& b, const TableState& a, Findings& out) {
    if (b.Table() == 0 || (b.Table() & ~a.Table()) != 0) return;
    const CardSet fresh = a.Attack().cards & ~b.Table();
    const uint32_t ranks = Ranks(b.Table()) | Ranks(a.Defence().cards & ~b.Table());
    ForEachCard(fresh, [&](int id) {
        if (!((ranks >> RankOf(id)) & 1))
            Add(out, "throw-in rank",
                CardName(id) + " joined the attack with no card of its rank on the table");
    });
}

// The computer's extra cards for a taking human: within the allowance, of
// ranks on the table; the rules' computer gives no trumps, the Expert may.
void CheckExtras(const TableState& b, const TableState& a, Findings& out) {
    const CardSet extras = b.computerHand.cards & a.humanHand.cards;
    const int allowance = std::max(0, std::min(b.humanHandAtBoutStart, 6) - b.computerTable.count);
    if (Size(extras) > allowance)
        Add(out, "extras",
            "the computer gave [" + Names(extras) + "] with " + std::to_string(allowance) +
                " allowed");
    const uint32_t ranks = Ranks(b.Table());
    ForEachCard(extras, [&](int id) {
        if (!((ranks >> RankOf(id)) & 1))
            Add(out, "extras", CardName(id) + " given with no card of its rank on the table");
        if (computerPlayer == OpponentClassic && SuitOf(id) == a.trumpSuit)
            Add(out, "extras", CardName(id) + " is a trump");
    });
}

}  // namespace

int CardId(int32_t suit, int32_t rank) {
    if (suit < 1 || suit > 4 || rank < 6 || rank > 14) return -1;
    return (suit - 1) * 9 + (rank - 6);
}

int32_t SuitOf(int id) {
    return id / 9 + 1;
}

int32_t RankOf(int id) {
    return id % 9 + 6;
}

uint32_t Ranks(CardSet cards) {
    uint32_t ranks = 0;
    ForEachCard(cards, [&](int id) { ranks |= uint32_t{1} << RankOf(id); });
    return ranks;
}

std::string CardName(int id) {
    return {kRanks[RankOf(id) - 6], kSuits[SuitOf(id) - 1]};
}

std::string Names(CardSet cards) {
    std::string out;
    ForEachCard(cards, [&](int id) {
        if (!out.empty()) out += ' ';
        out += CardName(id);
    });
    return out;
}

bool Covers(int cover, int attack) {
    return CanCover(MakeCard(cover), MakeCard(attack)) > 0;
}

bool CoverMatch(CardSet defence, CardSet attack) {
    if (Size(defence) > Size(attack)) return false;
    std::array<int, kDeckSize> d{};
    std::array<int, 64> at{};
    int nd = 0, na = 0;
    ForEachCard(defence, [&](int id) { d[nd++] = id; });
    ForEachCard(attack, [&](int id) { at[na++] = id; });
    std::array<int, 64> owner;
    owner.fill(-1);
    for (int i = 0; i < nd; ++i) {
        uint64_t visited = 0;
        if (!Augment(i, d, at, na, owner, visited)) return false;
    }
    return true;
}

CardSet TableState::Discards() const {
    CardSet anywhere = humanHand.cards | humanTable.cards | computerHand.cards |
                       computerTable.cards | stock | (trump >= 0 ? Bit(trump) : 0);
    return kWholeDeck & ~anywhere;
}

TableState Capture() {
    TableState s;
    Capture(humanHand, s.humanHand, s);
    Capture(humanTable, s.humanTable, s);
    Capture(computerHand, s.computerHand, s);
    Capture(computerTable, s.computerTable, s);
    for (int32_t i = 0; i < deck.total && i < 52; ++i) {
        const DeckEntry& e = deck.entries[i];
        if (e.present != 1) continue;
        int id = CardId(e.suit, e.rank);
        if (id < 0) {
            ++s.foreignCards;
            continue;
        }
        ++s.places[id];
        s.stock |= Bit(id);
    }
    s.deckRemaining = deck.remaining;
    s.deckTotal = deck.total;
    if (trumpCard.hidden != 1) {
        s.trump = CardId(trumpCard.suit, trumpCard.rank);
        if (s.trump < 0) {
            ++s.foreignCards;
        } else {
            ++s.places[s.trump];
        }
    }
    s.trumpSuit = trumpCard.suit;
    s.stockHidden = stockCard.hidden;
    s.gameType = gameType;
    s.transferRule = transferRule;
    s.computerAttacks = computerAttacks;
    s.transferOpen = transferOpen;
    s.extraCardsAllowed = extraCardsAllowed;
    s.computerHandAtBoutStart = computerHandAtBoutStart;
    s.humanHandAtBoutStart = humanHandAtBoutStart;
    s.boutLedByComputer = boutLedByComputer;
    s.serial = gameSerial;
    s.computerWins = computerWins;
    s.humanWins = humanWins;
    return s;
}

std::string Describe(const TableState& s) {
    return "humanHand " + PileText(s.humanHand) + " selected [" + Names(s.humanHand.selected) +
           "]\n  humanTable " + PileText(s.humanTable) + "\n  computerHand " +
           PileText(s.computerHand) + "\n  computerTable " + PileText(s.computerTable) +
           "\n  stock " + std::to_string(s.deckRemaining) + " [" + Names(s.stock) + "], trump " +
           (s.trump >= 0 ? CardName(s.trump) : "hidden") + " (suit " + SuitLetter(s.trumpSuit) +
           "), out [" + Names(s.Discards()) + "]\n  type " + std::to_string(s.gameType) +
           ", computerAttacks " + std::to_string(s.computerAttacks) + ", transferOpen " +
           std::to_string(s.transferOpen) + ", extraCardsAllowed " +
           std::to_string(s.extraCardsAllowed) + ", hands at bout start " +
           std::to_string(s.humanHandAtBoutStart) + "/" +
           std::to_string(s.computerHandAtBoutStart) + ", score " + std::to_string(s.humanWins) +
           ":" + std::to_string(s.computerWins);
}

void CheckTable(const TableState& s, Findings& out) {
    CheckCards(s, out);
    CheckTurn(s, out);
    CheckBout(s, out);
    const bool nothingToDraw = s.deckRemaining == 0 && s.trump == -1;
    if (nothingToDraw && (s.humanHand.count == 0 || s.computerHand.count == 0))
        Add(out, "game over", "a hand is out with nothing left to draw");
}

// A counter's rise that other copies' wins may have swollen, seen as the
// soak's own part of it when it holds that part.
int64_t OwnRise(int64_t rise, int boxes, bool shared) {
    return shared && rise >= boxes && (rise > 0) == (boxes > 0) ? boxes : rise;
}

void CheckStep(const TableState& b, const Step& step, const TableState& a, Findings& out,
               bool sharedScore) {
    for (const std::wstring& text : step.strayBoxes)
        Add(out, "boxes", "a box said \"" + std::string(text.begin(), text.end()) + "\"");
    const int boxes = step.transferQuestions + step.humanWinBoxes + step.computerWinBoxes +
                      static_cast<int>(step.strayBoxes.size());
    if (step.answeredBoxes != boxes)
        Add(out, "boxes",
            std::to_string(boxes - step.answeredBoxes) +
                " boxes closed without waiting for an answer");
    const int questions = step.expect == Expect::Asks ? 1 : 0;
    if (step.transferQuestions != questions)
        Add(out, "boxes",
            "\"Transfer?\" asked " + std::to_string(step.transferQuestions) + " times, expected " +
                std::to_string(questions));

    const int64_t computerRise =
        OwnRise(int64_t{a.computerWins} - b.computerWins, step.computerWinBoxes, sharedScore);
    const int64_t humanRise =
        OwnRise(int64_t{a.humanWins} - b.humanWins, step.humanWinBoxes, sharedScore);
    if (computerRise != step.computerWinBoxes || humanRise != step.humanWinBoxes)
        Add(out, "score",
            "the score rose by " + std::to_string(humanRise) + ":" + std::to_string(computerRise) +
                " with " + std::to_string(step.humanWinBoxes) + " \"You win!\" and " +
                std::to_string(step.computerWinBoxes) + " \"I win!\" boxes");
    const bool finished = computerRise + humanRise == 1;
    const uint32_t deals = a.serial - b.serial;
    if (computerRise < 0 || humanRise < 0 || computerRise + humanRise > 1 || deals > 1)
        Add(out, "score",
            std::to_string(deals) + " new deals and a score rise of " + std::to_string(humanRise) +
                ":" + std::to_string(computerRise));
    else if (step.action == Action::MenuNew ? (deals != 1 || finished) : (deals == 1) != finished)
        Add(out, "score",
            deals == 1 ? "a new deal with no game won" : "a game won with no new deal");
    if (deals != 0) {
        if (a.Discards() != 0)
            Add(out, "cards", "the new deal lacks [" + Names(a.Discards()) + "]");
        return;
    }

    Expect expect = step.expect;
    if (expect == Expect::Asks) {
        // Answered no, the trump is tried as a single cover.
        int attack = b.computerTable.seen > 0 ? b.computerTable.ids[b.computerTable.seen - 1] : -1;
        bool single = !(b.computerTable.count >= 2 && b.humanTable.count == 0);
        int card = step.selection ? std::countr_zero(step.selection) : -1;
        bool covers = single && attack >= 0 && card >= 0 && Covers(card, attack);
        expect = step.transferAnswer == IDYES || covers ? Expect::Accepted : Expect::Refused;
    }
    if (expect == Expect::Refused) {
        CheckRefusal(b, step, a, out);
    } else {
        CheckAccepted(b, step, a, out);
    }
    CheckDiscards(b, step, a, out);
    CheckThrowIns(b, a, out);
    if (step.action == Action::LowerButton && b.computerAttacks == 1 && b.extraCardsAllowed == -1)
        CheckExtras(b, a, out);
}

}  // namespace soak
