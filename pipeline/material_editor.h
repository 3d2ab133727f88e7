#pragma once
// Hand-off to the platform's 3D Material Editor: exports in that mode go to
// the editor's work folder, and the editor is started on the result.

#include <string>

#include "core/diagnostics.h"
#include "host/host.h"
#include "settings/export_settings.h"

namespace korvo {

// The editor's root folder, or "" when it is not installed.
std::string FindMaterialEditorRoot(const Host& host);

// Finds (creating it when missing) the editor's work folder. Shows the
// "not found" error and returns false when there is no editor.
bool PrepareMaterialEditorFolder(Host& host, Diagnostics& diagnostics, std::string& work_folder);

// The editor's command line for the files the settings select.
std::string MaterialEditorCommandLine(const std::string& root, const ExportSettings& settings);

// Starts the editor on the written files.
void StartMaterialEditor(Host& host, Diagnostics& diagnostics, const ExportSettings& settings);

// Joins a folder and a name with the separator the folder already uses.
std::string JoinWithFolderSeparator(const std::string& folder, const std::string& name);

}  // namespace korvo
