#pragma once
// The state that outlives one exporter object: the current settings block
// and whether a batch is running. The program owns one and hands it to every
// exporter it creates.

#include <functional>
#include <string>
#include <vector>

#include "settings/export_settings.h"

namespace korvo {

class Feedback;

struct ProcessState {
    SettingsState current;
    // Set by batch export around each scene's export: no settings files are
    // read or written, no dialog is shown, errors go to the batch log.
    bool batch = false;
    // In a batch, stands in for the host's message boxes and receives each
    // run's messages before they are printed.
    Feedback* batch_feedback = nullptr;
    std::function<void(const std::vector<std::string>& messages, bool failed)> batch_messages;
};

}  // namespace korvo
