#include "base/waypoints/KvWaypoints.h"

#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvGraphics.h>

uint8_t FontStylesToWpt(TFontStyles styles) {
    return styles & 0x0F;
}

TFontStyles WptToFontStyles(uint8_t style) {
    return style & 0x0F;
}

QString GetWaypointNamePrefixA() {
    TStrWOut out;
    GetWaypointNamePrefix(out.get());
    return out.Text();
}

void SetWaypointNamePrefixA(const QString &prefix) {
    SetWaypointNamePrefix(StrW(prefix));
}

IWptManager *CreateWptManager(IBmp32 *icon, IBmp32 *overlay, const QString &fontName,
                              const TWptLabelStyle &main, const TWptLabelStyle &lightChar,
                              const TWptLabelStyle &subText, IWWNetwork *network,
                              WptManagerOption1Proc option1, void *option1Data,
                              WptManagerOption2Proc option2, void *option2Data, int32_t &err) {
    const float anchorX = icon ? icon->GetWidth() / 2.0f - 0.5f : 0.0f;
    const float anchorY = icon ? icon->GetHeight() / 2.0f - 0.5f : 0.0f;
    return WptManagerCreate(icon, overlay, 0, anchorX, anchorY, StrW(fontName), main.Size,
                            FontStylesToWpt(main.Styles), main.Colour, lightChar.Size,
                            FontStylesToWpt(lightChar.Styles), lightChar.Colour, subText.Size,
                            FontStylesToWpt(subText.Styles), subText.Colour, 5, network, false,
                            option1, option1Data, option2, option2Data, err);
}

IWptPlanner *CreateWptPlanner(const QString &folder, IChartManager *cm, IWptDatabase *userDb,
                              int32_t value4, int32_t value5, NavObject *object6, int32_t value7,
                              int32_t value8, IWWNetwork *network) {
    return WptPlannerCreate(StrW(folder), cm, userDb, network, value8, value7, object6, value5,
                            value4);
}

IWptManager *CreateWptManagerLike(IWptManager *existing, WptManagerOption1Proc option1,
                                  void *option1Data, WptManagerOption2Proc option2,
                                  void *option2Data, int32_t &err) {
    if (!existing || !existing->GetDisplaySettings()) {
        err = KvErr::InvalidArgument;
        return nullptr;
    }
    const TWptDisplaySettings &s = *existing->GetDisplaySettings();
    return WptManagerCreate(s.Icon, s.Overlay, s.Value3, s.AnchorX, s.AnchorY, s.FontName,
                            s.MainText.Size, s.MainText.Style, s.MainText.Color,
                            s.LightChar.Size, s.LightChar.Style, s.LightChar.Color,
                            s.SubText.Size, s.SubText.Style, s.SubText.Color, s.Value16,
                            s.Network, s.Flag18, option1, option1Data, option2, option2Data, err);
}

void WptDatabaseReadHeaderA(const QString &file, TWptDatabaseHeader &h, int32_t &err) {
    TStrWOut identifier;
    TStrWListOut texts;
    WptDatabaseReadHeader(StrW(file), h.Guid, identifier.get(), h.Date, h.FormatVersion,
                          h.WaypointCount, h.RouteCount, h.PolygonCount, h.IsProtected,
                          texts.get(), err);
    h.Identifier = identifier.Text();
    h.Texts = texts.Strings();
}

QString WptObjectGetName(IWptObject *obj) {
    return StrWToWide(obj->GetName());
}

void WptObjectSetName(IWptObject *obj, const QString &name, int32_t &err) {
    obj->SetName(StrW(name), err);
}

QString WptRoutePointGetDisplayName(IWptRoutePoint *point) {
    return StrWToWide(point->GetDisplayName());
}

QString WptRoutePointGetName(IWptRoutePoint *point) {
    return StrWToWide(point->GetName());
}

void WptRoutePointSetName(IWptRoutePoint *point, const QString &name, int32_t &err) {
    point->SetName(StrW(name), err);
}

QString WptWaypointGetLink(IWptWaypoint *waypoint) {
    return StrWToWide(waypoint->GetLink());
}

void WptWaypointSetLink(IWptWaypoint *waypoint, const QString &link, int32_t &err) {
    waypoint->SetLink(StrW(link), err);
}

QString WptWaypointGetSubName(IWptWaypoint *waypoint) {
    return StrWToWide(waypoint->GetSubName());
}

void WptWaypointSetSubName(IWptWaypoint *waypoint, const QString &subName, int32_t &err) {
    waypoint->SetSubName(StrW(subName), err);
}

IWptWaypointType *WptDatabaseNewType(IWptDatabase *db, IBmp32 *icon, IBmp32 *overlay,
                                     bool drawOverlay, float originX, float originY,
                                     const TWptLabelStyle &main, const TWptLabelStyle &lightChar,
                                     const TWptLabelStyle &subText, int32_t &err) {
    TWptTypeDef def;
    def.Icon = icon;
    def.Overlay = overlay;
    def.DrawOverlay = drawOverlay;
    def.OriginX = originX;
    def.OriginY = originY;
    def.MainText = TWptTextStyle{main.Colour, main.Size, FontStylesToWpt(main.Styles)};
    def.LightChar = TWptTextStyle{lightChar.Colour, lightChar.Size, FontStylesToWpt(lightChar.Styles)};
    def.SubText = TWptTextStyle{subText.Colour, subText.Size, FontStylesToWpt(subText.Styles)};
    return db->NewType(def, err);
}

bool WptDatabaseFindGroup(IWptDatabase *db, const QString &name, int32_t &index) {
    return db->FindGroup(StrW(name), index);
}

bool WptDatabaseFindType(IWptDatabase *db, const QString &name, int32_t &index) {
    return db->FindType(StrW(name), index);
}

QString WptDatabaseGetTitle(IWptDatabase *db) {
    return StrWToWide(db->GetTitle());
}

QString WptDatabaseGetFileName(IWptDatabase *db) {
    return StrWToWide(db->GetFileName());
}

QString WptDatabaseGetName(IWptDatabase *db) {
    return StrWToWide(db->GetName());
}

void WptDatabaseSaveToFile(IWptDatabase *db, const QString &file, int32_t &err) {
    db->SaveToFile(StrW(file), err);
}

QString WptEntryLinkGetText(IWptEntryLink *link) {
    return StrWToWide(link->GetText());
}

IWptDatabase *WptManagerNewDatabase(IWptManager *m, const QString &name) {
    return m->NewDatabase(StrW(name));
}

IWptDatabase *WptManagerOpenDatabase(IWptManager *m, const QString &file, int64_t position,
                                     int32_t &err) {
    return m->OpenDatabase(StrW(file), position, err);
}

IWptDatabase *WptManagerOpenDatabaseRecover(IWptManager *m, const QString &file,
                                            int64_t position, QString &nameInOut,
                                            int32_t &backupNotice, int32_t &err) {
    struct Deleter {
        void operator()(IStrW *s) const { StrWDeleteIfAssigned(s); }
    };
    std::unique_ptr<IStrW, Deleter> name(StrWCreateFromStr(file));
    IWptDatabase *db = m->OpenDatabaseRecover(StrW(file), position, name.get(), backupNotice, err);
    nameInOut = StrWToWide(name.get());
    return db;
}

QString WptRouteGetGroupName(IWptRoute *route) {
    return StrWToWide(route->GetGroupName());
}

void WptRouteSetGroupName(IWptRoute *route, const QString &name, int32_t &err) {
    route->SetGroupName(StrW(name), err);
}

QString WptFieldGetNameInLanguage(IWptWaypointField *field, int32_t lang) {
    return StrWToWide(field->GetNameInLanguage(lang));
}

TFontStyles WptTypeGetMainTextFontStyle(IWptWaypointType *type) {
    return WptToFontStyles(type->GetMainTextFontStyle());
}

TFontStyles WptTypeGetLightCharFontStyle(IWptWaypointType *type) {
    return WptToFontStyles(type->GetLightCharFontStyle());
}

TFontStyles WptTypeGetSubtextFontStyle(IWptWaypointType *type) {
    return WptToFontStyles(type->GetSubtextFontStyle());
}

void WptTypeSetMainTextFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err) {
    type->SetMainTextFontStyle(FontStylesToWpt(styles), err);
}

void WptTypeSetLightCharFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err) {
    type->SetLightCharFontStyle(FontStylesToWpt(styles), err);
}

void WptTypeSetSubtextFontStyle(IWptWaypointType *type, TFontStyles styles, int32_t &err) {
    type->SetSubtextFontStyle(FontStylesToWpt(styles), err);
}

QString ImportObjectGetName(IImportObject *obj) {
    return StrWToWide(obj->GetName());
}

bool ImportListFindByName(IImportList *list, const QString &name, int32_t &index) {
    return list->FindByName(StrW(name), index);
}

QString PolarDiagramGetName(IPolarDiagram *diagram) {
    return StrWToWide(diagram->GetName());
}

INavTrack *NavTrackCreateNew(const QString &file, bool compress) {
    return NavTrackCreate2(StrW(file), compress);
}

INavTrack *NavTrackCreateFromFile(const QString &file, int32_t &err) {
    return NavTrackCreate3(StrW(file), err);
}

void NavTrackGetFileInfo(const QString &file, TTrackFileInfo &info, int32_t &err) {
    TStrWOut name;
    NavTrackGetInfoFromFile(StrW(file), name.get(), info.HasTimes, info.Start, info.End,
                            info.PointCount, info.DistanceM, info.Colour, info.Width, info.Extra,
                            err);
    info.Name = name.Text();
}

QString NavTrackGetFileName(INavTrack *track) {
    return StrWToWide(track->GetFileName());
}

QString NavTrackGetName(INavTrack *track) {
    return StrWToWide(track->GetName());
}

void NavTrackSaveToFile(INavTrack *track, const QString &file, int32_t &err) {
    track->SaveToFile(StrW(file), err);
}

void NavTrackSetName(INavTrack *track, const QString &name) {
    track->SetName(StrW(name));
}
