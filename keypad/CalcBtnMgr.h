#pragma once
// Creates the keypad's 33 slot buttons and its three special buttons, places
// them (PlaceKeypad's geometry), flashes the button of a command id, and keeps
// the faces of the nine multi-face buttons in ConfigOptions. Every button's
// command arrives, posted, as command().

#include <map>
#include <memory>
#include <vector>

#include <QObject>

#include "keypad/GlyphList.h"
#include "keypad/ICalcBtnParent.h"
#include "keypad/KeypadLayout.h"

class CCalcBtn;
class QWidget;

class CCalcBtnMgr : public QObject, public ICalcBtnParent {
    Q_OBJECT
public:
    explicit CCalcBtnMgr(QWidget* host);
    ~CCalcBtnMgr() override;

    void SetParent(ICalcBtnMgrParent* parent) { m_parent = parent; }

    // Reads the stored faces once and creates every button. Returns true.
    bool BuildKeypad();
    void FlashButton(unsigned commandId);
    // Writes the current face of each multi-face button into ConfigOptions.
    void SaveButtonAlternatives() const;
    // Places the keypad with its top-left corner at (x, y); an origin equal to
    // the previous one moves nothing. Returns the keypad's bottom edge.
    int LayoutButtons(int x, int y);

    void ShowCommandHelp(unsigned commandId) override;

    bool IsCreated() const { return m_created; }
    int KeypadTop() const { return m_top; }
    CCalcBtn* SlotButton(int slot) const;
    KeypadRect SlotRect(int slot) const;
    CCalcBtn* EqualsButton() const { return m_equals; }
    CCalcBtn* BackspaceButton() const { return m_backspace; }
    CCalcBtn* StepBackButton() const { return m_stepBack; }
    // The button that carries the id as any of its faces, or null.
    CCalcBtn* FindButton(unsigned commandId) const;
    std::size_t FlashMapSize() const { return m_byCommand.size(); }
    std::vector<unsigned> FlashMapIds() const;

signals:
    void command(int id);

private:
    CCalcBtn* MakeButton(CCalcBtn* button, int width, int height);

    QWidget* m_host;
    CGlyphList m_keypadGlyphs{kStripKeypad};
    CGlyphList m_equalsGlyph{kStripEquals};
    CGlyphList m_backspaceGlyph{kStripBackspace};
    CGlyphList m_stepBackGlyph{kStripStepBack};
    struct Slot {
        KeypadRect rect;
        CCalcBtn* button = nullptr;
    };
    std::vector<Slot> m_slots;
    CCalcBtn* m_equals = nullptr;
    CCalcBtn* m_backspace = nullptr;
    CCalcBtn* m_stepBack = nullptr;
    std::map<unsigned, CCalcBtn*> m_byCommand;
    bool m_created = false;
    bool m_placed = false;
    int m_originX = 0;
    int m_originY = 0;
    int m_top = 0;
    int m_bottom = 0;
    ICalcBtnMgrParent* m_parent = nullptr;
};
