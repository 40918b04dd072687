// The Records dialog: a row for each game type, its name over its counts.
// Every column is a static of heads over a static of a line a row line.
#include "app/records_dialog.h"

#include <cwchar>
#include <string>

#include "app/opponent.h"
#include "app/records.h"
#include "app/statistics.h"
#include "app/window.h"
#include "game/host.h"
#include "game/types.h"
#include "res/ids.h"

namespace {

// The columns of the counts' line, left to right.
enum Column : int32_t {
    ColumnFinished,
    ColumnWon,
    ColumnLost,
    ColumnRate,
    ColumnStreak,
    ColumnBest,
    ColumnCount
};

constexpr WORD kColumnIds[ColumnCount] = {IDC_RECORD_FINISHED, IDC_RECORD_WON,    IDC_RECORD_LOST,
                                          IDC_RECORD_RATE,     IDC_RECORD_STREAK, IDC_RECORD_BEST};
constexpr UINT kColumnHeads[ColumnCount] = {IDS_RECORDS_FINISHED, IDS_RECORDS_WON,
                                            IDS_RECORDS_LOST,     IDS_RECORDS_RATE,
                                            IDS_RECORDS_STREAK,   IDS_RECORDS_BEST};

std::wstring Text(UINT id) {
    const wchar_t* text = LoadText(id);
    return text ? text : L"";
}

std::wstring Number(uint32_t n) {
    return std::to_wstring(n);
}

std::wstring Formatted(UINT id, uint32_t n) {
    wchar_t text[64];
    return std::swprintf(text, 64, Text(id).c_str(), n) > 0 ? text : L"";
}

std::wstring Cell(const TypeRecord& r, Column column) {
    const uint32_t finished = r.won + r.lost;
    switch (column) {
        case ColumnFinished:
            return Number(finished);
        case ColumnWon:
            return Number(r.won);
        case ColumnLost:
            return Number(r.lost);
        case ColumnRate:
            if (finished == 0) return Text(IDS_RECORDS_NO_RATE);
            // Whole percent, rounded half up; 64 bits, as the counts may be large.
            return Formatted(IDS_RECORDS_PERCENT,
                             static_cast<uint32_t>((uint64_t{r.won} * 200 + finished) /
                                                   (uint64_t{finished} * 2)));
        case ColumnStreak:
            if (r.streak > 0)
                return Formatted(IDS_RECORDS_WON_STREAK, static_cast<uint32_t>(r.streak));
            if (r.streak < 0)
                return Formatted(IDS_RECORDS_LOST_STREAK, 0u - static_cast<uint32_t>(r.streak));
            return Text(IDS_RECORDS_NO_STREAK);
        case ColumnBest:
            return Number(r.best);
        default:
            return {};
    }
}

void SetText(HWND dialog, int id, const std::wstring& text) {
    SetDlgItemTextW(dialog, id, text.c_str());
}

// Two lines of heads: the name's and the abandoned count's over the counts'.
void ShowHeads(HWND dialog) {
    SetText(dialog, IDC_RECORD_TYPES + IDC_RECORD_HEADS, Text(IDS_RECORDS_TYPE));
    SetText(dialog, IDC_RECORD_ABANDONED + IDC_RECORD_HEADS, Text(IDS_RECORDS_ABANDONED));
    for (int c = 0; c < ColumnCount; ++c)
        SetText(dialog, kColumnIds[c] + IDC_RECORD_HEADS, L"\n" + Text(kColumnHeads[c]));
}

// Two lines a type: the name and the abandoned count, then the counts.
void ShowRecords(HWND dialog) {
    std::wstring names, abandoned, columns[ColumnCount];
    for (int32_t type = 0; type < GameTypeCount; ++type) {
        const TypeRecord r = LoadRecord(type, OpponentRecordName());
        const wchar_t* name = GameTypeName(type);
        const wchar_t* gap = type == 0 ? L"" : L"\n";
        names += gap + std::wstring(name ? name : L"") + L"\n";
        abandoned += gap + Number(r.abandoned) + L"\n";
        for (int c = 0; c < ColumnCount; ++c)
            columns[c] += gap + std::wstring(L"\n") + Cell(r, static_cast<Column>(c));
    }
    SetText(dialog, IDC_RECORD_TYPES, names);
    SetText(dialog, IDC_RECORD_ABANDONED, abandoned);
    for (int c = 0; c < ColumnCount; ++c)
        SetText(dialog, kColumnIds[c], columns[c]);
}

void AskToClear(HWND dialog) {
    if (MessageBoxW(dialog, LoadText(IDS_RECORDS_ASK_CLEAR), Text(IDS_RECORDS).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ClearRecords(OpponentRecordName());
    ShowRecords(dialog);
}

}  // namespace

INT_PTR RecordsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowTextW(
                dialog,
                Text(computerPlayer == OpponentExpert ? IDS_RECORDS_EXPERT : IDS_RECORDS).c_str());
            SetText(dialog, IDC_RECORD_CLEAR, Text(IDS_RECORDS_CLEAR));
            SetText(dialog, IDOK, Text(IDS_RECORDS_CLOSE));
            ShowHeads(dialog);
            CentreDialog(dialog);
            // Afresh each time: other running copies may have played meanwhile.
            ShowRecords(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                case IDC_RECORD_CLEAR:
                    AskToClear(dialog);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
