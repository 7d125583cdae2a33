// The route overview for print and export, free of widgets: the HTML page of the route
// table's visible rows and chosen columns, the split of the columns into horizontal parts
// that fit the paper, the page footer's texts, and the export's files on disk.
#pragma once

#include "routes/FraRoutesColumns.h"
#include "routes/RteNodeRows.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One chosen column as the overview shows it.
struct TRouteOverviewColumn {
    int Column = 0;
    QString Title;
    QString Unit;  // for HTML: "&nbsp;" when the column has none
    TRouteAlign Align = TRouteAlign::Right;
    int Width = 0;  // the table's width of the column, pixels
};

struct TRouteOverviewInput {
    std::vector<TRouteOverviewColumn> Columns;
    const std::vector<TRteNodeData> *Rows = nullptr;  // hidden rows are left out
    std::function<QString(int row, int column)> CellText;
    QString ImageFolder;  // local folder with a trailing '/'
    int TableWidth = 0;   // above 0: table and title block fixed to this width
    bool FirstPart = true;
    QString Title, RouteLine, SpeedLine, ConsumptionLine;
};

// '&', '<', '>' and '"' as entities: every text the overview takes from a route or a user.
QString RouteHtmlEscape(const QString &text);
// The file URL of an image of the export's folder, percent-encoded.
QString RouteImageUrl(const QString &imageFolder, int image);
// A route was timed when its last point has an arrival time.
bool RouteRowsTimed(const std::vector<TRteNodeData> &rows);
QStringList RouteOverviewHtml(const TRouteOverviewInput &in);

// Margins of a printed part, centimetres.
struct TRouteMargins {
    double Left = 0.0, Right = 0.0;
};
// What the split needs of the printer: dots per inch, the paper width in dots, and the
// unprintable edges left and right in centimetres.
struct TRoutePrinterMetrics {
    double Dpi = 600.0;
    int PhysicalWidth = 0;
    double LeftPhys = 0.0, RightPhys = 0.0;
};
int RouteUsableWidth(const TRoutePrinterMetrics &m, const TRouteMargins &margins);

struct TRoutePrintPart {
    std::vector<int> Columns;  // indices into the widths given to the split
    TRouteMargins Margins;
    int Width = 0;  // printer dots
};
struct TRoutePrintSplit {
    std::vector<TRoutePrintPart> Parts;
    int TooWide = -1;  // index of a column wider than any part; Parts is then empty
};
// Columns in order, widths in table pixels times scale (printer dots per screen pixel).
TRoutePrintSplit RouteSplitParts(const std::vector<int> &widths, double scale,
                                 const TRoutePrinterMetrics &m);

// "a".."s" for parts 1..19 of a split into several parts; empty otherwise.
QString RoutePartLetter(int part, int partCount);
// "Page 3b of 5"; without " of M" when the part has one page.
QString RoutePageText(int page, const QString &letter, int pageCount);

// A name usable as one file name inside a folder: path separators and characters no file
// system takes become '_', trailing dots and blanks go, the length is capped.
QString RouteSafeFileName(const QString &name);

// Writes "<folder><stamp>.html" and the images as "<folder><stamp>/ImageN.png". On failure
// nothing this call created is left behind and failedFile names what could not be written.
bool RouteWriteExport(const QString &folder, const QString &stamp, const QStringList &html,
                      const QList<QImage> &images, QString &failedFile);
// The images as "ImageN.png" into an existing folder.
bool RouteSaveImages(const QString &folder, const QList<QImage> &images, QString &failedFile);
