// Tables of file formats chosen by a name's extension (plots, exports): each
// entry has a `const char* extension` such as ".svg".
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <string>

// The entry whose extension the path ends in (any case), or null.
template <class Entry, std::size_t N>
const Entry* entryForExtension(const Entry (&table)[N], const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const Entry& entry : table)
        if (ext == entry.extension) return &entry;
    return nullptr;
}

// The table's extensions without their dots, for messages: "svg, png, pdf".
template <class Entry, std::size_t N>
std::string extensionList(const Entry (&table)[N]) {
    std::string list;
    for (const Entry& entry : table) list += (list.empty() ? "" : ", ") + std::string(entry.extension + 1);
    return list;
}
