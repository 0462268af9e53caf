// Per-user string settings, kept in a small settings file under the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config) in sections named
// like the registry keys: [Software\Orvane Software\<subkey>], name=value.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "integration/DrawingHelpers.h"

namespace fs = std::filesystem;

namespace {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

const char* kRootKey = "Software\\Orvane Software\\";

fs::path settingsFile() {
    fs::path folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        folder = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = fs::path(home) / ".config";
    else
        folder = fs::temp_directory_path();
    return folder / "orvane" / "registry.ini";
}

Sections readSections() {
    Sections sections;
    std::ifstream in(settingsFile());
    std::string line, current;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            sections[current];
            inSection = true;
        } else if (std::size_t eq = line.find('='); inSection && eq != std::string::npos) {
            sections[current][line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return sections;
}

bool writeSections(const Sections& sections) {
    fs::path file = settingsFile();
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    fs::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        for (const auto& [name, values] : sections) {
            out << '[' << name << "]\n";
            for (const auto& [key, value] : values) out << key << '=' << value << '\n';
        }
        if (!out) return false;
    }
    fs::rename(temp, file, ec);
    return !ec;
}

// Values are one line each: line breaks are not kept.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

} // namespace

std::string readRegistryString(const std::string& subkey, const std::string& valueName) {
    Sections sections = readSections();
    auto section = sections.find(kRootKey + subkey);
    if (section == sections.end()) return {};
    auto value = section->second.find(valueName);
    return value == section->second.end() ? std::string{} : value->second;
}

bool writeRegistryString(const std::string& subkey, const std::string& valueName, const std::string& text) {
    Sections sections = readSections();
    auto section = sections.find(kRootKey + subkey);
    if (section == sections.end()) return false;
    section->second[oneLine(valueName)] = oneLine(text);
    return writeSections(sections);
}

// Creates a key (the product's installer does this on a real machine).
bool createRegistryKey(const std::string& subkey) {
    Sections sections = readSections();
    if (sections.count(kRootKey + subkey)) return true;
    sections[kRootKey + subkey];
    return writeSections(sections);
}
