#include "panes/CustomHeaderView.h"

#include <QMouseEvent>
#include <QStyle>

CCustomHeaderView::CCustomHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    connect(this, &QHeaderView::sectionResized, this, [this] { emit sectionWidthChanging(); });
}

void CCustomHeaderView::FixFirstSection()
{
    if (count() > 0)
        setSectionResizeMode(0, QHeaderView::Fixed);
}

bool CCustomHeaderView::IsOnDivider(QPoint pos) const
{
    const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        const int edge = sectionViewportPosition(logical) + sectionSize(logical);
        if (pos.x() >= edge - margin && pos.x() <= edge + margin)
            return true;
    }
    return false;
}

void CCustomHeaderView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (IsOnDivider(event->position().toPoint())) {
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}
