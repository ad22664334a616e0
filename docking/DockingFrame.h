#pragma once
// The top-level window on which the main frame is built: menu bar, toolbar and
// status bar of an ordinary main window, a client window in the middle, and
// docked panes in one plain column on the left. The docking framework grows
// this into dockable, tabbed, floating and auto-hiding panes; its derived
// frame only uses SetClientWindow and DockWindow.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <vector>

class QBoxLayout;
class QLabel;

class CDockingFrame : public QMainWindow {
public:
    explicit CDockingFrame(QWidget* parent = nullptr);

    // The window in the middle of the frame (the derived frame's splitter).
    void SetClientWindow(QWidget* client);
    QWidget* ClientWindow() const { return m_client; }

    // Docks a pane with its caption. The side flags, bar index and fraction
    // name a place in the framework; here every pane joins the one column on
    // the left, which takes the width of the first pane docked. The height is
    // the pane's share of the column. Returns false for a null pane.
    bool DockWindow(QWidget* pane, const QString& caption, unsigned sideFlags = 3, int barIndex = 0,
                    float fraction = 0.0f, int width = 200, int height = 100);

    // The docked panes and their captions, in column order.
    const std::vector<QPointer<QWidget>>& DockedPanes() const { return m_panes; }
    QWidget* DockColumn() const { return m_column; }
    // Shows or hides a docked pane together with its caption.
    void SetPaneVisible(QWidget* pane, bool visible);
    bool IsPaneVisible(const QWidget* pane) const;

private:
    QWidget* m_center = nullptr;
    QWidget* m_column = nullptr;
    QBoxLayout* m_columnLayout = nullptr;
    QBoxLayout* m_centerLayout = nullptr;
    QPointer<QWidget> m_client;
    std::vector<QPointer<QWidget>> m_panes;
    std::vector<QPointer<QWidget>> m_boxes;  // caption and pane of each docked pane
};
