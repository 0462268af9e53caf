// Atomic file replacement and whole-file reading with POSIX calls.
#include "database/io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orv::io {

static std::string errnoText() { return std::strerror(errno); }

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& message) {
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        message = "cannot create a temporary file beside '" + path + "': " + errnoText();
        return false;
    }
    ::fchmod(fd, 0644);
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            message = "cannot write '" + tmp + "': " + errnoText();
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        message = "cannot flush '" + tmp + "': " + errnoText();
        ::unlink(tmp.c_str());
        return false;
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        message = "cannot replace '" + path + "': " + errnoText();
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& message) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        message = "cannot open '" + path + "': " + errnoText();
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        message = "'" + path + "' is not a regular file";
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got != bytes.size()) {
        message = "cannot read '" + path + "' completely";
        return false;
    }
    return true;
}

}  // namespace orv::io
