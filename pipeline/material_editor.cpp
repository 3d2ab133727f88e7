#include "pipeline/material_editor.h"

#include <filesystem>

#include "core/paths.h"

namespace korvo {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

void ReportNotFound(Diagnostics& diagnostics) { diagnostics.Error("3D Material Editor is not found.", "Not Found"); }

}  // namespace

std::string JoinWithFolderSeparator(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
    const auto separator = folder.find_first_of("\\/");
    return folder + (separator == std::string::npos ? '\\' : folder[separator]) + name;
}

std::string FindMaterialEditorRoot(const Host& host) {
    if (auto platform_root = host.Environment("MRXSYSTEM_ROOT")) {
        const std::string candidate = ToForwardSlashes(*platform_root) + "/" + "tools/KVS_3DMaterialEditor";
        if (IsFolder(candidate)) return candidate;
    }
    if (auto editor_root = host.Environment("KVS_3DME_ROOT")) return ToForwardSlashes(*editor_root);
    return "";
}

bool PrepareMaterialEditorFolder(Host& host, Diagnostics& diagnostics, std::string& work_folder) {
    const std::string root = FindMaterialEditorRoot(host);
    if (root.empty()) {
        ReportNotFound(diagnostics);
        return false;
    }
    work_folder = JoinWithFolderSeparator(root, "CGToolWork");
    std::error_code ignored;
    if (!IsFolder(work_folder)) std::filesystem::create_directory(work_folder, ignored);
    return true;
}

std::string MaterialEditorCommandLine(const std::string& root, const ExportSettings& settings) {
    std::string line = JoinWithFolderSeparator(root, "KVS_3DME_Starter.exe") + " -name " + settings.output_file_name;
    if (settings.output_ica) line += " -ica";
    if (settings.output_ima) line += " -ima";
    if (settings.output_imd) line += " -imd";
    if (settings.output_ita) line += " -ita";
    if (settings.output_itp) line += " -itp";
    if (settings.output_iva) line += " -iva";
    if (settings.merge_imd) line += " -merge \"" + settings.merge_imd_path + "\"";
    return line;
}

void StartMaterialEditor(Host& host, Diagnostics& diagnostics, const ExportSettings& settings) {
    const std::string root = FindMaterialEditorRoot(host);
    if (root.empty()) {
        ReportNotFound(diagnostics);
        return;
    }
    if (host.RunCommand(MaterialEditorCommandLine(root, settings)) != 0) {
        diagnostics.Error("Failed to start 3D Material Editor", "Failed");
    }
}

}  // namespace korvo
