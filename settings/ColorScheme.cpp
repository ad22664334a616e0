#include "settings/ColorScheme.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_systemColorsLock;
SchemeSystemColors g_systemColors;
bool g_tableBuilt = false;  // guarded by g_systemColorsLock

ColorScheme MakeScheme(const char* name, COLORREF background, COLORREF alternateRow,
                       COLORREF listBackground, COLORREF selectedRow, COLORREF text,
                       COLORREF selectedText, COLORREF focusedRow, COLORREF focusedText,
                       COLORREF gridLine, COLORREF parenDepthText)
{
    ColorScheme s;
    s.m_crBackground = background;
    s.m_crAlternateRow = alternateRow;
    s.m_crListBackground = listBackground;
    s.m_crSelectedRow = selectedRow;
    s.m_crText = text;
    s.m_crSelectedText = selectedText;
    s.m_crFocusedRow = focusedRow;
    s.m_crFocusedText = focusedText;
    s.m_crGridLine = gridLine;
    s.m_crParenDepthText = parenDepthText;
    s.m_name = name;
    return s;
}

using SchemeTable = std::map<std::string, std::shared_ptr<const ColorScheme>>;

SchemeTable BuildTable()
{
    SchemeSystemColors sys;
    {
        std::lock_guard lock(g_systemColorsLock);
        sys = g_systemColors;
        g_tableBuilt = true;
    }
    SchemeTable table;
    auto add = [&table](ColorScheme scheme) {
        std::string name = scheme.m_name;
        table.emplace(std::move(name), std::make_shared<const ColorScheme>(std::move(scheme)));
    };
    add(MakeScheme("Plain Vanilla", 0xF8F8F8, sys.window, 0xF8F8F8, sys.highlight, sys.windowText,
                   sys.highlightText, 0xCCCCCC, sys.windowText, 0xC8C8C8, 0x1616C4));
    add(MakeScheme("Smooth Blue", 0xF9F2ED, 0xF3EAE0, 0xF9F2ED, 0xCC6600, 0xD9623E, 0xFFFFFF,
                   0xCCCCCC, 0xD9623E, 0xC8C8C8, 0x1616C4));
    add(MakeScheme("Smooth Blue 2", 0xF9F2F2, 0xF3EAEA, 0xF9F2F2, 0xCC6600, 0xD9623E, 0xFFFFFF,
                   0xCCCCCC, 0xD9623E, 0xC8C8C8, 0x1616C4));
    add(MakeScheme("Somewhat Blue", 0xF9F2ED, 0xF3EAE0, 0xF8F8F8, 0xCC6600, 0xD9623E, 0xFFFFFF,
                   0xCCCCCC, 0xD9623E, 0xC8C8C8, 0x1616C4));
    add(MakeScheme("Olive Green", 0xE7F5F2, 0xCDEDE6, 0xE7F5F2, 0x70A093, 0x379782, 0xFFFFFF,
                   0xCCCCCC, 0x379782, 0xC8C8C8, 0x1616C4));
    return table;
}

const SchemeTable& Table()
{
    static const SchemeTable table = BuildTable();
    return table;
}

struct CurrentScheme {
    std::mutex lock;
    ColorScheme scheme;
};

CurrentScheme& Current()
{
    static CurrentScheme current{{}, *Table().at(kDefaultColorSchemeName)};
    return current;
}

}  // namespace

COLORREF ColorScheme::Color(int index) const
{
    switch (index) {
    case 0: return m_crBackground;
    case 1: return m_crAlternateRow;
    case 2: return m_crListBackground;
    case 3: return m_crSelectedRow;
    case 4: return m_crText;
    case 5: return m_crSelectedText;
    case 6: return m_crFocusedRow;
    case 7: return m_crFocusedText;
    case 8: return m_crGridLine;
    case 9: return m_crParenDepthText;
    default: return 0;
    }
}

bool SetSchemeSystemColors(const SchemeSystemColors& colors)
{
    std::lock_guard lock(g_systemColorsLock);
    if (g_tableBuilt)
        return false;
    g_systemColors = colors;
    return true;
}

std::shared_ptr<const ColorScheme> FindColorScheme(const std::string& name)
{
    const auto& table = Table();
    const auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

void SetCurrentColorScheme(const ColorScheme& scheme)
{
    auto& current = Current();
    std::lock_guard lock(current.lock);
    current.scheme = scheme;
}

ColorScheme GetCurrentColorScheme()
{
    auto& current = Current();
    std::lock_guard lock(current.lock);
    return current.scheme;
}
