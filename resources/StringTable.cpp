#include "resources/StringTable.h"

#include <map>

namespace {

struct HelpEntry {
    unsigned id;
    const char* title;
    const char* description;
    const char* key;
};

constexpr HelpEntry kHelp[] = {
    {6111, "[+/-]", "Changes the sign of the displayed number.", "F9"},
    {6112, "[.]", "Inserts a decimal point.", "."},
    {6113, "[/]", "Performs division.", "/"},
    {6114, "[*]", "Performs multiplication.", "*"},
    {6115, "[-]", "Performs subtraction.", "-"},
    {6116, "[+]", "Performs addition.", "+"},
    {6117, "[sqrt]", "Calculates the square root of the current entry.", "Ctrl+@ (Ctrl+Shift+2)"},
    {6118, "[cbrt]", "Calculates the cube root of the current entry.", "Ctrl+# (Ctrl+Shift+3)"},
    {6119, "[reciprocal]", "Calculcates the reciprocal of the current entry.", "r"},
    {6120, "[pi]", "Insert pi (3.1415...) as the current entry.", "p"},
    {6121, "[e]", "Inserts e (2.718...) as the current entry.", "Ctrl+e"},
    {6122, "[(]",
     "Starts a new level of parentheses.  The current number of levels appears in the first column "
     "of the calculation record window and also in the status bar.  The maximum number of levels is 25.",
     "("},
    {6123, "[)]", "Closes the current level of parentheses.", ")"},
    {6124, "[sin]", "Calculates the sine of the current entry.", "i (lowercase I)"},
    {6125, "[asin]", "Calculates the inverse sine of the current entry.", "I (uppercase I)"},
    {6126, "[sinh]", "Calculates hyperbolic sine of the current entry.", "Ctrl+Shift+i"},
    {6127, "[asinh]", "Calculates the inverse hyperbolic sine of the current entry.", "Ctrl+alt+i"},
    {6128, "[cos]", "Calculates the cosine of the current entry.", "o (lowercase O)"},
    {6129, "[acos]", "Calculates the inverse cosine of the current entry.", "O (uppercase O)"},
    {6130, "[cosh]", "Calculates the hyperbolic cosine of the current entry.", "Ctrl+Shift+o"},
    {6131, "[acosh]", "Calculates the inverse hyperbolic cosine of the current entry.", "Ctrl+alt+o"},
    {6132, "[tan]", "Calculates the tangent of the current entry.", "t (lowercase T)"},
    {6133, "[atan]", "Calculates the inverse tangent of the current entry.", "T (uppercase T)"},
    {6134, "[tanh]", "Calculates the hyperbolic tangent of the current entry.", "Ctrl+Shift+t"},
    {6135, "[atanh]", "Calculates the inverse hyperbolic tangent of the current entry.", "Ctrl+alt+t"},
    {6136, "[power]", "Computes x raised to the yth power.  Use this button as a binary operator.", "y"},
    {6137, "[square]", "Calculates the square of the current entry.", "@"},
    {6138, "[cube]", "Calculates the cube of the current entry.", "#"},
    {6139, "[factorial]", "Calculates the factorial of the current entry.", "!"},
    {6140, "[log]", "Calculates the logarithm (base 10) of the current entry.", "l (lowercase L)"},
    {6142, "[nCr]", "Computes n choose r.  Use this button as a binary operator.", "c (lowercase C)"},
    {6143, "[nPr]", "Calculates n permute r.  Use this button as a binary operator.", "C (uppercase C)"},
    {6144, "[ln]", "Calculates the natural logarithm (base e) of the current entry.", "n (lowercase N)"},
    {6145, "[Clear All]", "Clears the current calculation.", "Esc"},
    {6146, "[Clear Current Entry]", "Clears the current entry.", "Delete"},
    {6147, "[=]", "Completes the current calculation.", "Enter and '='"},
    {6148, "[Backspace]", "Deletes the last digit of the current entry.", "Backspace"},
    {32813, "[sci]", "Inserts an 'e' within the current numeric entry to indicate scientific notation.",
     "e (lowercase E)"},
    {32815, "[Stepback]", "Steps back to the previous entry in the current calculation.", "Ctrl+Backspace"},
    {34501, "[rnd]", "Rounds the displayed entry to the nearest integer.", "Shift+;"},
    {34502, "[int]", "Truncates the displayed entry to an integer.", ";"},
    {34503, "[idiv]", "Performs integer division.", "Shift+/"},
    {34504, "[mod]", "Performs integer division and displays the remainder.", "m"},
};

constexpr unsigned kEqualsId = 6147;  // the one entry with two keys

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
