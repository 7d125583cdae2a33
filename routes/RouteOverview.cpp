#include "routes/RouteOverview.h"

#include "base/texts/KvLanguage.h"
#include "routes/FraRoutesTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <cmath>

namespace {

constexpr int MaxFileNameLength = 120;

void AddRule(QStringList &out, const QStringList &selectors, const QStringList &declarations, bool last) {
    out << selectors << QStringLiteral("{");
    for (const QString &d : declarations) out << QStringLiteral("\t") + d;
    out << QStringLiteral("}");
    if (!last) out << QString();
}

void AddHead(QStringList &out, int tableWidth) {
    const QString width = tableWidth > 0 ? QStringLiteral("width: %1px;").arg(tableWidth)
                                         : QStringLiteral("width: 100%;");
    out << QStringLiteral("<html>") << QStringLiteral("\t<head>")
        << QStringLiteral("\t<style type=\"text/css\">") << QStringLiteral("\t<!--");
    AddRule(out, {QStringLiteral("body")}, {QStringLiteral("font-family: tahoma;"), QStringLiteral("margin: 0px;")}, false);
    AddRule(out, {QStringLiteral("table.route")},
            {width, QStringLiteral("font-size: 8pt;"), QStringLiteral("line-height: 12pt;"), QStringLiteral("clear: both;")}, false);
    AddRule(out, {QStringLiteral("table.route tr.header-caption,"), QStringLiteral("table.route tr.header-unit")},
            {QStringLiteral("color: #000;"), QStringLiteral("background-color: #fff;"), QStringLiteral("font-weight: bold;")}, false);
    AddRule(out, {QStringLiteral("table.route tr.header-caption")}, {QStringLiteral("font-weight: bold;")}, false);
    AddRule(out, {QStringLiteral("table.route tr.header-unit")}, {QStringLiteral("font-size: 7pt;")}, false);
    AddRule(out, {QStringLiteral("table.route tr.even")},
            {QStringLiteral("background-color: #f0f0f0;"), QStringLiteral("line-height: 18pt;")}, false);
    AddRule(out, {QStringLiteral("table.route tr.odd")},
            {QStringLiteral("background-color: #fff;"), QStringLiteral("line-height: 18pt;")}, false);
    AddRule(out, {QStringLiteral("table.route td")}, {QStringLiteral("padding: 0px 5px;")}, true);
    out << QStringLiteral("\t-->") << QStringLiteral("\t</style>") << QStringLiteral("</head>")
        << QStringLiteral("<body>");
}

void AddTitle(QStringList &out, const TRouteOverviewInput &in) {
    // With its semicolon: a bare "&nbsp" shows as text in a strict reader.
    const QString nbsp = QStringLiteral("&nbsp;");
    const auto text = [&](const QString &t) { return in.FirstPart ? RouteHtmlEscape(t) : nbsp; };
    out << (in.TableWidth > 0 ? QStringLiteral("<div style=\"margin: 5px 2px; width: %1px;\">").arg(in.TableWidth)
                              : QStringLiteral("<div style=\"margin: 5px 2px\">"))
        << QStringLiteral("<div style=\"font-size: 12pt; float: left\">") << text(in.Title) << QStringLiteral("</div>")
        << QStringLiteral("<div style=\"font-size: 12pt; float: right\">") << QStringLiteral("&nbsp;")
        << QStringLiteral("</div>")
        << QStringLiteral("<div style=\"font-size: 8pt; float: left; clear: left\">") << text(in.RouteLine)
        << QStringLiteral("</div>")
        << QStringLiteral("<div style=\"font-size: 8pt; float: right; clear: right\">")
        << text(in.SpeedLine) + QStringLiteral("<br />") << text(in.ConsumptionLine) << QStringLiteral("</div>")
        << QStringLiteral("</div>");
}

QString AlignText(TRouteAlign align) {
    switch (align) {
    case TRouteAlign::Left: return QStringLiteral("left");
    case TRouteAlign::Centre: return QStringLiteral("center");
    case TRouteAlign::Right: break;
    }
    return QStringLiteral("right");
}

void AddTableHead(QStringList &out, const TRouteOverviewInput &in) {
    out << QStringLiteral("<table class=\"route\" cellspacing=\"0\">") << QStringLiteral("<thead>")
        << QStringLiteral("<tr class=\"header-caption\">");
    for (const TRouteOverviewColumn &c : in.Columns)
        out << QStringLiteral("<td style=\"text-align: %1; width: %2px\">").arg(AlignText(c.Align)).arg(c.Width)
            << RouteHtmlEscape(c.Title) << QStringLiteral("</td>");
    out << QStringLiteral("</tr>") << QStringLiteral("<tr class=\"header-unit\">");
    for (const TRouteOverviewColumn &c : in.Columns)
        out << QStringLiteral("<td style=\"text-align: %1;\">").arg(AlignText(c.Align))
            << (c.Unit.isEmpty() ? QStringLiteral("&nbsp;") : c.Unit) << QStringLiteral("</td>");
    out << QStringLiteral("</tr>") << QStringLiteral("</thead>") << QStringLiteral("<tbody>");
}

QString CellColour(const QString &text, int column, bool timed, TDateTime arrival) {
    if (text == QStringLiteral("---") || (timed && arrival == 0.0)) return QStringLiteral(" color: #c0c0c0;");
    if (column == 25 && !timed && arrival == 0.0) return QStringLiteral(" color: #f00;");
    return {};
}

QString FirstCell(const TRteNodeData &r, const QString &number, const QString &folder) {
    if (r.Kind == RteNodeKind::RoutePoint && !r.HasItem)
        return QStringLiteral("<img src=\"%1\" alt=\"Route point\" align=\"left\" width=\"24\" height=\"24\" />")
                   .arg(RouteHtmlEscape(RouteImageUrl(folder, 18))) +
               number;
    if (r.Icon >= 0)
        return QStringLiteral("<img src=\"%1\" align=\"left\" width=\"24\" height=\"24\" />")
            .arg(RouteHtmlEscape(RouteImageUrl(folder, r.Icon)));
    return {};
}

void AddRows(QStringList &out, const TRouteOverviewInput &in) {
    const std::vector<TRteNodeData> &rows = *in.Rows;
    const bool timed = RouteRowsTimed(rows);
    int written = 0;
    for (int i = 0; i < int(rows.size()); ++i) {
        const TRteNodeData &r = rows[size_t(i)];
        if (!r.Visible) continue;
        out << (written++ % 2 == 0 ? QStringLiteral("<tr class=\"even\">") : QStringLiteral("<tr class=\"odd\">"));
        const TDateTime arrival = r.Arrival ? r.Arrival->TimeUTC : 0.0;
        for (const TRouteOverviewColumn &c : in.Columns) {
            const QString text = in.CellText(i, c.Column);
            out << QStringLiteral("<td style=\"text-align: %1;%2\">")
                       .arg(AlignText(c.Align), CellColour(text, c.Column, timed, arrival))
                << (c.Column == 0 ? FirstCell(r, text, in.ImageFolder) : RouteHtmlEscape(text))
                << QStringLiteral("</td>");
        }
        out << QStringLiteral("</tr>");
    }
}

// Characters above ASCII as character references: the page names no encoding, so any
// browser reads it the same.
QByteArray AsciiHtml(const QStringList &lines) {
    QByteArray out;
    for (const QString &line : lines) {
        for (const char32_t c : line.toUcs4()) {
            if (c < 0x80) out.append(char(c));
            else out.append("&#" + QByteArray::number(uint(c)) + ';');
        }
        out.append("\r\n");
    }
    return out;
}

}  // namespace

QString RouteHtmlEscape(const QString &text) { return text.toHtmlEscaped(); }

QString RouteImageUrl(const QString &imageFolder, int image) {
    return QString::fromLatin1(
        QUrl::fromLocalFile(imageFolder + QStringLiteral("Image%1.png").arg(image)).toEncoded());
}

bool RouteRowsTimed(const std::vector<TRteNodeData> &rows) {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (it->Kind == RteNodeKind::RoutePoint && !it->HasItem)
            return it->Arrival && it->Arrival->TimeUTC > 0.0;
    return false;
}

QStringList RouteOverviewHtml(const TRouteOverviewInput &in) {
    QStringList out;
    AddHead(out, in.TableWidth);
    AddTitle(out, in);
    AddTableHead(out, in);
    if (in.Rows && in.CellText) AddRows(out, in);
    out << QStringLiteral("</tbody>") << QStringLiteral("</table>") << QStringLiteral("</body>");
    return out;
}

int RouteUsableWidth(const TRoutePrinterMetrics &m, const TRouteMargins &margins) {
    return m.PhysicalWidth - int(std::lround((margins.Left + margins.Right) / 2.54 * m.Dpi));
}

TRoutePrintSplit RouteSplitParts(const std::vector<int> &widths, double scale, const TRoutePrinterMetrics &m) {
    const TRouteMargins first{std::max(m.LeftPhys, 1.5), std::max(m.RightPhys, 1.5)};
    const TRouteMargins further{m.LeftPhys, std::max(m.RightPhys, 1.5)};
    TRoutePrintSplit split;
    split.Parts.push_back({{}, first, 0});
    for (int i = 0; i < int(widths.size()); ++i) {
        const int w = int(std::lround(widths[size_t(i)] * scale));
        TRoutePrintPart *part = &split.Parts.back();
        // A column a fresh part cannot hold would be cut off whatever the split.
        if (w > RouteUsableWidth(m, further)) {
            split.Parts.clear();
            split.TooWide = i;
            return split;
        }
        if (part->Width + w > RouteUsableWidth(m, part->Margins)) {
            part->Margins.Right = m.RightPhys;
            if (!part->Columns.empty() && part->Width + w > RouteUsableWidth(m, part->Margins)) {
                split.Parts.push_back({{}, further, 0});
                part = &split.Parts.back();
            }
        }
        part->Columns.push_back(i);
        part->Width += w;
    }
    return split;
}

QString RoutePartLetter(int part, int partCount) {
    if (partCount < 2 || part < 1 || part > 19) return {};
    return QString(QChar(u'a' + (part - 1)));
}

QString RoutePageText(int page, const QString &letter, int pageCount) {
    QString text = LanguageText(RouteText::Page) + u' ' + QString::number(page) + letter;
    if (pageCount >= 2) text += u' ' + LanguageText(RouteText::Of) + u' ' + QString::number(pageCount);
    return text;
}

QString RouteSafeFileName(const QString &name) {
    QString safe;
    for (const QChar c : name)
        safe += c.unicode() < 0x20 || QStringLiteral("<>:\"/\\|?*").contains(c) ? QChar(u'_') : c;
    safe.truncate(MaxFileNameLength);
    while (!safe.isEmpty() && (safe.endsWith(u'.') || safe.endsWith(u' '))) safe.chop(1);
    while (!safe.isEmpty() && safe.startsWith(u' ')) safe.remove(0, 1);
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

bool RouteSaveImages(const QString &folder, const QList<QImage> &images, QString &failedFile) {
    for (int i = 0; i < images.size(); ++i) {
        const QString file = folder + QStringLiteral("Image%1.png").arg(i);
        if (!images[i].save(file, "PNG")) {
            failedFile = QDir::toNativeSeparators(file);
            return false;
        }
    }
    return true;
}

bool RouteWriteExport(const QString &folder, const QString &stamp, const QStringList &html,
                      const QList<QImage> &images, QString &failedFile) {
    const QString imageFolder = folder + stamp + u'/';
    const QString htmlFile = folder + stamp + QStringLiteral(".html");
    QDir base(folder);
    if (base.exists(stamp) || !base.mkdir(stamp)) {
        failedFile = stamp;
        return false;
    }
    QSaveFile file(htmlFile);
    const QByteArray data = AsciiHtml(html);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!written) failedFile = QDir::toNativeSeparators(htmlFile);
    if (written && RouteSaveImages(imageFolder, images, failedFile)) return true;
    if (written) QFile::remove(htmlFile);
    QDir(imageFolder).removeRecursively();
    return false;
}
