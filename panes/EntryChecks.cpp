#include "panes/EntryChecks.h"

#include <cstdint>

#include "number/EntrySyntax.h"

namespace {

constexpr const char* kNotANumberMessage =
    "The text you have entered is NOT a valid number.  Please enter a valid number before "
    "proceeding.";

std::string VariableExistsMessage(const std::string& name)
{
    return std::string("Variable '") + name + "' already exists.  Press the" +
           " change button below to change the" + " value of " + name +
           " to the number you've entered above.";
}

}  // namespace

std::optional<std::string> NumberEntryProblem(const std::string& text, int maxSignificantDigits)
{
    std::int32_t digitCount = 0;
    std::int32_t significant = 0;
    std::int64_t exponent = 0;
    if (!ValidateNumberText(text, digitCount, significant, exponent))
        return kNotANumberMessage;
    if (significant > maxSignificantDigits)
        return "The number of significant digits (" + std::to_string(significant) +
               ") in the number you have entered exceeds the maximum allowed value of " +
               std::to_string(maxSignificantDigits) + ".";
    if (exponent > kMaxNumberExponent)
        return "The exponent of the number you have entered exceeds the maximum allowed value of " +
               std::to_string(kMaxNumberExponent) + ".";
    if (exponent < kMinNumberExponent)
        return "The exponent of the number you have entered is LESS THAN the minimum allowed "
               "value of -" +
               std::to_string(-kMinNumberExponent) + ".";
    return std::nullopt;
}

CVariableDialogVerdict CheckVariableDialog(const std::string& name, const std::string& value,
                                           VariableNameForm form,
                                           const std::map<std::string, std::string>& variables)
{
    CVariableDialogVerdict verdict;
    if (value.empty())
        return verdict;
    if (auto problem = NumberEntryProblem(value, kMaxVariableSignificantDigits)) {
        verdict.m_message = *problem;
        return verdict;
    }
    if (name.empty())
        return verdict;
    if (!IsValidVariableName(name)) {
        verdict.m_message = kInvalidVariableNameMessage;
        return verdict;
    }
    const std::string stored = StoredVariableName(name, form);
    if (variables.count(stored)) {
        verdict.m_message = VariableExistsMessage(stored);
        verdict.m_bChangeEnabled = true;
        return verdict;
    }
    verdict.m_bOkEnabled = true;
    return verdict;
}

CFreeFormVerdict CheckFreeFormEntry(const std::string& text, int maxDigits)
{
    CFreeFormVerdict verdict;
    if (text.empty())
        return verdict;   // OK off, message left as it is
    if (auto problem = NumberEntryProblem(text, maxDigits)) {
        verdict.m_message = *problem;
        return verdict;
    }
    verdict.m_message = std::string();
    verdict.m_bOkEnabled = true;
    return verdict;
}

int ParseLeadingDigits(const std::string& text)
{
    constexpr int kCap = 1000000;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > kCap)
            value = kCap;
    }
    return value;
}
