#include "res/resources.h"

#include <iterator>

#include "platform/platform.h"
#include "res/ids.h"

// The pictures of res/pictures, compiled in by the build (res/Pictures.cmake).
extern const PictureResources programPictures;

namespace {

const StringResource kStrings[] = {
    {IDS_TITLE, L"Velmora"},
    {IDS_RULES_LINK, L"file:velmora.0409.htm#%d"},
    {IDS_CLASS, L"#VELMORA"},
    {IDS_ABOUT, L"About"},
    {IDS_THROWN_UP, L"Thrown up"},
    {IDS_THROWN_UP_TRANSFER, L"Thrown up. Transfer"},
    {IDS_BULK, L"Bulk"},
    {IDS_BULK_TRANSFER, L"Bulk. Transfer"},
    {IDS_JAPANESE, L"Japanese"},
    {IDS_JAPANESE_TRANSFER, L"Japanese. Transfer"},
    {IDS_YOU_WIN, L"You win!"},
    {IDS_TRANSFERRED, L"Transfer!"},
    {IDS_EXTRA_CARDS, L"You can give me %d extra card(s)."},
    {IDS_YOUR_MOVE, L"Your move!"},
    {IDS_TABLE_FULL, L"Ok (6 cards). My move."},
    {IDS_COMPUTER_OUT, L"Ok (0 cards). My move."},
    {IDS_ASK_TRANSFER, L"Transfer?"},
    {IDS_SELECT_COUNT, L"Select %d cards"},
    {IDS_BAD_SELECTION, L"Bad cards selected"},
    {IDS_SELECT_A_CARD, L"   Please select a card!"},
    {IDS_TAKEN_WITH_EXTRAS, L"You have taken %d card(s),\r\n including %d extra one(s)."},
    {IDS_TAKEN, L"You have taken %d card(s)"},
    {IDS_OK_YOUR_MOVE, L"Ok. Your move!"},
    {IDS_BACK_PLAITING, L"Plaiting"},
    {IDS_BACK_FISH, L"Fish"},
    {IDS_BACK_JOCONDA, L"Joconda"},
    {IDS_BACK_GRADIENT, L"Gradient"},
    {IDS_BACK_PATTERN, L"Pattern"},
    {IDS_COLOUR_GREEN, L"Green"},
    {IDS_COLOUR_BLACK, L"Black"},
    {IDS_COLOUR_DARK_RED, L"DarkRed"},
    {IDS_COLOUR_BLUE, L"Blue"},
    {IDS_COLOUR_GRAY, L"Gray"},
    {IDS_LOG_NEW_GAME_SHOWN, L"New game: %s. The %s is turned up; %s are trumps. %s"},
    {IDS_LOG_NEW_GAME, L"New game: %s. %s are trumps. %s"},
    {IDS_LOG_RESUMED, L"Your unfinished game of %s is back. %s are trumps."},
    {IDS_LOG_RULES_UNAVAILABLE,
     L"The rules could not be opened: no program to show them, or no page of them, was found."},
    {IDS_HINT_LEAD, L"Hint: lead the %s"},
    {IDS_HINT_THROW_IN, L"Hint: add the %s"},
    {IDS_HINT_COVER, L"Hint: cover the %s with the %s"},
    {IDS_HINT_COVER_MORE, L", the %s with the %s"},
    {IDS_HINT_TRANSFER, L"Hint: pass the attack on with the %s"},
    {IDS_HINT_TAKE, L"Hint: take the cards (the lower button)"},
    {IDS_HINT_END_BOUT, L"Hint: let the bout go (the lower button)"},
    {IDS_HINT_EXTRA, L"Hint: give the %s"},
    {IDS_HINT_STOP, L"Hint: give no more (the lower button)"},
    {IDS_HINT_NONE, L"No hint now: the move is not yours."},
    {IDS_LOG_HUMAN_LEADS_GAME, L"You lead."},
    {IDS_LOG_COMPUTER_LEADS_GAME, L"I lead."},
    {IDS_LOG_SUIT_DIAMONDS, L"Diamonds \x2666"},
    {IDS_LOG_SUIT_HEARTS, L"Hearts \x2665"},
    {IDS_LOG_SUIT_CLUBS, L"Clubs \x2663"},
    {IDS_LOG_SUIT_SPADES, L"Spades \x2660"},
    {IDS_LOG_HUMAN_LEADS, L"You lead the %s."},
    {IDS_LOG_COMPUTER_LEADS, L"I lead the %s."},
    {IDS_LOG_HUMAN_THROWS_IN, L"You throw in the %s."},
    {IDS_LOG_COMPUTER_THROWS_IN, L"I throw in the %s."},
    {IDS_LOG_HUMAN_COVERS, L"You beat my %s with the %s."},
    {IDS_LOG_COMPUTER_COVERS, L"I beat your %s with the %s."},
    {IDS_LOG_HUMAN_COVERS_TRUMP, L"You beat my %s with a trump, the %s."},
    {IDS_LOG_COMPUTER_COVERS_TRUMP, L"I beat your %s with a trump, the %s."},
    {IDS_LOG_HUMAN_TRANSFERS, L"You pass the attack on to me with the %s."},
    {IDS_LOG_COMPUTER_TRANSFERS, L"I pass the attack on to you with the %s."},
    {IDS_LOG_HUMAN_GIVES_EXTRA, L"You give me the %s as an extra card."},
    {IDS_LOG_COMPUTER_GIVES_EXTRA, L"I give you the %s as an extra card."},
    {IDS_LOG_HUMAN_TAKES, L"You take %d cards."},
    {IDS_LOG_COMPUTER_TAKES, L"I take %d cards."},
    {IDS_LOG_HUMAN_TAKES_ONE, L"You take the card."},
    {IDS_LOG_COMPUTER_TAKES_ONE, L"I take the card."},
    {IDS_LOG_HUMAN_DRAWS, L"You draw %s."},
    {IDS_LOG_COMPUTER_DRAWS, L"I draw %d cards."},
    {IDS_LOG_COMPUTER_DRAWS_ONE, L"I draw a card."},
    {IDS_LOG_HUMAN_WINS, L"You win this game. Score: you %d, me %d."},
    {IDS_LOG_COMPUTER_WINS, L"I win this game. Score: you %d, me %d."},
    {IDS_LOG_BEATEN, L"Beaten: %d cards go to the discard."},
    {IDS_LOG_LIST_JOIN, L", "},
    {IDS_LOG_REFUSED_NO_CARD, L"Select a card first, then tap the table."},
    {IDS_LOG_REFUSED_TABLE_FULL, L"%d cards are on the table; no more can be added."},
    {IDS_LOG_REFUSED_COMPUTER_OUT,
     L"I have no cards left to beat more with; no more can be added."},
    {IDS_LOG_REFUSED_RANK, L"Only %s can be added now."},
    {IDS_LOG_REFUSED_SELECT_COUNT, L"Select %d cards to cover with."},
    {IDS_LOG_REFUSED_COVER_ALL, L"None of the cards you chose can beat the %s."},
    {IDS_LOG_REFUSED_CANNOT_BEAT, L"The %s cannot beat the %s."},
    {IDS_LOG_REFUSED_SPADE_ONLY, L"Only a spade can beat the %s."},
    {IDS_LOG_REFUSED_NO_EXTRA_CARD, L"Select a card to give me, or tap the button to let me take."},
    {IDS_LOG_REFUSED_EXTRA_RANK, L"Only %s can be given now."},
    {IDS_LOG_REFUSED_SELECT_ONE, L"Select one card to cover with."},
    {IDS_LOG_REFUSED_COVER_TOGETHER, L"The cards you chose cannot beat all %d cards at once."},
    {IDS_LOG_RANK_A, L"a %s"},
    {IDS_LOG_RANK_AN, L"an %s"},
    {IDS_LOG_RANK_OR, L" or "},
    {IDS_SAY_FOCUS, L"%s, card %d of %d"},
    {IDS_SAY_FOCUS_SELECTED, L"%s, card %d of %d, selected"},
    {IDS_SAY_HAND_EMPTY, L"Your hand is empty."},
    {IDS_SAY_HAND, L"Your hand, %d cards: %s."},
    {IDS_SAY_HAND_ONE, L"Your hand, one card: %s."},
    {IDS_SAY_CARD_SELECTED, L"%s selected"},
    {IDS_SAY_TABLE_EMPTY, L"The table is empty."},
    {IDS_SAY_TABLE, L"On the table: %s."},
    {IDS_SAY_TABLE_JOIN, L"; "},
    {IDS_SAY_MY_CARD_BEATEN, L"my %s, beaten by your %s"},
    {IDS_SAY_MY_CARD_OPEN, L"my %s, not beaten"},
    {IDS_SAY_YOUR_CARD_BEATEN, L"your %s, beaten by my %s"},
    {IDS_SAY_YOUR_CARD_OPEN, L"your %s, not beaten"},
    {IDS_SAY_TRUMP_CARD, L"The %s is turned up: %s are trumps."},
    {IDS_SAY_TRUMP_SUIT, L"%s are trumps."},
    {IDS_SAY_STOCK, L"%d cards are left to draw."},
    {IDS_SAY_STOCK_ONE, L"One card is left to draw."},
    {IDS_SAY_STOCK_EMPTY, L"Nothing is left to draw."},
    {IDS_SAY_COMPUTER_HOLDS, L"I hold %d cards."},
    {IDS_SAY_COMPUTER_HOLDS_ONE, L"I hold one card."},
    {IDS_SAY_COMPUTER_EMPTY, L"I hold no cards."},
    {IDS_SAY_COMPUTER_STACKED, L"My cards lie in one stack."},
    {IDS_SAY_COMPUTER_SHOWN, L"My hand: %s."},
    {IDS_SAY_BUTTONS, L"Down or T: %s. S: %s."},
    {IDS_SAY_LOWER_TAKE, L"take the table"},
    {IDS_SAY_LOWER_DONE, L"end your attack"},
    {IDS_SAY_LOWER_LET_TAKE, L"let me take the table"},
    {IDS_SAY_UPPER_BY_SUIT, L"sort your hand by suit"},
    {IDS_SAY_UPPER_BY_RANK, L"sort your hand by rank"},
    {IDS_RECORDS, L"Records"},
    {IDS_RECORDS_TYPE, L"Game type"},
    {IDS_RECORDS_FINISHED, L"Finished"},
    {IDS_RECORDS_WON, L"Won"},
    {IDS_RECORDS_LOST, L"Lost"},
    {IDS_RECORDS_RATE, L"Rate"},
    {IDS_RECORDS_STREAK, L"Streak"},
    {IDS_RECORDS_BEST, L"Best"},
    {IDS_RECORDS_ABANDONED, L"Abandoned"},
    {IDS_RECORDS_CLEAR, L"Clear"},
    {IDS_RECORDS_CLOSE, L"Close"},
    {IDS_RECORDS_ASK_CLEAR, L"Clear the records of every game type?"},
    {IDS_RECORDS_PERCENT, L"%u%%"},
    {IDS_RECORDS_NO_RATE, L"-"},
    {IDS_RECORDS_WON_STREAK, L"%u won"},
    {IDS_RECORDS_LOST_STREAK, L"%u lost"},
    {IDS_RECORDS_NO_STREAK, L"-"},
    {IDS_RECORDS_EXPERT, L"Records against Expert"},
};

// Alt+N is New, Alt+F4 is Exit.
const ACCEL kMainAccelerators[] = {
    {FVIRTKEY | FNOINVERT | FALT, 0x4E, IDM_NEW},
    {FVIRTKEY | FNOINVERT | FALT, 0x73, IDM_EXIT},
};

const AcceleratorResource kAccelerators[] = {{IDR_ACCELERATORS, kMainAccelerators, 2}};

// The main window's bar; the Options page's, a lone "OK".
const MenuItemResource kGameMenu[] = {{IDM_NEW, L"New"},
                                      {IDM_STATISTICS, L"Statistics"},
                                      {IDM_OPTIONS, L"Options"},
                                      {IDM_EXIT, L"Exit"}};
const MenuItemResource kHelpMenu[] = {{IDM_RULES, L"Rules"}, {IDM_ABOUT, L"About"}};
const MenuItemResource kPaceMenu[] = {{IDM_ACCOUNT_PANEL, L"Account of play"},
                                      {IDM_RECORDS, L"Records"},
                                      {IDM_PACE_OFF, L"Off"},
                                      {IDM_PACE_NORMAL, L"Normal"},
                                      {IDM_PACE_SLOW, L"Slow"}};
const MenuItemResource kPlayMenu[] = {{IDM_HINT, L"Hint"},
                                      {IDM_OPPONENT_CLASSIC, L"Classic opponent"},
                                      {IDM_OPPONENT_EXPERT, L"Expert opponent"}};
const MenuBarItemResource kMainBar[] = {{L"Game", 0, kGameMenu, 4},
                                        {L"Help", 0, kHelpMenu, 2},
                                        {L"Pace", 0, kPaceMenu, 5},
                                        {L"Play", 0, kPlayMenu, 3}};
const MenuBarItemResource kOptionsBar[] = {{L"OK", 1, nullptr, 0}};
const MenuResource kMenus[] = {{IDR_MAIN_MENU, kMainBar, 4}, {IDR_OPTIONS_MENU, kOptionsBar, 1}};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
constexpr DWORD kCheckStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;

// Options.
const DialogItemTemplate kOptionsItems[] = {
    {L"LISTBOX", L"", IDC_CARD_BACKS, kListStyle, 2, 74, 59, 42},
    {L"STATIC", L"Card back              Background", IDC_STATIC, kLabelStyle, 2, 65, 120, 8},
    {L"LISTBOX", L"", IDC_BACKGROUNDS, kListStyle, 63, 74, 59, 42},
    {L"BUTTON", L"Double tap for play", IDC_DOUBLE_TAP, kCheckStyle, 2, 12, 98, 11},
    {L"BUTTON", L"Show the number of cards left", IDC_CARDS_LEFT, kCheckStyle, 2, 0, 120, 11},
    {L"COMBOBOX", L"", IDC_GAME_TYPES,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 2, 34, 120, 74},
    {L"STATIC", L"Game type", IDC_STATIC, kLabelStyle, 2, 23, 63, 10},
    {L"BUTTON", L"Hide the number of the opponent's cards", IDC_HIDE_COUNT,
     kCheckStyle | BS_MULTILINE, 2, 47, 120, 18},
};
const DLGTEMPLATE kOptions = {kDialogStyle, 0,         0, 124,           120,
                              L"Options",   L"System", 8, kOptionsItems, 8};

// Statistics.
const DialogItemTemplate kStatisticsItems[] = {
    {L"STATIC", L"Computer\nHuman ", IDC_STATIC, kLabelStyle, 41, 7, 32, 18},
    {L"STATIC", L"", IDC_COUNTS, kLabelStyle, 79, 7, 25, 18},
    {L"STATIC", L":\n:", IDC_STATIC, kLabelStyle, 73, 7, 10, 18},
    {L"BUTTON", L"Clear", IDC_CLEAR, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 7, 7, 22,
     18},
};
const DLGTEMPLATE kStatistics = {kDialogStyle,     0, 0, 111, 30, L"Statistics", L"System", 8,
                                 kStatisticsItems, 4};

// Records: two lines of heads, then a row of two lines a game type, the
// type's name over its counts. Each column is a static of heads and one of
// twelve lines below it; the texts come from the string table.
constexpr DWORD kRightStyle = kLabelStyle | SS_RIGHT;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr WORD Heads(WORD column) {
    return static_cast<WORD>(column + IDC_RECORD_HEADS);
}
const DialogItemTemplate kRecordsItems[] = {
    {L"STATIC", L"", Heads(IDC_RECORD_TYPES), kLabelStyle, 3, 3, 128, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_ABANDONED), kRightStyle, 83, 3, 48, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_FINISHED), kRightStyle, 3, 3, 27, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_WON), kRightStyle, 30, 3, 19, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_LOST), kRightStyle, 49, 3, 17, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_RATE), kRightStyle, 66, 3, 20, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_STREAK), kRightStyle, 86, 3, 25, 16},
    {L"STATIC", L"", Heads(IDC_RECORD_BEST), kRightStyle, 111, 3, 20, 16},
    {L"STATIC", L"", IDC_RECORD_TYPES, kLabelStyle, 3, 23, 128, 96},
    {L"STATIC", L"", IDC_RECORD_ABANDONED, kRightStyle, 83, 23, 48, 96},
    {L"STATIC", L"", IDC_RECORD_FINISHED, kRightStyle, 3, 23, 27, 96},
    {L"STATIC", L"", IDC_RECORD_WON, kRightStyle, 30, 23, 19, 96},
    {L"STATIC", L"", IDC_RECORD_LOST, kRightStyle, 49, 23, 17, 96},
    {L"STATIC", L"", IDC_RECORD_RATE, kRightStyle, 66, 23, 20, 96},
    {L"STATIC", L"", IDC_RECORD_STREAK, kRightStyle, 86, 23, 25, 96},
    {L"STATIC", L"", IDC_RECORD_BEST, kRightStyle, 111, 23, 20, 96},
    {L"BUTTON", L"", IDC_RECORD_CLEAR, kButtonStyle, 3, 124, 40, 14},
    {L"BUTTON", L"", IDOK, kButtonStyle, 91, 124, 40, 14},
};
const DLGTEMPLATE kRecords = {
    kDialogStyle, 0,         0, 134,           141,
    L"",          L"System", 8, kRecordsItems, static_cast<int>(std::size(kRecordsItems))};

const DialogResource kDialogs[] = {
    {IDD_OPTIONS, &kOptions}, {IDD_STATISTICS, &kStatistics}, {IDD_RECORDS, &kRecords}};

const ProgramResources kResources = {kStrings,
                                     static_cast<int>(std::size(kStrings)),
                                     kAccelerators,
                                     1,
                                     &programPictures,
                                     kMenus,
                                     2,
                                     kDialogs,
                                     3};

}  // namespace

void RegisterResources() {
    PlatformSetResources(&kResources);
}
