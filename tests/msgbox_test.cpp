// Message boxes: modal, answered by their buttons, keys or an injected
// answer, with a loop of their own that keeps painting.
#include <set>
#include <string>

#include "res/resources.h"
#include "tests/fixture.h"

extern const PictureResources testPictures;

namespace {

std::vector<std::string> events;
COLORREF ownerColour;  // the owner paints itself all in it

LRESULT Owner(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            RECT all;
            GetClientRect(hwnd, &all);
            HBRUSH brush = CreateSolidBrush(ownerColour);
            FillRect(hdc, &all, brush);
            DeleteObject(brush);
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

const ProgramResources kTestResources{nullptr, 0, nullptr, 0, &testPictures,
                                      nullptr, 0, nullptr, 0};

class MessageBoxTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Open(96);
    }
    void TearDown() override { RegisterResources(); }
    void Open(int dpi) {
        StartScreen(dpi);
        PlatformSetResources(&kTestResources);
        ownerColour = RGB(0, 150, 0);
        owner = MakeWindow(Owner);
        events.clear();
    }
    // Runs the box with a source that feeds the given steps one per idle turn.
    int Run(UINT type, std::vector<std::function<void()>> steps, const wchar_t* text = L"Transfer?",
            const wchar_t* caption = L"") {
        size_t next = 0;
        HeadlessSetInputSource([&] {
            if (next == steps.size()) return false;
            steps[next++]();
            return true;
        });
        return MessageBoxW(owner, text, caption, type);
    }
    // Opens a box; look runs once it is drawn, with its place on the screen.
    int Show(const wchar_t* text, const wchar_t* caption, UINT type,
             const std::function<void(RECT)>& look) {
        bool looked = false;
        int answer = Run(type, {[&] {
                             looked = true;
                             RECT box{};
                             GetWindowRect(GetForegroundWindow(), &box);
                             look(box);
                         }},
                         text, caption);
        EXPECT_TRUE(looked);
        return answer;
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
    {"Alt+F4 is No", MB_YESNO, [] { HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM); }, IDNO},
    {"Alt+F4 is OK", MB_OK, [] { HeadlessKey(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM); }, IDOK},
    {"F4 alone is nothing", MB_YESNO,
     [] {
         HeadlessKey(WM_KEYDOWN, VK_F4, 0);
         HeadlessTap(kYes.x, kYes.y);
     },
     IDYES},
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

TEST_F(MessageBoxTest, CloseRequestTakesTheSafeAnswerThenClosesTheOwner) {
    int answer = Run(MB_YESNO, {[] { HeadlessRequestClose(); }});
    EXPECT_EQ(answer, IDNO);
    EXPECT_TRUE(IsWindow(owner)) << "the close waits for the box's caller";
    HeadlessPump();
    EXPECT_FALSE(IsWindow(owner)) << "then the first window hears WM_CLOSE";
}

constexpr COLORREF kFrame = RGB(64, 64, 64);
constexpr COLORREF kFace = RGB(255, 255, 255);
constexpr COLORREF kCaption = RGB(32, 64, 128);
constexpr COLORREF kButtonFace = RGB(232, 232, 232);
constexpr COLORREF kQuestionDisc = RGB(30, 140, 60);  // tests/pictures

int Count(RECT area, const std::function<bool(COLORREF)>& match) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += match(HeadlessPixel(x, y));
    return n;
}
int Count(RECT area, COLORREF colour) {
    return Count(area, [=](COLORREF c) { return c == colour; });
}
// Pixels of text ink: dark, whatever the anti-aliasing left of them.
int Ink(RECT area) {
    return Count(area, [](COLORREF c) {
        return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100 && c != kFrame;
    });
}

TEST_F(MessageBoxTest, FrameCaptionPictureTextAndButtons) {
    for (int dpi : {96, 128, 192}) {
        Open(dpi);
        Show(L"Transfer?", L"Velmora", MB_YESNO | MB_ICONQUESTION, [&](RECT box) {
            auto scaled = [&](int units) { return (units * dpi + 48) / 96; };
            EXPECT_EQ(box.right - box.left, scaled(220)) << dpi;
            EXPECT_EQ(HeadlessPixel(box.left, box.top), kFrame) << dpi;
            EXPECT_EQ(HeadlessPixel(box.right - 1, box.bottom - 1), kFrame) << dpi;
            EXPECT_EQ(HeadlessPixel(box.left - 1, box.top), RGB(0, 150, 0)) << dpi;
            EXPECT_EQ(HeadlessPixel(box.left + 2, box.top + 2), kCaption) << dpi;
            EXPECT_EQ(HeadlessPixel(box.left + 2, box.bottom - 2), kFace) << dpi;
            RECT picture{box.left, box.top + scaled(18), box.left + scaled(48),
                         box.top + scaled(64)};
            EXPECT_GT(Count(picture, kQuestionDisc), scaled(16) * scaled(16)) << dpi;
            // The caption's letters in white on the bar, the text in black.
            RECT bar{box.left + scaled(8), box.top + 1, box.right - 1, box.top + scaled(18)};
            EXPECT_GT(Count(bar, kFace), 10) << dpi;
            RECT text{box.left + scaled(48), box.top + scaled(26), box.right, box.top + scaled(40)};
            EXPECT_GT(Ink(text), 10) << dpi;
            // Two framed buttons with labels across the line through their middle.
            int middle = box.bottom - scaled(10) - scaled(11);
            RECT line{box.left, middle, box.right, middle + 1};
            EXPECT_GE(Count(line, kFrame), 4) << dpi;
            EXPECT_GT(Count(line, kButtonFace), scaled(60)) << dpi;
            RECT labels{box.left, middle - scaled(5), box.right, middle + scaled(5)};
            EXPECT_GT(Ink(labels), 10) << dpi;
        });
    }
}

TEST_F(MessageBoxTest, ALongTextGrowsTheBoxAndItsButtonMovesWithIt) {
    std::wstring text;
    for (int i = 0; i < 12; ++i)
        text += L"A line of words that wraps. ";
    int answer = Show(text.c_str(), L"Velmora", MB_OK, [&](RECT box) {
        EXPECT_GT(box.bottom - box.top, 110);
        HeadlessTap(kOk.x, kOk.y);  // where the button of a short box would be: text now
        HeadlessTap((box.left + box.right) / 2, box.bottom - 10 - 11);
    });
    EXPECT_EQ(answer, IDOK);
}

TEST_F(MessageBoxTest, APaintOfTheOwnerDoesNotReachUnderAPlainBox) {
    Show(L"Transfer?", L"", MB_YESNO, [&](RECT box) {
        ownerColour = RGB(200, 0, 0);
        InvalidateRect(owner, nullptr, FALSE);
        HeadlessPump();
        EXPECT_EQ(HeadlessPixel(box.left - 1, box.top), RGB(200, 0, 0));
        EXPECT_EQ(HeadlessPixel(box.right, box.bottom - 1), RGB(200, 0, 0));
        RECT inside{box.left, box.top, box.right, box.bottom};
        EXPECT_EQ(Count(inside, RGB(200, 0, 0)), 0);
        EXPECT_EQ(HeadlessPixel(box.left, box.top), kFrame);
        // No caption, no bar; no picture unless asked.
        EXPECT_EQ(HeadlessPixel(box.left + 2, box.top + 2), kFace);
        RECT left{box.left + 1, box.top + 1, box.left + 8, box.bottom - 1};
        EXPECT_EQ(Count(left, kFace), 7 * (box.bottom - box.top - 2));
    });
    // Once the box is gone, the area it uncovered is the owner's again.
    HeadlessPump();
    EXPECT_EQ(HeadlessPixel(120, 160), RGB(200, 0, 0));
}

}  // namespace
