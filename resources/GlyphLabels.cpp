#include "resources/GlyphLabels.h"

namespace {

using T = GlyphTone;

constexpr GlyphLabel kKeypad[] = {
    {"0", {}, {}, T::Digit},        {"1", {}, {}, T::Digit},       {"2", {}, {}, T::Digit},
    {"3", {}, {}, T::Digit},        {"4", {}, {}, T::Digit},       {"5", {}, {}, T::Digit},
    {"6", {}, {}, T::Digit},        {"7", {}, {}, T::Digit},       {"8", {}, {}, T::Digit},
    {"9", {}, {}, T::Digit},        {"\u00B1", {}, {}, T::Digit},  {".", {}, {}, T::Digit},
    {"\u00F7", {}, {}, T::Operator}, {"\u00D7", {}, {}, T::Operator}, {"\u2212", {}, {}, T::Operator},
    {"+", {}, {}, T::Operator},     // 15
    {"\u221Ax", {}, {}, T::Function}, {"\u221Ax", {}, "3", T::Function}, {"1/x", {}, {}, T::Function},
    {"\u03C0", {}, {}, T::Function}, {"e", {}, {}, T::Function},  // 20
    {"(", {}, {}, T::Function},     {")", {}, {}, T::Function},
    {"sin", {}, {}, T::Function},   {"sin", "-1", {}, T::Function},
    {"sinh", {}, {}, T::Function},  {"sinh", "-1", {}, T::Function},  // 26
    {"cos", {}, {}, T::Function},   {"cos", "-1", {}, T::Function},
    {"cosh", {}, {}, T::Function},  {"cosh", "-1", {}, T::Function},  // 30
    {"tan", {}, {}, T::Function},   {"tan", "-1", {}, T::Function},
    {"tanh", {}, {}, T::Function},  {"tanh", "-1", {}, T::Function},  // 34
    {"x", "y", {}, T::Operator},    {"x", "2", {}, T::Function},   {"x", "3", {}, T::Function},
    {"n!", {}, {}, T::Function},    {"log", {}, {}, T::Function},  // 39
    {"", {}, {}, T::Function},      // 40: no command uses it
    {"nCr", {}, {}, T::Operator},   {"nPr", {}, {}, T::Operator},  {"ln", {}, {}, T::Function},
    {"C", {}, {}, T::Clear},        {"CE", {}, {}, T::Clear},      // 45
    {"sci", {}, {}, T::Function},   {"int", {}, {}, T::Function},  {"rnd", {}, {}, T::Function},
    {"idiv", {}, {}, T::Operator},  {"mod", {}, {}, T::Operator},  // 50
};

constexpr GlyphLabel kEquals[] = {{"=", {}, {}, T::Operator}};
constexpr GlyphLabel kBackspace[] = {{"Backspace", {}, {}, T::Clear}};
constexpr GlyphLabel kStepBack[] = {{"Stepback", {}, {}, T::Clear}};
constexpr GlyphLabel kCancel[] = {{"Cancel", {}, {}, T::Clear}};
constexpr GlyphLabel kAngles[] = {
    {"Edit", {}, {}, T::Plain},
    {"Deg", {}, {}, T::Plain},  {"Deg", {}, {}, T::Latched},
    {"Rad", {}, {}, T::Plain},  {"Rad", {}, {}, T::Latched},
    {"Grad", {}, {}, T::Plain}, {"Grad", {}, {}, T::Latched},
};
constexpr GlyphLabel kIcons[] = {
    {"!", {}, {}, T::ErrorIcon}, {"?", {}, {}, T::HelpIcon}, {"i", {}, {}, T::InfoIcon}};

constexpr GlyphStripSpec kStrips[] = {
    {kStripAngles, 30, 16, 10, false, kAngles},
    {kStripKeypad, 32, 25, 14, false, kKeypad},
    {kStripEquals, 32, 56, 22, true, kEquals},
    {kStripBackspace, 108, 25, 13, false, kBackspace},
    {kStripStepBack, 70, 25, 13, false, kStepBack},
    {kStripCancel, 108, 25, 13, true, kCancel},
    {kStripIcons, 16, 16, 11, true, kIcons},
};

}  // namespace

const GlyphStripSpec* FindGlyphStrip(int resourceId)
{
    for (const auto& strip : kStrips)
        if (strip.resourceId == resourceId)
            return &strip;
    return nullptr;
}
