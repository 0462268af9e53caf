// Files: open/close, line and character reading and writing, print
// functions with a file, atomic writing, and script locations in errors.
#include "LispTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class Files : public LispTest {
protected:
    void SetUp() override {
        LispTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("lisp_files_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        lisp.setValue("DIR", lisp::Interpreter::string(dir.string() + "/"));
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        LispTest::TearDown();
    }
    std::string content(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::filesystem::path dir;
};

TEST_F(Files, WriteThenReadLinesAndCharacters) {
    EXPECT_EQ(run("(setq f (open (strcat dir \"a.txt\") \"w\")) (type f)"), "FILE");
    EXPECT_EQ(run("(list (write-line \"first\" f) (write-char 65 f) (princ \" x\" f) (prin1 \"q\" f) (print 5 f))"),
              "(\"first\" 65 \" x\" \"q\" 5)");
    // Nothing reaches the target until the file is closed.
    EXPECT_FALSE(std::filesystem::exists(dir / "a.txt"));
    EXPECT_EQ(run("(close f)"), "nil");
    EXPECT_EQ(content("a.txt"), "first\nA x\"q\"\n5 ");
    EXPECT_EQ(output, "");
    EXPECT_EQ(run("(setq f (open (strcat dir \"a.txt\") \"r\")) (list (read-line f) (read-char f) (read-line f) (read-line f) (read-line f))"),
              "(\"first\" 65 \" x\\\"q\\\"\" \"5 \" nil)");
    EXPECT_EQ(run("(close f) (read-line f)"), "; error: bad argument type: streamp: #<file \"" + dir.string() + "/a.txt\">");
}

TEST_F(Files, AppendKeepsContentAndLineEndsAreRead) {
    std::ofstream(dir / "b.txt", std::ios::binary) << "one\r\ntwo";
    EXPECT_EQ(run("(setq f (open (strcat dir \"b.txt\") \"a\")) (write-line \"three\" f) (close f)"), "nil");
    EXPECT_EQ(content("b.txt"), "one\r\ntwothree\n");
    EXPECT_EQ(run("(setq f (open (strcat dir \"b.txt\") \"R\")) (list (read-line f) (read-char f) (read-char f) (read-char f) (read-line f))"),
              "(\"one\" 116 119 111 \"three\")");
    EXPECT_EQ(run("(close f)"), "nil");
    EXPECT_EQ(run("(open (strcat dir \"missing/x.txt\") \"r\")"), "nil");
    EXPECT_EQ(run("(open (strcat dir \"x.txt\") \"x\")"), "; error: bad argument value: open mode x");
}

TEST_F(Files, PrintFunctionsWantAFileAsSecondArgument) {
    EXPECT_EQ(run("(princ \"a\" 1)"), "; error: bad argument type: streamp: 1");
    EXPECT_EQ(run("(prin1 \"a\" \"b\")"), "; error: bad argument type: streamp: \"b\"");
    EXPECT_EQ(run("(setq r (open (strcat dir \"r.txt\") \"w\")) (close r) (setq r (open (strcat dir \"r.txt\") \"r\")) (print 1 r)"),
              "; error: bad argument type: streamp: #<file \"" + dir.string() + "/r.txt\">");
    EXPECT_EQ(run("(close r) (write-line \"x\" 'f)"), "; error: bad argument type: streamp: F");
}

TEST_F(Files, ScriptErrorsEndWithFileAndLine) {
    std::ofstream(dir / "bad.lsp") << "(setq a 1)\n\n(princ\n  (car 5))\n";
    lisp::EvalResult result = lisp.evalFile((dir / "bad.lsp").string());
    EXPECT_EQ(result.error, "bad argument type: consp: 5 at " + (dir / "bad.lsp").string() + ":3");
    std::ofstream(dir / "comment.lsp") << "(setq a 1)\n;| never closed\n(setq a 2)\n";
    result = lisp.evalFile((dir / "comment.lsp").string());
    EXPECT_EQ(result.error, "malformed comment on input: ;| without closing |; at " + (dir / "comment.lsp").string() + ":2");
    EXPECT_EQ(run("a"), "1");
    // A loaded file's error names that file; vl-catch-all keeps the bare message.
    EXPECT_EQ(run("(vl-catch-all-error-message (vl-catch-all-apply 'load (list (strcat dir \"bad.lsp\"))))"),
              "\"bad argument type: consp: 5\"");
}

TEST_F(Files, ArgumentErrors) {
    const char* cases[][2] = {
        {"(open \"a\")", "too few arguments"},         {"(open 1 \"r\")", "bad argument type: stringp: 1"},
        {"(open \"a\" \"r\" \"utf8\" 1)", "too many arguments"},
        {"(close)", "too few arguments"},              {"(close \"f\")", "bad argument type: streamp: \"f\""},
        {"(read-line 1 2)", "too many arguments"},     {"(read-char \"f\")", "bad argument type: streamp: \"f\""},
        {"(write-line)", "too few arguments"},         {"(write-line 1)", "bad argument type: stringp: 1"},
        {"(write-char \"a\")", "bad argument type: fixnump: \"a\""}, {"(write-char 65 nil 1)", "too many arguments"},
        {"(princ 1 2 3)", "too many arguments"},
    };
    for (auto& [source, error] : cases) EXPECT_EQ(run(source), std::string("; error: ") + error) << source;
}

}  // namespace
