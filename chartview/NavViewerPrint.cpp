// Printing the navigation viewer's view: the page geometry, the tiles the core viewer
// renders, the tracks, overlays, frame and information box.
#include "chartview/NavViewerControl.h"

#include "base/geodesy/KvGeodetic.h"
#include "base/kvlib/KvErrors.h"
#include "base/texts/KvLanguage.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/ViewerPrintGeometry.h"
#include "chartview/ViewerPrintTrack.h"

#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace {

const TLanguageStrings PrintJobTitle = {
    "%s - Print Job (%s copies)", "%s - Print taak (%s copiën)",
    "%s - Auftrag drucken (%s Kopien)", "%s - Tâche d'impression (%s copies)",
    "%s - Trabajo de impresión (%s copias)", "%s - Lavoro di stampa (%s copie)",
    "%s - Udskriftsjob (%s kopier)", "%s - Utskriftsjobb (%s kopior)"};
const TLanguageStrings RightsNotice = {
    "All rights reserved.", "Alle rechten voorbehouden.", "Alle Rechte vorbehalten.",
    "Tous droits réservés.", "Todos los derechos reservados.", "Tutti i diritti riservati.",
    "Alle rettigheder forbeholdes.", "Alla rättigheter förbehållna."};

QString ApplicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Marivo Ostrel") : name;
}

// The families of the Part's choice when installed, else the application's sans font.
QString FontFamily(const QString &wanted) {
    if (QFontDatabase::families().contains(wanted)) return wanted;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

void Check(IGeodeticCalibration *cal, int32_t err, int step) {
    const QString where = QStringLiteral("TChartViewer.Print(%1)").arg(step);
    RaiseIfGeodeticError(where, cal);
    if (err != 0) throw Exception(where + QStringLiteral(": ") + ErrorToStrA(err));
}

// A file printer cannot abort: the partial file is removed instead.
void AbortJob(QPrinter &printer, QPainter &painter) {
    const bool aborted = printer.abort();
    painter.end();
    if (!aborted && !printer.outputFileName().isEmpty()) QFile::remove(printer.outputFileName());
}

TDouble2 Scaled(const TDouble2 &p, double s) {
    return {(p.X + 0.5) * s - 0.5, (p.Y + 0.5) * s - 0.5};
}

}  // namespace

void TNavViewerControl::Print(QPrinter &printer, int32_t widthMM, int32_t heightMM,
                              uint8_t flags, uint8_t orientation, int32_t &result) {
    result = 0;
    PrintFlags = flags;
    printer.setDocName(LanguageText(PrintJobTitle)
                           .replace(QStringLiteral("%s"), ApplicationTitle())
                           .replace(ApplicationTitle() + QStringLiteral(" - "), QString())
                           .prepend(ApplicationTitle() + QStringLiteral(" - "))
                           .replace(QStringLiteral("%s"), QString::number(printer.copyCount())));
    if (orientation == 0)
        printer.setPageOrientation(width() > height() ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    else if (orientation == 1) printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == 2) printer.setPageOrientation(QPageLayout::Landscape);
    const QColor old = Color;
    Color = Qt::white;
    try {
        PrintView(printer, widthMM, heightMM, result);
    } catch (...) {
        Color = old;
        throw;
    }
    Color = old;
    QCoreApplication::processEvents();
}

void TNavViewerControl::PrintView(QPrinter &printer, int32_t widthMM, int32_t heightMM,
                                  int32_t &result) {
    result = 0;
    IGeodeticCalibration *view = GetCalibration();
    TNavPtr<IBmp32> bitmap(Bmp32Create(PrintTileSize, PrintTileSize, 1));
    TNavPtr<IGeodeticCalibration> pageCal(GeodeticCalibrationCreate());
    TNavPtr<IGeodeticCalibration> tileCal(GeodeticCalibrationCreate());
    QPainter painter;
    if (!painter.begin(&printer)) {
        result = 90;
        return;
    }
    FPrintPainter = &painter;
    try {
        if (!view) throw Exception(QStringLiteral("TChartViewer.Print(1): no view"));
        const QSize page(printer.width(), printer.height());
        const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
        const QSize size = PrintSizePixels(widthMM, heightMM, landscape, printer.logicalDpiX(),
                                           printer.logicalDpiY(), page);
        TPrintGeometry g = PrintPageGeometry(page, size, QSize(width(), height()));
        TDouble2 p1{}, p2{}, p3{};
        TGeoPoint c1{}, c2{}, c3{};
        view->GetPixelPoints(p1, p2, p3);
        view->GetGeoPoints(c1, c2, c3);
        const TProjectionRef projection = *view->GetProjection();
        const TDouble2 s1 = Scaled(p1, g.Scale), s2 = Scaled(p2, g.Scale), s3 = Scaled(p3, g.Scale);
        const double dx = s2.X - s1.X, dy = s3.Y - s1.Y;
        int32_t err = 0;
        pageCal->Init(s1, s2, s3, c1, c2, c3, RoundHalfUp(dx), RoundHalfUp(dy), projection, err);
        Check(pageCal.get(), err, 1);
        PrintCentring(g, dx, dy);
        TGeoPoint a{}, b{}, c{};
        pageCal->PixelToGeo(a, TDouble2{s1.X - g.OffX, s1.Y - g.OffY});
        pageCal->PixelToGeo(b, TDouble2{s2.X + g.OffX, s2.Y - g.OffY});
        pageCal->PixelToGeo(c, TDouble2{s3.X + g.OffX, s3.Y + g.OffY});
        pageCal->Init({g.Left - 0.5, g.Top - 0.5}, {g.Right - 0.5, g.Top - 0.5},
                      {g.Right - 0.5, g.Bottom - 0.5}, a, b, c, g.Width(), g.Height(), projection,
                      err);
        Check(pageCal.get(), err, 2);
        const double paperWidthMM = printer.pageLayout().fullRect(QPageLayout::Millimeter).width();
        const double resolution = std::max(size.width(), size.height()) / (paperWidthMM / 1000.0);
        const TRect all{0, 0, PrintTileSize, PrintTileSize};
        for (const QRect &tile : PrintTiles(g.Rect())) {
            TGeoPoint t1{}, t2{}, t3{};
            const double l = tile.left() - 0.5, t = tile.top() - 0.5;
            const double r = tile.left() + PrintTileSize - 0.5, bt = tile.top() + PrintTileSize - 0.5;
            pageCal->PixelToGeo(t1, TDouble2{l, t});
            pageCal->PixelToGeo(t2, TDouble2{r, t});
            pageCal->PixelToGeo(t3, TDouble2{r, bt});
            const double edge = PrintTileSize - 0.5;
            tileCal->Init({-0.5, -0.5}, {edge, -0.5}, {edge, edge}, t1, t2, t3, PrintTileSize,
                          PrintTileSize, projection, err);
            Check(tileCal.get(), err, 3);
            PrintTile(tileCal.get(), bitmap.get(), resolution);
            bool abort = false;
            PrintProgress(bitmap.get(), tileCal.get(), abort);
            if (abort) {
                result = 2;
                AbortJob(printer, painter);
                FPrintPainter = nullptr;
                return;
            }
            // The last column and row reach past the printed area; what lies outside it
            // belongs to the margins the user asked for.
            painter.save();
            painter.setClipRect(g.Rect());
            const TRect dst{tile.left(), tile.top(), tile.left() + PrintTileSize,
                            tile.top() + PrintTileSize};
            bitmap->DrawTo(&painter, dst, all);
            painter.restore();
        }
        PrintDecorations(TRect{g.Left, g.Top, g.Right, g.Bottom}, pageCal.get());
    } catch (...) {
        // Nothing of a failed job reaches the paper.
        AbortJob(printer, painter);
        FPrintPainter = nullptr;
        throw;
    }
    painter.end();
    FPrintPainter = nullptr;
}

void TNavViewerControl::PrintProgress(IBmp32 *bitmap, IGeodeticCalibration *cal, bool &abort) {
    // The waiting dialog's cancel button needs the events of the tiles' time.
    QCoreApplication::processEvents();
    TS3DChartViewerControl::PrintProgress(bitmap, cal, abort);
}

void TNavViewerControl::PrintTracks(QPainter &painter, IGeodeticCalibration *cal) {
    QFont font(FontFamily(QStringLiteral("Tahoma")));
    // 7 screen pixels: about 5 points on paper.
    font.setPointSizeF(5.25);
    const int32_t offset = NavMsgGetGPSClock()->GetUTCOffset();
    TNavPtr<INavTrackList> list(NavTrackListCreate(0));
    GetTrackList(list.get());
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        auto *track = static_cast<INavTrack *>(list->GetItem(i));
        const QString name = NavTrackGetName(track);
        PrintTrack(track, GetTrackTimeInterval(), GetTrackPointInterval(), offset, cal, painter,
                   font, name, name);
    }
    INavActiveTrackSource *source = GetActiveTrackSource();
    if (source && source->HasTrack()) {
        INavTrack *track = source->GetTrack();
        const QString name = NavTrackGetName(track);
        PrintTrack(track, GetTrackTimeInterval(), GetTrackPointInterval(), offset, cal, painter,
                   font, name, name);
    }
}

void TNavViewerControl::PrintDecorations(const TRect &r, IGeodeticCalibration *cal) {
    if (QPainter *painter = FPrintPainter) {
        if (PrintFlags & 0x1) PrintTracks(*painter, cal);
        PrintOverlays(painter, cal, PrintFlags & 0x2, PrintFlags & 0x1, PrintFlags & 0x4);
        PrintInformationBox(*painter, r);
    }
    TS3DChartViewerControl::PrintDecorations(r, cal);
}

void TNavViewerControl::PrintInformationBox(QPainter &painter, const TRect &r) {
    QPaintDevice *d = painter.device();
    const double pxX = d->logicalDpiX() / 25.4, pxY = d->logicalDpiY() / 25.4;
    const auto mmW = [&](const QFont &f, const QString &t) {
        return QFontMetricsF(f, d).horizontalAdvance(t) / pxX;
    };
    const auto mmH = [&](const QFont &f) { return QFontMetricsF(f, d).height() / pxY; };
    const QStringList lines{LanguageText(RightsNotice)};
    const QString family = FontFamily(QStringLiteral("Arial"));
    QFont title(family, 10, QFont::Bold), date(family, 10), line(family, 8);
    const QString titleText = ApplicationTitle() + QLatin1Char(' ');
    const QString dateText = QLocale().toString(QDateTime::currentDateTime(), QLocale::LongFormat);
    const double titleH = mmH(title), titleW = mmW(title, titleText), dateW = mmW(date, dateText);
    const double lineH = mmH(line);
    double bw = titleW + dateW;
    for (const QString &l : lines) bw = std::max(bw, mmW(line, l));
    const int n = int(lines.size());
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)));
    const QRectF box(QPointF(r.Left + 2 * pxX, r.Bottom - (n * (lineH + 0.5) + 6 + titleH) * pxY),
                     QPointF(r.Left + (bw + 6) * pxX, r.Bottom - 2 * pxY));
    painter.fillRect(box, Qt::white);
    const double textTop = r.Bottom - (n * (lineH + 0.5) + 4 + titleH) * pxY;
    painter.setFont(title);
    painter.drawText(QPointF(r.Left + 4 * pxX, textTop + QFontMetricsF(title, d).ascent()), titleText);
    painter.setFont(date);
    painter.drawText(QPointF(r.Left + (4 + titleW) * pxX, textTop + QFontMetricsF(date, d).ascent()),
                     dateText);
    painter.setFont(line);
    for (int i = 1; i <= n; ++i) {
        const double top = r.Bottom - (i * (lineH + 0.5) + 4 - 0.5) * pxY;
        painter.drawText(QPointF(r.Left + 4 * pxX, top + QFontMetricsF(line, d).ascent()),
                         lines[n - i]);
    }
    painter.setPen(QPen(Qt::black, 0.3 * pxY));
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.setPen(QPen(Qt::black, 0.3 * pxX));
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.drawLine(box.topRight(), box.bottomRight());
    painter.restore();
}
