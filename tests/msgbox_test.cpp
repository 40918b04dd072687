// Message boxes: modal, answered by their buttons, keys or an injected
// answer, with a loop of their own that keeps painting.
#include <string>

#include "res/resources.h"
#include "tests/fixture.h"

extern const PictureResources testPictures;

namespace {

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
        owner = MakeWindow(Recorder);
        heard.clear();
    }
    // Runs the box with the steps fed one per idle turn.
    int Run(UINT type, std::vector<std::function<void()>> steps, const wchar_t* text = L"Transfer?",
            const wchar_t* caption = L"") {
        StepInput input(std::move(steps));
        return MessageBoxW(owner, text, caption, type);
    }
    // Opens a box; look runs once it is drawn, with its place on the screen.
    int Show(const wchar_t* text, const wchar_t* caption, UINT type,
             const std::function<void(RECT)>& look) {
        StepInput input({[&] {
            RECT box{};
            GetWindowRect(GetForegroundWindow(), &box);
            look(box);
        }});
        int answer = MessageBoxW(owner, text, caption, type);
        EXPECT_TRUE(input.Done());
        return answer;
    }
    HWND owner = nullptr;
};

// The box's buttons in screen pixels at 96 dpi: the box is 220 x 110,
// centred; buttons 60 x 22, 12 apart, 10 above its bottom edge.
constexpr POINT kYes{10 + 44 + 30, 105 + 78 + 11};
constexpr POINT kNo{10 + 116 + 30, 105 + 78 + 11};
constexpr POINT kOk{10 + 80 + 30, 105 + 78 + 11};

std::function<void()> Tap(POINT p) {
    return [p] { HeadlessTap(p.x, p.y); };
}
std::function<void()> Key(UINT message, WPARAM key, LPARAM flags = 0) {
    return [=] { HeadlessKey(message, key, flags); };
}

// Each answers the box before any more input is asked for. After it the
// queue is pumped: the owner repaints what the box covered, or closes, or
// the quit is left for the loop outside.
TEST_F(MessageBoxTest, AnsweredByButtonKeyOrInjection) {
    const auto enter = Key(WM_KEYDOWN, VK_RETURN), escape = Key(WM_KEYDOWN, VK_ESCAPE);
    const auto altF4 = Key(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_LPARAM);
    const struct {
        const char* what;
        UINT type;
        std::vector<std::function<void()>> input;
        int answer;
        const char* after = "paint";
    } kCases[] = {
        {.what = "Yes button", .type = MB_YESNO, .input = {Tap(kYes)}, .answer = IDYES},
        {.what = "No button", .type = MB_YESNO, .input = {Tap(kNo)}, .answer = IDNO},
        {.what = "OK button", .type = MB_OK, .input = {Tap(kOk)}, .answer = IDOK},
        {.what = "Enter takes the first button",
         .type = MB_YESNO,
         .input = {enter},
         .answer = IDYES},
        {.what = "Escape is No", .type = MB_YESNO, .input = {escape}, .answer = IDNO},
        {.what = "Escape is OK", .type = MB_OK, .input = {escape}, .answer = IDOK},
        {.what = "Alt+F4 is No", .type = MB_YESNO, .input = {altF4}, .answer = IDNO},
        {.what = "Alt+F4 is OK", .type = MB_OK, .input = {altF4}, .answer = IDOK},
        {.what = "F4 alone is nothing",
         .type = MB_YESNO,
         .input = {Key(WM_KEYDOWN, VK_F4), Tap(kYes)},
         .answer = IDYES},
        {.what = "an injected answer, even one that is no button",
         .type = MB_YESNO,
         .input = {[] { HeadlessQueueBoxAnswer(IDCANCEL); }},
         .answer = IDCANCEL},
        {.what = "input ends: the first button", .type = MB_YESNO, .input = {}, .answer = IDYES},
        {.what = "a close request: the safe answer, then the owner closes",
         .type = MB_YESNO,
         .input = {HeadlessRequestClose},
         .answer = IDNO,
         .after = "destroy"},
        {.what = "a quit: the safe answer, and the loop outside ends too",
         .type = MB_YESNO,
         .input = {[] { PostQuitMessage(4); }},
         .answer = IDNO,
         .after = "quit 4"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Open(96);
        std::vector<std::function<void()>> steps = c.input;
        if (!steps.empty()) steps.push_back([] { ADD_FAILURE() << "still open"; });
        EXPECT_EQ(Run(c.type, steps), c.answer);
        EXPECT_EQ(HeadlessBoxes().back().flags, c.type);
        EXPECT_EQ(HeadlessOpenBoxes(), 0);
        EXPECT_TRUE(IsWindow(owner)) << "a close waits for the box's caller";
        heard.clear();
        HeadlessPump();
        std::string after;
        for (const std::string& h : heard)
            if (h != "up") after += h;  // a tap's release outlives the box it answered
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            after += "quit " + std::to_string(msg.wParam);
        EXPECT_EQ(after, c.after);
    }
}

TEST_F(MessageBoxTest, OnlyTheBoxTakesInputAndPaintsGoOn) {
    InvalidateRect(owner, nullptr, FALSE);
    PostMessageW(owner, WM_COMMAND, 7, 0);
    EXPECT_EQ(Run(MB_YESNO, {Tap({5, 5}), Tap(kNo)}), IDNO);  // the owner first, outside the box
    // Posted messages and the pending paint ran inside the box's loop; the
    // tap on the owner did not reach it.
    EXPECT_EQ(heard,
              (std::vector<std::string>{"activate 0", "command 7 0", "paint", "activate 1"}));
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
    EXPECT_EQ(Run(MB_OK, {[] { HeadlessQueueBoxAnswer(IDOK); }}), IDOK);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
        << "dropped while the owner was disabled";
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
        SCOPED_TRACE(dpi);
        Open(dpi);
        Show(L"Transfer?", L"Velmora", MB_YESNO | MB_ICONQUESTION, [&](RECT box) {
            auto scaled = [&](int units) { return (units * dpi + 48) / 96; };
            EXPECT_EQ(box.right - box.left, scaled(220));
            EXPECT_EQ(HeadlessPixel(box.left, box.top), kFrame);
            EXPECT_EQ(HeadlessPixel(box.right - 1, box.bottom - 1), kFrame);
            EXPECT_EQ(HeadlessPixel(box.left - 1, box.top), kRecorderColour);
            EXPECT_EQ(HeadlessPixel(box.left + 2, box.top + 2), kCaption);
            EXPECT_EQ(HeadlessPixel(box.left + 2, box.bottom - 2), kFace);
            RECT picture{box.left, box.top + scaled(18), box.left + scaled(48),
                         box.top + scaled(64)};
            EXPECT_GT(Count(picture, kQuestionDisc), scaled(16) * scaled(16));
            // The caption's letters in white on the bar, the text in black.
            RECT bar{box.left + scaled(8), box.top + 1, box.right - 1, box.top + scaled(18)};
            EXPECT_GT(Count(bar, kFace), 10);
            RECT text{box.left + scaled(48), box.top + scaled(26), box.right, box.top + scaled(40)};
            EXPECT_GT(Ink(text), 10);
            // Two framed buttons with labels across the line through their middle.
            int middle = box.bottom - scaled(10) - scaled(11);
            RECT line{box.left, middle, box.right, middle + 1};
            EXPECT_GE(Count(line, kFrame), 4);
            EXPECT_GT(Count(line, kButtonFace), scaled(60));
            RECT labels{box.left, middle - scaled(5), box.right, middle + scaled(5)};
            EXPECT_GT(Ink(labels), 10);
        });
    }
}

// The buttons move down with the box: a tap where a short box has its Yes
// falls on the text, and No at its new place answers.
TEST_F(MessageBoxTest, ALongTextGrowsTheBoxAndItsButtonsMoveWithIt) {
    std::wstring text;
    for (int i = 0; i < 12; ++i)
        text += L"A line of words that wraps. ";
    RECT box{};
    const auto look = [&] {
        GetWindowRect(GetForegroundWindow(), &box);
        HeadlessTap(kYes.x, kYes.y);
    };
    const auto no = [&] { HeadlessTap(box.left + 116 + 30, box.bottom - 10 - 11); };
    EXPECT_EQ(Run(MB_YESNO, {look, no, [] { ADD_FAILURE() << "still open"; }}, text.c_str()), IDNO);
    EXPECT_GT(box.bottom - box.top, 110);
}

TEST_F(MessageBoxTest, APaintOfTheOwnerDoesNotReachUnderAPlainBox) {
    Show(L"Transfer?", L"", MB_YESNO, [&](RECT box) {
        heard.clear();
        InvalidateRect(owner, nullptr, FALSE);
        HeadlessPump();
        EXPECT_EQ(heard, std::vector<std::string>{"paint"});
        EXPECT_EQ(Count(box, kRecorderColour), 0);
        EXPECT_EQ(HeadlessPixel(box.left, box.top), kFrame);
        // No caption, no bar; no picture unless asked.
        EXPECT_EQ(HeadlessPixel(box.left + 2, box.top + 2), kFace);
        RECT left{box.left + 1, box.top + 1, box.left + 8, box.bottom - 1};
        EXPECT_EQ(Count(left, kFace), 7 * (box.bottom - box.top - 2));
    });
}

}  // namespace
