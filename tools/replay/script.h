// The replay script: one line at a time, fed to whichever message loop is
// running when the program has nothing else to do.
#pragma once

#include <istream>
#include <string>

class ReplayScript {
  public:
    explicit ReplayScript(std::istream& in) : in_(in) {}
    // Runs the next line: input is queued, a dump is printed. False at the
    // end of the script. A malformed line ends the process with status 2.
    bool Next();

  private:
    [[noreturn]] void Fail(const std::string& why) const;
    void TapCard(int suit, int rank) const;
    std::istream& in_;
    int lineNumber_ = 0;
    std::string line_;
};

// Set by the driver: what to tidy before the process ends on a bad line.
extern void (*replayCleanup)();
