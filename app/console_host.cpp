#include "app/console_host.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <pwd.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "host/document/scene_document.h"

namespace korvo {

std::string DefaultConfigDir() {
    if (const char* dir = std::getenv("KORVO_EXPORT_CONFIG_DIR"); dir && *dir) return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return std::string(xdg) + "/korvo-export";
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config/korvo-export";
    return ".korvo-export";
}

ConsoleHost::ConsoleHost(ConsoleOptions options, std::istream& in, std::ostream& out, std::ostream& err)
    : options_(std::move(options)), in_(in), out_(out), err_(err) {}

ConsoleHost::~ConsoleHost() { ClearProgressLine(); }

void ConsoleHost::SetScene(std::unique_ptr<HostScene> scene) { scene_ = std::move(scene); }

HostScene& ConsoleHost::Scene() {
    if (!scene_) throw std::logic_error("no scene loaded");
    return *scene_;
}

bool ConsoleHost::LoadScene(const std::string& path) {
    std::string error;
    auto scene = LoadSceneDocument(path, &error);
    if (!scene) {
        MessageBox(error, "Can't load scene", MessageStyle::Error);
        return false;
    }
    scene_ = std::move(scene);
    return true;
}

bool ConsoleHost::RunScript(const std::string&) {
    // There is no script engine outside the desktop package.
    return false;
}

std::string ConsoleHost::PluginConfigDir() const {
    std::error_code ignored;
    std::filesystem::create_directories(options_.config_dir, ignored);
    return options_.config_dir;
}

void ConsoleHost::ProgressStart(const std::string& title) { progress_title_ = title; }

void ConsoleHost::ProgressUpdate(int percent, bool, const std::string& text) {
    if (options_.quiet || !options_.progress_line) return;
    err_ << "\r\033[K" << progress_title_ << ": " << (text.empty() ? std::to_string(percent) + "%" : text) << std::flush;
    progress_shown_ = true;
}

void ConsoleHost::ProgressEnd() { ClearProgressLine(); }

void ConsoleHost::ClearProgressLine() {
    if (!progress_shown_) return;
    err_ << "\r\033[K" << std::flush;
    progress_shown_ = false;
}

void ConsoleHost::MessageBox(const std::string& text, const std::string& caption, MessageStyle style) {
    ClearProgressLine();
    err_ << caption << ": " << text << '\n';
    if (style == MessageStyle::Error) ++error_count_;
}

void ConsoleHost::ListenerPrint(const std::string& text) {
    if (options_.quiet) return;
    ClearProgressLine();
    out_ << text << std::flush;
}

LocalTime ConsoleHost::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

OverwriteAnswer ConsoleHost::AskOverwrite(const std::string& path) {
    if (options_.assume_yes) return OverwriteAnswer::YesToAll;
    if (!options_.can_ask) {
        // Nobody to ask: never replace a file unasked, and stop the run so
        // the caller sees it.
        err_ << "korvo-export: \"" << path << "\" already exists; not overwritten (use --yes to overwrite)\n";
        refused_overwrite_ = true;
        return OverwriteAnswer::Cancel;
    }
    ClearProgressLine();
    for (;;) {
        err_ << "\"" << path << "\" already exists.\nOverwrite ? [y]es, yes to [a]ll, [n]o, [c]ancel: " << std::flush;
        std::string answer;
        if (!std::getline(in_, answer)) return OverwriteAnswer::Cancel;
        if (answer == "y" || answer == "Y" || answer == "yes") return OverwriteAnswer::Yes;
        if (answer == "a" || answer == "A" || answer == "all") return OverwriteAnswer::YesToAll;
        if (answer == "n" || answer == "N" || answer == "no") return OverwriteAnswer::No;
        if (answer == "c" || answer == "C" || answer == "cancel") return OverwriteAnswer::Cancel;
    }
}

std::string ConsoleHost::UserName() const {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name) return entry->pw_name;
    if (const char* user = std::getenv("USER")) return user;
    return "";
}

std::string ConsoleHost::ComputerName() const {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "";
    return name;
}

std::optional<std::string> ConsoleHost::Environment(const std::string& name) const {
    if (const char* value = std::getenv(name.c_str())) return std::string(value);
    return std::nullopt;
}

int ConsoleHost::RunCommand(const std::string& command_line) {
    const int status = std::system(command_line.c_str());
    if (status == -1) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace korvo
