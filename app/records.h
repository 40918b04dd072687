// Each game type's record against one opponent: games won, lost and
// abandoned, the current streak and the best winning streak, kept in the
// store's Records section apart from the score of Statistics.
#pragma once

#include <cstdint>

enum RecordField : int32_t {
    RecordWon,
    RecordLost,
    RecordAbandoned,
    RecordStreak,  // int32 bits: wins in a row above 0, losses below
    RecordBest,
    RecordFieldCount
};

struct TypeRecord {
    uint32_t won = 0;
    uint32_t lost = 0;
    uint32_t abandoned = 0;
    int32_t streak = 0;
    uint32_t best = 0;
    bool operator==(const TypeRecord&) const = default;
};

// A finished game counted in: winner 0 the human, 1 the computer.
void CountFinished(TypeRecord& record, int32_t winner);

// The stored name of one field, e.g. "t0.classic.won"; false when it does not
// fit or the type is none of the six.
bool RecordValueName(int32_t type, const wchar_t* opponent, RecordField field, wchar_t* name,
                     int size);

// Read afresh; a record nothing was stored for is all zeros.
TypeRecord LoadRecord(int32_t type, const wchar_t* opponent);
// Each read and rewritten under the store's lock, so that every running
// copy's games count.
void AddFinishedGame(int32_t type, const wchar_t* opponent, int32_t winner);
void AddAbandonedGame(int32_t type, const wchar_t* opponent);
// Every type's record against the opponent back to zeros.
void ClearRecords(const wchar_t* opponent);

// New or a change of type leaves the game in play: abandoned once a card
// is down.
void NoteGameLeft();
