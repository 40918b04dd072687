#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/clpa.h"
#include "tests/fixture.h"

namespace {

// Allocations succeed until the allowance runs out, then fail.
int allowance = -1;  // -1: no limit

bool Allowed() {
    if (allowance == 0) return false;
    if (allowance > 0) --allowance;
    return true;
}

class ClpaTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        HeadlessClearBoxes();
        allowance = -1;
        clpaMalloc = [](size_t n) { return Allowed() ? std::malloc(n) : nullptr; };
        clpaRealloc = [](void* p, size_t n) { return Allowed() ? std::realloc(p, n) : nullptr; };
    }
    void TearDown() override {
        clpaMalloc = realMalloc;
        clpaRealloc = realRealloc;
        ClpaRemoveAll(list);
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (uint32_t i = 0; i < list.count; ++i)
            texts.push_back(ClpaString(list, i));
        return texts;
    }
    bool Emptied() const { return !list.entries && list.count == 0 && list.capacity == 0; }
    // The text of the one box shown since the last look, if any.
    static std::optional<std::wstring> TakeBox() {
        if (HeadlessBoxes().empty()) return std::nullopt;
        EXPECT_EQ(HeadlessBoxes().size(), 1u);
        const BoxRecord& box = HeadlessBoxes().back();
        EXPECT_EQ(box.caption, L"");
        EXPECT_EQ(box.flags, MB_SETFOREGROUND);
        std::wstring text = box.text;
        HeadlessClearBoxes();
        return text;
    }
    CLPA list{nullptr, 0, 0, 0};
    void* (*realMalloc)(size_t) = clpaMalloc;
    void* (*realRealloc)(void*, size_t) = clpaRealloc;
};

TEST_F(ClpaTest, GrowsByItsReserve) {
    const struct {
        uint32_t growBy;
        std::vector<std::pair<uint32_t, uint32_t>> sizes;  // count, capacity after each add
    } cases[] = {
        {.growBy = 0, .sizes = {{1, 1}, {2, 2}, {3, 3}}},
        {.growBy = 2, .sizes = {{1, 3}, {2, 3}, {3, 3}, {4, 6}, {5, 6}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.growBy);
        list = {nullptr, 0, 0, c.growBy};
        for (uint32_t i = 0; i < c.sizes.size(); ++i) {
            ASSERT_EQ(ClpaAdd(list, 100 + i), 1);
            EXPECT_EQ(std::make_pair(list.count, list.capacity), c.sizes[i]) << i;
        }
        for (uint32_t i = 0; i < list.count; ++i)
            EXPECT_EQ(list.entries[i], 100 + i);
        ClpaFreeStorage(list);
        EXPECT_TRUE(Emptied());
        EXPECT_EQ(list.growBy, c.growBy);
    }
}

TEST_F(ClpaTest, OwnsCopiesAndRefusesNull) {
    wchar_t text[] = L"Bulk";
    ASSERT_EQ(ClpaAddString(list, text), 1);
    text[0] = L'X';
    EXPECT_EQ(ClpaAddString(list, nullptr), 0);
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Bulk"});
    EXPECT_EQ(ClpaString(list, 1), nullptr);
    EXPECT_EQ(TakeBox(), std::nullopt);

    // Freeing the storage alone leaves the string to whoever holds it.
    auto* kept = const_cast<wchar_t*>(ClpaString(list, 0));
    ClpaFreeStorage(list);
    EXPECT_EQ(std::wstring(kept), L"Bulk");
    std::free(kept);
}

const std::vector<std::wstring> kNames = {L"Thrown up", L"Japanese"};

// Each row starts from an emptied list.
TEST_F(ClpaTest, FailedAllocationKeepsTheList) {
    const struct {
        const char* what;
        int before;     // strings added first
        int allowance;  // allocations that then succeed
        std::optional<std::wstring> box;
    } cases[] = {
        {.what = "copy of the first string", .before = 0, .allowance = 0, .box = std::nullopt},
        {.what = "first storage", .before = 0, .allowance = 1, .box = L"CLPA: alloc error!"},
        {.what = "copy of a later string", .before = 2, .allowance = 0, .box = std::nullopt},
        {.what = "growth", .before = 2, .allowance = 1, .box = L"CLPA: realloc error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClpaRemoveAll(list);
        ASSERT_TRUE(Emptied());
        std::vector<std::wstring> held(kNames.begin(), kNames.begin() + c.before);
        for (const std::wstring& name : held)
            ClpaAddString(list, name.c_str());
        uint32_t capacity = list.capacity;
        allowance = c.allowance;
        EXPECT_EQ(ClpaAddString(list, L"Gray"), 0);
        EXPECT_EQ(TakeBox(), c.box);
        EXPECT_EQ(list.capacity, capacity);
        EXPECT_EQ(Texts(), held);

        allowance = -1;  // usable again once memory is back
        EXPECT_EQ(ClpaAddString(list, L"Gray"), 1);
        held.push_back(L"Gray");
        EXPECT_EQ(Texts(), held);
    }
}

TEST_F(ClpaTest, ErrorBoxText) {
    const std::wstring longText(1500, L'x');
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {nullptr, L""}, {L"", L""}, {L"%.2ls%%", L"xx%"}, {L"%ls", longText.substr(0, 1023)}};
    for (const auto& [format, text] : cases) {
        EXPECT_EQ(ClpaError(format, longText.c_str()), IDOK);
        EXPECT_EQ(TakeBox(), text);
    }
}

}  // namespace
