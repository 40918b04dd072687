#include "game/snapshot.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "game/random.h"
#include "game/state.h"
#include "game/status.h"
#include "game/types.h"

namespace {

constexpr char kHeader[] = "velmora game 1";
constexpr int32_t kCards = 36;
constexpr int32_t kBacks = 5;
constexpr int64_t kRandomModulus = 2147483563;

struct NamedPile {
    const char* name;
    CardPile* pile;
};
const NamedPile kPiles[] = {{"humanHand", &humanHand},
                            {"computerHand", &computerHand},
                            {"humanTable", &humanTable},
                            {"computerTable", &computerTable}};

// The words a game is, each with the values it may take.
struct NamedWord {
    const char* name;
    int32_t GameWords::*word;
    int32_t low;
    int32_t high;
};
const NamedWord kWords[] = {
    {"gameType", &GameWords::gameType, 0, GameTypeCount - 1},
    {"transferRule", &GameWords::transferRule, 0, 1},
    {"lastWinner", &GameWords::lastWinner, -1, 1},
    {"computerAttacks", &GameWords::computerAttacks, 0, 1},
    {"boutLedByComputer", &GameWords::boutLedByComputer, 0, 1},
    {"transferOpen", &GameWords::transferOpen, 0, 1},
    {"extraCardsAllowed", &GameWords::extraCardsAllowed, -1, kCards},
    {"computerHandAtBoutStart", &GameWords::computerHandAtBoutStart, 0, kCards},
    {"humanHandAtBoutStart", &GameWords::humanHandAtBoutStart, 0, kCards},
    {"computerHandLayout", &GameWords::computerHandLayout, LayoutQuarterFan, LayoutStacked},
    {"cardLaidThisGame", &GameWords::cardLaidThisGame, 0, 1},
};
constexpr size_t kWordCount = std::size(kWords);

const char* const kPileKeys[] = {"sort", "perRow", "layout", "faceDown", "back", "trump", "cards"};
const char* const kCardKeys[] = {"suit", "rank", "hidden", "trump", "selected", "faceDown", "back"};

// 0 to 35 for a card of the game's deck, else -1.
int32_t CardIndex(int32_t suit, int32_t rank) {
    if (suit < Diamonds || suit > Spades) return -1;
    if (rank == Ace) return (suit - 1) * 9;
    if (rank < 6 || rank > King) return -1;
    return (suit - 1) * 9 + rank - 5;
}

void Put(std::string& out, const char* key, int64_t value) {
    out += ' ';
    out += key;
    out += '=';
    out += std::to_string(value);
}

// Backslash, line breaks and everything past ASCII as escapes: one line of
// plain ASCII.
std::string Escaped(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) {
        const auto c = static_cast<uint32_t>(*text);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "\\u%06X", c);
            out += code;
        }
    }
    return out;
}

bool Unescaped(std::string_view text, std::wstring* out) {
    out->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            if (c < 0x20 || c >= 0x7F) return false;
            out->push_back(static_cast<wchar_t>(c));
            continue;
        }
        if (++i == text.size()) return false;
        if (text[i] == '\\' || text[i] == 'n') {
            out->push_back(text[i] == 'n' ? L'\n' : L'\\');
            continue;
        }
        uint32_t code = 0;
        if (text[i] != 'u' || i + 6 >= text.size() ||
            std::from_chars(text.data() + i + 1, text.data() + i + 7, code, 16).ptr !=
                text.data() + i + 7 ||
            code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;  // a surrogate alone is no character: never written
        out->push_back(static_cast<wchar_t>(code));
        i += 6;
    }
    return true;
}

// ---- Reading -----------------------------------------------------------

struct Lines {
    std::vector<std::string_view> lines;
    size_t next = 0;
    std::string_view Take() { return next < lines.size() ? lines[next++] : std::string_view(); }
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        size_t end = line.find(' ', at);
        if (end == std::string_view::npos) end = line.size();
        if (end == at) return {};  // doubled or leading blanks are not ours
        words.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

bool Number(std::string_view text, int64_t* value) {
    if (text.empty() || text.size() > 11) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return error == std::errc() && end == text.data() + text.size();
}

// "head key=value ..." with exactly these keys in this order.
bool Fields(std::string_view line, std::string_view head, const char* const* keys, size_t count,
            int64_t* values) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != count + 1 || words[0] != head) return false;
    for (size_t i = 0; i < count; ++i) {
        const std::string_view key = keys[i];
        const std::string_view word = words[i + 1];
        if (word.size() <= key.size() || word.substr(0, key.size()) != key ||
            word[key.size()] != '=' || !Number(word.substr(key.size() + 1), &values[i]))
            return false;
    }
    return true;
}

bool Within(int64_t value, int64_t low, int64_t high) {
    return value >= low && value <= high;
}

struct ReadCard {
    int64_t v[std::size(kCardKeys)];
};
struct ReadPile {
    int64_t v[std::size(kPileKeys)];
    std::vector<ReadCard> cards;
};

// Everything the text holds, before any of it is taken.
struct Read {
    int64_t counted = -1;
    int64_t words[kWordCount];
    int64_t random[3];
    int64_t table[32];
    std::string present;
    int64_t trump[3];
    int64_t stockHidden = 0;
    ReadPile piles[4];
    std::vector<int32_t> discard;
    bool hasStatus = false;
    std::wstring status;
    int64_t focus[2];
    int64_t seen[3] = {0, 0, 0};
};

SnapshotStatus Parse(Lines& in, Read* r) {
    static const char* const kRandom[] = {"seed", "seed2", "last"};
    static const char* const kTrump[] = {"suit", "rank", "hidden"};
    static const char* const kStock[] = {"hidden"};
    static const char* const kFocus[] = {"position", "shown"};
    if (in.Take() != kHeader) return kSnapshotVersion;
    const std::vector<std::string_view> counted = Words(in.Take());
    if (counted.size() != 2 || counted[0] != "counted" || !Number(counted[1], &r->counted))
        return kSnapshotDamaged;
    const char* wordNames[kWordCount];
    for (size_t i = 0; i < kWordCount; ++i)
        wordNames[i] = kWords[i].name;
    if (!Fields(in.Take(), "words", wordNames, kWordCount, r->words) ||
        !Fields(in.Take(), "random", kRandom, 3, r->random))
        return kSnapshotDamaged;
    const std::vector<std::string_view> table = Words(in.Take());
    if (table.size() != 33 || table[0] != "table") return kSnapshotDamaged;
    for (size_t i = 0; i < 32; ++i)
        if (!Number(table[i + 1], &r->table[i])) return kSnapshotDamaged;
    const std::vector<std::string_view> deckLine = Words(in.Take());
    if (deckLine.size() != 2 || deckLine[0] != "deck") return kSnapshotDamaged;
    r->present = deckLine[1];
    if (!Fields(in.Take(), "trump", kTrump, 3, r->trump) ||
        !Fields(in.Take(), "stock", kStock, 1, &r->stockHidden))
        return kSnapshotDamaged;
    for (size_t p = 0; p < 4; ++p) {
        ReadPile& pile = r->piles[p];
        const std::string_view line = in.Take();
        const std::vector<std::string_view> words = Words(line);
        if (words.size() < 2 || words[0] != "pile" || words[1] != kPiles[p].name)
            return kSnapshotDamaged;
        if (!Fields(line.substr(5), kPiles[p].name, kPileKeys, std::size(kPileKeys), pile.v))
            return kSnapshotDamaged;
        if (!Within(pile.v[6], 0, kCards)) return kSnapshotDamaged;
        pile.cards.resize(static_cast<size_t>(pile.v[6]));
        for (ReadCard& c : pile.cards)
            if (!Fields(in.Take(), "card", kCardKeys, std::size(kCardKeys), c.v))
                return kSnapshotDamaged;
    }
    const std::vector<std::string_view> discard = Words(in.Take());
    if (discard.empty() || discard[0] != "discard") return kSnapshotDamaged;
    for (size_t i = 1; i < discard.size(); ++i) {
        int64_t suit = 0, rank = 0;
        const size_t colon = discard[i].find(':');
        if (colon == std::string_view::npos || !Number(discard[i].substr(0, colon), &suit) ||
            !Number(discard[i].substr(colon + 1), &rank))
            return kSnapshotDamaged;
        const int32_t index =
            Within(suit, 1, 4) && Within(rank, 1, 14)
                ? CardIndex(static_cast<int32_t>(suit), static_cast<int32_t>(rank))
                : -1;
        if (index < 0) return kSnapshotDamaged;
        r->discard.push_back(index);
    }
    const std::string_view status = in.Take();
    if (status.substr(0, 12) == "status text=") {
        r->hasStatus = true;
        if (!Unescaped(status.substr(12), &r->status) || r->status.size() > 255)
            return kSnapshotDamaged;
    } else if (status != "status none") {
        return kSnapshotDamaged;
    }
    static const char* const kSeen[] = {"human", "computer", "table"};
    if (!Fields(in.Take(), "focus", kFocus, 2, r->focus)) return kSnapshotDamaged;
    std::string_view line = in.Take();
    if (line.substr(0, 5) == "seen ") {
        if (!Fields(line, "seen", kSeen, 3, r->seen)) return kSnapshotDamaged;
        line = in.Take();
    }
    if (line != "end" || !in.Take().empty() || in.next < in.lines.size()) return kSnapshotDamaged;
    return kSnapshotRead;
}

// The values each have their range, and the cards are the deck's 36.
SnapshotStatus Check(const Read& r) {
    if (!Within(r.counted, -1, 1)) return kSnapshotDamaged;
    for (int64_t cards : r.seen)
        if (!Within(cards, 0, (int64_t{1} << kCards) - 1)) return kSnapshotDamaged;
    for (size_t i = 0; i < kWordCount; ++i)
        if (!Within(r.words[i], kWords[i].low, kWords[i].high)) return kSnapshotDamaged;
    const auto type = static_cast<int32_t>(r.words[0]);
    if (r.words[1] != (TypeTraits(type).transfer ? 1 : 0)) return kSnapshotDamaged;
    if (!Within(r.random[0], 0, kRandomModulus - 1) ||
        !Within(r.random[1], 1, kRandomModulus - 1) || !Within(r.random[2], 0, kRandomModulus - 2))
        return kSnapshotDamaged;
    for (int64_t entry : r.table)
        if (!Within(entry, 0, kRandomModulus - 1)) return kSnapshotDamaged;
    if (!Within(r.trump[0], 1, 4) || !Within(r.trump[1], 1, 14) || !Within(r.trump[2], 0, 1) ||
        !Within(r.stockHidden, 0, 1) || !Within(r.focus[0], 0, kCards) || !Within(r.focus[1], 0, 1))
        return kSnapshotDamaged;
    const bool hiddenTrump = TypeTraits(type).hiddenTrump;
    if (hiddenTrump && (r.trump[2] != 1 || r.trump[0] != Diamonds || r.trump[1] != 2))
        return kSnapshotDamaged;

    std::array<int32_t, kCards> seen{};
    int32_t remaining = 0;
    if (r.present.size() != kCards) return kSnapshotDamaged;
    for (int32_t slot = 0; slot < kCards; ++slot) {
        const char bit = r.present[static_cast<size_t>(slot)];
        if (bit != '0' && bit != '1') return kSnapshotDamaged;
        if (bit == '0') continue;
        ++remaining;
        ++seen[static_cast<size_t>(CardIndex(deck.entries[slot].suit, deck.entries[slot].rank))];
    }
    if ((remaining == 0) != (r.stockHidden == 1)) return kSnapshotDamaged;
    if (!hiddenTrump) {
        const int32_t trump =
            CardIndex(static_cast<int32_t>(r.trump[0]), static_cast<int32_t>(r.trump[1]));
        if (trump < 0) return kSnapshotDamaged;
        if (r.trump[2] == 0) ++seen[static_cast<size_t>(trump)];
    }
    for (const ReadPile& pile : r.piles) {
        if (!Within(pile.v[0], SortNone, SortBySuit) || !Within(pile.v[1], 1, kCards) ||
            !Within(pile.v[2], LayoutHalfOverlap, LayoutStacked) || !Within(pile.v[3], 0, 1) ||
            !Within(pile.v[4], 0, kBacks - 1) || pile.v[5] != r.trump[0])
            return kSnapshotDamaged;
        for (const ReadCard& c : pile.cards) {
            const int32_t index =
                Within(c.v[0], 1, 4) && Within(c.v[1], 1, 14)
                    ? CardIndex(static_cast<int32_t>(c.v[0]), static_cast<int32_t>(c.v[1]))
                    : -1;
            if (index < 0 || c.v[3] != (c.v[0] == r.trump[0] ? 1 : 0)) return kSnapshotDamaged;
            for (size_t k = 2; k < std::size(kCardKeys) - 1; ++k)
                if (!Within(c.v[k], 0, 1)) return kSnapshotDamaged;
            if (!Within(c.v[6], 0, kBacks - 1)) return kSnapshotDamaged;
            ++seen[static_cast<size_t>(index)];
        }
    }
    for (int32_t index : r.discard)
        ++seen[static_cast<size_t>(index)];
    for (int32_t n : seen)
        if (n != 1) return kSnapshotCards;
    // The side that covers never has more cards on the table than the side
    // that leads.
    const size_t attack = r.words[3] == 1 ? 3 : 2, cover = r.words[3] == 1 ? 2 : 3;
    if (r.piles[cover].cards.size() > r.piles[attack].cards.size()) return kSnapshotDamaged;
    return kSnapshotRead;
}

void Take(const Read& r) {
    for (size_t i = 0; i < kWordCount; ++i)
        gameWords.*kWords[i].word = static_cast<int32_t>(r.words[i]);
    randSeed = static_cast<int32_t>(r.random[0]);
    randSeed2 = static_cast<int32_t>(r.random[1]);
    randLast = static_cast<int32_t>(r.random[2]);
    for (size_t i = 0; i < 32; ++i)
        randTable[i] = static_cast<int32_t>(r.table[i]);
    deck.remaining = 0;
    for (int32_t slot = 0; slot < kCards; ++slot) {
        deck.entries[slot].present = r.present[static_cast<size_t>(slot)] == '1' ? 1 : 0;
        deck.remaining += deck.entries[slot].present;
    }
    trumpCard.suit = static_cast<int32_t>(r.trump[0]);
    trumpCard.rank = static_cast<int32_t>(r.trump[1]);
    trumpCard.hidden = static_cast<int32_t>(r.trump[2]);
    stockCard.suit = 1;
    stockCard.rank = 1;
    stockCard.faceDown = 1;
    stockCard.hidden = static_cast<int32_t>(r.stockHidden);
    for (size_t p = 0; p < 4; ++p) {
        CardPile& pile = *kPiles[p].pile;
        const ReadPile& read = r.piles[p];
        ClearPile(pile);
        pile.sortMode = SortNone;  // the cards come in their order
        pile.perRow = static_cast<int32_t>(read.v[1]);
        pile.layoutMode = static_cast<int32_t>(read.v[2]);
        pile.faceDown = static_cast<int32_t>(read.v[3]);
        pile.backIndex = static_cast<int32_t>(read.v[4]);
        pile.trumpSuit = static_cast<int32_t>(read.v[5]);
        for (const ReadCard& c : read.cards) {
            AddCard(pile, static_cast<int32_t>(c.v[0]), static_cast<int32_t>(c.v[1]));
            if (pile.count == 0) continue;
            Card& card = CardAt(pile, pile.count);
            card.hidden = static_cast<int32_t>(c.v[2]);
            card.selected = static_cast<int32_t>(c.v[4]);
            card.faceDown = static_cast<int32_t>(c.v[5]);
            card.backIndex = static_cast<int32_t>(c.v[6]);
        }
        pile.sortMode = static_cast<int32_t>(read.v[0]);
    }
    if (r.hasStatus) {
        std::wcsncpy(statusBuffer, r.status.c_str(), std::size(statusBuffer) - 1);
        statusBuffer[std::size(statusBuffer) - 1] = 0;
        statusText = statusBuffer;
    } else {
        statusText = nullptr;
    }
}

}  // namespace

std::string SnapshotText(const SnapshotExtras& extras) {
    std::string out = kHeader;
    out += "\ncounted ";
    out += std::to_string(extras.counted);
    out += "\nwords";
    for (const NamedWord& w : kWords)
        Put(out, w.name, gameWords.*w.word);
    out += "\nrandom";
    Put(out, "seed", randSeed);
    Put(out, "seed2", randSeed2);
    Put(out, "last", randLast);
    out += "\ntable";
    for (int32_t entry : randTable)
        out += ' ' + std::to_string(entry);
    std::array<bool, kCards> placed{};
    out += "\ndeck ";
    for (int32_t slot = 0; slot < kCards && slot < deck.total; ++slot) {
        const DeckEntry& e = deck.entries[slot];
        out += e.present == 1 ? '1' : '0';
        if (e.present == 1 && CardIndex(e.suit, e.rank) >= 0)
            placed[static_cast<size_t>(CardIndex(e.suit, e.rank))] = true;
    }
    out += "\ntrump";
    Put(out, "suit", trumpCard.suit);
    Put(out, "rank", trumpCard.rank);
    Put(out, "hidden", trumpCard.hidden);
    if (trumpCard.hidden == 0 && CardIndex(trumpCard.suit, trumpCard.rank) >= 0)
        placed[static_cast<size_t>(CardIndex(trumpCard.suit, trumpCard.rank))] = true;
    out += "\nstock";
    Put(out, "hidden", stockCard.hidden);
    for (const NamedPile& named : kPiles) {
        const CardPile& p = *named.pile;
        out += "\npile ";
        out += named.name;
        const int64_t pileValues[] = {p.sortMode,  p.perRow,    p.layoutMode, p.faceDown,
                                      p.backIndex, p.trumpSuit, p.count};
        for (size_t k = 0; k < std::size(kPileKeys); ++k)
            Put(out, kPileKeys[k], pileValues[k]);
        for (int32_t i = 1; i <= p.count; ++i) {
            const Card& c = CardAt(p, i);
            out += "\ncard";
            const int64_t cardValues[] = {c.suit,     c.rank,     c.hidden,   c.isTrump,
                                          c.selected, c.faceDown, c.backIndex};
            for (size_t k = 0; k < std::size(kCardKeys); ++k)
                Put(out, kCardKeys[k], cardValues[k]);
            if (CardIndex(c.suit, c.rank) >= 0)
                placed[static_cast<size_t>(CardIndex(c.suit, c.rank))] = true;
        }
    }
    // Beaten cards leave the game without a pile of their own: the rest.
    out += "\ndiscard";
    for (int32_t index = 0; index < kCards; ++index) {
        if (placed[static_cast<size_t>(index)]) continue;
        const int32_t suit = index / 9 + 1, step = index % 9;
        out += ' ' + std::to_string(suit) + ':' + std::to_string(step == 0 ? Ace : step + 5);
    }
    out += statusText ? "\nstatus text=" + Escaped(statusText) : std::string("\nstatus none");
    out += "\nfocus";
    Put(out, "position", extras.focusPosition);
    Put(out, "shown", extras.focusShown);
    if (extras.seen[0] != 0 || extras.seen[1] != 0 || extras.seen[2] != 0) {
        out += "\nseen";
        Put(out, "human", extras.seen[0]);
        Put(out, "computer", extras.seen[1]);
        Put(out, "table", extras.seen[2]);
    }
    out += "\nend\n";
    return out;
}

SnapshotStatus ReadSnapshot(const std::string& text, int32_t wantedType, SnapshotExtras* extras) {
    Lines in;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        in.lines.push_back(std::string_view(text).substr(at, end - at));
        at = end + 1;
    }
    Read r;
    SnapshotStatus status = Parse(in, &r);
    if (status == kSnapshotRead) status = Check(r);
    if (status != kSnapshotRead) return status;
    if (r.words[0] != wantedType) return kSnapshotOtherType;
    Take(r);
    extras->counted = static_cast<int32_t>(r.counted);
    extras->focusPosition = static_cast<int32_t>(r.focus[0]);
    extras->focusShown = static_cast<int32_t>(r.focus[1]);
    for (int i = 0; i < 3; ++i)
        extras->seen[i] = r.seen[i];
    return kSnapshotRead;
}
