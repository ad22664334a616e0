#pragma once
// The calculation record window: one ruled line per record entry with its
// parenthesis depth, the entry and its intermediate result, in the colours of
// the current colour scheme; a context menu copies a line's number, passes it
// on, or steps the calculation back to the line.
//
// Threading: the record tells its listener on the thread that changed it,
// which may be the engine's calculation thread. Listener() is a
// CCalcRecordFeed that only copies the change and posts a queued wake-up; the
// window applies the changes on its own thread and paints from its snapshot.
// Before the window is destroyed the owner sets the record's listener to null
// (with no calculation running).

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include <QFont>
#include <QStaticText>
#include <QTreeView>

#include "panes/CalcRecordFeed.h"
#include "panes/PaneMenu.h"
#include "panes/PaneServices.h"

class CCalcRecordItemModel;
class CCustomHeaderView;
class ConfigOptions;
class ICalcRecordWindowParent;
class WindowSettings;

class CCalcRecordWindow : public QTreeView {
    Q_OBJECT
public:
    // Widths of the columns when they are made; 1 and 2 then come from the
    // window settings.
    static constexpr int kDepthColumnWidth = 25;
    static constexpr int kEntryColumnInitialWidth = 291;
    static constexpr int kResultColumnInitialWidth = 359;

    CCalcRecordWindow(const CCalcRecord* record, const CPaneServices& services, ConfigOptions& config,
                      WindowSettings& settings, QWidget* parent = nullptr);
    ~CCalcRecordWindow() override;

    // The record's listener (give it to CCalcRecord::SetListener).
    ICalcRecordChanged* Listener() { return m_feed.get(); }
    void SetParentInterface(ICalcRecordWindowParent* parent) { m_parent = parent; }

    // Shows the record as it is now (after a saved calculation was loaded;
    // no calculation may be running).
    void Refresh();
    // Applies the changes that wait in the feed (also run by every query).
    Q_INVOKABLE void ApplyPendingChanges();

    int LineCount();
    // The line that is both selected and focused, or -1.
    int GetSelectedIndex();
    bool IsSelectedBeforeLast();
    bool SelectedHasEntryNumber();
    bool SelectedHasResultOnly();
    // The stored text of the selected line (number entry, else result); text is
    // left unchanged when there is none.
    void GetSelectedText(std::string& text);

    void OnCopy();
    void OnAddAsVariable();
    void OnAddAsNewEntry();
    void OnStepBackToHere();
    // A command of the context menu or of the frame's menu.
    void ExecuteCommand(int command);

    // The context menu for a click at pos (viewport coordinates), or an empty
    // list when no menu opens there.
    CMenuItems ContextMenuAt(QPoint pos);

    // Copies the widths of columns 1 and 2 into the window settings. Safe to
    // call more than once; the owner calls it before the settings are saved.
    void StoreToSettings();

    int RowHeight() const { return m_nRowHeight; }
    QColor GridLineColor() const { return m_gridColor; }
    const QFont& EntryFont() const { return m_entryFont; }
    const QFont& ResultFont() const { return m_resultFont; }
    CCustomHeaderView* Header() const { return m_header; }
    const CCalcRecordSnapshot& Snapshot() const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    enum class TextFont { Depth, Entry, Operator, Result };
    // A text in one of the fonts, cut to width with an ellipsis and laid out
    // for drawing; kept for the next paint.
    struct TextKey {
        TextFont font;
        int width;
        std::string text;
        bool operator<(const TextKey& other) const
        {
            return std::tie(font, width, text) < std::tie(other.font, other.width, other.text);
        }
    };
    static constexpr std::size_t kMaxLaidOutTexts = 512;   // a few screens of lines

    const QFont& Font(TextFont which) const;
    const QStaticText& LaidOutText(TextFont which, const std::string& text, int width) const;
    int SelectedRow() const;
    int FocusedRow() const;
    int Grouping() const;
    void PostWake();
    void DrawGridLines(QPainter& painter, int top, int bottom) const;
    std::string SelectedLineText();

    const CCalcRecord* m_record;
    CPaneServices m_services;
    ConfigOptions& m_config;
    WindowSettings& m_settings;
    ICalcRecordWindowParent* m_parent = nullptr;
    std::unique_ptr<CCalcRecordFeed> m_feed;
    CCalcRecordItemModel* m_model = nullptr;
    CCustomHeaderView* m_header = nullptr;
    int m_nRowHeight = 19;
    QFont m_entryFont;
    QFont m_operatorFont;
    QFont m_resultFont;
    QFont m_depthFont;
    QColor m_gridColor;   // the scheme's grid colour when the window was made
    bool m_bApplying = false;
    mutable std::map<TextKey, QStaticText> m_laidOut;   // painting only (the window's thread)
};
