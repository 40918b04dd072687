// Working the open dialog through input only, as a player or a driver
// would: taps on its controls and list items, keys, and reading the store.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

inline POINT CentreOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline void TapControl(int id) {
    RECT r{};
    ASSERT_TRUE(HeadlessControlRect(id, &r)) << id;
    HeadlessTap(CentreOf(r).x, CentreOf(r).y);
}

// Item n of a list box, or of a combo box's list once it is open.
inline void TapItem(int id, int n) {
    RECT r{};
    ASSERT_TRUE(HeadlessListItemRect(id, n, &r)) << id << " item " << n;
    HeadlessTap(CentreOf(r).x, CentreOf(r).y);
}

inline void PressKey(WPARAM key) {
    HeadlessKey(WM_KEYDOWN, key, 0);
    HeadlessKey(WM_KEYUP, key, 0);
}

// Sends the window a menu command whose dialog is then fed the steps, one
// each time the program waits for input; when they run out, input ends.
inline void RunCommand(HWND window, UINT command, std::vector<std::function<void()>> steps) {
    size_t next = 0;
    HeadlessSetInputSource([&] {
        if (next == steps.size()) return false;
        steps[next++]();
        return true;
    });
    SendMessageW(window, WM_COMMAND, command, 0);
    HeadlessSetInputSource(nullptr);
    EXPECT_EQ(next, steps.size()) << "the dialog ended before its last step";
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
