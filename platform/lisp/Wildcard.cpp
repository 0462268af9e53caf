// Wildcard matching: each comma-separated pattern is compiled to tokens and
// matched with backtracking on the last star only (linear in practice).
#include "lisp/Wildcard.h"

#include <cctype>
#include <string>
#include <vector>

namespace lisp {

namespace {

struct Token {
    enum Kind { Literal, Digit, Letter, Other, Any, Star, Class } kind = Literal;
    char literal = 0;
    bool negated = false;
    std::vector<std::pair<char, char>> ranges;  // Class
};

char fold(char c, bool ignoreCase) {
    return ignoreCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
}

std::vector<Token> compile(std::string_view pattern, bool ignoreCase) {
    std::vector<Token> tokens;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        Token token;
        switch (c) {
        case '#': token.kind = Token::Digit; break;
        case '@': token.kind = Token::Letter; break;
        case '.': token.kind = Token::Other; break;
        case '?': token.kind = Token::Any; break;
        case '*': token.kind = Token::Star; break;
        case '`':
            token.literal = fold(i + 1 < pattern.size() ? pattern[++i] : '`', ignoreCase);
            break;
        case '[': {
            size_t j = i + 1;
            token.kind = Token::Class;
            if (j < pattern.size() && pattern[j] == '~') {
                token.negated = true;
                ++j;
            }
            size_t first = j;
            for (; j < pattern.size() && (pattern[j] != ']' || j == first); ++j) {
                char low = pattern[j];
                if (low == '`' && j + 1 < pattern.size()) low = pattern[++j];
                char high = low;
                if (j + 2 < pattern.size() && pattern[j + 1] == '-' && pattern[j + 2] != ']') {
                    high = pattern[j + 2];
                    j += 2;
                }
                token.ranges.emplace_back(fold(low, ignoreCase), fold(high, ignoreCase));
            }
            if (j >= pattern.size()) {  // no closing bracket: a literal [
                token = Token();
                token.literal = '[';
            } else {
                i = j;
            }
            break;
        }
        default: token.literal = fold(c, ignoreCase);
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool matchesOne(const Token& token, char c, bool ignoreCase) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (token.kind) {
    case Token::Literal: return fold(c, ignoreCase) == token.literal;
    case Token::Digit: return std::isdigit(u);
    case Token::Letter: return std::isalpha(u);
    case Token::Other: return !std::isalnum(u);
    case Token::Any: return true;
    case Token::Class: {
        char f = fold(c, ignoreCase);
        bool inside = false;
        for (auto [low, high] : token.ranges) inside = inside || (f >= low && f <= high);
        return inside != token.negated;
    }
    case Token::Star: return false;
    }
    return false;
}

bool matchTokens(std::string_view text, const std::vector<Token>& tokens, bool ignoreCase) {
    size_t t = 0, p = 0;
    size_t starToken = std::string::npos, starText = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Token::Star) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && matchesOne(tokens[p], text[t], ignoreCase)) {
            ++p;
            ++t;
        } else if (starToken != std::string::npos) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Token::Star) ++p;
    return p == tokens.size();
}

}  // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern, bool ignoreCase) {
    size_t start = 0;
    while (true) {
        // A comma ends a pattern unless escaped or inside brackets.
        size_t end = start;
        bool inClass = false;
        for (; end < pattern.size(); ++end) {
            char c = pattern[end];
            if (c == '`') {
                ++end;
                continue;
            }
            if (c == '[') inClass = true;
            if (c == ']') inClass = false;
            if (c == ',' && !inClass) break;
        }
        std::string_view one = pattern.substr(start, end - start);
        bool negate = !one.empty() && one.front() == '~';
        if (negate) one.remove_prefix(1);
        if (matchTokens(text, compile(one, ignoreCase), ignoreCase) != negate) return true;
        if (end >= pattern.size()) return false;
        start = end + 1;
    }
}

}  // namespace lisp
