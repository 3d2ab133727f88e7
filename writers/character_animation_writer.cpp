#include "writers/file_writers.h"
#include "writers/text_writer.h"

namespace korvo {

namespace {

// The file's sections, between the provenance lines and the body close.
bool WriteBody(ExportScene& /*scene*/, TextWriter& /*out*/) { return true; }

}  // namespace

bool WriteCharacterAnimationFile(ExportScene& scene, const ExportOptions& /*options*/, const std::string& path,
                                 const Provenance& provenance) {
    return WriteFramedFile(scene, path, FileKind::CharacterAnimation, provenance,
                           [&](TextWriter& out) { return WriteBody(scene, out); });
}

}  // namespace korvo
