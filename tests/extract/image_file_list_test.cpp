#include "extract/image_file_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/text_encoding.h"
#include "support/test_support.h"

namespace korvo {
namespace {

using Entries = std::vector<std::pair<std::string, int32_t>>;

Entries EntriesOf(const ImageFileList& list) {
    Entries entries;
    for (const ImageFileListEntry& entry : list.entries) entries.emplace_back(entry.name, entry.frames);
    return entries;
}

TEST(ImageFileList, LinesGiveNamesAndFrameCounts) {
    const ImageFileList list = ParseImageFileList(
        "; comment\n# another\n\n \t\nwalk01.tga 3\n\twalk02.tga\t \r\nC:\\my maps\\walk 03.tga   12\r\n"
        "  spaced name.tga\nlast.tga 0");
    EXPECT_FALSE(list.malformed);
    EXPECT_EQ(EntriesOf(list), (Entries{{"walk01.tga", 3}, {"walk02.tga", 1}, {"C:\\my maps\\walk 03.tga", 12},
                                        {"spaced name.tga", 1}, {"last.tga", 0}}));

    for (const char* bad : {"a.tga\n42\n", "a.tga 1x2", "a.tga 99999999999", "\t7"}) {
        EXPECT_TRUE(ParseImageFileList(bad).malformed) << bad;
    }
    EXPECT_EQ(EntriesOf(ParseImageFileList("a.tga 2147483647")), (Entries{{"a.tga", 2147483647}}));

    // A line longer than 519 characters is read in pieces.
    const std::string long_name(600, 'x');
    EXPECT_EQ(EntriesOf(ParseImageFileList(long_name)),
              (Entries{{std::string(519, 'x'), 1}, {std::string(81, 'x'), 1}}));
}

TEST(ImageFileList, FilesAreCountedDecodedAndTheirEntriesFound) {
    test::TempDir dir;
    const auto folder = [&dir](const std::string& name) {
        std::filesystem::create_directories(dir.path() / name);
        return (dir.path() / name).string();
    };
    const std::string lists = folder("lists"), scenes = folder("scenes"), project = folder("project"),
                      maps1 = folder("maps1"), maps2 = folder("maps2");
    test::WriteFile(lists + "/anim.ifl", "beside.tga\n\x83\x65\x83\x58\x83\x67.tga 2\n");
    EXPECT_EQ(CountImageFileList(lists + "/anim.ifl"), 2);
    EXPECT_EQ(ReadImageFileListText(lists + "\\anim.ifl").value_or(""), "beside.tga\nテスト.tga 2\n");
    EXPECT_EQ(CountImageFileList(lists + "/missing.ifl"), -1);
    EXPECT_EQ(CountImageFileList(lists), -1);
    test::WriteFile(lists + "/bad.ifl", "a.tga\n5\n");
    EXPECT_EQ(CountImageFileList(lists + "/bad.ifl"), -1);

    for (const std::string& file : {lists + "/beside.tga", project + "/in_project.tga", scenes + "/in_scene.tga",
                                    maps2 + "/in_maps.tga", maps1 + "/both.tga", maps2 + "/both.tga"}) {
        test::WriteFile(file, "x");
    }
    const TextureSearch search{project, scenes + "/hero.max", {maps1, maps2}};
    const std::string list = lists + "\\anim.ifl";
    const auto find = [&](const std::string& entry) { return FindImageFileListEntry(search, list, entry); };
    EXPECT_EQ(find(lists + "/beside.tga"), lists + "/beside.tga");
    EXPECT_EQ(find("elsewhere\\beside.tga"), lists + "\\beside.tga");
    EXPECT_EQ(find("in_project.tga"), project + "\\in_project.tga");
    EXPECT_EQ(find("in_scene.tga"), scenes + "\\in_scene.tga");
    EXPECT_EQ(find("sub\\in_maps.tga"), maps2 + "\\in_maps.tga");
    EXPECT_EQ(find("both.tga"), maps1 + "\\both.tga");
    EXPECT_EQ(find("nowhere.tga"), "");
}

// Random edits of a valid list: parsing never fails hard and every entry
// comes from the text.
TEST(ImageFileList, DamagedListsAreParsedSafely) {
    const std::string valid = "; frames\nwalk01.tga 3\n\twalk02.tga\r\n# x\nwalk03.tga 12\n";
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string text = valid.substr(0, random() % (valid.size() + 1));
        const int edits = static_cast<int>(random() % 6);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            text[random() % text.size()] = static_cast<char>(random() % 256);
        }
        if (round % 7 == 0) text.insert(random() % (text.size() + 1), std::string(random() % 2000, '9'));
        const ImageFileList list = ParseImageFileList(DecodeInputText(text));
        for (const ImageFileListEntry& entry : list.entries) {
            EXPECT_LE(entry.name.size(), kImageFileListLineLength);
            EXPECT_GE(entry.frames, 0);
        }
    }
}

}  // namespace
}  // namespace korvo
