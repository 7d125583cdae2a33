// The structure details panel: the dockable panel that shows the full page of one or
// several waterway structures (bridges, locks, weirs …), opens and closes the page's
// sections, edits a structure's average waiting time (kept in the settings store for the
// route planner) and navigates to the structure.
//
// The structures belong to the environment's waterway network; the panel keeps only
// references and ForgetObjects drops them (call it before the network is replaced).
// GUI thread only.
#pragma once

#include "objectinfo/FraLinkDetailsBase.h"
#include "objectinfo/StructDetailsPage.h"
#include "shell/MarivoFrames.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class IGeodeticCalibration;
class IWWStruct;
class IWWSection;
class QFrame;
class QPushButton;
class TLinkDetailsView;
class TMarivoNavEnv;

class TFrameLinkDetailsStruct : public TFrameLinkDetailsBase {
    Q_OBJECT
public:
    TFrameLinkDetailsStruct(QWidget *dockPanel, TMarivoNavEnv &env);
    ~TFrameLinkDetailsStruct() override;

    // calibration: the chart view's (nullptr: directions of a north-up chart). False, with
    // the page left as it is, when there is no structure.
    bool ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration);
    // The structures selected in a chart view: structure is the one clicked, selected all
    // of them (two or more give one page with an index). toggle: a second click on the
    // shown structure forgets it and answers False.
    bool ShowStructs(IWWStruct *structure, IGeodeticCalibration *calibration,
                     const std::vector<IWWStruct *> &selected, bool toggle);
    // A "wwstruct" entry link. False for any other text and for a structure the network
    // does not know (the page is then empty and the caller hides the panel).
    bool ShowStructLink(const QString &link, IGeodeticCalibration *calibration);
    void UpdateTexts();
    void LoadPage(const QString &text, int position) override;
    void ForgetObjects();

    // The panel's reaction to a clicked link: True when it acted, False when the view's
    // link policy is to follow it.
    bool HandleLink(const QString &link);
    void ButtonNavigateToClick();
    // Edits the waiting time of structure (one of the shown page) and rebuilds the page.
    void EditWaitingTime(IWWStruct *structure);

    IWWStruct *Structure() const { return FStruct; }
    bool ManagerOpen() const { return FOptions.ManagerOpen; }

    // (sender, link after "ftm://"); unset: such links are only swallowed.
    std::function<void(TFrameLinkDetailsStruct *, const QString &)> OnNoticeLink;
    // Default: the environment's NavigateToObject (activated, departing now).
    std::function<void(IWWSection *section, double sectionPosition)> NavigateToObject;
    // Default: the environment refreshes its active, edited and selected routes.
    std::function<void()> OnRefreshRoutes;

    QPushButton *Button1 = nullptr;

private:
    void BuildLayout();
    void BeginShow(IWWStruct *structure, IGeodeticCalibration *calibration);
    TStructPageOptions PageOptions() const;
    QString BuildPage() const;
    void Rebuild(int position);
    QImage PictureFor(const QString &source);

    IWWStruct *FStruct = nullptr;
    IGeodeticCalibration *FCalibration = nullptr;
    // The structures of the page shown: one, or the selection of a page with an index.
    std::vector<IWWStruct *> FShown;
    QString FLink;
    TStructPageOptions FOptions;
};

// The panel as the main window hosts it.
class TLinkDetailsStructAdapter
    : public TLinkDetailsAdapterBase<IFrameLinkDetailsStruct, TFrameLinkDetailsStruct> {
public:
    using TLinkDetailsAdapterBase::TLinkDetailsAdapterBase;
    bool ShowStructLink(const QString &link) override;
    bool ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) override;
};
