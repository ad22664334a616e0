#include "keypad/EntryLineModel.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

class EntryLine : public ::testing::Test {
protected:
    int grouping = 2;
    int beeps = 0;
    CEntryLineModel model{[this] { return grouping; }, [this] { ++beeps; }};

    // Types each character; returns the taken flags as a string of 1/0.
    std::string Type(const std::string& keys)
    {
        std::string taken;
        for (const char c : keys)
            taken += model.TypeChar(c) ? '1' : '0';
        return taken;
    }
};

TEST_F(EntryLine, KeyTablesFromAFreshEntry)
{
    const struct {
        const char* keys;
        const char* text;
        const char* taken;
    } cases[] = {
        {".5", "0.5", "11"},
        {"7", "7", "1"},
        {"0", "0", "1"},
        {"00", "0", "11"},
        {"07", "7", "11"},
        {"1E0", "1E", "110"},
        {"1E-5", "1E-5", "1111"},
        {"1E-+", "1E-", "1110"},
        {"1E+5", "1E+5", "1111"},
        {"1.E", "1E", "111"},         // the pending point is dropped
        {"1.5.", "1.5", "1110"},
        {"1E5.", "1E5", "1110"},
        {"1E5E", "1E5", "1110"},
        {"12E05", "12E5", "11101"},
        {"E", "0", "0"},               // start-over refuses E
        {"+", "0", "0"},
        {"-", "0", "0"},
        {"5+", "5", "10"},             // "+" is an operator, not part of the number
        {"x", "0", "0"},
        {"0.000", "0.000", "11111"},
        {"3.1415", "3.1415", "111111"},
    };
    for (const auto& c : cases) {
        model.Clear(true);
        EXPECT_EQ(Type(c.keys), c.taken) << c.keys;
        EXPECT_EQ(model.GetText(), c.text) << c.keys;
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(EntryLine, StartOverRefusesBackspaceSignAndExponent)
{
    ASSERT_TRUE(model.SetText("5", true));
    EXPECT_FALSE(model.TypeChar(8));
    EXPECT_FALSE(model.TypeChar('+'));
    EXPECT_FALSE(model.TypeChar('-'));
    EXPECT_FALSE(model.TypeChar('E'));
    // The frame's Backspace command leaves a shown result alone too.
    model.Backspace();
    EXPECT_EQ(model.GetText(), "5");
    EXPECT_TRUE(model.IsStartOver());
    // A digit starts a new number.
    EXPECT_TRUE(model.TypeChar('7'));
    EXPECT_EQ(model.GetText(), "7");
    EXPECT_FALSE(model.IsStartOver());
}

TEST_F(EntryLine, Backspace)
{
    const struct {
        const char* keys;
        const char* after;
    } cases[] = {
        {"5", "0"}, {"-5", "0"}, {"12", "1"}, {"1E", "1"}, {"1.", "1"}, {"1.5", "1."}, {"1E-5", "1E-"},
    };
    for (const auto& c : cases) {
        model.Clear(true);
        std::string keys = c.keys;
        const bool negative = keys.front() == '-';
        if (negative)
            keys.erase(0, 1);
        Type(keys);
        if (negative)
            model.Negate();
        EXPECT_TRUE(model.TypeChar(8)) << c.keys;
        EXPECT_EQ(model.GetText(), c.after) << c.keys;
    }
    // "1E" then backspace allows a new "E".
    model.Clear(true);
    Type("1E");
    model.Backspace();
    EXPECT_FALSE(model.HasExponent());
    EXPECT_EQ(Type("E5"), "11");
    EXPECT_EQ(model.GetText(), "1E5");
    // A pending point is dropped alone.
    model.Clear(true);
    Type("3.");
    EXPECT_TRUE(model.HasPendingPoint());
    model.Backspace();
    EXPECT_FALSE(model.HasPendingPoint());
    EXPECT_EQ(model.GetText(), "3");
}

TEST_F(EntryLine, MaxDigitsBeepsAndKeepsTheText)
{
    model.SetMaxDigits(15);
    Type("123456789012345");
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(model.TypeChar('6'));  // taken, but refused with a beep
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "123456789012345");
    // No point can follow a full mantissa.
    EXPECT_TRUE(model.TypeChar('.'));
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(model.HasPendingPoint());

    // Fraction digits count alone when the integer part is zero.
    model.Clear(true);
    Type(".12345678901234");
    EXPECT_EQ(model.GetText(), "0.12345678901234");
    Type("5");
    EXPECT_EQ(model.GetText(), "0.123456789012345");
    beeps = 0;
    Type("6");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "0.123456789012345");
}

TEST_F(EntryLine, RefusedDigitRestoresTheWholeState)
{
    model.SetMaxDigits(3);
    Type("12.3");
    beeps = 0;
    Type("4");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "12.3");
    EXPECT_TRUE(model.HasPoint());

    // A digit refused right after a pending point leaves the point pending;
    // it is not written without its digit.
    model.Clear(true);
    Type("12.");
    ASSERT_TRUE(model.HasPendingPoint());
    model.SetMaxDigits(2);
    beeps = 0;
    Type("5");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "12");
    EXPECT_TRUE(model.HasPendingPoint());
    EXPECT_FALSE(model.HasPoint());
    EXPECT_EQ(model.ShownNumber(), "12.");
}

TEST_F(EntryLine, ExponentLimitsBeepAndKeepTheText)
{
    Type("1E99999");
    EXPECT_EQ(model.GetText(), "1E99999");
    Type("9");
    EXPECT_EQ(model.GetText(), "1E999999");
    EXPECT_EQ(beeps, 0);
    Type("0");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "1E999999");

    model.Clear(true);
    Type("10E99999");
    beeps = 0;
    Type("9");  // 10E999999 is 1E1000000
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "10E99999");

    model.Clear(true);
    Type("1E-999999");
    EXPECT_EQ(model.GetText(), "1E-999999");
    beeps = 0;
    Type("9");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "1E-999999");

    model.Clear(true);
    Type(".1E-99999");
    beeps = 0;
    Type("9");  // 0.1E-999999 is 1E-1000000
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(model.GetText(), "0.1E-99999");
}

TEST_F(EntryLine, PointTestCountsDigitsNotTheSign)
{
    model.SetMaxDigits(3);
    Type("10");
    model.Negate();
    ASSERT_EQ(model.GetText(), "-10");
    EXPECT_TRUE(model.TypeChar('.'));
    EXPECT_TRUE(model.HasPendingPoint());  // two digits of three: a point may follow
    EXPECT_EQ(beeps, 0);
}

TEST_F(EntryLine, SetTextRefusesWhatIsNoNumber)
{
    EXPECT_TRUE(model.SetText("1.5e3", false));
    EXPECT_EQ(model.GetText(), "1.5E3");
    EXPECT_TRUE(model.HasPoint());
    EXPECT_TRUE(model.HasExponent());
    for (const char* bad : {"abc", "1E5E6", "1,234", "", "1 2"}) {
        EXPECT_FALSE(model.SetText(bad, true)) << bad;
        EXPECT_EQ(model.GetText(), "0") << bad;
    }
    EXPECT_TRUE(model.SetText("  42 ", true));
    EXPECT_EQ(model.GetText(), "42");
}

TEST_F(EntryLine, Negate)
{
    model.Negate();
    EXPECT_EQ(model.GetText(), "0");
    Type("25");
    model.Negate();
    EXPECT_EQ(model.GetText(), "-25");
    model.Negate();
    EXPECT_EQ(model.GetText(), "25");
}

TEST_F(EntryLine, GroupingModes)
{
    const struct {
        const char* text;
        const char* grouped;
        const char* plain;
    } cases[] = {
        {"1234567.50", "1,234,567.50", "1234567.50"},
        {"-1234E5", "-1,234E5.", "-1234E5"},
        {"123", "123.", "123."},
        {"1234", "1,234.", "1234."},
        {"1E-", "1E-", "1E-"},
        {"0.5", "0.5", "0.5"},
    };
    for (const auto& c : cases) {
        for (int mode : {0, 1, 2}) {
            grouping = mode;
            ASSERT_TRUE(model.SetText(c.text, false)) << c.text;
            std::string expected = mode == 2 ? c.plain : c.grouped;
            // An exponent form shows no reserved point.
            if (std::string(c.text).find('E') != std::string::npos && expected.back() == '.')
                expected.pop_back();
            EXPECT_EQ(model.ShownNumber(), expected) << c.text << " mode " << mode;
        }
    }
    // A pending point shows as the reserved trailing point.
    grouping = 0;
    model.Clear(true);
    Type("1234.");
    EXPECT_EQ(model.ShownNumber(), "1,234.");
    // Reformat follows a change of the option.
    grouping = 2;
    model.Reformat();
    EXPECT_EQ(model.ShownNumber(), "1234.");
}

TEST_F(EntryLine, ScrollingAndMarkersCountTheShownText)
{
    grouping = 0;
    model.SetWidth(10 + 8 * 10, 8);  // room for ten characters
    ASSERT_EQ(model.VisibleCount(), 10);
    Type("123456789012");
    ASSERT_EQ(model.ShownNumber(), "123,456,789,012.");  // 16 characters as shown

    struct Expect {
        const char* text;
        bool left;
        bool right;
    };
    auto check = [this](const Expect& e, const char* step) {
        const auto view = model.CurrentView();
        EXPECT_EQ(view.kind, CEntryLineModel::View::Kind::Number) << step;
        EXPECT_EQ(view.text, e.text) << step;
        EXPECT_EQ(view.leftMarker, e.left) << step;
        EXPECT_EQ(view.rightMarker, e.right) << step;
    };
    // After typing, the view ends with the last digit and the reserved point.
    check({"6,789,012.", true, false}, "typed");
    model.ScrollHome();
    check({"123,456,78", false, true}, "home");
    model.ScrollLeft();
    check({"123,456,78", false, true}, "left at start");
    model.ScrollRight();
    check({"23,456,789", true, true}, "right");
    for (int i = 0; i < 20; ++i)
        model.ScrollRight();
    check({"6,789,012.", true, false}, "right to the end");
    model.ScrollHome();
    model.ScrollEnd();
    check({"6,789,012.", true, false}, "end");

    // Growing the view shrinks the offset by the growth.
    model.SetWidth(10 + 8 * 14, 8);
    check({"3,456,789,012.", true, false}, "wider");
    model.SetWidth(10 + 8 * 20, 8);
    check({"123,456,789,012.", false, false}, "wide enough");
    EXPECT_EQ(model.LeftOver(), 0);

    // Left-over pixels of a width that is no multiple of the character width.
    model.SetWidth(10 + 8 * 20 + 5, 8);
    EXPECT_EQ(model.LeftOver(), 5);
}

TEST_F(EntryLine, WidthsTooNarrowForOneCharacterAreSafe)
{
    Type("12345");
    for (const auto& [width, charWidth] : {std::pair{5, 8}, std::pair{10, 8}, std::pair{17, 8},
                                           std::pair{100, 0}, std::pair{1, 1}, std::pair{0, 8},
                                           std::pair{-3, 8}}) {
        model.SetWidth(width, charWidth);
        EXPECT_GE(model.VisibleCount(), 0);
        EXPECT_GE(model.LeftOver(), 0);
        const auto view = model.CurrentView();
        EXPECT_LE(static_cast<int>(view.text.size()), std::max(model.VisibleCount(), 0));
        model.ScrollEnd();
        model.ScrollLeft();
        model.ScrollRight();
        model.ScrollHome();
    }
}

TEST_F(EntryLine, ErrorTextAndOpenParenTakePrecedence)
{
    model.SetWidth(200, 8);
    Type("42");
    EXPECT_FALSE(model.SetErrorText(""));  // nothing to change
    EXPECT_TRUE(model.SetErrorText("Attempt to divide by zero!"));
    EXPECT_EQ(model.CurrentView().kind, CEntryLineModel::View::Kind::Error);
    EXPECT_EQ(model.CurrentView().text, "Attempt to divide by zero!");
    model.ToggleBlink();
    EXPECT_EQ(model.CurrentView().kind, CEntryLineModel::View::Kind::Nothing);
    model.ToggleBlink();
    EXPECT_TRUE(model.SetErrorText(""));
    EXPECT_TRUE(model.SetOpenParenShown(true));
    EXPECT_FALSE(model.SetOpenParenShown(true));
    EXPECT_EQ(model.CurrentView().text, "(");
    model.SetOpenParenShown(false);
    EXPECT_EQ(model.CurrentView().text, "42.");
    // Clear empties the error text.
    model.SetErrorText("Result too large!");
    model.Clear(true);
    EXPECT_TRUE(model.ErrorText().empty());
}

}  // namespace
