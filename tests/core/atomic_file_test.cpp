#include "core/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/test_support.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

int EntryCount(const fs::path& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFileTest, CreatesAndReplacesWithoutLeavingTemporaries) {
    test::TempDir dir;
    const std::string path = dir.file("out.imd");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "first", &error)) << error;
    EXPECT_EQ(test::ReadFile(path), "first");

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);

    ASSERT_TRUE(WriteFileAtomically(path, std::string("second\0with zero", 16), &error)) << error;
    EXPECT_EQ(test::ReadFile(path), std::string("second\0with zero", 16));
    ASSERT_TRUE(WriteFileAtomically(path, "", &error)) << error;
    EXPECT_EQ(test::ReadFile(path), "");
    EXPECT_EQ(EntryCount(dir.path()), 1);
}

TEST(AtomicFileTest, FailureLeavesTargetAndFolderAsTheyWere) {
    test::TempDir dir;
    // A directory in the target's place: the rename fails.
    const std::string blocked = dir.file("blocked.imd");
    fs::create_directory(blocked);
    test::WriteFile(blocked + "/inside", "old");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(blocked, "new", &error));
    EXPECT_EQ(error, blocked + ": Is a directory");
    EXPECT_EQ(test::ReadFile(blocked + "/inside"), "old");
    EXPECT_EQ(EntryCount(dir.path()), 1);

    const std::string missing = dir.file("no/such/folder.imd");
    EXPECT_FALSE(WriteFileAtomically(missing, "new", &error));
    EXPECT_EQ(error, missing + ": No such file or directory");
    EXPECT_FALSE(WriteFileAtomically(missing, "new"));  // error is optional
}

}  // namespace
}  // namespace korvo
