#include "docking/DockingSystemSettings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include <optional>

namespace dockwins {

namespace {

// User-interface thread only.
struct SettingsState {
    std::optional<CDockingSettings> settings;
    std::function<SystemValues()> source;
};

SettingsState& State()
{
    static SettingsState state;
    return state;
}

RGBColour FromQColor(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

SystemValues ApplicationValues()
{
    SystemValues values;
    const QPalette palette = QApplication::palette();
    values.buttonFace = FromQColor(palette.color(QPalette::Button));
    values.buttonText = FromQColor(palette.color(QPalette::ButtonText));
    values.greyText = FromQColor(palette.color(QPalette::Disabled, QPalette::WindowText));
    values.metrics.smallCaptionHeight = QFontMetrics(CaptionFont()).height() + 2;
    return values;
}

}  // namespace

CDockingSettings& DockingSettings()
{
    SettingsState& state = State();
    if (!state.settings) {
        state.settings.emplace();
        RefreshDockingSettings();
    }
    return *state.settings;
}

void RefreshDockingSettings()
{
    SettingsState& state = State();
    if (!state.settings)
        state.settings.emplace();
    state.settings->Refresh(state.source ? state.source() : ApplicationValues());
}

void SetSystemValuesSource(std::function<SystemValues()> source)
{
    State().source = std::move(source);
    RefreshDockingSettings();
}

QFont CaptionFont()
{
    QFont font = QApplication::font();
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace dockwins
