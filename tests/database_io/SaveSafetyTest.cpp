// Saving over an existing file: a symbolic link keeps pointing at the saved
// file, the file keeps its mode, a read-only file is refused, and temporary
// files left by a killed save are cleared by the next save.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "DrawingFixture.h"
#include "database/io/AtomicFile.h"

namespace {
std::string contentsOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
mode_t modeOf(const std::string& file) {
    struct stat st {};
    stat(file.c_str(), &st);
    return st.st_mode & 07777;
}
}  // namespace

TEST(SaveSafety, SymbolicLinkIsFollowedAndTheModeKept) {
    ScratchDir dir;
    std::string message;
    ASSERT_TRUE(orv::io::writeFileAtomically(dir.path("Plan.dwg"), "first", message)) << message;
    ASSERT_EQ(chmod(dir.path("Plan.dwg").c_str(), 0600), 0);
    ASSERT_EQ(symlink("Plan.dwg", dir.path("Current.dwg").c_str()), 0);
    ASSERT_TRUE(orv::io::writeFileAtomically(dir.path("Current.dwg"), "second", message)) << message;
    struct stat link {};
    ASSERT_EQ(lstat(dir.path("Current.dwg").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(contentsOf(dir.path("Plan.dwg")), "second");
    EXPECT_EQ(modeOf(dir.path("Plan.dwg")), 0600u);
}

TEST(SaveSafety, ReadOnlyFileIsRefusedWithAMessage) {
    ScratchDir dir;
    std::string message;
    ASSERT_TRUE(orv::io::writeFileAtomically(dir.path("Plan.dwg"), "kept", message));
    ASSERT_EQ(chmod(dir.path("Plan.dwg").c_str(), 0444), 0);
    EXPECT_FALSE(orv::io::writeFileAtomically(dir.path("Plan.dwg"), "lost", message));
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
    EXPECT_EQ(contentsOf(dir.path("Plan.dwg")), "kept");
}

TEST(SaveSafety, TemporaryFilesOfKilledSavesAreRemovedAtTheNextSave) {
    ScratchDir dir;
    // A process id that cannot be running, one that is (ours is saving
    // now, so its old file is stale too), and another file's temporary.
    const std::string gone = dir.path("Plan.dwg.tmp-2147483646-aaaaaa");
    const std::string mine = dir.path("Plan.dwg.tmp-" + std::to_string(getpid()) + "-bbbbbb");
    const std::string otherFile = dir.path("Other.dwg.tmp-2147483646-cccccc");
    for (const std::string& f : {gone, mine, otherFile}) std::ofstream(f) << "partial";
    std::string message;
    ASSERT_TRUE(orv::io::writeFileAtomically(dir.path("Plan.dwg"), "saved", message)) << message;
    EXPECT_FALSE(std::ifstream(gone).good());
    EXPECT_FALSE(std::ifstream(mine).good());
    EXPECT_TRUE(std::ifstream(otherFile).good());
}
