// The docking box's tab strip as a widget: notifications and their order,
// layout through the widget's fonts, scroll and close buttons under the
// pointer, keys, tooltips, the item drag and the flying tab drag. The
// arithmetic behind it has table tests in core/Tab_test.cpp.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <string>
#include <vector>

#include "DockingTestApp.h"
#include "docking/FlyingTabCtrl.h"
#include "docking/core/TabLayout.h"

namespace {

using namespace dockwins;
using Log = std::vector<std::string>;

std::string Pair(const char* code, int a, int b) { return std::string(code) + " " + std::to_string(a) + " " + std::to_string(b); }

// Records the answers that matter and every signal, in order.
class RecordingOwner : public ITabCtrlOwner {
public:
    bool OnTabClick(int index, const QPoint&) override {
        log.push_back("-2 " + std::to_string(index));
        return refuseClick;
    }
    bool OnSelChanging(int oldIndex, int newIndex) override {
        log.push_back(Pair("-552", oldIndex, newIndex));
        return refuseSelection;
    }
    bool OnDeletingItem(int index) override {
        log.push_back("-562 " + std::to_string(index));
        return tabs && tabs->ItemText(index) == keepText;
    }
    bool OnBeginItemDrag(int index, const QPoint&) override {
        log.push_back("-571 " + std::to_string(index));
        return refuseItemDrag;
    }

    void Watch(CFlyingTabCtrl& strip) {
        tabs = &strip;
        QObject::connect(&strip, &CFlyingTabCtrl::selChanged, [this](int a, int b) { log.push_back(Pair("-551", a, b)); });
        QObject::connect(&strip, &CFlyingTabCtrl::itemInserted, [this](int i) { log.push_back("-561 " + std::to_string(i)); });
        QObject::connect(&strip, &CFlyingTabCtrl::itemMoved, [this](int a, int b) { log.push_back(Pair("-563", a, b)); });
        QObject::connect(&strip, &CFlyingTabCtrl::itemsSwapped, [this](int a, int b) { log.push_back(Pair("-564", a, b)); });
        QObject::connect(&strip, &CFlyingTabCtrl::closeClicked, [this](int i, QPoint) { log.push_back("-565 " + std::to_string(i)); });
        QObject::connect(&strip, &CFlyingTabCtrl::doubleClicked, [this](int i, QPoint) { log.push_back("-3 " + std::to_string(i)); });
        QObject::connect(&strip, &CFlyingTabCtrl::itemDragDropped, [this](int a, int b) { log.push_back(Pair("-572", a, b)); });
        QObject::connect(&strip, &CFlyingTabCtrl::itemDragCancelled, [this](int i) { log.push_back("-573 " + std::to_string(i)); });
        QObject::connect(&strip, &CFlyingTabCtrl::tabDraggedOut, [this] { log.push_back("-581"); });
    }

    Log log;
    bool refuseClick = false;
    bool refuseSelection = false;
    bool refuseItemDrag = false;
    QString keepText;
    CDotNetTabCtrl* tabs = nullptr;  // for the kept text
};

// Shows the inactive text colour the strip paints with.
class ColourProbe : public CFlyingTabCtrl {
public:
    using CFlyingTabCtrl::CFlyingTabCtrl;
    using CFlyingTabCtrl::PaintContext;
};

struct AppFirst {
    AppFirst() { DockingTestApp(); }
};

class TabCtrl : public AppFirst, public testing::Test {
protected:
    TabCtrl() { host.setGeometry(100, 100, 400, 120); }
    ~TabCtrl() override { Settle(); }

    // A shown strip of `width` x 24 in a top-level host, with the given tabs.
    CFlyingTabCtrl& Make(unsigned style, int width, const std::vector<QString>& texts) {
        tabs = new CFlyingTabCtrl(&host, &owner, style);
        owner.Watch(*tabs);
        tabs->setGeometry(0, 10, width, 24);
        for (const QString& text : texts)
            tabs->InsertItem(-1, text, QIcon(), nullptr, false);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        // The pointer enters the new window away from the strip.
        QTest::mouseMove(Handle(), QPoint(395, 115));
        owner.log.clear();
        return *tabs;
    }

    QWindow* Handle() const { return host.windowHandle(); }
    QPoint InWindow(QPoint p) const { return tabs->mapTo(&host, p); }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(Handle(), b, {}, InWindow(p)); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(Handle(), b, {}, InWindow(p)); }
    void Move(QPoint p) { QTest::mouseMove(Handle(), InWindow(p)); }
    QPoint Centre(int index) const { return tabs->GetItemRect(index).center(); }
    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < tabs->GetItemCount(); ++i)
            texts << tabs->ItemText(i);
        return texts;
    }

    QWidget host;
    RecordingOwner owner;
    CFlyingTabCtrl* tabs = nullptr;
};

constexpr unsigned kBox = CFlyingTabCtrl::kBottom | CFlyingTabCtrl::kToolTips;

TEST_F(TabCtrl, InsertSelectAndDeleteNotifyInOrder) {
    Make(kBox, 300, {});
    // The first tab is selected even without `select`.
    EXPECT_EQ(tabs->InsertItem(4, "History", QIcon(), &host, false), 0);
    EXPECT_EQ(owner.log, (Log{"-561 0", "-552 -1 0", "-551 -1 0"}));
    EXPECT_EQ(tabs->ItemWindow(0), &host);

    tabs->InsertItem(-1, "B", QIcon(), nullptr, false);
    tabs->InsertItem(0, "Variables", QIcon(), nullptr, false);  // before the selection: it follows its tab
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(tabs->ItemText(1), "History");

    owner.log.clear();
    owner.refuseSelection = true;
    EXPECT_EQ(tabs->SetCurSel(2), -1);
    EXPECT_EQ(owner.log, (Log{"-552 1 2"}));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    owner.refuseSelection = false;

    // Deleting the selected middle tab selects, with notification, the one taking its place.
    owner.log.clear();
    EXPECT_TRUE(tabs->DeleteItem(1));
    EXPECT_EQ(owner.log, (Log{"-562 1", "-552 -1 1", "-551 -1 1"}));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(tabs->ItemText(1), "B");
    EXPECT_FALSE(tabs->DeleteItem(5));

    // Deleting all announces each tab; one the owner keeps stays, asked once.
    tabs->InsertItem(1, "C", QIcon(), nullptr, false);
    owner.log.clear();
    owner.keepText = "C";
    tabs->DeleteAllItems();
    EXPECT_EQ(owner.log, (Log{"-562 0", "-562 0", "-562 1"}));
    EXPECT_EQ(Texts(), QStringList{"C"});
    EXPECT_EQ(tabs->GetCurSel(), -1);
}

TEST_F(TabCtrl, NaturalAndFittedWidthsFollowTheFont) {
    Make(kBox, 400, {"History", "Variables", "A"});
    const QFontMetrics metrics(tabs->font());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tabs->GetItemRect(i).width(), 3 + 8 + metrics.horizontalAdvance(tabs->ItemText(i)) + 3) << i;
    EXPECT_EQ(tabs->GetItemRect(0).left(), 5);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    tabs->SetItemIcon(2, QIcon(pixmap));
    EXPECT_EQ(tabs->GetItemRect(2).width(), 3 + 16 + 8 + metrics.horizontalAdvance("A") + 3);

    // Too short: the selected tab keeps its width, the others shrink, none below 0.
    const int natural = tabs->GetItemRect(0).width();
    tabs->resize(natural + 2 * 5 + 60, 24);
    EXPECT_EQ(tabs->GetItemRect(0).width(), natural);
    EXPECT_EQ(tabs->GetItemRect(1).width(), 30);
    EXPECT_EQ(tabs->GetItemRect(2).width(), 30);
    tabs->resize(3, 24);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(tabs->GetItemRect(i).width(), 0);
    EXPECT_TRUE(tabs->GetItemRect(3).isEmpty());
    EXPECT_TRUE(tabs->GetItemRect(-1).isEmpty());
}

TEST_F(TabCtrl, HitTestAndKeys) {
    Make(kBox | CFlyingTabCtrl::kScrollButtons | CFlyingTabCtrl::kCloseButton, 200,
         {"First tab", "Second tab", "Third tab"});
    struct Case { QPoint p; int index; unsigned flags; } cases[] = {
        {Centre(0), 0, 6},
        {tabs->CloseButtonRect().center(), -1, 16},
        {tabs->ScrollRightButtonRect().center(), -1, 32},
        {tabs->ScrollLeftButtonRect().center(), -1, 64},
        {QPoint(tabs->CloseButtonRect().center().x(), 1), -1, 0},
    };
    for (const auto& c : cases) {
        unsigned flags = 99;
        EXPECT_EQ(tabs->HitTest(c.p, &flags), c.index) << c.p.x() << "," << c.p.y();
        EXPECT_EQ(flags, c.flags) << c.p.x() << "," << c.p.y();
    }

    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Left);  // at the first tab: nothing
    EXPECT_EQ(tabs->GetCurSel(), 0);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_LT(tabs->ScrollOffset(), 0);  // scrolled into view
    EXPECT_LE(tabs->GetItemRect(2).right() + 1, tabs->TabAreaRect().right() + 1);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(tabs->GetCurSel(), 1);

    // Without a selection nothing scrolls.
    const int offset = tabs->ScrollOffset();
    tabs->SetCurSel(-1);
    EXPECT_EQ(tabs->GetCurSel(), -1);
    EXPECT_EQ(tabs->ScrollOffset(), offset);
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->GetCurSel(), -1);
}

TEST_F(TabCtrl, ScrollButtonsRepeatAndStopAtTheEnds) {
    Make(kBox | CFlyingTabCtrl::kScrollButtons, 160, {"Alpha one", "Beta two", "Gamma three", "Delta four"});
    EXPECT_EQ(tabs->ScrollOffset(), 0);
    EXPECT_FALSE(tabs->TabsHiddenLeft());
    EXPECT_TRUE(tabs->TabsHiddenRight());

    auto* repeat = tabs->findChild<QTimer*>("scrollRightRepeat");
    ASSERT_NE(repeat, nullptr);
    const QPoint right = tabs->ScrollRightButtonRect().center();
    Press(right);
    EXPECT_EQ(tabs->ScrollOffset(), -40);
    EXPECT_TRUE(repeat->isActive());
    EXPECT_EQ(repeat->interval(), 25);
    EXPECT_TRUE(tabs->TabsHiddenLeft());
    Release(right);
    // Pressing on: never a gap after the last tab.
    for (int i = 0; i < 20; ++i) {
        Press(right);
        Release(right);
    }
    const int lastRight = tabs->GetItemRect(3).right() + 1;
    EXPECT_EQ(lastRight + 5, tabs->TabAreaRect().right() + 1);
    EXPECT_FALSE(tabs->TabsHiddenRight());
    EXPECT_TRUE(tabs->TabsHiddenLeft());

    const QPoint left = tabs->ScrollLeftButtonRect().center();
    for (int i = 0; i < 20; ++i) {
        Press(left);
        Release(left);
    }
    EXPECT_EQ(tabs->ScrollOffset(), 0);  // the first tab back home, not beyond
    EXPECT_EQ(tabs->GetItemRect(0).left(), 5);
    EXPECT_FALSE(tabs->TabsHiddenLeft());

    // A held button repeats while the pointer stays on it.
    Press(right);
    const int afterPress = tabs->ScrollOffset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return tabs->ScrollOffset() < afterPress; }, 5000));
    Release(right);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !repeat->isActive(); }, 5000));
}

TEST_F(TabCtrl, CloseButtonClicksOnlyWhenReleasedOnIt) {
    Make(kBox | CFlyingTabCtrl::kCloseButton, 300, {"A", "B"});
    const QPoint close = tabs->CloseButtonRect().center();
    ASSERT_FALSE(tabs->CloseButtonRect().isEmpty());
    Press(close);
    Release(close);
    EXPECT_EQ(owner.log, (Log{"-565 0"}));

    owner.log.clear();
    Press(close);
    Move(Centre(1));
    Release(Centre(1));
    Press(close);
    Move(QPoint(close.x(), 40));  // off the strip
    Move(close + QPoint(0, 1));   // and back: a release here still clicks
    Release(close + QPoint(0, 1));
    EXPECT_EQ(owner.log, (Log{"-565 0"}));

    // A tab that cannot close has no close button while it is selected.
    tabs->SetItemCanClose(0, false);
    EXPECT_TRUE(tabs->CloseButtonRect().isEmpty());
    unsigned flags = 99;
    tabs->HitTest(close, &flags);
    EXPECT_NE(flags, 16u);
    tabs->SetCurSel(1);
    EXPECT_FALSE(tabs->CloseButtonRect().isEmpty());
}

TEST_F(TabCtrl, ClicksSelectUnlessRefused) {
    Make(kBox, 300, {"A", "B", "C"});
    Press(Centre(2));
    Release(Centre(2));
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_EQ(owner.log, (Log{"-2 2", "-552 0 2", "-551 0 2"}));

    owner.log.clear();
    owner.refuseClick = true;
    Press(Centre(0));
    Release(Centre(0));
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_EQ(owner.log, (Log{"-2 0"}));
    owner.refuseClick = false;

    // A double click counts only on a tab.
    owner.log.clear();
    const QPoint empty(290, 12);
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, InWindow(empty));
    EXPECT_TRUE(std::find(owner.log.begin(), owner.log.end(), "-3 -1") == owner.log.end());
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, InWindow(Centre(1)));
    EXPECT_TRUE(std::find(owner.log.begin(), owner.log.end(), "-3 1") != owner.log.end());
    // Without a selection a double click has no tab to act on.
    tabs->SetCurSel(-1, false);
    owner.refuseClick = true;
    owner.log.clear();
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, InWindow(Centre(1)));
    EXPECT_EQ(tabs->GetCurSel(), -1);
    EXPECT_TRUE(std::find(owner.log.begin(), owner.log.end(), "-3 1") == owner.log.end());
}

TEST_F(TabCtrl, HotTrackingFollowsThePointerAndForgetsOnLeave) {
    Make(kBox | CFlyingTabCtrl::kHotTrack, 300, {"A", "B"});
    Move(Centre(1));
    EXPECT_EQ(tabs->HotItem(), 1);
    Move(QPoint(290, 12));  // past the last tab
    EXPECT_EQ(tabs->HotItem(), -1);
    Move(Centre(0));
    EXPECT_EQ(tabs->HotItem(), 0);
    tabs->InsertItem(0, "C", QIcon(), nullptr, false);  // the hot tab moves on
    EXPECT_EQ(tabs->HotItem(), 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(tabs, &leave);
    EXPECT_EQ(tabs->HotItem(), -1);

    tabs->SetStyle(kBox);
    Move(Centre(1));
    EXPECT_EQ(tabs->HotItem(), -1);
}

TEST_F(TabCtrl, TooltipsNameTabsAndButtons) {
    Make(kBox | CFlyingTabCtrl::kCloseButton | CFlyingTabCtrl::kScrollButtons, 300, {"History", "Variables"});
    tabs->SetItemToolTip(1, "All variables");
    const auto tipAt = [this](QPoint p) {
        QHelpEvent help(QEvent::ToolTip, p, tabs->mapToGlobal(p));
        QCoreApplication::sendEvent(tabs, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(Centre(0)), "History");
    EXPECT_EQ(tipAt(Centre(1)), "All variables");
    EXPECT_EQ(tipAt(tabs->CloseButtonRect().center()), "Close");
    EXPECT_EQ(tipAt(tabs->ScrollRightButtonRect().center()), "Scroll Right");
    EXPECT_EQ(tipAt(tabs->ScrollLeftButtonRect().center()), "Scroll Left");
    tabs->SetStyle(tabs->Style() & ~CFlyingTabCtrl::kToolTips);
    EXPECT_NE(tipAt(Centre(0)), "History");
}

TEST_F(TabCtrl, ColoursAndHeight) {
    Make(kBox, 300, {"A"});
    struct Case { QColor grey; QColor expected; } cases[] = {
        {QColor(128, 128, 128), QColor(84, 84, 84)},
        {QColor(109, 109, 109), QColor(65, 65, 65)},
        {QColor(128, 40, 10), QColor(84, 20, 5)},
    };
    for (const auto& c : cases) {
        ColourProbe probe(&host, &owner);
        QPalette palette = probe.palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText, c.grey);
        probe.setPalette(palette);
        EXPECT_EQ(probe.PaintContext().inactiveText, c.expected) << c.grey.name().toStdString();
    }

    // The height follows the font's ascent.
    QFont font = tabs->font();
    font.setPixelSize(40);
    tabs->setFont(font);
    EXPECT_EQ(tabs->TabHeight(), TabStripHeight(QFontMetrics(font).ascent()));
    EXPECT_GT(tabs->TabHeight(), 24);
    EXPECT_EQ(tabs->sizeHint().height(), tabs->TabHeight());
}

TEST_F(TabCtrl, FlyingDragSwapsWithoutOscillationAndTearsOutOnce) {
    // A narrow and a wide tab: after the swap the wide one lies under the pointer.
    Make(kBox, 400, {"A", "A much wider tab", "C"});
    const QPoint start = Centre(0);
    const QPoint over = tabs->GetItemRect(1).topLeft() + QPoint(4, 8);
    Press(start);
    owner.log.clear();
    Move(over);
    EXPECT_EQ(Texts(), (QStringList{"A much wider tab", "A", "C"}));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(owner.log, (Log{"-552 1 1", "-551 1 1"}));  // no -564
    EXPECT_TRUE(tabs->TabDragActive());
    // Still, or further the same way, over the tab it swapped with: no swap back.
    for (const int dx : {0, 1, 3})
        Move(over + QPoint(dx, 0));
    EXPECT_EQ(Texts(), (QStringList{"A much wider tab", "A", "C"}));
    // Off the strip: torn out, once.
    owner.log.clear();
    Move(QPoint(over.x(), 60));
    Move(QPoint(over.x(), 80));
    Release(QPoint(over.x(), 80));
    Settle();
    EXPECT_EQ(owner.log, (Log{"-581"}));
    EXPECT_FALSE(tabs->TabDragActive());

    // Escape ends a drag without a tear-out.
    owner.log.clear();
    Press(Centre(1));
    Move(Centre(1) + QPoint(2, 9));
    ASSERT_TRUE(tabs->TabDragActive());
    QTest::keyClick(Handle(), Qt::Key_Escape);
    EXPECT_FALSE(tabs->TabDragActive());
    Move(QPoint(10, 80));
    Release(QPoint(10, 80));
    Settle();
    EXPECT_TRUE(std::find(owner.log.begin(), owner.log.end(), "-581") == owner.log.end());

    // Without a selection there is nothing to drag.
    tabs->SetCurSel(-1);
    owner.refuseSelection = true;
    owner.log.clear();
    Press(Centre(2));
    Move(QPoint(Centre(2).x(), 80));
    Release(QPoint(Centre(2).x(), 80));
    Settle();
    EXPECT_FALSE(tabs->TabDragActive());
    EXPECT_TRUE(std::find(owner.log.begin(), owner.log.end(), "-581") == owner.log.end());
}

// The item drag of the plain strip (the flying strip drags its own way).
class ItemDragStrip : public TabCtrl {
protected:
    CDotNetTabCtrl& MakePlain() {
        plain = new CDotNetTabCtrl(&host, &owner, kBox | CDotNetTabCtrl::kItemDrag);
        QObject::connect(plain, &CDotNetTabCtrl::itemDragDropped,
                         [this](int a, int b) { owner.log.push_back(Pair("-572", a, b)); });
        QObject::connect(plain, &CDotNetTabCtrl::itemDragCancelled,
                         [this](int i) { owner.log.push_back("-573 " + std::to_string(i)); });
        plain->setGeometry(0, 10, 300, 24);
        for (const char* text : {"Alpha", "Beta", "Gamma"})
            plain->InsertItem(-1, text, QIcon(), nullptr, false);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        owner.log.clear();
        return *plain;
    }
    QPoint At(QPoint p) const { return plain->mapTo(&host, p); }
    QString Order() const {
        QString s;
        for (int i = 0; i < plain->GetItemCount(); ++i)
            s += plain->ItemText(i).left(1);
        return s;
    }
    CDotNetTabCtrl* plain = nullptr;
};

TEST_F(ItemDragStrip, MovesPastMidpointsDropsAndCancels) {
    MakePlain();
    const QRect beta = plain->GetItemRect(1);
    QTest::mousePress(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(0).center()));
    QTest::mouseMove(Handle(), At(QPoint(beta.left() + 2, 12)));  // not past Beta's middle
    ASSERT_TRUE(plain->ItemDragActive());
    EXPECT_EQ(Order(), "ABG");
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    QTest::mouseMove(Handle(), At(QPoint(beta.right() - 2, 12)));
    EXPECT_EQ(Order(), "BAG");
    EXPECT_EQ(plain->GetCurSel(), 1);  // the selection follows
    QTest::mouseMove(Handle(), At(QPoint(beta.right() - 2, 50)));  // outside
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, At(QPoint(beta.right() - 2, 50)));
    EXPECT_EQ(owner.log, (Log{"-2 0", "-552 0 0", "-571 0", "-572 0 1"}));
    EXPECT_FALSE(plain->ItemDragActive());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Escape puts the tab back.
    owner.log.clear();
    QTest::mousePress(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(1).center()));
    QTest::mouseMove(Handle(), At(plain->GetItemRect(2).center() + QPoint(10, 0)));
    EXPECT_EQ(Order(), "BGA");
    QTest::keyClick(Handle(), Qt::Key_Escape);
    EXPECT_EQ(Order(), "BAG");
    EXPECT_EQ(owner.log, (Log{"-2 1", "-552 1 1", "-571 1", "-573 1"}));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(1).center()));

    // A tab added during the drag ends it first, the dragged tab back home.
    owner.log.clear();
    QTest::mousePress(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(0).center()));
    QTest::mouseMove(Handle(), At(plain->GetItemRect(1).center() + QPoint(10, 0)));
    EXPECT_EQ(Order(), "ABG");
    plain->InsertItem(0, "Delta", QIcon(), nullptr, false);
    EXPECT_FALSE(plain->ItemDragActive());
    EXPECT_EQ(Order(), "DBAG");
    EXPECT_EQ(owner.log, (Log{"-2 0", "-552 1 0", "-571 0", "-573 0"}));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(1).center()));
    plain->DeleteItem(0, true, false);

    // The owner may refuse the drag; it is asked once per press.
    owner.log.clear();
    owner.refuseItemDrag = true;
    QTest::mousePress(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(0).center()));
    QTest::mouseMove(Handle(), At(plain->GetItemRect(2).center()));
    QTest::mouseMove(Handle(), At(plain->GetItemRect(2).center() + QPoint(5, 0)));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, At(plain->GetItemRect(2).center()));
    EXPECT_EQ(Order(), "BAG");
    EXPECT_EQ(owner.log, (Log{"-2 0", "-552 0 0", "-571 0"}));
}

}  // namespace
