#include "chartview/ViewerPrintGeometry.h"

#include <cmath>

int32_t RoundHalfUp(double v) {
    return int32_t(std::floor(v + 0.5));
}

QSize PrintSizePixels(int32_t widthMM, int32_t heightMM, bool landscape, double dpiX,
                      double dpiY, QSize page) {
    if (widthMM == 0 || heightMM == 0) return page;
    const int32_t across = landscape ? heightMM : widthMM;
    const int32_t down = landscape ? widthMM : heightMM;
    return QSize(RoundHalfUp(across * dpiX / 25.4), RoundHalfUp(down * dpiY / 25.4));
}

TPrintGeometry PrintPageGeometry(QSize page, QSize size, QSize client) {
    TPrintGeometry g;
    g.Right = page.width();
    g.Bottom = page.height();
    if (size.width() < page.width()) {
        g.Left = RoundHalfUp(page.width() / 2.0 - size.width() / 2.0);
        g.Right = RoundHalfUp(page.width() / 2.0 + size.width() / 2.0);
    }
    if (size.height() < page.height()) {
        g.Top = RoundHalfUp(page.height() / 2.0 - size.height() / 2.0);
        g.Bottom = RoundHalfUp(page.height() / 2.0 + size.height() / 2.0);
    }
    const double pw = g.Width(), ph = g.Height();
    const double cw = std::max(1, client.width()), ch = std::max(1, client.height());
    g.FillHeight = pw / ph >= cw / ch;
    g.Scale = g.FillHeight ? ph / ch : pw / cw;
    return g;
}

void PrintCentring(TPrintGeometry &g, double dx, double dy) {
    g.OffX = g.FillHeight ? (g.Width() - dx) / 2.0 : 0.0;
    g.OffY = g.FillHeight ? 0.0 : (g.Height() - dy) / 2.0;
}

std::vector<QRect> PrintTiles(const QRect &printed, int tileSize) {
    std::vector<QRect> tiles;
    const int columns = (printed.width() + tileSize - 1) / tileSize;
    const int rows = (printed.height() + tileSize - 1) / tileSize;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            tiles.emplace_back(printed.left() + tileSize * c, printed.top() + tileSize * r,
                               tileSize, tileSize);
    return tiles;
}
