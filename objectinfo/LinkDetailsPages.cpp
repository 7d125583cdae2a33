#include "objectinfo/LinkDetailsPages.h"

#include "base/marina/KvMarinaGuide.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsTexts.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QFileInfo>
#include <QUrl>

namespace {

// The page is handed to the view as Unicode text, so the meta line declares what it is.
const char *const TemplateLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">",
    "<html>",
    "<head>",
    "  <title>Waypoint properties</title>",
    "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
    "  <style type=\"text/css\">",
    "    body { font-family: \"Tahoma\", \"Verdana\", Sans-Serif; line-height: 1.5em; font-size: 0.9em; }",
    "  </style>",
    "</head>",
    "<body>",
    "  <div class=\"container\">",
    "    <div class=\"shadow1\">",
    "      <div class=\"shadow2\">",
    "        <!-- contents -->",
    "      </div>",
    "    </div>",
    "  </div>",
    "</body>",
    "</html>",
};

const QString Indent16 = QString(16, QLatin1Char(' '));

QString Line(const QString &text) { return text + PageLineEnd; }

QChar FirstLetter(const TLanguageStrings &table) {
    const QString text = LanguageText(table);
    return text.isEmpty() ? QChar() : text.at(0);
}

QString MailLink(const QString &address) {
    return QStringLiteral("<a href=\"mailto:%1\">%2</a>")
        .arg(HTMLEncode(address), HTMLEncode(address));
}

QString CallLink(const QString &number) {
    return QStringLiteral("tel. <a href=\"callto:%1\">%2</a>")
        .arg(HTMLEncode(number), HTMLEncode(number));
}

bool IsFile(const QString &text) { return !text.isEmpty() && QFileInfo(text).isFile(); }

QString SectorColour(const QString &code) {
    if (code == QLatin1String("1")) return QStringLiteral("wit");
    if (code == QLatin1String("2")) return QStringLiteral("geen");
    if (code == QLatin1String("3")) return QStringLiteral("rood");
    if (code == QLatin1String("4")) return QStringLiteral("groen");
    // A sector must never show a colour it does not have: show the code itself.
    return QLatin1Char('?') + HTMLEncode(code);
}

QString SectorLightLines(const QString &link) {
    const TDynStringArray f = SplitString(link.mid(3), QLatin1Char(';'));
    const int n = int(f.size());
    QString out = Line(Indent16 + QStringLiteral("Hoogte: ") + HTMLEncode(n > 0 ? f[0] : QString()) +
                       QStringLiteral(" m<br />"));
    for (int i = 1; i < n - 2; i += 2)
        out += Line(Indent16 + QStringLiteral("Van ") + HTMLEncode(f[size_t(i)]) +
                    QStringLiteral(" - ") + HTMLEncode(f[size_t(i + 2)]) +
                    QStringLiteral(" graden, kleur: ") + SectorColour(f[size_t(i + 1)]) +
                    QStringLiteral("<br />"));
    return out;
}

}  // namespace

QString PaddedTemplate(const char *const *lines, int count) {
    QString out;
    for (int i = 0; i < count; ++i) out += Line(QString::fromUtf8(lines[i]).leftJustified(90));
    return out;
}

QString ReplaceContentsMarker(const QString &templ, const QString &fragment) {
    const QString marker = QString::fromUtf16(PageContentsMarker);
    const qsizetype at = templ.indexOf(marker, 0, Qt::CaseSensitive);
    if (at < 0) return templ;
    QString page = templ;
    return page.replace(at, marker.size(), fragment);
}

QString WrapDetailsPage(const QString &fragment) {
    static const QString templ =
        PaddedTemplate(TemplateLines, int(sizeof TemplateLines / sizeof TemplateLines[0]));
    return ReplaceContentsMarker(templ, fragment);
}

QString FragmentBegin() {
    return Line(QStringLiteral("          <div class=\"contents\">")) +
           Line(QStringLiteral("            <!-- contents -->"));
}

QString FragmentEnd() { return Line(QStringLiteral("          </div>")); }

QString TextLine(const QString &label, const QString &value) {
    if (value.isEmpty()) return QString();
    return Line(Indent16 + label + QStringLiteral(": ") + value + QStringLiteral("<br />"));
}

QString YesNoLine(const QString &label, bool flag) {
    QString caption = LanguageText(flag ? KvStr::BtnYes : KvStr::BtnNo);
    caption.remove(QLatin1Char('&'));
    return Line(Indent16 + label + QStringLiteral(": ") + caption + QStringLiteral("<br />"));
}

QString AngleText(double angleRad, int32_t positionFormat, int32_t kind) {
    QString text;
    const bool lat = kind == 1;
    AngleToStr1(DefAngleDecimalsFor(positionFormat),
                FirstLetter(lat ? KvStr::CompassPointN : KvStr::CompassPointE),
                FirstLetter(lat ? KvStr::CompassPointS : KvStr::CompassPointW), angleRad,
                positionFormat, kind, 1, text);
    return text;
}

bool IsTelephoneNumber(const QString &word) {
    if (word.size() < 2 || word.at(0) != QLatin1Char('+')) return false;
    for (qsizetype i = 1; i < word.size(); ++i)
        if (word.at(i) < QLatin1Char('0') || word.at(i) > QLatin1Char('9')) return false;
    return true;
}

QString WebsiteHref(const QString &website) {
    const QString trimmed = website.trimmed();
    if (QUrl(trimmed).scheme().isEmpty() || !trimmed.contains(QLatin1Char(':')))
        return QStringLiteral("http://") + trimmed;
    return trimmed;
}

QString FileLinkHtml(const QString &file) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(HTMLEncode(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString()),
             HTMLEncode(QFileInfo(file).fileName()));
}

QString SubNameHtml(const QString &subName) {
    // The file test takes the text as typed: encoding first would hide names with "&".
    if (IsFile(subName)) return FileLinkHtml(subName);
    QString out;
    for (const QString &word : SplitString(subName, QLatin1Char(' '))) {
        if (word.isEmpty()) continue;
        if (word.contains(QLatin1Char('@')))
            out += MailLink(word);
        else if (IsTelephoneNumber(word))
            out += CallLink(word);
        else
            out += HTMLEncode(word);
        out += QLatin1Char(' ');
    }
    return out;
}

QString WaypointLinkLines(const QString &link) {
    if (link.isEmpty()) return QString();
    QString value;
    if (link.contains(QLatin1Char('@')))
        value = MailLink(link);
    else if (IsTelephoneNumber(link))
        value = CallLink(link);
    else if (IsFile(link))
        value = FileLinkHtml(link);
    else if (link.startsWith(QLatin1String("sl:"), Qt::CaseSensitive))
        return SectorLightLines(link);
    else
        value = QStringLiteral("<a href=\"%1\">%2</a>").arg(HTMLEncode(link), HTMLEncode(link));
    return TextLine(LanguageText(LinkDetailsStr::Link), value);
}

QString BuildGeoAddPage(IGeoAddsEntry *entry, int pictureWidthPx) {
    if (!entry) return QString();
    const QString html = GeoAddsEntryGetHTML(entry);
    if (!html.isEmpty()) return html;
    using namespace LinkDetailsStr;
    QString f = FragmentBegin();
    if (entry->GetPictureOffset() >= 0)
        f += Line(QStringLiteral("<img src=\"%1\" width=\"%2\"><br />")
                      .arg(entry->GetPictureOffset())
                      .arg(pictureWidthPx > 0 ? QString::number(pictureWidthPx) : QStringLiteral("100%")));
    f += Line(QStringLiteral("<p>"));
    f += Line(QStringLiteral("<b>") + HTMLEncode(GeoAddsEntryGetName(entry)) + QStringLiteral("</b><br />"));
    f += Line(HTMLEncode(GeoAddsEntryGetAddress(entry)) + QStringLiteral(", ") +
              HTMLEncode(GeoAddsEntryGetPlace(entry)) + QStringLiteral("</p>"));
    f += Line(QStringLiteral("<p><b>") + LanguageText(ContactDetails) + QStringLiteral("</b><br />"));
    f += TextLine(LanguageText(TelephoneNumber), HTMLEncode(GeoAddsEntryGetPhone(entry)));
    const QString mail = GeoAddsEntryGetEmail(entry);
    if (!mail.isEmpty()) f += TextLine(LanguageText(EmailAddress), MailLink(mail));
    const QString web = GeoAddsEntryGetWebsite(entry);
    if (!web.isEmpty())
        f += TextLine(LanguageText(Website), QStringLiteral("<a href=\"%1\">%2</a>")
                                                 .arg(HTMLEncode(WebsiteHref(web)), HTMLEncode(web)));
    f += Line(QStringLiteral("</p>"));
    const QString hours = GeoAddsEntryGetOpeningHours(entry);
    if (!hours.isEmpty())
        f += Line(QStringLiteral("<p><b>") + LanguageText(OpeningHours) + QStringLiteral("</b><br />")) +
             Line(HTMLEncode(hours) + QStringLiteral("</p>"));
    f += Line(QStringLiteral("<p><b>") + LanguageText(ExtraInformation) + QStringLiteral("</b><br />"));
    f += YesNoLine(LanguageText(Mooring), entry->HasMooring());
    f += YesNoLine(LanguageText(Terrace), entry->HasTerrace());
    f += TextLine(LanguageText(Specialty), HTMLEncode(GeoAddsEntryGetSpecialty(entry)));
    f += Line(QStringLiteral("</p>"));
    const QString comments = GeoAddsEntryGetComments(entry);
    if (!comments.isEmpty())
        f += Line(QStringLiteral("<p><b>") + LanguageText(Comments) + QStringLiteral("</b><br />")) +
             Line(HTMLEncode(comments) + QStringLiteral("</p>"));
    return WrapDetailsPage(f + FragmentEnd());
}

QString BuildWaypointPage(IWptWaypoint *waypoint, int32_t positionFormat) {
    if (!waypoint) return QString();
    using namespace LinkDetailsStr;
    QString f = FragmentBegin();
    f += TextLine(LanguageText(Name), HTMLEncode(WptObjectGetName(waypoint)));
    if (const TGeoPoint *p = waypoint->GetPosition()) {
        f += TextLine(LanguageText(Latitude), AngleText(p->Lat, positionFormat, 1));
        f += TextLine(LanguageText(Longitude), AngleText(p->Lon, positionFormat, 2));
    }
    f += TextLine(LanguageText(Subtext), SubNameHtml(WptWaypointGetSubName(waypoint)));
    IWptWaypointType *type = waypoint->GetType();
    f += TextLine(LanguageText(Type), type ? HTMLEncode(WptObjectGetName(type)) : QString());
    f += WaypointLinkLines(WptWaypointGetLink(waypoint));
    return WrapDetailsPage(f + FragmentEnd());
}

QString BuildStructPage(IWWStruct *structure, IGeodeticCalibration *calibration,
                        int32_t positionFormat) {
    if (!structure) return QString();
    using namespace LinkDetailsStr;
    QString f = FragmentBegin();
    f += TextLine(LanguageText(Name), HTMLEncode(WWStructGetName(structure)));
    // The chart view's calibration is absent while no view exists.
    if (calibration) {
        TDouble2 mapPoint{};
        calibration->ConvertGlobalPoint(mapPoint, structure->GetGlobalPosition());
        TGeoPoint geo{};
        calibration->PixelToGeo(geo, mapPoint);
        f += TextLine(LanguageText(Latitude), AngleText(geo.Lat, positionFormat, 1));
        f += TextLine(LanguageText(Longitude), AngleText(geo.Lon, positionFormat, 2));
    }
    QString label, subtext;
    WWStructGetTexts(structure, label, subtext);
    f += TextLine(LanguageText(Subtext), HTMLEncode(subtext));
    return WrapDetailsPage(f + FragmentEnd());
}

QString PicturePage(const QString &file) {
    const QString name = HTMLEncode(QFileInfo(file).fileName());
    return QStringLiteral("<html><head><title>%1</title></head><body><img src=\"%2\"></body></html>")
        .arg(name, HTMLEncode(file));
}

QString TextFilePage(const QString &file, const QString &text) {
    return QStringLiteral("<html><head><title>%1</title></head><body><pre>%2</pre></body></html>")
        .arg(HTMLEncode(QFileInfo(file).fileName()), HTMLEncode(text));
}
