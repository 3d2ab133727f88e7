// Nodes through a whole export, read back from the model file.

#include <gtest/gtest.h>

#include "pipeline/driver.h"
#include "host/memory/prs.h"
#include "support/test_host.h"

namespace korvo {
namespace {

std::string NodeArray(const std::string& model) {
    const std::size_t start = model.find("\n<node_array");
    const std::size_t end = model.find("</node_array>\n");
    if (start == std::string::npos || end == std::string::npos) return {};
    return model.substr(start, end + 14 - start);
}

TEST(NodeExportTest, WritesTheFilteredHierarchyInNameOrder) {
    test::TempDir config, out;
    test::TestHost host(config.path().string());
    MemoryScene& scene = host.scene;
    scene.end_frame = 2;
    MemoryNode& b = scene.AddNode(nullptr, "b");
    b.position = Track<Point3>::Constant({1, 2, 3});
    MemoryNode& turned = scene.AddNode(&b, "b c");
    turned.rotation = Track<Quat>::Constant(EulerDegreesToQuat({0, 0, 90}));
    turned.user_properties = "Kvs_billboard = Billboard";
    MemoryNode& a = scene.AddNode(nullptr, "a");
    a.hidden = true;
    a.user_properties = "Kvs_billboard = Y-Billboard";
    a.visibility = Track<float>::Constant(0.0f);
    scene.AddNode(&a, "leaf").kind = ObjectKind::Bone;
    scene.AddNode(nullptr, "hidden leaf").hidden = true;
    scene.AddNode(nullptr, "target").kind = ObjectKind::Target;
    scene.Link();

    ProcessState process;
    KorvoExporter exporter(host, process);
    exporter.run_overrides = [&](ExportSettings& run) {
        run.output_file_name = "nodes";
        run.output_folder = out.path().string();
    };
    ASSERT_EQ(exporter.DoExport("ignored.imd", true, kExportFromScript), 1);

    const auto node = [](int index, const char* name, const char* kind, const char* links, const char* billboard,
                         const char* rotate, const char* translate, const char* visibility) {
        return std::string("\t<node index=\"") + std::to_string(index) + "\" name=\"" + name + "\" kind=\"" + kind +
               "\"\n" + links + "\t\tdraw_mtx=\"on\"\n\t\tbillboard=\"" + billboard +
               "\"\n\t\tscale=\"1.000000 1.000000 1.000000\"\n\t\trotate=\"" + rotate + "\"\n\t\ttranslate=\"" +
               translate + "\"\n\t\tvisibility=\"" + visibility + "\"\n\t\tdisplay_size=\"0\"\n\t>\n\t</node>\n";
    };
    const std::string zero = "0.000000 0.000000 0.000000";
    // Two top-level nodes get a common world root at index 0.
    const std::string expected =
        "\n<node_array size=\"5\">\n" +
        node(0, "world_root", "null",
             "\t\tparent=\"-1\"\n\t\tchild=\"1\"\n\t\tbrother_next=\"-1\"\n\t\tbrother_prev=\"-1\"\n", "off", zero.c_str(),
             zero.c_str(), "on") +
        node(1, "a", "null", "\t\tparent=\"0\"\n\t\tchild=\"2\"\n\t\tbrother_next=\"3\"\n\t\tbrother_prev=\"-1\"\n",
             "y_on", zero.c_str(), zero.c_str(), "off") +
        node(2, "leaf", "joint",
             "\t\tparent=\"1\"\n\t\tchild=\"-1\"\n\t\tbrother_next=\"-1\"\n\t\tbrother_prev=\"-1\"\n", "off", zero.c_str(), zero.c_str(), "on") +
        node(3, "b", "null", "\t\tparent=\"0\"\n\t\tchild=\"4\"\n\t\tbrother_next=\"-1\"\n\t\tbrother_prev=\"1\"\n",
             "off", zero.c_str(), "1.000000 3.000000 -2.000000", "on") +
        node(4, "b_c", "null", "\t\tparent=\"3\"\n\t\tchild=\"-1\"\n\t\tbrother_next=\"-1\"\n\t\tbrother_prev=\"-1\"\n",
             "on", "0.000000 90.000000 0.000000", zero.c_str(), "on") +
        "</node_array>\n";
    EXPECT_EQ(NodeArray(test::ReadFile(out.file("nodes.imd"))), expected);
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace korvo
