// The backends' clocks: the wall clock as the system time, and a time of
// day fixed so that a deal can be had again.
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
