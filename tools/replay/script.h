// The replay script: one line at a time, fed to whichever message loop is
// running when the program has nothing else to do.
#pragma once

#include <sstream>
#include <string>

class ReplayScript {
  public:
    // Reads the script from the open file `fd`.
    explicit ReplayScript(int fd) : fd_(fd) {}
    // Runs the next line: input is queued, a dump is printed. False at the
    // end of the script. A malformed line ends the process with status 2.
    bool Next();

  private:
    enum class Read { kLine, kEnd, kTooLong, kNul, kError };
    Read ReadLine();
    [[noreturn]] void Fail(const std::string& why) const;
    void TapCard(int suit, int rank) const;
    void OpenMenu(std::istringstream& words);
    bool FinishMenu();
    void WorkControl(std::istringstream& words);
    void FinishSelect();
    void CloseDialog(std::istringstream& words);
    void PressKey(const std::string& name) const;
    int fd_;
    // Read from fd_ but not yet taken into a line.
    char buffer_[4096];
    int buffered_ = 0;
    int taken_ = 0;
    int readError_ = 0;  // errno of a failed read
    int lineNumber_ = 0;
    std::string line_;
    // A `menu` line waits for its menu to open before it checks it and
    // taps the item it names (empty: none).
    bool menuPending_ = false;
    std::string menuItem_;
    // A `select` on a drop-down combo taps the combo, then, once its list
    // is open, item selectItem_ of it.
    int selectCombo_ = -1;
    int selectItem_ = 0;
};

// Set once a script presses a key of keyboard play: dumps then show the
// focus mark too.
extern bool replayKeysUsed;
// Set by --pace: dumps show the pauses recorded since the last dump.
extern bool replayPauses;
// Set by --log: dumps show the account of play's sentences since the last.
extern bool replayLog;

// Set by a `restart` line: the program ends (as on Exit, or inside a box or
// dialog as at a kill) and the driver starts it again.
extern bool replayRestart;

// Set by the driver: what to tidy before the process ends on a bad line.
extern void (*replayCleanup)();
