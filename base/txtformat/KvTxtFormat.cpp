#include "base/txtformat/KvTxtFormat.h"

#include "base/kvlib/KvStrings.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvUnits.h>

#include <QComboBox>
#include <QSignalBlocker>
#include <iterator>

namespace {

struct TKeyName {
    const char *Key;
    TLanguageStrings Name;
};

// Fixed order: the longest-name rule keeps the later of two equally long names.
// The RD texts are Dutch grid terms: other languages show the English entry.
const TKeyName KindNames[] = {
    {"KIND_GROUP", {"Group", "Groep", "Gruppe", "Groupe", "Grupo", "Gruppo", "Gruppe", "Grupp"}},
    {"KIND_HEIGHT", {"Height", "Hoogte", "Höhe", "Hauteur", "Altura", "Altezza", "Højde", "Höjd"}},
    {"KIND_LATITUDE",
     {"Latitude", "Breedte", "Breite", "Latitude", "Latitud", "Latitudine", "Breddegrad",
      "Latitud"}},
    {"KIND_LONGITUDE",
     {"Longitude", "Lengte", "Länge", "Longitude", "Longitud", "Longitudine", "Længdegrad",
      "Longitud"}},
    {"KIND_NAME", {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"}},
    {"KIND_PROXIMITY",
     {"Proximity", "Nabijheid", "Annäherung", "Proximité", "Proximidad", "Prossimità", "Nærhed",
      "Närhet"}},
    {"KIND_RADIUS", {"Radius", "Straal", "Radius", "Rayon", "Radio", "Raggio", "Radius", "Radie"}},
    {"KIND_RDX", {"RD X-coördinate", "RD X-coördinaat", "", "", "", "", "", ""}},
    {"KIND_RDY", {"RD Y-coördinate", "RD Y-coördinaat", "", "", "", "", "", ""}},
    {"KIND_SUBNAME",
     {"Sub name", "Subnaam", "Untername", "Sous-nom", "Subnombre", "Sottonome", "Undernavn",
      "Undernamn"}},
    {"KIND_TYPE", {"Type", "Type", "Typ", "Type", "Tipo", "Tipo", "Type", "Typ"}},
    {"KIND_UNDEFINED",
     {"Undefined", "Ongedefinieerd", "Undefiniert", "Non défini", "Indefinido", "Non definito",
      "Udefineret", "Odefinierad"}},
};

const TKeyName TypeNames[] = {
    {"TYPE_DIST_MM",
     {"Millimeter", "Millimeter", "Millimeter", "Millimètre", "Milímetro", "Millimetro",
      "Millimeter", "Millimeter"}},
    {"TYPE_DIST_CM",
     {"Centimeter", "Centimeter", "Zentimeter", "Centimètre", "Centímetro", "Centimetro",
      "Centimeter", "Centimeter"}},
    {"TYPE_DIST_DM",
     {"Decimeter", "Decimeter", "Dezimeter", "Décimètre", "Decímetro", "Decimetro", "Decimeter",
      "Decimeter"}},
    {"TYPE_DIST_FATHOM",
     {"Fathom", "Vadem", "Faden", "Brasse", "Braza", "Braccio", "Favn", "Famn"}},
    {"TYPE_DIST_FOOT", {"Foot", "Voet", "Fuß", "Pied", "Pie", "Piede", "Fod", "Fot"}},
    {"TYPE_DIST_INCH", {"Inch", "Inch", "Zoll", "Pouce", "Pulgada", "Pollice", "Tomme", "Tum"}},
    {"TYPE_DIST_KM",
     {"Kilometer", "Kilometer", "Kilometer", "Kilomètre", "Kilómetro", "Chilometro", "Kilometer",
      "Kilometer"}},
    {"TYPE_DIST_M", {"Meter", "Meter", "Meter", "Mètre", "Metro", "Metro", "Meter", "Meter"}},
    {"TYPE_DIST_NMILE",
     {"Mile (Nautical)", "Mijl (zeemijl)", "Meile (See)", "Mille (marin)", "Milla (náutica)",
      "Miglio (nautico)", "Mil (sømil)", "Mil (nautisk)"}},
    {"TYPE_DIST_SMILE",
     {"Mile (Statute)", "Mijl (landmijl)", "Meile (Land)", "Mile (terrestre)",
      "Milla (terrestre)", "Miglio (terrestre)", "Mil (engelsk)", "Mil (engelsk)"}},
    {"TYPE_DIST_YARD", {"Yard", "Yard", "Yard", "Yard", "Yarda", "Iarda", "Yard", "Yard"}},
    {"TYPE_GEO_DEGFLOAT",
     {"Degrees (D.dd)", "Graden (G.gg)", "Grad (G.gg)", "Degrés (D.dd)", "Grados (G.gg)",
      "Gradi (G.gg)", "Grader (G.gg)", "Grader (G.gg)"}},
    {"TYPE_GEO_DEGINT",
     {"Degrees (D)", "Graden (G)", "Grad (G)", "Degrés (D)", "Grados (G)", "Gradi (G)",
      "Grader (G)", "Grader (G)"}},
    {"TYPE_GEO_MINFLOAT",
     {"Minutes (M.mm)", "Minuten (M.mm)", "Minuten (M.mm)", "Minutes (M.mm)", "Minutos (M.mm)",
      "Minuti (M.mm)", "Minutter (M.mm)", "Minuter (M.mm)"}},
    {"TYPE_GEO_MININT",
     {"Minutes (M)", "Minuten (M)", "Minuten (M)", "Minutes (M)", "Minutos (M)", "Minuti (M)",
      "Minutter (M)", "Minuter (M)"}},
    {"TYPE_GEO_RAD",
     {"Radians", "Radialen", "Radiant", "Radians", "Radianes", "Radianti", "Radianer",
      "Radianer"}},
    {"TYPE_GEO_SECFLOAT",
     {"Seconds (S.ss)", "Seconden (S.ss)", "Sekunden (S.ss)", "Secondes (S.ss)",
      "Segundos (S.ss)", "Secondi (S.ss)", "Sekunder (S.ss)", "Sekunder (S.ss)"}},
    // The grid's own abbreviation; the other languages show the English entry.
    {"TYPE_RD", {"RD (m)", "RD (m)", "RD (m)", "", "", "", "", ""}},
    {"TYPE_TEXT", {"Text", "Tekst", "Text", "Texte", "Texto", "Testo", "Tekst", "Text"}},
};

const TLanguageStrings DefaultWaypointProfile = {
    "Default waypoint profile", "Standaard waypointprofiel", "Standard-Wegpunktprofil",
    "Profil de waypoint par défaut", "Perfil de waypoint predeterminado",
    "Profilo waypoint predefinito", "Standard waypointprofil", "Standardprofil för waypoints"};
const TLanguageStrings DefaultRouteProfile = {
    "Default route profile", "Standaard routeprofiel", "Standard-Routenprofil",
    "Profil de route par défaut", "Perfil de ruta predeterminado", "Profilo rotta predefinito",
    "Standard ruteprofil", "Standardprofil för rutter"};
const TLanguageStrings NewWaypointProfile = {
    "New waypoint profile", "Nieuw waypointprofiel", "Neues Wegpunktprofil",
    "Nouveau profil de waypoint", "Nuevo perfil de waypoint", "Nuovo profilo waypoint",
    "Ny waypointprofil", "Ny waypointprofil"};
const TLanguageStrings NewRouteProfile = {
    "New route profile", "Nieuw routeprofiel", "Neues Routenprofil", "Nouveau profil de route",
    "Nuevo perfil de ruta", "Nuovo profilo rotta", "Ny ruteprofil", "Ny ruttprofil"};

template <size_t N>
bool KeyToStr(const TKeyName (&table)[N], const QString &key, QString &name) {
    for (const TKeyName &k : table)
        if (key == QLatin1String(k.Key)) {
            name = LanguageText(k.Name);
            return true;
        }
    return false;
}

template <size_t N>
QString LongestName(const TKeyName (&table)[N]) {
    QString longest = LanguageText(table[0].Name);
    for (size_t i = 1; i < N; ++i) {
        const QString name = LanguageText(table[i].Name);
        if (name.size() >= longest.size()) longest = name;
    }
    return longest;
}

// Unit of each distance value-type number (TxtFormatDistanceUnit); 0 = taken as read.
int32_t DistanceUnitOf(int32_t valueType) {
    switch (valueType) {
    case TxtFormatDistanceUnit::Millimetre: return KvUnit::Millimetre;
    case TxtFormatDistanceUnit::Centimetre: return KvUnit::Centimetre;
    case TxtFormatDistanceUnit::Decimetre: return KvUnit::Decimetre;
    case TxtFormatDistanceUnit::Kilometre: return KvUnit::Kilometre;
    case TxtFormatDistanceUnit::Inch: return KvUnit::Inch;
    case TxtFormatDistanceUnit::Foot: return KvUnit::Foot;
    case TxtFormatDistanceUnit::Yard: return KvUnit::Yard;
    case TxtFormatDistanceUnit::Fathom: return KvUnit::Fathom;
    case TxtFormatDistanceUnit::StatuteMile: return KvUnit::StatuteMile;
    case TxtFormatDistanceUnit::NauticalMile: return KvUnit::NauticalMile;
    default: return 0;
    }
}

// Display name of a key, or the key itself when no name is known (a profile file written by
// a newer version may hold kinds this one does not know).
QString DisplayName(bool kind, const QString &key) {
    QString name = key;
    if (kind)
        TxtFormatKindToStr(key, name);
    else
        TxtFormatTypeToStr(key, name);
    return name;
}

struct TKindDef {
    const char16_t *Key;
    int32_t Class;
};

struct TSelection {
    int32_t Column, Option;
    bool AsKind;  // else as value type
};

void InitProfile(ITxtFormatProfile *profile, const TKindDef *kinds, size_t kindCount,
                 const TSelection *selections, size_t selectionCount, bool defaultColumns) {
    if (!profile) return;
    profile->Clear();
    for (size_t i = 0; i < kindCount; ++i)
        profile->AddKind(TStrWRec{int32_t(std::char_traits<char16_t>::length(kinds[i].Key)),
                                  kinds[i].Key},
                         kinds[i].Class);
    profile->CommitKinds(0);
    if (!defaultColumns) return;
    for (size_t i = 0; i < selectionCount; ++i) {
        const TSelection &s = selections[i];
        ITxtFormatOption *option = profile->GetOption(s.Column, s.Option);
        if (!option) continue;
        if (s.AsKind)
            option->SelectAsKind();
        else
            option->SelectAsType();
    }
}

using namespace TxtFormatKindKey;
using namespace TxtFormatValueClass;

const TKindDef WaypointKinds[] = {{Undefined, Text}, {Name, Text},       {Latitude, Geo},
                                  {Longitude, Geo},  {SubName, Text},    {Proximity, Distance},
                                  {Group, Text},     {Type, Text},       {RDX, RD},
                                  {RDY, RD}};
const TKindDef RouteKinds[] = {
    {Undefined, Text}, {Name, Text}, {Latitude, Geo}, {Longitude, Geo}, {Radius, Distance}};
// Column 0 name, 1 latitude and 2 longitude in decimal degrees, 3 sub name (waypoints) or
// radius in metres (routes).
const TSelection WaypointColumns[] = {{0, 1, true},  {1, 2, true}, {1, 2, false},
                                      {2, 3, true},  {2, 2, false}, {3, 4, true}};
const TSelection RouteColumns[] = {{0, 1, true},  {1, 2, true},  {1, 2, false}, {2, 3, true},
                                   {2, 2, false}, {3, 4, true}, {3, 3, false}};

}  // namespace

ITxtFormatProfileManager *CreateTxtFormatProfileManager(const QString &file, int32_t &err) {
    return TxtFormatProfileManagerCreate(StrW(file), err);
}

ITxtFormatProfileManager *CreateTxtFormatProfileManagerEmpty() {
    return TxtFormatProfileManagerCreateEmpty();
}

ITxtFormatProfile *TxtFormatProfileManagerAdd(ITxtFormatProfileManager *manager,
                                              const QString &name) {
    return manager->Add(StrW(name));
}

bool TxtFormatProfileManagerFind(ITxtFormatProfileManager *manager, const QString &name,
                                 int32_t &index) {
    return manager->Find(StrW(name), index);
}

QString TxtFormatProfileManagerGetFileName(ITxtFormatProfileManager *manager) {
    return StrWToWide(manager->GetFileName());
}

void TxtFormatProfileManagerSetFileName(ITxtFormatProfileManager *manager, const QString &file) {
    manager->SetFileName(StrW(file));
}

void TxtFormatProfileAddKind(ITxtFormatProfile *profile, const QString &kindKey,
                             int32_t valueClass) {
    profile->AddKind(StrW(kindKey), valueClass);
}

QString TxtFormatProfileGetKindKey(ITxtFormatProfile *profile, int32_t index) {
    return StrWToWide(profile->GetKindKey(index));
}

QString TxtFormatProfileGetName(ITxtFormatProfile *profile) {
    return StrWToWide(profile->GetName());
}

void TxtFormatProfileSetName(ITxtFormatProfile *profile, const QString &name) {
    profile->SetName(StrW(name));
}

QChar TxtFormatProfileGetDecimalSeparator(ITxtFormatProfile *profile) {
    return QChar(profile->GetDecimalSeparator());
}

QChar TxtFormatProfileGetFieldSeparator(ITxtFormatProfile *profile) {
    return QChar(profile->GetFieldSeparator());
}

void TxtFormatProfileSetDecimalSeparator(ITxtFormatProfile *profile, QChar separator) {
    profile->SetDecimalSeparator(separator.unicode());
}

void TxtFormatProfileSetFieldSeparator(ITxtFormatProfile *profile, QChar separator) {
    profile->SetFieldSeparator(separator.unicode());
}

QString TxtFormatFieldGetTypeKey(ITxtFormatField *field, int32_t index) {
    return StrWToWide(field->GetTypeKey(index));
}

int32_t TxtFormatFieldIndexOfType(ITxtFormatField *field, const QString &key) {
    return field->IndexOfType(StrW(key));
}

QString TxtFormatFieldGetKindKey(ITxtFormatField *field, int32_t index) {
    return StrWToWide(field->GetKindKey(index));
}

bool TxtFormatTryStrToValue(const QString &text, double &value, int32_t valueType,
                            const TFormatSettings &fs) {
    double v = 0.0;
    if (!TryTextToFloat(text, v, fs)) return false;
    if (const int32_t unit = DistanceUnitOf(valueType)) v = UnitConvert(v, unit, KvUnit::Metre);
    value = v;
    return true;
}

bool TxtFormatKindToStr(const QString &key, QString &name) {
    return KeyToStr(KindNames, key, name);
}

bool TxtFormatTypeToStr(const QString &key, QString &name) {
    return KeyToStr(TypeNames, key, name);
}

QString TxtFormatLongestKindName() {
    return LongestName(KindNames);
}

QString TxtFormatLongestTypeName() {
    return LongestName(TypeNames);
}

bool TxtFormatDefaultProfileName(int32_t profileKind, QString &name) {
    switch (profileKind) {
    case TxtFormatProfileKind::Waypoint: name = LanguageText(DefaultWaypointProfile); return true;
    case TxtFormatProfileKind::Route: name = LanguageText(DefaultRouteProfile); return true;
    default: return false;
    }
}

bool TxtFormatNewProfileName(int32_t profileKind, QString &name) {
    switch (profileKind) {
    case TxtFormatProfileKind::Waypoint: name = LanguageText(NewWaypointProfile); return true;
    case TxtFormatProfileKind::Route: name = LanguageText(NewRouteProfile); return true;
    default: return false;
    }
}

void TxtFormatFillKindCombo(ITxtFormatField *field, QComboBox *combo) {
    // The page reacts to a changed selection; filling is no choice of the user.
    const QSignalBlocker block(combo);
    combo->clear();
    const int32_t n = field->GetKindCount();
    for (int32_t i = 0; i < n; ++i) combo->addItem(DisplayName(true, TxtFormatFieldGetKindKey(field, i)));
    combo->setCurrentIndex(field->GetKindIndex());
}

void TxtFormatFillTypeCombo(ITxtFormatField *field, QComboBox *combo) {
    const QSignalBlocker block(combo);
    combo->clear();
    const int32_t n = field->GetTypeCount();
    for (int32_t i = 0; i < n; ++i) combo->addItem(DisplayName(false, TxtFormatFieldGetTypeKey(field, i)));
    combo->setCurrentIndex(field->GetTypeIndex());
}

void TxtFormatProfileInitWaypoint(ITxtFormatProfile *profile, bool defaultColumns) {
    InitProfile(profile, WaypointKinds, std::size(WaypointKinds), WaypointColumns,
                std::size(WaypointColumns), defaultColumns);
}

void TxtFormatProfileInitRoute(ITxtFormatProfile *profile, bool defaultColumns) {
    InitProfile(profile, RouteKinds, std::size(RouteKinds), RouteColumns, std::size(RouteColumns),
                defaultColumns);
}
