// The open-file table of AutoLISP and atomic writing through a temporary file.
#include "lisp/LispFiles.h"

#include "lisp/Builtins.h"
#include "lisp/LispError.h"

#include <cctype>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace lisp {

namespace {

struct OpenFile {
    std::FILE* stream = nullptr;
    bool writing = false;
    std::string path;      // the target
    std::string tempPath;  // written, then renamed to path on close
};

// Closes every file still open when the process ends, so writes land.
struct FileTable {
    std::map<int32_t, OpenFile> files;
    int32_t next = 1;
    ~FileTable() {
        for (auto& [number, file] : files) finish(file);
    }
    static bool finish(OpenFile& file) {
        bool ok = std::fclose(file.stream) == 0;
        if (file.writing) ok = ok && std::rename(file.tempPath.c_str(), file.path.c_str()) == 0;
        if (!ok && file.writing) std::remove(file.tempPath.c_str());
        return ok;
    }
};

FileTable& table() {
    static FileTable files;
    return files;
}

KeyboardReader& keyboard() {
    static KeyboardReader reader;
    return reader;
}

// A temporary file beside path with the target's mode (or the default mode
// of a new file), holding the target's content when appending.
std::FILE* openTemporary(const std::string& path, bool append, std::string& tempPath) {
    std::string pattern = path + ".tmp-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) return nullptr;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    std::FILE* stream = fdopen(fd, "wb");
    if (!stream) {
        ::close(fd);
        std::remove(pattern.c_str());
        return nullptr;
    }
    if (append) {
        if (std::FILE* old = std::fopen(path.c_str(), "rb")) {
            char buffer[8192];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, old)) > 0) std::fwrite(buffer, 1, n, stream);
            std::fclose(old);
        }
    }
    tempPath = pattern;
    return stream;
}

}  // namespace

Ref openLispFile(const std::string& path, const std::string& mode) {
    std::string m;
    for (char c : mode) m += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (m != "r" && m != "w" && m != "a") raiseError("bad argument value: open mode " + mode);
    OpenFile file;
    file.path = path;
    if (m == "r") {
        file.stream = std::fopen(path.c_str(), "rb");
    } else {
        file.writing = true;
        file.stream = openTemporary(path, m == "a", file.tempPath);
    }
    if (!file.stream) return nullptr;
    int32_t number = table().next++;
    table().files.emplace(number, std::move(file));
    auto descriptor = makeValue(Type::File);
    descriptor->u.i = number;
    descriptor->str = path;
    return descriptor;
}

void closeLispFile(const Ref& descriptor) {
    if (!isType(descriptor, Type::File)) badArgument("streamp", descriptor);
    auto found = table().files.find(descriptor->u.i);
    if (found == table().files.end()) badArgument("streamp", descriptor);
    OpenFile file = std::move(found->second);
    table().files.erase(found);
    if (!FileTable::finish(file)) raiseError("cannot write file: " + file.path);
}

std::FILE* lispFileStream(const Ref& descriptor, bool forWriting) {
    if (!isType(descriptor, Type::File)) badArgument("streamp", descriptor);
    auto found = table().files.find(descriptor->u.i);
    if (found == table().files.end() || found->second.writing != forWriting) badArgument("streamp", descriptor);
    return found->second.stream;
}

void setKeyboardReader(KeyboardReader reader) { keyboard() = std::move(reader); }

std::optional<std::string> readKeyboardLine() {
    if (!keyboard()) return std::nullopt;
    return keyboard()();
}

}  // namespace lisp
