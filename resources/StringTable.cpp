#include "resources/StringTable.h"

#include <map>

#include "resources/CommandIds.h"

namespace {

struct HelpEntry {
    unsigned id;
    const char* title;
    const char* description;
    const char* key;
};

constexpr HelpEntry kHelp[] = {
    {cmd::kNegate, "[+/-]", "Changes the sign of the displayed number.", "F9"},
    {cmd::kPoint, "[.]", "Inserts a decimal point.", "."},
    {cmd::kDivide, "[/]", "Performs division.", "/"},
    {cmd::kMultiply, "[*]", "Performs multiplication.", "*"},
    {cmd::kSubtract, "[-]", "Performs subtraction.", "-"},
    {cmd::kAdd, "[+]", "Performs addition.", "+"},
    {cmd::kSqrt, "[sqrt]", "Calculates the square root of the current entry.", "Ctrl+@ (Ctrl+Shift+2)"},
    {cmd::kCbrt, "[cbrt]", "Calculates the cube root of the current entry.", "Ctrl+# (Ctrl+Shift+3)"},
    {cmd::kReciprocal, "[reciprocal]", "Calculcates the reciprocal of the current entry.", "r"},
    {cmd::kPi, "[pi]", "Insert pi (3.1415...) as the current entry.", "p"},
    {cmd::kE, "[e]", "Inserts e (2.718...) as the current entry.", "Ctrl+e"},
    {cmd::kOpenParen, "[(]",
     "Starts a new level of parentheses.  The current number of levels appears in the first column "
     "of the calculation record window and also in the status bar.  The maximum number of levels is 25.",
     "("},
    {cmd::kCloseParen, "[)]", "Closes the current level of parentheses.", ")"},
    {cmd::kSin, "[sin]", "Calculates the sine of the current entry.", "i (lowercase I)"},
    {cmd::kAsin, "[asin]", "Calculates the inverse sine of the current entry.", "I (uppercase I)"},
    {cmd::kSinh, "[sinh]", "Calculates hyperbolic sine of the current entry.", "Ctrl+Shift+i"},
    {cmd::kAsinh, "[asinh]", "Calculates the inverse hyperbolic sine of the current entry.", "Ctrl+alt+i"},
    {cmd::kCos, "[cos]", "Calculates the cosine of the current entry.", "o (lowercase O)"},
    {cmd::kAcos, "[acos]", "Calculates the inverse cosine of the current entry.", "O (uppercase O)"},
    {cmd::kCosh, "[cosh]", "Calculates the hyperbolic cosine of the current entry.", "Ctrl+Shift+o"},
    {cmd::kAcosh, "[acosh]", "Calculates the inverse hyperbolic cosine of the current entry.", "Ctrl+alt+o"},
    {cmd::kTan, "[tan]", "Calculates the tangent of the current entry.", "t (lowercase T)"},
    {cmd::kAtan, "[atan]", "Calculates the inverse tangent of the current entry.", "T (uppercase T)"},
    {cmd::kTanh, "[tanh]", "Calculates the hyperbolic tangent of the current entry.", "Ctrl+Shift+t"},
    {cmd::kAtanh, "[atanh]", "Calculates the inverse hyperbolic tangent of the current entry.", "Ctrl+alt+t"},
    {cmd::kPower, "[power]", "Computes x raised to the yth power.  Use this button as a binary operator.", "y"},
    {cmd::kSquare, "[square]", "Calculates the square of the current entry.", "@"},
    {cmd::kCube, "[cube]", "Calculates the cube of the current entry.", "#"},
    {cmd::kFactorial, "[factorial]", "Calculates the factorial of the current entry.", "!"},
    {cmd::kLog, "[log]", "Calculates the logarithm (base 10) of the current entry.", "l (lowercase L)"},
    {cmd::kNCr, "[nCr]", "Computes n choose r.  Use this button as a binary operator.", "c (lowercase C)"},
    {cmd::kNPr, "[nPr]", "Calculates n permute r.  Use this button as a binary operator.", "C (uppercase C)"},
    {cmd::kLn, "[ln]", "Calculates the natural logarithm (base e) of the current entry.", "n (lowercase N)"},
    {cmd::kClearAll, "[Clear All]", "Clears the current calculation.", "Esc"},
    {cmd::kClearEntry, "[Clear Current Entry]", "Clears the current entry.", "Delete"},
    {cmd::kEquals, "[=]", "Completes the current calculation.", "Enter and '='"},
    {cmd::kBackspace, "[Backspace]", "Deletes the last digit of the current entry.", "Backspace"},
    {cmd::kSci, "[sci]", "Inserts an 'e' within the current numeric entry to indicate scientific notation.",
     "e (lowercase E)"},
    {cmd::kStepBack, "[Stepback]", "Steps back to the previous entry in the current calculation.", "Ctrl+Backspace"},
    {cmd::kRound, "[rnd]", "Rounds the displayed entry to the nearest integer.", "Shift+;"},
    {cmd::kInt, "[int]", "Truncates the displayed entry to an integer.", ";"},
    {cmd::kIntegerDivide, "[idiv]", "Performs integer division.", "Shift+/"},
    {cmd::kModulo, "[mod]", "Performs integer division and displays the remainder.", "m"},
};

constexpr unsigned kEqualsId = cmd::kEquals;  // the one entry with two keys

std::map<unsigned, std::string> BuildTable()
{
    std::map<unsigned, std::string> table;
    for (const auto& e : kHelp) {
        std::string text = std::string(e.title) + "|" + e.description + "\n\r\n\r";
        text += e.id == kEqualsId ? "Keyboard equivalents = " : "Keyboard equivalent = ";
        text += e.key;
        table.emplace(e.id, std::move(text));
    }
    table.emplace(kStringParenNeedsTerm,
                  "Please enter a term that can be evaluated before entering the close parenthesis.  "
                  "If you would like to cancel the open parenthesis that you just entered, please use "
                  "the 'Stepback' command.");
    table.emplace(kStringNoNumberAfterParenOrFunction,
                  "A constant or number is not allowed immediately following a closing parenthesis or "
                  "a function.");
    return table;
}

}  // namespace

std::optional<std::string> LoadResourceString(unsigned id)
{
    static const std::map<unsigned, std::string> table = BuildTable();
    const auto it = table.find(id);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}
