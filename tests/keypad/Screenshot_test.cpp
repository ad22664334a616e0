// Renders the keypad panel with its entry line and display to PNG files in the
// build tree (screenshots/), at rest and busy, themed and classic, so that
// their look can be checked by eye.

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "keypad/CalcBtn.h"
#include "keypad/CalcBtnMgr.h"
#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "platform/qt/VisualStyles.h"
#include "settings/ConfigOptions.h"

namespace {

using namespace keypad_test;

class Screenshot : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ConfigOptions::Instance().SetDefaults();
        ConfigOptions::Instance().m_digitGrouping = 0;
        visual_styles::ForceThemesAvailable(GetParam());
        QDir().mkpath(kDir);
    }
    void TearDown() override
    {
        visual_styles::ClearThemesOverride();
        ConfigOptions::Instance().SetDefaults();
    }
    QString Path(const char* state) const
    {
        return QStringLiteral("%1/keypad-%2-%3.png").arg(kDir, state, GetParam() ? "themed" : "classic");
    }
    static void Save(QWidget& widget, const QString& path)
    {
        const QImage image = widget.grab().toImage();
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(image.save(path)) << path.toStdString();
    }

    const QString kDir = QStringLiteral(QUILLIX_SCREENSHOT_DIR);
    OwnerSpy owner;
};

TEST_P(Screenshot, RestAndBusy)
{
    CCalcWindow window(&owner);
    window.resize(720, 100);
    DrainEvents();
    // The frame makes the panel as high as the keypad needs.
    window.resize(720, window.KeypadBottom() + 27);
    window.show();
    for (char c : std::string("31415.9265E-3"))
        window.Edit()->TypeChar(c);
    Move(window.Keypad()->SlotButton(3), {5, 5});  // hover "sin": its help shows
    DrainEvents();
    Save(window, Path("rest"));

    window.Display()->ShowBusy();
    Wait(300);
    Save(window, Path("busy"));

    window.Display()->HideBusy();
    window.Edit()->SetErrorText("Attempt to divide by zero!");
    window.Display()->SetErrorDetail("Division by zero is not defined.");
    DrainEvents();
    Save(window, Path("error"));
    EXPECT_TRUE(QFile::exists(Path("rest")));
}

INSTANTIATE_TEST_SUITE_P(Styles, Screenshot, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Themed" : "Classic"; });

}  // namespace
