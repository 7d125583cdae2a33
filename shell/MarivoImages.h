// Routines frames and dialogs of every part of the program share: loading, scaling and
// drawing the core library's 32-bit bitmaps, colour conversions, the name of a raster chart
// as lists show it, the status-bar text of a position in a chosen grid, and the comparisons
// that tell the waypoint dialogs which properties differ among several selected objects.
// They keep no state. Positions are radians; GUI thread only.
#pragma once

#include "base/waypoints/KvWaypoints.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>

class QFont;
class QPainter;
class TImageList;

// ---- colours and icons ------------------------------------------------------------------

// A palette colour ($00BBGGRR, or $FF000000 + a system-colour index) as $AARRGGBB; system
// colours are taken from the application palette.
uint32_t ColorToARGB(TColor color, uint8_t alpha);
// Bytes 0 and 2 exchanged, byte 3 cleared.
uint32_t SwapRedBlue(uint32_t color);
// The desktop has no administrator-shield icon here: always -1, the list unchanged.
int AddShieldIconToImageList(TImageList *list);

// ---- bitmaps ------------------------------------------------------------------------------

// KvErr::ImageFormat when message is "JPEG error #" with a number, else def.
int32_t JPEGErrorToCode(const QString &message, int32_t def);
// Bits per pixel of a pixel-format code: 0 → 1, 2 → 4, 3 → 8, 4-6 → 16, 7 → 24, 8-9 → 32,
// any other code (1 included) → 0.
int32_t Bmp32FormatBitsPerPixel(int32_t format);
// By the extension, in any letter case: ".bmp" and ".tga" through the core library's
// loader, ".jpg" and ".png" through the image readers (PNG alpha kept, full opacity
// otherwise). err 0 on success; a JPEG that cannot be read KvErr::ImageDecode (or
// KvErr::ImageFormat for a decoder error number); a PNG the reader refuses
// KvErr::ImageSize, a missing PNG KvErr::ImageDecode; any other extension
// KvErr::ImageFormat with the bitmap empty. bitsPerPixel: of the file's pixels (0 unknown).
void LoadBmp32FromFile(const QString &fileName, IBmp32 *bmp, int32_t &bitsPerPixel,
                       int32_t &err);
// Resamples the bitmap to factor × its size, each side rounded half to even and at least 1.
// A factor of exactly 1 leaves it untouched; a factor ≤ 0 (or not finite) is refused:
// False, bitmap untouched.
bool ScaleBmp32(IBmp32 *bmp, float factor);
// columns × rows cells over the whole bitmap, seamless; even cells colour1, odd colour2.
void DrawCheckerboard(int columns, int rows, uint32_t colour1, IBmp32 *bmp, uint32_t colour2);
// image (may be nullptr) scaled by factor and centred on rect of the painter, over a copy
// of what the painter shows (copyBackground), a checkerboard of checkerCells² cells, or a
// fill with colour1.
void DrawBmp32Centered(IBmp32 *image, QPainter &canvas, const QRect &rect, bool copyBackground,
                       uint32_t colour2, uint32_t colour1, int checkerCells, float factor);
// The 3 × 3 name-position picker of the waypoint dialog, drawn at (0, 0). position numbers
// the cells down the columns (0-2 left column top to bottom, 3-5 middle, 6-8 right).
void DrawNamePositionPicker(QPainter &canvas, int width, int height, bool showName,
                            const QFont &font, int position, IBmp32 *icon);
// The cell of position in a picture of width × height, in the picker's fractional pixels.
TRectD NamePositionCell(int width, int height, int position);

// ---- chart names --------------------------------------------------------------------------

// "number - name"; the file name without folder when the chart has no name.
QString ChartDisplayName(IRasterChart *chart);
// "scale, number - name", with withEdition and a non-zero edition " (Edition n)".
QString ChartDisplayNameEx(IRasterChart *chart, bool withEdition);

// ---- position text ------------------------------------------------------------------------

// Grid kinds of FormatPositionInGrids.
namespace PositionGrid {
inline constexpr int Automatic = 0;
inline constexpr int LatLon = 1;
inline constexpr int Geocentric = 2;
inline constexpr int RD = 3;
inline constexpr int UTM = 4;
}  // namespace PositionGrid

// The datum a position is shown in, and how the suffix names it: kind 0 by its name,
// 1 " (shift)", 2 " (params)", any other kind no suffix.
struct TPositionDatum {
    int Kind = 0;
    IGeodeticDatum *Datum = nullptr;  // nullptr: the default datum
    QString Name;
};
// position in the default datum. Automatic becomes RD when chart (may be nullptr) is drawn
// on the RD grid, else latitude / longitude; an RD position off the grid and a UTM position
// without a zone fall back to latitude / longitude. formatIndex: the angle format (0-2).
QString FormatPositionInGrids(const TGeoPoint &position, int kind, const TPositionDatum &datum,
                              int formatIndex, IRasterChart *chart);

// ---- comparisons --------------------------------------------------------------------------

// Bits of properties in which some waypoint differs from the last one: 1 link, 2 type,
// 4 proximity, 8 scale, 16 sub name, 32 the comparison object. 0 for fewer than two.
uint32_t WaypointListDifferences(const QList<IWptWaypoint *> &waypoints);
struct TFontSpec {
    float Size = 0.0f;
    uint32_t Color = 0;
    TFontStyles Style = 0;
};
bool SameFontSpec(const TFontSpec &a, const TFontSpec &b);
// Bits of the label fonts in which some type differs from the last one: 1 light
// characteristic, 2 main text, 4 subtext.
uint32_t WaypointTypeFontDifferences(const QList<IWptWaypointType *> &types);
