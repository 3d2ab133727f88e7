#include "writers/file_frame.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/export_scene.h"
#include "support/test_support.h"
#include "writers/file_writers.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

Provenance FixedProvenance(std::string source) {
    return {"artist", "STUDIO-PC", "2009-07-08T14:05:09", std::move(source)};
}

// An empty file of one kind, as the frame alone writes it.
std::string ExpectedFrame(const std::string& root, const std::string& title, const std::string& source) {
    const std::string create =
        "user=\"artist\" host=\"STUDIO-PC\" date=\"2009-07-08T14:05:09\" source=\"" + source + "\"/>\n";
    const std::string generator = "name=\"3dsmax 2010 KVS_Export\" version=\"1.6.0.20090708\"/>\n";
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
           "\n<" + root + " version=\"1.6.0\">\n"
           "\n<head>\n"
           "\t<create " + create +
           "\t<title>" + title + "</title>\n"
           "\t<generator " + generator +
           "</head>\n"
           "\n<body>\n\n"
           "<original_create " + create +
           "<original_generator " + generator +
           "\n</body>\n"
           "\n</" + root + ">\n";
}

using WriterFunction = bool (*)(ExportScene&, const std::string&, const Provenance&);

struct KindCase {
    WriterFunction write;
    FileKind kind;
    const char* root;
    const char* title;
};

// The model file always has sections; its frame is checked on its own below.
const KindCase kEmptyBodyKinds[] = {
    {WriteCharacterAnimationFile, FileKind::CharacterAnimation, "ica",
     "Character Animation Data for OSTRAVEN KORVO-System"},
    {WriteVisibilityAnimationFile, FileKind::VisibilityAnimation, "iva",
     "Visibility Animation Data for OSTRAVEN KORVO-System"},
    {WriteMaterialColorAnimationFile, FileKind::MaterialColorAnimation, "ima",
     "Material Color Animation Data for OSTRAVEN KORVO-System"},
    {WriteTexturePatternAnimationFile, FileKind::TexturePatternAnimation, "itp",
     "Texture Pattern Animation Data for OSTRAVEN KORVO-System"},
    {WriteTextureSrtAnimationFile, FileKind::TextureSrtAnimation, "ita",
     "Texture SRT Animation Data for OSTRAVEN KORVO-System"},
};

TEST(FileFrameTest, EveryKindWritesItsFrame) {
    test::TempDir dir;
    for (const KindCase& c : kEmptyBodyKinds) {
        SCOPED_TRACE(c.root);
        EXPECT_STREQ(KindInfo(c.kind).root, c.root);
        EXPECT_STREQ(KindInfo(c.kind).version, "1.6.0");
        EXPECT_STREQ(KindInfo(c.kind).title, c.title);

        ExportScene scene;
        const std::string path = dir.file(std::string("robot.") + c.root);
        ASSERT_TRUE(c.write(scene, path, FixedProvenance("robot.max")));
        EXPECT_EQ(test::ReadFile(path), ExpectedFrame(c.root, c.title, "robot.max"));
        EXPECT_TRUE(scene.messages.empty());
    }
    EXPECT_STREQ(KindInfo(FileKind::Model).root, "imd");
    EXPECT_STREQ(KindInfo(FileKind::Model).title, "Model Data for OSTRAVEN KORVO-System");
    ExportScene scene;
    const std::string model_path = dir.file("robot.imd");
    ASSERT_TRUE(WriteModelFile(scene, model_path, FixedProvenance("robot.max")));
    const std::string model = test::ReadFile(model_path);
    const std::string frame = ExpectedFrame("imd", "Model Data for OSTRAVEN KORVO-System", "robot.max");
    const std::string close = "\n</body>\n\n</imd>\n";
    const std::string head = frame.substr(0, frame.size() - close.size());
    EXPECT_EQ(model.substr(0, head.size()), head);
    EXPECT_EQ(model.substr(model.size() - close.size()), close);
    EXPECT_STREQ(KindInfo(FileKind::SceneData).root, "isd");
    EXPECT_STREQ(KindInfo(FileKind::SceneData).title, "Scene Data for OSTRAVEN KORVO-System");
}

TEST(FileFrameTest, EmptySourceIsWrittenAsUntitled) {
    test::TempDir dir;
    ExportScene scene;
    const std::string path = dir.file("x.ica");
    ASSERT_TRUE(WriteCharacterAnimationFile(scene, path, FixedProvenance("")));
    EXPECT_EQ(test::ReadFile(path),
              ExpectedFrame("ica", "Character Animation Data for OSTRAVEN KORVO-System", "untitled"));
}

TEST(FileFrameTest, FormatsTheDate) {
    EXPECT_EQ(FormatProvenanceDate(LocalTime{2009, 7, 8, 14, 5, 9}), "2009-07-08T14:05:09");
    EXPECT_EQ(FormatProvenanceDate(LocalTime{2010, 12, 31, 23, 59, 0}), "2010-12-31T23:59:00");
}

TEST(FileFrameTest, WritesShiftJisAndReplacesWhatItCannotHold) {
    test::TempDir dir;
    ExportScene scene;
    const std::string path = dir.file("jp.imd");
    // Source ロボ①.max: katakana and a Windows-only circled digit.
    ASSERT_TRUE(WriteModelFile(scene, path, FixedProvenance("\xE3\x83\xAD\xE3\x83\x9C\xE2\x91\xA0.max")));
    const std::string bytes = test::ReadFile(path);
    EXPECT_NE(bytes.find("source=\"\x83\x8D\x83\x7B\x87\x40.max\"/>"), std::string::npos);
    EXPECT_TRUE(scene.messages.empty());

    // "é" has no Shift_JIS form: each occurrence (create and original_create)
    // becomes "?", with one warning for the file.
    const std::string accented = dir.file("accented.iva");
    ASSERT_TRUE(WriteVisibilityAnimationFile(scene, accented, FixedProvenance("caf\xC3\xA9.max")));
    EXPECT_EQ(test::ReadFile(accented),
              ExpectedFrame("iva", "Visibility Animation Data for OSTRAVEN KORVO-System", "caf?.max"));
    ASSERT_EQ(scene.messages.size(), 1u);
    EXPECT_EQ(scene.messages[0], "Warning: Characters that Shift_JIS cannot hold were written as \"?\". " + accented);
}

TEST(FileFrameTest, ReadOnlyOrUnwritableTargetsAreLeftAlone) {
    test::TempDir dir;
    ExportScene scene;

    const std::string read_only = dir.file("locked.imd");
    test::WriteFile(read_only, "old model");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteModelFile(scene, read_only, FixedProvenance("a.max")));
    EXPECT_EQ(test::ReadFile(read_only), "old model");

    // A directory where the file should go: the write itself fails.
    const std::string blocked = dir.file("blocked.ita");
    fs::create_directory(blocked);
    EXPECT_FALSE(WriteTextureSrtAnimationFile(scene, blocked, FixedProvenance("a.max")));
    EXPECT_TRUE(fs::is_directory(blocked));

    ASSERT_EQ(scene.messages.size(), 2u);
    EXPECT_EQ(scene.messages[0], "Warning: Can't write to read-only file. " + read_only);
    EXPECT_EQ(scene.messages[1], "Warning: Can't write file. " + blocked + ": Is a directory");
    // Nothing but the two targets: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(FileFrameTest, ReplacesAnExistingWritableFile) {
    test::TempDir dir;
    ExportScene scene;
    const std::string path = dir.file("old.itp");
    test::WriteFile(path, "old pattern file");
    ASSERT_TRUE(WriteTexturePatternAnimationFile(scene, path, FixedProvenance("a.max")));
    EXPECT_EQ(test::ReadFile(path),
              ExpectedFrame("itp", "Texture Pattern Animation Data for OSTRAVEN KORVO-System", "a.max"));
}

}  // namespace
}  // namespace korvo
