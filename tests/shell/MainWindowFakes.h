// Recording stand-ins for the frames the main window hosts: each records its creation and
// the calls it receives in one shared log, as "Frame.Call(args)".
#pragma once

#include "shell/MarivoFrames.h"

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <memory>

namespace mainfakes {

struct TLog {
    QStringList Calls;
    QStringList Texts;  // the frames that reloaded their texts, in order
    int Count(const QString &call) const { return int(Calls.count(call)); }
    void Clear() { Calls.clear(); }
};

template <class Intf>
class TFake : public Intf {
public:
    TFake(TLog &log, const QString &name, QWidget *host)
        : Log(log), Name(name), FWidget(new QLabel(name, host)) {
        FWidget->setObjectName(name);
        Log.Calls << Name + QStringLiteral(".Create");
    }
    QWidget *Widget() override { return FWidget; }
    void UpdateTexts() override { Log.Texts << Name; }
    void Rec(const QString &call) { Log.Calls << Name + u'.' + call; }

    TLog &Log;
    QString Name;

private:
    QWidget *FWidget;  // owned by its host
};

class TFakeViewer : public TFake<IFrameViewer> {
public:
    using TFake::TFake;
    TNavViewerControl *ViewerControl() override { return nullptr; }
    QToolBar *ToolbarMain() override { return nullptr; }
    QToolBar *ToolbarS57() override { return nullptr; }
    void Invalidate() override { Rec(QStringLiteral("Invalidate")); }
    void LoadSettings(bool, bool, bool, bool) override { Rec(QStringLiteral("LoadSettings")); }
    void RestoreView() override { Rec(QStringLiteral("RestoreView")); }
    void UpdateTracking() override { Rec(QStringLiteral("UpdateTracking")); }
    void SetEditMode(int m) override { Rec(QStringLiteral("SetEditMode(%1)").arg(m)); }
    bool GetShowTrackActive() override { return ShowTrackActive; }
    bool GetTrackDrawComplete() override { return false; }
    void SetRouteEditFlags(int32_t f) override { Rec(QStringLiteral("SetRouteEditFlags(%1)").arg(f)); }
    void SetShowScaleBar(bool) override { Rec(QStringLiteral("SetShowScaleBar")); }
    void SetShowCompassNeedle(bool) override { Rec(QStringLiteral("SetShowCompassNeedle")); }
    void SetWidthMonitorAuto(bool) override {}
    void SetWidthMonitorMM(int32_t) override {}
    void SetWaterwayNetwork(IWWNetwork *) override { Rec(QStringLiteral("SetWaterwayNetwork")); }
    void SetSelectedRoutePoint(IWptRoutePoint *p) override {
        Rec(QStringLiteral("SetSelectedRoutePoint(%1)").arg(quintptr(p)));
    }
    void SetEditRoute(IWptRoute *r) override { Rec(QStringLiteral("SetEditRoute(%1)").arg(quintptr(r))); }
    void SetHighlightObject(NavObject *o) override {
        Rec(QStringLiteral("SetHighlightObject(%1)").arg(quintptr(o)));
    }
    void SetTrackList(INavTrackList *) override { Rec(QStringLiteral("SetTrackList")); }
    void UpdateObjects() override { Rec(QStringLiteral("UpdateObjects")); }
    bool GetCenterPosition(TGeoPoint &c) override {
        c = Centre;
        return true;
    }
    IGeodeticCalibration *GetCalibration() override { return Calibration; }
    void ClearS57Pick() override { Rec(QStringLiteral("ClearS57Pick")); }
    void ClearSelectedObject() override { Rec(QStringLiteral("ClearSelectedObject")); }
    void SetReportPosition(const TGeoPoint &p) override {
        Rec(QStringLiteral("SetReportPosition(%1,%2)").arg(p.Lat).arg(p.Lon));
    }
    void UpdateEverySecond() override { Rec(QStringLiteral("UpdateEverySecond")); }
    void SetPlannerValues(float, float, float) override { Rec(QStringLiteral("SetPlannerValues")); }

    bool ShowTrackActive = false;
    TGeoPoint Centre{0.9, 0.09};
    IGeodeticCalibration *Calibration = nullptr;
};

class TFakeRoutes : public TFake<IFrameRoutes> {
public:
    using TFake::TFake;
    void SetRoute(IWptRoute *r) override { Rec(QStringLiteral("SetRoute(%1)").arg(quintptr(r))); }
    void FillRouteList() override { Rec(QStringLiteral("FillRouteList")); }
    void RestoreRoute() override { Rec(QStringLiteral("RestoreRoute")); }
    void UpdateValues(const TLoopRecord &) override { Rec(QStringLiteral("UpdateValues")); }
};

class TFakeRouteSettings : public TFake<IFrameRouteSettings> {
public:
    using TFake::TFake;
    void SetRoute(IWptRoute *r) override { Rec(QStringLiteral("SetRoute(%1)").arg(quintptr(r))); }
    void ShowGeneralPage() override { Rec(QStringLiteral("ShowGeneralPage")); }
    void Reload() override { Rec(QStringLiteral("Reload")); }
};

class TFakeTrackReplay : public TFake<IFrameTrackReplay> {
public:
    using TFake::TFake;
    void SetTrackList(INavTrackList *) override { Rec(QStringLiteral("SetTrackList")); }
    void SetDrawComplete(bool) override { Rec(QStringLiteral("SetDrawComplete")); }
};

class TFakeUserReport : public TFake<IFrameUserReport> {
public:
    using TFake::TFake;
    void SetPosition(const TGeoPoint &) override { Rec(QStringLiteral("SetPosition")); }
};

class TFakeNavCurrent : public TFake<IFrameNavCurrent> {
public:
    using TFake::TFake;
    void UpdateValues(bool) override { Rec(QStringLiteral("UpdateValues")); }
    void UpdateAll() override { Rec(QStringLiteral("UpdateAll")); }
};

class TFakeNavInfo : public TFake<IFrameNavInfo> {
public:
    using TFake::TFake;
    void UpdateValues(IGeodeticCalibration *, bool) override { Rec(QStringLiteral("UpdateValues")); }
    void FillRouteList() override { Rec(QStringLiteral("FillRouteList")); }
};

class TFakeNavRoute : public TFake<IFrameNavRoute> {
public:
    using TFake::TFake;
    void UpdateValues() override { Rec(QStringLiteral("UpdateValues")); }
};

class TFakeNMEA : public TFake<IFrameNMEAMonitor> {
public:
    using TFake::TFake;
    void OnTick(const TLoopRecord &) override { Rec(QStringLiteral("OnTick")); }
    void UpdatePortLists() override { Rec(QStringLiteral("UpdatePortLists")); }
};

class TFakeLinkDetails : public TFake<IFrameLinkDetails> {
public:
    using TFake::TFake;
    int ContentType() override { return 7; }
    void RefreshPage() override { Rec(QStringLiteral("RefreshPage")); }
};

class TFakeChartStatus : public TFake<IFrameChartStatus> {
public:
    using TFake::TFake;
    void SetToolbarsLocked(bool l) override { Rec(QStringLiteral("SetToolbarsLocked(%1)").arg(l)); }
};

class TFakeZoS : public TFake<IFrameZichtOpScheepvaart> {
public:
    using TFake::TFake;
    void UpdateControls() override { Rec(QStringLiteral("UpdateControls")); }
    void ActivateFromSettings() override { Rec(QStringLiteral("ActivateFromSettings")); }
};

class TFakeGPSError : public TFake<IFormMsgGPSSingleError> {
public:
    using TFake::TFake;
    void ShowError(int kind, const QString &port, int32_t code) override {
        Rec(QStringLiteral("ShowError(%1,%2,%3)").arg(kind).arg(port).arg(code));
    }
    void ShowNoPosition(int kind, const QString &port, int seconds) override {
        Rec(QStringLiteral("ShowNoPosition(%1,%2,%3)").arg(kind).arg(port).arg(seconds));
    }
    void HideBox() override { Rec(QStringLiteral("HideBox")); }
};

class TFakePlain : public TFake<IMarivoFrame> {
public:
    using TFake::TFake;
};

class TFakeChartLegend : public TFake<IFrameChartLegend> {
public:
    using TFake::TFake;
    void UpdateLegend() override { Rec(QStringLiteral("UpdateLegend")); }
};

class TFakeChartInfo : public TFake<IFrameChartInfo> {
public:
    using TFake::TFake;
    void SetHTMLViewer(IMarivoFrame *viewer) override {
        Rec(QStringLiteral("SetHTMLViewer(%1)").arg(viewer ? 1 : 0));
    }
    void UpdateChart() override { Rec(QStringLiteral("UpdateChart")); }
};

template <class Fake, class Intf>
TFrameFactory<Intf> Make(TLog &log, const char *name) {
    return [&log, name](QWidget *host, TMarivoNavEnv &) -> std::unique_ptr<Intf> {
        return std::make_unique<Fake>(log, QString::fromLatin1(name), host);
    };
}

// Every frame a recording fake.
inline TMainFrameFactories AllFakes(TLog &log) {
    TMainFrameFactories f;
    f.Viewer = Make<TFakeViewer, IFrameViewer>(log, "Viewer");
    f.ChartLegend = Make<TFakeChartLegend, IFrameChartLegend>(log, "ChartLegend");
    f.HTMLViewer = Make<TFakePlain, IMarivoFrame>(log, "HTMLViewer");
    f.ChartInfo = Make<TFakeChartInfo, IFrameChartInfo>(log, "ChartInfo");
    f.Routes = Make<TFakeRoutes, IFrameRoutes>(log, "Routes");
    f.RouteSettings = Make<TFakeRouteSettings, IFrameRouteSettings>(log, "RouteSettings");
    f.TrackReplay = Make<TFakeTrackReplay, IFrameTrackReplay>(log, "TrackReplay");
    f.UserReport = Make<TFakeUserReport, IFrameUserReport>(log, "UserReport");
    f.NavCurrent = Make<TFakeNavCurrent, IFrameNavCurrent>(log, "NavCurrent");
    f.NavInfo = Make<TFakeNavInfo, IFrameNavInfo>(log, "NavInfo");
    f.NavRoute = Make<TFakeNavRoute, IFrameNavRoute>(log, "NavRoute");
    f.NMEAMonitor = Make<TFakeNMEA, IFrameNMEAMonitor>(log, "NMEA");
    f.LinkDetails = Make<TFakeLinkDetails, IFrameLinkDetails>(log, "LinkDetails");
    f.LinkDetailsStruct = Make<TFakePlain, IMarivoFrame>(log, "LinkDetailsStruct");
    f.ChartStatus = Make<TFakeChartStatus, IFrameChartStatus>(log, "ChartStatus");
    f.ZichtOpScheepvaart = Make<TFakeZoS, IFrameZichtOpScheepvaart>(log, "ZoS");
    f.NewsCenter = Make<TFakePlain, IMarivoFrame>(log, "NewsCenter");
    f.GPSSingleError = Make<TFakeGPSError, IFormMsgGPSSingleError>(log, "GPSError");
    return f;
}

}  // namespace mainfakes
