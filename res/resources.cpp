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

const ProgramResources kResources = {kStrings, static_cast<int>(std::size(kStrings)), kAccelerators,
                                     1, &programPictures};

}  // namespace

void RegisterResources() {
    PlatformSetResources(&kResources);
}
