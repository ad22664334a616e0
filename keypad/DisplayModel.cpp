#include "keypad/DisplayModel.h"

#include "resources/StringTable.h"

namespace {

bool Assign(std::string& target, const std::string& value)
{
    if (target == value)
        return false;
    target = value;
    return true;
}

}  // namespace

bool CDisplayModel::SetErrorDetail(const std::string& text) { return Assign(m_errorDetail, text); }

bool CDisplayModel::ClearErrorDetail() { return Assign(m_errorDetail, {}); }

bool CDisplayModel::SetMessage(const std::string& text) { return Assign(m_message, text); }

bool CDisplayModel::ClearMessage() { return Assign(m_message, {}); }

bool CDisplayModel::ShowMessageString(unsigned id)
{
    const auto text = LoadResourceString(id);
    return text && SetMessage(*text);
}

bool CDisplayModel::ShowCommandHelp(unsigned commandId)
{
    if (commandId == 0) {
        if (m_helpTitle.empty() || m_helpDescription.empty())
            return false;
        m_helpTitle.clear();
        m_helpDescription.clear();
        return true;
    }
    const auto text = LoadResourceString(commandId);
    if (!text)
        return false;
    const auto bar = text->find('|');
    const std::string title = bar == std::string::npos ? *text : text->substr(0, bar);
    const std::string description = bar == std::string::npos ? std::string() : text->substr(bar + 1);
    if (title == m_helpTitle && description == m_helpDescription)
        return false;
    m_helpTitle = title;
    m_helpDescription = description;
    return true;
}

bool CDisplayModel::SetBusy(bool busy)
{
    if (busy == m_busy)
        return false;
    m_busy = busy;
    return true;
}

bool CDisplayModel::SetCancelling(bool cancelling)
{
    // Setting and clearing always repaint, as the frame expects.
    m_cancelling = cancelling;
    return true;
}

CDisplayModel::Content CDisplayModel::CurrentContent() const
{
    if (m_cancelling)
        return Content::Cancelling;
    if (m_busy)
        return Content::Busy;
    if (!m_errorDetail.empty())
        return Content::ErrorDetail;
    if (!m_message.empty())
        return Content::Message;
    if (!m_helpTitle.empty() || !m_helpDescription.empty())
        return Content::Help;
    return Content::Nothing;
}

std::string CDisplayModel::Heading() const
{
    switch (CurrentContent()) {
    case Content::ErrorDetail: return "Error";
    case Content::Message: return "Info";
    case Content::Help: return m_helpTitle;
    default: return {};
    }
}

std::string CDisplayModel::Body() const
{
    switch (CurrentContent()) {
    case Content::Cancelling: return kCancellingText;
    case Content::ErrorDetail: return m_errorDetail;
    case Content::Message: return m_message;
    case Content::Help: return m_helpDescription;
    default: return {};
    }
}

std::optional<CDisplayModel::Point> CDisplayModel::AnimationPosition(int width, int height)
{
    if (width < 33 || height <= 0)
        return std::nullopt;
    return Point{(width - 32) / 2, (height - 66) / 2};
}

std::optional<CDisplayModel::Point> CDisplayModel::CancelButtonPosition(int width, int height)
{
    if (width < 111 || height <= 0)
        return std::nullopt;
    return Point{(width - 110) / 2, (height - 66) / 2 + 39};
}

std::string NormalizeLineBreaks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            out += '\n';
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            if ((next == '\n' || next == '\r') && next != c)
                ++i;  // "\n\r" and "\r\n" are one break
        } else {
            out += c;
        }
    }
    return out;
}
