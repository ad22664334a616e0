// The archive check and the library's reader agree: whatever spelling of a
// number the check lets through, the reader reads; and when the reader stops
// half-way through an object anyway, everything it built is freed.

#include "engine/EngineSerialization.h"
#include "settings/ArchiveFile.h"
#include "settings/ArchiveSchema.h"
#include "shell/CalculationArchive.h"
#include "worker/InProcessCalcWorker.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <map>
#include <regex>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLIX_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLIX_LEAK_CHECK 1
#endif
#endif
#ifdef QUILLIX_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace {

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

// The record's and the engine's items of a saved calculation.
std::string EngineItems()
{
    return ReadBytes(Fixture("calculation_v18.xml"));
}

struct Staging {
    Staging()
    {
        CInnerCalc::Services services;
        services.workerFactory = host;
        services.processWaiter = host;
        calc = std::make_unique<CInnerCalc>(&record, services);
    }
    std::shared_ptr<CInProcessWorkerHost> host = std::make_shared<CInProcessWorkerHost>();
    CCalcRecord record;
    std::unique_ptr<CInnerCalc> calc;
};

// The library alone, without the check in front.
bool LibraryReads(const std::string& bytes)
{
    Staging staging;
    return ReadXmlArchive(bytes, [&](auto& ar) {
        LoadCalcRecord(ar, staging.record);
        LoadInnerCalc(ar, *staging.calc);
    });
}

TEST(ArchiveAgreement, EverySpellingTheCheckTakesTheReaderReads)
{
    const std::string golden = EngineItems();
    ASSERT_TRUE(CheckArchive(golden, CalculationSchema()).ok);
    ASSERT_TRUE(LibraryReads(golden));
    // Every kind of number of the file: the attributes and the integer items,
    // their first few places each, in the spellings a hand or a fuzzer tries.
    static const std::regex number(
        "(class_id|class_id_reference|tracking_level|version|object_id|object_id_reference)=\"(_?)([0-9]+)\""
        "|<(count|item_version|item|m_[A-Za-z]+)>(-?[0-9]+)</");
    std::map<std::string, int> seen;
    int checked = 0;
    for (std::sregex_iterator it(golden.begin(), golden.end(), number), end; it != end; ++it) {
        const std::smatch& m = *it;
        const bool attribute = m[1].matched;
        const std::string place = attribute ? m[1].str() : m[4].str();
        if (++seen[place] > 3)
            continue;
        const std::string value = attribute ? m[3].str() : m[5].str();
        const auto at = std::size_t(attribute ? m.position(3) : m.position(5));
        const std::string digits = value[0] == '-' ? value.substr(1) : value;
        const std::string sign = value[0] == '-' ? "-" : "";
        // Spellings of the same value (so that only the spelling can be refused).
        std::vector<std::string> spellings = {"+" + value, sign + "0" + digits, sign + "00" + digits, " " + value,
                                              value + " "};
        if (digits == "0")
            spellings.insert(spellings.end(), {"-0", "-00", "+00"});
        for (const std::string& spelling : spellings) {
            std::string bytes = golden;
            bytes.replace(at, value.size(), spelling);
            if (!CheckArchive(bytes, CalculationSchema()).ok)
                continue;
            ++checked;
            EXPECT_TRUE(LibraryReads(bytes)) << place << "=\"" << spelling << "\" at byte " << at;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(ArchiveAgreement, MinusZeroIsRefusedWhereTheReaderTakesNoSign)
{
    const std::string golden = EngineItems();
    const std::pair<const char*, const char*> cases[] = {
        {"tracking_level=\"1\" version=\"0\" object_id=\"_0\"", "tracking_level=\"-0\" version=\"0\" object_id=\"_0\""},
        {"tracking_level=\"1\" version=\"0\" object_id=\"_0\"", "tracking_level=\"1\" version=\"-0\" object_id=\"_0\""},
        {"<px class_id_reference=\"10\" object_id=\"_25\">", "<px class_id_reference=\"10\" object_id_reference=\"_-0\">"},
        {"<count>22</count>", "<count>-22</count>"},
        {"<item_version>1</item_version>", "<item_version>-0</item_version>"},
    };
    for (const auto& [from, to] : cases) {
        SCOPED_TRACE(to);
        std::string bytes = golden;
        const auto at = bytes.find(from);
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, std::string(from).size(), to);
        EXPECT_FALSE(CheckArchive(bytes, CalculationSchema()).ok);
    }
}

// A level whose second item stops the reader (an operator stack with the
// tracking level "-0"), after a value with a long function name: the level,
// and through it the value and its name, have no owner when the reader stops.
std::string StopsInsideALevel(std::size_t nameSize)
{
    std::string bytes = EngineItems();
    const std::string name = "<m_funcName></m_funcName>";
    bytes.replace(bytes.find(name, bytes.find("<CInnerCalc")), name.size(),
                  "<m_funcName>" + std::string(nameSize, 'f') + "</m_funcName>");
    const std::string stack = "<m_opStack class_id=\"13\" tracking_level=\"0\"";
    bytes.replace(bytes.find(stack), stack.size(), "<m_opStack class_id=\"13\" tracking_level=\"-0\"");
    return bytes;
}

TEST(ArchiveAgreement, AReadStoppedInsideAnObjectFreesEverythingItBuilt)
{
    const std::string bytes = StopsInsideALevel(1 << 20);
    EXPECT_FALSE(CheckArchive(bytes, CalculationSchema()).ok);
#ifdef QUILLIX_LEAK_CHECK
    EXPECT_FALSE(LibraryReads(bytes));
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
    // Without the leak checker: twenty stopped reads of a megabyte name each
    // must not keep twenty megabytes.
    EXPECT_FALSE(LibraryReads(bytes));
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(LibraryReads(bytes));
    EXPECT_LT(mallinfo2().uordblks, before + (std::size_t(2) << 20));
#endif
}

// A read that fails after every object is whole (the engine's own check
// refuses the state) frees each object once: none is both handed out and
// freed as unfinished.
TEST(ArchiveAgreement, AStateRefusedAfterTheLastObjectIsFreedOnce)
{
    std::string bytes = EngineItems();
    const std::string state = "<m_calcState>1</m_calcState>";
    bytes.replace(bytes.find(state), state.size(), "<m_calcState>9</m_calcState>");
    ASSERT_TRUE(CheckArchive(bytes, CalculationSchema()).ok);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(LibraryReads(bytes));
#ifdef QUILLIX_LEAK_CHECK
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}

}  // namespace
