// Exception shapes that host code throws across application boundaries, and
// the operating system's last-error value.
#pragma once

#include <cstdint>
#include <string>

// Base of the host framework's exceptions. Thrown by pointer; the catcher
// calls Delete.
class CException {
public:
    explicit CException(std::string message = {}) : mMessage(std::move(message)) {}
    virtual ~CException() = default;
    // Copies the message (truncated to maxChars - 1) into buffer.
    virtual bool GetErrorMessage(char* buffer, unsigned maxChars, unsigned* helpContext = nullptr) const;
    void Delete() { delete this; }

private:
    std::string mMessage;
};

class CInvalidArgException : public CException {
public:
    CInvalidArgException() : CException("Invalid argument.") {}
};

// Raises the framework's invalid-argument exception.
[[noreturn]] void AfxThrowInvalidArgException();

uint32_t GetLastError();
void SetLastError(uint32_t code);
