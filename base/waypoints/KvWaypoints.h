// The program's side of the waypoint manager, waypoint databases and tracks: text in and out
// as QString, one library call each, error values passed back unchanged.
#pragma once

#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvTracks.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <QStringList>
#include <cstdint>

class IBmp32;

// Font styles as the program's controls keep them; the library takes the same four bits.
enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = uint8_t;

// Both keep exactly the low four bits.
uint8_t FontStylesToWpt(TFontStyles styles);
TFontStyles WptToFontStyles(uint8_t style);

QString GetWaypointNamePrefixA();
void SetWaypointNamePrefixA(const QString &prefix);

// One label group of a waypoint manager or type.
struct TWptLabelStyle {
    float Size = 8.0f;
    TFontStyles Styles = 0;
    uint32_t Colour = 0xFF000000u;
};

// The environment's manager: anchor at the icon's centre (width / 2 - 0.5, height / 2 - 0.5),
// the callbacks and their data as given. Owned by the caller; nil with err set on failure.
IWptManager *CreateWptManager(IBmp32 *icon, IBmp32 *overlay, const QString &fontName,
                              const TWptLabelStyle &main, const TWptLabelStyle &lightChar,
                              const TWptLabelStyle &subText, IWWNetwork *network,
                              WptManagerOption1Proc option1, void *option1Data,
                              WptManagerOption2Proc option2, void *option2Data, int32_t &err);
// A second manager that looks like existing (its creation values), e.g. for an import.
IWptManager *CreateWptManagerLike(IWptManager *existing, WptManagerOption1Proc option1,
                                  void *option1Data, WptManagerOption2Proc option2,
                                  void *option2Data, int32_t &err);

// The route planner over the waterway network (folder: its data folder). Arguments as the
// program passes them; the library takes them in another order. Owned by the caller.
IWptPlanner *CreateWptPlanner(const QString &folder, IChartManager *cm, IWptDatabase *userDb,
                              int32_t value4, int32_t value5, NavObject *object6, int32_t value7,
                              int32_t value8, IWWNetwork *network);

struct TWptDatabaseHeader {
    TGUID Guid;
    QString Identifier;
    TDateTime Date = 0.0;
    int32_t FormatVersion = 0;
    int32_t WaypointCount = 0, RouteCount = 0, PolygonCount = 0;
    bool IsProtected = false;
    QStringList Texts;
};
void WptDatabaseReadHeaderA(const QString &file, TWptDatabaseHeader &header, int32_t &err);

QString WptObjectGetName(IWptObject *obj);
void WptObjectSetName(IWptObject *obj, const QString &name, int32_t &err);
QString WptRoutePointGetDisplayName(IWptRoutePoint *point);
QString WptRoutePointGetName(IWptRoutePoint *point);
void WptRoutePointSetName(IWptRoutePoint *point, const QString &name, int32_t &err);
QString WptWaypointGetLink(IWptWaypoint *waypoint);
void WptWaypointSetLink(IWptWaypoint *waypoint, const QString &link, int32_t &err);
QString WptWaypointGetSubName(IWptWaypoint *waypoint);
void WptWaypointSetSubName(IWptWaypoint *waypoint, const QString &subName, int32_t &err);
IWptWaypointType *WptDatabaseNewType(IWptDatabase *db, IBmp32 *icon, IBmp32 *overlay,
                                     bool drawOverlay, float originX, float originY,
                                     const TWptLabelStyle &main, const TWptLabelStyle &lightChar,
                                     const TWptLabelStyle &subText, int32_t &err);
bool WptDatabaseFindGroup(IWptDatabase *db, const QString &name, int32_t &index);
bool WptDatabaseFindType(IWptDatabase *db, const QString &name, int32_t &index);
QString WptDatabaseGetTitle(IWptDatabase *db);
QString WptDatabaseGetFileName(IWptDatabase *db);
QString WptDatabaseGetName(IWptDatabase *db);
void WptDatabaseSaveToFile(IWptDatabase *db, const QString &file, int32_t &err);
QString WptEntryLinkGetText(IWptEntryLink *link);
IWptDatabase *WptManagerNewDatabase(IWptManager *m, const QString &name);
IWptDatabase *WptManagerOpenDatabase(IWptManager *m, const QString &file, int64_t position,
                                     int32_t &err);
// nameInOut: the file name in; the name a damaged file was moved aside to out.
IWptDatabase *WptManagerOpenDatabaseRecover(IWptManager *m, const QString &file,
                                            int64_t position, QString &nameInOut,
                                            int32_t &backupNotice, int32_t &err);
QString WptRouteGetGroupName(IWptRoute *route);
void WptRouteSetGroupName(IWptRoute *route, const QString &name, int32_t &err);
QString WptFieldGetNameInLanguage(IWptWaypointField *field, int32_t lang);
TFontStyles WptTypeGetMainTextFontStyle(IWptWaypointType *type);
TFontStyles WptTypeGetLightCharFontStyle(IWptWaypointType *type);
TFontStyles WptTypeGetSubtextFontStyle(IWptWaypointType *type);
void WptTypeSetMainTextFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err);
void WptTypeSetLightCharFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err);
void WptTypeSetSubtextFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err);
QString ImportObjectGetName(IImportObject *obj);
bool ImportListFindByName(IImportList *list, const QString &name, int32_t &index);
QString PolarDiagramGetName(IPolarDiagram *diagram);

// Tracks.
INavTrack *NavTrackCreateNew(const QString &file, bool compress);
INavTrack *NavTrackCreateFromFile(const QString &file, int32_t &err);
struct TTrackFileInfo {
    QString Name;
    bool HasTimes = false;
    TDateTime Start = 0.0, End = 0.0;
    int32_t PointCount = 0;
    double DistanceM = -1.0;
    uint32_t Colour = 0;
    float Width = 0.0f;
    int32_t Extra = 0;
};
void NavTrackGetFileInfo(const QString &file, TTrackFileInfo &info, int32_t &err);
QString NavTrackGetFileName(INavTrack *track);
QString NavTrackGetName(INavTrack *track);
void NavTrackSaveToFile(INavTrack *track, const QString &file, int32_t &err);
void NavTrackSetName(INavTrack *track, const QString &name);
