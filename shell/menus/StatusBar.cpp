#include "shell/menus/StatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int kPartGap = 2;
}

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent)
{
    // The last part ends at the window's right edge: no size grip there.
    setSizeGripEnabled(false);
    for (int part = 0; part < kPartCount; ++part) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("statusPart%1").arg(part));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(3);
        label->installEventFilter(this);
        m_parts[part] = label;
    }
    m_parts[0]->setText(QStringLiteral("Ready"));
    setMinimumHeight(m_parts[0]->sizeHint().height() + 4);
    LayOutParts();
}

std::string CStatusBar::PartText(int part) const
{
    if (part < 0 || part >= kPartCount)
        return {};
    return m_parts[part]->text().toStdString();
}

void CStatusBar::SetPartText(int part, const std::string& text)
{
    if (part < 0 || part >= kPartCount)
        return;
    const QString qtext = QString::fromStdString(text);
    if (m_parts[part]->text() != qtext)
        m_parts[part]->setText(qtext);
}

QLabel* CStatusBar::Part(int part) const { return part >= 0 && part < kPartCount ? m_parts[part] : nullptr; }

std::array<int, CStatusBar::kPartCount> CStatusBar::PartRightEdges(int width)
{
    return {width - 310, width - 110, width - 55, width};
}

void CStatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    LayOutParts();
}

bool CStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_parts[1] && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit maxDigitsPartDoubleClicked();
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
}

void CStatusBar::LayOutParts()
{
    const std::array<int, kPartCount> edges = PartRightEdges(width());
    const int top = 2;
    const int height = std::max(0, this->height() - 3);
    int left = 0;
    for (int part = 0; part < kPartCount; ++part) {
        // A window narrower than the parts squeezes the first ones to nothing.
        const int right = std::max(left, edges[part]);
        const int partLeft = part == 0 ? 0 : left + kPartGap;
        m_parts[part]->setGeometry(partLeft, top, std::max(0, right - partLeft), height);
        m_parts[part]->raise();
        left = right;
    }
}
