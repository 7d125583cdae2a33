// The chart view's toolbar glyphs (24 × 24), drawn once into the frame's two image lists so
// the night screen converts them with every other list of the program.
#pragma once

class TImageList;

namespace ViewerGlyph {
// ImageListToolbar.
inline constexpr int ZoomIn = 0;
inline constexpr int ZoomOut = 1;
inline constexpr int Lock100 = 2;
inline constexpr int ChartSelect = 4;
inline constexpr int Tracking = 5;
inline constexpr int NorthUp = 10;
inline constexpr int ChartManager = 13;
inline constexpr int DistanceCircles = 21;
inline constexpr int ToolbarCount = 22;
// ImageListToolbarS57.
inline constexpr int S57Base = 0;
inline constexpr int S57Standard = 1;
inline constexpr int S57Other = 2;
inline constexpr int S57SCAMIN = 3;
inline constexpr int S57Labels = 4;
inline constexpr int S57Soundings = 5;
inline constexpr int S57NoticeMarks = 6;
inline constexpr int S57BoundsOnly = 7;
inline constexpr int S57Buoys = 8;
inline constexpr int S57PickReport = 9;
inline constexpr int S57bENCs = 10;
inline constexpr int S57Count = 11;
}  // namespace ViewerGlyph

void FillViewerToolbarGlyphs(TImageList &list);
void FillViewerS57Glyphs(TImageList &list);
