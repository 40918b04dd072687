#include "app/hint.h"

#include <string>

#include "ai/expert/answer.h"
#include "app/account.h"
#include "app/keyboard.h"
#include "game/state.h"
#include "res/ids.h"

namespace {

PlayCard Named(int32_t card) {
    return PlayCard{expert::SuitOf(card), expert::RankOf(card)};
}

std::wstring Text(int32_t card) {
    return CardText(Named(card));
}

std::wstring Sentence(const expert::Move* moves, int32_t count) {
    const expert::Move& m = moves[0];
    const int32_t card = m.cards != 0 ? expert::Lowest(m.cards) : expert::kNoCard;
    switch (m.kind) {
        case expert::kMoveLead:
            return FormatText(IDS_HINT_LEAD, Text(card).c_str());
        case expert::kMoveThrowIn:
            return FormatText(IDS_HINT_THROW_IN, Text(card).c_str());
        case expert::kMoveTransfer:
            return FormatText(IDS_HINT_TRANSFER, Text(card).c_str());
        case expert::kMoveExtra:
            return FormatText(IDS_HINT_EXTRA, Text(card).c_str());
        case expert::kMoveCover: {
            std::wstring text =
                FormatText(IDS_HINT_COVER, Text(m.target).c_str(), Text(card).c_str());
            for (int32_t i = 1; i < count; ++i)
                text += FormatText(IDS_HINT_COVER_MORE, Text(moves[i].target).c_str(),
                                   Text(expert::Lowest(moves[i].cards)).c_str());
            return text;
        }
        case expert::kMoveTake:
            return LoadText(IDS_HINT_TAKE);
        case expert::kMoveEndBout:
            return LoadText(IDS_HINT_END_BOUT);
        default:
            return LoadText(IDS_HINT_STOP);
    }
}

// The frame on the first card the hint plays.
void FrameCard(int32_t card) {
    const PlayCard named = Named(card);
    for (int32_t i = 1; i <= humanHand.count; ++i)
        if (CardAt(humanHand, i).suit == named.suit && CardAt(humanHand, i).rank == named.rank) {
            focusPosition = i;
            focusShown = true;
            SyncFocusFrame();
            return;
        }
}

}  // namespace

void ShowHint() {
    expert::Move moves[18];
    const int32_t count = expert::ExpertHumanPlay(moves, 18);
    if (count == 0) {
        AddAccountLine(LoadText(IDS_HINT_NONE));
        return;
    }
    AddAccountLine(Sentence(moves, count));
    if (moves[0].cards != 0) FrameCard(expert::Lowest(moves[0].cards));
}
