// Working the open dialog through input only, as a player or a driver
// would: taps on its controls and list items, keys, and reading the store.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/fixture.h"

inline void TapControl(int id) {
    RECT r{};
    ASSERT_TRUE(HeadlessControlRect(id, &r)) << id;
    TapCentre(r);
}

// Item n of a list box, or of a combo box's list once it is open.
inline void TapItem(int id, int n) {
    RECT r{};
    ASSERT_TRUE(HeadlessListItemRect(id, n, &r)) << id << " item " << n;
    TapCentre(r);
}

// Sends the window a menu command whose dialog is then fed the steps, one
// each time the program waits for input; when they run out, input ends.
inline void RunCommand(HWND window, UINT command, std::vector<std::function<void()>> steps) {
    StepInput input(std::move(steps));
    SendMessageW(window, WM_COMMAND, command, 0);
    EXPECT_TRUE(input.Done()) << "the dialog ended before its last step";
}

// The values of settings.ini under a config folder, by name.
inline std::map<std::string, std::string> StoredValues(const std::string& configDir) {
    std::map<std::string, std::string> values;
    std::ifstream file(std::filesystem::path(configDir) / "velmora" / "settings.ini");
    std::string line;
    while (std::getline(file, line)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}
