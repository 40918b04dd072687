// The backends' clocks: the wall clock as the system time, and a time of
// day fixed so that a deal can be had again, with the text that names it.
#include "platform/clock.h"

#include <ctime>

#include "platform/internal.h"

SYSTEMTIME WallClockNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    return SYSTEMTIME{
        static_cast<WORD>(utc.tm_year + 1900), static_cast<WORD>(utc.tm_mon + 1),
        static_cast<WORD>(utc.tm_wday),        static_cast<WORD>(utc.tm_mday),
        static_cast<WORD>(utc.tm_hour),        static_cast<WORD>(utc.tm_min),
        static_cast<WORD>(utc.tm_sec),         static_cast<WORD>(now.tv_nsec / 1000000)};
}

SYSTEMTIME FixedTimeOfDay(int h, int m, int s, int ms) {
    return SYSTEMTIME{2026,
                      1,
                      4,
                      1,
                      static_cast<WORD>(h),
                      static_cast<WORD>(m),
                      static_cast<WORD>(s),
                      static_cast<WORD>(ms)};
}

bool ParseClockText(const char* text, int* h, int* m, int* s, int* ms) {
    // 'd' is a digit; any other character must be itself. A short text stops
    // at its NUL, which matches nothing.
    static constexpr char kShape[] = "dd:dd:dd.ddd";
    if (!text) return false;
    int fields[4] = {};
    int field = 0;
    for (int i = 0; kShape[i]; ++i) {
        const char c = text[i];
        if (kShape[i] != 'd') {
            if (c != kShape[i]) return false;
            ++field;
        } else if (c >= '0' && c <= '9') {
            fields[field] = fields[field] * 10 + (c - '0');
        } else {
            return false;
        }
    }
    if (text[sizeof kShape - 1] != '\0') return false;
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return false;
    *h = fields[0];
    *m = fields[1];
    *s = fields[2];
    *ms = fields[3];
    return true;
}
