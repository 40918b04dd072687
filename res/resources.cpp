#include "res/resources.h"

#include <iterator>

#include "platform/platform.h"

// The pictures of res/pictures, compiled in by the build (res/Pictures.cmake).
extern const PictureResources programPictures;

namespace {

const StringResource kStrings[] = {
    {1, L"Velmora"},
    {2, L"file:velmora.0409.htm#%d"},
    {3, L"#VELMORA"},
    {4, L"About"},
    {300, L"Thrown up"},
    {301, L"Thrown up. Transfer"},
    {302, L"Bulk"},
    {303, L"Bulk. Transfer"},
    {304, L"Japanese"},
    {305, L"Japanese. Transfer"},
    {306, L"You win!"},
    {307, L"Transfer!"},
    {308, L"You can give me %d extra card(s)."},
    {309, L"Your move!"},
    {310, L"Ok (6 cards). My move."},
    {311, L"Ok (0 cards). My move."},
    {312, L"Transfer?"},
    {313, L"Select %d cards"},
    {314, L"Bad cards selected"},
    {315, L"   Please select a card!"},
    {316, L"You have taken %d card(s),\r\n including %d extra one(s)."},
    {317, L"You have taken %d card(s)"},
    {318, L"Ok. Your move!"},
    {319, L"Plaiting"},
    {320, L"Fish"},
    {321, L"Joconda"},
    {322, L"Gradient"},
    {323, L"Pattern"},
    {324, L"Green"},
    {325, L"Black"},
    {326, L"DarkRed"},
    {327, L"Blue"},
    {328, L"Gray"},
};

// Table 3: Alt+N is New, Alt+F4 is Exit.
const ACCEL kMainAccelerators[] = {
    {FVIRTKEY | FNOINVERT | FALT, 0x4E, 40012},
    {FVIRTKEY | FNOINVERT | FALT, 0x73, 40002},
};

const AcceleratorResource kAccelerators[] = {{3, kMainAccelerators, 2}};

// Menu 102, the main window's bar; menu 145, the Options page's "OK".
const MenuItemResource kGameMenu[] = {
    {40012, L"New"}, {40015, L"Statistics"}, {40014, L"Options"}, {40002, L"Exit"}};
const MenuItemResource kHelpMenu[] = {{40013, L"Rules"}, {40003, L"About"}};
const MenuBarItemResource kMainBar[] = {{L"Game", 0, kGameMenu, 4}, {L"Help", 0, kHelpMenu, 2}};
const MenuBarItemResource kOptionsBar[] = {{L"OK", 1, nullptr, 0}};
const MenuResource kMenus[] = {{102, kMainBar, 2}, {145, kOptionsBar, 1}};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
constexpr DWORD kCheckStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;

// Dialog 130: Options.
const DialogItemTemplate kOptionsItems[] = {
    {L"LISTBOX", L"", 1003, kListStyle, 2, 74, 59, 42},
    {L"STATIC", L"Card back              Background", IDC_STATIC, kLabelStyle, 2, 65, 120, 8},
    {L"LISTBOX", L"", 1006, kListStyle, 63, 74, 59, 42},
    {L"BUTTON", L"Double tap for play", 1008, kCheckStyle, 2, 12, 98, 11},
    {L"BUTTON", L"Show the number of cards left", 1011, kCheckStyle, 2, 0, 120, 11},
    {L"COMBOBOX", L"", 1015, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 2,
     34, 120, 74},
    {L"STATIC", L"Game type", IDC_STATIC, kLabelStyle, 2, 23, 63, 10},
    {L"BUTTON", L"Hide the number of the opponent's cards", 1014, kCheckStyle | BS_MULTILINE, 2, 47,
     120, 18},
};
const DLGTEMPLATE kOptions = {kDialogStyle, 0,         0, 124,           120,
                              L"Options",   L"System", 8, kOptionsItems, 8};

// Dialog 131: Statistics.
const DialogItemTemplate kStatisticsItems[] = {
    {L"STATIC", L"Computer\nHuman ", IDC_STATIC, kLabelStyle, 41, 7, 32, 18},
    {L"STATIC", L"", 1005, kLabelStyle, 79, 7, 25, 18},
    {L"STATIC", L":\n:", IDC_STATIC, kLabelStyle, 73, 7, 10, 18},
    {L"BUTTON", L"Clear", 1012, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 7, 7, 22, 18},
};
const DLGTEMPLATE kStatistics = {kDialogStyle,     0, 0, 111, 30, L"Statistics", L"System", 8,
                                 kStatisticsItems, 4};

const DialogResource kDialogs[] = {{130, &kOptions}, {131, &kStatistics}};

const ProgramResources kResources = {kStrings,
                                     static_cast<int>(std::size(kStrings)),
                                     kAccelerators,
                                     1,
                                     &programPictures,
                                     kMenus,
                                     2,
                                     kDialogs,
                                     2};

}  // namespace

void RegisterResources() {
    PlatformSetResources(&kResources);
}
