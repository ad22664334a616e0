#pragma once
// The frame's record of one calculation step's outcome. The engine's
// calculation thread writes it and then signals one of the two events; the
// user-interface thread reads it only after that event has woken it.

#include <array>
#include <string>

#include "number/Number.h"
#include "port/CalcTypes.h"

class CEvent;

inline constexpr int kCalcDoneEvent = 0;
inline constexpr int kCalcAbortedEvent = 1;

struct CalcResultInfo {
    bool m_bValueReady = true;                  // the step produced m_resultValue
    std::array<CEvent*, 2> m_calcEvents{};      // CalcDoneEvent, CalcAbortedEvent (not owned)
    Number m_resultValue;
    std::string m_text;                         // kept for the frame
    int m_status = static_cast<int>(CalcStatus::Success);  // CalcStatus
    int m_errorCode = ErrNone;                  // OperationErrorCode
    // Set before CalcAbortedEvent when the step failed for a reason the user
    // must be told in a message box (empty after a cancel); the frame shows
    // it on the user-interface thread.
    std::string m_message;
    std::string m_messageCaption;
};
