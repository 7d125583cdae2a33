// One table per text: English, Dutch, German, French, Spanish (empty: English is shown),
// Italian, Danish, Swedish.
#include "chartview/FraNavInfoWWTexts.h"

#include "base/logbook/KvLogbook.h"
#include "base/math/KvMath.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvUnitsTime.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <cmath>

namespace NavInfoWWText {
const TLanguageStrings Header = {
    "Waterway information", /*nl*/ "Vaarweginformatie", /*de*/ "Wasserstra\u00DFeninformation",
    /*fr*/ "Informations sur la voie navigable", /*es*/ "", /*it*/ "Informazioni sulla via d'acqua",
    /*da*/ "Vandvejsinformation", /*sv*/ "Vattenv\u00E4gsinformation"};
const TLanguageStrings NoNetwork = {
    "No network information", /*nl*/ "Geen netwerkinformatie",
    /*de*/ "Keine Netzinformation", /*fr*/ "Aucune information sur le r\u00E9seau", /*es*/ "",
    /*it*/ "Nessuna informazione sulla rete", /*da*/ "Ingen netv\u00E6rksinformation",
    /*sv*/ "Ingen n\u00E4tverksinformation"};
const TLanguageStrings ObjectCount = {
    "# objects", /*nl*/ "# objecten", /*de*/ "# Objekte", /*fr*/ "# objets", /*es*/ "",
    /*it*/ "# oggetti", /*da*/ "# objekter", /*sv*/ "# objekt"};
const TLanguageStrings ClickForInfo = {
    "Click for more information", /*nl*/ "Klik voor meer informatie",
    /*de*/ "F\u00FCr weitere Informationen klicken", /*fr*/ "Cliquez pour plus d'informations",
    /*es*/ "", /*it*/ "Fare clic per ulteriori informazioni",
    /*da*/ "Klik for flere oplysninger", /*sv*/ "Klicka f\u00F6r mer information"};
const TLanguageStrings Operating = {
    "Operating", /*nl*/ "Bediening", /*de*/ "Bedienung", /*fr*/ "Manoeuvre", /*es*/ "",
    /*it*/ "Manovra", /*da*/ "Betjening", /*sv*/ "Man\u00F6vrering"};
const TLanguageStrings NotNeeded = {
    "Operation not needed.", /*nl*/ "Bediening niet nodig.",
    /*de*/ "Bedienung nicht n\u00F6tig.", /*fr*/ "Manoeuvre inutile.", /*es*/ "",
    /*it*/ "Manovra non necessaria.", /*da*/ "Betjening ikke n\u00F8dvendig.",
    /*sv*/ "Man\u00F6vrering beh\u00F6vs inte."};
const TLanguageStrings WithUnstepped = {
    "With unstepped mast!", /*nl*/ "Met gestreken mast!", /*de*/ "Mit gelegtem Mast!",
    /*fr*/ "M\u00E2t abaiss\u00E9 !", /*es*/ "", /*it*/ "Con albero abbattuto!",
    /*da*/ "Med nedlagt mast!", /*sv*/ "Med f\u00E4lld mast!"};
const TLanguageStrings PassUnstepped = {
    "Pass with unstepped mast!", /*nl*/ "Passeren met gestreken mast!",
    /*de*/ "Mit gelegtem Mast passieren!", /*fr*/ "Passer m\u00E2t abaiss\u00E9 !", /*es*/ "",
    /*it*/ "Passare con albero abbattuto!", /*da*/ "Passer med nedlagt mast!",
    /*sv*/ "Passera med f\u00E4lld mast!"};
const TLanguageStrings In = {"In", /*nl*/ "Over", /*de*/ "In", /*fr*/ "Dans", /*es*/ "",
                             /*it*/ "Tra", /*da*/ "Om", /*sv*/ "Om"};
const TLanguageStrings Passage = {
    "Passage", /*nl*/ "Passage", /*de*/ "Passage", /*fr*/ "Passage", /*es*/ "",
    /*it*/ "Passaggio", /*da*/ "Passage", /*sv*/ "Passage"};
const TLanguageStrings Destination = {
    "Destination", /*nl*/ "Bestemming", /*de*/ "Ziel", /*fr*/ "Destination", /*es*/ "",
    /*it*/ "Destinazione", /*da*/ "Destination", /*sv*/ "Destination"};
const TLanguageStrings SailingStop = {
    "Sailing times stop", /*nl*/ "Stop vaartijden", /*de*/ "Halt Fahrzeiten",
    /*fr*/ "Arr\u00EAt horaires de navigation", /*es*/ "", /*it*/ "Sosta orari di navigazione",
    /*da*/ "Sejltidsstop", /*sv*/ "Segeltidsstopp"};
const TLanguageStrings WP = {"WP", /*nl*/ "WP", /*de*/ "WP", /*fr*/ "WP", /*es*/ "",
                             /*it*/ "WP", /*da*/ "WP", /*sv*/ "WP"};
}  // namespace NavInfoWWText

namespace {

TNavInfoClock &Clock() {
    static TNavInfoClock clock;
    return clock;
}

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// Whole seconds from a to b, an exact half up; negative when b lies before a.
int64_t SecondsBetween(TDateTime a, TDateTime b) { return RoundHalfUpD((b - a) * 86400.0); }

QString LengthText(float metres, int32_t unit, const TFormatSettings &fs) {
    return FloatToStrFixed(UnitConvert(metres, KvUnit::Metre, unit), 7, 2, fs);
}

}  // namespace

TWWClearance WWClearanceOf(IWWStruct *s, int32_t index) {
    TWWClearance c;
    switch (s->GetKind()) {
    case WWStructKind::Barrier:
    case WWStructKind::OtherWork:
        if (IWWPassage *p = s->GetPassage(index)) {
            c.Height = WWLevelValue(p->GetHeight());
            c.Width = WWFloatValue(p->GetWidth());
        }
        break;
    case WWStructKind::Bridge:
        if (auto *p = dynamic_cast<IWWBridgePassage *>(s->GetItem(index))) {
            c.Height = WWLevelValue(p->GetHeightClosed());
            c.HasOpen = p->GetBridgeType() != WWBridgeTypeFixedSpan;
            if (c.HasOpen) c.OpenHeight = WWLevelValue(p->GetHeightOpen());
            c.Width = WWFloatValue(p->GetWidth());
        }
        break;
    case WWStructKind::Lock:
        if (auto *p = dynamic_cast<IWWLockChamber *>(s->GetItem(index))) {
            c.Height = WWLevelValue(p->GetHeight());
            c.Width = WWFloatValue(p->GetWidth());
        }
        break;
    default:
        break;
    }
    // A width of 0 is no clearance anyone can sail through: the network's way of not knowing.
    if (c.Width && *c.Width == 0.0f) c.Width.reset();
    return c;
}

void SetNavInfoClock(TNavInfoClock clock) { Clock() = std::move(clock); }

TDateTime NavInfoNowUTC() {
    return Clock().NowUTC ? Clock().NowUTC() : GlobalTimeZones()->GetNowUTC();
}

TDateTime NavInfoLocalNow() {
    const int32_t offset =
        Clock().UTCOffset ? Clock().UTCOffset() : GlobalTimeZones()->GetUTCOffset();
    return NavInfoNowUTC() + offset / 1440.0;
}

QString WWClearanceText(IWWStruct *s, int32_t passageIndex, int32_t smallUnit,
                        const TFormatSettings &fs) {
    if (!s || passageIndex < 0) return {};
    const TWWClearance c = WWClearanceOf(s, passageIndex);
    QString text;
    if (c.Height) text += QStringLiteral("H") + LengthText(*c.Height, smallUnit, fs) + u' ';
    if (c.OpenHeight) text += QStringLiteral("HO") + LengthText(*c.OpenHeight, smallUnit, fs) + u' ';
    if (c.Width) text += QStringLiteral("W") + LengthText(*c.Width, smallUnit, fs);
    return text.trimmed();
}

QString WWPeriodText(const TWWTimeRange &t) {
    const TDateTime local = NavInfoLocalNow();
    const double dayPart = local - std::floor(local);
    const int hour = int(std::floor(dayPart * 24.0 + 1e-9));
    QString text;
    if (t.StartHour < hour && t.EndHour < hour)
        text = FormatDateTime(QStringLiteral("ddddd"), 1, local) + u' ';
    return text + Two(t.StartHour) + u':' + Two(t.StartMinute) + QStringLiteral(" - ") +
           Two(t.EndHour) + u':' + Two(t.EndMinute);
}

bool WWIsFixedBridge(IWWStruct *s, int32_t passageIndex) {
    auto *p = s ? dynamic_cast<IWWBridgePassage *>(s->GetItem(passageIndex)) : nullptr;
    return p && p->GetBridgeType() == WWBridgeTypeFixedSpan;
}

int32_t WWDefaultSymbol(IWWStruct *s, int32_t passageIndex) {
    if (!s) return -1;
    switch (s->GetKind()) {
    case WWStructKind::Bridge:
        return WWIsFixedBridge(s, passageIndex) ? 2 : 3;
    case WWStructKind::Lock:
        return 4;
    default:
        return 5;
    }
}

QString WWPassageText(IWWStruct *s, IWptRouteStructPassage *passage, int32_t passageIndex,
                      TDateTime timeAtObject, TDateTime routeDateTime) {
    if (!passage) return {};
    const QString crlf = QStringLiteral("\r\n");
    const bool mast = passage->NeedsUnsteppedMast();
    const TPassageOperation *op = passage->GetOperation();
    QString text;
    if (op && op->OperatingPeriod) {
        // The period is the passage's view of the network's; reading its window changes nothing.
        auto *period = const_cast<IWWOperatingPeriod *>(op->OperatingPeriod);
        text += crlf + crlf + LanguageText(NavInfoWWText::Operating) + u' ' +
                WWPeriodText(period->GetTimes()) + QStringLiteral(". ");
    } else if (s && s->GetKind() == WWStructKind::Bridge && !WWIsFixedBridge(s, passageIndex) &&
               s->GetItem(passageIndex)) {
        text += crlf + crlf + LanguageText(NavInfoWWText::NotNeeded) + u' ';
        if (mast) text += LanguageText(NavInfoWWText::WithUnstepped) + u' ';
    } else if (mast) {
        text += crlf + crlf + LanguageText(NavInfoWWText::PassUnstepped) + u' ';
    }
    const TDateTime start = passage->GetPassageStart();
    const TDateTime end = passage->GetPassageEnd();
    int64_t wait = 0;
    if (timeAtObject > 0 && routeDateTime > 0 &&
        std::llabs(SecondsBetween(timeAtObject, start)) > 60) {
        // Signed: a passage that started before the route's moment is no wait ahead.
        wait = SecondsBetween(routeDateTime, start);
        if (wait > 60)
            text += crlf + LanguageText(NavInfoWWText::In) + u' ' +
                    DurationToStr(wait, KvDuration::Days | KvDuration::Hours | KvDuration::Minutes,
                                  false, QStringLiteral("d"), QStringLiteral("h"),
                                  QStringLiteral("min"), QString()) +
                    QStringLiteral(". ");
    }
    const int64_t pass = SecondsBetween(start, end);
    if (pass > 0)
        text += (wait > 60 ? QStringLiteral(" ") : crlf) + LanguageText(NavInfoWWText::Passage) +
                QStringLiteral(" ~") +
                DurationToStr(pass, KvDuration::Hours | KvDuration::Minutes, false, QString(),
                              QStringLiteral("h"), QStringLiteral("min"), QString()) +
                u'.';
    return text;
}

std::optional<TDateTime> TimePointUTC(IWptRouteTimePoint *tp) {
    const TTimePointData *d = tp ? tp->GetData() : nullptr;
    if (!d) return std::nullopt;
    return d->TimeUTC;
}

QString TimePointText(TDateTime utc) {
    return FormatDateTime(QStringLiteral("d-m-yyyy hh:mm"), 1, GetLocalDateTime(utc));
}

QString ArrivalDepartureText(IWptRouteTimePoint *arrival, IWptRouteTimePoint *departure) {
    const std::optional<TDateTime> a = TimePointUTC(arrival);
    if (!a) return {};
    QString text = QStringLiteral("A: ") + TimePointText(*a);
    const std::optional<TDateTime> d = TimePointUTC(departure);
    if (d && *d != *a) text += QStringLiteral(", D: ") + TimePointText(*d);
    return text;
}

QString RoutePointTitle(IWptPlanPoint *point, IWptRoute *route) {
    if (!point) return {};
    const int32_t index = point->GetIndex();
    const QString number = QString::number(index + 1);
    QString text = LanguageText(NavInfoWWText::WP) + u' ' + number;
    const QString name = PlannerPointGetName(point);
    if (name != number) text += QStringLiteral(": ") + name;
    if (route && index == route->GetPointCount() - 1)
        text += QStringLiteral(" (") + LanguageText(NavInfoWWText::Destination) + u')';
    return text;
}
