#include "tools/replay/dump.h"

#include <cwchar>
#include <filesystem>

#include "app/account.h"
#include "app/keyboard.h"
#include "app/settings.h"
#include "app/shell.h"
#include "game/host.h"
#include "game/state.h"
#include "game/status.h"
#include "platform/headless/headless.h"
#include "res/ids.h"
#include "tools/replay/json.h"
#include "tools/replay/script.h"
#include "ui/table.h"

namespace {

void Field(JsonLine& j, const char* key, int64_t value) {
    j.Key(key);
    j.Int(value);
}

void SingleCard(JsonLine& j, const char* key, const Card& c) {
    j.Key(key);
    j.BeginObject();
    Field(j, "suit", c.suit);
    Field(j, "rank", c.rank);
    Field(j, "hidden", c.hidden);
    j.EndObject();
}

void Pile(JsonLine& j, const char* key, const CardPile& p) {
    j.Key(key);
    j.BeginArray();
    for (int32_t i = 1; i <= p.count; ++i) {
        const Card& c = CardAt(p, i);
        j.BeginObject();
        Field(j, "suit", c.suit);
        Field(j, "rank", c.rank);
        Field(j, "selected", c.selected);
        Field(j, "x", c.x);
        Field(j, "y", c.y);
        j.EndObject();
    }
    j.EndArray();
}

// The folder of this executable as it appears inside a file address: every
// byte but the unreserved ones and the slashes written as %XX.
std::string EscapedOwnFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    std::string out;
    for (unsigned char c : exe.parent_path().string()) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back("0123456789ABCDEF"[c >> 4]);
            out.push_back("0123456789ABCDEF"[c & 15]);
        }
    }
    return out;
}

// The page beside the executable moves with the build tree; written as
// $ORIGIN so that the dumps of one script are the same in every tree.
std::string WithOrigin(std::string arg) {
    static const std::string folder = EscapedOwnFolder() + "/";
    if (folder.size() < 2) return arg;
    for (size_t at = arg.find(folder); at != std::string::npos; at = arg.find(folder, at + 8))
        arg.replace(at, folder.size(), "$ORIGIN/");
    return arg;
}

// Every help launch since the last dump: the argument vector as spawned and
// the help text the program formats from string 2 for its Rules command.
void HelpLaunches(JsonLine& j) {
    static size_t dumped = 0;
    const auto& launches = HeadlessLaunches();
    wchar_t help[kWsprintfMax] = L"";
    if (const wchar_t* format = LoadText(IDS_RULES_LINK)) wsprintfW(help, format, IDH_RULES);
    j.Key("helpLaunches");
    j.BeginArray();
    for (; dumped < launches.size(); ++dumped) {
        j.BeginObject();
        j.Key("argv");
        j.BeginArray();
        for (const std::string& arg : launches[dumped])
            j.Text(WithOrigin(arg));
        j.EndArray();
        j.Key("help");
        j.Text(help);
        j.EndObject();
    }
    j.EndArray();
}

// The values the program keeps in the store, as it would read them back;
// null for one never written.
void Store(JsonLine& j) {
    j.Key("store");
    j.BeginObject();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        key = nullptr;
    for (const wchar_t* name :
         {kValueGameType, kValueHideCount, kValueCardsLeft, kValueDoubleTap, kValueBackground,
          kValueCardBack, kValueComputerWins, kValueHumanWins}) {
        DWORD type = REG_DWORD, size = 4;
        BYTE data[4] = {};
        j.Key(std::string(name, name + std::wcslen(name)).c_str());
        if (key && RegQueryValueExW(key, name, nullptr, &type, data, &size) == ERROR_SUCCESS)
            j.Int(data[0] | data[1] << 8 | data[2] << 16 | static_cast<int64_t>(data[3]) << 24);
        else
            j.Null();
    }
    if (key) RegCloseKey(key);
    j.EndObject();
}

// What the open dialog's check boxes, lists and combo boxes show now, by
// control id: the state a tap on OK would take.
void DialogControls(JsonLine& j) {
    j.Key("dialogControls");
    j.BeginObject();
    if (const DLGTEMPLATE* t = OpenDialogTemplate()) {
        for (int i = 0; i < t->itemCount; ++i) {
            const DialogItemTemplate& item = t->items[i];
            const std::wstring kind = item.className;
            const bool check = kind == L"BUTTON" && HeadlessControlState(item.id) >= 0;
            if (item.id == IDC_STATIC || !(check || kind == L"LISTBOX" || kind == L"COMBOBOX"))
                continue;
            Field(j, std::to_string(item.id).c_str(), HeadlessControlState(item.id));
        }
    }
    j.EndObject();
}

}  // namespace

const DLGTEMPLATE* OpenDialogTemplate() {
    int id = HeadlessOpenDialog();
    if (id < 0) return nullptr;
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<UINT>(id)), RT_DIALOG);
    return static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(instance, found)));
}

std::string DumpState() {
    JsonLine j;
    j.BeginObject();
    Field(j, "gameType", gameType);
    Field(j, "transferRule", transferRule);
    Field(j, "computerAttacks", computerAttacks);
    Field(j, "boutLedByComputer", boutLedByComputer);
    Field(j, "transferOpen", transferOpen);
    Field(j, "extraCardsAllowed", extraCardsAllowed);
    Field(j, "lastWinner", lastWinner);
    Field(j, "humanHandAtBoutStart", humanHandAtBoutStart);
    Field(j, "computerHandAtBoutStart", computerHandAtBoutStart);
    Field(j, "stock", Remaining(deck));
    SingleCard(j, "trump", trumpCard);
    SingleCard(j, "stockCard", stockCard);
    Pile(j, "humanHand", humanHand);
    Pile(j, "computerHand", computerHand);
    Pile(j, "humanTable", humanTable);
    Pile(j, "computerTable", computerTable);
    j.Key("status");
    j.Text(statusText);
    Field(j, "computerWins", computerWins);
    Field(j, "humanWins", humanWins);
    Field(j, "pressedButton", pressedButton);
    if (replayKeysUsed) Field(j, "focus", focusShown ? FocusedCard() : 0);
    wchar_t title[256] = L"";
    GetWindowTextW(mainWindow, title, 256);
    j.Key("title");
    j.Text(title);
    Field(j, "computerHandFaceDown", computerHandFaceDown);
    Field(j, "computerHandLayout", computerHandLayout);
    Field(j, "showCardsLeft", showCardsLeft);
    Field(j, "doubleTapPlay", doubleTapPlay);
    Field(j, "background", background);
    Field(j, "cardBack", cardBack);
    j.Key("messageBoxes");
    j.BeginArray();
    for (const BoxRecord& b : HeadlessBoxes()) {
        j.BeginObject();
        j.Key("text");
        j.Text(b.text.c_str());
        j.Key("caption");
        j.Text(b.caption.c_str());
        Field(j, "flags", b.flags);
        j.EndObject();
    }
    j.EndArray();
    j.Key("dialog");
    if (HeadlessOpenDialog() >= 0)
        j.Int(HeadlessOpenDialog());
    else
        j.Null();
    DialogControls(j);
    HelpLaunches(j);
    if (replayPauses) {
        j.Key("pauses");
        j.BeginArray();
        for (const PauseRecord& p : HeadlessPauses()) {
            j.BeginArray();
            j.Text(p.what);
            j.Int(p.ms);
            j.EndArray();
        }
        j.EndArray();
        HeadlessClearPauses();
    }
    if (replayLog) {
        j.Key("log");
        j.BeginArray();
        for (const std::wstring& line : TakeNewAccountLines())
            j.Text(line.c_str());
        j.EndArray();
    }
    Store(j);
    j.Key("invalidated");
    j.BeginArray();
    for (const Invalidation& inv : HeadlessInvalidations()) {
        j.BeginArray();
        j.Int(inv.rect.left);
        j.Int(inv.rect.top);
        j.Int(inv.rect.right);
        j.Int(inv.rect.bottom);
        j.EndArray();
    }
    j.EndArray();
    j.EndObject();
    HeadlessClearBoxes();
    HeadlessClearInvalidations();
    return j.str();
}
