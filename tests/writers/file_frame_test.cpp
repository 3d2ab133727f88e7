#include "writers/file_frame.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model_test_scene.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

using test::FixedProvenance;

// An empty file of one kind, as the frame alone writes it.
std::string ExpectedFrame(const std::string& root, const std::string& title, const std::string& source) {
    return test::FrameHead(root, title, source) + test::FrameClose(root);
}

struct KindCase {
    FileKind kind;
    const char* root;
    const char* title;
};

const KindCase kKinds[] = {
    {FileKind::Model, "imd", "Model Data for OSTRAVEN KORVO-System"},
    {FileKind::CharacterAnimation, "ica", "Character Animation Data for OSTRAVEN KORVO-System"},
    {FileKind::VisibilityAnimation, "iva", "Visibility Animation Data for OSTRAVEN KORVO-System"},
    {FileKind::MaterialColorAnimation, "ima", "Material Color Animation Data for OSTRAVEN KORVO-System"},
    {FileKind::TexturePatternAnimation, "itp", "Texture Pattern Animation Data for OSTRAVEN KORVO-System"},
    {FileKind::TextureSrtAnimation, "ita", "Texture SRT Animation Data for OSTRAVEN KORVO-System"},
    {FileKind::SceneData, "isd", "Scene Data for OSTRAVEN KORVO-System"},
};

const BodyWriter kEmptyBody = [](TextWriter&) { return true; };

TEST(FileFrameTest, EveryKindWritesItsFrame) {
    test::TempDir dir;
    test::Reports reports;
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.root);
        const std::string path = dir.file(std::string("robot.") + c.root);
        test::WriteFile(path, "an older file is replaced");
        ASSERT_TRUE(WriteFramedFile(reports.diagnostics, path, c.kind, FixedProvenance("robot.max"), kEmptyBody));
        EXPECT_EQ(test::ReadFile(path), ExpectedFrame(c.root, c.title, "robot.max"));
    }
    EXPECT_EQ(FramedText(FileKind::CharacterAnimation, FixedProvenance(""), kEmptyBody),
              ExpectedFrame("ica", "Character Animation Data for OSTRAVEN KORVO-System", "untitled"));
    EXPECT_EQ(FramedText(FileKind::Model, FixedProvenance(""), [](TextWriter&) { return false; }), std::nullopt)
        << "a failed body writes no text";
    EXPECT_TRUE(reports.all.empty());
    EXPECT_EQ(FormatProvenanceDate(LocalTime{2009, 7, 8, 4, 5, 0}), "2009-07-08T04:05:00");
}

TEST(FileFrameTest, WritesShiftJisAndReplacesWhatItCannotHold) {
    test::TempDir dir;
    test::Reports reports;
    const std::string path = dir.file("jp.imd");
    // Source ロボ①.max: katakana and a Windows-only circled digit.
    ASSERT_TRUE(WriteFramedFile(reports.diagnostics, path, FileKind::Model,
                                FixedProvenance("\xE3\x83\xAD\xE3\x83\x9C\xE2\x91\xA0.max"), kEmptyBody));
    EXPECT_TRUE(test::Contains(test::ReadFile(path), "source=\"\x83\x8D\x83\x7B\x87\x40.max\"/>"));
    EXPECT_TRUE(reports.all.empty());

    // "é" has no Shift_JIS form: each occurrence (create and original_create)
    // becomes "?", with one warning for the file.
    const std::string accented = dir.file("accented.iva");
    ASSERT_TRUE(WriteFramedFile(reports.diagnostics, accented, FileKind::VisibilityAnimation,
                                FixedProvenance("caf\xC3\xA9.max"), kEmptyBody));
    EXPECT_EQ(test::ReadFile(accented),
              ExpectedFrame("iva", "Visibility Animation Data for OSTRAVEN KORVO-System", "caf?.max"));
    EXPECT_EQ(
        reports.Warnings(),
        std::vector<std::string>{"Warning: Characters that Shift_JIS cannot hold were written as \"?\". " + accented});
}

TEST(FileFrameTest, ReadOnlyOrUnwritableTargetsAreLeftAlone) {
    test::TempDir dir;
    test::Reports reports;
    const std::string read_only = dir.file("locked.imd");
    test::WriteFile(read_only, "old model");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    bool body_written = false;
    EXPECT_FALSE(WriteFramedFile(reports.diagnostics, read_only, FileKind::Model, FixedProvenance("a.max"),
                                 [&](TextWriter&) { return body_written = true; }));
    EXPECT_FALSE(body_written) << "a read-only target is not even written in memory";
    EXPECT_EQ(test::ReadFile(read_only), "old model");

    // A directory where the file should go: the write itself fails.
    const std::string blocked = dir.file("blocked.ita");
    fs::create_directory(blocked);
    EXPECT_FALSE(WriteFramedFile(reports.diagnostics, blocked, FileKind::TextureSrtAnimation, FixedProvenance("a.max"),
                                 kEmptyBody));
    EXPECT_TRUE(fs::is_directory(blocked));

    EXPECT_EQ(reports.Warnings(),
              (std::vector<std::string>{"Warning: Can't write to read-only file. " + read_only,
                                        "Warning: Can't write file. " + blocked + ": Is a directory"}));
    // Nothing but the two targets: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace korvo
