// Reads AutoLISP forms from text: numbers, strings, symbols, quote, lists and
// dotted pairs, with ; and ;| |; comments.
#include "lisp/LispReader.h"

#include "lisp/LispError.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace lisp {

namespace {

constexpr int kMaxReadDepth = 1000;

bool isDelimiter(int c) {
    return c == EOF || std::isspace(c) || c == '(' || c == ')' || c == '\'' || c == '"' || c == ';';
}

// Integer literal: optional sign and digits within 32 bits (a literal
// outside that range reads as a real).
bool parseInteger(const std::string& token, int32_t& out) {
    size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i >= token.size()) return false;
    int64_t value = 0;
    for (; i < token.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(token[i]))) return false;
        value = value * 10 + (token[i] - '0');
        if (value > 2147483648LL) return false;
    }
    if (token[0] == '-') value = -value;
    if (value > 2147483647LL) return false;
    out = static_cast<int32_t>(value);
    return true;
}

bool parseReal(const std::string& token, double& out) {
    char first = token[0];
    if (!(std::isdigit(static_cast<unsigned char>(first)) || first == '.' || first == '-' ||
          first == '+'))
        return false;
    bool digit = false;
    for (char c : token)
        if (std::isdigit(static_cast<unsigned char>(c))) digit = true;
    if (!digit) return false;
    char* end = nullptr;
    out = std::strtod(token.c_str(), &end);
    return end == token.c_str() + token.size();
}

}  // namespace

int Reader::take() {
    int c = mIn.get();
    if (c == '\n') ++mLine;
    return c;
}

int Reader::skipBlank() {
    while (true) {
        int c = mIn.peek();
        if (c == EOF) return EOF;
        if (std::isspace(c)) {
            take();
            continue;
        }
        if (c != ';') return c;
        take();
        if (mIn.peek() == '|') {  // block comment ;| ... |;
            mFormLine = mLine;  // where an unclosed comment is reported
            take();
            int previous = 0;
            while ((c = take()) != EOF && !(previous == '|' && c == ';')) previous = c;
            if (c == EOF) raiseError("malformed comment on input: ;| without closing |;");
            continue;
        }
        while ((c = take()) != EOF && c != '\n') {
        }
    }
}

bool Reader::read(Ref& form) {
    try {
        if (skipBlank() == EOF) return false;
        mFormLine = mLine;
        form = readForm(0);
    } catch (const LispError&) {
        std::string rest;
        if (mIn && std::getline(mIn, rest) && !mIn.eof()) ++mLine;
        mIn.clear();
        throw;
    }
    return true;
}

Ref Reader::readForm(int depth) {
    if (depth > kMaxReadDepth) raiseError("malformed list on input: nesting too deep");
    int c = skipBlank();
    switch (c) {
    case EOF: raiseError("malformed list on input");
    case '(': take(); return readList(depth + 1);
    case ')': take(); raiseError("extra right paren on input");
    case '\'': {
        take();
        if (skipBlank() == EOF) raiseError("malformed list on input");
        Ref quoted = readForm(depth + 1);
        return makeCons(symbolRef("QUOTE"), makeCons(std::move(quoted), nullptr));
    }
    case '"': take(); return readString();
    default: return readAtom();
    }
}

Ref Reader::readList(int depth) {
    Ref head;
    Value* tail = nullptr;
    while (true) {
        int c = skipBlank();
        if (c == EOF) raiseError("malformed list on input");
        if (c == ')') {
            take();
            return head;
        }
        if (c == '.') {
            take();
            if (isDelimiter(mIn.peek())) {  // dotted pair
                if (!tail) raiseError("invalid dotted pair on input");
                tail->cdr = readForm(depth);
                if (skipBlank() != ')') raiseError("invalid dotted pair on input");
                take();
                return head;
            }
            mIn.putback('.');
        }
        Ref cell = makeCons(readForm(depth), nullptr);
        Value* raw = cell.get();
        if (tail)
            tail->cdr = std::move(cell);
        else
            head = std::move(cell);
        tail = raw;
    }
}

Ref Reader::readString() {
    std::string text;
    while (true) {
        int c = take();
        if (c == EOF) raiseError("malformed string on input");
        if (c == '"') return makeString(std::move(text));
        if (c != '\\') {
            text += static_cast<char>(c);
            continue;
        }
        c = take();
        switch (c) {
        case EOF: raiseError("malformed string on input");
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case 'e': text += '\x1b'; break;
        default:
            if (c >= '0' && c <= '7') {  // octal code \nnn
                int code = c - '0';
                for (int i = 0; i < 2 && mIn.peek() >= '0' && mIn.peek() <= '7'; ++i)
                    code = code * 8 + (take() - '0');
                text += static_cast<char>(code);
            } else {
                text += static_cast<char>(c);
            }
        }
    }
}

Ref Reader::readAtom() {
    std::string token;
    while (!isDelimiter(mIn.peek())) token += static_cast<char>(take());
    int32_t integer = 0;
    if (parseInteger(token, integer)) return makeInt(integer);
    double real = 0;
    if (parseReal(token, real)) return makeReal(real);
    if (token.size() == 3 && (token[0] | 0x20) == 'n' && (token[1] | 0x20) == 'i' &&
        (token[2] | 0x20) == 'l')
        return nullptr;
    return symbolRef(token);
}

std::vector<Ref> readAll(std::string_view text) {
    std::istringstream in{std::string(text)};
    Reader reader(in);
    std::vector<Ref> forms;
    Ref form;
    while (reader.read(form)) forms.push_back(form);
    return forms;
}

}  // namespace lisp
