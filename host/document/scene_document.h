#pragma once
// Reading a scene document: a JSON file that describes a host scene
// completely (see docs/scene-document.md).

#include <memory>
#include <string>

#include "host/memory/memory_scene.h"

namespace korvo {

// The scene of the document at path, or nullptr with one error line in
// *error: the file name, the JSON path of the offending value and what is
// wrong ("scene.json: $.nodes[3].name: expected a string, found 12").
std::unique_ptr<MemoryScene> LoadSceneDocument(const std::string& path, std::string* error);

// The same for document text; display_name stands for the file in messages
// and, like a path, gives the scene's default file name and folder.
std::unique_ptr<MemoryScene> LoadSceneDocumentText(const std::string& text, const std::string& display_name,
                                                   std::string* error);

}  // namespace korvo
