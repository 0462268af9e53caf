// List functions from the AutoLISP reference: subst, the vl- list family,
// sorting, and dotted lists refused where a proper list is needed.
#include "LispTestSupport.h"

namespace {

using Lists = LispTest;

TEST_F(Lists, SubstAndAppend) {
    EXPECT_EQ(run("(setq sample '(a b (c d) b)) (subst 'qq 'b sample)"), "(A QQ (C D) QQ)");
    EXPECT_EQ(run("(subst 'qq '(c d) sample)"), "(A B QQ B)");
    EXPECT_EQ(run("(subst '(8 . \"X\") '(8 . \"0\") '((0 . \"LINE\") (8 . \"0\")))"), "((0 . \"LINE\") (8 . \"X\"))");
    EXPECT_EQ(run("(subst 9 1 '(1 2 . 3))"), "(9 2 . 3)");
    EXPECT_EQ(run("(append '(1 . 2) '(3))"), "; error: bad list: (1 . 2)");
    EXPECT_EQ(run("(length '(1 2 . 3))"), "; error: bad list: (1 2 . 3)");
    EXPECT_EQ(run("(append '(a b) '(c d) nil)"), "(A B C D)");
}

TEST_F(Lists, Sorting) {
    EXPECT_EQ(run("(vl-sort '(3 2 1 3) '<)"), "(1 2 3)");
    EXPECT_EQ(run("(vl-sort '(\"d\" \"c\" \"b\" \"a\" \"c\") '<)"), "(\"a\" \"b\" \"c\" \"c\" \"d\")");
    EXPECT_EQ(run("(vl-sort '((1 3) (2 2) (3 1)) (function (lambda (e1 e2) (< (cadr e1) (cadr e2)))))"),
              "((3 1) (2 2) (1 3))");
    EXPECT_EQ(run("(vl-sort-i '(\"a\" \"d\" \"f\" \"c\") '>)"), "(2 1 3 0)");
    EXPECT_EQ(run("(vl-sort-i '(3 2 1 3) '<)"), "(2 1 0 3)");
    EXPECT_EQ(run("(acad_strlsort '(\"Jan\" \"Feb\" \"Mar\"))"), "(\"Feb\" \"Jan\" \"Mar\")");
    // A comparison that answers anything still gives every element back.
    EXPECT_EQ(run("(length (vl-sort-i '(5 4 3 2 1 0 9 8 7) (lambda (a b) T)))"), "9");
    EXPECT_EQ(run("(vl-sort '(1 \"a\") '+)"), "; error: bad argument type: numberp: \"a\"");
}

TEST_F(Lists, FilteringAndSearching) {
    EXPECT_EQ(run("(vl-remove 'b '(a b c b))"), "(A C)");
    EXPECT_EQ(run("(vl-remove-if 'vl-symbolp (list pi t 0 \"abc\"))"), "(3.14159 0 \"abc\")");
    EXPECT_EQ(run("(vl-remove-if-not 'vl-symbolp (list pi t 0 \"abc\"))"), "(T)");
    EXPECT_EQ(run("(list (vl-position 'c '(a b c d e)) (vl-position '(1) '(0 (1))) (vl-position 9 '(1 2)))"), "(2 1 nil)");
    EXPECT_EQ(run("(vl-member-if '(lambda (x) (> x 2)) '(1 2 3 4))"), "(3 4)");
    EXPECT_EQ(run("(vl-member-if-not 'numberp '(1 \"a\" 2))"), "(\"a\" 2)");
    EXPECT_EQ(run("(list (vl-every 'numberp '(1 2 3)) (vl-every '= '(1 2) '(1 3)) (vl-every '= '(1) '(1 2)) (vl-every 'numberp nil))"),
              "(T nil T T)");
    EXPECT_EQ(run("(list (vl-some '= '(1 2) '(3 2)) (vl-some 'zerop '(1 2)) (vl-some '(lambda (x) (if (> x 1) (* x 10))) '(1 2 3)))"),
              "(T nil 20)");
}

TEST_F(Lists, ConstructionAndShape) {
    EXPECT_EQ(run("(list (vl-list* 1) (vl-list* 0 \"text\") (vl-list* 1 2 3) (vl-list* 1 2 '(3 4)))"),
              "(1 (0 . \"text\") (1 2 . 3) (1 2 3 4))");
    EXPECT_EQ(run("(list (vl-list-length nil) (vl-list-length '(1 2)) (vl-list-length '(1 2 . 3)))"), "(0 2 nil)");
    EXPECT_EQ(run("(list (vl-consp nil) (vl-consp t) (vl-consp '(0 . 1)))"), "(nil nil T)");
}

TEST_F(Lists, ArgumentErrors) {
    const char* cases[][2] = {
        {"(subst 1 2)", "too few arguments"},            {"(subst 1 2 3)", "bad argument type: listp: 3"},
        {"(vl-sort '(1))", "too few arguments"},         {"(vl-sort 1 '<)", "bad argument type: listp: 1"},
        {"(vl-sort-i '(1) '< 1)", "too many arguments"},
        {"(acad_strlsort '(\"a\" 1))", "bad argument type: stringp: 1"},
        {"(vl-remove 1)", "too few arguments"},          {"(vl-remove 1 2)", "bad argument type: listp: 2"},
        {"(vl-remove-if 'atom)", "too few arguments"},   {"(vl-remove-if-not 'atom \"a\")", "bad argument type: listp: \"a\""},
        {"(vl-position 1 '(1) 2)", "too many arguments"}, {"(vl-member-if 'atom 5)", "bad argument type: listp: 5"},
        {"(vl-every 'atom)", "too few arguments"},       {"(vl-some 'atom 1)", "bad argument type: listp: 1"},
        {"(vl-consp)", "too few arguments"},             {"(vl-list*)", "too few arguments"},
        {"(vl-list-length \"a\")", "bad argument type: listp: \"a\""},
        {"(vl-remove-if 'nofunction '(1))", "no function definition: NOFUNCTION"},
    };
    for (auto& [source, error] : cases) EXPECT_EQ(run(source), std::string("; error: ") + error) << source;
}

}  // namespace
