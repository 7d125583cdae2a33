#include "base/settings/KvRegDisplay.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString KeyLocale = QStringLiteral("Locale");
const QString KeyTracks = QStringLiteral("Tracks");
const QString KeyWptDBsVisible = QStringLiteral("WptDBs\\Visible");
const QString KeyGroupsVisible = QStringLiteral("Groups\\Visible");
const QString KeyPolygonsVisible = QStringLiteral("Polygons\\Visible");
const QString KeyRoutesVisible = QStringLiteral("Routes\\Visible");
const QString KeyTracksVisible = QStringLiteral("Tracks\\Visible");

// One display unit: the codes in stored order (stored value = index) and the code a stored
// value outside the list reads as.
struct TUnitValue {
    const char16_t *ValueName;
    const char *Writer;
    std::vector<int32_t> Codes;
    int32_t Fallback;
};

const TUnitValue UnitDistanceLarge{
    u"DistanceLarge", "RegWriteUnitDistanceLarge",
    {KvUnit::Kilometre, KvUnit::StatuteMile, KvUnit::NauticalMile}, KvUnit::NauticalMile};
const TUnitValue UnitDistanceSmall{u"DistanceSmall", "RegWriteUnitDistanceSmall",
                                   {KvUnit::Metre, KvUnit::Foot, KvUnit::Yard}, KvUnit::Metre};
const TUnitValue UnitDepth{u"Depth", "RegWriteUnitDepth", {KvUnit::Metre, KvUnit::Foot},
                           KvUnit::Metre};
const TUnitValue UnitSpeed{
    u"Speed", "RegWriteUnitSpeed",
    {KvUnit::KilometrePerHour, KvUnit::Knot, KvUnit::MilePerHour, KvUnit::MetrePerSecond},
    KvUnit::Knot};
const TUnitValue UnitTemperature{u"Temperature", "RegWriteUnitTemperature",
                                 {KvUnit::Celsius, KvUnit::Fahrenheit}, KvUnit::Celsius};
const TUnitValue UnitVolume{u"Volume", "RegWriteUnitVolume", {KvUnit::Litre, KvUnit::USGallon},
                            KvUnit::Litre};

ValueName Name(const char16_t *text) {
    return ValueName(TStrWRec{int32_t(std::char_traits<char16_t>::length(text)), text});
}

int32_t ReadUnit(const TUnitValue &u) {
    const int32_t stored = RegReadIntegerDef(GetAppReg(), Root, KeyLocale, Name(u.ValueName), 0);
    return stored >= 0 && size_t(stored) < u.Codes.size() ? u.Codes[size_t(stored)] : u.Fallback;
}

void WriteUnit(const TUnitValue &u, int32_t code) {
    for (size_t i = 0; i < u.Codes.size(); ++i) {
        if (u.Codes[i] != code) continue;
        int32_t e = 0;  // ignored like every single-value write of the store
        RegWriteInteger(GetAppReg(), Root, KeyLocale, Name(u.ValueName), int32_t(i), e);
        return;
    }
    throw Exception(QString::fromLatin1(u.Writer) + QStringLiteral(": invalid unit"));
}

// The registry reports a missing key as success already; a store that reports NotFound
// must not stop the first save of a list either.
void DeleteListKey(const QString &key, int32_t &error) {
    error = 0;
    RegDeleteKey(GetAppReg(), Root, key, error);
    if (error == KvErr::NotFound) error = 0;
}

QString ObjectGUIDText(NavObject *item) {
    auto *object = dynamic_cast<IWptObject *>(item);
    const TGUID *guid = object ? object->GetGUID() : nullptr;
    return guid ? GUIDToStr(*guid) : QString();
}

// One Integer 0 per object, last to first, named by its GUID; the reader walks the names
// last to first, so the list comes back in its order.
void WriteObjectList(const QString &key, IWptObjectList *visible, int32_t &error) {
    DeleteListKey(key, error);
    if (error != 0 || !visible) return;
    for (int32_t i = visible->GetCount() - 1; i >= 0; --i) {
        const QString name = ObjectGUIDText(visible->GetItem(i));
        if (name.isEmpty()) continue;
        RegWriteInteger(GetAppReg(), Root, key, RegName(name), 0, error);
        if (error != 0) return;
    }
}

template <class Lookup>
void ReadObjectList(const QString &key, IWptObjectList *visible, Lookup lookup) {
    if (!visible) return;
    visible->Clear();
    QStringList names;
    int32_t error = 0;
    RegGetValueNames(GetAppReg(), Root, key, names, error);
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        TGUID guid;
        if (!TryStrToGUID(names[i], guid)) continue;
        if (NavObject *object = lookup(guid)) visible->Add(object);
    }
}

// The file name of a stored track name; either separator counts, so a name written on
// another system cannot climb out of the tracks folder.
QString TrackFileName(const QString &stored) {
    const qsizetype cut = std::max(stored.lastIndexOf(QLatin1Char('/')),
                                   stored.lastIndexOf(QLatin1Char('\\')));
    const QString name = stored.mid(cut + 1);
    return name == QLatin1String(".") || name == QLatin1String("..") ? QString() : name;
}

}  // namespace

// --- Units ------------------------------------------------------------------------------------

int32_t RegReadUnitDistanceLarge() { return ReadUnit(UnitDistanceLarge); }
int32_t RegReadUnitDistanceSmall() { return ReadUnit(UnitDistanceSmall); }
int32_t RegReadUnitDepth() { return ReadUnit(UnitDepth); }
int32_t RegReadUnitSpeed() { return ReadUnit(UnitSpeed); }
int32_t RegReadUnitTemperature() { return ReadUnit(UnitTemperature); }
int32_t RegReadUnitVolume() { return ReadUnit(UnitVolume); }
void RegWriteUnitDistanceLarge(int32_t unit) { WriteUnit(UnitDistanceLarge, unit); }
void RegWriteUnitDistanceSmall(int32_t unit) { WriteUnit(UnitDistanceSmall, unit); }
void RegWriteUnitDepth(int32_t unit) { WriteUnit(UnitDepth, unit); }
void RegWriteUnitSpeed(int32_t unit) { WriteUnit(UnitSpeed, unit); }
void RegWriteUnitTemperature(int32_t unit) { WriteUnit(UnitTemperature, unit); }
void RegWriteUnitVolume(int32_t unit) { WriteUnit(UnitVolume, unit); }

// --- Track defaults ---------------------------------------------------------------------------

uint32_t RegReadTrackDefaultColor() {
    const int32_t stored = RegReadIntegerDef(GetAppReg(), Root, KeyTracks, RegName(u"DefaultColor"),
                                             int32_t(0xFFFF0000u));
    return uint32_t(stored) | 0xFF000000u;
}

void RegWriteTrackDefaultColor(uint32_t argb) {
    int32_t e = 0;
    RegWriteInteger(GetAppReg(), Root, KeyTracks, RegName(u"DefaultColor"), int32_t(argb), e);
}

bool RegReadTrackUseCompress() {
    return RegReadBoolDef(GetAppReg(), Root, KeyTracks, RegName(u"TrackUseCompress"), true);
}

void RegWriteTrackUseCompress(bool compress) {
    int32_t e = 0;
    RegWriteBool(GetAppReg(), Root, KeyTracks, RegName(u"TrackUseCompress"), compress, e);
}

float RegReadTrackWidth() {
    return RegReadSingleDef(GetAppReg(), Root, KeyTracks, RegName(u"TrackWidth"), -1.0f);
}

void RegWriteTrackWidth(float width) {
    int32_t e = 0;
    RegWriteSingle(GetAppReg(), Root, KeyTracks, RegName(u"TrackWidth"), width, e);
}

// --- Visibility lists -------------------------------------------------------------------------

void RegReadWptDBsVisible(IWptManager *wm) {
    if (!wm) return;
    for (int32_t i = 0; i < wm->GetDatabaseCount(); ++i) {
        IWptDatabase *db = wm->GetDatabase(i);
        const TGUID *guid = db ? db->GetGUID() : nullptr;
        if (!guid) continue;
        db->SetSelected(RegReadBoolDef(GetAppReg(), Root, KeyWptDBsVisible,
                                       RegName(GUIDToStr(*guid)), true));
    }
}

void RegWriteWptDBsVisible(IWptManager *wm, int32_t &error) {
    error = 0;
    RegCreateKey(GetAppReg(), Root, KeyWptDBsVisible, error);
    if (error == 0) RegClearKey(GetAppReg(), Root, KeyWptDBsVisible, error);
    if (error != 0 || !wm) return;
    for (int32_t i = 0; i < wm->GetDatabaseCount(); ++i) {
        IWptDatabase *db = wm->GetDatabase(i);
        const TGUID *guid = db ? db->GetGUID() : nullptr;
        if (!guid) continue;
        RegWriteBool(GetAppReg(), Root, KeyWptDBsVisible, RegName(GUIDToStr(*guid)),
                     db->IsSelected(), error);
        if (error != 0) return;
    }
}

void RegReadGroupsVisible(IWptManager *wm, IWptWaypointGroupList *visible) {
    if (!wm || !visible) return;
    for (int32_t i = 0; i < wm->GetWaypointGroupCount(); ++i) {
        IWptWaypointGroup *group = wm->GetWaypointGroup(i);
        const QString name = ObjectGUIDText(group);
        if (name.isEmpty()) continue;
        if (RegReadBoolDef(GetAppReg(), Root, KeyGroupsVisible, RegName(name), true))
            visible->Add(group);
    }
}

void RegWriteGroupsVisible(IWptManager *wm, IWptWaypointGroupList *visible, int32_t &error) {
    error = 0;
    RegCreateKey(GetAppReg(), Root, KeyGroupsVisible, error);
    if (error == 0) RegClearKey(GetAppReg(), Root, KeyGroupsVisible, error);
    if (error != 0 || !wm) return;
    for (int32_t i = wm->GetWaypointGroupCount() - 1; i >= 0; --i) {
        IWptWaypointGroup *group = wm->GetWaypointGroup(i);
        const QString name = ObjectGUIDText(group);
        if (name.isEmpty()) continue;
        int32_t index = -1;
        const bool shown = visible && visible->Find(group, index);
        RegWriteBool(GetAppReg(), Root, KeyGroupsVisible, RegName(name), shown, error);
        if (error != 0) return;
    }
}

void RegReadPolygonsVisible(IWptManager *wm, IWptPolygonList *visible) {
    if (!wm) return;
    ReadObjectList(KeyPolygonsVisible, visible, [wm](const TGUID &guid) -> NavObject * {
        int32_t index = -1;
        return wm->FindPolygon(guid, index) ? wm->GetPolygon(index) : nullptr;
    });
}

void RegWritePolygonsVisible(IWptPolygonList *visible, int32_t &error) {
    WriteObjectList(KeyPolygonsVisible, visible, error);
}

void RegReadRoutesVisible(IWptManager *wm, IWptRouteList *visible) {
    if (!wm) return;
    ReadObjectList(KeyRoutesVisible, visible, [wm](const TGUID &guid) -> NavObject * {
        int32_t index = -1;
        return wm->FindRoute(guid, index) ? wm->GetRoute(index) : nullptr;
    });
}

void RegWriteRoutesVisible(IWptRouteList *visible, int32_t &error) {
    WriteObjectList(KeyRoutesVisible, visible, error);
}

void RegReadTracksVisible(const QString &tracksFolder, INavTrackList *visible,
                          const TTrackLoader &load) {
    if (!visible) return;
    visible->Clear();
    const QString folder = QFileInfo(tracksFolder).canonicalFilePath();
    if (folder.isEmpty() || !load) return;
    QStringList names;
    int32_t error = 0;
    RegGetValueNames(GetAppReg(), Root, KeyTracksVisible, names, error);
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        const QString fileName = TrackFileName(names[i]);
        if (fileName.isEmpty()) continue;
        const QFileInfo file(QDir(folder).filePath(fileName));
        // A link inside the folder may still point elsewhere: follow it and look again.
        const QString real = file.canonicalFilePath();
        if (real.isEmpty() || !file.isFile() || QFileInfo(real).absolutePath() != folder)
            continue;
        int32_t err = 0;
        INavTrack *track = load(file.filePath(), err);
        if (err == 0 && track)
            visible->Add(track);
        else if (track)
            ObjectDelete(track);
    }
}

void RegWriteTracksVisible(INavTrackList *visible, int32_t &error) {
    int32_t ignored = 0;
    DeleteListKey(KeyTracksVisible, ignored);
    error = 0;
    if (!visible) return;
    for (int32_t i = visible->GetCount() - 1; i >= 0; --i) {
        auto *track = dynamic_cast<INavTrack *>(visible->GetItem(i));
        const QString name = track ? TrackFileName(StrWToWide(track->GetFileName())) : QString();
        if (name.isEmpty()) continue;
        RegWriteInteger(GetAppReg(), Root, KeyTracksVisible, RegName(name), 0, error);
        if (error != 0) return;
    }
}
