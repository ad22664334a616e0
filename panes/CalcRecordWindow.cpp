#include "panes/CalcRecordWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPainter>
#include <QPointer>
#include <QStaticText>
#include <QScopedValueRollback>

#include <iterator>
#include <vector>

#include "panes/CalcRecordItemModel.h"
#include "panes/CalcRecordLines.h"
#include "panes/CustomHeaderView.h"
#include "panes/ICalcRecordWindowParent.h"
#include "platform/qt/ColorRef.h"
#include "platform/qt/FixedFont.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "settings/WindowSettings.h"

namespace {

constexpr int kTextInset = 5;

int StoredOr(int width, int fallback) { return width > 0 ? width : fallback; }

}  // namespace

CCalcRecordWindow::CCalcRecordWindow(const CCalcRecord* record, const CPaneServices& services,
                                     ConfigOptions& config, WindowSettings& settings, QWidget* parent)
    : QTreeView(parent), m_record(record), m_services(services), m_config(config), m_settings(settings)
{
    m_nRowHeight = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) + 3;

    QFont fixed = FixedPitchFont();
    fixed.setPointSizeF(QApplication::font().pointSizeF());
    m_entryFont = fixed;
    m_operatorFont = fixed;
    m_resultFont = fixed;
    m_resultFont.setWeight(QFont::Bold);
    m_depthFont = fixed;
    m_depthFont.setPointSize(8);
    m_gridColor = ColorFromColorRef(GetCurrentColorScheme().m_crGridLine);

    m_feed = std::make_unique<CCalcRecordFeed>(record, [this] { PostWake(); });
    m_model = new CCalcRecordItemModel([this] { return Grouping(); }, m_nRowHeight, this);

    m_header = new CCustomHeaderView(this);
    m_header->setMinimumSectionSize(10);
    setHeader(m_header);
    setModel(m_model);
    m_header->FixFirstSection();
    connect(m_header, &CCustomHeaderView::sectionWidthChanging, viewport(),
            qOverload<>(&QWidget::update));

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);

    setColumnWidth(0, kDepthColumnWidth);
    setColumnWidth(1, StoredOr(m_settings.m_nCalcRecordWindowEntryColWidth, kEntryColumnInitialWidth));
    setColumnWidth(2, StoredOr(m_settings.m_nCalcRecordWindowResultColWidth, kResultColumnInitialWidth));
}

CCalcRecordWindow::~CCalcRecordWindow() = default;

void CCalcRecordWindow::PostWake()
{
    // Runs on the thread that changed the record: post only, never block.
    // By name, so that nothing built on this thread is read on the window's
    // (the queue's own lock is the only hand-over, and the thread checker
    // does not see it).
    QMetaObject::invokeMethod(this, "ApplyPendingChanges", Qt::QueuedConnection);
}

const CCalcRecordSnapshot& CCalcRecordWindow::Snapshot() const { return m_model->Snapshot(); }

int CCalcRecordWindow::Grouping() const { return m_config.m_digitGrouping; }

void CCalcRecordWindow::ApplyPendingChanges()
{
    // A query made from a selection signal while changes are applied must not
    // apply later changes before the earlier ones; they wait for their wake-up.
    if (m_bApplying)
        return;
    const QScopedValueRollback<bool> applying(m_bApplying, true);
    std::vector<CCalcRecordChange> changes = m_feed->TakeChanges();

    // Lines added one after another go in as one insertion, and only the last
    // of them is selected and scrolled to: selecting and scrolling lays the
    // whole tree out, so doing it per line made a long load quadratic. Any
    // other change first selects the last line as the additions before it
    // would have, so that the window ends as if each change came alone.
    bool selectLast = false;
    const auto selectLastLine = [&] {
        if (!selectLast)
            return;
        selectLast = false;
        const int count = m_model->rowCount();
        if (count == 0)
            return;
        const QModelIndex last = m_model->index(count - 1, 0);
        selectionModel()->setCurrentIndex(last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(last);
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        CCalcRecordChange& change = changes[i];
        if (change.m_kind == CCalcRecordChange::Added) {
            while (i + 1 < changes.size() && changes[i + 1].m_kind == CCalcRecordChange::Added) {
                std::vector<CalcRecordEntry>& next = changes[++i].m_lines;
                change.m_lines.insert(change.m_lines.end(), std::make_move_iterator(next.begin()),
                                      std::make_move_iterator(next.end()));
            }
            m_model->Apply(change);
            selectLast = selectLast || !change.m_lines.empty();
            continue;
        }
        selectLastLine();
        const int before = m_model->rowCount();
        const bool lastWasSelected = before > 0 && selectionModel()->isRowSelected(before - 1, QModelIndex());
        m_model->Apply(change);
        const int count = m_model->rowCount();
        if (change.m_kind == CCalcRecordChange::RemovedLast && count > 0) {
            // The new last line comes into view but is not selected.
            if (lastWasSelected)
                selectionModel()->clearSelection();
            scrollTo(m_model->index(count - 1, 0));
        }
    }
    selectLastLine();
}

void CCalcRecordWindow::Refresh()
{
    m_feed->QueueReset();
    ApplyPendingChanges();
}

int CCalcRecordWindow::LineCount()
{
    ApplyPendingChanges();
    return m_model->rowCount();
}

int CCalcRecordWindow::SelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

int CCalcRecordWindow::FocusedRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int CCalcRecordWindow::GetSelectedIndex()
{
    ApplyPendingChanges();
    const int row = SelectedRow();
    return row >= 0 && row == FocusedRow() ? row : -1;
}

bool CCalcRecordWindow::IsSelectedBeforeLast()
{
    const int row = GetSelectedIndex();
    return row >= 0 && row != m_model->rowCount() - 1;
}

bool CCalcRecordWindow::SelectedHasEntryNumber()
{
    const CalcRecordEntry* line = m_model->Line(GetSelectedIndex());
    return line && IsNumberLine(*line);
}

bool CCalcRecordWindow::SelectedHasResultOnly()
{
    const CalcRecordEntry* line = m_model->Line(GetSelectedIndex());
    return line && !IsNumberLine(*line) && !line->m_resultString.empty();
}

void CCalcRecordWindow::GetSelectedText(std::string& text)
{
    ApplyPendingChanges();
    if (const CalcRecordEntry* line = m_model->Line(SelectedRow()))
        if (auto stored = RecordLineText(*line))
            text = *stored;
}

std::string CCalcRecordWindow::SelectedLineText()
{
    std::string text;
    GetSelectedText(text);
    return text;
}

void CCalcRecordWindow::OnCopy()
{
    CopyToClipboard(*m_services.m_clipboard, SelectedLineText());
}

void CCalcRecordWindow::OnAddAsVariable()
{
    const std::string text = SelectedLineText();
    if (m_parent && !text.empty())
        m_parent->AddAsVariable(text);
}

void CCalcRecordWindow::OnAddAsNewEntry()
{
    const std::string text = SelectedLineText();
    if (m_parent && !text.empty())
        m_parent->AddAsNewEntry(text);
}

void CCalcRecordWindow::OnStepBackToHere()
{
    ApplyPendingChanges();
    if (!m_record || !m_parent)
        return;
    const int steps = RecordStepBackCount(m_model->rowCount(), SelectedRow());
    if (steps > 0)
        m_parent->StepBackTo(steps);
}

void CCalcRecordWindow::ExecuteCommand(int command)
{
    switch (command) {
    case kRecordCopy:
    case kRecordMenuCopy: OnCopy(); break;
    case kRecordAddToVariables:
    case kRecordMenuAddToVariables: OnAddAsVariable(); break;
    case kRecordAddAsNewEntry:
    case kRecordMenuAddAsNewEntry: OnAddAsNewEntry(); break;
    case kRecordStepBack:
    case kRecordMenuStepBack: OnStepBackToHere(); break;
    default: break;
    }
}

CMenuItems CCalcRecordWindow::ContextMenuAt(QPoint pos)
{
    ApplyPendingChanges();
    const QModelIndex hit = indexAt(pos);
    if (!hit.isValid() || SelectedRow() < 0)
        return {};
    const CalcRecordEntry* line = m_model->Line(hit.row());
    CRecordMenuContext context;
    context.m_bIsLastLine = hit.row() == m_model->rowCount() - 1;
    if (m_parent) {
        context.m_bCanAcceptEntry = m_parent->CanAcceptEntry();
        context.m_bCalculating = m_parent->IsCalculating();
        context.m_bCancelPending = !context.m_bCalculating && m_parent->IsCancelPending();
    }
    return RecordContextMenu(*line, context);
}

void CCalcRecordWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // No click point: the menu belongs to the selected line.
        const int row = SelectedRow();
        if (row < 0)
            return;
        pos = visualRect(m_model->index(row, 1)).center();
    }
    const CMenuItems items = ContextMenuAt(pos);
    if (items.empty())
        return;
    const QPointer<CCalcRecordWindow> alive(this);
    const int command = m_services.m_menus->Run(this, items, viewport()->mapToGlobal(pos));
    if (alive)
        ExecuteCommand(command);
}

void CCalcRecordWindow::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    viewport()->update();
}

void CCalcRecordWindow::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    viewport()->update();
}

void CCalcRecordWindow::StoreToSettings()
{
    m_settings.m_nCalcRecordWindowEntryColWidth = columnWidth(1);
    m_settings.m_nCalcRecordWindowResultColWidth = columnWidth(2);
}

void CCalcRecordWindow::DrawGridLines(QPainter& painter, int top, int bottom) const
{
    painter.setPen(QPen(m_gridColor, 0));
    for (int column = 0; column < 3; ++column) {
        const int right = m_header->sectionViewportPosition(column) + m_header->sectionSize(column);
        painter.drawLine(right - 2, top, right - 2, bottom);
    }
}

const QFont& CCalcRecordWindow::Font(TextFont which) const
{
    switch (which) {
    case TextFont::Depth: return m_depthFont;
    case TextFont::Operator: return m_operatorFont;
    case TextFont::Result: return m_resultFont;
    case TextFont::Entry: break;
    }
    return m_entryFont;
}

const QStaticText& CCalcRecordWindow::LaidOutText(TextFont which, const std::string& text, int width) const
{
    // Every added line scrolls the list and repaints every visible line;
    // shaping their texts again each time was most of a calculation step's
    // work in this window.
    TextKey key{which, width, text};
    if (auto found = m_laidOut.find(key); found != m_laidOut.end())
        return found->second;
    if (m_laidOut.size() >= kMaxLaidOutTexts)
        m_laidOut.clear();
    const QFont& font = Font(which);
    QStaticText laidOut(QFontMetrics(font).elidedText(QString::fromStdString(text), Qt::ElideRight, width));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    return m_laidOut.emplace(std::move(key), std::move(laidOut)).first->second;
}

void CCalcRecordWindow::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const CalcRecordEntry* line = m_model->Line(index.row());
    if (!line)
        return;
    const ColorScheme scheme = GetCurrentColorScheme();
    const bool selected = selectionModel()->isSelected(index);
    const bool focused = !selected && FocusedRow() == index.row();
    const CRecordLineColors colors = RecordLineColors(scheme, index.row(), selected, focused);
    const int grouping = Grouping();

    const QRect row(0, option.rect.top(), std::max(viewport()->width(), option.rect.right() + 1),
                    option.rect.height());
    painter->save();
    painter->fillRect(row, ColorFromColorRef(colors.m_background));

    const auto columnRect = [&](int column) {
        return QRect(m_header->sectionViewportPosition(column), row.top(), m_header->sectionSize(column),
                     row.height());
    };
    const auto drawText = [&](int column, const std::string& text, TextFont which, Qt::Alignment align,
                              int inset) {
        const QRect rect = columnRect(column).adjusted(inset, 0, -inset, 0);
        const QFont& font = Font(which);
        const QStaticText& shown = LaidOutText(which, text, rect.width());
        const QSizeF size = shown.size();
        const qreal x = align & Qt::AlignRight ? rect.left() + rect.width() - size.width()
                                               : rect.left() + (rect.width() - size.width()) / 2;
        const qreal y = rect.top() + (rect.height() - QFontMetricsF(font).height()) / 2;
        painter->setFont(font);
        painter->drawStaticText(QPointF(x, y), shown);
    };

    painter->setPen(ColorFromColorRef(colors.m_depthText));
    drawText(0, RecordDepthText(*line), TextFont::Depth, Qt::AlignHCenter, 0);

    painter->setPen(ColorFromColorRef(colors.m_text));
    const CRecordEntryText entry = RecordEntryText(*line, grouping);
    drawText(1, entry.m_text, entry.m_bOperatorFont ? TextFont::Operator : TextFont::Entry, Qt::AlignRight,
             kTextInset);
    const std::string result = RecordResultText(*line, grouping);
    if (!result.empty())
        drawText(2, result, TextFont::Result, Qt::AlignRight, kTextInset);

    DrawGridLines(*painter, row.top(), row.bottom() + 2);
    painter->restore();
}

void CCalcRecordWindow::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);

    // The area below the last line continues the ruled rows.
    const int count = m_model->rowCount();
    int top = 0;
    if (count > 0) {
        const QRect last = visualRect(m_model->index(count - 1, 0));
        top = last.isValid() ? last.bottom() + 1 : viewport()->height();
    }
    const int bottom = viewport()->height();
    if (top >= bottom)
        return;
    const ColorScheme scheme = GetCurrentColorScheme();
    QPainter painter(viewport());
    const int width = viewport()->width();
    for (int index = count, y = top; y < bottom; ++index, y += m_nRowHeight)
        painter.fillRect(QRect(0, y, width, m_nRowHeight), ColorFromColorRef(RecordRowBackground(scheme, index)));
    DrawGridLines(painter, top, bottom + 2);
}
