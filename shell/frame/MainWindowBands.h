#pragma once
// The main window's two tool bands as the window state stores them: band 0
// the menu bar, band 1 the toolbar. The toolbar's hidden bit shows or hides
// it; the menu bar is never hidden; widths and order are kept as values.

#include <QPointer>
#include <QWidget>

#include "docking/state/WindowState.h"

class CMainWindowBands final : public sstate::IBandHost {
public:
    static constexpr std::uint32_t kMenuBandId = 0xEB00;
    static constexpr std::uint32_t kToolBandId = 0xEB01;
    static constexpr std::uint32_t kChildEdge = 0x4;
    static constexpr std::uint32_t kBreak = 0x1;        // the band starts a new row
    static constexpr std::uint32_t kNoGripper = 0x100;  // bands are locked

    CMainWindowBands(QWidget* menuBar, QWidget* toolBar);

    std::vector<sstate::BandInfo> Bands() const override;
    void SetBands(const std::vector<sstate::BandInfo>& bands) override;
    std::uint32_t MenuBandId() const override { return kMenuBandId; }

private:
    QPointer<QWidget> m_menuBar;
    QPointer<QWidget> m_toolBar;
    std::vector<sstate::BandInfo> m_bands;
};
