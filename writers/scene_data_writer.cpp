#include "writers/file_writers.h"

namespace korvo {

namespace {

const char* ProjectionName(Projection projection) {
    return projection == Projection::Orthographic ? "ortho" : "perspective";
}

void WriteCamera(TextWriter& out, const ExportCamera* camera) {
    out.Printf("\n<camera\n");
    if (camera) {
        const ExportCamera& c = *camera;
        out.Printf("\tposition=\"%f %f %f\"\n", c.position.x, c.position.y, c.position.z);
        out.Printf("\tlookat=\"%f %f %f\"\n", c.lookat.x, c.lookat.y, c.lookat.z);
        out.Printf("\ttwist=\"%f\"\n", c.twist);
        out.Printf("\tprojection=\"%s\"\n", ProjectionName(c.projection));
        out.Printf("\tnear=\"%f\"\n", c.near_clip);
        out.Printf("\tfar=\"%f\"\n", c.far_clip);
        out.Printf("\tperspective fovy=\"%f\"\n", c.fovy);
        out.Printf("\tperspective aspect=\"%f\"\n", c.aspect);
        out.Printf("\tortho width=\"%f\"\n", c.ortho_width);
        out.Printf("\tortho height=\"%f\"\n", c.ortho_height);
    }
    out.Printf("/>\n");
}

void WriteLight(TextWriter& out, int index, const ExportLight& light) {
    out.Printf("\t<light%d\n", index);
    out.Printf("\t\tdirection=\"%f %f %f\"\n", light.direction.x, light.direction.y, light.direction.z);
    out.Printf("\t\tcolor=\"%d %d %d\"\n", light.color.r >> 3, light.color.g >> 3, light.color.b >> 3);
    out.Printf("\t/>\n");
}

}  // namespace

bool WriteSceneDataBody(TextWriter& out, const WriterInput& input, Diagnostics& /*diagnostics*/, Progress& progress) {
    const ExportScene& scene = input.scene;
    // One progress step: the camera, then one item per light.
    const float step = progress.StepSize(1 + static_cast<int>(scene.lights.size()));

    WriteCamera(out, scene.cameras.empty() ? nullptr : &scene.cameras.front());
    progress.Advance(step, "Exporting Camera");

    out.Printf("\n<light>\n");
    for (std::size_t i = 0; i < scene.lights.size(); ++i) {
        WriteLight(out, static_cast<int>(i), scene.lights[i]);
        progress.Advance(step, "Exporting Lights");
    }
    out.Printf("</light>\n");
    progress.FinishStep("Exporting Lights");
    return true;
}

}  // namespace korvo
