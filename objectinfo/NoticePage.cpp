#include "objectinfo/NoticePage.h"

#include "base/controls/KvCalendarEx.h"
#include "base/kvlib/KvStrings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/NoticePageTexts.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvStrW.h>
#include <KvLibNav6/KvUnits.h>

#include <QRegularExpression>
#include <QStringList>
#include <memory>

namespace {

using namespace NoticePageStr;

const char *const TemplateLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">",
    "",
    "<html>",
    "  <head>",
    "    <title>FTM details</title>",
    "",
    // The page reaches the view as Unicode text, so the meta line declares what it is.
    "    <meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">",
    "",
    "    <style type=\"text/css\">",
    "      <!--",
    "        body {",
    "          font-family: \"Tahoma\", \"Verdana\", Sans-Serif;",
    "          line-height: 1.5em;",
    "          font-size: 0.7em;",
    "        }",
    "      -->",
    "    </style>",
    "  </head>",
    "  <body>",
    "    <div class=\"container\">",
    "      <div class=\"shadow1\">",
    "        <div class=\"shadow2\">",
    "          <!-- contents -->",
    "        </div>",
    "      </div>",
    "    </div>",
    "  </body>",
    "</html>",
};

// The core library's power unit (watts), for minimum-power limitations.
constexpr int32_t PowerUnit = 0x10800B;

QString Line(const QString &text) { return text + PageLineEnd; }

QString Code(std::span<const TLanguageStrings> table, int32_t code, bool unknownIsEmpty = false) {
    if (code >= 1 && size_t(code) <= table.size()) return LanguageText(table[size_t(code - 1)]);
    return unknownIsEmpty ? QString() : LanguageText(Unknown);
}

QString Text(const TStrWRec *rec) { return rec ? StrWToWide(rec) : QString(); }

TDateTime Local(const TNoticePageOptions &o, TDateTime utc) {
    return o.ToLocal ? o.ToLocal(utc) : GetLocalDateTime(utc);
}
QString DateText(const TNoticePageOptions &o, TDateTime utc) {
    return o.Locale.toString(KvCalendar::ToQDateTime(Local(o, utc)).date(), QLocale::ShortFormat);
}
// The short date, with the long time when the moment is not midnight.
QString DateTimeText(const TNoticePageOptions &o, TDateTime utc) {
    const QDateTime t = KvCalendar::ToQDateTime(Local(o, utc));
    QString out = o.Locale.toString(t.date(), QLocale::ShortFormat);
    if (t.time() != QTime(0, 0)) {
        // The time is local already; a zone name would be the machine's, not the user's.
        const QString format = o.Locale.timeFormat(QLocale::LongFormat).remove(QLatin1Char('t')).trimmed();
        out += QLatin1Char(' ') + o.Locale.toString(t.time(), format);
    }
    return out;
}
// A time of day (fraction of a day); no zone is applied to a time without its date.
QString TimeText(const TNoticePageOptions &o, TDateTime dayFraction) {
    return o.Locale.toString(KvCalendar::ToQDateTime(dayFraction).time(), QLocale::ShortFormat);
}

QString General(const QLocale &locale, double v) { return locale.toString(v, 'g', 7); }

QString GroupsText(int32_t count, const std::function<int32_t(int32_t)> &group,
                   const std::function<int32_t(int32_t)> &direction) {
    QString out;
    for (int32_t i = 0; i < count; ++i)
        out += QStringLiteral(", ") + FTMTargetGroupCodeToStr(group(i)) + QStringLiteral(", ") +
               FTMDirectionCodeToStr(direction(i));
    return out;
}

QString HeaderRow(const TLanguageStrings &label, const QString &encodedValue) {
    if (encodedValue.isEmpty()) return QString();
    return Line(QStringLiteral("              <tr><td>") + LanguageText(label) + QStringLiteral(":</td><td>") +
                encodedValue + QStringLiteral("</td>"));
}

QString Header(IFTMNotice *n, const TNoticePageOptions &o) {
    QString out = Line(QStringLiteral("            <table>"));
    out += HeaderRow(PublishedBy, HTMLEncode(FTMNoticeGetOriginator(n)));
    out += HeaderRow(Subject, FTMSubjectCodeToStr(n->GetSubject()));
    out += HeaderRow(Reason, FTMReasonCodeToStr(n->GetReason()));
    out += HeaderRow(Fairway, HTMLEncode(FTMNoticeGetFairwayName(n)));
    if (n->GetPublicationDate() != FTMNoDate) out += HeaderRow(PublicationDate, DateText(o, n->GetPublicationDate()));
    if (n->GetValidFrom() != FTMNoDate) out += HeaderRow(ValidFrom, DateTimeText(o, n->GetValidFrom()));
    if (n->GetValidUntil() != FTMNoDate) out += HeaderRow(ValidUntil, DateTimeText(o, n->GetValidUntil()));
    return out + Line(QStringLiteral("            </table>"));
}

QString LimitationLines(IFTMLimitation *l, const QString &noticeGroups, const QString &objectName,
                        const TNoticePageOptions &o) {
    QString line = QStringLiteral("<br />- ") + FTMLimitationCodeToStr(l->GetCode());
    line += l->GetTargetGroupCount() > 0
                ? GroupsText(l->GetTargetGroupCount(), [l](int32_t i) { return l->GetTargetGroup(i); },
                             [l](int32_t i) { return l->GetTargetDirection(i); })
                : noticeGroups;
    const QString value = FTMLimitationValueText(l, o.Locale);
    if (!value.isEmpty()) line += QStringLiteral(", ") + value;
    line += QStringLiteral(", ") + HTMLEncode(objectName);
    if (l->GetPosition() != 0) line += QLatin1Char(' ') + FTMPositionCodeToStr(l->GetPosition());
    QString out = Line(line + QStringLiteral("<br />"));
    for (int32_t k = 0; k < l->GetPeriodCount(); ++k)
        out += Line(QStringLiteral("&nbsp;&nbsp;") + FTMPeriodText(l, k, o) + QStringLiteral("<br />"));
    return out;
}

QString LocationLines(IFTMLocation *loc, const QString &noticeGroups, const TNoticePageOptions &o) {
    if (!loc) return QString();
    const QString name = FTMObjectGetName(loc->GetObject());
    QString out;
    for (int32_t j = 0; j < loc->GetLimitationCount(); ++j)
        if (IFTMLimitation *l = loc->GetLimitation(j)) out += LimitationLines(l, noticeGroups, name, o);
    return out;
}

QString CommunicationTable(IFTMNotice *n) {
    if (n->GetCommCount() <= 0) return QString();
    QString out = Line(QStringLiteral("<p>") + LanguageText(CommunicationInformation) + QStringLiteral("</p>"));
    out += Line(QStringLiteral("<table width=\"100%\">"));
    out += Line(QStringLiteral("<tr><td>") + LanguageText(MeansOfCommunication) + QStringLiteral("</td><td>") +
                LanguageText(ReportingRegime) + QStringLiteral("</td><td>") + LanguageText(NumberOrAddress) +
                QStringLiteral("</td></tr>"));
    for (int32_t i = 0; i < n->GetCommCount(); ++i) {
        out += Line(QStringLiteral("<tr>"));
        out += Line(QStringLiteral("<td>") + FTMCommunicationCodeToStr(n->GetCommMeans(i)) + QStringLiteral("</td>"));
        out += Line(QStringLiteral("<td>") + FTMReportingCodeToStr(n->GetCommReporting(i)) + QStringLiteral("</td>"));
        out += Line(QStringLiteral("<td>") + FTMTextWithLinks(FTMNoticeGetCommNumber(n, i)) + QStringLiteral("</td>"));
        out += Line(QStringLiteral("</tr>"));
    }
    return out + Line(QStringLiteral("</table>"));
}

QString Opening() {
    return Line(QStringLiteral("          <div class=\"contents\">")) +
           Line(QStringLiteral("            <!-- contents -->"));
}

QString MeasurementLines(IWaterMeasurement *m, const TNoticePageOptions &o) {
    QString out;
    const int32_t code = m->GetMeasureCode();
    if (code != 2 && code != 3) {
        const QString unit =
            code == 1 ? QStringLiteral("m&sup3;/s") : HTMLEncode(WaterMeasurementGetUnit(m));
        const QDateTime t = KvCalendar::ToQDateTime(Local(o, m->GetTime()));
        out += Line(QStringLiteral("<p>") + LanguageText(m->IsPrediction() ? Prediction : MeasuredValue) +
                    LanguageText(ForOnAt).arg(WaterMeasureCodeToStr(code), t.toString(QStringLiteral("dd-MM")),
                                              t.toString(QStringLiteral("hh:mm"))) +
                    QStringLiteral(": ") + o.Locale.toString(m->GetValue(), 'f', 0) + QLatin1Char(' ') + unit +
                    QStringLiteral(".</p>"));
        if (!WaterMeasurementGetDifferenceText(m).isEmpty())
            out += Line(QStringLiteral("<p>") + LanguageText(DifferenceIs) + QLatin1Char(' ') +
                        o.Locale.toString(m->GetDifference(), 'f', 0) + QLatin1Char(' ') + unit +
                        QStringLiteral(".</p>"));
    }
    if (m->GetBarrageStatus() != 0)
        out += Line(QStringLiteral("<p>") + WaterBarrageStatusToStr(m->GetBarrageStatus()) + QStringLiteral("</p>"));
    if (m->GetRegime() != 0)
        out += Line(QStringLiteral("<p>") + WaterRegimeCodeToStr(m->GetRegime()) + QStringLiteral("</p>"));
    return out;
}

}  // namespace

QString FTMWrapPage(const QString &body) {
    static const QString templ = [] {
        // The last line of the skeleton has no line end.
        QString t = PaddedTemplate(TemplateLines, int(std::size(TemplateLines)));
        t.chop(PageLineEnd.size());
        return t;
    }();
    return ReplaceContentsMarker(templ, body);
}

QString FTMNoticeBuildPage(IFTMNotice *n, int32_t, bool showTitle, bool wrap, const TNoticePageOptions &o) {
    if (!n) return QString();
    QString body = Opening();
    if (showTitle) body += Line(QStringLiteral("<p><b>") + HTMLEncode(FTMNoticeGetTitle(n)) + QStringLiteral("</b></p>"));
    body += Header(n, o);
    body += Line(QStringLiteral("<p>") + LanguageText(Message) + QStringLiteral("<br />") +
                 LanguageText(InConnectionWith) + QLatin1Char(' ') + FTMReasonCodeToStr(n->GetReason()) +
                 LanguageText(FollowingApplies) + QStringLiteral(":<br />"));
    const QString groups = GroupsText(n->GetTargetGroupCount(), [n](int32_t i) { return n->GetTargetGroup(i); },
                                      [n](int32_t i) { return n->GetTargetDirection(i); });
    for (int32_t i = 0; i < n->GetLocationCount(); ++i) body += LocationLines(n->GetLocation(i), groups, o);
    for (int32_t i = 0; i < n->GetSecondLocationCount(); ++i) body += LocationLines(n->GetSecondLocation(i), groups, o);
    body += Line(QStringLiteral("</p>"));
    const QString contents = FTMNoticeGetContents(n);
    if (!contents.isEmpty()) body += Line(QStringLiteral("<p>") + FTMTextWithLinks(contents) + QStringLiteral("</p>"));
    body += CommunicationTable(n);
    body += Line(QStringLiteral("          </div>"));
    return wrap ? FTMWrapPage(body) : body;
}

QString FTMWaterReportBuildPage(IWaterReport *r, int32_t, bool, bool wrap, const TNoticePageOptions &o) {
    if (!r) return QString();
    QString body = Opening();
    body += Line(QStringLiteral("<p><b>") + HTMLEncode(WaterReportGetTitle(r)) + QStringLiteral("</b></p>"));
    if (r->GetValidFrom() != FTMNoDate) {
        QString valid = QStringLiteral("<p>") + LanguageText(ValidFrom) + QStringLiteral(": ") +
                        DateTimeText(o, r->GetValidFrom());
        if (r->GetValidUntil() != FTMNoDate)
            valid += QLatin1Char(' ') + LanguageText(Until) + QLatin1Char(' ') + DateTimeText(o, r->GetValidUntil());
        body += Line(valid + QStringLiteral("</p>"));
    }
    const QString reference = FTMReferenceCodeToStr(r->GetReference());
    if (r->GetReference() != 0 && !reference.isEmpty())
        body += Line(QStringLiteral("<p>") + LanguageText(AllValuesReferTo) + QLatin1Char(' ') + reference +
                     QStringLiteral(".</p>"));
    IFTMObject *object = r->GetObject();
    body += Line(QStringLiteral("<p>") +
                 LanguageText(FollowingAppliesTo)
                     .arg(FTMObjectTypeCodeToStr(object ? object->GetType() : 0), HTMLEncode(FTMObjectGetName(object))) +
                 QStringLiteral(":</p>"));
    for (int32_t i = 0; i < r->GetMeasurementCount(); ++i)
        if (IWaterMeasurement *m = r->GetMeasurement(i)) body += MeasurementLines(m, o);
    return wrap ? FTMWrapPage(body) : body;
}

QString FTMLimitationValueText(IFTMLimitation *l, const QLocale &locale) {
    QStringList parts;
    if (l->GetIndication() != 0) parts << FTMIndicationCodeToStr(l->GetIndication());
    const double v = l->GetValue();
    if (v < double(FTMNoValue)) {
        const int32_t code = l->GetCode();
        QString number = General(locale, v), unit;
        if (code == 3) {
            unit = LanguageText(Hours);
        } else if (code == 15) {
            unit = QStringLiteral("km/h");
        } else if (code == 20) {
            unit = HTMLEncode(UnitToStr(PowerUnit));
        } else if (code >= 4 && code <= 11) {
            // Dimensions come in centimetres.
            if (v < 100.0) {
                number = locale.toString(v, 'f', 0);
                unit = QStringLiteral("cm");
            } else if (v >= 100000.0) {
                number = General(locale, UnitConvert(v, KvUnit::Centimetre, KvUnit::Kilometre));
                unit = QStringLiteral("km");
            } else {
                number = General(locale, UnitConvert(v, KvUnit::Centimetre, KvUnit::Metre));
                unit = QStringLiteral("m");
            }
        }
        parts << (unit.isEmpty() ? number : number + QLatin1Char(' ') + unit);
    }
    const QString reference = FTMReferenceCodeToStr(l->GetReference());
    if (!reference.isEmpty()) parts << reference;
    return parts.join(QLatin1Char(' '));
}

QString FTMPeriodText(IFTMLimitation *l, int32_t k, const TNoticePageOptions &o) {
    const QString until = LanguageText(Until);
    const TDateTime startTime = l->GetPeriodStartTime(k), endTime = l->GetPeriodEndTime(k);
    const TDateTime endDate = l->GetPeriodEndDate(k);
    // A period without a start date begins with its times or its end.
    const TDateTime startDate = l->GetPeriodStartDate(k);
    QString out = startDate > -1 ? DateTimeText(o, startDate) : QString();
    const int32_t interval = l->GetPeriodInterval(k);
    if (interval == 0 || interval == 1) {
        if (startTime > -1) out += QLatin1Char(' ') + TimeText(o, startTime);
        if (endDate > -1) {
            out += QLatin1Char(' ') + until + QLatin1Char(' ') + DateTimeText(o, endDate);
            if (endTime > -1) out += QLatin1Char(' ') + TimeText(o, endTime);
        } else {
            out += QLatin1Char(' ') + LanguageText(UntilFurtherNotice);
        }
        return out;
    }
    out += endDate > -1 ? QLatin1Char(' ') + until + QLatin1Char(' ') + DateTimeText(o, endDate)
                        : QLatin1Char(' ') + LanguageText(UntilFurtherNotice);
    out += QStringLiteral(", ") + FTMIntervalCodeToStr(interval) + QLatin1Char(' ');
    if (startTime > -1) out += TimeText(o, startTime);
    if (endTime > -1) out += QLatin1Char(' ') + until + QLatin1Char(' ') + TimeText(o, endTime);
    return out;
}

QString FTMTextWithLinks(const QString &text) {
    // Found in the plain text, so markup in it can never make a link; every piece is
    // encoded on its own.
    static const QRegularExpression address(QStringLiteral(
        R"((?:(?:https?|ftp)://|www\.)[^\s<>"']+|[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(?:\.[A-Za-z0-9-]+)+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString found = m.captured();
        // Sentence punctuation after an address is not part of it.
        while (!found.isEmpty() && QStringLiteral(".,;:!?)").contains(found.back())) found.chop(1);
        QString href = found;
        if (found.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            href = QStringLiteral("http://") + found;
        else if (!found.contains(QStringLiteral("://")))
            href = QStringLiteral("mailto:") + found;
        out += HTMLEncode(text.mid(last, m.capturedStart() - last));
        out += QStringLiteral("<a href=\"") + HTMLEncode(href) + QStringLiteral("\">") + HTMLEncode(found) +
               QStringLiteral("</a>");
        last = m.capturedStart() + found.size();
    }
    return out + HTMLEncode(text.mid(last));
}

QString FTMNoticeGetTitle(IFTMNotice *n) { return n ? Text(n->GetTitle()) : QString(); }
QString FTMNoticeGetOriginator(IFTMNotice *n) { return n ? Text(n->GetOriginator()) : QString(); }
QString FTMNoticeGetContents(IFTMNotice *n) { return n ? Text(n->GetContents()) : QString(); }
QString FTMNoticeGetFairwayName(IFTMNotice *n) {
    if (!n) return QString();
    std::unique_ptr<IStrW, void (*)(IStrW *)> s(StrWCreate(u"", 0), [](IStrW *p) { ObjectDelete(p); });
    n->GetFairwayName(s.get());
    return StrWToWide(s.get());
}
QString FTMNoticeGetCommNumber(IFTMNotice *n, int32_t i) { return n ? Text(n->GetCommNumber(i)) : QString(); }
QString FTMObjectGetName(IFTMObject *o) { return o ? Text(o->GetName()) : QString(); }
QString WaterReportGetTitle(IWaterReport *r) { return r ? Text(r->GetTitle()) : QString(); }
QString WaterMeasurementGetUnit(IWaterMeasurement *m) { return m ? Text(m->GetUnit()) : QString(); }
QString WaterMeasurementGetDifferenceText(IWaterMeasurement *m) {
    return m ? Text(m->GetDifferenceText()) : QString();
}

QString FTMCommunicationCodeToStr(int32_t c) { return Code(Communication, c); }
QString FTMDirectionCodeToStr(int32_t c) { return Code(Direction, c); }
QString FTMIndicationCodeToStr(int32_t c) { return Code(Indication, c); }
QString FTMReportingCodeToStr(int32_t c) { return Code(Reporting, c, true); }
QString FTMTargetGroupCodeToStr(int32_t c) { return Code(TargetGroup, c); }
QString FTMIntervalCodeToStr(int32_t c) { return Code(Interval, c); }
QString FTMPositionCodeToStr(int32_t c) { return Code(Position, c); }
QString FTMReferenceCodeToStr(int32_t c) { return Code(Reference, c, true); }
QString FTMLimitationCodeToStr(int32_t c) { return Code(Limitation, c); }
QString FTMSubjectCodeToStr(int32_t c) { return Code(SubjectCodes, c); }
QString FTMReasonCodeToStr(int32_t c) { return Code(ReasonCodes, c); }
QString FTMObjectTypeCodeToStr(int32_t c) { return Code(ObjectType, c); }
QString WaterMeasureCodeToStr(int32_t c) { return Code(Measure, c); }
QString WaterBarrageStatusToStr(int32_t c) { return Code(BarrageStatus, c); }
QString WaterRegimeCodeToStr(int32_t c) { return Code(Regime, c); }
