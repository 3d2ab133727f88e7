#pragma once
// The host application, as the exporter sees it.
//
// The exporter reads the scene and talks to the user only through these
// interfaces. A backend (an in-memory scene read from a scene document, a
// glTF file, ...) implements the scene side; the program that plays the host
// implements the application side. Everything is in the host's own
// conventions: the scene is Z-up, matrices are row-vector Matrix3, time is
// counted in ticks.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/feedback.h"
#include "host/geom.h"

namespace korvo {

// Host time in ticks. Frame f is at f * ticks_per_frame.
using TimeValue = int32_t;
// The host's "negative infinity": the animation-independent value of a
// parameter, and the earliest time a light is evaluated at.
inline constexpr TimeValue kTimeNegInfinity = INT32_MIN;
inline constexpr int kDefaultTicksPerFrame = 160;
inline constexpr int kDefaultFrameRate = 30;

// A host plug-in class, as two 32-bit words.
struct ClassId {
    uint32_t a = 0, b = 0;
    friend bool operator==(const ClassId&, const ClassId&) = default;
};

namespace class_ids {
inline constexpr ClassId kBoneObject{0x00009125, 0};
inline constexpr ClassId kPolygonObject{0x5D21369A, 0};
inline constexpr ClassId kSkin{0x0095C723, 0x00015666};
inline constexpr ClassId kPhysique{0x00000100, 0};
inline constexpr ClassId kMorpher{0x17BB6854, 0xA5CBA2A3};
inline constexpr ClassId kBipedController{0x00009156, 0};
inline constexpr ClassId kNurbsCurveA{0x76A11646, 0x12A83145};
inline constexpr ClassId kNurbsCurveB{0x76A11646, 0x12A92143};
inline constexpr ClassId kNurbsSurface{0x76A11646, 0x0BADBEFF};
inline constexpr ClassId kNurbsObject{0x76A11646, 0x12A822FB};
inline constexpr ClassId kKorvoStandard{0x20956F29, 0x76885288};
inline constexpr ClassId kKorvoMorpher{0x75825CEE, 0x1A3508AD};
inline constexpr ClassId kStandardMaterial{0x00000002, 0};
inline constexpr ClassId kMultiSubMaterial{0x00000200, 0};
inline constexpr ClassId kBitmapTexture{0x00000240, 0};
inline constexpr ClassId kKorvoExporter{0x7B43B852, 0x365B71D1};
}  // namespace class_ids

// The object type the host's scene wrapper reports for a node.
enum class ObjectType { Unknown, Mesh, Helper, Bone, IkChain, Light, Camera };

struct HostColor {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

// ---------------------------------------------------------------- bitmaps

class HostBitmap {
public:
    virtual ~HostBitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool HasAlpha() const = 0;
    // Row y (0 = top) as red, green, blue, alpha floats in 0..1, 4 per pixel.
    virtual std::vector<float> Row(int y) const = 0;
};

// Opens image files as the host's bitmap manager does.
class HostBitmapManager {
public:
    virtual ~HostBitmapManager() = default;
    // nullptr when the file cannot be opened or decoded.
    virtual std::unique_ptr<HostBitmap> Load(const std::string& path) = 0;
    virtual std::vector<std::string> MapDirectories() const = 0;
};

// ------------------------------------------------------- materials, maps

// The texture coordinate generator of a bitmap map.
struct UvGenerator {
    enum TilingFlag : int { kURepeat = 1, kVRepeat = 2, kUMirror = 4, kVMirror = 8 };
    int tiling_flags = kURepeat | kVRepeat;
};

class HostTexmap {
public:
    virtual ~HostTexmap() = default;
    virtual std::string Name() const = 0;
    virtual ClassId GetClassId() const = 0;
    bool IsBitmap() const { return GetClassId() == class_ids::kBitmapTexture; }
    // Whether the host's game-export layer can handle this map.
    virtual bool SupportedByGameExport() const = 0;
    // The bitmap file name as the user entered it ("" for other maps).
    virtual std::string BitmapFileName() const = 0;
    // The map's bitmap at a time; nullptr when it cannot be loaded.
    virtual std::unique_ptr<HostBitmap> Bitmap(TimeValue t) const = 0;
    virtual UvGenerator Generator() const = 0;
    virtual float UOffset(TimeValue t) const = 0;
    virtual float VOffset(TimeValue t) const = 0;
    virtual float UTiling(TimeValue t) const = 0;
    virtual float VTiling(TimeValue t) const = 0;
    // Rotation about W, radians.
    virtual float WAngle(TimeValue t) const = 0;
};

class HostMaterial {
public:
    virtual ~HostMaterial() = default;
    virtual std::string Name() const = 0;
    virtual ClassId GetClassId() const = 0;

    virtual int SubMaterialCount() const = 0;
    virtual HostMaterial* SubMaterial(int i) const = 0;
    bool IsMulti() const { return GetClassId() == class_ids::kMultiSubMaterial; }

    virtual int TexmapCount() const = 0;
    virtual HostTexmap* Texmap(int i) const = 0;
    // Sub-texture map number 1, the diffuse map; nullptr when none.
    virtual HostTexmap* DiffuseMap() const = 0;

    // Named properties of the platform's material plug-ins, read at
    // kTimeNegInfinity. Empty when the material has no such property.
    virtual std::optional<int> PropertyInt(const std::string& name) const = 0;
    virtual std::optional<float> PropertyFloat(const std::string& name) const = 0;

    // The standard material behind a scripted plug-in material, or nullptr.
    virtual HostMaterial* Delegate() const = 0;

    // Standard material parameters at a time.
    virtual HostColor Diffuse(TimeValue t) const = 0;
    virtual HostColor Ambient(TimeValue t) const = 0;
    virtual HostColor Specular(TimeValue t) const = 0;
    virtual bool SelfIllumColorOn() const = 0;
    virtual HostColor SelfIllumColor(TimeValue t) const = 0;
    virtual float Opacity(TimeValue t) const = 0;
};

// ------------------------------------------------------- meshes, modifiers

// One triangle of a host mesh. Corner indices point into the mesh's
// vertex, texture vertex, normal and colour vertex lists (-1 when the mesh
// has no such list).
struct HostFace {
    std::array<int, 3> position{};
    std::array<int, 3> tex{-1, -1, -1};
    std::array<int, 3> normal{-1, -1, -1};
    std::array<int, 3> color{-1, -1, -1};
    int material_id = 0;
};

// One face of the host's polygon object, before triangulation.
struct HostPolyFace {
    std::vector<int> vertices;
    int material_id = 0;
};

// A host mesh in object space.
class HostMesh {
public:
    virtual ~HostMesh() = default;
    virtual const std::vector<Point3>& Vertices() const = 0;
    virtual const std::vector<Point3>& Normals() const = 0;
    virtual const std::vector<Point3>& ColorVertices() const = 0;
    virtual const std::vector<Point3>& TexVertices() const = 0;
    virtual const std::vector<HostFace>& Faces() const = 0;
    // The mesh as the host's polygon object (quads and larger faces kept);
    // nullptr when it cannot be converted.
    virtual const std::vector<HostPolyFace>* PolygonFaces() const = 0;
};

class HostNode;

class HostSkin {
public:
    virtual ~HostSkin() = default;
    virtual int VertexCount() const = 0;
    virtual int BoneCount(int vertex) const = 0;
    virtual float Weight(int vertex, int bone) const = 0;
    virtual HostNode* Bone(int vertex, int bone) const = 0;
    // Every bone of the skin, in the skin's order.
    virtual std::vector<HostNode*> Bones() const = 0;
    // The skin's initial transform of a bone, host Z-up; empty when the
    // node is not a bone of this skin.
    virtual std::optional<Matrix3> InitialBoneTransform(const HostNode* bone) const = 0;
    // The skin's initial transform of the skinned node itself.
    virtual std::optional<Matrix3> InitialSkinTransform() const = 0;
};

class HostMorpher {
public:
    virtual ~HostMorpher() = default;
    static constexpr int kChannelCount = 100;
    // Weight of channel c (0 .. kChannelCount-1) at a time; 0 for an empty channel.
    virtual float ChannelValue(int channel, TimeValue t) const = 0;
};

class HostModifier {
public:
    virtual ~HostModifier() = default;
    virtual std::string Name() const = 0;
    virtual std::string ClassName() const = 0;
    virtual ClassId GetClassId() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool on) = 0;
    // The skin interface of a Skin modifier, else nullptr.
    virtual HostSkin* Skin() = 0;
    // The channels of a Morpher modifier, else nullptr.
    virtual HostMorpher* Morpher() = 0;
    // A Physique modifier's initial transform of a bone, host Z-up.
    virtual std::optional<Matrix3> PhysiqueInitialTransform(const HostNode* /*bone*/) const { return std::nullopt; }
};

// ------------------------------------------------------- lights, cameras

class HostLight {
public:
    virtual ~HostLight() = default;
    // The scene wrapper's light type: 2 is directional.
    static constexpr int kDirectional = 2;
    virtual int Type() const = 0;
    virtual bool On() const = 0;
    // Empty when the light has no colour property.
    virtual std::optional<HostColor> Color(TimeValue t) const = 0;
};

class HostCamera {
public:
    virtual ~HostCamera() = default;
    virtual bool Orthographic() const = 0;
    // Vertical field of view, radians.
    virtual float FieldOfView(TimeValue t) const = 0;
    virtual float Aspect() const = 0;
    virtual float NearClip(TimeValue t) const = 0;
    virtual float FarClip(TimeValue t) const = 0;
    virtual float OrthoWidth(TimeValue t) const = 0;
    virtual float OrthoHeight(TimeValue t) const = 0;
    // The camera's target node, or nullptr for a free camera.
    virtual HostNode* Target() const = 0;
};

// ---------------------------------------------------------------- nodes

class HostNode {
public:
    virtual ~HostNode() = default;

    virtual std::string Name() const = 0;
    // The node's handle: stable for the life of the scene, unique.
    virtual int32_t Id() const = 0;
    // nullptr for the scene root.
    virtual HostNode* Parent() const = 0;
    virtual std::vector<HostNode*> Children() const = 0;

    virtual ObjectType GetObjectType() const = 0;
    virtual ClassId ObjectClassId() const = 0;
    virtual bool IsTarget() const = 0;
    virtual bool IsHidden() const = 0;
    // The host's bone flag on the node (not the bone object).
    virtual bool IsBone() const = 0;
    // The transform controller is a biped's.
    virtual bool IsBiped() const = 0;
    // Puts a biped into its reference pose (true) or back (false).
    virtual void SetBipedReferencePose(bool on) = 0;

    virtual std::optional<std::string> UserPropertyText(const std::string& key) const = 0;
    virtual std::optional<bool> UserPropertyBool(const std::string& key) const = 0;

    // World transform at a time, host Z-up.
    virtual Matrix3 WorldTransform(TimeValue t) const = 0;
    // The object-offset transform parts.
    virtual Point3 ObjectOffsetPosition() const = 0;
    virtual Quat ObjectOffsetRotation() const = 0;
    virtual Point3 ObjectOffsetScale() const = 0;
    // Visibility at a time; above 0 is visible.
    virtual float Visibility(TimeValue t) const = 0;
    virtual bool VertexColorDisplay() const = 0;

    virtual HostMaterial* Material() const = 0;
    // The node's mesh (evaluated with the modifiers that are enabled), or
    // nullptr when the object is not a mesh.
    virtual const HostMesh* Mesh() const = 0;
    // The modifier stack, top first.
    virtual std::vector<HostModifier*> Modifiers() const = 0;
    // For NURBS objects: whether any part is a curve.
    virtual bool NurbsHasCurve() const = 0;
    virtual HostLight* Light() const = 0;
    virtual HostCamera* Camera() const = 0;
};

// ---------------------------------------------------------------- scene

class HostScene {
public:
    virtual ~HostScene() = default;

    // The scene file's name without folder, and its full path.
    virtual std::string FileName() const = 0;
    virtual std::string FilePath() const = 0;
    virtual std::string ProjectFolder() const = 0;

    virtual int TicksPerFrame() const = 0;
    virtual TimeValue AnimationStart() const = 0;
    virtual TimeValue AnimationEnd() const = 0;

    virtual HostNode* Root() const = 0;
    virtual HostNode* NodeById(int32_t id) const = 0;
    virtual std::vector<HostNode*> SelectedNodes() const = 0;
    virtual void SetSelection(const std::vector<HostNode*>& nodes) = 0;

    virtual std::vector<HostMaterial*> RootMaterials() const = 0;
    virtual HostBitmapManager& BitmapManager() = 0;

    // The exporter's settings block stored with the scene; empty when the
    // scene carries none.
    virtual std::optional<std::vector<uint8_t>> StoredSettings() const = 0;
    virtual void SetStoredSettings(std::vector<uint8_t> block) = 0;
};

// ---------------------------------------------------------------- application

enum class OverwriteAnswer : int { Cancel = 1, Yes = 2, YesToAll = 4, No = 8 };

// What the host application offers besides the scene; the user-facing
// part (progress, message boxes, listener, clock) is its Feedback.
class Host : public Feedback {
public:
    virtual ~Host() = default;

    virtual HostScene& Scene() = 0;
    // Loads a scene file as the current scene; false when it cannot.
    virtual bool LoadScene(const std::string& path) = 0;
    // Runs a script text; false on a script error.
    virtual bool RunScript(const std::string& text) = 0;

    // The plug-in configuration folder.
    virtual std::string PluginConfigDir() const = 0;

    // Asked only when the file exists.
    virtual OverwriteAnswer AskOverwrite(const std::string& path) = 0;

    virtual std::string UserName() const = 0;
    virtual std::string ComputerName() const = 0;
    virtual std::optional<std::string> Environment(const std::string& name) const = 0;
    // Runs a command line through the system's interpreter; its exit status.
    virtual int RunCommand(const std::string& command_line) = 0;
};

}  // namespace korvo
