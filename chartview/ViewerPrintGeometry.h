// Where a printed chart view goes on the page, as pure arithmetic: the printed rectangle,
// the scale from screen to printer pixels, the centring bands and the tile grid.
#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

inline constexpr int PrintTileSize = 512;

// Halves round up (towards +infinity), as the printed rectangle needs.
int32_t RoundHalfUp(double v);

// The print size in printer pixels: the chosen width × height in mm (both non-zero) turned
// with the page, else the whole page.
QSize PrintSizePixels(int32_t widthMM, int32_t heightMM, bool landscape, double dpiX,
                      double dpiY, QSize page);

struct TPrintGeometry {
    // The printed rectangle; Right and Bottom exclusive (R.Left + PW = R.Right).
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    double Scale = 1.0;       // printer pixels per screen pixel
    bool FillHeight = false;  // the view fills the height, bands left and right
    double OffX = 0.0, OffY = 0.0;  // the bands, in printer pixels
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    QRect Rect() const { return QRect(Left, Top, Width(), Height()); }
};

// size: from PrintSizePixels; client: the view's size on screen. The scaled view's
// extent (D) is needed for the bands: dx, dy in printer pixels.
TPrintGeometry PrintPageGeometry(QSize page, QSize size, QSize client);
// The bands once the scaled view's extent is known.
void PrintCentring(TPrintGeometry &g, double dx, double dy);

// Whole tiles over the rectangle, row by row; the last column and row may reach past it.
std::vector<QRect> PrintTiles(const QRect &printed, int tileSize = PrintTileSize);
