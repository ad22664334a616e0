#pragma once
// The calculator's main panel: the entry line, the free-form entry and angle
// buttons, the keypad and the display. It lays them out, shows the angle unit,
// flashes a keypad button on request and posts every command of its buttons on
// to the frame as command(). Each time the keypad is placed it posts
// keypadPlaced(572, keypad bottom + 27): the frame makes the panel that high.

#include <array>
#include <memory>

#include <QRect>
#include <QWidget>

#include "keypad/GlyphList.h"
#include "keypad/ICalcBtnParent.h"

class CCalcBtn;
class CCalcBtnMgr;
class CCalcDisplayWindow;
class CCalcEdit;
class CCalcToolbarBtn;
class ICalcWindowParent;

class CCalcWindow : public QWidget, public ICalcBtnMgrParent {
    Q_OBJECT
public:
    static constexpr int kPlacedWidth = 572;  // keypad width 319 + 253
    enum Angle { kDegrees = 0, kRadians = 1, kGrads = 2 };

    explicit CCalcWindow(ICalcWindowParent* owner = nullptr, QWidget* parent = nullptr);
    ~CCalcWindow() override;

    // Angle unit: the chosen button down, the others up, and the owner told.
    // Refused with a beep (false) while a calculation runs or is cancelled.
    bool SetDegrees();
    bool SetRadians();
    bool SetGrads();
    int AngleSetting() const { return m_angle; }
    // Shows the unit kept elsewhere (1 radians, 2 grads, anything else
    // degrees) without telling the owner.
    void ShowAngleSetting(int angle);

    void EnableFreeFormButton(bool enable);
    void EnableAngleButtons(bool enable);

    void ShowCommandHelp(unsigned commandId) override;

    CCalcEdit* Edit() const { return m_edit; }
    CCalcDisplayWindow* Display() const { return m_display; }
    CCalcBtnMgr* Keypad() const { return m_keypad; }
    CCalcBtn* FreeFormButton() const { return m_freeForm; }
    CCalcToolbarBtn* AngleButton(int angle) const { return m_angleButtons[static_cast<std::size_t>(angle)]; }
    QRect FrameRect() const { return m_frameRect; }
    int KeypadBottom() const { return m_keypadBottom; }

    // Asks, through the event loop, for the button of a command to flash.
    void PostFlashButton(int commandId);

public slots:
    void flashButton(int commandId);

signals:
    void command(int id);                        // posted
    void keypadPlaced(int width, int height);    // posted

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool SetAngle(int angle);
    void ShowAngle(int angle);
    void OnChildCommand(int id);
    void Layout();
    void ForwardCommand(int id);

    ICalcWindowParent* m_owner;
    CGlyphList m_angleGlyphs{kStripAngles};
    CCalcEdit* m_edit = nullptr;
    CCalcDisplayWindow* m_display = nullptr;
    CCalcBtnMgr* m_keypad = nullptr;
    CCalcBtn* m_freeForm = nullptr;
    std::array<CCalcToolbarBtn*, 3> m_angleButtons{};
    int m_angle = kDegrees;
    QRect m_frameRect;
    QRect m_entryRect;
    bool m_anglesPlaced = false;
    QPoint m_anglesOrigin;
    bool m_keypadPlaced = false;
    QPoint m_keypadOrigin;
    int m_keypadBottom = 0;
};
