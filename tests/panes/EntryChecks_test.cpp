#include "panes/EntryChecks.h"

#include <gtest/gtest.h>

namespace {

const std::string kNotANumber =
    "The text you have entered is NOT a valid number.  Please enter a valid number before proceeding.";
const std::string kExponentTooLarge =
    "The exponent of the number you have entered exceeds the maximum allowed value of 999999.";
const std::string kExponentTooSmall =
    "The exponent of the number you have entered is LESS THAN the minimum allowed value of -999999.";

std::string TooManyDigits(int count, int limit)
{
    return "The number of significant digits (" + std::to_string(count) +
           ") in the number you have entered exceeds the maximum allowed value of " + std::to_string(limit) + ".";
}

TEST(FreeFormEntry, ChecksAtMaxDigits35)
{
    const std::string digits35(35, '7');
    struct Case {
        std::string text;
        CFreeFormVerdict expected;
    };
    const Case cases[] = {
        {"", {std::nullopt, false}},   // empty: OK off, message left alone
        {"12.5", {std::string(), true}},
        {"  -12.5e3 \r\n", {std::string(), true}},
        {digits35, {std::string(), true}},
        {digits35 + "1", {TooManyDigits(36, 35), false}},
        {"0." + digits35 + "1", {TooManyDigits(36, 35), false}},
        {"1E999999", {std::string(), true}},
        {"1E-999999", {std::string(), true}},
        {"1E1000000", {kExponentTooLarge, false}},
        {"1E-1000000", {kExponentTooSmall, false}},
        {"12a", {kNotANumber, false}},
        {"1,234", {kNotANumber, false}},
        {"1 2", {kNotANumber, false}},
        {"   ", {kNotANumber, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckFreeFormEntry(c.text, 35), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(CheckFreeFormEntry(std::string(40, '1'), 40), (CFreeFormVerdict{std::string(), true}));
}

TEST(VariableDialog, MessagesAndButtonsAsTheTextsCallFor)
{
    const std::map<std::string, std::string> variables = {{"X1", "5"}, {"rate", "0.5"}};
    const std::string invalidName =
        "The variable name you've entered is NOT valid.  Please enter a valid variable name before proceeding.";
    const auto exists = [](const std::string& name) {
        return "Variable '" + name + "' already exists.  Press the change button below to change the value of " +
               name + " to the number you've entered above.";
    };
    struct Case {
        std::string name;
        std::string value;
        VariableNameForm form;
        CVariableDialogVerdict expected;
    };
    const std::string digits513(513, '3');
    const Case cases[] = {
        {"X2", "", VariableNameForm::Add, {"", false, false}},
        {"", "", VariableNameForm::Add, {"", false, false}},
        {"X2", "abc", VariableNameForm::Add, {kNotANumber, false, false}},
        {"X2", digits513, VariableNameForm::Add, {TooManyDigits(513, 512), false, false}},
        {"X2", std::string(512, '3'), VariableNameForm::Add, {"", true, false}},
        {"X2", "1E1000000", VariableNameForm::Add, {kExponentTooLarge, false, false}},
        {"X2", "1E-1000000", VariableNameForm::Add, {kExponentTooSmall, false, false}},
        {"", "12", VariableNameForm::Add, {"", false, false}},
        {"2X", "12", VariableNameForm::Add, {invalidName, false, false}},
        {"_X", "12", VariableNameForm::Add, {invalidName, false, false}},
        {"A123456789012345", "12", VariableNameForm::Add, {invalidName, false, false}},
        {"A12345678901234", "12", VariableNameForm::Add, {"", true, false}},
        {"X2", "12", VariableNameForm::Add, {"", true, false}},
        {"X1", "12", VariableNameForm::Add, {exists("X1"), false, true}},
        // The name as it will be stored decides: "x1" becomes X1 in Add.
        {" x1 ", "12", VariableNameForm::Add, {exists("X1"), false, true}},
        {"rate", "12", VariableNameForm::Add, {"", true, false}},   // stored as RATE: new
        {"rate", "12", VariableNameForm::Modify, {exists("rate"), false, true}},
        {"x1", "12", VariableNameForm::Modify, {"", true, false}},
        {"a b.c~d_1", "12", VariableNameForm::Add, {"", true, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckVariableDialog(c.name, c.value, c.form, variables), c.expected)
            << '"' << c.name << "\" \"" << c.value.substr(0, 20) << '"';
}

TEST(MaxDigitsText, LeadingDigitsAndRange)
{
    EXPECT_EQ(ParseLeadingDigits(""), 0);
    EXPECT_EQ(ParseLeadingDigits("14"), 14);
    EXPECT_EQ(ParseLeadingDigits("512"), 512);
    EXPECT_EQ(ParseLeadingDigits("35x9"), 35);
    EXPECT_EQ(ParseLeadingDigits("x35"), 0);
    EXPECT_EQ(ParseLeadingDigits(std::string(40, '9')), 1000000);
    for (int value : {0, 14, 513, 999})
        EXPECT_FALSE(IsMaxDigitsInRange(value)) << value;
    for (int value : {15, 35, 512})
        EXPECT_TRUE(IsMaxDigitsInRange(value)) << value;
}

}  // namespace
