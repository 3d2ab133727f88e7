#include "extract/light_extraction.h"

#include <cmath>

namespace korvo {

namespace {

uint8_t ColorByte(float c) {
    const float scaled = c * 255.0f;
    if (!(scaled > 0.0f)) return 0;
    return scaled >= 255.0f ? 255 : static_cast<uint8_t>(scaled);
}

void ExtractLights(Extraction& extraction) {
    const std::vector<HostNode*> light_nodes = extraction.wrapper.NodesOfType(ObjectType::Light);
    const float step = extraction.progress.StepSize(static_cast<int>(light_nodes.size()));
    for (HostNode* node : light_nodes) {
        extraction.progress.Advance(step, "Exporting Lights");
        if (node->IsTarget()) continue;
        HostLight* light = node->Light();
        if (!light || light->Type() != HostLight::kDirectional || !light->On()) continue;
        // Row 2 is the light's local Z axis in host (Z-up) world space.
        const Point3 axis = node->WorldTransform(kTimeNegInfinity).rows[2];
        ExportLight record;
        record.direction = {axis.x, -axis.z, axis.y};
        if (auto color = light->Color(kTimeNegInfinity)) {
            record.color = {ColorByte(color->r), ColorByte(color->g), ColorByte(color->b)};
        } else {
            record.color = {255, 255, 255};
        }
        extraction.scene.lights.push_back(record);
    }
    // Gathering is a step of its own only when the scene data file is written.
    if (extraction.options.outputs.isd) extraction.progress.FinishStep("Exporting Lights");
}

Vec3 ToYUp(Point3 p) { return {p.x, p.z, -p.y}; }

// The camera is taken at the first exported frame, in the exported Y-up
// axes. A host camera looks down its local -Z axis.
void ExtractCamera(Extraction& extraction) {
    const TimeValue t = extraction.options.frames.start * extraction.wrapper.TicksPerFrame();
    for (HostNode* node : extraction.wrapper.NodesOfType(ObjectType::Camera)) {
        HostCamera* camera = node->Camera();
        if (node->IsTarget() || !camera) continue;
        const Matrix3 world = node->WorldTransform(t);
        ExportCamera record;
        record.position = ToYUp(world.GetTrans());
        if (HostNode* target = camera->Target()) {
            record.lookat = ToYUp(target->WorldTransform(t).GetTrans());
        } else {
            record.lookat = ToYUp(world.GetTrans() + VectorTransform(world, Point3{0, 0, -1}));
        }
        record.projection = camera->Orthographic() ? Projection::Orthographic : Projection::Perspective;
        record.near_clip = camera->NearClip(t);
        record.far_clip = camera->FarClip(t);
        record.fovy = camera->FieldOfView(t) * 180.0f / 3.14159265f;
        record.aspect = camera->Aspect();
        record.ortho_width = camera->OrthoWidth(t);
        record.ortho_height = camera->OrthoHeight(t);
        extraction.scene.cameras.push_back(record);
        return;
    }
}

}  // namespace

void ExtractLightsAndCamera(Extraction& extraction) {
    ExtractLights(extraction);
    ExtractCamera(extraction);
}

}  // namespace korvo
