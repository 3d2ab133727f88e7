#include "app/cli.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "support/test_support.h"

namespace korvo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class CliTest : public ::testing::Test {
protected:
    CliTest() { ::setenv("KORVO_EXPORT_CONFIG_DIR", config.path().c_str(), 1); }
    ~CliTest() override { ::unsetenv("KORVO_EXPORT_CONFIG_DIR"); }

    int Run(std::vector<std::string> args, Terminal terminal = {}) {
        args.insert(args.begin(), "korvo-export");
        std::vector<const char*> argv;
        for (const std::string& arg : args) argv.push_back(arg.c_str());
        out.str("");
        err.str("");
        return RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err, terminal);
    }

    // Every line of stderr, for checking that each error is one line.
    std::vector<std::string> ErrorLines() const {
        std::vector<std::string> lines;
        std::istringstream text(err.str());
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

    const std::string example = test::SourcePath("examples/simple.json");
    TempDir config, out_dir;
    std::istringstream in;
    std::ostringstream out, err;
};

TEST_F(CliTest, HelpExplainsWithExamples) {
    EXPECT_EQ(Run({"--help"}), kExitSuccess);
    EXPECT_NE(out.str().find("Examples:"), std::string::npos);
    EXPECT_NE(out.str().find("export"), std::string::npos);
    EXPECT_EQ(Run({"export", "--help"}), kExitSuccess);
    EXPECT_NE(out.str().find("--select"), std::string::npos);
}

TEST_F(CliTest, UsageErrorsAreOneLineAndExitTwo) {
    EXPECT_EQ(Run({}), kExitUsage);
    EXPECT_EQ(Run({"export"}), kExitUsage);
    EXPECT_EQ(Run({"export", example, "--bogus"}), kExitUsage);
    EXPECT_EQ(ErrorLines().front().rfind("korvo-export: ", 0), 0u);
}

TEST_F(CliTest, ExportsTheExampleAndSaysWhereTheFilesWent) {
    const std::string model = out_dir.file("simple.imd");
    ASSERT_EQ(Run({"export", example, "-o", model, "--set", "output_iva=on"}), kExitSuccess) << err.str();
    EXPECT_TRUE(test::Contains(out.str(), "\nWarning: output_iva=\"on\" is not available yet; no visibility animation "
                                          "file (.iva) is written.\n"));
    EXPECT_TRUE(test::Contains(out.str(), "\n\n\nwrote " + model + "\n"));
    EXPECT_FALSE(std::filesystem::exists(out_dir.file("simple.iva")));
    EXPECT_EQ(ReadFile(model).rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(config.file("max.k3es"))) << "the configuration folder is used";
}

TEST_F(CliTest, CreatesTheOutputFolder) {
    const std::string model = out_dir.file("deep/er/model.imd");
    ASSERT_EQ(Run({"export", example, "-o", model, "--quiet"}), kExitSuccess) << err.str();
    EXPECT_TRUE(std::filesystem::exists(model));
    EXPECT_EQ(out.str(), "") << "quiet prints nothing";
}

TEST_F(CliTest, RefusesBadInputBeforeWritingAnything) {
    const std::string model = out_dir.file("m.imd");
    EXPECT_EQ(Run({"export", example, "-o", model, "--set", "output_icx=on"}), kExitUsage);
    EXPECT_NE(err.str().find("output_ica"), std::string::npos) << "lists the valid keys: " << err.str();
    EXPECT_EQ(Run({"export", example, "-o", model, "--set", "compress_node=squash"}), kExitUsage);
    EXPECT_NE(err.str().find("unite_combine"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"export", example, "-o", model, "--select", "NoSuchNode"}), kExitUsage);
    EXPECT_NE(err.str().find("NoSuchNode"), std::string::npos);
    EXPECT_EQ(Run({"export", example, "-o", out_dir.file("m.txt")}), kExitUsage);
    EXPECT_EQ(Run({"export", example, "-o", model, "--settings", out_dir.file("missing.k3es")}), kExitUsage);

    const std::string broken = out_dir.file("broken.json");
    WriteFile(broken, "{\"nodes\": [");
    EXPECT_EQ(Run({"export", broken, "-o", model}), kExitUsage);
    EXPECT_EQ(ErrorLines().size(), 1u) << err.str();
    EXPECT_NE(err.str().find("broken.json"), std::string::npos);

    EXPECT_EQ(Run({"export", out_dir.file("absent.json"), "-o", model}), kExitUsage);
    EXPECT_NE(err.str().find("absent.json"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(model));
}

TEST_F(CliTest, NeverReplacesAFileUnaskedWithoutATerminal) {
    const std::string model = out_dir.file("m.imd");
    WriteFile(model, "keep me");
    EXPECT_EQ(Run({"export", example, "-o", model}), kExitExportFailed);
    EXPECT_EQ(ReadFile(model), "keep me");
    EXPECT_NE(err.str().find("--yes"), std::string::npos);

    EXPECT_EQ(Run({"export", example, "-o", model, "--yes"}), kExitSuccess) << err.str();
    EXPECT_NE(ReadFile(model), "keep me");

    WriteFile(model, "keep me");
    in.str("n\n");
    in.clear();
    EXPECT_EQ(Run({"export", example, "-o", model}, Terminal{true, true}), kExitSuccess) << err.str();
    EXPECT_EQ(ReadFile(model), "keep me") << "answered No on the terminal";
    EXPECT_NE(err.str().find("already exists."), std::string::npos);
}

}  // namespace
}  // namespace korvo
