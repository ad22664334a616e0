#pragma once
// What the engine needs from its surroundings, injected by the owner.

#include <stdexcept>
#include <string>

// Shows a message box without owner, with the stop icon. Called by the engine
// only on the user-interface thread (while it is being created).
class IEngineMessageBox {
public:
    virtual ~IEngineMessageBox() = default;
    virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
};

// Raised by the engine's constructor after it has told the user why it cannot
// work; the program ends with ExitCode() (3: no worker registered, 2: no event).
class EngineInitError : public std::runtime_error {
public:
    EngineInitError(const std::string& message, int exitCode) : std::runtime_error(message), m_exitCode(exitCode) {}
    int ExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};
