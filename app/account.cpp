#include "app/account.h"

#include "app/window.h"
#include "game/card.h"
#include "game/host.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

std::vector<std::wstring> lines;
std::vector<std::wstring> fresh;
void (*whenChanged)() = nullptr;

const wchar_t kSuitMarks[] = L"\x2666\x2665\x2663\x2660";

// The human's entry of a pair; the computer's is the next.
UINT ForSide(UINT humanId, int32_t side) {
    return side == SideHuman ? humanId : humanId + 1;
}

// "a 7", "a 7 or a 9", "a 6, an 8 or a J".
std::wstring RankList(const PlayEvent& e) {
    std::wstring list;
    for (int32_t i = 0; i < e.listed; ++i) {
        const int32_t rank = e.cards[i].rank;
        if (rank < Ace - 8 || rank > Ace) continue;
        if (i > 0) list += LoadText(i + 1 == e.listed ? IDS_LOG_RANK_OR : IDS_LOG_LIST_JOIN);
        list += FormatText(rank == 8 || rank == Ace ? IDS_LOG_RANK_AN : IDS_LOG_RANK_A,
                           rankLabels[rank]);
    }
    return list;
}

std::wstring RefusalSentence(const PlayEvent& e) {
    const std::wstring card = CardText(e.card), target = CardText(e.target);
    switch (e.reason) {
        case RefusedTableFull:
            return FormatText(IDS_LOG_REFUSED_TABLE_FULL, e.count);
        case RefusedComputerOut:
            return LoadText(IDS_LOG_REFUSED_COMPUTER_OUT);
        case RefusedRank:
        case RefusedExtraRank:
            return FormatText(
                e.reason == RefusedRank ? IDS_LOG_REFUSED_RANK : IDS_LOG_REFUSED_EXTRA_RANK,
                RankList(e).c_str());
        case RefusedSelectCount:
            if (e.count == 1) return LoadText(IDS_LOG_REFUSED_SELECT_ONE);
            return FormatText(IDS_LOG_REFUSED_SELECT_COUNT, e.count);
        case RefusedCoverAll:
            if (e.target.rank == NoCard) return FormatText(IDS_LOG_REFUSED_COVER_TOGETHER, e.count);
            return FormatText(IDS_LOG_REFUSED_COVER_ALL, target.c_str());
        case RefusedCannotBeat:
            return FormatText(IDS_LOG_REFUSED_CANNOT_BEAT, card.c_str(), target.c_str());
        case RefusedSpadeOnly:
            return FormatText(IDS_LOG_REFUSED_SPADE_ONLY, target.c_str());
        case RefusedNoExtraCard:
            return LoadText(IDS_LOG_REFUSED_NO_EXTRA_CARD);
        default:
            return LoadText(IDS_LOG_REFUSED_NO_CARD);
    }
}

void Add(std::wstring line) {
    lines.push_back(line);
    fresh.push_back(std::move(line));
    if (whenChanged) whenChanged();
}

void Note(const PlayEvent& event) {
    if (event.kind == PlayNewGame) lines.clear();
    Add(PlaySentence(event));
}

}  // namespace

const wchar_t* SuitName(int32_t suit) {
    return LoadText(IDS_LOG_SUIT_DIAMONDS + static_cast<UINT>(suit - Diamonds));
}

std::wstring CardText(PlayCard card) {
    if (card.rank < Ace - 8 || card.rank > Ace || card.suit < Diamonds || card.suit > Spades)
        return L"?";
    return std::wstring(rankLabels[card.rank]) + kSuitMarks[card.suit - 1];
}

std::wstring PlaySentence(const PlayEvent& e) {
    const std::wstring card = CardText(e.card), target = CardText(e.target);
    switch (e.kind) {
        case PlayNewGame: {
            const wchar_t* type = GameTypeName(e.count);
            const wchar_t* suit = SuitName(e.trumpSuit);
            const std::wstring leads = LoadText(ForSide(IDS_LOG_HUMAN_LEADS_GAME, e.side));
            if (e.trumpShown)
                return FormatText(IDS_LOG_NEW_GAME_SHOWN, type, card.c_str(), suit, leads.c_str());
            return FormatText(IDS_LOG_NEW_GAME, type, suit, leads.c_str());
        }
        case PlayLead:
            return FormatText(ForSide(IDS_LOG_HUMAN_LEADS, e.side), card.c_str());
        case PlayThrowIn:
            return FormatText(ForSide(IDS_LOG_HUMAN_THROWS_IN, e.side), card.c_str());
        case PlayCover: {
            // A trump is named as such where it beats a plain card.
            const bool trump = e.card.suit == e.trumpSuit && e.target.suit != e.trumpSuit;
            return FormatText(
                ForSide(trump ? IDS_LOG_HUMAN_COVERS_TRUMP : IDS_LOG_HUMAN_COVERS, e.side),
                target.c_str(), card.c_str());
        }
        case PlayTransfer:
            return FormatText(ForSide(IDS_LOG_HUMAN_TRANSFERS, e.side), card.c_str());
        case PlayExtra:
            return FormatText(ForSide(IDS_LOG_HUMAN_GIVES_EXTRA, e.side), card.c_str());
        case PlayTake:
            if (e.count == 1) return LoadText(ForSide(IDS_LOG_HUMAN_TAKES_ONE, e.side));
            return FormatText(ForSide(IDS_LOG_HUMAN_TAKES, e.side), e.count);
        case PlayBeaten:
            return FormatText(IDS_LOG_BEATEN, e.count);
        case PlayDraw: {
            if (e.side == SideComputer)
                return e.count == 1 ? LoadText(IDS_LOG_COMPUTER_DRAWS_ONE)
                                    : FormatText(IDS_LOG_COMPUTER_DRAWS, e.count);
            std::wstring drawn;
            for (int32_t i = 0; i < e.listed && i < 18; ++i)
                drawn += (i ? LoadText(IDS_LOG_LIST_JOIN) : L"") + CardText(e.cards[i]);
            return FormatText(IDS_LOG_HUMAN_DRAWS, drawn.c_str());
        }
        case PlayRefused:
            return RefusalSentence(e);
        case PlayResumed:
            return FormatText(IDS_LOG_RESUMED, GameTypeName(e.count), SuitName(e.trumpSuit));
        case PlayGameOver:
            return FormatText(ForSide(IDS_LOG_HUMAN_WINS, e.side), static_cast<int>(e.humanWins),
                              static_cast<int>(e.computerWins));
    }
    return L"";
}

void KeepAccount(bool on, void (*changed)()) {
    playListener = on ? Note : nullptr;
    whenChanged = on ? changed : nullptr;
    lines.clear();
    fresh.clear();
}

void AddAccountLine(const std::wstring& line) {
    if (playListener == Note) Add(line);
}

const std::vector<std::wstring>& AccountLines() {
    return lines;
}

std::vector<std::wstring> TakeNewAccountLines() {
    std::vector<std::wstring> taken;
    taken.swap(fresh);
    return taken;
}
