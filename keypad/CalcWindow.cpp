#include "keypad/CalcWindow.h"

#include <QPainter>
#include <QResizeEvent>

#include "keypad/CalcBtn.h"
#include "keypad/CalcBtnMgr.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcToolbarBtn.h"
#include "keypad/ICalcWindowParent.h"
#include "keypad/KeypadLayout.h"
#include "keypad/PostedSignal.h"
#include "platform/qt/BeepService.h"
#include "platform/qt/VisualStyles.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kSmallButtonWidth = 32;
constexpr int kSmallButtonHeight = 18;
constexpr unsigned kAngleCommands[3] = {cmd::kDegrees, cmd::kRadians, cmd::kGrads};

}  // namespace

CCalcWindow::CCalcWindow(ICalcWindowParent* owner, QWidget* parent) : QWidget(parent), m_owner(owner)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_edit = new CCalcEdit(this);
    m_edit->setGeometry(23, 23, 350 - 23, 85 - 23);
    m_edit->SetFontMode(0);
    m_edit->move(27, 27);

    m_freeForm = new CCalcBtn(&m_angleGlyphs, cmd::kFreeFormEntry, 0, this);
    m_freeForm->setFixedSize(kSmallButtonWidth, kSmallButtonHeight);
    connect(m_freeForm, &CCalcBtn::command, this, &CCalcWindow::OnChildCommand);
    for (int a = 0; a < 3; ++a) {
        auto* button = new CCalcToolbarBtn(kAngleCommands[a], &m_angleGlyphs, 1 + 2 * a, 2 + 2 * a, this);
        button->setFixedSize(kSmallButtonWidth, kSmallButtonHeight);
        connect(button, &CCalcToolbarBtn::command, this, &CCalcWindow::OnChildCommand);
        m_angleButtons[static_cast<std::size_t>(a)] = button;
    }

    m_keypad = new CCalcBtnMgr(this);
    m_keypad->BuildKeypad();
    m_keypad->SetParent(this);
    connect(m_keypad, &CCalcBtnMgr::command, this, &CCalcWindow::OnChildCommand);

    m_display = new CCalcDisplayWindow(this);
    connect(m_display, &CCalcDisplayWindow::command, this, &CCalcWindow::OnChildCommand);

    ShowAngle(m_angle);
    Layout();
}

CCalcWindow::~CCalcWindow()
{
    m_keypad->SaveButtonAlternatives();
}

bool CCalcWindow::SetDegrees() { return SetAngle(kDegrees); }
bool CCalcWindow::SetRadians() { return SetAngle(kRadians); }
bool CCalcWindow::SetGrads() { return SetAngle(kGrads); }

bool CCalcWindow::SetAngle(int angle)
{
    // The calculation thread reads the angle unit while it runs: a change now
    // would convert one argument and its result with different units.
    if (m_owner && (m_owner->IsCalculating() || m_owner->IsCancelPending())) {
        MessageBeep();
        ShowAngle(m_angle);
        return false;
    }
    m_angle = angle;
    ShowAngle(angle);
    if (m_owner)
        m_owner->OnAngleChosen(angle);
    return true;
}

void CCalcWindow::ShowAngleSetting(int angle)
{
    m_angle = angle == kRadians ? kRadians : angle == kGrads ? kGrads : kDegrees;
    ShowAngle(m_angle);
}

void CCalcWindow::ShowAngle(int angle)
{
    for (int a = 0; a < 3; ++a)
        m_angleButtons[static_cast<std::size_t>(a)]->SetDown(a == angle);
}

void CCalcWindow::EnableFreeFormButton(bool enable)
{
    if (m_freeForm->isEnabled() != enable) {
        m_freeForm->setEnabled(enable);
        m_freeForm->update();
    }
}

void CCalcWindow::EnableAngleButtons(bool enable)
{
    if (m_angleButtons[kGrads]->isEnabled() == enable)
        return;
    for (auto* button : m_angleButtons) {
        button->setEnabled(enable);
        button->update();
    }
}

void CCalcWindow::ShowCommandHelp(unsigned commandId)
{
    m_display->ShowCommandHelp(commandId);
}

void CCalcWindow::PostFlashButton(int commandId)
{
    PostToEventLoop(this, [this, commandId] { flashButton(commandId); });
}

void CCalcWindow::flashButton(int commandId)
{
    m_keypad->FlashButton(static_cast<unsigned>(commandId));
}

void CCalcWindow::ForwardCommand(int id)
{
    PostToEventLoop(this, [this, id] { emit command(id); });
}

void CCalcWindow::OnChildCommand(int id)
{
    const unsigned uid = static_cast<unsigned>(id);
    if (uid == cmd::kDegrees || uid == cmd::kRadians || uid == cmd::kGrads) {
        const int angle = uid == cmd::kDegrees ? kDegrees : uid == cmd::kRadians ? kRadians : kGrads;
        if (!SetAngle(angle))
            return;
    }
    ForwardCommand(id);
}

void CCalcWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void CCalcWindow::Layout()
{
    const int w = width();
    const int h = height();
    m_frameRect = QRect(QPoint(4, 4), QPoint(w - 5, h - 5));

    m_edit->setGeometry(27, 27, std::max(1, w - 54), m_edit->height());
    m_entryRect = m_edit->geometry();
    const int entryRight = m_entryRect.left() + m_entryRect.width();
    const int entryBottom = m_entryRect.top() + m_entryRect.height();

    m_freeForm->move(entryRight - kSmallButtonWidth, entryBottom + 5);

    // The angle buttons and the keypad hang below the entry line: they move
    // whenever its left edge or its bottom (its font) changes.
    const QPoint anglesOrigin(m_entryRect.left(), entryBottom + 5);
    if (!m_anglesPlaced || anglesOrigin != m_anglesOrigin) {
        for (int a = 0; a < 3; ++a)
            m_angleButtons[static_cast<std::size_t>(a)]->move(anglesOrigin.x() + 37 * a, anglesOrigin.y());
        m_anglesPlaced = true;
        m_anglesOrigin = anglesOrigin;
    }
    const QPoint keypadOrigin(m_entryRect.left(), entryBottom + 46);
    if (!m_keypadPlaced || keypadOrigin != m_keypadOrigin) {
        m_keypadBottom = m_keypad->LayoutButtons(keypadOrigin.x(), keypadOrigin.y());
        m_keypadPlaced = true;
        m_keypadOrigin = keypadOrigin;
        const int placedHeight = m_keypadBottom + 27;
        PostToEventLoop(this, [this, placedHeight] { emit keypadPlaced(kPlacedWidth, placedHeight); });
    }

    m_display->setGeometry(kKeypadWidth + 50, m_keypad->KeypadTop(), std::max(0, w - kKeypadWidth - 77),
                           kKeypadHeight);
    update();
}

void CCalcWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!visual_styles::DrawThemedPane(painter, m_frameRect, this))
        visual_styles::DrawClassicRaisedEdge(painter, m_frameRect, this);
}
