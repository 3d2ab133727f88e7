#include "pipeline/unavailable_options.h"

#include <string>
#include <string_view>

#include "settings/settings_keys.h"

namespace korvo {

namespace {

using S = ExportSettings;

struct Unavailable {
    std::string_view key;
    bool (*requested)(const S&);
    std::string_view not_done;
    // The output switch to turn off, for a file that would be a stub.
    int32_t S::*output = nullptr;
};

// In the order of the settings file.
constexpr Unavailable kUnavailable[] = {
    {"compress_node", [](const S& s) { return s.compress_node >= 1 && s.compress_node <= 4; },
     "the nodes are exported uncompressed"},
    {"compress_material", [](const S& s) { return s.compress_material != 0; },
     "the materials are exported uncompressed"},
    {"output_ica", [](const S& s) { return s.output_ica != 0; }, "no character animation file (.ica) is written",
     &S::output_ica},
    {"output_iva", [](const S& s) { return s.output_iva != 0; }, "no visibility animation file (.iva) is written",
     &S::output_iva},
    {"output_ima", [](const S& s) { return s.output_ima != 0; },
     "no material colour animation file (.ima) is written", &S::output_ima},
    {"output_itp", [](const S& s) { return s.output_itp != 0; },
     "no texture pattern animation file (.itp) is written", &S::output_itp},
    {"output_ita", [](const S& s) { return s.output_ita != 0; }, "no texture SRT animation file (.ita) is written",
     &S::output_ita},
    {"use_primitive_strip", [](const S& s) { return s.use_primitive_strip != 0; },
     "faces are written without strips"},
    {"triangulation", [](const S& s) { return s.triangulation == 2; }, "faces are written as triangles"},
};

}  // namespace

void ReportUnavailableOptions(ExportSettings& run, Diagnostics& diagnostics) {
    for (const Unavailable& option : kUnavailable) {
        if (!option.requested(run)) continue;
        const std::string value = FormatSettingValue(*FindSettingKey(option.key), run);
        diagnostics.Warn("Warning: " + std::string(option.key) + "=\"" + value + "\" is not available yet; " +
                              std::string(option.not_done) + ".");
        if (option.output) run.*option.output = 0;
    }
}

}  // namespace korvo
