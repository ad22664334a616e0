#pragma once
// The panel beside the keypad: shows the cancelling notice, the busy spinner
// with its cancel button, an error detail, a message or a command's help, in
// that precedence. Its background follows the current colour scheme. A click
// removes the message. The cancel button's command (6145) is posted on as
// command(). Never takes keyboard focus.

#include <QColor>
#include <QFont>
#include <QWidget>

#include "keypad/DisplayModel.h"
#include "keypad/GlyphList.h"

class CBusySpinner;
class CCalcBtn;

class CCalcDisplayWindow : public QWidget {
    Q_OBJECT
public:
    explicit CCalcDisplayWindow(QWidget* parent = nullptr);
    ~CCalcDisplayWindow() override;

    void SetErrorDetail(const std::string& text);
    void ClearErrorDetail();
    void SetMessage(const std::string& text);
    void ClearMessage();
    void ShowMessageString(unsigned id);
    void ShowCommandHelp(unsigned commandId);
    void ShowBusy();
    void HideBusy();
    void ShowCancelling();
    void HideCancelling();
    // Takes the background from the current colour scheme.
    void ApplyColorScheme();

    const CDisplayModel& Model() const { return m_model; }
    QColor BackgroundColor() const { return m_background; }
    CBusySpinner* Spinner() const { return m_spinner; }
    CCalcBtn* CancelButton() const { return m_cancel; }

signals:
    void command(int id);  // posted

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Changed(bool changed);
    void PlaceBusyControls();
    void PaintTextContent(QPainter& painter);
    void PaintCancelling(QPainter& painter);
    void DrawIcon(QPainter& painter, int index) const;

    CDisplayModel m_model;
    CGlyphList m_icons;
    CGlyphList m_cancelGlyph;
    CBusySpinner* m_spinner = nullptr;
    CCalcBtn* m_cancel = nullptr;
    QColor m_background;
    QFont m_normalFont;
    QFont m_boldFont;
};
