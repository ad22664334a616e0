#pragma once
// What the calculation controller needs from the windows around it. The main
// frame implements these over its widgets; the tests implement them over the
// Qt-free models, so the whole command flow runs headless.

#include <string>

// The entry line: the number being typed, its start-over flag and its error text.
class IEntryLine {
public:
    virtual ~IEntryLine() = default;
    virtual std::string GetText() const = 0;
    // False (text "0") when text is not a number.
    virtual bool SetText(const std::string& text, bool startOver) = 0;
    virtual void Clear(bool startOver) = 0;
    virtual bool TypeChar(char c) = 0;
    virtual void Backspace() = 0;
    virtual void Negate() = 0;
    virtual void ScrollHome() = 0;
    virtual void ScrollEnd() = 0;
    virtual void ScrollLeft() = 0;
    virtual void ScrollRight() = 0;
    virtual void SetErrorText(const std::string& text) = 0;
    virtual std::string ErrorText() const = 0;
    virtual bool IsStartOver() const = 0;
    virtual void SetStartOver(bool startOver) = 0;
    virtual int MaxDigits() const = 0;
    virtual void SetMaxDigits(int digits) = 0;
    virtual void SetOpenParenShown(bool shown) = 0;
};

// The display panel: message line, error detail, busy and cancelling states.
class IDisplayPanel {
public:
    virtual ~IDisplayPanel() = default;
    virtual void SetMessage(const std::string& text) = 0;
    virtual void ClearMessage() = 0;
    // A message of the string table by id.
    virtual void ShowMessageString(unsigned id) = 0;
    virtual void SetErrorDetail(const std::string& text) = 0;
    virtual void ClearErrorDetail() = 0;
    virtual void ShowBusy() = 0;
    virtual void HideBusy() = 0;
    virtual void ShowCancelling() = 0;
    virtual void HideCancelling() = 0;
};

// The history pane as the controller feeds it.
class IHistorySink {
public:
    virtual ~IHistorySink() = default;
    virtual void AddToHistory(const std::string& text) = 0;
};

enum class UiMessageIcon { Error, Stop, Question, Warning, Information };
enum class UiMessageButtons { Ok, YesNo };
enum class UiMessageAnswer { Ok, Yes, No };

// Services of the desktop: the beep, message boxes, the clipboard and web
// pages. Tests script the answers of message boxes.
class IUiServices {
public:
    virtual ~IUiServices() = default;
    virtual void Beep() = 0;
    virtual UiMessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                                            UiMessageIcon icon, UiMessageButtons buttons) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string GetClipboardText() = 0;
    virtual void OpenUrl(const std::string& url) = 0;
};
