#pragma once
// The Options menu's commands: Max Digits (the presets, the custom value and
// the status bar's double-click), angle unit, digit grouping and colour scheme.
// Qt-free; the frame implements IOptionsHost over its controller and windows.

#include <optional>
#include <string>

class ConfigOptions;
class IUserPrompts;

class IOptionsHost {
public:
    virtual ~IOptionsHost() = default;
    virtual bool IsCalculating() const = 0;
    virtual bool IsCancelPending() const = 0;
    virtual bool IsCalculationEmpty() const = 0;
    virtual int GetEngineDigits() const = 0;
    // Clears the calculator (Clear All, 6145), sets the engine's digits and the
    // entry line's Max Digits.
    virtual void ApplyMaxDigits(int digits) = 0;
    // The custom Max Digits dialog opened with the current count; the chosen
    // count on OK, nothing on Cancel.
    virtual std::optional<int> RunCustomMaxDigitsDialog(int currentDigits) = 0;
    // The keypad's SetDegrees, SetRadians or SetGrads (0, 1, 2); nothing when
    // the keypad window does not exist.
    virtual void SetKeypadAngle(int angle) = 0;
    // The grouping option changed: the entry line reformats, and the record
    // window, the history list and the variables list repaint.
    virtual void RefreshDigitGrouping() = 0;
    // The current colour scheme changed: the lists take its list background
    // and repaint, the record window and the display repaint.
    virtual void ApplyColorScheme() = 0;
};

// The warning before Max Digits changes; digits -1 for the custom command,
// whose value is not known before its dialog.
std::string MaxDigitsWarningText(int digits);

class COptionCommands {
public:
    COptionCommands(IOptionsHost& host, IUserPrompts& prompts, ConfigOptions& options);

    // Runs the command when it is one of the Options menu's; false otherwise.
    bool OnCommand(unsigned id);
    // The status bar's Max Digits part was double-clicked.
    void OnMaxDigitsPartDoubleClicked();

    // Asks the Max Digits warning unless the calculation is empty.
    bool ConfirmMaxDigitsChange(int digits);
    void SetMaxDigits(unsigned id);
    void SetAngleMeasure(unsigned id);
    void SetDigitGrouping(unsigned id);
    void SetColorScheme(unsigned id);

private:
    bool RefuseWhileBusy();

    IOptionsHost& m_host;
    IUserPrompts& m_prompts;
    ConfigOptions& m_options;
};
