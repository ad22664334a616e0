#include "keypad/CalcEdit.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/BeepService.h"
#include "platform/qt/FixedFont.h"
#include "platform/qt/VisualStyles.h"
#include "settings/ConfigOptions.h"

CCalcEdit::CCalcEdit(QWidget* parent)
    : QWidget(parent),
      m_model([] { return ConfigOptions::Instance().m_digitGrouping; }, [] { MessageBeep(); })
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_blinkTimer.setInterval(kBlinkMilliseconds);
    connect(&m_blinkTimer, &QTimer::timeout, this, [this] {
        m_model.ToggleBlink();
        update();
    });
    SetFontMode(1);
}

void CCalcEdit::SetFontMode(int mode)
{
    // A face chosen by name may fall back to a proportional one, which would
    // break the character arithmetic of the view: ask for the fixed-pitch font.
    m_font = FixedPitchFont();
    m_font.setStyleHint(QFont::Monospace);
    m_font.setFixedPitch(true);
    m_font.setPointSize(mode == 0 ? 10 : mode == 1 ? 12 : 13);
    m_font.setBold(mode == 2);
    const QFontMetrics metrics(m_font);
    m_charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    m_lineHeight = metrics.height();
    resize(width(), m_lineHeight + 12);
    m_model.SetWidth(width(), m_charWidth);
    update();
}

void CCalcEdit::Changed()
{
    UpdateBlinkTimer();
    update();
}

void CCalcEdit::UpdateBlinkTimer()
{
    if (m_model.ErrorText().empty())
        m_blinkTimer.stop();
    else if (!m_blinkTimer.isActive())
        m_blinkTimer.start();
}

bool CCalcEdit::TypeChar(char c)
{
    const bool taken = m_model.TypeChar(c);
    Changed();
    return taken;
}

void CCalcEdit::Backspace()
{
    m_model.Backspace();
    Changed();
}

void CCalcEdit::Clear(bool startOver)
{
    m_model.Clear(startOver);
    Changed();
}

bool CCalcEdit::SetText(const std::string& text, bool startOver)
{
    const bool taken = m_model.SetText(text, startOver);
    Changed();
    return taken;
}

void CCalcEdit::SetErrorText(const std::string& text)
{
    if (m_model.SetErrorText(text))
        Changed();
}

void CCalcEdit::Negate()
{
    m_model.Negate();
    Changed();
}

void CCalcEdit::SetOpenParenShown(bool shown)
{
    if (m_model.SetOpenParenShown(shown))
        update();
}

void CCalcEdit::ScrollHome()
{
    m_model.ScrollHome();
    update();
}

void CCalcEdit::ScrollEnd()
{
    m_model.ScrollEnd();
    update();
}

void CCalcEdit::ScrollLeft()
{
    m_model.ScrollLeft();
    update();
}

void CCalcEdit::ScrollRight()
{
    m_model.ScrollRight();
    update();
}

void CCalcEdit::Reformat()
{
    m_model.Reformat();
    update();
}

void CCalcEdit::resizeEvent(QResizeEvent* event)
{
    m_model.SetWidth(width(), m_charWidth);
    QWidget::resizeEvent(event);
}

void CCalcEdit::mousePressEvent(QMouseEvent* event)
{
    event->accept();  // swallowed: the entry line has no caret to place
}

void CCalcEdit::PaintMarker(QPainter& painter, int left) const
{
    const QRect marker(left, 4, 3 * m_charWidth, m_lineHeight + 4);
    painter.fillRect(marker, palette().color(QPalette::Base));
    const int side = std::max(1, m_charWidth / 3);
    const int top = marker.top() + (marker.height() - side) / 2;
    for (int i = 0; i < 3; ++i) {
        const int cellLeft = marker.left() + i * m_charWidth;
        painter.fillRect(QRect(cellLeft + (m_charWidth - side) / 2, top, side, side),
                         palette().color(QPalette::Text));
    }
}

void CCalcEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const QColor window = palette().color(QPalette::Base);
    painter.fillRect(r, window);
    if (visual_styles::ThemesAvailable()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        visual_styles::DrawClassicSunkenEdge(painter, r, this);
    }

    const CEntryLineModel::View view = m_model.CurrentView();
    if (view.kind == CEntryLineModel::View::Kind::Nothing)
        return;
    const int leftOver = m_model.LeftOver();
    const QRect textRect(r.left() + leftOver + 5, r.top() + 8, std::max(0, r.width() - leftOver - 10),
                         std::max(0, r.height() - 12));
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::Text));
    painter.setClipRect(r.adjusted(2, 2, -2, -2));
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdString(view.text));
    if (view.leftMarker)
        PaintMarker(painter, leftOver + 5);
    if (view.rightMarker)
        PaintMarker(painter, r.width() - 5 - 3 * m_charWidth);
}
