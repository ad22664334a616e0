#pragma once
// What the display panel shows: the cancelling notice, the busy state, an
// error detail, a message or a keypad command's help, in that precedence.
// Qt-free; every setter returns whether anything changed (the widget repaints
// only then).

#include <optional>
#include <string>

class CDisplayModel {
public:
    enum class Content { Nothing, Cancelling, Busy, ErrorDetail, Message, Help };

    bool SetErrorDetail(const std::string& text);
    bool ClearErrorDetail();
    bool SetMessage(const std::string& text);
    bool ClearMessage();
    // The string-table entry with that id as message; an unknown id changes nothing.
    bool ShowMessageString(unsigned id);
    // Help of a keypad command ("[title]|description"); 0 clears it. An id
    // without an entry changes nothing.
    bool ShowCommandHelp(unsigned commandId);
    bool SetBusy(bool busy);
    bool SetCancelling(bool cancelling);

    Content CurrentContent() const;
    bool IsBusy() const { return m_busy; }
    bool IsCancelling() const { return m_cancelling; }
    const std::string& ErrorDetail() const { return m_errorDetail; }
    const std::string& Message() const { return m_message; }
    const std::string& HelpTitle() const { return m_helpTitle; }
    const std::string& HelpDescription() const { return m_helpDescription; }

    // Heading and body of the error, message and help cases.
    std::string Heading() const;
    std::string Body() const;

    // Where the busy animation (32 wide) and the cancel button (110 wide) go
    // in a panel of that size; nothing when it is too narrow for them.
    struct Point {
        int x;
        int y;
    };
    static std::optional<Point> AnimationPosition(int width, int height);
    static std::optional<Point> CancelButtonPosition(int width, int height);

private:
    std::string m_errorDetail;
    std::string m_helpTitle;
    std::string m_helpDescription;
    std::string m_message;
    bool m_busy = false;
    bool m_cancelling = false;
};

inline constexpr const char* kCancellingText = "Canceling calculation.\n\rPlease wait...";

// Line breaks of the program's texts ("\n\r", "\r\n", "\n" or "\r") as single
// "\n" characters.
std::string NormalizeLineBreaks(const std::string& text);
