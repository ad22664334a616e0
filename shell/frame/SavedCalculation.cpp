#include "shell/frame/SavedCalculation.h"

#include <boost/serialization/deque.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "engine/EngineSerialization.h"
#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "shell/CalculationArchive.h"
#include "shell/frame/FrameController.h"

namespace {

// Longest entry text kept in a file: a number of 512 digits with its
// exponent and grouping fits with room to spare.
constexpr std::size_t kMaxEntryText = 2200;
constexpr std::size_t kMaxStepBackEntries = 1u << 20;

bool IsValidFrameState(const FrameSavedState& state)
{
    if (state.m_stepBackHistory.size() > kMaxStepBackEntries || state.m_saveRestoreCalcEditText.size() > kMaxEntryText)
        return false;
    for (const auto& entry : state.m_stepBackHistory) {
        if (entry.sbType < StepBackHistoryEntry::Number || entry.sbType > StepBackHistoryEntry::Operation)
            return false;
        if (entry.calcEditEntry.size() > kMaxEntryText)
            return false;
        Number unused;
        if (entry.sbType != StepBackHistoryEntry::Operation && !CInnerCalc::ParseNumberText(entry.calcEditEntry, unused))
            return false;
    }
    return true;
}

}  // namespace

template <class Archive>
void FrameSavedState::serialize(Archive& ar, unsigned int)
{
    ar& BOOST_SERIALIZATION_NVP(m_bConstantJustEntered);
    ar& BOOST_SERIALIZATION_NVP(m_stepBackHistory);
    ar& BOOST_SERIALIZATION_NVP(bIsCalcEditSetToStartOver);
    ar& BOOST_SERIALIZATION_NVP(m_saveRestoreCalcEditText);
}

const ArchiveSchema& SavedCalculationSchema()
{
    static const ArchiveSchema* schema = [] {
        auto* s = new ArchiveSchema;
        ArchiveType* entry = s->Class("StepBackHistoryEntry");
        ArchiveSchema::AddMember(entry, "sbType", s->Int());
        ArchiveSchema::AddMember(entry, "calcEditEntry", s->String());
        ArchiveType* frame = s->Class("CMainFrame");
        ArchiveSchema::AddMember(frame, "m_bConstantJustEntered", s->Bool());
        ArchiveSchema::AddMember(frame, "m_stepBackHistory", s->Sequence(entry));
        ArchiveSchema::AddMember(frame, "bIsCalcEditSetToStartOver", s->Bool());
        ArchiveSchema::AddMember(frame, "m_saveRestoreCalcEditText", s->String());
        s->AddTopLevel("CMainFrame", frame);
        s->AddTopLevel("CCalcRecord", AddCalcRecordArchiveType(*s));
        s->AddTopLevel("CInnerCalc", AddInnerCalcArchiveType(*s));
        return s;
    }();
    return *schema;
}

std::string CouldNotOpenText(const std::string& path)
{
    return "Could not open file: \n\r" + path + "\n\r\n\rIt does not appear to contain a valid Quillix calculation.";
}

std::string LoadQuestionText(const std::string& path)
{
    return "Do you want to proceed with the loading of the file shown below?\n\r(If you click 'Yes', you will "
           "lose the current calculation)\n\r\n\rFile: " +
           path;
}

std::string SaveCalculationText(CFrameController& controller)
{
    FrameSavedState state;
    state.m_bConstantJustEntered = controller.ConstantJustEntered();
    state.m_stepBackHistory = controller.GetStepBackHistory();
    state.bIsCalcEditSetToStartOver = controller.EntryLine().IsStartOver();
    state.m_saveRestoreCalcEditText = controller.EntryLine().GetText();
    return WriteXmlArchive([&](boost::archive::xml_oarchive& ar) {
        ar << boost::serialization::make_nvp("CMainFrame", state);
        SaveCalcRecord(ar, controller.Record());
        SaveInnerCalc(ar, *controller.Engine());
    });
}

CCalculationFiles::CCalculationFiles(CFrameController& controller)
    : CCalculationFiles(controller, kMaxArchiveFileBytes)
{
}

bool CCalculationFiles::Save(const std::string& path)
{
    if (!m_controller.Engine() || m_controller.IsBusy()) {
        m_controller.Services().Beep();
        return false;
    }
    bool ok = false;
    try {
        ok = WriteFileAtomically(path, SaveCalculationText(m_controller), m_maxFileBytes);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok)
        m_controller.Services().ShowMessageBox(kCouldNotSave, "Error", UiMessageIcon::Stop, UiMessageButtons::Ok);
    return ok;
}

void CCalculationFiles::Fail(const std::string& path, bool clear)
{
    // Whatever was read is dropped: the calculator is as Clear All leaves it.
    if (clear)
        m_controller.ClearAll();
    m_controller.Services().ShowMessageBox(CouldNotOpenText(path), "Error", UiMessageIcon::Stop,
                                           UiMessageButtons::Ok);
}

CCalculationFiles::LoadResult CCalculationFiles::Load(const std::string& path, bool askFirst)
{
    if (!m_controller.Engine() || m_controller.IsBusy()) {
        m_controller.Services().Beep();
        return LoadResult::Refused;
    }
    if (askFirst && !m_controller.IsCalculationEmpty()) {
        const auto answer = m_controller.Services().ShowMessageBox(LoadQuestionText(path), "Warning",
                                                                   UiMessageIcon::Question, UiMessageButtons::YesNo);
        if (answer != UiMessageAnswer::Yes)
            return LoadResult::NotAsked;
    }
    // Read before the calculator is cleared: a file too large for the reader
    // leaves the current calculation as it is.
    std::string bytes;
    const FileReadStatus status = ReadWholeFile(path, bytes, m_maxFileBytes);
    if (status == FileReadStatus::TooLarge) {
        Fail(path, false);
        return LoadResult::Failed;
    }
    m_controller.ClearAll();
    if (status != FileReadStatus::Ok || !CheckArchive(bytes, SavedCalculationSchema()).ok) {
        Fail(path);
        return LoadResult::Failed;
    }
    FrameSavedState frame;
    CCalcRecord record;
    CInnerCalc& engine = *m_controller.Engine();
    const bool read = ReadXmlArchive(bytes, [&](boost::archive::xml_iarchive& ar) {
        ar >> boost::serialization::make_nvp("CMainFrame", frame);
        if (!IsValidFrameState(frame))
            throw std::runtime_error("invalid frame state");
        LoadCalcRecord(ar, record);
        LoadInnerCalc(ar, engine);  // all or nothing, and the last item
    });
    if (!read) {
        Fail(path);
        return LoadResult::Failed;
    }

    // Everything was read and checked: take it over.
    CCalcRecord& target = m_controller.Record();
    target.Clear();
    for (int i = 0; i < record.GetEntryCount(); ++i)
        target.Push(record.GetEntry(i));
    m_controller.SetConstantJustEntered(frame.m_bConstantJustEntered);
    m_controller.GetStepBackHistory() = std::move(frame.m_stepBackHistory);
    m_controller.SetLastCalcStatus(static_cast<int>(CalcStatus::Success));
    IEntryLine& entry = m_controller.EntryLine();
    entry.SetErrorText("");
    Number value;
    if (!CInnerCalc::ParseNumberText(frame.m_saveRestoreCalcEditText, value))
        value = Number(0);
    entry.SetText(m_controller.Format(value), false);
    entry.SetStartOver(frame.bIsCalcEditSetToStartOver);
    m_controller.Display().ClearMessage();
    m_controller.Display().ClearErrorDetail();
    return LoadResult::Loaded;
}

CCalculationFiles::DropDecision CCalculationFiles::DecideDrop(const std::vector<std::string>& paths)
{
    DropDecision decision;
    if (paths.empty())
        return decision;
    if (paths.size() > 1) {
        decision.message = kDropOneFile;
        return decision;
    }
    const std::string name = std::filesystem::path(paths.front()).filename().string();
    const auto dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension != ".QXV7") {
        decision.message = kNotACalculationFile;
        return decision;
    }
    decision.load = true;
    decision.path = paths.front();
    return decision;
}
