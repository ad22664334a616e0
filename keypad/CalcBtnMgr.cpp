#include "keypad/CalcBtnMgr.h"

#include <QWidget>

#include "keypad/CalcBtn.h"
#include "settings/ConfigOptions.h"

namespace {

unsigned* StoredFace(ConfigOptions& options, FaceSetting setting)
{
    switch (setting) {
    case FaceSetting::Pi: return &options.m_piCalcBtnCmdID;
    case FaceSetting::Sin: return &options.m_sinCalcBtnCmdID;
    case FaceSetting::Cos: return &options.m_cosCalcBtnCmdID;
    case FaceSetting::Tan: return &options.m_tanCalcBtnCmdID;
    case FaceSetting::XSquared: return &options.m_xSquaredCalcBtnCmdID;
    case FaceSetting::NCr: return &options.m_nCrCalcBtnCmdID;
    case FaceSetting::Sqrt: return &options.m_sqrtCalcBtnCmdID;
    case FaceSetting::Sci: return &options.m_sciCalcBtnCmdID;
    case FaceSetting::Div: return &options.m_divCalcBtnCmdID;
    case FaceSetting::None: break;
    }
    return nullptr;
}

}  // namespace

CCalcBtnMgr::CCalcBtnMgr(QWidget* host) : QObject(host), m_host(host) {}

CCalcBtnMgr::~CCalcBtnMgr() = default;

CCalcBtn* CCalcBtnMgr::MakeButton(CCalcBtn* button, int width, int height)
{
    button->setFixedSize(width, height);
    button->move(0, 0);
    button->SetParentInterface(this);
    connect(button, &CCalcBtn::command, this, &CCalcBtnMgr::command);
    for (const auto& face : button->Commands())
        m_byCommand.emplace(face->m_commandId, button);
    button->show();
    return button;
}

bool CCalcBtnMgr::BuildKeypad()
{
    ConfigOptions& options = ConfigOptions::Instance();
    m_slots.clear();
    for (const KeypadSlotSpec& spec : KeypadSlotTable()) {
        auto* button = new CCalcBtn(&m_keypadGlyphs, MakeCommandList(spec), m_host);
        MakeButton(button, kSlotButtonWidth, kSlotButtonHeight);
        if (const unsigned* stored = StoredFace(options, spec.stored))
            button->SelectCommand(*stored);
        m_slots.push_back({{}, button});
    }
    auto special = [this](const SpecialButtonSpec& spec, const CGlyphList* glyphs) {
        return MakeButton(new CCalcBtn(glyphs, spec.commandId, 0, m_host), spec.width, spec.height);
    };
    m_equals = special(kEqualsButton, &m_equalsGlyph);
    m_backspace = special(kBackspaceButton, &m_backspaceGlyph);
    m_stepBack = special(kStepBackButton, &m_stepBackGlyph);
    m_created = true;
    return true;
}

void CCalcBtnMgr::FlashButton(unsigned commandId)
{
    if (CCalcBtn* button = FindButton(commandId))
        button->Flash();
}

CCalcBtn* CCalcBtnMgr::FindButton(unsigned commandId) const
{
    const auto it = m_byCommand.find(commandId);
    return it == m_byCommand.end() ? nullptr : it->second;
}

std::vector<unsigned> CCalcBtnMgr::FlashMapIds() const
{
    std::vector<unsigned> ids;
    for (const auto& entry : m_byCommand)
        ids.push_back(entry.first);
    return ids;
}

void CCalcBtnMgr::SaveButtonAlternatives() const
{
    ConfigOptions& options = ConfigOptions::Instance();
    for (const KeypadSlotSpec& spec : KeypadSlotTable()) {
        unsigned* stored = StoredFace(options, spec.stored);
        if (!stored)
            continue;
        // Found by the default face's id; a missing button is skipped.
        if (const CCalcBtn* button = FindButton(spec.alternatives.front().m_commandId))
            *stored = button->GetCommandId();
    }
}

int CCalcBtnMgr::LayoutButtons(int x, int y)
{
    if (m_placed && x == m_originX && y == m_originY)
        return m_bottom;
    const KeypadPlacement placement = PlaceKeypad(x, y);
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        m_slots[i].rect = placement.slotRects[i];
        m_slots[i].button->move(placement.slotRects[i].left, placement.slotRects[i].top);
    }
    if (m_equals)
        m_equals->move(placement.equals.left, placement.equals.top);
    if (m_backspace)
        m_backspace->move(placement.backspace.left, placement.backspace.top);
    if (m_stepBack)
        m_stepBack->move(placement.stepBack.left, placement.stepBack.top);
    m_placed = true;
    m_originX = x;
    m_originY = y;
    m_top = placement.top;
    m_bottom = placement.bottom;
    return m_bottom;
}

void CCalcBtnMgr::ShowCommandHelp(unsigned commandId)
{
    if (m_parent)
        m_parent->ShowCommandHelp(commandId);
}

CCalcBtn* CCalcBtnMgr::SlotButton(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
        return nullptr;
    return m_slots[static_cast<std::size_t>(slot)].button;
}

KeypadRect CCalcBtnMgr::SlotRect(int slot) const
{
    if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
        return {};
    return m_slots[static_cast<std::size_t>(slot)].rect;
}
