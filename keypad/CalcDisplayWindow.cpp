#include "keypad/CalcDisplayWindow.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include "keypad/BusySpinner.h"
#include "keypad/CalcBtn.h"
#include "keypad/PaletteSchemeColors.h"
#include "keypad/PostedSignal.h"
#include "keypad/WrappedText.h"
#include "platform/qt/ColorRef.h"
#include "platform/qt/VisualStyles.h"
#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"

namespace {

constexpr int kIconIndexError = 0;
constexpr int kIconIndexHelp = 1;
constexpr int kIconIndexMessage = 2;

// Wrapped text in rect, one line per line spacing.
void DrawWrappedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                     Qt::Alignment horizontal)
{
    const int lineHeight = QFontMetrics(font).lineSpacing();
    painter.setFont(font);
    const QStringList lines = WrapText(text, font, rect.width(), rect.height());
    for (int i = 0; i < lines.size(); ++i) {
        const QRect lineRect(rect.left(), rect.top() + i * lineHeight, rect.width(), lineHeight);
        painter.drawText(lineRect, static_cast<int>(horizontal | Qt::AlignVCenter) | Qt::TextSingleLine,
                         lines[i]);
    }
}

}  // namespace

CCalcDisplayWindow::CCalcDisplayWindow(QWidget* parent)
    : QWidget(parent), m_icons(kStripIcons), m_cancelGlyph(kStripCancel)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_normalFont = font();
    m_normalFont.setFamily(QStringLiteral("Arial"));
    m_normalFont.setStyleHint(QFont::SansSerif);
    m_boldFont = m_normalFont;
    m_boldFont.setWeight(QFont::Bold);

    m_spinner = new CBusySpinner(this);
    m_spinner->hide();
    m_cancel = new CCalcBtn(&m_cancelGlyph, cmd::kClearAll, 0, this);
    m_cancel->setFixedSize(110, 27);
    m_cancel->hide();
    connect(m_cancel, &CCalcBtn::command, this,
            [this](int id) { PostToEventLoop(this, [this, id] { emit command(id); }); });
    InstallPaletteSchemeColors();
    ApplyColorScheme();
}

CCalcDisplayWindow::~CCalcDisplayWindow()
{
    HideBusy();
}

void CCalcDisplayWindow::Changed(bool changed)
{
    if (changed)
        update();
}

void CCalcDisplayWindow::SetErrorDetail(const std::string& text) { Changed(m_model.SetErrorDetail(text)); }
void CCalcDisplayWindow::ClearErrorDetail() { Changed(m_model.ClearErrorDetail()); }
void CCalcDisplayWindow::SetMessage(const std::string& text) { Changed(m_model.SetMessage(text)); }
void CCalcDisplayWindow::ClearMessage() { Changed(m_model.ClearMessage()); }
void CCalcDisplayWindow::ShowMessageString(unsigned id) { Changed(m_model.ShowMessageString(id)); }
void CCalcDisplayWindow::ShowCommandHelp(unsigned commandId) { Changed(m_model.ShowCommandHelp(commandId)); }
void CCalcDisplayWindow::ShowCancelling() { Changed(m_model.SetCancelling(true)); }
void CCalcDisplayWindow::HideCancelling() { Changed(m_model.SetCancelling(false)); }

void CCalcDisplayWindow::ShowBusy()
{
    if (!m_model.SetBusy(true))
        return;
    m_spinner->show();
    m_cancel->show();
    m_spinner->Start();
    PlaceBusyControls();
    update();
}

void CCalcDisplayWindow::HideBusy()
{
    if (!m_model.SetBusy(false))
        return;
    m_spinner->Stop();
    m_spinner->hide();
    m_cancel->hide();
    update();
}

void CCalcDisplayWindow::ApplyColorScheme()
{
    m_background = ColorFromColorRef(GetCurrentColorScheme().m_crBackground);
    QPalette p = palette();
    p.setColor(QPalette::Window, m_background);
    setPalette(p);
    update();
}

void CCalcDisplayWindow::PlaceBusyControls()
{
    if (const auto at = CDisplayModel::AnimationPosition(width(), height()))
        m_spinner->move(at->x, at->y);
    if (const auto at = CDisplayModel::CancelButtonPosition(width(), height()))
        m_cancel->move(at->x, at->y);
}

void CCalcDisplayWindow::resizeEvent(QResizeEvent* event)
{
    if (m_model.IsBusy() && width() > 0 && height() > 0)
        PlaceBusyControls();
    QWidget::resizeEvent(event);
}

void CCalcDisplayWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ClearMessage();
    QWidget::mousePressEvent(event);
}

void CCalcDisplayWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, m_background);
    if (visual_styles::ThemesAvailable()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        visual_styles::DrawClassicSunkenEdge(painter, r, this);
    }
    painter.setPen(QColor(0x1E, 0x1E, 0x1E));
    switch (m_model.CurrentContent()) {
    case CDisplayModel::Content::Cancelling:
        PaintCancelling(painter);
        break;
    case CDisplayModel::Content::ErrorDetail:
    case CDisplayModel::Content::Message:
    case CDisplayModel::Content::Help:
        PaintTextContent(painter);
        break;
    case CDisplayModel::Content::Busy:
    case CDisplayModel::Content::Nothing:
        break;
    }
}

void CCalcDisplayWindow::PaintCancelling(QPainter& painter)
{
    const QFontMetrics metrics(m_normalFont);
    const int band = 2 * metrics.lineSpacing();
    const QRect bandRect(10, (height() - band) / 2, std::max(0, width() - 20), band);
    DrawWrappedText(painter, bandRect, QString::fromStdString(NormalizeLineBreaks(m_model.Body())),
                    m_normalFont, Qt::AlignHCenter);
}

void CCalcDisplayWindow::DrawIcon(QPainter& painter, int index) const
{
    // The style's message-box icons when it has them, else the drawn strip.
    const QStyle::StandardPixmap kStandard[] = {QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion,
                                                QStyle::SP_MessageBoxInformation};
    const QIcon icon = style()->standardIcon(kStandard[index], nullptr, this);
    const QRect at(10, 10, 16, 16);
    if (!icon.isNull())
        icon.paint(&painter, at);
    else
        m_icons.Draw(painter, index, at.topLeft());
}

void CCalcDisplayWindow::PaintTextContent(QPainter& painter)
{
    const auto content = m_model.CurrentContent();
    const int icon = content == CDisplayModel::Content::ErrorDetail ? kIconIndexError
                     : content == CDisplayModel::Content::Message   ? kIconIndexMessage
                                                                    : kIconIndexHelp;
    DrawIcon(painter, icon);

    const QString heading = QString::fromStdString(m_model.Heading());
    const QFontMetrics boldMetrics(m_boldFont);
    const int headingRight = std::min(width() - 10, 46 + boldMetrics.horizontalAdvance(heading));
    painter.setFont(m_boldFont);
    painter.drawText(QRect(36, 10, std::max(0, headingRight - 36), 16), Qt::AlignLeft | Qt::AlignVCenter,
                     boldMetrics.elidedText(heading, Qt::ElideRight, std::max(0, headingRight - 36)));

    const QRect body(10, 42, std::max(0, width() - 20), std::max(0, height() - 5 - 42));
    DrawWrappedText(painter, body, QString::fromStdString(NormalizeLineBreaks(m_model.Body())),
                    m_normalFont, Qt::AlignLeft);
}
