#include "objectinfo/StructDetailsPage.h"

#include "base/kvlib/KvStrings.h"
#include "base/math/KvMath.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/LinkDetailsTexts.h"
#include "objectinfo/SectionPage.h"
#include "objectinfo/StructPageTexts.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QLocale>
#include <QStringList>

#include <array>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace {

using namespace StructPageStr;

const char *const StructTemplateLines[] = {
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">",
    "<html>",
    "<head>",
    "<title>Vaarweginformatie kunstwerken - editie ***edition***</title>",
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1250\">",
    "<style type=\"text/css\">",
    "body { font-family: \"Tahoma\", \"Verdana\", Sans-Serif; line-height: 1.2em; font-size: 0.7em; }",
    ".entry { clear: both; margin: 5px auto; }",
    "</style>",
    "</head>",
    "<body>",
    "<!-- contents -->",
    "</body>",
    "</html>",
};

QString Line(const QString &text) { return text + PageLineEnd; }
QString Text(const TLanguageStrings &s) { return LanguageText(s); }
QString Label(const TLanguageStrings &s) { return LanguageText(s) + QLatin1Char(':'); }

QString Row(const QString &label, const QString &value) {
    if (value.isEmpty()) return QString();
    return Line(QStringLiteral("<tr><td width=\"120\" valign=\"top\">") + label +
                QStringLiteral("</td><td valign=\"top\">") + value + QStringLiteral("</td></tr>"));
}

QString Number(double value) { return QLocale().toString(value, 'f', 2); }

QString Measure(double metres, int32_t unit) {
    return Number(UnitConvert(metres, KvUnit::Metre, unit)) + QLatin1Char(' ') + UnitToStr(unit);
}

// Hidden for a missing value and for 0: a 0 dimension means "not surveyed" in the network.
QString MeasureRow(const QString &label, int32_t unit, float metres) {
    if (metres >= WWMissing || metres == 0.0f) return QString();
    return Row(label, Measure(metres, unit));
}

QString LevelRows(const QString &label, const TWWLevel *level, int32_t unit,
                  const TStructPageOptions &o) {
    if (!level || level->Value >= WWMissing) return QString();
    const QString u = UnitToStr(unit);
    auto conv = [unit](double m) { return Number(UnitConvert(m, KvUnit::Metre, unit)); };
    if (level->Reference != WWLevelRef::NAP)
        return Row(label, conv(level->Value) + QLatin1Char(' ') + u + QStringLiteral(" (") +
                              ReferenceLevelToStr(level->Reference) + QLatin1Char(')'));
    double clearance = 0.0, at = 0.0;
    switch (level->NAPMode) {
    case 1: clearance = double(level->Value) - o.WaterLevel; at = o.WaterLevel; break;
    case 2: clearance = double(level->Value) - level->ReferenceValue; at = level->ReferenceValue; break;
    case 3: clearance = level->ReferenceValue; at = double(level->Value) - level->ReferenceValue; break;
    default: return QString();
    }
    return Row(label, conv(level->Value) + u + QStringLiteral(" (NAP)")) +
           Row(Label(Clearance), conv(clearance) + QLatin1Char(' ') + u + QStringLiteral(" (") +
                                     Text(At) + QStringLiteral(" NAP ") + conv(at) + u +
                                     QLatin1Char(')'));
}

QString IdAttr(const QString &anchor) {
    return anchor.isEmpty() ? QString() : QStringLiteral(" id=\"%1\"").arg(HTMLEncode(anchor));
}

QString HeaderLink(const char16_t *href, bool open, const QString &imagesFolder) {
    return QStringLiteral("<a href=\"%1\"><img src=\"%2\" border=\"0\"></a>")
        .arg(QString::fromUtf16(href), HTMLEncode(imagesFolder + (open ? QStringLiteral("collapse.png")
                                                   : QStringLiteral("expand.png"))));
}

QString SectionHeader(const char16_t *href, bool open, const QString &imagesFolder,
                      const QString &title) {
    return Line(QStringLiteral("<p>") + HeaderLink(href, open, imagesFolder) +
                QStringLiteral(" <b>") + title + QStringLiteral("</b></p>"));
}

bool IsOperated(int32_t kind) {
    return kind == WWStructKind::Bridge || kind == WWStructKind::Lock ||
           kind == WWStructKind::NonPhysicalBarrier || kind == WWStructKind::ShipTunnel;
}

QString GeneralSection(IWWStruct *s, const TStructPageOptions &o) {
    QString out;
    const QString complex = WWStructGetComplex(s);
    if (!complex.isEmpty())
        out += Line(QStringLiteral("<br />") + Text(Complex) + QStringLiteral(": ") + HTMLEncode(complex));
    out += Line(QStringLiteral("</p>"));
    out += Line(QStringLiteral("<table width=\"100%\">"));
    const int32_t kind = s->GetKind();
    out += Row(Label(LinkDetailsStr::Type), StructTypeToStr(kind, s->GetBarrierKind(), s->GetOtherType()));
    // Codes and channels come from the network file like every other text: encoded too.
    out += Row(Label(Isrs), HTMLEncode(WWStructGetISRS(s)));
    out += Row(Label(Address), HTMLEncode(WWStructGetAddress(s)));
    out += Row(Label(PostalCode), HTMLEncode(WWStructGetPostalCode(s)));
    out += Row(Label(Place), HTMLEncode(WWStructGetPlace(s)));
    out += Row(Label(Phone), HTMLEncode(WWStructGetPhone(s)));
    out += Row(Label(VHFRadioChannel), HTMLEncode(WWStructGetVHFChannel(s)));
    if (kind == WWStructKind::Lock && s->GetFall() > 0.0f && s->GetFall() < WWMissing)
        out += Row(Label(Fall), Measure(s->GetFall(), o.UnitDistanceSmall));
    out += Line(QStringLiteral("</table>"));
    if ((kind == WWStructKind::Bridge || kind == WWStructKind::Lock) && s->IsNormallyOpen())
        out += Line(QStringLiteral("<p>") + Text(NormallyOpened) + QStringLiteral("</p>"));
    return out;
}

QString Remark(const TStrWRec *rec) { return HTMLEncode(StrWToWide(rec)); }

QString BridgeRows(IWWBridgePassage *p, const TStructPageOptions &o) {
    const bool fixed = p->GetBridgeType() == WWBridgeTypeFixedSpan;
    QString out = Row(Label(LinkDetailsStr::Type), BridgeTypeToStr(p->GetBridgeType()));
    out += Row(Label(Isrs), HTMLEncode(WWBridgePassageGetISRS(p)));
    out += MeasureRow(Label(LinkDetailsStr::Width), o.UnitDistanceSmall, p->GetWidth());
    out += LevelRows(Label(fixed ? LinkDetailsStr::Height : HeightClosed), p->GetHeightClosed(),
                     o.UnitDistanceSmall, o);
    if (!fixed) out += LevelRows(Label(HeightOpen), p->GetHeightOpen(), o.UnitDistanceSmall, o);
    out += LevelRows(Label(ThresholdDepth), p->GetThresholdDepth(), o.UnitDepth, o);
    out += Row(Label(StructPageStr::Remark), HTMLEncode(WWBridgePassageGetRemark(p)));
    return out;
}

QString ChamberRows(IWWLockChamber *c, const TStructPageOptions &o) {
    const int32_t small = o.UnitDistanceSmall;
    QString out = Row(Label(LockChamberName), HTMLEncode(WWLockChamberGetName(c)));
    out += Row(Label(Isrs), HTMLEncode(WWLockChamberGetISRS(c)));
    out += Row(Label(StructPageStr::Remark), HTMLEncode(WWLockChamberGetRemark(c)));
    out += MeasureRow(Text(PartialChamberLength) + QStringLiteral(" 1:"), small, c->GetPartialLength1());
    out += MeasureRow(Text(PartialChamberLength) + QStringLiteral(" 2:"), small, c->GetPartialLength2());
    out += MeasureRow(Label(LockChamberLength), small, c->GetChamberLength());
    out += MeasureRow(Label(LinkDetailsStr::Width), small, c->GetWidth());
    out += MeasureRow(Label(MinGateWidth), small, c->GetMinGateWidth());
    out += LevelRows(Label(LinkDetailsStr::Height), c->GetHeight(), small, o);
    out += LevelRows(Label(ThresholdDepthDown), c->GetThresholdDepthDown(), o.UnitDepth, o);
    out += LevelRows(Label(ThresholdDepthUp), c->GetThresholdDepthUp(), o.UnitDepth, o);
    out += LevelRows(Label(ThresholdDepthBetween), c->GetThresholdDepthBetween(), o.UnitDepth, o);
    if (c->HasTideLengths()) {
        out += MeasureRow(Label(LockLengthHighTide), small, c->GetLockLength());
        out += MeasureRow(Label(LockLengthLowTide), small, c->GetLockLengthLowTide());
    } else {
        out += MeasureRow(Label(LockLength), small, c->GetLockLength());
    }
    return out;
}

QString OpeningRows(IWWPassage *p, bool weir, const TStructPageOptions &o) {
    QString out = MeasureRow(Label(LinkDetailsStr::Width), o.UnitDistanceSmall, p->GetWidth());
    out += LevelRows(Label(weir ? HeightOpen : LinkDetailsStr::Height), p->GetHeight(),
                     o.UnitDistanceSmall, o);
    out += LevelRows(Label(ThresholdDepth), p->GetThresholdDepth(), o.UnitDepth, o);
    out += Row(Label(StructPageStr::Remark), Remark(p->GetRemark()));
    return out;
}

QString TunnelRows(IWWShipTunnelPassage *p, const TStructPageOptions &o) {
    QString out = MeasureRow(Label(LinkDetailsStr::Length), o.UnitDistanceLarge, p->GetLength());
    out += MeasureRow(Label(LinkDetailsStr::Width), o.UnitDistanceSmall, p->GetWidth());
    out += LevelRows(Label(LinkDetailsStr::Depth), p->GetDepth(), o.UnitDepth, o);
    out += LevelRows(Label(LinkDetailsStr::Height), p->GetHeight(), o.UnitDistanceSmall, o);
    out += Row(Label(StructPageStr::Remark), Remark(p->GetRemark()));
    return out;
}

// The rows of one passage or chamber; dynamic_cast because the item's type follows the
// structure's kind and a damaged file must not make the page read the wrong layout.
QString ItemRows(IWWStruct *s, int32_t index, const TStructPageOptions &o, int32_t &number) {
    const int32_t kind = s->GetKind();
    if (kind == WWStructKind::Barrier || kind == WWStructKind::OtherWork) {
        IWWPassage *p = s->GetPassage(index);
        if (!p) return QString();
        number = p->GetNumber();
        return OpeningRows(p, kind == WWStructKind::Barrier, o);
    }
    IWWStructItem *item = s->GetItem(index);
    if (!item) return QString();
    number = item->GetNumber();
    if (auto *b = dynamic_cast<IWWBridgePassage *>(item)) return BridgeRows(b, o);
    if (auto *c = dynamic_cast<IWWLockChamber *>(item)) return ChamberRows(c, o);
    if (auto *t = dynamic_cast<IWWShipTunnelPassage *>(item)) return TunnelRows(t, o);
    return Row(Label(StructPageStr::Remark), Remark(item->GetRemark()));
}

QString PassagesSection(IWWStruct *s, const QString &imagesFolder, const TStructPageOptions &o) {
    const int32_t count = s->GetPassageCount();
    if (count <= 0) return QString();
    const bool lock = s->GetKind() == WWStructKind::Lock;
    QString out = SectionHeader(StructLinkPassages, o.PassagesOpen, imagesFolder,
                                Text(lock ? LockChambers : Passages));
    if (!o.PassagesOpen) return out;
    for (int32_t i = 0; i < count; ++i) {
        int32_t number = i + 1;
        const QString rows = ItemRows(s, i, o, number);
        out += Line(lock ? QStringLiteral("<table width=\"100%\" style=\"margin-top: 10px\">")
                         : QStringLiteral("<table width=\"100%\">"));
        if (count > 1)
            out += Row(Text(StructPageStr::Number) + QStringLiteral(" / ") + Text(Total) + QLatin1Char(':'),
                       QStringLiteral("%1 / %2").arg(number).arg(count));
        out += rows + Line(QStringLiteral("</table>"));
    }
    return out;
}

QString ManagerSection(IWWStruct *s, const QString &imagesFolder, const TStructPageOptions &o) {
    QString out = SectionHeader(StructLinkManager, o.ManagerOpen, imagesFolder, Text(Manager));
    if (!o.ManagerOpen) return out;
    IWWManager *m = s->GetManager();
    out += Line(QStringLiteral("<table width=\"100%\">"));
    if (m) {
        out += Row(Label(LinkDetailsStr::Name), HTMLEncode(WWManagerGetName(m)));
        out += Row(Label(LinkDetailsStr::Type), ManagerTypeToStr(m->GetType()));
        out += Row(Label(Department), HTMLEncode(WWManagerGetDepartment(m)));
        out += Row(Label(MailAddress), HTMLEncode(WWManagerGetMailAddress(m)));
        out += Row(Label(Postalcode), HTMLEncode(WWManagerGetMailPostalCode(m)));
        out += Row(Label(MailPlace), HTMLEncode(WWManagerGetMailPlace(m)));
        out += Row(Label(VisitAddress), HTMLEncode(WWManagerGetVisitAddress(m)));
        out += Row(Label(VisitPlace), HTMLEncode(WWManagerGetVisitPlace(m)));
        out += Row(Label(Phone), HTMLEncode(WWManagerGetPhone(m)));
        out += Row(Label(Fax), HTMLEncode(WWManagerGetFax(m)));
        out += Row(Label(LinkDetailsStr::Website), HTMLEncode(WWManagerGetWebsite(m)));
    }
    out += Line(QStringLiteral("</table>"));
    return out;
}

// --- operating periods ---

struct TDirections {
    QString Along, Against;  // empty while the structure has no section
};

TDirections Directions(IWWStruct *s, IGeodeticCalibration *calibration) {
    IWWSection *section = s->GetSection();
    if (!section) return {};
    TFloat2 v{0.0f, 0.0f};
    section->GetDirection(s->GetSectionPosition(), calibration, v);
    if (v.X == 0.0f && v.Y == 0.0f) return {};
    const float h = ReduceAngleF(float(Float2Angle(v)));
    return {HeadingToCompassName(h), HeadingToCompassName(ReduceAngleF(h + float(std::numbers::pi)))};
}

QString DirectionText(int32_t direction, const TDirections &d) {
    const QString word = direction == WWDirection::Along     ? d.Along
                         : direction == WWDirection::Against ? d.Against
                                                             : QString();
    if (word.isEmpty()) return QString();
    return QLatin1Char(' ') + LanguageText(LinkDetailsStr::ToTheOnly).replace(QStringLiteral("%s"), word);
}

QString ClassesText(uint32_t classes) {
    const QString t = VesselClassesToStr(classes);
    return t.isEmpty() ? QString() : QLatin1Char(' ') + t;
}

QString TimeText(uint8_t hour, uint8_t minute) {
    return IntToTwoDigits(hour) + QLatin1Char(':') + IntToTwoDigits(minute);
}

QString WaitingTimeText(IWWStruct *s, const TStructPageOptions &o) {
    const int32_t own = s->GetWaitingTime();
    if (own >= 0) return QString::number(own / 60) + QLatin1Char(' ') + Text(Min);
    int32_t def = 0;
    if (s->GetKind() == WWStructKind::Bridge) def = o.BridgeWaitTime / 60;
    else if (s->GetKind() == WWStructKind::Lock) def = o.LockWaitTime / 60;
    return QString::number(def) + QLatin1Char(' ') + Text(MinDefault);
}

QString PeriodTable(IWWOperatingPeriod *p, const TDirections &d, uint32_t &covered) {
    const TWWDateRange r = p->GetDates();
    QString out = Line(QStringLiteral("<table width=\"100%\">"));
    out += Line(QStringLiteral("<tr><td colspan=\"4\">%1 %2 %3 %4 %5</td></tr>")
                    .arg(QString::number(r.StartDay), StructMonthName(r.StartMonth), Text(Until),
                         QString::number(r.EndDay), StructMonthName(r.EndMonth)));
    const QString remark = StrWToWide(p->GetRemark());
    if (!remark.isEmpty())
        out += Line(QStringLiteral("<tr><td colspan=\"4\">") + HTMLEncode(remark) + QStringLiteral("</td></tr>"));
    const int32_t lang = GetCurrentLanguage();
    for (int32_t j = 0; j < p->GetDayScheduleCount(); ++j) {
        IWWDaySchedule *day = p->GetDaySchedule(j);
        if (!day) continue;
        covered |= day->GetWeekDays();
        for (int32_t i = 0; i < day->GetTimeWindowCount(); ++i) {
            IWWTimeWindow *w = day->GetTimeWindow(i);
            if (!w) continue;
            const TWWTimeRange t = w->GetTimes();
            const QString text = TimeText(t.StartHour, t.StartMinute) + QStringLiteral(" - ") +
                                 TimeText(t.EndHour, t.EndMinute) + ClassesText(w->GetVesselClasses()) +
                                 DirectionText(w->GetDirection(), d);
            const QString days = i == 0 ? WeekDayFlagsToStr(day->GetWeekDays(), lang, 1)
                                        : QStringLiteral("&nbsp;");
            out += Line(QStringLiteral("<tr><td width=\"3\">&nbsp;</td><td width=\"75\" align=\"left\">") +
                        days + QStringLiteral("</td><td align=\"left\">") + text +
                        QStringLiteral("</td><td align=\"left\"></td></tr>"));
        }
    }
    return out;
}

// Weekdays are bits 1..7 (Monday..Sunday); bit 0 is no day, so the uncovered set is taken
// from those seven bits only.
constexpr uint32_t AllWeekDays = 0xFE;

QString NoOperationRow(uint32_t covered) {
    const uint32_t uncovered = AllWeekDays & ~covered;
    if (uncovered == 0) return QString();
    return Line(QStringLiteral("<tr><td width=\"3\">&nbsp;</td><td>") +
                WeekDayFlagsToStr(uncovered, GetCurrentLanguage(), 1) + QStringLiteral("</td><td>") +
                Text(NoOperation) + QStringLiteral("</td></tr>"));
}

QString SpecialDateText(IWWSpecialDate *date) {
    QString out;
    const int32_t holiday = date->GetHoliday();
    if (holiday == WWHoliday::FixedDate) {
        uint8_t day = 0, month = 0;
        date->GetDayMonth(day, month);
        out = QString::number(day) + QLatin1Char(' ') + StructMonthName(month);
    } else {
        out = HTMLEncode(HolidayToStr(holiday));
    }
    const int offset = date->GetDayOffset();
    if (offset != 0)
        out += (offset > 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) +
               QString::number(std::abs(offset)) + QLatin1Char(' ') + Text(DayS);
    return out;
}

QString SpecialDayTable(IWWSpecialDayRule *r, const TDirections &d) {
    QString first = HTMLEncode(SpecialDayOperationToStr(r->GetOperation(), r->GetWeekDay()));
    const QString noOp = Text(ButNoOperation);
    if (r->HasNoOperationBefore()) {
        const TWWTimeOfDay t = r->GetNoOperationBefore();
        first += QStringLiteral(", ") + noOp + QLatin1Char(' ') + Text(Before) + QStringLiteral(": ") +
                 TimeText(t.Hour, t.Minute);
    }
    if (r->HasNoOperationAfter()) {
        const TWWTimeOfDay t = r->GetNoOperationAfter();
        first += (r->HasNoOperationBefore() ? QLatin1Char(' ') + Text(And) + QLatin1Char(' ')
                                            : QStringLiteral(", ") + noOp + QLatin1Char(' ')) +
                 Text(After) + QStringLiteral(": ") + TimeText(t.Hour, t.Minute);
    }
    const QString classes = VesselClassesToStr(r->GetVesselClasses());
    if (!classes.isEmpty()) first += QLatin1Char(' ') + Text(On) + QLatin1Char(' ') + classes;
    first += DirectionText(r->GetDirection(), d);
    QStringList dates;
    for (int32_t i = 0; i < r->GetDateCount(); ++i)
        if (IWWSpecialDate *date = r->GetDate(i)) dates << SpecialDateText(date);
    return Line(QStringLiteral("<table width=\"100%\">")) +
           Line(QStringLiteral("<tr><td>") + first + QStringLiteral("</td></tr>")) +
           Line(QStringLiteral("<tr><td>") + dates.join(QStringLiteral(", ")) + QStringLiteral("</td></tr>")) +
           Line(QStringLiteral("</table>"));
}

template <std::size_t N>
QString TableText(const std::array<const TLanguageStrings *, N> &table, int32_t code) {
    if (code < 1 || code > int32_t(N)) return Text(Unknown);
    return LanguageText(*table[std::size_t(code - 1)]);
}

}  // namespace

QString WrapStructPage(const QString &body, const QString &edition) {
    static const QString templ = PaddedTemplate(
        StructTemplateLines, int(sizeof StructTemplateLines / sizeof StructTemplateLines[0]));
    QString page = ReplaceContentsMarker(templ, body);
    const QString marker = QStringLiteral("***edition***");
    const qsizetype at = page.indexOf(marker);
    if (at >= 0) page.replace(at, marker.size(), edition);
    return page;
}

QString BuildStructOperatingPeriods(IWWStruct *s, IGeodeticCalibration *calibration,
                                    const TStructPageOptions &o, bool withWaitingTime) {
    if (!s) return QString();
    const TDirections d = Directions(s, calibration);
    QString out = QStringLiteral("<p>");
    const QString control = ControlKindToStr(s->GetControlKind());
    if (!control.isEmpty()) out += control + QStringLiteral("<br />");
    if (withWaitingTime) {
        const TGUID *guid = s->GetGUID();
        const QString href = QString::fromUtf16(StructLinkDelay) + (guid ? GUIDToStr(*guid) : QString());
        out += Text(AverageWaitingTime) + QStringLiteral(": <a href=\"") + HTMLEncode(href) +
               QStringLiteral("\">") + WaitingTimeText(s, o) + QStringLiteral("</a>");
    }
    out = Line(out + QStringLiteral("</p>"));
    for (int32_t k = 0; k < s->GetOperatingPeriodCount(); ++k) {
        IWWOperatingPeriod *p = s->GetOperatingPeriod(k);
        if (!p) continue;
        uint32_t covered = 0;
        // Two statements: the no-operation row needs the days the table found covered.
        out += PeriodTable(p, d, covered);
        out += NoOperationRow(covered) + Line(QStringLiteral("</table>"));
    }
    for (int32_t k = 0; k < s->GetSpecialDayRuleCount(); ++k)
        if (IWWSpecialDayRule *r = s->GetSpecialDayRule(k)) out += SpecialDayTable(r, d);
    return out;
}

QString BuildStructDetailsPage(IWWStruct *s, const QString &imagesFolder, const QString &anchor,
                               bool wrap, IGeodeticCalibration *calibration,
                               const TStructPageOptions &o) {
    if (!s) return QString();
    QString body, headerAnchor = anchor;
    QStringList images;
    WWStructGetImages(s, images);
    if (!images.isEmpty()) {
        body += Line(QStringLiteral("<img") + IdAttr(anchor) + QStringLiteral(" width=\"100%\" src=\"") +
                     HTMLEncode(images.first()) + QStringLiteral("\" />"));
        headerAnchor.clear();
    }
    body += Line(QStringLiteral("<p") + IdAttr(headerAnchor) + QLatin1Char('>') +
                 HeaderLink(StructLinkGeneral, o.GeneralOpen, imagesFolder) + QStringLiteral(" <b>") +
                 HTMLEncode(WWStructGetName(s)) + QStringLiteral("</b>"));
    body += o.GeneralOpen ? GeneralSection(s, o) : Line(QStringLiteral("</p>"));
    body += PassagesSection(s, imagesFolder, o);
    if (IsOperated(s->GetKind()) && s->GetOperatingPeriodCount() > 0) {
        body += SectionHeader(StructLinkOperatingPeriods, o.OperatingPeriodsOpen, imagesFolder,
                              Text(OperatingPeriods));
        if (o.OperatingPeriodsOpen) body += BuildStructOperatingPeriods(s, calibration, o, true);
    }
    body += ManagerSection(s, imagesFolder, o);
    return wrap ? WrapStructPage(body, QStringLiteral("2011")) : body;
}

QString IntToTwoDigits(int32_t value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString HeadingToCompassName(float headingRad) { return SectionCompassWord(headingRad); }

QString StructTypeToStr(int32_t kind, int32_t barrierKind, int32_t otherType) {
    static const std::array<const TLanguageStrings *, 3> barriers = {&KindWeir, &KindFloodgate,
                                                                     &KindStormFloodgate};
    static const std::array<const TLanguageStrings *, 9> others = {
        &KindAqueduct, &KindTunnel, &KindSiphon, &KindCable, &KindPipeline,
        &KindConveyerBelt, &KindFormerStructure, &KindPowerline, &KindGantry};
    switch (kind) {
    case WWStructKind::Barrier: return TableText(barriers, barrierKind + 1);
    case WWStructKind::Bridge: return Text(KindBridge);
    case WWStructKind::OtherWork: return TableText(others, otherType);
    case WWStructKind::Lock: return Text(KindLock);
    case WWStructKind::NonPhysicalBarrier: return Text(KindNonPhysicalBarrier);
    case WWStructKind::ShipTunnel: return Text(KindShipTunnel);
    default: return Text(Unknown);
    }
}

QString BridgeTypeToStr(int32_t type) {
    static const std::array<const TLanguageStrings *, 16> table = {
        &BridgeBascule, &BridgeDoubleBascule, &BridgeDoubleSwing, &BridgeDraw,
        &BridgeDoubleDraw, &BridgeSwing, &BridgeRollingBascule, &BridgeDoubleRollingBascule,
        &BridgeLift, &BridgeBalance, &BridgePontoonSwing, &BridgePontoon,
        &BridgeRolling, &BridgeFixedSpan, &BridgeStraussBascule, &BridgeTransporter};
    return TableText(table, type);
}

QString ManagerTypeToStr(int32_t type) {
    static const std::array<const TLanguageStrings *, 21> table = {
        &Mgr1, &Mgr2, &Mgr3, &Mgr4, &Mgr5, &Mgr6, &Mgr7, &Mgr8, &Mgr9, &Mgr10, &Mgr11,
        &Mgr12, &Mgr13, &Mgr14, &Mgr15, &Mgr16, &Mgr17, &Mgr18, &Mgr19, &Mgr20, &Mgr21};
    return TableText(table, type);
}

QString ReferenceLevelToStr(int32_t reference) {
    static const std::array<const TLanguageStrings *, 8> table = {&Ref1, &Ref2, &Ref3, &Ref4,
                                                                  &Ref5, &Ref6, &Ref7, &Ref8};
    return TableText(table, reference);
}

QString ControlKindToStr(int32_t kind) {
    static const std::array<const TLanguageStrings *, 8> table = {&Ctl1, &Ctl2, &Ctl3, &Ctl4,
                                                                  &Ctl5, &Ctl6, &Ctl7, &Ctl8};
    if (kind < 1 || kind > 8) return QString();
    return TableText(table, kind);
}

QString SpecialDayOperationToStr(int32_t operation, int32_t weekDay) {
    switch (operation) {
    case WWSpecialDayOperation::None: return Text(NoOperation);
    case WWSpecialDayOperation::Normal: return Text(OperationNormal);
    case WWSpecialDayOperation::AsWeekDay:
        return Text(OperationAs).replace(QStringLiteral("%s"), StructDayName(weekDay));
    case WWSpecialDayOperation::OwnTimes: return Text(OperationSpecified);
    default: return Text(InvalidValue).replace(QStringLiteral("%d"), QString::number(operation));
    }
}

QString VesselClassesToStr(uint32_t classes) {
    if (classes == WWVesselClass::Pleasure) return Text(Pleasure);
    if (classes == WWVesselClass::Commercial) return Text(Commercial);
    return QString();
}

QString HolidayToStr(int32_t holiday) {
    static const std::array<const TLanguageStrings *, 10> table = {
        &Hol1, &Hol2, &Hol3, &Hol4, &Hol5, &Hol6, &Hol7, &Hol8, &Hol9, &Hol10};
    if (holiday < 1 || holiday > 10)
        return Text(InvalidDay).replace(QStringLiteral("%d"), QString::number(holiday));
    return TableText(table, holiday);
}

QString StructMonthName(int32_t month) {
    const QString name = month >= 1 && month <= 12 ? MonthToStr(month) : QString();
    return name.isEmpty() ? QStringLiteral("?") : name;
}

QString StructDayName(int32_t day) {
    const QString name = day >= 1 && day <= 7 ? DayToStr(day) : QString();
    return name.isEmpty() ? QStringLiteral("?") : name;
}
