#pragma once
// The user's options: one record for the whole program, read from the config
// options file at start-up and written back when the program ends.
//
// The fields are read and written directly on the user-interface thread
// (m_angleSetting is atomic, so it may be read from any thread). While the
// engine runs it keeps the digit count and the angle unit: it takes
// m_nSigDigits and m_angleSetting when it is created, and the frame writes its
// values back here before the record is stored.

#include <atomic>
#include <deque>
#include <map>
#include <string>

#include "resources/CommandIds.h"

class ConfigOptions {
public:
    // The record's class version in the file; items of later versions are
    // gated in serialize().
    static constexpr unsigned int kClassVersion = 3;

    // The single record of the program.
    static ConfigOptions& Instance();

    // A record in its initial state (the program uses Instance(); separate
    // objects serve as staging copies and in tests).
    ConfigOptions() = default;
    ConfigOptions(const ConfigOptions&) = delete;
    ConfigOptions& operator=(const ConfigOptions&) = delete;

    // Sets the defaults: Max Digits 35, degrees, grouping off, the default
    // keypad faces; history, variables and scheme name are kept. Returns true.
    bool SetDefaults();

    // Writes the record to path, or to the file in the settings folder when
    // path is null. Throws std::runtime_error with a message for the user; on
    // any failure the previous file is left as it was.
    void Save(const char* path = nullptr);

    // Reads the record from path, or from the file in the settings folder when
    // path is null. Never throws: whatever goes wrong gives the defaults.
    void Load(const char* path = nullptr);

    // Boost Serialization: the items in file order with their version gates
    // (the list of the items is in ConfigOptions.cpp).
    template <class Archive>
    void serialize(Archive& ar, unsigned int version);

    std::deque<std::string> m_historyItems;          // history pane texts, list order
    std::map<std::string, std::string> m_variables;  // variable name -> number text
    std::deque<std::string> m_varSequence;           // variable names, pane order
    unsigned int m_piCalcBtnCmdID = 0;               // pi / e button face
    unsigned int m_sinCalcBtnCmdID = 0;              // sin / asin / sinh / asinh
    unsigned int m_cosCalcBtnCmdID = 0;              // cos group
    unsigned int m_tanCalcBtnCmdID = 0;              // tan group
    unsigned int m_xSquaredCalcBtnCmdID = 0;         // x squared / x cubed
    unsigned int m_nCrCalcBtnCmdID = 0;              // nCr / nPr
    unsigned int m_sqrtCalcBtnCmdID = 0;             // square root / cube root
    unsigned int m_sciCalcBtnCmdID = 0;              // sci / int / rnd (from version 1)
    unsigned int m_divCalcBtnCmdID = cmd::kDivide;  // divide / idiv / mod (from version 2)
    std::string m_colorScheme;                       // name of the current colour scheme
    std::atomic<int> m_angleSetting{0};              // 0 degrees, 1 radians, 2 grads
    int m_digitGrouping = 2;                         // 0 everywhere, 1 entry line only, 2 off (from version 3)
    int m_nSigDigits = 0;                            // Max Digits, 15 to 512

    static constexpr int kDefaultSigDigits = 35;
    static constexpr int kMinSigDigits = 15;
    static constexpr int kMaxSigDigits = 512;
    // Longest scheme name a file may hold (the names are a few words); a file
    // with a longer one is refused before it is read.
    static constexpr std::size_t kMaxColorSchemeName = 256;
    // The one range check of a Max Digits value.
    static constexpr bool IsSigDigitsInRange(int digits)
    {
        return digits >= kMinSigDigits && digits <= kMaxSigDigits;
    }

private:
    template <class, class>
    friend class CStagedRecordLoad;

    // After a load: every value a file may not give gets its default, and the
    // variables and their order are made consistent.
    void Sanitize();

    // A settings file that existed but could not be read at the last load:
    // kept as "<name>.bad" before the first save over it.
    std::string m_unreadableFile;
};
