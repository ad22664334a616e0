#include "settings/ColorScheme.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct SchemeRow {
    const char* name;
    COLORREF colors[ColorScheme::kColorCount];
};

// Plain Vanilla's system colours are the defaults of SchemeSystemColors here:
// no test sets others before the table is built.
constexpr SchemeSystemColors kSys{};

const SchemeRow kSchemes[] = {
    {"Plain Vanilla", {0xF8F8F8, kSys.window, 0xF8F8F8, kSys.highlight, kSys.windowText,
                       kSys.highlightText, 0xCCCCCC, kSys.windowText, 0xC8C8C8, 0x1616C4}},
    {"Smooth Blue", {0xF9F2ED, 0xF3EAE0, 0xF9F2ED, 0xCC6600, 0xD9623E, 0xFFFFFF, 0xCCCCCC, 0xD9623E,
                     0xC8C8C8, 0x1616C4}},
    {"Smooth Blue 2", {0xF9F2F2, 0xF3EAEA, 0xF9F2F2, 0xCC6600, 0xD9623E, 0xFFFFFF, 0xCCCCCC, 0xD9623E,
                       0xC8C8C8, 0x1616C4}},
    {"Somewhat Blue", {0xF9F2ED, 0xF3EAE0, 0xF8F8F8, 0xCC6600, 0xD9623E, 0xFFFFFF, 0xCCCCCC, 0xD9623E,
                       0xC8C8C8, 0x1616C4}},
    {"Olive Green", {0xE7F5F2, 0xCDEDE6, 0xE7F5F2, 0x70A093, 0x379782, 0xFFFFFF, 0xCCCCCC, 0x379782,
                     0xC8C8C8, 0x1616C4}},
};

TEST(ColorScheme, AllFiftyColoursOfTheBuiltInSchemes)
{
    for (const auto& row : kSchemes) {
        const auto scheme = FindColorScheme(row.name);
        ASSERT_NE(scheme, nullptr) << row.name;
        EXPECT_EQ(scheme->m_name, row.name);
        for (int i = 0; i < ColorScheme::kColorCount; ++i)
            EXPECT_EQ(scheme->Color(i), row.colors[i]) << row.name << " colour " << i;
    }
    // Named members agree with the index order.
    const auto blue = FindColorScheme("Smooth Blue");
    EXPECT_EQ(blue->m_crBackground, 0xF9F2EDu);
    EXPECT_EQ(blue->m_crSelectedRow, 0xCC6600u);
    EXPECT_EQ(blue->m_crParenDepthText, 0x1616C4u);
    // 0x00BBGGRR: Smooth Blue's selected row is red 0x00, green 0x66, blue 0xCC.
    EXPECT_EQ(ColorRefRed(blue->m_crSelectedRow), 0x00);
    EXPECT_EQ(ColorRefGreen(blue->m_crSelectedRow), 0x66);
    EXPECT_EQ(ColorRefBlue(blue->m_crSelectedRow), 0xCC);
    EXPECT_EQ(MakeColorRef(0x00, 0x66, 0xCC), 0xCC6600u);
}

TEST(ColorScheme, SystemColoursAreFixedOnceTheTableExists)
{
    ASSERT_NE(FindColorScheme("Plain Vanilla"), nullptr);
    SchemeSystemColors other;
    other.window = 0x123456;
    EXPECT_FALSE(SetSchemeSystemColors(other));
    EXPECT_EQ(FindColorScheme("Plain Vanilla")->m_crAlternateRow, kSys.window);
}

TEST(ColorScheme, LookupIsExactAndCaseSensitive)
{
    for (const char* name : {"smooth blue", "Smooth Blue ", " Smooth Blue", "Smooth", "", "Very Blue",
                             "OLIVE GREEN"})
        EXPECT_EQ(FindColorScheme(name), nullptr) << name;
}

TEST(ColorScheme, SmoothBlueIsTheDefaultAndSetCopiesEverything)
{
    EXPECT_EQ(GetCurrentColorScheme(), *FindColorScheme("Smooth Blue"));
    ColorScheme custom = *FindColorScheme("Olive Green");
    custom.m_crGridLine = 0x010203;
    custom.m_name = "Mine";
    SetCurrentColorScheme(custom);
    EXPECT_EQ(GetCurrentColorScheme(), custom);
    // The table itself is untouched.
    EXPECT_EQ(FindColorScheme("Olive Green")->m_crGridLine, 0xC8C8C8u);
    SetCurrentColorScheme(*FindColorScheme("Smooth Blue"));
}

TEST(ColorScheme, CurrentSchemeIsSafeToReadWhileAnotherThreadSetsIt)
{
    const ColorScheme a = *FindColorScheme("Smooth Blue");
    const ColorScheme b = *FindColorScheme("Olive Green");
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (!stop) {
                const ColorScheme s = GetCurrentColorScheme();
                if (!(s == a) && !(s == b))
                    ++torn;
            }
        });
    }
    for (int i = 0; i < 20000; ++i)
        SetCurrentColorScheme(i % 2 ? a : b);
    stop = true;
    for (auto& t : readers)
        t.join();
    EXPECT_EQ(torn, 0);
    SetCurrentColorScheme(a);
}

}  // namespace
