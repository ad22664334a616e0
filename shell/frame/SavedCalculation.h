#pragma once
// Saved calculations (".qxv7"): the whole calculation in progress - the entry
// line, the step-back history, the calculation record and the engine's stacks
// and undo records - as an XML archive with three top-level items,
// "CMainFrame", "CCalcRecord" and "CInnerCalc".
//
// A file is written atomically (an existing file stays as it was when the
// save fails) and read only through the archive check, into staging objects:
// the calculator takes over a complete, valid calculation or nothing, and is
// cleared and usable after any failure (a file too large to be read leaves the
// calculation as it was).

#include <cstddef>
#include <string>
#include <vector>

#include "shell/frame/StepBackHistory.h"

class ArchiveSchema;
class CFrameController;

// The frame's part of a saved calculation, in file order.
struct FrameSavedState {
    bool m_bConstantJustEntered = false;
    StepBackHistory m_stepBackHistory;
    bool bIsCalcEditSetToStartOver = true;
    std::string m_saveRestoreCalcEditText = "0";

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);
};

// The layout of the three items, for the check before the library reads a file.
const ArchiveSchema& SavedCalculationSchema();

inline constexpr const char* kSavedCalculationExtension = ".qxv7";
inline constexpr const char* kCouldNotSave = "Could not save calculation!";
inline constexpr const char* kDropOneFile = "Please drag and drop ONE file at a time.";
inline constexpr const char* kNotACalculationFile =
    "The file you are trying to load does not appear to contain a valid Quillix calculation.";

// "Could not open file: ..." with the path.
std::string CouldNotOpenText(const std::string& path);
// The load prompt's question with the path.
std::string LoadQuestionText(const std::string& path);

// The file's bytes for the controller's current calculation.
std::string SaveCalculationText(CFrameController& controller);

class CCalculationFiles {
public:
    // maxFileBytes: the largest file written and read. Save refuses a larger
    // calculation, so that every file it writes can be loaded again.
    // The default is the limit of every archive file of the program.
    explicit CCalculationFiles(CFrameController& controller);
    CCalculationFiles(CFrameController& controller, std::size_t maxFileBytes)
        : m_controller(controller), m_maxFileBytes(maxFileBytes)
    {
    }

    // Writes the calculation to path. Refused (beep) while a step runs or is
    // cancelled; a failure, a calculation too large to be loaded again among
    // them, shows "Could not save calculation!" and leaves the file as it was.
    bool Save(const std::string& path);

    enum class LoadResult { Loaded, NotAsked, Refused, Failed };
    // Loads a file. askFirst asks before a calculation in progress is replaced
    // (drop, command line, hand-over; Open does not ask). A file too large to
    // be read is refused with the box before anything is cleared.
    LoadResult Load(const std::string& path, bool askFirst);

    // What a drop of these paths does: a display message, or a load.
    struct DropDecision {
        bool load = false;
        std::string path;     // when load
        std::string message;  // when refused (empty: nothing to say)
    };
    static DropDecision DecideDrop(const std::vector<std::string>& paths);

private:
    void Fail(const std::string& path, bool clear = true);
    CFrameController& m_controller;
    std::size_t m_maxFileBytes;
};
