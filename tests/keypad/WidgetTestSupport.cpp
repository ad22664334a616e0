#include "WidgetTestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "settings/ConfigOptions.h"

namespace {

// One QApplication for the whole test program, made before the first test.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "keypad_widget_tests";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
        QApplication::setStyle(QStringLiteral("Fusion"));
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

namespace keypad_test {

void Press(QWidget* widget, QPoint at)
{
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void DoubleClick(QWidget* widget, QPoint at)
{
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
}

void Release(QWidget* widget, QPoint at)
{
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void Move(QWidget* widget, QPoint at, bool leftDown)
{
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, leftDown ? Qt::LeftButton : Qt::NoButton);
}

void Leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget)
{
    const QPoint middle = widget->rect().center();
    Move(widget, middle);
    Press(widget, middle);
    Release(widget, middle);
}

void DrainEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void Wait(int milliseconds)
{
    QTest::qWait(milliseconds);
}

}  // namespace keypad_test
