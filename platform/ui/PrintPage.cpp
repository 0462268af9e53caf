// Printing pages to files beside the drawing.
#include "ui/PrintPage.h"

#include <filesystem>
#include <fstream>

#include "ads/ads.h"
#include "runtime/docman.h"

namespace fs = std::filesystem;

namespace {

fs::path printFolder() {
    AcApDocument* doc = acDocManager ? acDocManager->curDocument() : nullptr;
    if (doc && doc->fileName() && *doc->fileName()) {
        fs::path folder = fs::path(doc->fileName()).parent_path();
        if (!folder.empty()) return folder;
    }
    return fs::current_path();
}

// A file name without characters that cannot stand in one.
std::string fileSafe(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '_';
    return name.empty() ? "Print" : name;
}

bool writeAtomically(const fs::path& path, const std::string& text) {
    fs::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temp, path, error);
    if (error) fs::remove(temp, error);
    return !error;
}

} // namespace

std::string uiPrintPage(const std::string& name, const std::string& html) {
    std::error_code error;
    fs::path folder = printFolder();
    std::string base = fileSafe(name);
    fs::path path = folder / (base + ".html");
    for (int n = 2; fs::exists(path, error); ++n) path = folder / (base + " (" + std::to_string(n) + ").html");
    if (!writeAtomically(path, html)) {
        acutPrintf("\n[print] cannot write %s", path.string().c_str());
        return "";
    }
    acutPrintf("\n[print] %s", path.string().c_str());
    return path.string();
}
