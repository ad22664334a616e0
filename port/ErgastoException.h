#pragma once
// An argument check of the worker failed; carries the OperationErrorCode.
// Thrown by value, caught by reference.

#include <stdexcept>

class ErgastoException : public std::runtime_error {
public:
    explicit ErgastoException(int errorCode) : std::runtime_error("Invalid input"), m_errorCode(errorCode) {}
    int GetErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};
