// The saved calculation file: any bytes through CCalculationFiles::Load into
// a calculator (the real engine and record, models in place of the widgets).
// A file that loads must save to a file that loads, and that one must save
// to the same bytes again.

#include "FuzzSupport.h"

#include "keypad/DisplayModel.h"
#include "keypad/EntryLineModel.h"
#include "platform/Event.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/ModelViews.h"
#include "shell/frame/SavedCalculation.h"
#include "worker/InProcessCalcWorker.h"

#include <memory>

namespace {

// Message boxes are answered at once: Ok, or No to a question.
class CQuietServices : public IUiServices {
public:
    void Beep() override {}
    UiMessageAnswer ShowMessageBox(const std::string&, const std::string&, UiMessageIcon,
                                   UiMessageButtons buttons) override
    {
        return buttons == UiMessageButtons::Ok ? UiMessageAnswer::Ok : UiMessageAnswer::No;
    }
    void SetClipboardText(const std::string&) override {}
    std::string GetClipboardText() override { return {}; }
    void OpenUrl(const std::string&) override {}
};

struct Calculator {
    Calculator()
    {
        CInnerCalc::Services services;
        services.workerFactory = host;
        services.processWaiter = host;
        controller.CreateEngine(std::move(services), 35);
    }

    CEvent done;
    CEvent aborted;
    CEntryLineModel entryModel{[] { return 2; }, [] {}};
    CDisplayModel displayModel;
    CModelEntryLine entry{entryModel};
    CModelDisplayPanel display{displayModel};
    CQuietServices services;
    std::shared_ptr<CInProcessWorkerHost> host = std::make_shared<CInProcessWorkerHost>();
    CFrameController controller{CFrameController::Views{&entry, &display, &services, nullptr},
                                std::array<CEvent*, 2>{&done, &aborted}};
    CCalculationFiles files{controller};
};

Calculator& TheCalculator()
{
    // Kept for the whole run (its engine's thread ends with the process).
    static Calculator* calculator = new Calculator;
    return *calculator;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Calculator& calculator = TheCalculator();
    const std::string input = ScratchFolder() + "/input.qxv7";
    const std::string saved = ScratchFolder() + "/saved.qxv7";
    WriteScratchFile(input, data, size);
    if (calculator.files.Load(input, false) != CCalculationFiles::LoadResult::Loaded)
        return 0;

    const std::string first = SaveCalculationText(calculator.controller);
    WriteScratchFile(saved, reinterpret_cast<const std::uint8_t*>(first.data()), first.size());
    if (calculator.files.Load(saved, false) != CCalculationFiles::LoadResult::Loaded)
        PropertyFailed("a loaded calculation saved to a file that does not load", first);
    if (SaveCalculationText(calculator.controller) != first)
        PropertyFailed("a saved calculation does not load to the same calculation", first);
    return 0;
}
