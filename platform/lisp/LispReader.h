// Reads AutoLISP forms from text: numbers, strings, symbols, quote, lists and
// dotted pairs, with ; and ;| |; comments.
#pragma once

#include "lisp/LispValue.h"

#include <istream>
#include <string_view>
#include <vector>

namespace lisp {

class Reader {
public:
    explicit Reader(std::istream& in) : mIn(in) {}
    // Reads the next form into form; false at the end of input. Malformed
    // input raises a LispError (the rest of the current line is skipped so a
    // prompt can go on).
    bool read(Ref& form);
    // Line (from 1) where the last form read began.
    int formLine() const { return mFormLine; }

private:
    int take();  // the next character, counting lines
    int skipBlank();  // returns the next significant character without taking it
    Ref readForm(int depth);
    Ref readList(int depth);
    Ref readString();
    Ref readAtom();

    std::istream& mIn;
    int mLine = 1;
    int mFormLine = 1;
};

// All forms of a text.
std::vector<Ref> readAll(std::string_view text);

}  // namespace lisp
