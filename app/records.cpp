#include "app/records.h"

#include <cwchar>

#include "app/opponent.h"
#include "app/settings.h"
#include "game/state.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

constexpr const wchar_t* kFieldNames[RecordFieldCount] = {
    kValueRecordWon, kValueRecordLost, kValueRecordAbandoned, kValueRecordStreak, kValueRecordBest};
constexpr int kNameSize = 64;
constexpr int kAllFields = int{GameTypeCount} * int{RecordFieldCount};

struct TypeNames {
    wchar_t text[RecordFieldCount][kNameSize];
    const wchar_t* names[RecordFieldCount];
};

bool NamesOf(int32_t type, const wchar_t* opponent, TypeNames* out) {
    for (int f = 0; f < RecordFieldCount; ++f) {
        if (!RecordValueName(type, opponent, static_cast<RecordField>(f), out->text[f], kNameSize))
            return false;
        out->names[f] = out->text[f];
    }
    return true;
}

TypeRecord FromValues(const DWORD* v) {
    return {v[RecordWon], v[RecordLost], v[RecordAbandoned], static_cast<int32_t>(v[RecordStreak]),
            v[RecordBest]};
}

void ToValues(const TypeRecord& r, DWORD* v) {
    v[RecordWon] = r.won;
    v[RecordLost] = r.lost;
    v[RecordAbandoned] = r.abandoned;
    v[RecordStreak] = static_cast<DWORD>(r.streak);
    v[RecordBest] = r.best;
}

// Runs update over the values under one hold of the store's lock.
void UpdateRecordValues(const wchar_t* const* names, int count, PlatformValuesUpdate update,
                        void* context) {
    HKEY key;
    wchar_t noClass[] = L"";
    DWORD disposition;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRecordsKey, 0, noClass, 0, 0, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return;
    PlatformRegUpdateValues(key, names, count, update, context);
    RegCloseKey(key);
}

}  // namespace

void CountFinished(TypeRecord& record, int32_t winner) {
    if (winner == 0) {
        ++record.won;
        record.streak = record.streak > 0 && record.streak < INT32_MAX ? record.streak + 1 : 1;
        if (static_cast<uint32_t>(record.streak) > record.best)
            record.best = static_cast<uint32_t>(record.streak);
    } else {
        ++record.lost;
        record.streak = record.streak < 0 && record.streak > -INT32_MAX ? record.streak - 1 : -1;
    }
}

bool RecordValueName(int32_t type, const wchar_t* opponent, RecordField field, wchar_t* name,
                     int size) {
    if (!IsGameType(type) || !opponent || field < 0 || field >= RecordFieldCount || size <= 0)
        return false;
    int length = std::swprintf(name, static_cast<size_t>(size), L"t%d.%ls.%ls",
                               static_cast<int>(type), opponent, kFieldNames[field]);
    return length > 0 && length < size;
}

TypeRecord LoadRecord(int32_t type, const wchar_t* opponent) {
    TypeNames n;
    DWORD values[RecordFieldCount] = {};
    if (NamesOf(type, opponent, &n))
        for (int f = 0; f < RecordFieldCount; ++f)
            values[f] = LoadSetting(n.names[f], kRecordsKey);
    return FromValues(values);
}

void AddFinishedGame(int32_t type, const wchar_t* opponent, int32_t winner) {
    TypeNames n;
    if (!NamesOf(type, opponent, &n)) return;
    UpdateRecordValues(
        n.names, RecordFieldCount,
        [](DWORD* values, int, void* context) {
            TypeRecord r = FromValues(values);
            CountFinished(r, *static_cast<int32_t*>(context));
            ToValues(r, values);
        },
        &winner);
}

void AddAbandonedGame(int32_t type, const wchar_t* opponent) {
    wchar_t name[kNameSize];
    if (RecordValueName(type, opponent, RecordAbandoned, name, kNameSize))
        AddOneToSetting(0, name, kRecordsKey);
}

void ClearRecords(const wchar_t* opponent) {
    TypeNames n[GameTypeCount];
    const wchar_t* names[kAllFields];
    for (int32_t t = 0; t < GameTypeCount; ++t) {
        if (!NamesOf(t, opponent, &n[t])) return;
        for (int f = 0; f < RecordFieldCount; ++f)
            names[t * RecordFieldCount + f] = n[t].names[f];
    }
    UpdateRecordValues(
        names, kAllFields,
        [](DWORD* values, int count, void*) {
            for (int i = 0; i < count; ++i)
                values[i] = 0;
        },
        nullptr);
}

void NoteGameLeft() {
    if (cardLaidThisGame == 1) AddAbandonedGame(gameType, OpponentRecordName());
}
