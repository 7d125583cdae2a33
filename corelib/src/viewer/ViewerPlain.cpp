// The plain chart viewer (S3DChartViewerCreate).
#include "viewer/ViewerFace.h"

namespace {

class TS3DChartViewer final : public kv::render::TChartViewerFace<IS3DChartViewer> {
public:
    using TChartViewerFace::TChartViewerFace;
};

}  // namespace

IS3DChartViewer *S3DChartViewerCreate(IS3D *, WindowHandle wnd, void *, int32_t viewerIndex, IS3DTileManager *,
                                      IS3DOSMTileManager *, IS57ChartLoader *loader, IS3DChartDataCache *cache) {
    return new TS3DChartViewer(wnd, viewerIndex, loader, cache);
}
