// The file item page: chosen items reach the right result lists by their kind, file and
// device items never touch a backup entry, the marks are cleared on every question, the
// tabs follow the offered kinds and ClearAll empties every picker.
#include "DataSelectFixture.h"

#include "exchange/FraDataSelectOther.h"

#include <KvLibNav6/KvBackup.h>

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace dataselecttest;

namespace {

// The library's entries keep their mark to themselves; this one shows it.
class TRecordingEntry final : public INavBackupEntry {
public:
    const TStrWRec *GetName() override { return nullptr; }
    void SetSelected(bool selected) override {
        Selected = selected;
        ++Calls;
    }
    void SetOverwrite(bool) override {}
    bool Selected = true;
    int Calls = 0;
};

class DataSelectOther : public ::testing::Test {
protected:
    TDataItem *Item(TDataItemList &list, const char *kind, const char *name, void *data) {
        Owned.push_back(std::make_unique<TDataItem>(QString::fromLatin1(kind), QString::fromUtf8(name), data, 0));
        list.Add(Owned.back().get());
        return Owned.back().get();
    }

    void SetUp() override {
        Item(Collections, "NAVBACKUP_COLLECTION", "Coast", &Entries[0]);
        Item(Logbooks, "NAVBACKUP_LOGBOOK", "Season", &Entries[1]);
        Item(RouteProfiles, "NAVBACKUP_PROFILE_RTE", "Route CSV", &Entries[2]);
        Item(WaypointProfiles, "NAVBACKUP_PROFILE_WPT", "Waypoint CSV", &Entries[3]);
        Item(WaypointProfiles, "NAVBACKUP_LOGBOOK", "Stray logbook", &Entries[4]);
        Item(Polars, "NAVBACKUP_POLAR", "Polar A", &Entries[5]);
        Item(Polars, "/data/polar b.pol", "polar b", nullptr);
        Item(Tracks, "NAVBACKUP_TRACK", "Backup track", &Entries[6]);
        // A file whose path merely contains the backup word: no entry behind it.
        Item(Tracks, "/home/skipper/NAVBACKUP_TRACK notes.gpx", "GPX track", nullptr);
        Item(Tracks, "", "Device track", &DeviceTrack);
        Frame = std::make_unique<TFrameDataSelectOther>(nullptr, &Collections, &Logbooks, &RouteProfiles,
                                                        &WaypointProfiles, &Polars, &Tracks, 0);
        Frame->resize(640, 360);
        Frame->show();
    }

    TRecordingEntry Entries[7];
    int DeviceTrack = 0;
    std::vector<std::unique_ptr<TDataItem>> Owned;
    TDataItemList Collections, Logbooks, RouteProfiles, WaypointProfiles, Polars, Tracks;
    std::unique_ptr<TFrameDataSelectOther> Frame;
};

TEST_F(DataSelectOther, ItemsKnowTheirKindAndOnlyBackupEntriesCarryAnEntry) {
    struct Case {
        const char *Kind;
        void *Data;
        TDataItemKind Type;
        bool Entry;
    } cases[] = {
        {"NAVBACKUP_TRACK", &Entries[0], TDataItemKind::Track, true},
        {"NAVBACKUP_TRACK", nullptr, TDataItemKind::Track, false},
        {"NAVBACKUP_PROFILE_RTE", &Entries[0], TDataItemKind::RouteProfile, true},
        {"navbackup_track", &Entries[0], TDataItemKind::File, false},
        {"/tmp/NAVBACKUP_TRACK.gpx", nullptr, TDataItemKind::File, false},
        {"", &DeviceTrack, TDataItemKind::Device, false},
    };
    for (const Case &c : cases) {
        const TDataItem item(QString::fromLatin1(c.Kind), QStringLiteral("x"), c.Data, 7);
        EXPECT_EQ(item.Type(), c.Type) << c.Kind;
        EXPECT_EQ(item.BackupEntry() != nullptr, c.Entry) << c.Kind;
        EXPECT_EQ(item.Flag, 7);
    }
}

TEST_F(DataSelectOther, TheSelectionGoesWhereEachKindBelongs) {
    Frame->SetKinds(0x1F);
    Choose(Frame->TrackSelect, {"Backup track", "GPX track", "Device track"});
    Choose(Frame->ProfileSelect, {"Route CSV", "Waypoint CSV", "Stray logbook"});
    Choose(Frame->PolarSelect, {"Polar A", "polar b"});
    Choose(Frame->LogbookSelect, {"Season"});
    TBackupEntryList collections, routeProfiles, waypointProfiles, logbooks, polars, tracks;
    TDataItemFiles polarFiles, trackFiles;
    collections.Add(&Entries[6]);  // replaced: the kind is offered
    Frame->GetSelection(collections, routeProfiles, waypointProfiles, logbooks, &polars, &tracks, &polarFiles,
                        &trackFiles);
    EXPECT_EQ(collections.Count(), 0);
    ASSERT_EQ(logbooks.Count(), 1);
    EXPECT_EQ(logbooks[0], &Entries[1]);
    ASSERT_EQ(routeProfiles.Count(), 1);
    EXPECT_EQ(routeProfiles[0], &Entries[2]);
    ASSERT_EQ(waypointProfiles.Count(), 1) << "the logbook in a profile list is never returned";
    EXPECT_EQ(waypointProfiles[0], &Entries[3]);
    ASSERT_EQ(polars.Count(), 1);
    EXPECT_EQ(polars[0], &Entries[5]);
    ASSERT_EQ(polarFiles.size(), 1u);
    EXPECT_EQ(polarFiles[0].first, QStringLiteral("/data/polar b.pol"));
    ASSERT_EQ(tracks.Count(), 1);
    EXPECT_EQ(tracks[0], &Entries[6]);
    ASSERT_EQ(trackFiles.size(), 2u);
    // Chosen in one move: name order.
    EXPECT_EQ(trackFiles[0].first, QString()) << "a device track has no kind text";
    EXPECT_EQ(trackFiles[0].second->Data, &DeviceTrack);
    EXPECT_EQ(trackFiles[1].first, QStringLiteral("/home/skipper/NAVBACKUP_TRACK notes.gpx"));
    EXPECT_EQ(trackFiles[1].second->Name, QStringLiteral("GPX track"));
    for (const TRecordingEntry &e : Entries) EXPECT_FALSE(e.Selected);

    // Kinds not offered leave their lists alone; nil result lists are accepted.
    Frame->SetKinds(DataSelectOtherKind::Tracks);
    logbooks.Clear();
    logbooks.Add(&Entries[0]);
    Frame->GetSelection(collections, routeProfiles, waypointProfiles, logbooks, nullptr, nullptr, nullptr,
                        &trackFiles);
    ASSERT_EQ(logbooks.Count(), 1);
    EXPECT_EQ(logbooks[0], &Entries[0]);
    EXPECT_EQ(trackFiles.size(), 2u);
}

TEST_F(DataSelectOther, HasSelectionClearsTheMarksEvenWhenNothingIsChosen) {
    Frame->SetKinds(0x1F);
    EXPECT_FALSE(Frame->HasSelection());
    for (const TRecordingEntry &e : Entries) {
        EXPECT_FALSE(e.Selected);
        EXPECT_EQ(e.Calls, 1);
    }
    Choose(Frame->TrackSelect, {"Device track"});
    EXPECT_TRUE(Frame->HasSelection()) << "a device track counts";
}

TEST_F(DataSelectOther, TabsFollowTheKindsAndClearAllEmptiesEveryPicker) {
    QTabWidget *pages = Frame->PageControl;
    EXPECT_FALSE(pages->tabBar()->isVisible());
    Frame->SetKinds(DataSelectOtherKind::Tracks);
    EXPECT_FALSE(pages->tabBar()->isVisible());
    EXPECT_EQ(pages->currentWidget(), Frame->TabSheetTracks);
    EXPECT_EQ(Frame->LabelInformationTracks->text(),
              QStringLiteral("Add the tracks you want to import to the list on the right"));
    Frame->SetKinds(DataSelectOtherKind::Profiles | DataSelectOtherKind::Polars);
    EXPECT_TRUE(pages->tabBar()->isVisible());
    EXPECT_TRUE(pages->isTabVisible(pages->indexOf(Frame->TabSheetProfiles)));
    EXPECT_FALSE(pages->isTabVisible(pages->indexOf(Frame->TabSheetTracks)));
    EXPECT_EQ(Frame->LabelInformationProfiles->text(),
              QStringLiteral("Add the route & waypoint profiles you want to import to the list on the right"));
    QAbstractItemModel *profiles = Frame->ProfileSelect->ListViewFiltered->model();
    QAbstractItemModelTester tester(profiles, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(Find(profiles, "Route profiles").isValid());
    EXPECT_TRUE(Find(profiles, "Waypoint profiles").isValid());
    EXPECT_EQ(profiles->rowCount(Find(profiles, "Waypoint profiles")), 2);

    Choose(Frame->TrackSelect, {"GPX track"});
    Choose(Frame->ProfileSelect, {"Route CSV"});
    Frame->ClearAll();
    for (TFrameDataSelectItems *p : {Frame->CollectionSelect, Frame->LogbookSelect, Frame->PolarSelect,
                                     Frame->ProfileSelect, Frame->TrackSelect}) {
        EXPECT_EQ(p->ListViewFiltered->model()->rowCount(), 0);
        EXPECT_EQ(p->ListViewSelected->model()->rowCount(), 0);
        EXPECT_EQ(p->GetSelectedCount(), 0);
    }
    // The download page: only a track list, tracks only.
    TFrameDataSelectOther download(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &Tracks, 2);
    download.SetKinds(DataSelectOtherKind::Tracks);
    EXPECT_EQ(download.TrackSelect->ListViewFiltered->model()->rowCount(), 3);
    EXPECT_EQ(download.LabelInformationTracks->text(),
              QStringLiteral("Add the tracks you want to download to the list on the right"));
}

}  // namespace
