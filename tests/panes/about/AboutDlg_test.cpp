// The about box: title, version, fixed size, banner and the link.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "panes/about/AboutDlg.h"
#include "panes/about/AboutPic.h"
#include "panes/about/HyperLink.h"
#include "panes/about/ProgramArt.h"
#include "tests/panes/about/FakeUrlOpener.h"

namespace {

TEST(AboutDlg, TitleAndVersion)
{
    CFakeUrlOpener opener;
    CAboutDlg dialog(opener);
    EXPECT_EQ(dialog.windowTitle(), "About Vornel Quillix");
    const QStringList lines = dialog.ProductText()->text().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains("Vornel Quillix"));
    EXPECT_EQ(lines[1], "Version 1.2.2.0");
    EXPECT_TRUE(lines[2].contains("Vornel"));
    EXPECT_TRUE(dialog.LegalNotice()->isReadOnly());
    EXPECT_FALSE(dialog.LegalNotice()->toPlainText().isEmpty());
    EXPECT_EQ(dialog.LegalNotice()->font().pointSize(), 7);
    EXPECT_TRUE(dialog.OkButton()->isDefault());
}

TEST(AboutDlg, LinkOpensTheAboutPageAndTurnsVisitedOnSuccessOnly)
{
    CFakeUrlOpener opener;
    CAboutDlg dialog(opener);
    dialog.show();
    CHyperLink* link = dialog.Link();
    EXPECT_TRUE(link->toolTip().isEmpty());
    EXPECT_EQ(link->Target(), "https://www.vornel.example/index.php?referer=quillix");

    opener.succeeds = false;  // no browser
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_EQ(opener.urls[0], "https://www.vornel.example/index.php?referer=aboutbox");
    EXPECT_FALSE(link->IsVisited());

    opener.succeeds = true;
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(opener.urls.size(), 2u);
    EXPECT_TRUE(link->IsVisited());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x80));
}

TEST(AboutDlg, LinkUnderlinesOnHoverAndWorksFromTheKeyboard)
{
    CFakeUrlOpener opener;
    CHyperLink link(QStringLiteral("Visit"));
    QSignalSpy spy(&link, &CHyperLink::clicked);
    link.show();
    EXPECT_FALSE(link.font().underline());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&link, &enter);
    EXPECT_TRUE(link.font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    EXPECT_FALSE(link.font().underline());

    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_EQ(spy.count(), 1);
    // A press released outside the link is no click.
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(-50, -50));
    EXPECT_EQ(spy.count(), 1);
}

TEST(AboutDlg, FixedSizeAndTheBannerFillsItsControl)
{
    CFakeUrlOpener opener;
    CAboutDlg dialog(opener);
    dialog.show();
    QCoreApplication::processEvents();
    const QSize size = dialog.size();
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    dialog.resize(size.width() + 200, size.height() + 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.size(), size);

    // The banner's corners and middle are painted by the picture, not the
    // dialog's background.
    const QImage banner = dialog.Banner()->grab().toImage();
    const QColor background = dialog.palette().color(QPalette::Window);
    for (QPoint p : {QPoint(0, 0), QPoint(banner.width() - 1, banner.height() - 1),
                     QPoint(banner.width() / 2, banner.height() / 2)})
        EXPECT_NE(banner.pixelColor(p), background) << p.x() << "," << p.y();
    EXPECT_EQ(dialog.Banner()->width(), dialog.width());
}

TEST(AboutDlg, OkAndEscapeEndIt)
{
    CFakeUrlOpener opener;
    CAboutDlg dialog(opener);
    dialog.show();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ProgramArt, IconAndBannerAreDrawn)
{
    EXPECT_EQ(DrawAboutBanner().size(), kAboutBannerSize);
    for (int size : {16, 32, 256}) {
        const QImage icon = DrawProgramIcon(size).toImage();
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);                 // rounded corner
        EXPECT_EQ(icon.pixelColor(size / 2, size * 7 / 8).alpha(), 255);  // body
    }
    EXPECT_FALSE(ProgramIcon().availableSizes().isEmpty());
}

TEST(AboutDlg, Screenshot)
{
    CFakeUrlOpener opener;
    CAboutDlg dialog(opener);
    dialog.show();
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral(QUILLIX_ABOUT_SCREENSHOT_DIR));
    ASSERT_TRUE(dialog.grab().save(QStringLiteral(QUILLIX_ABOUT_SCREENSHOT_DIR "/about-box.png")));
}

}  // namespace
