// The main window's interface set-up (which options this edition offers, the main viewer's
// options, the first waypoint type) and its status bar: seven panels fed by the
// environment's and the viewer's status events.
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoSailingAreas.h"

#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraViewer.h"
#include "chartview/NavViewerControl.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvViewer.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace {

const TLanguageStrings SDate = {"Date", "Datum", "Datum", "Date", "Fecha", "Data", "Dato", "Datum"};
const TLanguageStrings STime = {"Time", "Tijd", "Zeit", "Heure", "Hora", "Ora", "Tid", "Tid"};

// The layout's nine panels: width at 96 dpi (0 the rest) and whether long text ends in "…".
struct TStatusLayoutPanel {
    int Width;
    bool Elide;
};
constexpr TStatusLayoutPanel StatusLayout[9] = {{235, true}, {20, false},  {130, false},
                                                {160, false}, {175, false}, {150, false},
                                                {100, false}, {1000, true}, {0, false}};
// Layout panels by their content.
namespace StatusLayoutPanel {
constexpr int Position = 0, Sound = 1, Date = 2, Time = 3, Progress = 5, Waterway = 7, Activity = 8;
}

// A panel that cuts its text with an ellipsis at the end and keeps the whole text.
class TStatusPanel : public QLabel {
public:
    TStatusPanel(QWidget *parent, bool elide) : QLabel(parent), FElide(elide) {
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
    }
    void SetFullText(const QString &text) {
        if (text == FText) return;
        FText = text;
        Fit();
    }
    QString FullText() const { return FText; }

protected:
    void resizeEvent(QResizeEvent *event) override {
        QLabel::resizeEvent(event);
        Fit();
    }

private:
    void Fit() {
        setText(FElide ? fontMetrics().elidedText(FText, Qt::ElideRight, qMax(0, contentsRect().width()))
                       : FText);
    }
    bool FElide;
    QString FText;
};

// A file of the program's pictures; the name as the program knows it, in whatever letter
// case the folder holds it.
QString ProgramImage(const QString &name) {
    const QDir dir(QDir(ProgInfoGetProgDir()).filePath(QStringLiteral("Images")));
    if (dir.exists(name)) return dir.filePath(name);
    for (const QString &entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return dir.filePath(name);
}

}  // namespace

// ---- status bar -------------------------------------------------------------------------------

void TFormMarivo6Main::CreateStatusBar() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(StatusBar);
    CreateStatusPanels();
}

void TFormMarivo6Main::CreateStatusPanels() {
    const double scale = logicalDpiX() / 96.0;
    for (int i = 0; i < 9; ++i) {
        const TStatusLayoutPanel &layout = StatusLayout[i];
        QWidget *panel = nullptr;
        if (i == StatusLayoutPanel::Progress) {
            ProgressBar = new QProgressBar(StatusBar);
            ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
            ProgressBar->setVisible(false);
            panel = ProgressBar;
        } else {
            panel = new TStatusPanel(StatusBar, layout.Elide);
            panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        }
        // The waterway panel gives way when the bar is short; the last one takes the rest.
        const int width = int(layout.Width * scale + 0.5);
        if (i == StatusLayoutPanel::Waterway)
            panel->setMaximumWidth(width);
        else if (layout.Width > 0)
            panel->setFixedWidth(width);
        StatusBar->addPermanentWidget(panel, i == StatusLayoutPanel::Waterway ? 4 : layout.Width == 0 ? 1 : 0);
        FStatusPanels.push_back(panel);
    }
}

void TFormMarivo6Main::RemoveStatusPanel(int layoutIndex) {
    const int position = FStatusIndex[size_t(layoutIndex)];
    if (position < 0) return;
    QWidget *panel = FStatusPanels[size_t(position)];
    FStatusPanels.erase(FStatusPanels.begin() + position);
    delete panel;
    FStatusIndex[size_t(layoutIndex)] = -1;
    for (int i = layoutIndex + 1; i < 9; ++i)
        if (FStatusIndex[size_t(i)] >= 0) --FStatusIndex[size_t(i)];
}

void TFormMarivo6Main::SetStatusPanelText(int layoutIndex, const QString &text) {
    const int position = FStatusIndex[size_t(layoutIndex)];
    if (position < 0) return;
    if (auto *panel = dynamic_cast<TStatusPanel *>(FStatusPanels[size_t(position)])) panel->SetFullText(text);
}

QString TFormMarivo6Main::StatusPanelText(int position) const {
    if (position < 0 || size_t(position) >= FStatusPanels.size()) return QString();
    auto *panel = dynamic_cast<TStatusPanel *>(FStatusPanels[size_t(position)]);
    return panel ? panel->FullText() : QString();
}

QString TFormMarivo6Main::StatusOffsetText(int32_t minutes) {
    if (minutes == 0) return QString();
    return minutes > 0 ? QStringLiteral(" +%1 min").arg(minutes) : QStringLiteral(" -%1 min").arg(-minutes);
}

QString TFormMarivo6Main::StatusWaterwayText(const QString &fairwayPart, double kmPositionMetres) {
    if (!(kmPositionMetres >= 0.0)) return fairwayPart;
    // One decimal, cut off rather than rounded, with "." whatever the locale.
    const double km = UnitConvert(kmPositionMetres, 0x6800B, 0x6800E);
    const qint64 tenths = qint64(km * 10.0 + 1e-9);
    return fairwayPart + QStringLiteral(" (km %1.%2)").arg(tenths / 10).arg(tenths % 10);
}

void TFormMarivo6Main::UpdateStatusBar(TNavViewerControl *sender, int kind) {
    TNavViewerControl *viewer = sender ? sender : MainViewerControl();
    switch (kind) {
    case 0: UpdateChartStatus(viewer); break;
    case 1: UpdateStatusClock(); break;
    case 3: UpdateStatusPosition(viewer); break;
    case 4: UpdateStatusWaterway(viewer); break;
    case 5: UpdateStatusSound(); break;
    case 6:
        if (FNavEnv) SetStatusPanelText(StatusLayoutPanel::Activity, FNavEnv->ObjectUpdateText);
        break;
    default: break;
    }
}

void TFormMarivo6Main::UpdateChartStatus(TNavViewerControl *viewer) {
    if (!FChartStatus) return;
    if (IChart *s57 = viewer ? viewer->GetFocusS57Chart() : nullptr) {
        FChartStatus->SetChart(nullptr, s57);
        return;
    }
    IRasterChart *chart = viewer ? viewer->GetFocusChart() : nullptr;
    IRasterChart *catalogue = chart ? chart->GetChartObject() : nullptr;
    IRasterChartInfo *info = catalogue ? catalogue->GetInfo() : nullptr;
    IChartManager *manager = FNavEnv ? FNavEnv->ChartManager : nullptr;
    int32_t index = -1;
    if (info && info->GetGUID() && manager && manager->FindChartByGUID(*info->GetGUID(), index))
        FChartStatus->SetChart(manager->GetCatalogueEntry(index), nullptr);
    else
        FChartStatus->SetChart(nullptr, nullptr);
}

void TFormMarivo6Main::UpdateStatusClock() {
    INavMsgGPSClock *clock = NavMsgGetGPSClock();
    const int32_t offset = clock->GetUTCOffset();
    const TDateTime local = clock->GetDateTimeUTC() + offset / 1440.0;
    SetStatusPanelText(StatusLayoutPanel::Date,
                       LanguageText(SDate) + QStringLiteral(": ") + FormatDateTime(QStringLiteral("ddddd"), 1, local));
    SetStatusPanelText(StatusLayoutPanel::Time, LanguageText(STime) + QStringLiteral(": ") +
                                                    FormatDateTime(QStringLiteral("tt"), 1, local) +
                                                    QStringLiteral(" (UTC") + StatusOffsetText(offset) +
                                                    QLatin1Char(')'));
}

void TFormMarivo6Main::UpdateStatusPosition(TNavViewerControl *viewer) {
    QString text;
    const TGeoPoint *position = viewer && viewer->GetCalibration() ? viewer->GetMousePosition() : nullptr;
    if (position && FNavEnv)
        // The default datum goes without a suffix.
        text = FormatPositionInGrids(*position, PositionGrid::Automatic, TPositionDatum{-1, nullptr, QString()},
                                     FNavEnv->PositionFormat, viewer->GetFocusChart());
    SetStatusPanelText(StatusLayoutPanel::Position, text);
}

void TFormMarivo6Main::UpdateStatusWaterway(TNavViewerControl *viewer) {
    IWWSection *section = viewer ? viewer->GetNetworkSectionAtMouse() : nullptr;
    if (!section) {
        SetStatusPanelText(StatusLayoutPanel::Waterway, QString());
        return;
    }
    IWWFairwayPart *part = section->GetFairwayPart();
    const QString name = part ? WWFairwayPartGetName(part) : QString();
    const double distance = viewer->GetNetworkDistanceAtMouse();
    QString text = StatusWaterwayText(name, section->GetDistanceMark(distance));
    if (IsDebugBuild() && FNavEnv) {
        const int32_t unit = FNavEnv->UnitDistanceSmall;
        const double value = UnitConvert(distance + section->GetDebugValue(), 0x6800B, unit);
        text = QString::number(value, 'f', 2) + QLatin1Char(' ') + UnitToStr(unit) + QStringLiteral(": ") + text;
    }
    SetStatusPanelText(StatusLayoutPanel::Waterway, text);
}

void TFormMarivo6Main::UpdateStatusSound() {
    const int position = FStatusIndex[StatusLayoutPanel::Sound];
    auto *panel = position >= 0 ? dynamic_cast<QLabel *>(FStatusPanels[size_t(position)]) : nullptr;
    if (!panel || !FNavEnv) return;
    const bool on = FNavEnv->SoundEnabled;
    if (panel->property("ImageIndex").toInt() == (on ? 15 : 16)) return;
    panel->setProperty("ImageIndex", on ? 15 : 16);
    TNavPtr<IBmp32> picture(Bmp32Create(0, 0, 0));
    int32_t err = 0;
    Bmp32LoadFromFile3(picture.get(), ProgramImage(on ? QStringLiteral("soundon.tga") : QStringLiteral("soundoff.tga")),
                       1, err, 0);
    const QImage image = err == 0 ? Bmp32ToImage(picture.get()) : QImage();
    panel->setPixmap(image.isNull() ? QPixmap()
                                    : QPixmap::fromImage(image.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// ---- interface set-up -------------------------------------------------------------------------

void TFormMarivo6Main::InitInterface(bool full) {
    TNavViewerControl *viewer = MainViewerControl();
    TFrameViewer *frame = FViewer ? FViewer->Frame() : nullptr;
    if (frame) frame->SetGRIBFlags(frame->GetGRIBFlags() & ~0x1u);
    if (full && FNavEnv) {
        TMarivoNavEnv &env = *FNavEnv;
        TWptRouteDefaults defaults;
        _GetWptRouteDefaults(defaults);
        const uint32_t gpsFlags = viewer ? viewer->GetGPSFlags() : 0;
        defaults.XTEAlarm = false;
        defaults.PointBiSector = true;
        defaults.WaterBodies = 0x120;
        env.ApplyRouteExploreMode(false);
        defaults.DepthTolerance = 0.0f;
        SetWptRouteDefaults(defaults);
        env.SetDefaultRouteEnabled(false);
        ApplyRouteExploreMode();
        if (viewer) {
            if (INavViewer *core = viewer->NavViewer()) {
                core->SetMainViewerOption321(0);
                core->SetOverviewMode(false);
            }
            viewer->SetShowLogbook(false);
            viewer->SetGRIBFlags(0);
            viewer->SetHomePosition(TGeoPoint{10.0, 10.0});
            viewer->SetTrackingAutoPos(false);
            viewer->SetTrackingMode(5);
            viewer->SetGPSFlags(gpsFlags & ~(0x400u | 0x20u | 0x10u));
            viewer->SetWaypointFlags(viewer->GetWaypointFlags() & ~(0x40u | 0x8u | 0x4u));
            viewer->SetNetworkFlags(viewer->GetNetworkFlags() & ~(0x400u | 0x200u));
            BuildSailingAreas(env, viewer);
        }
        env.StopLogbook(true);
        if (INavObjectUpdateManager *updates = env.ObjectUpdateManager) {
            updates->SetLayerValue29(0);
            updates->SetUpdateKind34(0);
            updates->SetUpdateKind35(0);
            updates->SetUpdateKind37(0);
        }
        CreateFirstWaypointType();
        if (env.Boat && env.Boat->IsSimulating()) env.StopNavigation(QString(), true);
    }
    // Layout panels 4 and 6 leave the bar once per run, at creation.
    if (!FStatusPanelsTrimmed) {
        RemoveStatusPanel(4);
        RemoveStatusPanel(6);
        FStatusPanelsTrimmed = true;
    }
}

void TFormMarivo6Main::CreateFirstWaypointType() {
    IWptDatabase *db = FNavEnv->UserDatabase;
    if (!db || db->GetWaypointTypeCount() != 0) return;
    TNavPtr<IBmp32> icon(Bmp32Create(0, 0, 0));
    TNavPtr<IBmp32> overlay(Bmp32Create(0, 0, 0));
    int32_t err = 0;
    const QString iconFile = ProgramImage(QStringLiteral("annotation.bmp"));
    Bmp32LoadFromFile2(icon.get(), iconFile, 0, err, 0, 0);
    RaiseIfError(err, iconFile);
    const QString overlayFile = ProgramImage(QStringLiteral("Default_overlay.tga"));
    Bmp32LoadFromFile3(overlay.get(), overlayFile, 0, err, 0);
    RaiseIfError(err, overlayFile);
    const float x = float(icon->GetWidth() / 2) - 0.5f;
    const float y = float(icon->GetHeight() / 2) - 0.5f;
    const TWptLabelStyle main{10.0f, 0, 0xFF000000u};
    const TWptLabelStyle light{10.0f, 0, 0xFF000000u};
    const TWptLabelStyle sub{12.0f, 1, 0xFF000000u};
    IWptWaypointType *type = WptDatabaseNewType(db, icon.get(), overlay.get(), true, x, y, main, light, sub, err);
    RaiseIfError(err);
    WptObjectSetName(type, ProgInfoGetTitle() + QStringLiteral(" Type"), err);
    RaiseIfError(err);
}
