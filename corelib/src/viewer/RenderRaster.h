// Raster charts on the view: pixels decoded by GDAL into 256 × 256 tiles kept in a
// process-wide cache, and resampled (nearest pixel) through the chart's calibration onto
// the view.
#pragma once

#include "viewer/RenderView.h"

#include <QImage>
#include <QString>
#include <array>

class IGeodeticCalibration;

namespace kv::render {

inline constexpr int TileSize = 256;

// Upper bound of the tile cache in bytes (the tile manager's cacheBytes).
void SetRasterTileCacheBytes(qint64 bytes);
// Drops every tile and open file of chart (before the file is replaced); all when empty.
void ReleaseRasterFile(const QString &file);

struct TRasterDrawParams {
    const TViewState *View = nullptr;
    std::array<float, 4> ColourFactors{1.0f, 1.0f, 1.0f, 0.0f};  // r, g, b, fade (0 none)
};

// Draws the chart into target (ARGB32 premultiplied, the view's size). Returns false with
// error when the file cannot be read; pixels outside the chart stay untouched.
bool DrawRasterChart(QImage &target, const QString &file, IGeodeticCalibration *calibration,
                     int chartWidth, int chartHeight, const TRasterDrawParams &p, QString &error);

// The chart's outline on the view, in pixels (empty when the calibration fails).
QPolygonF RasterChartOutline(IGeodeticCalibration *calibration, int chartWidth, int chartHeight,
                             const TViewState &view);

}  // namespace kv::render
