#pragma once
// A host for driver and pipeline tests: a memory scene, a configuration
// folder of its own, scripted answers to the overwrite question, and
// fixed user, computer and time.

#include <deque>
#include <memory>

#include "host/host.h"
#include "host/memory/memory_scene.h"
#include "support/test_support.h"

namespace korvo::test {

class TestHost : public Recording<Host> {
public:
    explicit TestHost(std::string config_dir) : config_dir_(std::move(config_dir)) {}

    MemoryScene scene;
    std::deque<OverwriteAnswer> overwrite_answers;  // Yes when empty
    std::vector<std::string> asked_overwrite;
    std::vector<std::string> commands;

    HostScene& Scene() override { return scene; }
    bool LoadScene(const std::string&) override { return false; }
    bool RunScript(const std::string&) override { return false; }
    std::string PluginConfigDir() const override { return config_dir_; }
    OverwriteAnswer AskOverwrite(const std::string& path) override {
        asked_overwrite.push_back(path);
        if (overwrite_answers.empty()) return OverwriteAnswer::Yes;
        const OverwriteAnswer answer = overwrite_answers.front();
        overwrite_answers.pop_front();
        return answer;
    }
    std::string UserName() const override { return "artist"; }
    std::string ComputerName() const override { return "STUDIO-PC"; }
    std::optional<std::string> Environment(const std::string&) const override { return std::nullopt; }
    int RunCommand(const std::string& command_line) override {
        commands.push_back(command_line);
        return 0;
    }

private:
    std::string config_dir_;
};

}  // namespace korvo::test
