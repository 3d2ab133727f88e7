#include "host/gltf/gltf_accessor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace korvo::gltf {

namespace {

// More elements than any mesh or animation the platform can hold; a larger
// count is a damaged or hostile file, refused before anything is allocated.
constexpr std::size_t kMaxElements = std::size_t{1} << 24;

int ComponentSize(int component_type) {
    switch (component_type) {
        case TINYGLTF_COMPONENT_TYPE_BYTE:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return 1;
        case TINYGLTF_COMPONENT_TYPE_SHORT:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
            return 2;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
        case TINYGLTF_COMPONENT_TYPE_FLOAT:
            return 4;
        default:
            return 0;
    }
}

int MatrixRows(int type) {
    switch (type) {
        case TINYGLTF_TYPE_MAT2:
            return 2;
        case TINYGLTF_TYPE_MAT3:
            return 3;
        case TINYGLTF_TYPE_MAT4:
            return 4;
        default:
            return 0;
    }
}

template <typename T>
T Load(const unsigned char* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

double Decode(const unsigned char* bytes, int component_type, bool normalized) {
    switch (component_type) {
        case TINYGLTF_COMPONENT_TYPE_BYTE: {
            const double v = Load<int8_t>(bytes);
            return normalized ? std::max(v / 127.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: {
            const double v = Load<uint8_t>(bytes);
            return normalized ? v / 255.0 : v;
        }
        case TINYGLTF_COMPONENT_TYPE_SHORT: {
            const double v = Load<int16_t>(bytes);
            return normalized ? std::max(v / 32767.0, -1.0) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            const double v = Load<uint16_t>(bytes);
            return normalized ? v / 65535.0 : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: {
            const double v = Load<uint32_t>(bytes);
            return normalized ? v / 4294967295.0 : v;
        }
        default:
            return Load<float>(bytes);
    }
}

struct Bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

Bytes ViewBytes(const GltfSource& source, int view_index, const std::string& where) {
    const tinygltf::Model& model = source.model;
    CheckIndex(source, where, view_index, model.bufferViews.size(), "buffer view");
    const tinygltf::BufferView& view = model.bufferViews[view_index];
    const std::string view_where = "bufferViews[" + std::to_string(view_index) + "]";
    CheckIndex(source, view_where, view.buffer, model.buffers.size(), "buffer");
    const std::vector<unsigned char>& buffer = model.buffers[view.buffer].data;
    if (view.byteOffset > buffer.size() || view.byteLength > buffer.size() - view.byteOffset) {
        source.Fail(view_where, "bytes " + std::to_string(view.byteOffset) + " to " +
                                    std::to_string(view.byteOffset + view.byteLength) + " lie outside buffer " +
                                    std::to_string(view.buffer) + " of " + std::to_string(buffer.size()) + " bytes");
    }
    return {buffer.data() + view.byteOffset, view.byteLength};
}

struct Layout {
    int component_type = 0;
    int components = 1;
    int matrix_rows = 0;  // 0 unless a matrix
    bool normalized = false;
    std::size_t element_size = 0;
    std::size_t column_stride = 0;  // matrices: columns start on 4-byte boundaries
};

Layout MakeLayout(int component_type, int components, int matrix_rows, bool normalized) {
    Layout layout{component_type, components, matrix_rows, normalized};
    const std::size_t size = static_cast<std::size_t>(ComponentSize(component_type));
    if (matrix_rows > 0) {
        layout.column_stride = (matrix_rows * size + 3) / 4 * 4;
        layout.element_size = layout.column_stride * matrix_rows;
    } else {
        layout.element_size = size * components;
    }
    return layout;
}

void DecodeElement(const unsigned char* element, const Layout& layout, double* out) {
    const int size = ComponentSize(layout.component_type);
    for (int c = 0; c < layout.components; ++c) {
        const std::size_t offset =
            layout.matrix_rows > 0 ? (c / layout.matrix_rows) * layout.column_stride + (c % layout.matrix_rows) * size
                                   : static_cast<std::size_t>(c) * size;
        out[c] = Decode(element + offset, layout.component_type, layout.normalized);
    }
}

// Reads count elements from bytes at offset, stride apart.
void ReadElements(const GltfSource& source, const std::string& where, Bytes bytes, std::size_t offset,
                  std::size_t stride, std::size_t count, const Layout& layout, double* out) {
    if (count == 0) return;
    const std::size_t needed = (count - 1) * stride + layout.element_size;
    if (offset > bytes.size || needed > bytes.size - offset) {
        source.Fail(where, "reads " + std::to_string(needed) + " bytes from offset " + std::to_string(offset) +
                               " of a buffer view of " + std::to_string(bytes.size) + " bytes");
    }
    for (std::size_t i = 0; i < count; ++i) {
        DecodeElement(bytes.data + offset + i * stride, layout, out + i * layout.components);
    }
}

void ApplySparse(const GltfSource& source, const tinygltf::Accessor& accessor, const std::string& where,
                 const Layout& layout, std::vector<double>& values) {
    const auto& sparse = accessor.sparse;
    const std::string sparse_where = where + ".sparse";
    if (sparse.count < 1 || static_cast<std::size_t>(sparse.count) > accessor.count) {
        source.Fail(sparse_where,
                    "count " + std::to_string(sparse.count) + " is not within 1.." + std::to_string(accessor.count));
    }
    const int index_type = sparse.indices.componentType;
    if (index_type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE && index_type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
        index_type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
        source.Fail(sparse_where + ".indices",
                    "component type " + std::to_string(index_type) + " is not an index type");
    }
    if (sparse.indices.byteOffset < 0 || sparse.values.byteOffset < 0)
        source.Fail(sparse_where, "negative byte offset");
    const std::size_t count = static_cast<std::size_t>(sparse.count);
    std::vector<double> indices(count);
    const Layout index_layout = MakeLayout(index_type, 1, 0, false);
    ReadElements(source, sparse_where + ".indices",
                 ViewBytes(source, sparse.indices.bufferView, sparse_where + ".indices"),
                 static_cast<std::size_t>(sparse.indices.byteOffset), index_layout.element_size, count, index_layout,
                 indices.data());
    std::vector<double> substitutes(count * layout.components);
    ReadElements(
        source, sparse_where + ".values", ViewBytes(source, sparse.values.bufferView, sparse_where + ".values"),
        static_cast<std::size_t>(sparse.values.byteOffset), layout.element_size, count, layout, substitutes.data());
    for (std::size_t i = 0; i < count; ++i) {
        const double index = indices[i];
        if (index >= static_cast<double>(accessor.count)) {
            source.Fail(sparse_where + ".indices", "index " + NumberText(index) + " is past the accessor's " +
                                                       std::to_string(accessor.count) + " elements");
        }
        std::copy_n(substitutes.begin() + i * layout.components, layout.components,
                    values.begin() + static_cast<std::size_t>(index) * layout.components);
    }
}

}  // namespace

AccessorValues ReadAccessor(const GltfSource& source, int accessor_index, const std::string& where,
                            const std::vector<int>& allowed_components) {
    const tinygltf::Model& model = source.model;
    CheckIndex(source, where, accessor_index, model.accessors.size(), "accessor");
    const tinygltf::Accessor& accessor = model.accessors[accessor_index];
    const std::string accessor_where = "accessors[" + std::to_string(accessor_index) + "]";
    if (ComponentSize(accessor.componentType) == 0) {
        source.Fail(accessor_where, "unknown component type " + std::to_string(accessor.componentType));
    }
    const int components = tinygltf::GetNumComponentsInType(static_cast<uint32_t>(accessor.type));
    if (components <= 0) source.Fail(accessor_where, "unknown element type " + std::to_string(accessor.type));
    if (!allowed_components.empty() &&
        std::find(allowed_components.begin(), allowed_components.end(), components) == allowed_components.end()) {
        source.Fail(where, "accessor " + std::to_string(accessor_index) + " has elements of " +
                               std::to_string(components) + " components, which this property cannot use");
    }
    if (accessor.count > kMaxElements) {
        source.Fail(accessor_where, "count " + std::to_string(accessor.count) + " is beyond what can be exported");
    }
    const Layout layout =
        MakeLayout(accessor.componentType, components, MatrixRows(accessor.type), accessor.normalized);

    AccessorValues result;
    result.components = components;
    result.values.assign(accessor.count * components, 0.0);
    if (accessor.bufferView >= 0) {
        const Bytes bytes = ViewBytes(source, accessor.bufferView, accessor_where);
        const std::size_t declared_stride = model.bufferViews[accessor.bufferView].byteStride;
        if (declared_stride != 0 && declared_stride < layout.element_size) {
            source.Fail(accessor_where, "buffer view stride " + std::to_string(declared_stride) +
                                            " is shorter than an element of " + std::to_string(layout.element_size) +
                                            " bytes");
        }
        const std::size_t stride = declared_stride != 0 ? declared_stride : layout.element_size;
        ReadElements(source, accessor_where, bytes, accessor.byteOffset, stride, accessor.count, layout,
                     result.values.data());
    }
    if (accessor.sparse.isSparse) ApplySparse(source, accessor, accessor_where, layout, result.values);
    return result;
}

}  // namespace korvo::gltf
