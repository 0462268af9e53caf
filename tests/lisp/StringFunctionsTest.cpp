// String functions from the AutoLISP reference: wcmatch patterns, the vl-
// string family, file-name parts, NUL ending a string, symbol-name validity.
#include "LispTestSupport.h"

namespace {

using Strings = LispTest;

TEST_F(Strings, WildcardPatterns) {
    EXPECT_EQ(run("(list (wcmatch \"Name\" \"N*\") (wcmatch \"Name\" \"???,~*m*,N*\") (wcmatch \"Name\" \"*`,*\"))"),
              "(T T nil)");
    EXPECT_EQ(run("(list (wcmatch \"A12\" \"@##\") (wcmatch \"A1B\" \"@##\") (wcmatch \"a-b\" \"a.b\") (wcmatch \"name\" \"N*\"))"),
              "(T nil T nil)");
    EXPECT_EQ(run("(list (wcmatch \"DUCT_3\" \"DUCT_[1-4]\") (wcmatch \"DUCT_5\" \"DUCT_[~1-4]\") (wcmatch \"x\" \"~x\"))"),
              "(T T nil)");
    EXPECT_EQ(run("(list (wcmatch \"a,b\" \"a`,b\") (wcmatch \"abcabd\" \"*ab?\") (wcmatch \"\" \"*\") (wcmatch \"ab\" \"a\"))"),
              "(T T T nil)");
    EXPECT_EQ(run("(wcmatch \"a\" 1)"), "; error: bad argument type: stringp: 1");
}

TEST_F(Strings, SearchAndReplace) {
    EXPECT_EQ(run("(list (vl-string-search \"foe\" \"pfooyey on you\") (vl-string-search \"who\" \"pfooyey on you\"))"),
              "(nil nil)");
    EXPECT_EQ(run("(list (vl-string-search \"oo\" \"pfooyey on you\") (vl-string-search \"y\" \"pfooyey on you\" 5))"),
              "(2 6)");
    EXPECT_EQ(run("(list (vl-string-position (ascii \"z\") \"azbdc\") (vl-string-position 122 \"azbzc\" 2) "
                  "(vl-string-position (ascii \"z\") \"azbzlmnqc\" nil t) (vl-string-position 120 \"abc\"))"),
              "(1 3 3 nil)");
    EXPECT_EQ(run("(list (vl-string-subst \"Obi-wan\" \"Ben\" \"Ben Kenobi\") (vl-string-subst \"Obi-wan\" \"Ben\" \"Ben Kenobi Ben\" 1))"),
              "(\"Obi-wan Kenobi\" \"Ben Kenobi Obi-wan\")");
    EXPECT_EQ(run("(vl-string-translate \"abcABC\" \"123123\" \"A is a, B is b, C is C\")"), "\"1 is 1, 2 is 2, 3 is 3\"");
    EXPECT_EQ(run("(list (vl-string-trim \" \\t\\n\" \" \\t\\n  Thank you\\t\\n \") (vl-string-left-trim \"12456789\" \"12463CPO is not R2D2\") "
                  "(vl-string-right-trim \" \" \"x  \") (vl-string-trim \"ab\" \"abba\"))"),
              "(\"Thank you\" \"3CPO is not R2D2\" \"x\" \"\")");
    EXPECT_EQ(run("(list (vl-string-mismatch \"VL-FUN\" \"VL-VAR\") (vl-string-mismatch \"vl-fun\" \"avl-var\" 0 1) "
                  "(vl-string-mismatch \"VL-FUN\" \"Vl-vAR\" 0 0 T))"),
              "(3 3 3)");
    EXPECT_EQ(run("(vl-string-search \"a\" \"abc\" -1)"), "; error: bad argument value: non-negative -1");
}

TEST_F(Strings, CharacterCodesAndNul) {
    EXPECT_EQ(run("(list (vl-string->list \"123\") (vl-list->string '(49 50)) (vl-string->list \"\") (vl-string-elt \"abc\" 1))"),
              "((49 50 51) \"12\" nil 98)");
    // A string ends at its first NUL character.
    EXPECT_EQ(run("(list (chr 0) (strlen (strcat \"ab\" (chr 0) \"cd\")) (vl-list->string '(65 0 66)) \"x\\000y\")"),
              "(\"\" 4 \"A\" \"x\")");
    EXPECT_EQ(run("(vl-list->string '(300))"), "; error: bad argument value: character code 300");
    EXPECT_EQ(run("(vl-string-elt \"abc\" 3)"), "; error: bad argument value: string position out of range 3");
}

TEST_F(Strings, FileNamePartsAndSymbolNames) {
    EXPECT_EQ(run("(list (vl-filename-base \"c:/acadwin/acad.exe\") (vl-filename-directory \"c:/acadwin/acad.exe\") "
                  "(vl-filename-extension \"c:/acadwin/acad.exe\") (vl-filename-extension \"c:/acadwin/acad\"))"),
              "(\"acad\" \"c:/acadwin\" \".exe\" nil)");
    EXPECT_EQ(run("(list (vl-filename-base \"/a/b.c/file\") (vl-filename-directory \"file.txt\"))"), "(\"file\" \"\")");
    EXPECT_EQ(run("(list (vl-symbol-name 'abc) (vl-symbolp 'a) (vl-symbolp \"a\") (progn (setq vsv 3) (vl-symbol-value 'vsv)))"),
              "(\"ABC\" T nil 3)");
    EXPECT_EQ(run("(list (snvalid \"hocus-pocus\") (snvalid \"hocus pocus\") (snvalid \"hocus%pocus\") (snvalid \"a*b\") "
                  "(snvalid \"\") (snvalid \"xr|ly\") (snvalid \"xr|ly\" 1))"),
              "(T T T nil nil nil T)");
}

TEST_F(Strings, ArgumentErrors) {
    const char* cases[][2] = {
        {"(wcmatch \"a\")", "too few arguments"},          {"(wcmatch \"a\" \"b\" \"c\")", "too many arguments"},
        {"(vl-string-search \"a\")", "too few arguments"}, {"(vl-string-search 1 \"a\")", "bad argument type: stringp: 1"},
        {"(vl-string-position \"a\" \"b\")", "bad argument type: fixnump: \"a\""},
        {"(vl-string-position 1 \"a\" 0 T 1)", "too many arguments"},
        {"(vl-string-subst \"a\" \"b\")", "too few arguments"},
        {"(vl-string-translate \"a\" \"b\" 'c)", "bad argument type: stringp: C"},
        {"(vl-string-trim \" \")", "too few arguments"},   {"(vl-string-left-trim 1 \"a\")", "bad argument type: stringp: 1"},
        {"(vl-string-right-trim \" \" \"a\" 1)", "too many arguments"},
        {"(vl-string-mismatch \"a\")", "too few arguments"},
        {"(vl-string->list 'a)", "bad argument type: stringp: A"},
        {"(vl-list->string \"a\")", "bad argument type: listp: \"a\""},
        {"(vl-list->string '(1 . 2))", "bad list: (1 . 2)"},
        {"(vl-filename-base)", "too few arguments"},       {"(vl-filename-extension nil)", "bad argument type: stringp: nil"},
        {"(vl-symbol-name \"a\")", "bad argument type: symbolp: \"a\""},
        {"(vl-symbol-value 1)", "bad argument type: symbolp: 1"}, {"(vl-symbolp)", "too few arguments"},
        {"(snvalid 1)", "bad argument type: stringp: 1"},  {"(snvalid \"a\" 1 2)", "too many arguments"},
    };
    for (auto& [source, error] : cases) EXPECT_EQ(run(source), std::string("; error: ") + error) << source;
}

}  // namespace
