#pragma once
// How the panes were arranged when the program last ended, and the widths of
// the list columns of the record, history and variables panes. One record for
// the whole program, read at start-up and written back at the end.

#include <string>
#include <vector>

class WindowSettings {
public:
    static constexpr unsigned int kClassVersion = 0;

    // The single record of the program.
    static WindowSettings& Instance();

    // A record with every field false or 0 (the program uses Instance();
    // separate objects serve as staging copies and in tests).
    WindowSettings() = default;

    // Sets the defaults; the two hidden flags are kept. Returns true.
    bool SetDefaults();

    // Writes the record to path, or to the file in the settings folder when
    // path is null. Throws std::runtime_error with a message for the user; on
    // any failure the previous file is left as it was.
    void Save(const char* path = nullptr);

    // Reads the record; never throws: whatever goes wrong gives the defaults.
    void Load(const char* path = nullptr);

    // Boost Serialization: the ten items in file order.
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);

    bool m_bHistoryWinAndVarWinDocked = false;  // history and variables shared one tabbed box
    int m_nHistoryWinIndex = 0;                 // history pane's tab position in that box
    bool m_bHistoryWinOnTop = false;            // history pane was the front tab
    bool m_bHistoryWinHidden = false;
    bool m_bVariablesWinHidden = false;
    int m_nHistoryValueColWidth = 0;
    int m_nVariablesVarNameColWidth = 0;
    int m_nVariablesValueColWidth = 0;
    int m_nCalcRecordWindowEntryColWidth = 0;
    int m_nCalcRecordWindowResultColWidth = 0;

    static constexpr int kDefaultHistoryWinIndex = -1;
    static constexpr int kMaxHistoryWinIndex = 1;  // two tabs in the shared box
    static constexpr int kDefaultHistoryValueColWidth = 200;
    static constexpr int kDefaultVariablesVarNameColWidth = 50;
    static constexpr int kDefaultVariablesValueColWidth = 200;
    static constexpr int kDefaultCalcRecordEntryColWidth = 200;
    static constexpr int kDefaultCalcRecordResultColWidth = 200;
    // Column widths above this are taken as damaged and get their defaults.
    static constexpr int kMaxColumnWidth = 10000;

private:
    template <class>
    friend class CStagedRecordLoad;

    void CopyFrom(const WindowSettings& other);
    void TakeOverKeptItems(WindowSettings& staging, const std::vector<std::string>& items);
    void Sanitize();

    // A settings file that existed but could not be read at the last load:
    // kept as "<name>.bad" before the first save over it.
    std::string m_unreadableFile;
};
