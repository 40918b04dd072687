// Message boxes: modal, answered by their buttons, keys or an injected
// answer, with a loop of their own that keeps painting.
#include <string>

#include "tests/fixture.h"

namespace {

std::vector<std::string> events;

LRESULT Owner(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            events.push_back("paint");
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            events.push_back("owner tapped");
            return 0;
        case WM_USER:
            events.push_back("posted");
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, w, l);
    }
}

class MessageBoxTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        owner = MakeWindow(Owner);
        events.clear();
    }
    // Runs the box with a source that feeds the given steps one per idle turn.
    int Run(UINT type, std::vector<std::function<void()>> steps) {
        size_t next = 0;
        HeadlessSetInputSource([&] {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        });
        return MessageBoxW(owner, L"Transfer?", L"", type);
    }
    HWND owner = nullptr;
};

// The box's buttons in screen pixels at 96 dpi: the box is 220 x 110,
// centred; buttons 60 x 22, 12 apart, 10 above its bottom edge.
constexpr POINT kYes{10 + 44 + 30, 105 + 78 + 11};
constexpr POINT kNo{10 + 116 + 30, 105 + 78 + 11};
constexpr POINT kOk{10 + 80 + 30, 105 + 78 + 11};

struct AnswerCase {
    const char* what;
    UINT type;
    std::function<void()> input;
    int answer;
};

const AnswerCase kAnswers[] = {
    {"Yes button", MB_YESNO, [] { HeadlessTap(kYes.x, kYes.y); }, IDYES},
    {"No button", MB_YESNO, [] { HeadlessTap(kNo.x, kNo.y); }, IDNO},
    {"OK button", MB_OK, [] { HeadlessTap(kOk.x, kOk.y); }, IDOK},
    {"Enter takes the first button", MB_YESNO, [] { HeadlessKey(WM_KEYDOWN, VK_RETURN, 0); },
     IDYES},
    {"Escape is No", MB_YESNO, [] { HeadlessKey(WM_KEYDOWN, VK_ESCAPE, 0); }, IDNO},
    {"Escape is OK", MB_OK, [] { HeadlessKey(WM_KEYDOWN, VK_ESCAPE, 0); }, IDOK},
    {"an injected answer, even one that is no button", MB_YESNO,
     [] { HeadlessQueueBoxAnswer(IDCANCEL); }, IDCANCEL},
    {"input ends: the first button", MB_YESNO, [] {}, IDYES},
};

TEST_F(MessageBoxTest, AnsweredByButtonKeyOrInjection) {
    for (const AnswerCase& c : kAnswers) {
        EXPECT_EQ(Run(c.type, {c.input}), c.answer) << c.what;
    }
    EXPECT_EQ(HeadlessBoxes().size(), std::size(kAnswers));
    EXPECT_EQ(HeadlessBoxes()[0].flags, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(HeadlessOpenBoxes(), 0);
}

TEST_F(MessageBoxTest, OnlyTheBoxTakesInputAndPaintsGoOn) {
    InvalidateRect(owner, nullptr, FALSE);
    PostMessageW(owner, WM_USER, 0, 0);
    int answer = Run(MB_YESNO, {
                                   [] { HeadlessTap(5, 5); },  // on the owner, outside the box
                                   [] { HeadlessTap(kNo.x, kNo.y); },
                               });
    EXPECT_EQ(answer, IDNO);
    // Posted messages and the pending paint ran inside the box's loop; the
    // tap on the owner did not reach it.
    EXPECT_EQ(events, (std::vector<std::string>{"posted", "paint"}));
    EXPECT_TRUE(IsWindowEnabled(owner));
    // The area the box covered is repainted once it is gone.
    RECT update;
    EXPECT_TRUE(GetUpdateRect(owner, &update, FALSE));
    EXPECT_EQ(update, (RECT{10, 105, 230, 215}));
}

TEST_F(MessageBoxTest, TheReleaseQueuedBehindThePressGoesToTheBox) {
    // A press that opens a box and its release arrive together: the release
    // must not reach the disabled owner.
    HeadlessTap(5, 5);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
    HeadlessQueueBoxAnswer(IDOK);
    HeadlessSetInputSource([] { return false; });
    EXPECT_EQ(MessageBoxW(owner, L"I win!", L"", MB_OK), IDOK);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
        << "dropped while the owner was disabled";
}

TEST_F(MessageBoxTest, QuitInsideTheBoxEndsTheOuterLoopToo) {
    int answer = Run(MB_YESNO, {[] { PostQuitMessage(4); }});
    EXPECT_EQ(answer, IDNO) << "the safe answer";
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 4u);
}

}  // namespace
