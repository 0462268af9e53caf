// Minimal CSV reading for the generator's data files: comment lines ('#') and the header are skipped.
#pragma once

#include <string>
#include <vector>

namespace cltd {

// Reads the data lines of a CSV file (after the first non-comment line, the header) split at commas.
bool readCsvRows(const std::string& path, std::vector<std::vector<std::string>>& rows, std::string& error);

// Parses a whole field as a number; false when the text is not entirely a number.
bool parseDouble(const std::string& text, double& value);
bool parseInt(const std::string& text, int& value);

}  // namespace cltd
