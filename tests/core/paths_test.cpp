#include "core/paths.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(PathsTest, SplitsJoinsAndSwapsExtensions) {
    EXPECT_EQ(ToForwardSlashes("C:\\work\\out/x"), "C:/work/out/x");

    EXPECT_EQ(FileNamePart("C:\\work/scene.imd"), "scene.imd");
    EXPECT_EQ(FileNamePart("scene.imd"), "scene.imd");
    EXPECT_EQ(FolderPart("C:\\work\\scene.imd"), "C:\\work");
    EXPECT_EQ(FolderPart("/out/scene.imd"), "/out");
    EXPECT_EQ(FolderPart("scene.imd"), "");

    EXPECT_EQ(JoinPath("", "scene.imd"), "scene.imd");
    EXPECT_EQ(JoinPath("out", "scene.imd"), "out/scene.imd");
    EXPECT_EQ(JoinPath("/", "scene.imd"), "/scene.imd");

    EXPECT_EQ(ReplaceExtension("out/scene.imd", "ica"), "out/scene.ica");
    EXPECT_EQ(ReplaceExtension("out.v2/scene", "isd"), "out.v2/scene.isd");
    EXPECT_EQ(ReplaceExtension("a.b.imd", "itp"), "a.b.itp");
}

}  // namespace
}  // namespace korvo
