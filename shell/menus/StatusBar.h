#pragma once
// The main window's status bar: four parts whose right edges lie at the
// window width minus 310, minus 110, minus 55, and at its right edge. Part 0
// shows the calculation state, 1 "Max Digits: n", 2 "(=n", 3 "NUM". A double
// click on part 1 is reported (the frame then offers custom Max Digits).

#include <QStatusBar>
#include <array>

#include "shell/menus/MenuState.h"

class QLabel;

class CStatusBar : public QStatusBar, public IStatusBarView {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent = nullptr);

    // IStatusBarView
    std::string PartText(int part) const override;
    void SetPartText(int part, const std::string& text) override;

    QLabel* Part(int part) const;
    // The right edge of each part for a bar of that width.
    static std::array<int, kPartCount> PartRightEdges(int width);

signals:
    void maxDigitsPartDoubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOutParts();

    std::array<QLabel*, kPartCount> m_parts{};
};
