#include "chartview/FraNavRouteTexts.h"

#include "base/logbook/KvLogbook.h"
#include "base/strings/KvFormatSettings.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvRouteNodes.h"
#include "chartview/FraNavInfoRouteBase.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <cmath>

namespace NavRouteWindowText {
const TLanguageStrings CurrentRoute = {"Current route", /*nl*/ "Huidige route", /*de*/ "Aktuelle Route",
                                       /*fr*/ "Itin\u00E9raire actuel", /*es*/ "", /*it*/ "Rotta attuale",
                                       /*da*/ "Aktuel rute", /*sv*/ "Aktuell rutt"};
const TLanguageStrings NextWaypoint = {"Next waypoint", /*nl*/ "Volgend waypoint", /*de*/ "N\u00E4chster Wegpunkt",
                                       /*fr*/ "Waypoint suivant", /*es*/ "", /*it*/ "Waypoint successivo",
                                       /*da*/ "N\u00E6ste waypoint", /*sv*/ "N\u00E4sta v\u00E4gpunkt"};
const TLanguageStrings PreviousWaypoint = {
    "Previous waypoint", /*nl*/ "Vorig waypoint", /*de*/ "Vorheriger Wegpunkt", /*fr*/ "Waypoint pr\u00E9c\u00E9dent",
    /*es*/ "", /*it*/ "Waypoint precedente", /*da*/ "Forrige waypoint", /*sv*/ "F\u00F6reg\u00E5ende v\u00E4gpunkt"};
const TLanguageStrings Overview = {"Overview of planning", /*nl*/ "Overzicht planning",
                                   /*de*/ "\u00DCbersicht der Planung", /*fr*/ "Aper\u00E7u de la planification",
                                   /*es*/ "", /*it*/ "Panoramica della pianificazione",
                                   /*da*/ "Oversigt over planl\u00E6gning", /*sv*/ "\u00D6versikt \u00F6ver planering"};
const TLanguageStrings StructureInfo = {"structure info", /*nl*/ "kunstwerkinfo", /*de*/ "Bauwerksinfo",
                                        /*fr*/ "info ouvrage", /*es*/ "", /*it*/ "info struttura",
                                        /*da*/ "bygv\u00E6rksinfo", /*sv*/ "byggnadsinfo"};
const TLanguageStrings FutureItems = {
    "Future planner items", /*nl*/ "Toekomstige planneronderdelen", /*de*/ "K\u00FCnftige Planungselemente",
    /*fr*/ "\u00C9l\u00E9ments \u00E0 venir", /*es*/ "", /*it*/ "Elementi futuri della pianificazione",
    /*da*/ "Kommende planl\u00E6gningspunkter", /*sv*/ "Kommande planeringsposter"};
const TLanguageStrings AlwaysCurrent = {
    "Always show current planner item", /*nl*/ "Altijd huidig planneronderdeel tonen",
    /*de*/ "Immer aktuelles Planungselement zeigen", /*fr*/ "Toujours afficher l'\u00E9l\u00E9ment actuel",
    /*es*/ "", /*it*/ "Mostra sempre l'elemento attuale", /*da*/ "Vis altid aktuelt planl\u00E6gningspunkt",
    /*sv*/ "Visa alltid aktuell planeringspost"};
const TLanguageStrings NoWaypoint = {"<no waypoint>", /*nl*/ "<geen waypoint>", /*de*/ "<kein Wegpunkt>",
                                     /*fr*/ "<aucun waypoint>", /*es*/ "", /*it*/ "<nessun waypoint>",
                                     /*da*/ "<intet waypoint>", /*sv*/ "<ingen v\u00E4gpunkt>"};
const TLanguageStrings FollowRoute = {"Follow route", /*nl*/ "Route volgen", /*de*/ "Route folgen",
                                      /*fr*/ "Suivre l'itin\u00E9raire", /*es*/ "", /*it*/ "Seguire la rotta",
                                      /*da*/ "F\u00F8lg ruten", /*sv*/ "F\u00F6lj rutten"};
const TLanguageStrings Starboard = {"STBD", /*nl*/ "SB", /*de*/ "STB", /*fr*/ "TRI", /*es*/ "",
                                    /*it*/ "DRITTA", /*da*/ "STB", /*sv*/ "STB"};
const TLanguageStrings Port = {"PORT", /*nl*/ "BB", /*de*/ "BB", /*fr*/ "B\u00C2B", /*es*/ "",
                               /*it*/ "SINISTRA", /*da*/ "BB", /*sv*/ "BB"};
const TLanguageStrings Point = {"Point", /*nl*/ "Punt", /*de*/ "Punkt", /*fr*/ "Point", /*es*/ "",
                                /*it*/ "Punto", /*da*/ "Punkt", /*sv*/ "Punkt"};
const TLanguageStrings Height = {"Height", /*nl*/ "Hoogte", /*de*/ "H\u00F6he", /*fr*/ "Hauteur", /*es*/ "",
                                 /*it*/ "Altezza", /*da*/ "H\u00F8jde", /*sv*/ "H\u00F6jd"};
const TLanguageStrings HeightClosed = {"Height (closed)", /*nl*/ "Hoogte (gesloten)", /*de*/ "H\u00F6he (geschlossen)",
                                       /*fr*/ "Hauteur (ferm\u00E9)", /*es*/ "", /*it*/ "Altezza (chiuso)",
                                       /*da*/ "H\u00F8jde (lukket)", /*sv*/ "H\u00F6jd (st\u00E4ngd)"};
const TLanguageStrings HeightOpen = {"Height (open)", /*nl*/ "Hoogte (open)", /*de*/ "H\u00F6he (offen)",
                                     /*fr*/ "Hauteur (ouvert)", /*es*/ "", /*it*/ "Altezza (aperto)",
                                     /*da*/ "H\u00F8jde (\u00E5ben)", /*sv*/ "H\u00F6jd (\u00F6ppen)"};
const TLanguageStrings Width = {"Width", /*nl*/ "Breedte", /*de*/ "Breite", /*fr*/ "Largeur", /*es*/ "",
                                /*it*/ "Larghezza", /*da*/ "Bredde", /*sv*/ "Bredd"};
const TLanguageStrings OperationNeeded = {
    "Operation needed.", /*nl*/ "Bediening nodig.", /*de*/ "Bedienung n\u00F6tig.", /*fr*/ "Manoeuvre n\u00E9cessaire.",
    /*es*/ "", /*it*/ "Manovra necessaria.", /*da*/ "Betjening n\u00F8dvendig.", /*sv*/ "Man\u00F6vrering beh\u00F6vs."};
const TLanguageStrings OperationPeriod = {
    "Operation period", /*nl*/ "Bedieningstijd", /*de*/ "Bedienzeit", /*fr*/ "P\u00E9riode de manoeuvre",
    /*es*/ "", /*it*/ "Orario di manovra", /*da*/ "Betjeningstid", /*sv*/ "Man\u00F6vertid"};
const TLanguageStrings WaitingTime = {"Waiting time", /*nl*/ "Wachttijd", /*de*/ "Wartezeit",
                                      /*fr*/ "Temps d'attente", /*es*/ "", /*it*/ "Tempo di attesa",
                                      /*da*/ "Ventetid", /*sv*/ "V\u00E4ntetid"};
const TLanguageStrings Visit = {"Visit", /*nl*/ "Bezoek", /*de*/ "Aufenthalt", /*fr*/ "Visite", /*es*/ "",
                                /*it*/ "Visita", /*da*/ "Bes\u00F8g", /*sv*/ "Bes\u00F6k"};
const TLanguageStrings Depart = {"Depart", /*nl*/ "Vertrek", /*de*/ "Abfahrt", /*fr*/ "D\u00E9part", /*es*/ "",
                                 /*it*/ "Partenza", /*da*/ "Afgang", /*sv*/ "Avg\u00E5ng"};
}  // namespace NavRouteWindowText

namespace {

using namespace NavRouteWindowText;

constexpr float OneDegree = 0.0174533f;
const QString CRLF = QStringLiteral("\r\n");

QString Line(const TLanguageStrings &caption, const QString &value) {
    return CRLF + LanguageText(caption) + QStringLiteral(": ") + value;
}

QString Length(float metres, int32_t unit) {
    return FloatToStrFixed(UnitConvert(metres, KvUnit::Metre, unit), 7, 2, LocaleFormatSettings()) + u' ' +
           UnitToStr(unit);
}

QString StructTypeName(IWWStruct *s) {
    switch (s->GetKind()) {
    case WWStructKind::Barrier:
        switch (s->GetBarrierKind()) {
        case WWBarrierKind::Weir: return QStringLiteral("Weir");
        case WWBarrierKind::Floodgate: return QStringLiteral("Flood gate");
        case WWBarrierKind::StormFloodgate: return QStringLiteral("Storm surge barrier");
        default: return {};
        }
    case WWStructKind::Bridge: return QStringLiteral("Bridge");
    case WWStructKind::OtherWork: {
        static const char *const names[] = {nullptr,    "Aqueduct",      "Tunnel",           "Siphon",    "Cable",
                                            "Pipeline", "Conveyer belt", "Former structure", "Power line"};
        const int32_t t = s->GetOtherType();
        return t >= 1 && t <= 8 ? QString::fromLatin1(names[t]) : QString();
    }
    case WWStructKind::Lock: return QStringLiteral("Lock");
    default: return {};
    }
}

QString ClearanceLines(IWWStruct *s, int32_t index, int32_t unit) {
    const TWWClearance c = WWClearanceOf(s, index);
    QString text;
    // A bridge that opens has two heights worth knowing.
    const bool twoHeights = s->GetKind() == WWStructKind::Bridge && c.HasOpen;
    if (c.Height) text += Line(twoHeights ? HeightClosed : Height, Length(*c.Height, unit));
    if (twoHeights && c.OpenHeight) text += Line(HeightOpen, Length(*c.OpenHeight, unit));
    if (c.Width && *c.Width > 0.0f) text += Line(Width, Length(*c.Width, unit));
    return text;
}

QString PassageLines(IWptRouteStructPassage *passage, int32_t unit) {
    IWWStruct *s = passage->GetStruct();
    const int32_t index = passage->GetPassageIndex();
    QString text;
    if (s && index >= 0) text += ClearanceLines(s, index, unit);
    const TPassageOperation *op = passage->GetOperation();
    const bool mast = passage->NeedsUnsteppedMast();
    if (op && op->OperatingPeriod) {
        auto *period = const_cast<IWWOperatingPeriod *>(op->OperatingPeriod);
        text += CRLF + CRLF + LanguageText(OperationNeeded) + Line(OperationPeriod, WWPeriodText(period->GetTimes()));
    } else if (s && s->GetKind() == WWStructKind::Bridge && !WWIsFixedBridge(s, index) && s->GetItem(index)) {
        text += CRLF + CRLF + LanguageText(NavInfoWWText::NotNeeded);
        if (mast) text += CRLF + LanguageText(NavInfoWWText::WithUnstepped);
    } else if (mast) {
        text += CRLF + CRLF + LanguageText(NavInfoWWText::WithUnstepped);
    }
    const double wait = (passage->GetPassageEnd() - passage->GetPassageStart()) * 86400.0;
    if (wait > 0.0) {
        QString d;
        FormatDurationDHMS(d, float(wait));
        text += Line(WaitingTime, d);
    }
    return text;
}

QString VisitLines(IWptRouteObject *object) {
    IWptPlanPoint *plan = object->GetPlanPoint();
    const TPlanStop *stop = plan ? plan->GetStop() : nullptr;
    IWptRouteTimePoint *departure = plan ? plan->GetDeparture() : nullptr;
    const TTimePointData *leave = departure ? departure->GetData() : nullptr;
    if (!stop || stop->Kind == WptPlanStopKind::None || !leave) return {};
    int64_t minutes = stop->Seconds / 60;
    if (stop->Kind == WptPlanStopKind::UntilDeparture)
        minutes = int64_t(std::trunc((leave->TimeUTC - object->GetValues()[3]) * 1440.0));
    using namespace KvDuration;
    const int32_t parts = minutes >= 1440 ? Days | Hours | Minutes : Hours | Minutes;
    const TDateTime local = leave->TimeUTC + NavInfoLocalNow() - NavInfoNowUTC();
    return CRLF + LanguageText(Visit) + QStringLiteral(" : ") + NavRouteText::Duration(minutes * 60, parts) + CRLF +
           LanguageText(Depart) + QStringLiteral(" : ") + FormatDateTime(QStringLiteral("d-m-yyyy hh:mm"), 1, local);
}

}  // namespace

QString NavRouteTurnText(float angleRad) {
    if (std::fabs(angleRad) <= OneDegree) return LanguageText(FollowRoute);
    QString a;
    AngleToStr2(0, 2, 1, std::fabs(angleRad), a);
    return a + QStringLiteral("\u00B0 ") + LanguageText(angleRad >= 0.0f ? Starboard : Port);
}

QString NavRouteObjectCaption(IWptRouteObject *object) {
    if (!object) return {};
    switch (object->GetKind()) {
    case WptRouteObjectKind::Turn: {
        IWptRouteLeg *leg = object->GetLeg();
        IWWSection *section = leg ? leg->GetSection() : nullptr;
        IWWFairwayPart *part = section ? section->GetFairwayPart() : nullptr;
        return part ? WWFairwayPartGetName(part) : QString();
    }
    case WptRouteObjectKind::Structure: {
        IWptRouteStructPassage *passage = object->GetStructPassage();
        IWWStruct *s = passage ? passage->GetStruct() : nullptr;
        if (!s) return {};
        const QString name = WWStructGetName(s);
        return name.isEmpty() ? StructTypeName(s) : name;
    }
    case WptRouteObjectKind::RoutePoint: {
        IWptPlanPoint *plan = object->GetPlanPoint();
        if (!plan) return {};
        return LanguageText(Point) + u' ' + QString::number(plan->GetIndex() + 1) + QStringLiteral(": ") +
               PlannerPointGetName(plan);
    }
    default:
        return {};
    }
}

QString NavRouteIndicationText(IWptRouteObject *object, int32_t smallUnit) {
    if (!object) return {};
    switch (object->GetKind()) {
    case WptRouteObjectKind::Turn: return CRLF + NavRouteTurnText(object->GetTurnAngle());
    case WptRouteObjectKind::Structure: {
        IWptRouteStructPassage *passage = object->GetStructPassage();
        return passage ? PassageLines(passage, smallUnit) : QString();
    }
    case WptRouteObjectKind::RoutePoint: return VisitLines(object);
    default: return {};
    }
}

QString NavRouteNextTimeText(int64_t secondsAhead, float speedMS) {
    // An object already behind is no time to go: an absolute difference would count up.
    if (secondsAhead < 0) return NavRouteText::Dashes;
    using namespace KvDuration;
    if (secondsAhead > 86400) return NavRouteText::Duration(secondsAhead, Days | Hours | Minutes);
    if (speedMS >= 0.25f && secondsAhead < 3601) return NavRouteText::Duration(secondsAhead, Hours | Minutes | Seconds);
    return NavRouteText::Duration(secondsAhead, Hours | Minutes);
}

QString NavRouteClockText(TDateTime utc) {
    const TDateTime local = utc + NavInfoLocalNow() - NavInfoNowUTC();
    const int minutes = int(std::floor((local - std::floor(local)) * 1440.0 + 1e-6)) % 1440;
    return QString::asprintf("%.2u:%.2u", unsigned(minutes / 60), unsigned(minutes % 60));
}
