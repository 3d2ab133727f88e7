#pragma once
// The command-line program playing the host: the scene comes from a scene
// document, the listener is stdout, message boxes are lines on stderr,
// progress is one updating line on stderr when stderr is a terminal.

#include <iosfwd>
#include <memory>
#include <string>

#include "host/host.h"

namespace korvo {

struct ConsoleOptions {
    bool quiet = false;            // no log, no progress; errors still go to stderr
    bool assume_yes = false;       // answer every overwrite question with Yes To All
    bool progress_line = false;    // stderr is a terminal
    bool can_ask = false;          // stdin and stderr are terminals
    std::string config_dir;        // the plug-in configuration folder
};

class ConsoleHost : public Host {
public:
    ConsoleHost(ConsoleOptions options, std::istream& in, std::ostream& out, std::ostream& err);
    ~ConsoleHost() override;

    void SetScene(std::unique_ptr<HostScene> scene);
    bool HasScene() const { return scene_ != nullptr; }

    // How many message boxes were shown: each is an error the user must see.
    int ErrorCount() const { return error_count_; }
    // An existing file was not overwritten because nobody could be asked.
    bool RefusedOverwrite() const { return refused_overwrite_; }

    HostScene& Scene() override;
    bool LoadScene(const std::string& path) override;
    bool RunScript(const std::string& text) override;
    std::string PluginConfigDir() const override;

    void ProgressStart(const std::string& title) override;
    void ProgressUpdate(int percent, bool show_percent, const std::string& text) override;
    void ProgressEnd() override;
    bool CancelRequested() override { return false; }
    void ClearCancel() override {}

    void MessageBox(const std::string& text, const std::string& caption, MessageStyle style) override;
    void ListenerPrint(const std::string& text) override;
    void ListenerShow() override {}
    LocalTime Now() const override;

    OverwriteAnswer AskOverwrite(const std::string& path) override;
    std::string UserName() const override;
    std::string ComputerName() const override;
    std::optional<std::string> Environment(const std::string& name) const override;
    int RunCommand(const std::string& command_line) override;

private:
    void ClearProgressLine();

    ConsoleOptions options_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<HostScene> scene_;
    int error_count_ = 0;
    bool refused_overwrite_ = false;
    bool progress_shown_ = false;
    std::string progress_title_;
};

// The plug-in configuration folder: $KORVO_EXPORT_CONFIG_DIR, else
// $XDG_CONFIG_HOME/korvo-export, else ~/.config/korvo-export.
std::string DefaultConfigDir();

}  // namespace korvo
