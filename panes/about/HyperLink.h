#pragma once
// A text link: underlined while the mouse is over it, no tooltip, and it never
// opens anything itself: a click (or Space/Enter when it has the focus) is
// reported through clicked(), and the owner marks it visited once the page
// could be opened.

#include <QLabel>
#include <string>

class CHyperLink : public QLabel {
    Q_OBJECT
public:
    explicit CHyperLink(const QString& text, QWidget* parent = nullptr);

    // The page the link stands for (kept for the owner; not opened here).
    void SetTarget(const std::string& url) { m_target = url; }
    const std::string& Target() const { return m_target; }

    bool IsVisited() const { return m_bVisited; }
    void SetVisited(bool visited);
    bool IsHovered() const { return m_bHovered; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateLook();

    std::string m_target;
    bool m_bVisited = false;
    bool m_bHovered = false;
    bool m_bPressed = false;
};
