// The settings the options dialog edits, in grid order: each row's key in
// tblGlobal, its label, how it is edited and stored, and the codes of its
// list entries.
#pragma once

#include <string>
#include <vector>

namespace hvac {

enum class OptionKind {
    kHeading,       // bold title row, level 1
    kSubheading,    // a system's title row under "Diffuser Connections", level 2
    kNumber,
    kYesNo,
    kNumberYesNo,   // "TURNING VANES": both flags
    kText,
    kList,          // drop-down list; entries carry their stored codes
    kEditableList,  // combo: typed text or an offered entry
};

struct OptionEntry {
    std::string text;
    std::string code;
};

struct OptionSetting {
    std::string key;
    std::string label;
    OptionKind kind;
    std::vector<OptionEntry> entries;
    // Shown for a stored code that matches no entry ("" shows the code).
    std::string otherCode;
    int level = 2;
};

// Every row of the dialog, headings included.
const std::vector<OptionSetting>& optionSettings();

// The entry a list shows for a stored code, and the code an entry stores
// (a value matching no entry is kept as it is).
std::string optionEntryForCode(const OptionSetting& setting, const std::string& code);
std::string optionCodeForEntry(const OptionSetting& setting, const std::string& entry);

inline constexpr const char* kSameAsNonLined = "Same as non-lined duct label format";
inline constexpr const char* kBrowseEntry = "Browse. . .";
inline constexpr const char* kCustomBlockEntry = "Select custom block. . .";

// The lined duct label format rows (an empty text means "Same as non-lined").
bool isLinedLabelFormat(const std::string& key);

}  // namespace hvac
