#include "FuzzHost.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/HostSession.h"
#include "lisp/AdsHost.h"
#include "projectdb/projectfile.h"
#include "runtime/docman.h"

// The leak check that follows a fuzz input looks for unreachable blocks
// while the process runs. The font library holds the character sets of its
// loaded configuration through encoded offsets the check cannot follow, so
// they look lost until the font is released at exit (where the test suite's
// check finds nothing). Those blocks are not reported here.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

std::string& scratchFolder() {
    static std::string folder;
    return folder;
}

void removeScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(scratchFolder(), ec);
}

std::string drawingName() { return scratchFolder() + "/project/Fuzz.dwg"; }

HostSession* startHost() {
    char pattern[] = "/tmp/orv-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    scratchFolder() = pattern;
    std::atexit(removeScratchFolder);
    std::filesystem::create_directories(scratchFolder() + "/project");
    if (chdir(scratchFolder().c_str()) != 0) std::abort();
    if (!projectdb::createProject(scratchFolder() + "/project", "fuzz").ok) std::abort();
    adsSetOutputSink([](std::string_view) {});
    // Never destroyed: the fuzzer ends the process from inside its loop.
    auto* session = new HostSession;
    if (!session->loadModule()) std::abort();
    session->newDocument(drawingName());
    session->lisp().evalString("(if (findfile \"product.lsp\") (load (findfile \"product.lsp\")))");
    return session;
}

} // namespace

HostSession& fuzzHost() {
    static HostSession* session = startHost();
    return *session;
}

void freshFuzzDocument() {
    HostSession& session = fuzzHost();
    if (AcApDocument* current = acDocManager->curDocument()) acDocManager->closeDocument(current);
    session.newDocument(drawingName());
}

bool mentionsUnboundedOrOutside(std::string_view text) {
    static const char* const kWords[] = {"while", "repeat", "host-", "open", "load", "setenv", "command",
                                         "startapp", "findfile", "vl-file", "vl-mkdir"};
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(std::begin(kWords), std::end(kWords),
                       [&](const char* word) { return lower.find(word) != std::string::npos; });
}
