// The engine's saved state and the calculation record through the guarded
// reader: round trips with sharing kept, the golden layouts, and states that
// are refused as a whole without changing the engine.

#include "engine/EngineSerialization.h"
#include "platform/Event.h"
#include "port/NameTables.h"
#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "settings/GuardedArchive.h"
#include "shell/CalculationArchive.h"
#include "worker/InProcessCalcWorker.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <regex>
#include <set>
#include <sstream>

namespace {

// An engine on the in-process worker with its record.
class Engine {
public:
    explicit Engine(int displayDigits = 15)
    {
        m_host = std::make_shared<CInProcessWorkerHost>();
        CInnerCalc::Services services;
        services.workerFactory = m_host;
        services.processWaiter = m_host;
        m_info.m_calcEvents = {&m_done, &m_aborted};
        calc = std::make_unique<CInnerCalc>(&record, services);
        calc->SetResultInfo(&m_info);
        calc->SetPrecision(displayDigits);
    }

    // Blank-separated tokens: numbers, "(", ")", "=", operator words, "neg",
    // function names.
    void Enter(const std::string& tokens)
    {
        std::istringstream in(tokens);
        std::string t;
        while (in >> t) {
            bool started = true;
            if (t == "(") {
                calc->OpenParen();
                started = false;
            } else if (t == ")") {
                calc->CloseParen();
            } else if (t == "=") {
                calc->Equals();
            } else if (t == "neg") {
                Number result;
                ASSERT_TRUE(calc->Negate("negate", &result)) << t;
                started = false;
            } else if (int op = Operator(t); op >= 0) {
                bool accepted = false;
                started = calc->EnterOperator(op, &accepted);
                ASSERT_TRUE(accepted) << t;
            } else if (auto number = Number::parse(t)) {
                ASSERT_TRUE(calc->EnterNumber(*number)) << t;
                started = false;
            } else {
                calc->ApplyFunction(t);
            }
            if (started) {
                ASSERT_TRUE(m_done.wait(std::chrono::seconds(20))) << t;
            }
        }
    }

    std::string Stacks() const
    {
        std::string text;
        for (const auto& level : calc->GetMasterStack()) {
            text += "[";
            for (const auto& value : level->m_evalStack)
                text += value->m_spNumber->to_scientific(-1) + " ";
            for (int op : level->m_opStack)
                text += std::string(OperatorWord(op)) + " ";
            text += "]";
        }
        return text + " entry " + std::to_string(calc->GetPrevEntryType()) + " state " +
               std::to_string(calc->GetCalcState()) + " undo " + std::to_string(calc->GetStepBackStack().size());
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < record.GetEntryCount(); ++i) {
            auto e = record.GetEntry(i);
            lines.push_back(std::to_string(e->m_calcRecordEntryType) + " " + std::to_string(e->m_opType) + " " +
                            e->m_entryString + "|" + e->m_resultString + "|" + std::to_string(e->m_parenDepth));
        }
        return lines;
    }

    static int Operator(const std::string& word)
    {
        for (int op = OpAdd; op <= OpNPr; ++op)
            if (OperatorWord(op) == word)
                return op;
        return -1;
    }

    CCalcRecord record;
    std::unique_ptr<CInnerCalc> calc;

private:
    std::shared_ptr<CInProcessWorkerHost> m_host;
    CEvent m_done;
    CEvent m_aborted;
    CalcResultInfo m_info;
};

const ArchiveSchema& CalculationSchema()
{
    static const ArchiveSchema* schema = [] {
        auto* s = new ArchiveSchema;
        s->AddTopLevel("CCalcRecord", AddCalcRecordArchiveType(*s));
        s->AddTopLevel("CInnerCalc", AddInnerCalcArchiveType(*s));
        return s;
    }();
    return *schema;
}

std::string Save(const Engine& engine)
{
    return WriteXmlArchive([&](auto& ar) {
        SaveCalcRecord(ar, engine.record);
        SaveInnerCalc(ar, *engine.calc);
    });
}

// The guarded load: the check first, then the library.
bool Load(const std::string& bytes, Engine& engine, std::string* error = nullptr)
{
    const ArchiveCheckResult check = CheckArchive(bytes, CalculationSchema());
    if (!check.ok) {
        if (error)
            *error = check.error;
        return false;
    }
    return ReadXmlArchive(bytes, [&](auto& ar) {
        LoadCalcRecord(ar, engine.record);
        LoadInnerCalc(ar, *engine.calc);
    });
}

// A calculation that holds every kind of undo record: operands shared between
// a level and the records, a level kept by a record, a replaced value.
void EnterRichCalculation(Engine& e)
{
    e.Enter("2 * ( 3 + 4 ) - 1.5 sqrt neg ^ 2 ^ ( 5 - ( 6 ) ) ncr");
    const EvalStackHolder& top = *e.calc->GetMasterStack().back();
    e.calc->PushReplaceLastValueRecord(top, true);
    e.calc->PushRestoreLevelRecord(top, true);
    e.calc->PushResetRecord(true);
    e.calc->PushPlainStepRecord(false);
    e.calc->PushRemoveLastValueRecord(true);
    e.calc->PushRemoveLastOperatorRecord(true);
    e.calc->PushRemoveLastLevelRecord(true);
}

std::set<std::string> RecordClasses(const CInnerCalc& calc)
{
    std::set<std::string> names;
    for (const auto& r : calc.GetStepBackStack())
        names.insert(typeid(*r).name());
    return names;
}

TEST(EngineArchive, RoundTripKeepsStacksRecordUndoAndSharing)
{
    Engine original;
    EnterRichCalculation(original);
    EXPECT_EQ(RecordClasses(*original.calc).size(), 8u) << "every undo record class, the base included";
    const std::string bytes = Save(original);
    EXPECT_EQ(bytes, Save(original)) << "two saves give identical bytes";
    for (const char* key : {"ResetModify", "RemoveLastEvalEntryModify", "RemoveLastOpEntryModify",
                            "RemoveLastEvalStackHolderModify", "ReplaceLastEvalStackHolderModify",
                            "RestorePreOpStackModify", "RestoreEvalStackHolderModify"})
        EXPECT_NE(bytes.find(std::string("class_name=\"") + key + "\""), std::string::npos) << key;

    Engine loaded;
    std::string error;
    ASSERT_TRUE(Load(bytes, loaded, &error)) << error << "\n" << bytes;
    EXPECT_EQ(loaded.Stacks(), original.Stacks());
    EXPECT_EQ(loaded.Lines(), original.Lines());
    EXPECT_EQ(RecordClasses(*loaded.calc), RecordClasses(*original.calc));
    EXPECT_EQ(Save(loaded), bytes);

    // Shared objects come back shared: an operand of a restore record that
    // is also on a level, in the original and in the loaded engine alike.
    auto sharedOperands = [](const CInnerCalc& calc) {
        std::set<const EvalData*> onLevels;
        for (const auto& level : calc.GetMasterStack())
            for (const auto& v : level->m_evalStack)
                onLevels.insert(v.get());
        int shared = 0;
        for (const auto& r : calc.GetStepBackStack())
            if (auto* restore = dynamic_cast<const RestorePreOpStackModify*>(r.get()))
                shared += onLevels.count(restore->m_spEvalDataFirst.get()) +
                          onLevels.count(restore->m_spEvalDataSecond.get());
        return shared;
    };
    EXPECT_EQ(sharedOperands(*loaded.calc), sharedOperands(*original.calc));

    // Step back goes on through the loaded steps exactly as in the original.
    while (!original.calc->GetStepBackStack().empty()) {
        original.calc->StepBack(true);
        loaded.calc->StepBack(true);
        ASSERT_EQ(loaded.Stacks(), original.Stacks());
        ASSERT_EQ(loaded.Lines(), original.Lines());
    }
}

TEST(EngineArchive, AnEmptyEngineSavesEmptyStacks)
{
    Engine empty;
    const std::string bytes = Save(empty);
    EXPECT_NE(bytes.find("<m_masterStack class_id="), std::string::npos);
    EXPECT_NE(bytes.find("<count>0</count>"), std::string::npos);
    Engine busyBefore;
    busyBefore.Enter("1 +");
    ASSERT_TRUE(Load(bytes, busyBefore));
    EXPECT_EQ(busyBefore.Stacks(), empty.Stacks());
}

TEST(EngineArchive, ValuesKeepTheirDigitsWhateverTheCurrentMaxDigits)
{
    const std::string sixty = "1.23456789012345678901234567890123456789012345678901234567891E+5";
    Engine wide(75);
    wide.Enter(sixty + " +");
    Engine narrow(15);
    ASSERT_TRUE(Load(Save(wide), narrow));
    EXPECT_EQ(narrow.calc->GetMasterStack().front()->m_evalStack.front()->m_spNumber->to_scientific(-1), sixty);
}

TEST(EngineArchive, TheGoldenFilesOfBothLayoutsLoad)
{
    Engine original;
    EnterRichCalculation(original);
    EXPECT_EQ(Save(original), ReadBytes(Fixture("calculation_v18.xml")));
    for (const char* name : {"calculation_v18.xml", "calculation_v3.xml"}) {
        SCOPED_TRACE(name);
        Engine loaded;
        std::string error;
        ASSERT_TRUE(Load(ReadBytes(Fixture(name)), loaded, &error)) << error;
        EXPECT_EQ(loaded.Stacks(), original.Stacks());
        EXPECT_EQ(loaded.Lines(), original.Lines());
    }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// More parenthesis levels than the engine allows: 25 "(" give 26 levels (the
// most there may be), then one more empty level is added to the file and the
// object ids are numbered again.
std::string TooDeepState()
{
    Engine deep;
    std::string keys;
    for (int i = 0; i < 25; ++i)
        keys += "( ";
    deep.Enter(keys);
    std::string bytes = Save(deep);
    const std::smatch level = [&] {
        std::smatch m;
        static const std::regex firstLevel("<m_masterStack[^>]*>[^]*?<px class_id=\"([0-9]+)\"");
        EXPECT_TRUE(std::regex_search(bytes, m, firstLevel));
        return m;
    }();
    const std::string extra = "<item><px class_id_reference=\"" + level[1].str() +
                              "\" object_id=\"_0\"><m_evalStack><count>0</count><item_version>1</item_version>"
                              "</m_evalStack><m_opStack><count>0</count><item_version>0</item_version></m_opStack>"
                              "</px></item>";
    bytes.insert(bytes.find("</m_masterStack>"), extra);
    bytes = Replaced(bytes, "<count>26</count>", "<count>27</count>");
    std::string renumbered;
    static const std::regex objectId("object_id=\"_[0-9]+\"");
    int next = 0;
    auto from = bytes.cbegin();
    for (std::sregex_iterator it(bytes.cbegin(), bytes.cend(), objectId), end; it != end; ++it) {
        renumbered.append(from, (*it)[0].first);
        renumbered += "object_id=\"_" + std::to_string(next++) + "\"";
        from = (*it)[0].second;
    }
    renumbered.append(from, bytes.cend());
    return renumbered;
}

TEST(EngineArchive, ImpossibleStatesAreRefusedAndChangeNothing)
{
    Engine source;
    source.Enter("2 * ( 3 + 4");
    const std::string good = Save(source);
    // Each item is taken over whole or not at all: the record (read first)
    // is replaced when only the engine's part is impossible.
    struct Bad {
        const char* what;
        std::string bytes;
        bool engineOnly = true;
    };
    const std::vector<Bad> cases = {
        {"entry type out of range", Replaced(good, "<m_prevEntryType>1<", "<m_prevEntryType>5<")},
        {"state out of range", Replaced(good, "<m_calcState>1<", "<m_calcState>3<")},
        {"operator code 9", Replaced(good, "<item>0</item>", "<item>9</item>")},
        {"operator code -1", Replaced(good, "<item>0</item>", "<item>-1</item>")},
        {"null number", Replaced(good, "<px class_id_reference=\"12\" object_id=\"_11\">\n\t\t\t\t\t\t\t\t\t<serializationString>3E+0</serializationString>\n\t\t\t\t\t\t\t\t</px>", "<px class_id=\"-1\"></px>")},
        {"number text not a number", Replaced(good, "<serializationString>3E+0<", "<serializationString>three<")},
        {"number with too many digits", Replaced(good, "<serializationString>3E+0<", "<serializationString>3." + std::string(3000, '1') + "E+0<")},
        {"number exponent out of range", Replaced(good, "<serializationString>3E+0<", "<serializationString>3.0E+1000000<")},
        {"more levels than parentheses allow", TooDeepState()},
        {"a level with more operators than values", Replaced(good, "<count>1</count>\n\t\t\t\t\t<item_version>0</item_version>\n\t\t\t\t\t<item>0</item>", "<count>3</count><item_version>0</item_version><item>6</item><item>2</item><item>0</item>")},
        {"operators out of precedence order", Replaced(good, "<count>1</count>\n\t\t\t\t\t<item_version>0</item_version>\n\t\t\t\t\t<item>0</item>", "<count>2</count><item_version>0</item_version><item>0</item><item>2</item>")},
        {"a lower level with a value too many", Replaced(good, "<m_opStack class_id=\"13\" tracking_level=\"0\" version=\"0\">\n\t\t\t\t\t<count>1</count>\n\t\t\t\t\t<item_version>0</item_version>\n\t\t\t\t\t<item>2</item>", "<m_opStack class_id=\"13\" tracking_level=\"0\" version=\"0\"><count>0</count><item_version>0</item_version>")},
        {"a record line of an unknown type", Replaced(good, "<m_calcRecordEntryType>7<", "<m_calcRecordEntryType>2<"), false},
        {"a close parenthesis without its open one", Replaced(good, "<m_calcRecordEntryType>7<", "<m_calcRecordEntryType>8<"), false},
        {"an oldest undo record that continues", Replaced(good, "<m_bContinue>0</m_bContinue>", "<m_bContinue>1</m_bContinue>")},
        {"an object reference to another class", Replaced(good, "<px class_id_reference=\"12\" object_id=\"_11\">\n\t\t\t\t\t\t\t\t\t<serializationString>3E+0</serializationString>\n\t\t\t\t\t\t\t\t</px>", "<px class_id_reference=\"12\" object_id_reference=\"_7\"></px>"), false},
        {"a window settings file", ReadBytes(Fixture("window_v18.xml")), false},
        {"a config options file", ReadBytes(Fixture("config_v18.xml")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Engine target;
        target.Enter("7 - 1");
        const std::string stacksBefore = target.Stacks();
        const auto linesBefore = target.Lines();
        EXPECT_FALSE(Load(c.bytes, target));
        EXPECT_EQ(target.Stacks(), stacksBefore);
        if (!c.engineOnly) {
            EXPECT_EQ(target.Lines(), linesBefore);
        }
    }
}

TEST(EngineArchive, FilesSaveAndLoadThroughTheGuardedReader)
{
    Engine original;
    EnterRichCalculation(original);
    const std::string dir = FreshFolder("calculation-files");
    const std::string path = dir + "/saved.qxv7";
    ASSERT_TRUE(SaveArchiveFile(path, [&](auto& ar) {
        SaveCalcRecord(ar, original.record);
        SaveInnerCalc(ar, *original.calc);
    }));
    auto load = [](const std::string& file, Engine& into) {
        return LoadArchiveFile(file, CalculationSchema(), [&](auto& ar) {
            LoadCalcRecord(ar, into.record);
            LoadInnerCalc(ar, *into.calc);
        });
    };
    Engine loaded;
    EXPECT_EQ(load(path, loaded), ArchiveLoadResult::Loaded);
    EXPECT_EQ(loaded.Stacks(), original.Stacks());

    EXPECT_EQ(load(dir + "/missing.qxv7", loaded), ArchiveLoadResult::NoFile);
    EXPECT_EQ(load(dir, loaded), ArchiveLoadResult::NoFile);
    EXPECT_EQ(load(Fixture("window_v18.xml"), loaded), ArchiveLoadResult::Refused);
    WriteBytes(dir + "/bad.qxv7", Replaced(ReadBytes(path), "<m_calcState>1<", "<m_calcState>7<"));
    EXPECT_EQ(load(dir + "/bad.qxv7", loaded), ArchiveLoadResult::Failed);
    EXPECT_EQ(loaded.Stacks(), original.Stacks());

    // A save into a folder that is not there fails and writes nothing.
    EXPECT_FALSE(SaveArchiveFile(dir + "/no/such/saved.qxv7", [&](auto& ar) { SaveInnerCalc(ar, *original.calc); }));
}

TEST(EngineArchive, RandomByteChangesNeverLeaveAnImpossibleState)
{
    const std::string golden = ReadBytes(Fixture("calculation_v18.xml"));
    std::mt19937 random(20261210);
    Engine target;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = golden;
        const int changes = 1 + int(random() % 3);
        for (int i = 0; i < changes; ++i)
            bytes[random() % bytes.size()] = char(random() % 256);
        Load(bytes, target);
        const CInnerCalc& calc = *target.calc;
        ASSERT_EQ(CheckEngineState(calc.GetPrevEntryType(), calc.GetCalcState(), calc.GetMasterStack(),
                                   calc.GetStepBackStack()),
                  "")
            << "round " << round;
    }
}

TEST(EngineArchive, EveryCutIsRefusedBeforeTheReader)
{
    Engine source;
    EnterRichCalculation(source);
    const std::string bytes = Save(source);
    const auto end = bytes.find("</boost_serialization>");
    for (std::size_t n = 0; n < end; n += 7)
        ASSERT_FALSE(CheckArchive(bytes.substr(0, n), CalculationSchema()).ok) << n;
}

}  // namespace
