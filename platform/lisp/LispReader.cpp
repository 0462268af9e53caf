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

// Integer literal: optional sign and digits; wraps to 32 bits.
bool parseInteger(const std::string& token, int32_t& out) {
    size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i >= token.size()) return false;
    uint32_t value = 0;
    for (; i < token.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(token[i]))) return false;
        value = value * 10u + static_cast<uint32_t>(token[i] - '0');
    }
    if (token[0] == '-') value = 0u - value;
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

int Reader::skipBlank() {
    while (true) {
        int c = mIn.peek();
        if (c == EOF) return EOF;
        if (std::isspace(c)) {
            mIn.get();
            continue;
        }
        if (c != ';') return c;
        mIn.get();
        if (mIn.peek() == '|') {  // block comment ;| ... |;
            mIn.get();
            int previous = 0;
            while ((c = mIn.get()) != EOF && !(previous == '|' && c == ';')) previous = c;
            continue;
        }
        while ((c = mIn.get()) != EOF && c != '\n') {
        }
    }
}

bool Reader::read(Ref& form) {
    if (skipBlank() == EOF) return false;
    try {
        form = readForm(0);
    } catch (const LispError&) {
        std::string rest;
        if (mIn) std::getline(mIn, rest);
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
    case '(': mIn.get(); return readList(depth + 1);
    case ')': mIn.get(); raiseError("extra right paren on input");
    case '\'': {
        mIn.get();
        if (skipBlank() == EOF) raiseError("malformed list on input");
        Ref quoted = readForm(depth + 1);
        return makeCons(symbolRef("QUOTE"), makeCons(std::move(quoted), nullptr));
    }
    case '"': mIn.get(); return readString();
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
            mIn.get();
            return head;
        }
        if (c == '.') {
            mIn.get();
            if (isDelimiter(mIn.peek())) {  // dotted pair
                if (!tail) raiseError("invalid dotted pair on input");
                tail->cdr = readForm(depth);
                if (skipBlank() != ')') raiseError("invalid dotted pair on input");
                mIn.get();
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
        int c = mIn.get();
        if (c == EOF) raiseError("malformed string on input");
        if (c == '"') return makeString(std::move(text));
        if (c != '\\') {
            text += static_cast<char>(c);
            continue;
        }
        c = mIn.get();
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
                    code = code * 8 + (mIn.get() - '0');
                text += static_cast<char>(code);
            } else {
                text += static_cast<char>(c);
            }
        }
    }
}

Ref Reader::readAtom() {
    std::string token;
    while (!isDelimiter(mIn.peek())) token += static_cast<char>(mIn.get());
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
