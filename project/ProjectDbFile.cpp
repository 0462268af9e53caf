// Project database file search with the product's exclusions.
#include "project/ProjectDbFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {
std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool excluded(const std::string& upperName)
{
    return upperName.rfind("52-ZK", 0) == 0 || upperName.find("_MASTER") != std::string::npos ||
           upperName.find("_STANDARDS") != std::string::npos;
}

// The single match of *key*.extension, or empty (the search stops at a second).
std::string findWithExtension(const std::filesystem::path& folder, const std::string& key, const std::string& ext)
{
    std::string found;
    std::error_code ec;
    std::string upperKey = upper(key), upperExt = upper(ext);
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) continue;
        std::string name = upper(entry.path().filename().string());
        if (upper(entry.path().extension().string()) != upperExt) continue;
        if (name.find(upperKey) == std::string::npos || excluded(name)) continue;
        if (!found.empty()) return {};
        found = entry.path().string();
    }
    return found;
}
}  // namespace

std::string findProjectDatabaseFile(const std::string& folder, const std::string& key)
{
    std::string file = findWithExtension(folder, key, ".zk");
    return file.empty() ? findWithExtension(folder, key, ".mdb") : file;
}
