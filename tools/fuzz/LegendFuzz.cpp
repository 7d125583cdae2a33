// libFuzzer harness for the legend file reader: any bytes load without a crash, and a
// damaged file leaves an empty legend or a consistent tree.
#include "chartview/KvLegend.h"

#include "base/files/KvStream.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(const TLegendNode &node, const TLegend &legend, int depth) {
    if (depth > TLegend::MaxDepth + 1) std::abort();
    for (int i = 0; i < node.GetNodeCount(); ++i) {
        const TLegendNode *child = node.GetNode(i);
        if (!child || child->Parent != &node) std::abort();
        (void)legend.GetBitmap(child->ImageIndex);
        (void)child->GetChildImageWidth();
        Check(*child, legend, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TLegend legend;
    TMemoryStream stream(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    legend.LoadFromStream(stream);
    Check(*legend.Root, legend, 0);
    for (const QImage &image : legend.Bitmaps)
        if (image.format() != QImage::Format_ARGB32) std::abort();
    return 0;
}
