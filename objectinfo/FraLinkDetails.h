// The object details panel: the dockable panel that shows an HTML page about the object
// picked on the chart (waypoint, point-of-interest entry, structure, marina-guide entry,
// or a page the main window composes), opens links in it through the view's one link
// policy, answers its picture requests and navigates to the object.
//
// Entry points for the main window (all return whether a page is shown, so the dock panel
// can follow the result): ShowWaypoint, ShowGeoAddLink / ShowGeoAddObject, ShowStruct,
// ShowMarinaGuide, ShowSection, ShowWeatherStation, ShowHTMLText. The objects shown belong to the core library; the panel
// keeps only references, and ForgetObjects drops them (call it when the library may have
// freed them: network reload, object updates, a new user database). GUI thread only.
#pragma once

#include "objectinfo/FraLinkDetailsBase.h"
#include "objectinfo/SectionPage.h"
#include "shell/MarivoFrames.h"

#include <KvLibNav6/KvTypes.h>

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class IFTMNotice;
class IGeoAddsEntry;
class IWaterReport;
class IGeodeticCalibration;
class IMarinaGuideEntry;
class IWWSection;
class IWWStruct;
class IWeatherStation;
class IWptWaypoint;
class QFrame;
class QPushButton;
class TMarivoNavEnv;

// What the panel shows.
namespace LinkContent {
inline constexpr int Nothing = 0;
inline constexpr int MarinaGuide = 1;
inline constexpr int StructLinks = 2;
inline constexpr int Notice = 3;
inline constexpr int GeoAdd = 4;
inline constexpr int WeatherStation = 5;
inline constexpr int FollowsUpdates = 7;
inline constexpr int HTMLText = 8;
inline constexpr int Section = 9;
inline constexpr int Struct = 10;
inline constexpr int Waypoint = 11;
inline constexpr int WaterReport = 12;
}  // namespace LinkContent

class TFrameLinkDetails : public TFrameLinkDetailsBase {
    Q_OBJECT
public:
    TFrameLinkDetails(QWidget *dockPanel, TMarivoNavEnv &env);
    ~TFrameLinkDetails() override;

    void UpdateTexts();
    // Rebuilds the page of the current content; False when none is shown.
    bool RefreshPage();
    void LoadPage(const QString &page, int scrollPosition) override;
    int ContentType() const { return FContentType; }

    // attachmentFolders: the folders of the charts the page describes; links of the page to
    // files in them open in the document viewer, other files are refused.
    bool ShowHTMLText(const QString &text, const QStringList &attachmentFolders = {});
    bool ShowGeoAddObject(IGeoAddsEntry *entry);
    // databaseGuid may be nullptr: the database a link without one names.
    bool ShowGeoAddLink(const QString &link, const TGUID *databaseGuid);
    // toggle: a second click on the shown waypoint hides it (False).
    bool ShowWaypoint(IWptWaypoint *waypoint, bool toggle);
    bool ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration);
    bool ShowStructLinks(NavObject *object);
    // iconFolder ends with the path separator; edition is shown in the footer.
    bool ShowMarinaGuide(IMarinaGuideEntry *entry, const QString &iconFolder,
                         const QString &edition);
    // calibration: the chart view's (nullptr: directions of a north-up chart); positionM:
    // metres along the section from its start.
    bool ShowSection(IWWSection *section, IGeodeticCalibration *calibration, double positionM);
    bool ShowWeatherStation(IWeatherStation *station);
    // A notice (IFTMNotice) clicked on the chart or in the route table; with a section
    // its page follows the notice. A water report (IWaterReport). False for other objects.
    bool ShowNotice(NavObject *notice, IWWSection *section, IGeodeticCalibration *calibration,
                    double positionM);
    bool ShowWaterReport(NavObject *report);
    // Drops every kept reference and shows an empty page.
    void ForgetObjects();

    // The panel's reaction to a clicked link: True when it acted, False when the view's
    // link policy is to follow it.
    bool HandleLink(const QString &link);
    QImage PictureFor(const QString &source);
    void ButtonNavigateToClick();
    bool MarinaGuideExpanded() const { return FMarinaExpanded; }

    // (sender, flag, structure identifier): a structure named on the page was clicked.
    std::function<void(TFrameLinkDetails *, bool, const QString &)> OnStructLink;
    // Shows an attached document (caption, page). Default: the attached-document viewer,
    // modal; unset = the file is opened as any local file is.
    std::function<void(const QString &caption, const QString &page)> OnShowDocument;
    // The present moment (UTC) for the weather page; unset = the program's clock.
    std::function<TDateTime()> NowUTC;
    // Default: the environment's NavigateToObject (activated, departing now).
    std::function<void(const TGeoPoint &position, IWptWaypoint *waypoint, IWWSection *section,
                       double sectionPosition)>
        NavigateToObject;

private:
    void BuildLayout();
    void SetCaption(const QString &caption);
    void BeginShow(const QString &caption);
    void EndShow(bool navigateTo);
    bool ShowMarinaPage(int scrollPosition);
    int PictureWidth() const;
    bool HandleAttachment(const QString &link);
    bool InAttachmentFolder(const QString &file) const;
    QString FacilityDocument(const QString &file);
    void OpenLocalFile(const QString &file);
    QImage GeoAddPicture();
    QImage FilePicture(const QString &file);
    void ButtonHelpClick();

    int FContentType = LinkContent::Nothing;
    QString FLinkText;
    int32_t FHelpContext = -1;
    IGeoAddsEntry *FGeoAdd = nullptr;
    IWptWaypoint *FWaypoint = nullptr;
    IWWStruct *FStruct = nullptr;
    IGeodeticCalibration *FCalibration = nullptr;
    IWWSection *FSection = nullptr;
    double FSectionPosition = 0.0;
    IWeatherStation *FStation = nullptr;
    // Notices are found again by number, reports by title, after the object data changed.
    int32_t FNoticeNumber = 0;
    QString FReportTitle;
    bool ShowNoticePage(IFTMNotice *notice);
    TSectionPageUnits SectionUnits() const;
    bool ShowWaterReportPage(IWaterReport *report);
    QStringList FAttachmentFolders;
    IMarinaGuideEntry *FMarinaEntry = nullptr;
    QString FMarinaIconFolder;
    QString FMarinaEdition;
    bool FMarinaExpanded = false;
    QHash<QString, QString> FPictureTitles;
};

// The panel as the main window hosts it.
class TLinkDetailsFrameAdapter : public TLinkDetailsAdapterBase<IFrameLinkDetails, TFrameLinkDetails> {
public:
    using TLinkDetailsAdapterBase::TLinkDetailsAdapterBase;
    // Pages that follow object updates report 7.
    int ContentType() override;
    void RefreshPage() override;
};

std::unique_ptr<IFrameLinkDetails> CreateFrameLinkDetails(QWidget *host, TMarivoNavEnv &env);
