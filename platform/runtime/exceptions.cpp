// Framework exceptions and the thread's last-error value.
#include "runtime/exceptions.h"

#include <cstring>

bool CException::GetErrorMessage(char* buffer, unsigned maxChars, unsigned* helpContext) const {
    if (helpContext) *helpContext = 0;
    if (!buffer || maxChars == 0) return false;
    std::size_t n = std::min<std::size_t>(mMessage.size(), maxChars - 1);
    std::memcpy(buffer, mMessage.data(), n);
    buffer[n] = '\0';
    return true;
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }

namespace {
thread_local uint32_t gLastError = 0;
}

uint32_t GetLastError() { return gLastError; }
void SetLastError(uint32_t code) { gLastError = code; }
