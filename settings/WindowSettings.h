#pragma once
// How the panes were arranged when the program last ended, and the widths of
// the list columns of the record, history and variables panes. One record for
// the whole program, read at start-up and written back at the end.

#include <string>

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

    // Boost Serialization: the ten items in file order (the list of the items,
    // with their defaults and the values they may hold, is in WindowSettings.cpp).
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

private:
    template <class, class>
    friend class CStagedRecordLoad;

    // After a load: every value a file may not give gets its default.
    void Sanitize();

    // A settings file that existed but could not be read at the last load:
    // kept as "<name>.bad" before the first save over it.
    std::string m_unreadableFile;
};
