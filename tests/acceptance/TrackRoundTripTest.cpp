// A skipper's recorded track, from the water to another machine: a receiver on the boat drives
// the own ship along a waterway of the demo area while the program records, the skipper stops
// the communication, finds the track in the track manager, replays it on the chart, takes it
// along as a GPS exchange file and imports that on a fresh machine: the same points come back.
#include "FirstStart.h"
#include "Receiver.h"
#include "ScenarioRun.h"

#include "DemoData.h"
#include "base/controls/KvCalendarEx.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraTrackReplay.h"
#include "chartview/NavViewerControl.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FraDataSelectOther.h"
#include "exchange/FraImportFile.h"
#include "exchange/FraImportSource.h"
#include "exchange/FraImportType.h"
#include "exchange/FrmImport.h"
#include "routes/FrmTrackManager.h"
#include "routes/TrackManagerModel.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvTracks.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QtMath>

namespace {

using acceptance::TFirstStart;
using acceptance::TReceiver;
using acceptance::TScenarioRun;
using acceptance::UserAction;

struct TRecordedPoint {
    TDateTime Time;
    int32_t Lat, Lon;
};

std::vector<TRecordedPoint> PointsOf(const QString &file) {
    std::vector<TRecordedPoint> points;
    int32_t err = 0;
    INavTrack *track = NavTrackCreateFromFile(file, err);
    EXPECT_EQ(err, 0) << file.toStdString();
    if (!track) return points;
    for (int32_t i = 0; i < track->GetPointCount(); ++i) {
        const TTrackPoint *p = track->GetPoint(i);
        points.push_back({p->Time, p->Lat, p->Lon});
    }
    ObjectDelete(track);
    return points;
}

// What an export to a GPS exchange file would write: the program has none yet, so the
// test writes the track file's points itself, at GPX's usual precision.
void WriteGPX(const QString &trackFile, const QString &name, const QString &gpxFile) {
    QString gpx = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"skipper\" "
                                 "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><name>%1</name><trkseg>\n")
                      .arg(name.toHtmlEscaped());
    for (const TRecordedPoint &p : PointsOf(trackFile)) {
        QDateTime utc = KvCalendar::ToQDateTime(p.Time);
        utc.setTimeSpec(Qt::UTC);
        const double lat = qRadiansToDegrees(p.Lat / TrackPointUnitsPerRadian);
        const double lon = qRadiansToDegrees(p.Lon / TrackPointUnitsPerRadian);
        gpx += QStringLiteral("<trkpt lat=\"%1\" lon=\"%2\"><time>%3</time></trkpt>\n")
                   .arg(lat, 0, 'f', 9)
                   .arg(lon, 0, 'f', 9)
                   .arg(utc.toString(Qt::ISODateWithMs));
    }
    gpx += QStringLiteral("</trkseg></trk>\n</gpx>\n");
    QFile f(gpxFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(gpx.toUtf8());
}

// Track manager: the rows as listed, then Close.
QStringList TrackManagerRows(TFormMarivo6Main &main, const QString &screenshot) {
    QStringList rows;
    bool shown = false;
    auto old = TFormTrackManager::SetPrompter([&](TFormTrackManager &form) {
        shown = true;
        for (const auto &row : form.Model()->Rows()) rows << row->Name + QLatin1Char('|') + row->FileName;
        form.resize(700, 300);
        acceptance::Screenshot(&form, screenshot);
        form.ButtonClose->click();
        return form.result();
    });
    UserAction(main, "ActionTrackManager")->trigger();
    TFormTrackManager::SetPrompter(std::move(old));
    EXPECT_TRUE(shown);
    return rows;
}

TFrameTrackReplay *ReplayPanel(TFormMarivo6Main &main) {
    QDockWidget *panel = main.Panel(QStringLiteral("DockablePanelTrackReplay"));
    return panel ? panel->findChild<TFrameTrackReplay *>() : nullptr;
}

// File -> Import...: a GPS exchange file, its one track chosen, Import.
void ImportGPX(TFormMarivo6Main &main, const QString &gpxFile, const QString &trackName) {
    bool shown = false;
    auto oldChooser = SetImportFileChooser([gpxFile](QWidget *, const TImportFileRequest &) { return QStringList{gpxFile}; });
    auto old = TFormImport::SetPrompter([&](TFormImport &wizard) {
        shown = true;
        QTest::mouseClick(wizard.FrameImportType->RadioButtonGPX, Qt::LeftButton);
        wizard.ButtonNext->click();
        EXPECT_EQ(wizard.CurrentPage(), ImportPage::File);
        wizard.FrameImportFile->ButtonBrowse->click();
        wizard.ButtonNext->click();
        EXPECT_EQ(wizard.CurrentPage(), ImportPage::Tracks);
        TFrameDataSelectItems *picker = wizard.FrameDataSelectOther->TrackSelect;
        const QModelIndexList hits = picker->ListViewFiltered->model()->match(
            picker->ListViewFiltered->model()->index(0, 0), Qt::DisplayRole, trackName, 1, Qt::MatchStartsWith | Qt::MatchRecursive);
        EXPECT_EQ(hits.size(), 1) << trackName.toStdString();
        if (!hits.isEmpty())
            picker->ListViewFiltered->selectionModel()->select(hits.front(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::mouseClick(picker->ButtonAdd, Qt::LeftButton);
        wizard.resize(640, 480);
        acceptance::Screenshot(&wizard, QStringLiteral("4-import-gpx-track"));
        wizard.ButtonNext->click();
        return wizard.result();
    });
    UserAction(main, "ActionFileImport")->trigger();
    TFormImport::SetPrompter(std::move(old));
    SetImportFileChooser(std::move(oldChooser));
    EXPECT_TRUE(shown);
}

}  // namespace

TEST(Acceptance, ARecordedTrackIsReplayedAndComesBackWholeThroughAGPSExchangeFile) {
    const QString exchange = testsupport::MakeTempDir(QStringLiteral("track-exchange"));
    const QString gpxFile = exchange + QStringLiteral("/day.gpx");
    QString recordedFile;
    std::vector<TRecordedPoint> recorded;
    {
        TFirstStart machine(QStringLiteral("track-record"));
        ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
        TReceiver receiver(exchange + QStringLiteral("/ttyUSB0"));
        int asked = 0;
        auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
        TScenarioRun run;
        run.When(QStringLiteral("the demo charts are drawn"), acceptance::ChartsDrawn,
                 [&](TFormMarivo6Main &) { receiver.Plug(acceptance::FixesAlongAWaterway()); });
        run.When(QStringLiteral("a track is being recorded"),
                 [](TFormMarivo6Main &main) {
                     INavTrack *track = main.NavEnv()->Boat->GetTrack();
                     return track && track->GetPointCount() >= 4;
                 },
                 [&](TFormMarivo6Main &main) {
                     acceptance::Screenshot(&main, QStringLiteral("4-recording"));
                     // Stop: the communication button, and Yes to its question.
                     UserAction(main, "ActionInstrumentsCommunication")->trigger();
                     EXPECT_EQ(main.NavEnv()->Boat->GetNavigationState(), 0);
                     receiver.Unplug();
                 }, 60000);
        run.WhenReady(QStringLiteral("the track manager lists the track"), [&](TFormMarivo6Main &main) {
            const QStringList rows = TrackManagerRows(main, QStringLiteral("4-track-manager"));
            ASSERT_EQ(rows.size(), 1) << rows.join(QLatin1Char('\n')).toStdString();
            recordedFile = rows.front().section(QLatin1Char('|'), 1);
            recorded = PointsOf(recordedFile);
        });
        run.WhenReady(QStringLiteral("replay the track on the chart"), [&](TFormMarivo6Main &main) {
            // The replay panel has no menu entry: it is opened here as the layout would.
            main.SetPanelVisible(QStringLiteral("DockablePanelTrackReplay"), true);
            TFrameTrackReplay *replay = ReplayPanel(main);
            ASSERT_NE(replay, nullptr);
            ASSERT_EQ(replay->Model()->rowCount(), 1);
            QTreeView *list = replay->List();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
            ASSERT_NE(replay->SelectedTrack(), nullptr);
            ASSERT_TRUE(replay->TrackingButton()->isEnabled());
            // "Track in" -> "Main chart viewer".
            QMenu *menu = replay->TrackingMenu();
            ASSERT_FALSE(menu->actions().isEmpty());
            EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Main chart viewer"));
            menu->actions().front()->trigger();
            TNavViewerControl *chart = acceptance::Chart(main);
            EXPECT_TRUE(chart->GetTrackReplayMode());
            EXPECT_EQ(chart->GetReplayTrack(), replay->SelectedTrack());
            replay->Button(4)->click();  // to the end
            EXPECT_NEAR(replay->ReplayTime(), replay->SelectedTrack()->GetEndTime(), 1.0 / 86400);
            replay->Button(0)->click();  // back to the start
            EXPECT_NEAR(replay->ReplayTime(), replay->SelectedTrack()->GetStartTime(), 1.0 / 86400);
            replay->Button(3)->click();  // and play
            acceptance::Screenshot(&main, QStringLiteral("4-track-replay"));
            acceptance::Screenshot(main.Panel(QStringLiteral("DockablePanelTrackReplay")),
                                   QStringLiteral("4-track-replay-panel"));
        });
        run.Close();
        EXPECT_EQ(run.Run(machine.Options), 0);
        TFormLanguage::SetPrompter(std::move(oldLanguage));
    }
    ASSERT_FALSE(recordedFile.isEmpty());
    ASSERT_GE(recorded.size(), 4u);
    WriteGPX(recordedFile, QStringLiteral("Day on the water"), gpxFile);

    TFirstStart fresh(QStringLiteral("track-import"));
    ASSERT_FALSE(fresh.Options.DataFolder.isEmpty());
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(acceptance::PickLanguage(QStringLiteral("English"), &asked));
    QString importedFile;
    TScenarioRun run;
    run.When(QStringLiteral("the demo charts are drawn"), acceptance::ChartsDrawn, [&](TFormMarivo6Main &main) {
        ImportGPX(main, gpxFile, QStringLiteral("Day on the water"));
        ASSERT_FALSE(run.Messages.isEmpty());
        EXPECT_EQ(run.Messages.back(), QStringLiteral("Import completed.\n\r\n 1 track files imported."));
    });
    run.WhenReady(QStringLiteral("the track manager lists the imported track"), [&](TFormMarivo6Main &main) {
        const QStringList rows = TrackManagerRows(main, QStringLiteral("4-track-manager-after-import"));
        ASSERT_EQ(rows.size(), 1) << rows.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(rows.front().section(QLatin1Char('|'), 0, 0), QStringLiteral("Day on the water"));
        importedFile = rows.front().section(QLatin1Char('|'), 1);
        acceptance::Screenshot(&main, QStringLiteral("4-after-import"));
    });
    run.Close();
    EXPECT_EQ(run.Run(fresh.Options), 0);
    TFormLanguage::SetPrompter(std::move(oldLanguage));

    ASSERT_FALSE(importedFile.isEmpty());
    const std::vector<TRecordedPoint> imported = PointsOf(importedFile);
    ASSERT_EQ(imported.size(), recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i) {
        SCOPED_TRACE(i);
        // A ninth decimal of a degree is within a unit of the track file.
        EXPECT_NEAR(imported[i].Lat, recorded[i].Lat, 1);
        EXPECT_NEAR(imported[i].Lon, recorded[i].Lon, 1);
        EXPECT_NEAR(imported[i].Time, recorded[i].Time, 0.001 / 86400);
    }
}
