#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

struct ClockCase {
    const char* text;
    int h, m, s, ms;
};

const ClockCase kGoodClockTexts[] = {
    {"00:00:00.000", 0, 0, 0, 0},  {"23:59:59.999", 23, 59, 59, 999}, {"12:00:00.000", 12, 0, 0, 0},
    {"07:08:09.010", 7, 8, 9, 10}, {"19:45:30.501", 19, 45, 30, 501},
};

const char* const kBadClockTexts[] = {
    // Out of range.
    "24:00:00.000", "99:00:00.000", "12:60:00.000", "12:00:60.000",
    // Signs, blanks and short or long fields, which scanf lets through.
    "-0:0:0.0", "12:00:00.-99", " 1: 2: 3. 4", "+1:+2:+3.+4", "1:02:03.004", "12:00:00.5",
    "12:00:00.00", "12:00:00.0000", "012:00:00.000", " 12:00:00.000", "12:00:00.000 ",
    "12:00:00.000\n", "12:00:00.00x",
    // Other separators, or missing parts.
    "12-00-00.000", "12:00:00,000", "12.00.00.000", "12:00:00", "12:00", "", "0x:00:00.000"};

TEST(ClockTextTest, ExactlyTwoDigitFieldsAndThreeForMilliseconds) {
    for (const ClockCase& c : kGoodClockTexts) {
        int h = -1, m = -1, s = -1, ms = -1;
        ASSERT_TRUE(ParseClockText(c.text, &h, &m, &s, &ms)) << c.text;
        EXPECT_EQ(h, c.h) << c.text;
        EXPECT_EQ(m, c.m) << c.text;
        EXPECT_EQ(s, c.s) << c.text;
        EXPECT_EQ(ms, c.ms) << c.text;
    }
    // Anything else leaves the caller's numbers.
    for (const char* text : kBadClockTexts) {
        int h = -1, m = -1, s = -1, ms = -1;
        EXPECT_FALSE(ParseClockText(text, &h, &m, &s, &ms)) << '"' << text << '"';
        EXPECT_TRUE(h == -1 && m == -1 && s == -1 && ms == -1) << text;
    }
    int h = -1, m = -1, s = -1, ms = -1;
    EXPECT_FALSE(ParseClockText(nullptr, &h, &m, &s, &ms));
}

}  // namespace
