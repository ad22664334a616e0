#pragma once
// The record window's header: section 0 (the depth column) keeps its width,
// and a double click on a divider does nothing, so no column is auto-sized.
// Every width change is signalled, so the window repaints its ruled
// background.

#include <QHeaderView>

class CCustomHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit CCustomHeaderView(QWidget* parent = nullptr);

    // Makes section 0 fixed; call once the model has given the sections.
    void FixFirstSection();

    // True when pos (header coordinates) is on the divider after a section.
    bool IsOnDivider(QPoint pos) const;

signals:
    void sectionWidthChanging();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
