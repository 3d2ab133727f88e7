#include "writers/file_frame.h"

#include <array>
#include <cstdio>

#include "core/generator.h"
#include "writers/text_writer.h"

namespace korvo {

namespace {

constexpr const char* kFormatVersion = "1.6.0";

constexpr std::array<FileKindInfo, 7> kKinds{{
    {"imd", kFormatVersion, "Model Data for OSTRAVEN KORVO-System"},
    {"ica", kFormatVersion, "Character Animation Data for OSTRAVEN KORVO-System"},
    {"iva", kFormatVersion, "Visibility Animation Data for OSTRAVEN KORVO-System"},
    {"ima", kFormatVersion, "Material Color Animation Data for OSTRAVEN KORVO-System"},
    {"itp", kFormatVersion, "Texture Pattern Animation Data for OSTRAVEN KORVO-System"},
    {"ita", kFormatVersion, "Texture SRT Animation Data for OSTRAVEN KORVO-System"},
    {"isd", kFormatVersion, "Scene Data for OSTRAVEN KORVO-System"},
}};

}  // namespace

const FileKindInfo& KindInfo(FileKind kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

std::string FormatProvenanceDate(const LocalTime& time) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d-%.2d-%.2dT%.2d:%.2d:%.2d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return buffer;
}

void WriteHead(TextWriter& out, FileKind kind, const Provenance& provenance) {
    const FileKindInfo& info = KindInfo(kind);
    const char* user = provenance.user.c_str();
    const char* host = provenance.host.c_str();
    const char* date = provenance.date.c_str();
    const char* source = provenance.source.empty() ? "untitled" : provenance.source.c_str();
    const std::string generator = GeneratorName();

    out.Printf("<?xml version=\"%.1f\" encoding=\"Shift_JIS\"?>\n", 1.0);
    out.Printf("\n<%s version=\"%s\">\n", info.root, info.version);
    out.Printf("\n<head>\n");
    out.Printf("\t<create user=\"%s\" host=\"%s\" date=\"%s\" source=\"%s\"/>\n", user, host, date, source);
    out.Printf("\t<title>%s</title>\n", info.title);
    out.Printf("\t<generator name=\"%s\" version=\"%s\"/>\n", generator.c_str(), kGeneratorVersion);
    out.Printf("</head>\n");
    out.Printf("\n<body>\n\n");
    out.Printf("<original_create user=\"%s\" host=\"%s\" date=\"%s\" source=\"%s\"/>\n", user, host, date, source);
    out.Printf("<original_generator name=\"%s\" version=\"%s\"/>\n", generator.c_str(), kGeneratorVersion);
}

void WriteBodyClose(TextWriter& out, FileKind kind) {
    out.Printf("\n</body>\n");
    out.Printf("\n</%s>\n", KindInfo(kind).root);
}

}  // namespace korvo
