// The route table's overview: exported as an HTML page with its icons, or printed in
// horizontal parts when the chosen columns do not fit the paper.
#include "routes/FraRoutes.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/graphics/KvImageList.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/FraRoutesTexts.h"
#include "routes/FrmRoutePrint.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {
constexpr int32_t UnitMetresPerSecond = 0x7800B;
constexpr int32_t UnitFuelFlowCore = 0xB800B;
constexpr int32_t UnitEnergy = 0x100000;
constexpr double FooterPoints = 12.0;

QString Stamp(const QString &name, TDateTime local) {
    return name + u' ' + FormatDateTime(QStringLiteral("(dd-mm-yyy hh.mm.ss)"), 1, local);
}

TDateTime LocalNow() {
    ITimeZones *tz = GlobalTimeZones();
    return tz ? GetLocalDateTime(tz->GetNowUTC()) : 0.0;
}

double PointsToDots(double points, double dpi) { return points / 72.0 * dpi; }
double CmToDots(double cm, double dpi) { return cm / 2.54 * dpi; }
}  // namespace

// The table's width of a column; a column hidden in the table keeps its stored width.
int TFrameRoutes::OverviewWidth(int column) const {
    if (!FHeader->isSectionHidden(column)) return FHeader->sectionSize(column);
    return RouteLoadColumns()[size_t(column)].Width;
}

std::vector<TRouteOverviewOffer> TFrameRoutes::OverviewOffers() {
    std::vector<TRouteOverviewOffer> offers;
    for (int place = 0; place < FHeader->count(); ++place) {
        const int column = FHeader->logicalIndex(place);
        if (column == 0 || !RouteColumnAvailable(column)) continue;
        offers.push_back({FModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), column});
    }
    return offers;
}

QList<QImage> TFrameRoutes::OverviewImages() const {
    QList<QImage> images;
    for (int i = 0; i < FImages->Count(); ++i) images << FImages->Image(i);
    return images;
}

// An overview of nothing is refused with the text the empty table shows.
bool TFrameRoutes::OverviewRefused() {
    const QString empty = EmptyCaption();
    if (empty.isEmpty()) return false;
    MsgBox(empty, mtError, MsgButtons({mbOK}));
    return true;
}

QString TFrameRoutes::OverviewStamp(TDateTime local) {
    IWptRoute *route = Route();
    QString name = route ? WptObjectGetName(route) : QString();
    if (name.isEmpty()) name = QStringLiteral("Marivo ") + LanguageText(RouteText::Route);
    return Stamp(RouteSafeFileName(name), local);
}

void TFrameRoutes::OverviewTitles(TRouteOverviewInput &in) {
    IWptRoute *route = Route();
    const QString name = route ? WptObjectGetName(route) : QString();
    in.Title = LanguageText(RouteText::OverviewTitle);
    in.RouteLine = LanguageText(RouteText::RouteName) + u' ' + (name.isEmpty() ? LanguageText(RouteText::NoName) : name);
    ILPBoatDef *boat = FEnv.ActiveBoatDef;
    if (!boat || !route) return;
    const int32_t mode = route->GetSpeedMode();
    const float speed = mode == 1 ? boat->GetVLow() : mode == 2 ? boat->GetVHigh() : boat->GetVCruise();
    const TFormatSettings &fs = LocaleFormatSettings();
    in.SpeedLine = LanguageText(RouteText::CruisingSpeed) + QStringLiteral(": ") +
                   FloatToStrFixed(UnitConvert(speed, UnitMetresPerSecond, FEnv.UnitSpeed), 7, 1, fs) + u' ' +
                   UnitToStr(FEnv.UnitSpeed);
    if (boat->GetElectric() != 0) {
        ILPBoatDefCurve *curve = boat->GetElectricCurve();
        const double value = curve ? curve->GetValueAt(speed) / 1000.0 * 3600.0 : 0.0;
        in.ConsumptionLine = LanguageText(RouteText::EnergyConsumption) + QStringLiteral(": ") +
                             FloatToStrFixed(value, 7, 1, fs) + u' ' + UnitToStr(UnitEnergy);
    } else {
        ILPBoatDefCurve *curve = boat->GetFuelCurve();
        const double value = curve ? UnitConvert(curve->GetValueAt(speed), UnitFuelFlowCore, FEnv.UnitFuelFlow) : 0.0;
        in.ConsumptionLine = LanguageText(RouteText::FuelConsumption) + QStringLiteral(": ") +
                             FloatToStrFixed(value, 7, 1, fs) + u' ' + UnitToStr(FEnv.UnitFuelFlow);
    }
}

QStringList TFrameRoutes::BuildOverviewHtml(const std::vector<int> &columns, const QString &imageFolder,
                                            int tableWidth) {
    TRouteOverviewInput in;
    const TRouteCellContext context = CellContext();
    const bool electric = context.Electric;
    for (int column : columns) {
        in.Columns.push_back({column, column == 0 ? QString() : RouteColumnTitle(column, electric),
                              RouteUnitText(column, context, true), RouteColumnDef(column).Align,
                              OverviewWidth(column)});
    }
    in.Rows = &FModel->Rows();
    in.CellText = [this, &context](int row, int column) {
        return RouteCellText(FModel->Rows(), row, column, context);
    };
    in.ImageFolder = imageFolder;
    in.TableWidth = tableWidth;
    in.FirstPart = FPrintPart <= 1;
    OverviewTitles(in);
    return RouteOverviewHtml(in);
}

void TFrameRoutes::ExportOverview() {
    if (OverviewRefused()) return;
    std::vector<int> columns;
    if (!ExecuteRouteExport(RouteColumnsKey, columns, OverviewOffers(), this)) return;
    columns.insert(columns.begin(), 0);
    int tableWidth = 0;
    for (int column : columns) tableWidth += OverviewWidth(column);
    FPrintPart = FPrintParts = 1;
    const QString folder = RouteExportFolder();
    const QString stamp = OverviewStamp(LocalNow());
    QString failed;
    const QStringList html = BuildOverviewHtml(columns, folder + stamp + u'/', tableWidth);
    if (!RouteWriteExport(folder, stamp, html, OverviewImages(), failed))
        MsgBox(LanguageText(RouteText::CannotWrite).arg(failed), mtError, MsgButtons({mbOK}));
}

void TFrameRoutes::PrintOverview() {
    if (OverviewRefused()) return;
    QPrinter printer(QPrinter::HighResolution);
    int orientation = 1;
    std::vector<int> columns;
    if (!ExecuteRoutePrint(RouteColumnsKey, orientation, columns, OverviewOffers(), printer, this)) return;
    columns.insert(columns.begin(), 0);
    if (ConfigurePrinter) ConfigurePrinter(printer);
    printer.setPageOrientation(orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    printer.setFullPage(true);
    const double dpi = printer.resolution();
    const double scale = dpi / std::max(1, logicalDpiX());
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF edges = layout.minimumMargins();
    TRoutePrinterMetrics metrics{dpi, layout.fullRectPixels(int(dpi)).width(), edges.left() / 10.0, edges.right() / 10.0};
    std::vector<int> widths;
    for (int column : columns) widths.push_back(OverviewWidth(column));
    const TRoutePrintSplit split = RouteSplitParts(widths, scale, metrics);
    if (split.TooWide >= 0) {
        const int column = columns[size_t(split.TooWide)];
        MsgBox(LanguageText(RouteText::ColumnTooWide).arg(RouteColumnTitle(column, CellContext().Electric)), mtError,
               MsgButtons({mbOK}));
        return;
    }
    FPrintTime = LocalNow();
    // The page refers to its icons as files; printing goes on without them where the
    // temporary folder cannot be made.
    const QString images = GetTempDir() + QStringLiteral("Marivo Route ") +
                           FormatDateTime(QStringLiteral("(dd-mm-yyy hh.mm.ss)"), 1, FPrintTime) + u'/';
    QString failed;
    const bool created = QDir().mkpath(images) && RouteSaveImages(images, OverviewImages(), failed);
    QPainter painter;
    if (painter.begin(&printer)) {
        FPrintParts = int(split.Parts.size());
        FPrintFirstPage = true;
        for (int p = 0; p < FPrintParts; ++p) {
            FPrintPart = p + 1;
            std::vector<int> partColumns;
            for (int i : split.Parts[size_t(p)].Columns) partColumns.push_back(columns[size_t(i)]);
            PrintPart(printer, painter, partColumns, split.Parts[size_t(p)].Margins, images);
        }
        painter.end();
    } else {
        MsgBox(LanguageText(RouteText::NoPrinter), mtError, MsgButtons({mbOK}));
    }
    FPrintPart = FPrintParts = 1;
    if (created || QDir(images).exists()) QDir(images).removeRecursively();
}

void TFrameRoutes::PrintPart(QPrinter &printer, QPainter &painter, const std::vector<int> &columns,
                             const TRouteMargins &margins, const QString &imageFolder) {
    const double dpi = printer.resolution();
    const double scale = dpi / std::max(1, logicalDpiX());
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF edges = layout.minimumMargins();
    const QRect paper = layout.fullRectPixels(int(dpi));
    const double top = CmToDots(std::max(edges.top() / 10.0, 1.0), dpi);
    const double bottom = CmToDots(std::max(edges.bottom() / 10.0, 1.0), dpi);
    const double left = CmToDots(margins.Left, dpi);
    const QRectF body(left, top, paper.width() - left - CmToDots(margins.Right, dpi),
                      paper.height() - top - bottom - PointsToDots(FooterPoints, dpi));
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setHtml(BuildOverviewHtml(columns, imageFolder, 0).join(u'\n'));
    // Laid out at screen resolution like the table, and scaled onto the paper.
    const QSizeF page(body.width() / scale, body.height() / scale);
    document.setPageSize(page);
    FPrintPages = document.pageCount();
    for (int n = 0; n < FPrintPages; ++n) {
        if (!FPrintFirstPage) printer.newPage();
        FPrintFirstPage = false;
        painter.save();
        painter.translate(body.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -n * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, n * page.height(), page.width(), page.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        PrintFooter(painter, QRectF(body.left(), body.bottom(), body.width(), PointsToDots(FooterPoints, dpi)), n + 1);
    }
}

void TFrameRoutes::PrintFooter(QPainter &painter, const QRectF &area, int page) {
    painter.save();
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString text = RoutePageText(page, RoutePartLetter(FPrintPart, FPrintParts), FPrintPages);
    QRectF rest = area;
    const double marker = painter.fontMetrics().height() * 1.2;
    const auto paintMarker = [&](const QRectF &box, const QString &sign) {
        painter.fillRect(box, QColor(0x80, 0x80, 0x80));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, sign);
        painter.setPen(Qt::black);
    };
    if (FPrintPart > 1) {
        paintMarker(QRectF(rest.left(), rest.bottom() - marker, marker, marker), QStringLiteral("\u00AB"));
        rest.setLeft(rest.left() + marker * 1.5);
    } else {
        painter.drawText(rest, Qt::AlignLeft | Qt::AlignBottom,
                         FormatDateTime(QStringLiteral("dddddd (tt)"), 1, FPrintTime));
    }
    if (FPrintPart < FPrintParts) {
        paintMarker(QRectF(rest.right() - marker, rest.bottom() - marker, marker, marker), QStringLiteral("\u00BB"));
        rest.setRight(rest.right() - marker * 1.5);
    }
    painter.drawText(rest, Qt::AlignRight | Qt::AlignBottom, text);
    painter.restore();
}
