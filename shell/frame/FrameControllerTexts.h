#pragma once
// The display messages of the frame controller: of refused keys and entries
// and of a rounded result. For the controller's own translation units.

namespace controllertext {

inline constexpr const char* kNotExpectingNumber = "Not expecting a numeric entry at this stage.";
inline constexpr const char* kOpenParenNotAllowed = "Open parenthesis is not allowed at this stage.";
inline constexpr const char* kMaxParenDepthReached = "You have reached the maximum allowed parentheses depth of 25.";
inline constexpr const char* kPendingCloseParens =
    "There are one or more pending close parentheses - ')'.  Please supply them before attempting to enter the "
    "equal sign.";
inline constexpr const char* kOpenParenFirst =
    "Please enter an open parenthesis first - before attempting to enter a close parenthesis";
inline constexpr const char* kCloseParenNotAllowed = "Close parenthesis is not allowed at this stage.";
inline constexpr const char* kNotExpectingNegate =
    "Not expecting negate at this stage.  Please make a valid entry before applying the negate operator.";
inline constexpr const char* kResultRounded =
    "Result may have been rounded.  Rounding errors can be reduced (or even eliminated in some cases) by "
    "increasing the value for the 'Max Digits' setting.";

}  // namespace controllertext
