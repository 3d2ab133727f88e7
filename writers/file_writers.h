#pragma once
// The bodies of the seven intermediate files: everything between the
// provenance lines of the head and the body close (text_writer.h frames
// and commits them). Each reads the records, the options and the model
// layout, changes none of them, and writes text; false means the file must
// not be written, the reason reported.

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// What every file writer reads.
struct WriterInput {
    const ExportScene& scene;
    const ExportOptions& options;
    const ModelLayout& layout;
};

using FileWriter = bool (*)(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics, Progress& progress);

bool WriteModelBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics, Progress& progress);
bool WriteCharacterAnimationBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics,
                                 Progress& progress);
bool WriteVisibilityAnimationBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics,
                                  Progress& progress);
bool WriteMaterialColorAnimationBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics,
                                     Progress& progress);
bool WriteTexturePatternAnimationBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics,
                                      Progress& progress);
bool WriteTextureSrtAnimationBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics,
                                  Progress& progress);
bool WriteSceneDataBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
