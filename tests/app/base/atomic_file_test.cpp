#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/base/atomic_file.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace bv::app {
namespace {

namespace fs = std::filesystem;

using testsupport::readText;
using testsupport::writeText;

TEST(AtomicFile, CopyReplacesTheTargetAndKeepsTheModeBits)
{
    testsupport::TempDir dir;
    const fs::path program = dir.path() / "hollit";
    writeText(program, "new program");
    fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
    writeText(dir.path() / "old", "old program, longer than the new one");

    ASSERT_FALSE(copyFileAtomically(program, dir.path() / "old"));
    EXPECT_EQ(readText(dir.path() / "old"), "new program");
    EXPECT_EQ(fs::status(dir.path() / "old").permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
        << "no temporary file is left";
}

TEST(AtomicFile, CopyNeverWritesThroughALinkNorTruncatesItsOwnSource)
{
    testsupport::TempDir dir;
    const fs::path usersFile = dir.path() / "users-notes.txt";
    writeText(usersFile, "the user's own text");
    const fs::path readme = dir.path() / "Readme.txt";
    fs::create_symlink(usersFile, readme);
    const fs::path source = dir.path() / "source.txt";
    writeText(source, "readme of the release");

    ASSERT_FALSE(copyFileAtomically(source, readme));
    EXPECT_FALSE(fs::is_symlink(readme));
    EXPECT_EQ(readText(readme), "readme of the release");
    EXPECT_EQ(readText(usersFile), "the user's own text");

    ASSERT_FALSE(copyFileAtomically(source, dir.path() / "." / "source.txt"));
    EXPECT_EQ(readText(source), "readme of the release");
}

TEST(AtomicFile, CopyRefusesSourcesThatAreNotRegularFiles)
{
    testsupport::TempDir dir;
    const fs::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path link = dir.path() / "link";
    writeText(dir.path() / "real", "x");
    fs::create_symlink(dir.path() / "real", link);

    EXPECT_EQ(copyFileAtomically(fifo, dir.path() / "a"), std::errc::invalid_argument);
    EXPECT_EQ(copyFileAtomically(link, dir.path() / "b"), std::errc::invalid_argument);
    EXPECT_EQ(copyFileAtomically(dir.path() / "missing", dir.path() / "c"),
              std::errc::no_such_file_or_directory);
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
}

} // namespace
} // namespace bv::app
