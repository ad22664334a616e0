#pragma once
// A latching button (the angle units): a click on a raised button posts its
// command and latches it down; a button that is down ignores clicks until
// SetDown(false). Never takes keyboard focus.

#include <QWidget>

class CGlyphList;

class CCalcToolbarBtn : public QWidget {
    Q_OBJECT
public:
    CCalcToolbarBtn(unsigned commandId, const CGlyphList* images, int upIndex, int downIndex,
                    QWidget* parent = nullptr);

    unsigned CommandId() const { return m_commandId; }
    bool IsDown() const { return m_down; }
    void SetDown(bool down);
    bool IsHovering() const { return m_hovering; }

signals:
    void command(int id);  // posted

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    unsigned m_commandId;
    const CGlyphList* m_images;
    int m_upIndex;
    int m_downIndex;
    bool m_down = false;
    bool m_hovering = false;
};
