#include "keypad/CalcBtn.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "keypad/GlyphList.h"
#include "keypad/ICalcBtnParent.h"
#include "keypad/PostedSignal.h"
#include "keypad/ButtonFace.h"

namespace {
constexpr int kLastFaceIndex = 100;
}

CCalcBtn::CCalcBtn(const CGlyphList* images, CommandList commands, QWidget* parent)
    : QWidget(parent), m_images(images), m_commands(std::move(commands))
{
    Init();
}

CCalcBtn::CCalcBtn(const CGlyphList* images, unsigned commandId, unsigned imageIndex, QWidget* parent)
    : QWidget(parent), m_images(images)
{
    m_commands.push_back(std::make_shared<CCommandInfo>(CCommandInfo{commandId, imageIndex, {}}));
    Init();
}

CCalcBtn::~CCalcBtn() = default;

void CCalcBtn::Init()
{
    if (m_commands.empty())
        m_commands.push_back(std::make_shared<CCommandInfo>());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_flashTimer.setSingleShot(true);
    m_flashTimer.setInterval(kFlashMilliseconds);
    connect(&m_flashTimer, &QTimer::timeout, this, [this] {
        m_flashed = false;
        update();
    });
    m_holdTimer.setSingleShot(true);
    m_holdTimer.setInterval(kHoldMilliseconds);
    connect(&m_holdTimer, &QTimer::timeout, this, &CCalcBtn::OnHoldTimer);
    if (m_commands.size() > 1)
        BuildMenu();
}

void CCalcBtn::BuildMenu()
{
    m_menu = new QMenu(this);
    for (const auto& c : m_commands) {
        QAction* action = m_menu->addAction(QString::fromStdString(c->m_name));
        const int id = static_cast<int>(c->m_commandId);
        connect(action, &QAction::triggered, this, [this, id] { OnMenuCommand(id); });
    }
    m_menu->addSeparator();
    m_changeTo = m_menu->addMenu(QStringLiteral("Change To"));
    for (int i = 0; i < static_cast<int>(m_commands.size()); ++i) {
        QAction* action = m_changeTo->addAction(QString::fromStdString(m_commands[i]->m_name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, i] { OnMenuCommand(i); });
    }
    RenewChangeToChecks();
    connect(m_menu, &QMenu::aboutToHide, this, &CCalcBtn::OnMenuClosed);
}

void CCalcBtn::RenewChangeToChecks()
{
    if (!m_changeTo)
        return;
    const auto actions = m_changeTo->actions();
    for (int i = 0; i < actions.size(); ++i) {
        actions[i]->setChecked(i == m_current);
        actions[i]->setEnabled(i != m_current);
    }
}

unsigned CCalcBtn::GetCommandId() const
{
    return m_commands[static_cast<std::size_t>(m_current)]->m_commandId;
}

void CCalcBtn::SelectCommand(unsigned commandId)
{
    for (int i = 0; i < static_cast<int>(m_commands.size()); ++i) {
        if (m_commands[i]->m_commandId == commandId) {
            m_current = i;
            RenewChangeToChecks();
            update();
            return;
        }
    }
}

void CCalcBtn::Flash()
{
    m_flashed = true;
    // Painted with the window's next frame, a few milliseconds away: a paint
    // here would also paint and flush everything else waiting in the window
    // (the busy display of the step the key has just started) on the way to
    // the step's result.
    update();
    if (!m_flashTimer.isActive())
        m_flashTimer.start();
}

void CCalcBtn::OnMenuCommand(int id)
{
    if (id > kLastFaceIndex) {
        Post(id);
        return;
    }
    if (id < 0 || id >= static_cast<int>(m_commands.size()))
        return;
    m_current = id;
    RenewChangeToChecks();
    update();
}

void CCalcBtn::Post(int id)
{
    PostToEventLoop(this, [this, id] { emit command(id); });
}

void CCalcBtn::OnHoldTimer()
{
    m_holdTimer.stop();
    if (!rect().contains(m_lastPos) || !m_menu)
        return;
    m_menuShowing = true;
    // Qt places the menu on the screen that holds the button and keeps it
    // inside that screen.
    m_menu->popup(mapToGlobal(QPoint(0, height())));
}

void CCalcBtn::OnMenuClosed()
{
    m_menuShowing = false;
    m_pressed = false;
    update();
}

void CCalcBtn::ClearHover()
{
    if (!m_hovering)
        return;
    m_hovering = false;
    if (m_parent)
        m_parent->ShowCommandHelp(0);
}

void CCalcBtn::mouseMoveEvent(QMouseEvent* event)
{
    m_lastPos = event->position().toPoint();
    if (!m_hovering && rect().contains(m_lastPos)) {
        m_hovering = true;
        if (m_parent)
            m_parent->ShowCommandHelp(GetCommandId());
    }
    update();
}

void CCalcBtn::leaveEvent(QEvent* event)
{
    ClearHover();
    update();
    QWidget::leaveEvent(event);
}

void CCalcBtn::Press(QPoint pos)
{
    m_lastPos = pos;
    if (!m_pressed) {
        m_pressed = true;
        if (m_commands.size() > 1)
            m_holdTimer.start();
    }
    update();
}

void CCalcBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Press(event->position().toPoint());
}

void CCalcBtn::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Press(event->position().toPoint());
}

void CCalcBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    if (m_menuShowing)
        return;  // stays pressed until the menu closes
    m_holdTimer.stop();
    m_pressed = false;
    m_lastPos = event->position().toPoint();
    if (rect().contains(m_lastPos))
        Post(static_cast<int>(GetCommandId()));
    else
        ClearHover();  // the pointer left while the button held the mouse
    update();
}

void CCalcBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void CCalcBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = (m_pressed && rect().contains(m_lastPos)) || m_flashed;
    PaintButtonFace(painter, *this, ButtonStateOf(*this, down, m_hovering));
    if (m_images) {
        const QPoint at = isEnabled() && down ? QPoint(2, 2) : QPoint(1, 1);
        m_images->Draw(painter, static_cast<int>(m_commands[m_current]->m_imageIndex), at, isEnabled());
    }
}
