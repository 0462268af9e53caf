// Telling a server connection file from a database file, and reading it.
#include "projectdb/connectionfile.h"

#include <libpq-fe.h>

#include <cstring>
#include <fstream>

namespace projectdb {
namespace {
// A connection file is a few lines; anything larger is a database.
constexpr std::streamsize kMaxConnectionFile = 4096;

std::string trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}
}  // namespace

bool isServerConnection(const std::string& text)
{
    for (const char* prefix : {"postgresql://", "postgres://"})
        if (text.rfind(prefix, 0) == 0) return true;
    // Keyword form: starts with a libpq keyword and "=".
    for (const char* keyword : {"service=", "host=", "dbname="})
        if (text.rfind(keyword, 0) == 0) return true;
    return false;
}

std::string connectionProblem(const std::string& connection)
{
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(connection.c_str(), &message);
    if (!options) {
        std::string text = message ? message : "not a valid connection";
        PQfreemem(message);
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return "The server connection '" + connection + "' cannot be read: " + text;
    }
    bool password = false;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        if (std::strcmp(o->keyword, "password") == 0 && o->val && *o->val) password = true;
    PQconninfoFree(options);
    if (password)
        return "The server connection holds a password; keep passwords in ~/.pgpass or PGPASSWORD, not in the "
               "project file.";
    return {};
}

bool readConnectionFile(const std::string& path, std::string& connection, std::string& error)
{
    error.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string head(size_t(kMaxConnectionFile), '\0');
    in.read(head.data(), kMaxConnectionFile);
    head.resize(size_t(in.gcount()));
    if (head.size() == size_t(kMaxConnectionFile) || head.find('\0') != std::string::npos) return false;
    size_t pos = 0;
    std::string line;
    while (pos < head.size()) {
        size_t end = head.find('\n', pos);
        line = trimmed(head.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? head.size() : end + 1;
        if (!line.empty() && line[0] != '#') break;
        line.clear();
    }
    if (!isServerConnection(line)) return false;
    error = connectionProblem(line);
    if (!error.empty()) return false;
    connection = line;
    return true;
}

}  // namespace projectdb
