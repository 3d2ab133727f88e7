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

using WriterFunction = bool (*)(ExportScene&, const ExportOptions&, const std::string&, const Provenance&);

struct KindCase {
    WriterFunction write;
    const char* root;
    const char* title;
};

// The model file always has sections; its frame is checked on its own below.
const KindCase kEmptyBodyKinds[] = {
    {WriteCharacterAnimationFile, "ica", "Character Animation Data for OSTRAVEN KORVO-System"},
    {WriteVisibilityAnimationFile, "iva", "Visibility Animation Data for OSTRAVEN KORVO-System"},
    {WriteMaterialColorAnimationFile, "ima", "Material Color Animation Data for OSTRAVEN KORVO-System"},
    {WriteTexturePatternAnimationFile, "itp", "Texture Pattern Animation Data for OSTRAVEN KORVO-System"},
    {WriteTextureSrtAnimationFile, "ita", "Texture SRT Animation Data for OSTRAVEN KORVO-System"},
};

TEST(FileFrameTest, EveryKindWritesItsFrame) {
    test::TempDir dir;
    for (const KindCase& c : kEmptyBodyKinds) {
        SCOPED_TRACE(c.root);
        ExportScene scene;
        const std::string path = dir.file(std::string("robot.") + c.root);
        test::WriteFile(path, "an older file is replaced");
        ASSERT_TRUE(c.write(scene, {}, path, FixedProvenance("robot.max")));
        EXPECT_EQ(test::ReadFile(path), ExpectedFrame(c.root, c.title, "robot.max"));
        EXPECT_TRUE(scene.messages.empty());
    }
    ExportScene scene;
    const std::string model_path = dir.file("robot.imd");
    ASSERT_TRUE(WriteModelFile(scene, {}, model_path, FixedProvenance("robot.max")));
    const std::string model = test::ReadFile(model_path);
    const std::string head = test::FrameHead("imd", "Model Data for OSTRAVEN KORVO-System", "robot.max");
    EXPECT_EQ(model.substr(0, head.size()), head);
    EXPECT_EQ(model.substr(model.size() - test::FrameClose("imd").size()), test::FrameClose("imd"));

    const std::string untitled = dir.file("untitled.ica");
    ASSERT_TRUE(WriteCharacterAnimationFile(scene, {}, untitled, FixedProvenance("")));
    EXPECT_EQ(test::ReadFile(untitled),
              ExpectedFrame("ica", "Character Animation Data for OSTRAVEN KORVO-System", "untitled"));
    EXPECT_EQ(FormatProvenanceDate(LocalTime{2009, 7, 8, 4, 5, 0}), "2009-07-08T04:05:00");
}

TEST(FileFrameTest, WritesShiftJisAndReplacesWhatItCannotHold) {
    test::TempDir dir;
    ExportScene scene;
    const std::string path = dir.file("jp.imd");
    // Source ロボ①.max: katakana and a Windows-only circled digit.
    ASSERT_TRUE(WriteModelFile(scene, {}, path, FixedProvenance("\xE3\x83\xAD\xE3\x83\x9C\xE2\x91\xA0.max")));
    EXPECT_TRUE(test::Contains(test::ReadFile(path), "source=\"\x83\x8D\x83\x7B\x87\x40.max\"/>"));
    EXPECT_TRUE(scene.messages.empty());

    // "é" has no Shift_JIS form: each occurrence (create and original_create)
    // becomes "?", with one warning for the file.
    const std::string accented = dir.file("accented.iva");
    ASSERT_TRUE(WriteVisibilityAnimationFile(scene, {}, accented, FixedProvenance("caf\xC3\xA9.max")));
    EXPECT_EQ(test::ReadFile(accented),
              ExpectedFrame("iva", "Visibility Animation Data for OSTRAVEN KORVO-System", "caf?.max"));
    EXPECT_EQ(scene.messages, std::vector<std::string>{
                                  "Warning: Characters that Shift_JIS cannot hold were written as \"?\". " + accented});
}

TEST(FileFrameTest, ReadOnlyOrUnwritableTargetsAreLeftAlone) {
    test::TempDir dir;
    ExportScene scene;
    const std::string read_only = dir.file("locked.imd");
    test::WriteFile(read_only, "old model");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteModelFile(scene, {}, read_only, FixedProvenance("a.max")));
    EXPECT_EQ(test::ReadFile(read_only), "old model");

    // A directory where the file should go: the write itself fails.
    const std::string blocked = dir.file("blocked.ita");
    fs::create_directory(blocked);
    EXPECT_FALSE(WriteTextureSrtAnimationFile(scene, {}, blocked, FixedProvenance("a.max")));
    EXPECT_TRUE(fs::is_directory(blocked));

    EXPECT_EQ(scene.messages, (std::vector<std::string>{"Warning: Can't write to read-only file. " + read_only,
                                                        "Warning: Can't write file. " + blocked + ": Is a directory"}));
    // Nothing but the two targets: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace korvo
