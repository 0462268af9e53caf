// Atomic file replacement and whole-file reading with POSIX calls.
#include "database/io/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orv::io {

static std::string errnoText() { return std::strerror(errno); }

namespace {

// Temporary files are named FILE.tmp-PID-XXXXXX: the process id tells a
// save in progress elsewhere from one that was killed.
std::string tempPrefix(const std::string& path) { return path + ".tmp-"; }

// Follows symbolic links to the file they finally name, so a save updates
// the target instead of replacing the link with a regular file.
std::string resolvedTarget(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        char target[4096];
        ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0) return current;  // not a link (or missing): save here
        target[n] = '\0';
        std::string next(target);
        if (next.empty() || next[0] != '/') {
            auto slash = current.find_last_of('/');
            next = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + next;
        }
        current = next;
    }
    return current;
}

// Removes temporary files of earlier saves of path whose process is gone
// (killed during a save) or is this one.
void removeStaleTemporaries(const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string prefix = tempPrefix(path.substr(slash == std::string::npos ? 0 : slash + 1));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0) continue;
        long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        bool gone = pid <= 0 || pid == ::getpid() || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
        if (gone) ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

}  // namespace

bool writeFileAtomically(const std::string& requested, std::string_view bytes, std::string& message) {
    const std::string path = resolvedTarget(requested);
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    // Mode bits are checked too, so a privileged user still honours them.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        message = "'" + path + "' is read-only; it was not overwritten (save under another name, or make it writable)";
        return false;
    }
    removeStaleTemporaries(path);
    std::string tmp = tempPrefix(path) + std::to_string(::getpid()) + "-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        message = "cannot create a temporary file beside '" + path + "': " + errnoText();
        return false;
    }
    if (exists) {
        // The saved file keeps its owner (where allowed) and mode.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) { /* another owner: keep ours */ }
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
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
