#include "shell/frame/MainWindowBands.h"

using sstate::BandInfo;

CMainWindowBands::CMainWindowBands(QWidget* menuBar, QWidget* toolBar) : m_menuBar(menuBar), m_toolBar(toolBar)
{
    const auto width = [](QWidget* w) { return w ? static_cast<std::uint32_t>(std::max(0, w->sizeHint().width())) : 0u; };
    m_bands = {{kChildEdge | kNoGripper, width(menuBar), kMenuBandId, width(menuBar)},
               {kChildEdge | kNoGripper | kBreak, width(toolBar), kToolBandId, width(toolBar)}};
}

std::vector<BandInfo> CMainWindowBands::Bands() const
{
    std::vector<BandInfo> bands = m_bands;
    for (BandInfo& band : bands) {
        QWidget* bar = band.id == kToolBandId ? m_toolBar.data() : nullptr;
        if (!bar)
            continue;
        if (bar->isHidden())
            band.style |= BandInfo::kHidden;
        else
            band.style &= ~BandInfo::kHidden;
    }
    return bands;
}

void CMainWindowBands::SetBands(const std::vector<BandInfo>& bands)
{
    m_bands = bands;
    for (const BandInfo& band : m_bands) {
        if (band.id == kToolBandId && m_toolBar)
            m_toolBar->setVisible((band.style & BandInfo::kHidden) == 0);
        if (band.id == kMenuBandId && m_menuBar)
            m_menuBar->setVisible(true);
    }
}
