#include "shell/menus/OptionCommands.h"

#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "shell/menus/ActionTable.h"
#include "shell/menus/UserPrompts.h"

using namespace menucmd;

std::string MaxDigitsWarningText(int digits)
{
    std::string text =
        "Modifying the 'Max Digits' setting will force a reset of the calculator."
        "\n\r"
        "To avoid losing the current calculation:"
        "\n\r\n\r"
        "- First, complete the calculation."
        "\n\r"
        "- Note the result."
        "\n\r"
        "- Press the Clear [C] button (to reset the calculator yourself)."
        "\n\r"
        "- And then modify the 'Max Digits' setting."
        "\n\r\n\r";
    if (digits == -1)
        text += "Do you want to modify the 'Max Digits' setting anyway?";
    else
        text += "Do you want to modify the 'Max Digits' setting to " + std::to_string(digits) + " anyway?";
    return text;
}

COptionCommands::COptionCommands(IOptionsHost& host, IUserPrompts& prompts, ConfigOptions& options)
    : m_host(host), m_prompts(prompts), m_options(options)
{
}

bool COptionCommands::OnCommand(unsigned id)
{
    if (MaxDigitsOfPreset(id) || id == kMaxDigitsCustom)
        SetMaxDigits(id);
    else if (AngleOfCommand(id))
        SetAngleMeasure(id);
    else if (GroupingOfCommand(id))
        SetDigitGrouping(id);
    else if (SchemeOfCommand(id))
        SetColorScheme(id);
    else
        return false;
    return true;
}

void COptionCommands::OnMaxDigitsPartDoubleClicked()
{
    if (m_host.IsCalculating() || m_host.IsCancelPending())
        return;
    SetMaxDigits(kMaxDigitsCustom);
}

bool COptionCommands::RefuseWhileBusy()
{
    if (!m_host.IsCalculating() && !m_host.IsCancelPending())
        return false;
    m_prompts.Beep();
    return true;
}

bool COptionCommands::ConfirmMaxDigitsChange(int digits)
{
    if (m_host.IsCalculationEmpty())
        return true;
    return m_prompts.AskYesNo(MaxDigitsWarningText(digits), "Warning");
}

void COptionCommands::SetMaxDigits(unsigned id)
{
    // The submenu is gray while a calculation runs; a shortcut or a direct
    // call that gets here anyway must not reset a running calculation.
    if (RefuseWhileBusy())
        return;
    if (const std::optional<int> preset = MaxDigitsOfPreset(id)) {
        if (ConfirmMaxDigitsChange(*preset))
            m_host.ApplyMaxDigits(*preset);
        return;
    }
    if (id != kMaxDigitsCustom || !ConfirmMaxDigitsChange(-1))
        return;
    const std::optional<int> digits = m_host.RunCustomMaxDigitsDialog(m_host.GetEngineDigits());
    if (!digits)
        return;
    if (!ConfigOptions::IsSigDigitsInRange(*digits)) {
        m_prompts.Beep();
        return;
    }
    m_host.ApplyMaxDigits(*digits);
}

void COptionCommands::SetAngleMeasure(unsigned id)
{
    if (RefuseWhileBusy())
        return;
    if (const std::optional<int> angle = AngleOfCommand(id))
        m_host.SetKeypadAngle(*angle);
}

void COptionCommands::SetDigitGrouping(unsigned id)
{
    const std::optional<int> grouping = GroupingOfCommand(id);
    if (!grouping)
        return;
    m_options.m_digitGrouping = *grouping;
    m_host.RefreshDigitGrouping();
}

void COptionCommands::SetColorScheme(unsigned id)
{
    const std::optional<std::string> name = SchemeOfCommand(id);
    if (!name)
        return;
    const std::shared_ptr<const ColorScheme> scheme = FindColorScheme(*name);
    if (!scheme)
        return;
    SetCurrentColorScheme(*scheme);
    // The frame copies the name again when it closes; keeping it here as well
    // means the record never names a scheme other than the current one.
    m_options.m_colorScheme = scheme->m_name;
    m_host.ApplyColorScheme();
}
