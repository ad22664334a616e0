#include <gtest/gtest.h>

#include <string>

#include "engine/AngleConversion.h"
#include "engine/FormatNumber.h"

namespace {

Number N(const std::string& text) { return Number::from_text(text); }

struct FormatCase {
    std::string value;
    bool zeroBelowResolution;
    std::string text;
    bool rounded;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.value << (c.zeroBelowResolution ? " zero-below" : ""); }

class FormatAt15 : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatAt15, Text) {
    const auto& c = GetParam();
    bool rounded = !c.rounded;
    EXPECT_EQ(FormatNumberText(N(c.value), 15, c.zeroBelowResolution, &rounded), c.text) << c.value;
    EXPECT_EQ(rounded, c.rounded) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    EngineFormat, FormatAt15,
    ::testing::Values(
        FormatCase{"0", false, "0", false}, FormatCase{"150", false, "150", false},
        FormatCase{"0.3", false, "0.3", false}, FormatCase{"-2.5", false, "-2.5", false},
        // width 12 (+2 < 15): shown unrounded
        FormatCase{"123456.789012", false, "123456.789012", false},
        // width 13: rounded to 15 digits, the flag set although nothing changed
        FormatCase{"1234567.890123", false, "1234567.890123", true},
        FormatCase{"0.6666666666666666666", false, "0.666666666666667", true},
        FormatCase{"0.000000000000000012", true, "0", false},
        FormatCase{"0.000000000000000012", false, "0.000000000000000012", true},
        // integers: up to D + 15 = 30 digits in full (rounded to 15 digits), beyond that scientific
        FormatCase{"123456789012345678901234567890", false, "123456789012346000000000000000", true},
        FormatCase{"1234567890123456789012345678901", false, "1.23456789012346E+30", true},
        FormatCase{"1.5E-40", false, "1.5E-40", true}));

TEST(EngineFormat, NullRoundedFlagIsAllowed) {
    EXPECT_EQ(FormatNumberText(N("2"), 15, false, nullptr), "2");
}

TEST(EngineAngles, TanRefusalAndConversions) {
    EXPECT_TRUE(IsTanUndefined(N("90"), AngleDegrees));
    EXPECT_TRUE(IsTanUndefined(N("-270"), AngleDegrees));
    EXPECT_FALSE(IsTanUndefined(N("180"), AngleDegrees));
    EXPECT_FALSE(IsTanUndefined(N("90.5"), AngleDegrees));
    EXPECT_TRUE(IsTanUndefined(N("300"), AngleGrads));
    EXPECT_FALSE(IsTanUndefined(N("200"), AngleGrads));
    EXPECT_FALSE(IsTanUndefined(N("90"), AngleRadians));
    EXPECT_EQ(AngleUnitFromSetting(1), AngleRadians);
    EXPECT_EQ(AngleUnitFromSetting(2), AngleGrads);
    EXPECT_EQ(AngleUnitFromSetting(7), AngleDegrees);

    // At 532 working digits pi must be right to the last digit of the conversion.
    // A converter that has computed pi at a higher precision uses it rounded.
    const Number pi = Number::pi(600);
    CAngleConverter angles;
    EXPECT_EQ(angles.ToRadians(N("180"), AngleDegrees, 532).round(531), pi.round(531));
    EXPECT_EQ(angles.ToRadians(N("100"), AngleGrads, 532).round(531), pi.divide(Number(2), 600).round(531));
    EXPECT_EQ(angles.FromRadians(pi.round(540), AngleDegrees, 532).round(520), N("180"));
    EXPECT_EQ(angles.ToRadians(N("180"), AngleDegrees, 35), pi.round(45));
    EXPECT_EQ(angles.ToRadians(N("3"), AngleRadians, 35), N("3"));
}

}  // namespace
