#pragma once
// The seven intermediate file writers. Each writes its whole file to path
// (atomically) and returns false when the file could not be written; the
// reason is in the scene's log or was shown as an error.

#include <string>

#include "writers/file_frame.h"

namespace korvo {

struct ExportOptions;
struct ExportScene;

bool WriteModelFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                    const Provenance& provenance);
bool WriteCharacterAnimationFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                                 const Provenance& provenance);
bool WriteVisibilityAnimationFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                                  const Provenance& provenance);
bool WriteMaterialColorAnimationFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                                     const Provenance& provenance);
bool WriteTexturePatternAnimationFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                                      const Provenance& provenance);
bool WriteTextureSrtAnimationFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                                  const Provenance& provenance);
bool WriteSceneDataFile(ExportScene& scene, const ExportOptions& options, const std::string& path,
                        const Provenance& provenance);

}  // namespace korvo
