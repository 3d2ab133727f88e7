#include <algorithm>

#include "writers/matrix_palette.h"
#include "writers/model_lookups.h"
#include "writers/weight_set.h"

namespace korvo {

namespace {

// The weights of an envelope that are written: all but those of exactly 0.
template <class Visit>
void ForWrittenWeights(const ExportScene& scene, const ModelLayout& layout, const ExportMatrix& matrix, Visit visit) {
    const ExportEnvelope& envelope = layout.envelopes[static_cast<std::size_t>(matrix.envelope)];
    const SkinEntry& entry =
        scene.polygons[static_cast<std::size_t>(envelope.polygon)].skin[static_cast<std::size_t>(envelope.vertex)];
    const std::size_t count =
        std::min({static_cast<std::size_t>(std::max(entry.count, 0)), entry.weights.size(), entry.nodes.size()});
    for (std::size_t i = 0; i < count; ++i) {
        if (entry.weights[i] != 0.0f) visit(entry.weights[i], entry.nodes[i]);
    }
}

bool IsBlend(const ExportMatrix& matrix) { return matrix.envelope >= 0 && matrix.weight_count != 1; }

// Ten values a line, each followed by a blank.
class ValueLines {
public:
    explicit ValueLines(TextWriter& out) : out_(out) {}
    void Add(int value) {
        if (written_++ % 10 == 0) out_.Printf("\n\t\t");
        out_.Printf("%d ", value);
    }

private:
    TextWriter& out_;
    int written_ = 0;
};

}  // namespace

void WriteEnvelopeSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, bool force_full_weight,
                          Progress& progress) {
    constexpr const char* kProgressText = "IMD: Exporting Weights";
    int32_t size = 0;
    for (const ExportMatrix& matrix : layout.matrices) {
        if (IsBlend(matrix)) ForWrittenWeights(scene, layout, matrix, [&](float, int32_t) { ++size; });
    }
    if (!force_full_weight && size > 0) {
        const NodeIndex node_index(scene);
        out.Printf("\n<envelope>\n");
        out.Printf("\t<weight size=\"%d\">", size);
        ValueLines weights(out);
        for (const ExportMatrix& matrix : layout.matrices) {
            if (IsBlend(matrix)) {
                ForWrittenWeights(scene, layout, matrix,
                                  [&](float weight, int32_t) { weights.Add(WholePercent(weight)); });
            }
        }
        out.Printf("\n\t</weight>\n");
        out.Printf("\t<node_idx size=\"%d\">", size);
        ValueLines nodes(out);
        for (const ExportMatrix& matrix : layout.matrices) {
            if (IsBlend(matrix)) {
                ForWrittenWeights(scene, layout, matrix, [&](float, int32_t node) { nodes.Add(node_index(node)); });
            }
        }
        out.Printf("\n\t</node_idx>\n");
        out.Printf("</envelope>\n");
    }
    progress.FinishStep(kProgressText);
}

void WriteMatrixSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, Diagnostics& diagnostics,
                        Progress& progress) {
    constexpr const char* kProgressText = "IMD: Exporting Matrix Array";
    const int size = static_cast<int>(layout.matrices.size());
    if (size > 0) {
        out.Printf("\n<matrix_array size=\"%d\">\n", size);
        if (size > 31) {
            diagnostics.WarnF("Warning: The number of matrices for displaying this model is over 31. %d", size);
        }
        int32_t envelope_head = 0;
        for (int i = 0; i < size; ++i) {
            const ExportMatrix& matrix = layout.matrices[static_cast<std::size_t>(i)];
            if (matrix.weight_count == 1) {
                out.Printf("\t<matrix index=\"%d\" mtx_weight=\"%d\" node_idx=\"%d\"/>\n", i, 1, matrix.node_index);
                continue;
            }
            int32_t written = 0;
            if (matrix.envelope >= 0) ForWrittenWeights(scene, layout, matrix, [&](float, int32_t) { ++written; });
            out.Printf("\t<matrix index=\"%d\" mtx_weight=\"%d\" envelope_head=\"%d\"/>\n", i, written, envelope_head);
            envelope_head += written;
        }
        out.Printf("</matrix_array>\n");
    }
    progress.FinishStep(kProgressText);
}

}  // namespace korvo
