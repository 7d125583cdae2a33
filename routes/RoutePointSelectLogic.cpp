#include "routes/RoutePointSelectLogic.h"

#include "base/geodesy/KvGeodetic.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "objectinfo/KvWWNetwork.h"
#include "routes/RoutePointSelectTexts.h"

#include <KvLibNav6/KvUnits.h>

#include <QLocale>
#include <algorithm>
#include <unordered_map>

namespace T = RoutePointSelectText;

namespace {

// Group and type names of the chart waypoint databases that classify a waypoint. They are
// the databases' own texts, compared exactly.
bool IsMarinaGroup(const QString &g) { return g == u"ADAC Marinas" || g == u"Jachthavens"; }
bool IsBerthGroup(const QString &g) {
    return g == u"Aanlegsteigers" || g == u"Marrekrite-aanlegplaatsen" ||
           g == u"Tijdelijke ligplaatsen pleziervaart";
}
bool IsDieselGroup(const QString &g) { return g == u"Dieseltankstations"; }
bool IsPlaceType(const QString &t) { return t == u"City" || t == u"Name of city"; }
bool IsHamletType(const QString &t) { return t == u"City 2" || t == u"Name of locality"; }

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

TDouble3 WaypointGlobal(IWptWaypoint *waypoint) {
    const TGeoPoint *p = waypoint->GetPosition();
    TDouble3 out{};
    const TGeoPoint3 geo{p->Lat, p->Lon, 0.0};
    GeoToGlobal3(out, geo, GeodeticGlobals().StandardEllipsoid);
    return out;
}

TNodeData *AddRow(TNodeList &rows, uint8_t kind, NavObject *obj, const QString &name,
                  const std::optional<TDouble3> &reference, TNodeData *parent = nullptr) {
    auto row = std::make_unique<TNodeData>();
    row->Kind = kind;
    row->Obj = obj;
    row->Name = name;
    row->LowerName = name.toLower();
    row->Parent = parent;
    row->HasPosition = obj && RowObjectPosition(kind, obj, row->At);
    if (reference && row->HasPosition) row->Distance = Double3Distance(*reference, row->At);
    rows.push_back(std::move(row));
    return rows.back().get();
}

void AddWaypoints(const TCandidateSource &src, TCandidateList &out) {
    if (!src.Manager) return;
    std::unique_ptr<IWptWaypointGroupList, NavObjectDeleter> groups{WptWaypointGroupListCreate(0)};
    std::unordered_map<IWptWaypointType *, QString> typeNames;
    auto typeName = [&typeNames](IWptWaypointType *t) {
        if (!t) return QString();
        auto found = typeNames.find(t);
        if (found == typeNames.end()) found = typeNames.emplace(t, WptObjectGetName(t)).first;
        return found->second;
    };
    const uint32_t f = src.Filters;
    for (int32_t i = src.Manager->GetWaypointCount() - 1; i >= 0; --i) {
        IWptWaypoint *w = src.Manager->GetWaypoint(i);
        if (!w) continue;
        const bool user = w->GetDatabase() == src.UserDatabase;
        QString type;
        bool marina = false, berth = false, diesel = false;
        if (!user) {
            if (src.ChartWptSelectedOnly && src.ChartDatabaseSelected && !src.ChartDatabaseSelected(w->GetDatabase()))
                continue;
            type = typeName(w->GetType());
            groups->Clear();
            w->GetGroups(groups.get());
            for (int32_t g = 0; g < groups->GetCount(); ++g) {
                const QString name = WptObjectGetName(dynamic_cast<IWptObject *>(groups->GetItem(g)));
                marina = marina || IsMarinaGroup(name);
                berth = berth || IsBerthGroup(name);
                diesel = diesel || IsDieselGroup(name);
            }
            if (IsPlaceType(type) || IsHamletType(type)) out.Places.push_back(w);
        }
        const bool take = ((f & RoutePointFilter::Places) && IsPlaceType(type)) ||
                          ((f & RoutePointFilter::Hamlets) && IsHamletType(type)) ||
                          ((f & RoutePointFilter::Marinas) && marina) ||
                          ((f & RoutePointFilter::Diesel) && diesel) ||
                          ((f & RoutePointFilter::TemporaryBerths) && berth) ||
                          ((f & RoutePointFilter::User) && user) || (f & RoutePointFilter::Other);
        if (!take) continue;
        TNodeData *row = AddRow(out.Rows, RouteRowKind::Waypoint, w, WptObjectGetName(w), src.Reference);
        row->TypeName = user ? typeName(w->GetType()) : type;
    }
}

void AddFairways(const TCandidateSource &src, TCandidateList &out) {
    IWWNetwork *net = src.Network;
    for (int32_t i = net->GetFairwayCount() - 1; i >= 0; --i) {
        IWWFairway *fw = net->GetFairway(i);
        if (!fw || !FairwayInWaterBodies(fw, src.WaterBodies)) continue;
        const int32_t parts = fw->GetPartCount();
        if (parts > 1) {
            TNodeData *parent = AddRow(out.Rows, RouteRowKind::Fairway, fw, WWFairwayGetName(fw), src.Reference);
            for (int32_t p = parts - 1; p >= 0; --p)
                AddRow(parent->Children, RouteRowKind::FairwayPart, fw->GetPart(p),
                       WWFairwayPartGetName(fw->GetPart(p)), src.Reference, parent);
        }
        for (int32_t p = parts - 1; p >= 0; --p)
            AddRow(out.Rows, RouteRowKind::FairwayPart, fw->GetPart(p),
                   WWFairwayPartGetListName(fw->GetPart(p)), src.Reference);
    }
}

void AddStructures(const TCandidateSource &src, TCandidateList &out) {
    IWWNetwork *net = src.Network;
    const QString unit = UnitToStr(src.LargeUnit);
    for (int32_t i = net->GetStructCount() - 1; i >= 0; --i) {
        IWWStruct *s = net->GetStruct(i);
        IWWSection *section = s ? s->GetSection() : nullptr;
        if (!section || !(src.WaterBodies & WaterBodyMask(section->GetWaterBody()))) continue;
        const QString name = WWStructGetName(s);
        if (name.isEmpty()) continue;
        const QString place = WWStructGetPlace(s);
        const double chainage = UnitConvert(section->GetStartChainage() + s->GetSectionPosition(),
                                            KvUnit::Metre, src.LargeUnit);
        QString text = name;
        if (!place.isEmpty()) text += QStringLiteral(", ") + place;
        text += QStringLiteral(" (") + QLocale().toString(chainage, 'f', 2) + QLatin1Char(' ') + unit +
                QLatin1Char(')');
        AddRow(out.Rows, RouteRowKind::Struct, s, text, src.Reference)->Name2 = place;
    }
}

QString Bracketed(const TLanguageStrings &t) { return QLatin1Char('<') + LanguageText(t) + QLatin1Char('>'); }

}  // namespace

// ---- positions ----

bool CentreOfSections(int32_t count, const std::function<IWWSection *(int32_t)> &section,
                      double totalLength, IWWSection *&centre, double &position) {
    if (count <= 0) return false;
    const double half = totalLength / 2.0;
    double sum = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        IWWSection *s = section(i);
        sum += s->GetLength();
        if (sum > half || i == count - 1) {
            centre = s;
            position = s->GetLength() - (sum - half);
            return true;
        }
    }
    return false;
}

bool FairwayCentre(IWWFairway *fw, IWWSection *&section, double &position) {
    return CentreOfSections(fw->GetSectionCount(), [fw](int32_t i) { return fw->GetSection(i); },
                            fw->GetLength(), section, position);
}

bool FairwayPartCentre(IWWFairwayPart *part, IWWSection *&section, double &position) {
    return CentreOfSections(part->GetSectionCount(), [part](int32_t i) { return part->GetSection(i); },
                            part->GetLength(), section, position);
}

bool RowObjectPosition(uint8_t kind, NavObject *obj, TDouble3 &out) {
    IWWSection *section = nullptr;
    double position = 0.0;
    switch (kind) {
    case RouteRowKind::Fairway:
        if (!FairwayCentre(static_cast<IWWFairway *>(obj), section, position)) return false;
        out = section->GetPointAt(position);
        return true;
    case RouteRowKind::FairwayPart:
        if (!FairwayPartCentre(static_cast<IWWFairwayPart *>(obj), section, position)) return false;
        out = section->GetPointAt(position);
        return true;
    case RouteRowKind::Struct:
        out = static_cast<IWWStruct *>(obj)->GetGlobalPosition();
        return true;
    case RouteRowKind::Waypoint:
        out = WaypointGlobal(static_cast<IWptWaypoint *>(obj));
        return true;
    default:
        return false;
    }
}

// ---- candidates ----

bool FairwayInWaterBodies(IWWFairway *fairway, uint32_t waterBodies) {
    for (int32_t p = 0; p < fairway->GetPartCount(); ++p) {
        IWWFairwayPart *part = fairway->GetPart(p);
        for (int32_t s = 0; part && s < part->GetSectionCount(); ++s)
            if (waterBodies & WaterBodyMask(part->GetSection(s)->GetWaterBody())) return true;
    }
    return false;
}

void BuildCandidates(const TCandidateSource &src, TCandidateList &out) {
    out.Rows.clear();
    out.Places.clear();
    out.CurrentRow = out.HomeRow = nullptr;
    if (src.Planner) {
        out.CurrentRow = AddRow(out.Rows, RouteRowKind::CurrentPosition, nullptr, Bracketed(T::CurrentPosition), {});
        out.HomeRow = AddRow(out.Rows, RouteRowKind::Home, nullptr, Bracketed(T::HomeLocation), {});
    }
    AddWaypoints(src, out);
    if (src.Network && (src.Filters & RoutePointFilter::Waterways)) AddFairways(src, out);
    if (src.Network && (src.Filters & RoutePointFilter::Structures)) AddStructures(src, out);
    SortRows(out.Rows);
}

bool RowLess(const TNodeData &a, const TNodeData &b) {
    if (a.Distance != b.Distance) return a.Distance < b.Distance;
    if (a.Name.isEmpty() != b.Name.isEmpty()) return !a.Name.isEmpty();
    return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
}

bool SecondRowLess(const TNodeData &a, const TNodeData &b) {
    if (a.Order != b.Order) return a.Order > b.Order;
    return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
}

void SortRows(TNodeList &rows, bool secondList) {
    std::stable_sort(rows.begin(), rows.end(), [secondList](const auto &a, const auto &b) {
        return secondList ? SecondRowLess(*a, *b) : RowLess(*a, *b);
    });
    for (auto &row : rows) SortRows(row->Children, secondList);
}

// ---- texts ----

QString RowNameText(const TNodeData &row) {
    if (row.Kind == RouteRowKind::CurrentPosition) return Bracketed(T::CurrentPosition);
    if (row.Kind == RouteRowKind::Home) return Bracketed(T::HomeLocation);
    QString text = row.Name.isEmpty() ? LanguageText(T::NoName) : row.Name;
    if (row.Kind == RouteRowKind::Waypoint) text += QStringLiteral(" (") + row.TypeName + QLatin1Char(')');
    return text;
}

QString RowDistanceText(const TNodeData &row, int32_t largeUnit, int32_t smallUnit) {
    if (row.Kind == RouteRowKind::CurrentPosition || row.Kind == RouteRowKind::Home || row.Distance < 0.0)
        return {};
    QString value, unit;
    FormatDistanceA(largeUnit, smallUnit, value, unit, row.Distance);
    return value + QLatin1Char(' ') + unit;
}

QString StructKindText(IWWStruct *s) {
    switch (s->GetKind()) {
    case WWStructKind::Barrier: {
        const int32_t k = s->GetBarrierKind();
        return k >= 0 && k <= 2 ? LanguageText(T::BarrierTexts[k]) : QString();
    }
    case WWStructKind::Bridge:
        return LanguageText(T::BridgeText);
    case WWStructKind::OtherWork: {
        const int32_t k = s->GetOtherType();
        return k >= 1 && k <= 8 ? LanguageText(T::CrossingTexts[k - 1]) : QString();
    }
    case WWStructKind::Lock:
        return LanguageText(T::LockText);
    default:
        return {};
    }
}

QString RowTypeText(const TNodeData &row) {
    switch (row.Kind) {
    case RouteRowKind::Fairway:
    case RouteRowKind::FairwayPart:
        return LanguageText(T::TypeFairway);
    case RouteRowKind::Section:
        return LanguageText(T::TypeSection);
    case RouteRowKind::Struct:
        return StructKindText(row.Struct());
    case RouteRowKind::Waypoint:
        return LanguageText(T::TypeWaypoint);
    default:
        return {};
    }
}

// ---- search ----

IWptWaypoint *FindPlace(const std::vector<IWptWaypoint *> &places, const QString &name,
                        TDouble3 &position) {
    for (IWptWaypoint *w : places)
        if (WptObjectGetName(w).compare(name, Qt::CaseInsensitive) == 0) {
            position = WaypointGlobal(w);
            return w;
        }
    return nullptr;
}

TSearchOutcome SearchRows(const TNodeList &rows, const std::vector<IWptWaypoint *> &places,
                          const QString &text) {
    TSearchOutcome out;
    const QString t = text.trimmed();
    out.Visible.assign(rows.size(), true);
    if (t.isEmpty()) {
        if (!rows.empty()) out.Focus = 0;
        return out;
    }
    out.Empty = false;
    const QStringList words = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    TDouble3 placeAt{};
    out.Place = FindPlace(places, t.toLower(), placeAt);
    for (int i = 0; !out.Place && i < words.size(); ++i) out.Place = FindPlace(places, words[i], placeAt);
    QStringList lowerWords;
    for (const QString &w : words) lowerWords << w.toLower();
    const QChar first = words.first().at(0);
    const bool prefixRule = first >= QLatin1Char('A') && first <= QLatin1Char('Z');
    for (size_t r = 0; r < rows.size(); ++r) {
        const TNodeData &row = *rows[r];
        bool match = !prefixRule || row.Name.startsWith(words.first()) || row.Name2.startsWith(words.first());
        for (const QString &w : lowerWords) match = match && row.LowerName.contains(w);
        if (!match && out.Place && row.HasPosition) match = Double3Distance(placeAt, row.At) < 5000.0;
        out.Visible[r] = match;
    }
    for (size_t r = 0; r < rows.size() && out.Focus < 0; ++r)
        if (out.Visible[r] && (!out.Place || rows[r]->Obj == out.Place)) out.Focus = int(r);
    return out;
}

std::vector<bool> SearchSecondRows(const TNodeList &rows, const QString &text) {
    const QStringList words = text.trimmed().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<bool> visible;
    for (const auto &row : rows) {
        const QString lower = row->Name.toLower();
        visible.push_back(std::all_of(words.begin(), words.end(), [&](const QString &w) { return lower.contains(w); }));
    }
    return visible;
}

// ---- slots ----

void TRoutePointSlot::ClearObjects() {
    Fairway = nullptr;
    Part = nullptr;
    Section = nullptr;
    Position = 0.0;
    Struct = nullptr;
    Waypoint = nullptr;
}

bool TRoutePointSlot::Resolvable(bool shipHasPosition, bool networkGiven) const {
    switch (Kind) {
    case RouteSlotKind::CurrentPosition:
        return networkGiven && shipHasPosition;
    case RouteSlotKind::Home:
        return networkGiven;
    case RouteSlotKind::Object:
        if (Waypoint || Section) return true;
        if (Struct) return Struct->GetSection() != nullptr;
        if (Fairway) return Fairway->GetSectionCount() > 0;
        if (Part) return Part->GetSectionCount() > 0;
        return false;
    default:
        return false;
    }
}

bool ResolveSlot(const TRoutePointSlot &slot, IWWNetwork *network, const TGeoPoint *ship,
                 const TGeoPoint &home, IWWSection *&section, double &position,
                 IWptWaypoint *&waypoint) {
    double unused = 0.0;
    switch (slot.Kind) {
    case RouteSlotKind::CurrentPosition:
    case RouteSlotKind::Home: {
        const TGeoPoint *at = slot.Kind == RouteSlotKind::Home ? &home : ship;
        if (!network || !at) return false;
        IWWSection *found = nullptr;
        double pos = 0.0;
        network->FindNearestSection(found, pos, unused, *at);
        if (!found) return false;
        section = found;
        position = pos;
        return true;
    }
    case RouteSlotKind::Object:
        if (slot.Waypoint) {
            waypoint = slot.Waypoint;
            return true;
        }
        if (slot.Struct) {
            if (!slot.Struct->GetSection()) return false;
            section = slot.Struct->GetSection();
            position = slot.Struct->GetSectionPosition();
            return true;
        }
        if (slot.Section) {
            section = slot.Section;
            position = slot.Position;
            return true;
        }
        if (slot.Fairway) return FairwayCentre(slot.Fairway, section, position);
        if (slot.Part) return FairwayPartCentre(slot.Part, section, position);
        return false;
    default:
        return false;
    }
}

// ---- second page ----

namespace {

TNodeData *AddSecondRow(TNodeList &rows, const QString &name, uint8_t kind, NavObject *obj,
                        int order, double position = 0.0) {
    auto row = std::make_unique<TNodeData>();
    row->Name = name;
    row->Kind = kind;
    row->Obj = obj;
    row->Order = order;
    row->Position = position;
    rows.push_back(std::move(row));
    return rows.back().get();
}

bool IsDeadEnd(IWWJunction *j) { return j && j->GetSectionCount() == 1; }

// Crossing rows at junction j of the sections whose owner (fairway or part) differs from
// own and is not yet on the page.
void AddCrossings(TNodeList &rows, IWWJunction *j, NavObject *own, bool byPart) {
    if (!j) return;
    for (int32_t i = j->GetSectionCount() - 1; i >= 0; --i) {
        IWWSection *s = j->GetSection(i);
        NavObject *owner = byPart ? static_cast<NavObject *>(s->GetFairwayPart()) : static_cast<NavObject *>(s->GetFairway());
        if (!owner || owner == own) continue;
        const bool known = std::any_of(rows.begin(), rows.end(), [&](const auto &r) {
            if (r->Kind != RouteRowKind::Section) return false;
            IWWSection *rs = r->Section();
            return (byPart ? static_cast<NavObject *>(rs->GetFairwayPart()) : static_cast<NavObject *>(rs->GetFairway())) == owner;
        });
        if (known) continue;
        const QString name = byPart ? WWFairwayPartGetListName(s->GetFairwayPart()) : WWFairwayGetName(s->GetFairway());
        AddSecondRow(rows, name, RouteRowKind::Section, s, 0, s->GetStartJunction() == j ? 0.0 : s->GetLength());
    }
}

void BuildRunPage(TNodeList &rows, NavObject *own, uint8_t centreKind, bool byPart, int32_t count,
                  const std::function<IWWSection *(int32_t)> &section) {
    AddSecondRow(rows, LanguageText(T::Center), centreKind, own, 2);
    if (count <= 0) return;
    IWWSection *first = section(0);
    IWWSection *last = section(count - 1);
    if (IsDeadEnd(first->GetStartJunction()))
        AddSecondRow(rows, LanguageText(T::Start), RouteRowKind::Section, first, 3, 0.0);
    for (int32_t i = 0; i < count; ++i) AddCrossings(rows, section(i)->GetEndJunction(), own, byPart);
    AddCrossings(rows, first->GetStartJunction(), own, byPart);
    if (IsDeadEnd(last->GetEndJunction()))
        AddSecondRow(rows, LanguageText(T::End), RouteRowKind::Section, last, 1, last->GetLength());
}

}  // namespace

void BuildSecondPage(const TRoutePointSlot &slot, TNodeList &rows) {
    rows.clear();
    if (IWWFairway *fw = slot.Fairway) {
        BuildRunPage(rows, fw, RouteRowKind::Fairway, false, fw->GetSectionCount(),
                     [fw](int32_t i) { return fw->GetSection(i); });
    } else if (IWWFairwayPart *part = slot.Part) {
        BuildRunPage(rows, part, RouteRowKind::FairwayPart, true, part->GetSectionCount(),
                     [part](int32_t i) { return part->GetSection(i); });
    }
    SortRows(rows, true);
}

// ---- recent searches ----

namespace {
const QString RecentKey = QStringLiteral("Routes\\RecentSearches");
QString RecentEntryKey(int n) { return RecentKey + QLatin1Char('\\') + QString::number(n); }

void WriteRecent(IAppReg *reg, int n, const TRecentSearch &e) {
    int32_t err = 0;
    const QString key = RecentEntryKey(n);
    RegWriteBool(reg, AppRegRoot::Product, key, RegName(u"IsWaypoint"), e.IsWaypoint, err);
    RegWriteGUID(reg, AppRegRoot::Product, key, RegName(u"ObjectGUID"), e.ObjectGUID, err);
    RegWriteString(reg, AppRegRoot::Product, key, RegName(u"SearchName"), e.SearchName, err);
    if (!e.IsWaypoint) RegWriteDouble(reg, AppRegRoot::Product, key, RegName(u"SectionPos"), e.SectionPos, err);
}
}  // namespace

std::vector<TRecentSearch> LoadRecentSearches(IAppReg *reg) {
    std::vector<TRecentSearch> table;
    QStringList names;
    int32_t err = 0;
    RegGetKeyNames(reg, AppRegRoot::Product, RecentKey, names, err);
    for (int n = 0; n < names.size() && int(table.size()) < RecentSearchMax; ++n) {
        const QString key = RecentEntryKey(n);
        TRecentSearch e;
        int32_t e1 = 0, e2 = 0, e3 = 0, e4 = 0;
        e.IsWaypoint = RegReadBool(reg, AppRegRoot::Product, key, RegName(u"IsWaypoint"), e1);
        RegReadGUID(reg, AppRegRoot::Product, key, RegName(u"ObjectGUID"), e2, e.ObjectGUID);
        RegReadString(reg, AppRegRoot::Product, key, RegName(u"SearchName"), e3, e.SearchName);
        if (!e.IsWaypoint) e.SectionPos = RegReadDouble(reg, AppRegRoot::Product, key, RegName(u"SectionPos"), e4);
        if (e1 || e2 || e3 || e4) continue;
        table.push_back(e);
    }
    return table;
}

void SaveRecentSearch(IAppReg *reg, const std::vector<TRecentSearch> &table, const TRecentSearch &entry) {
    int32_t err = 0;
    RegDeleteKey(reg, AppRegRoot::Product, RecentKey, err);
    WriteRecent(reg, 0, entry);
    int n = 1;
    const size_t keep = std::min<size_t>(table.size(), RecentSearchMax - 1);
    for (size_t i = 0; i < keep; ++i) {
        if (SameGUID(table[i].ObjectGUID, entry.ObjectGUID)) continue;
        WriteRecent(reg, n++, table[i]);
    }
}

// ---- stored slots ----

namespace {
constexpr int32_t Root = AppRegRoot::Product;
// Object types of a stored slot.
enum TStoredType { stWaypoint = 0, stStruct = 1, stSection = 2, stFairway = 3, stPart = 4 };
}  // namespace

void RestoreSlot(IAppReg *reg, const QString &key, const QString &prefix, IWptManager *manager,
                 IWWNetwork *network, TRoutePointSlot &slot, uint8_t kind) {
    slot = TRoutePointSlot{};
    slot.Kind = kind;
    if (kind != RouteSlotKind::Object) return;
    const int32_t type = RegReadIntegerDef(reg, Root, key, RegName(prefix + QLatin1String("CustomType")), -1);
    TGUID guid{};
    RegReadGUIDDef(reg, Root, key, RegName(prefix + QLatin1String("CustomGUID")), TGUID{}, guid);
    if (type < 0 || SameGUID(guid, TGUID{})) return;
    int32_t index = -1;
    switch (type) {
    case stWaypoint:
        if (manager && manager->FindWaypoint(guid, index)) slot.Waypoint = manager->GetWaypoint(index);
        break;
    case stStruct:
        if (network && network->FindStruct(&guid, index)) slot.Struct = network->GetStruct(index);
        break;
    case stSection:
        if (network && network->FindSection(guid, index)) {
            slot.Section = network->GetSection(index);
            slot.Position = RegReadDoubleDef(reg, Root, key, RegName(prefix + QLatin1String("SectionPos")), 0.0);
        }
        break;
    case stFairway:
    case stPart:
        if (network && network->FindFairway(guid, index)) {
            IWWFairway *fw = network->GetFairway(index);
            if (type == stFairway) {
                slot.Fairway = fw;
            } else {
                const int32_t part = RegReadIntegerDef(reg, Root, key, RegName(prefix + QLatin1String("CustomSGIdx")), -1);
                if (fw && part >= 0 && part < fw->GetPartCount()) slot.Part = fw->GetPart(part);
            }
        }
        break;
    default:
        break;
    }
    if (!slot.HasObject()) return;
    RegReadStringDef(reg, Root, key, RegName(prefix + QLatin1String("Name")), QString(), slot.Name);
    RegReadStringDef(reg, Root, key, RegName(prefix + QLatin1String("Name2")), QString(), slot.Name2);
}

void StoreSlot(IAppReg *reg, const QString &key, const QString &prefix, const TRoutePointSlot &slot) {
    if (slot.Kind != RouteSlotKind::Object) return;
    int32_t err = 0;
    int32_t type = -1;
    const TGUID *guid = nullptr;
    if (slot.Waypoint) {
        type = stWaypoint;
        guid = slot.Waypoint->GetGUID();
    } else if (slot.Struct) {
        type = stStruct;
        guid = slot.Struct->GetGUID();
    } else if (slot.Section) {
        type = stSection;
        guid = slot.Section->GetGUID();
        RegWriteDouble(reg, Root, key, RegName(prefix + QLatin1String("SectionPos")), slot.Position, err);
    } else if (slot.Fairway) {
        type = stFairway;
        guid = slot.Fairway->GetGUID();
    } else if (slot.Part && slot.Part->GetFairway()) {
        IWWFairway *fw = slot.Part->GetFairway();
        type = stPart;
        guid = fw->GetGUID();
        int32_t index = fw->GetPartCount() - 1;
        while (index >= 0 && fw->GetPart(index) != slot.Part) --index;
        RegWriteInteger(reg, Root, key, RegName(prefix + QLatin1String("CustomSGIdx")), index, err);
    }
    RegWriteInteger(reg, Root, key, RegName(prefix + QLatin1String("CustomType")), type, err);
    RegWriteGUID(reg, Root, key, RegName(prefix + QLatin1String("CustomGUID")), guid ? *guid : TGUID{}, err);
    RegWriteString(reg, Root, key, RegName(prefix + QLatin1String("Name")), slot.Name, err);
    RegWriteString(reg, Root, key, RegName(prefix + QLatin1String("Name2")), slot.Name2, err);
}

