// Reading GPX files into track files and a waypoint database of the real core library:
// naming with the shared running number, dropped items, file names, waypoints and routes,
// and a bad file that leaves nothing behind.
#include "exchange/KvGPX.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvGPXParser.h"

#include <KvLibNav6/KvLib.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GPXReader : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t err = -1;
        Manager.reset(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, 0);
        Database = WptManagerNewDatabase(Manager.get(), QStringLiteral("Import database"));
        ASSERT_TRUE(Dir.isValid());
        Target = Dir.filePath(QStringLiteral("GPXTracks"));
        ASSERT_TRUE(QDir().mkpath(Target));
    }

    // Writes the document as name in the test folder and reads it.
    void Read(const char *name, const QByteArray &inner, uint8_t options = 0x06) {
        const QString file = Dir.filePath(QLatin1String(name));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">" + inner +
                "</gpx>");
        f.close();
        ReadGPXFile(file, Manager.get(), Database, 45000.0, Target, Files, Invalid, options);
    }
    QStringList TrackNames() const {
        QStringList names;
        for (const QString &file : Files) {
            TTrackFileInfo info;
            int32_t err = 0;
            NavTrackGetFileInfo(file, info, err);
            EXPECT_EQ(err, 0) << file.toStdString();
            names << info.Name;
        }
        return names;
    }
    QStringList FolderFiles() const { return QDir(Target).entryList(QDir::Files, QDir::Name); }

    TNavPtr<IWptManager> Manager;
    IWptDatabase *Database = nullptr;
    QTemporaryDir Dir;
    QString Target;
    QStringList Files;
    int32_t Invalid = -1;
};

const QByteArray TwoPoints = "<trkseg><trkpt lat='52' lon='5'/><trkpt lat='52.1' lon='5.1'/></trkseg>";
const QByteArray RoutePoints = "<rtept lat='52' lon='5'/><rtept lat='52.1' lon='5.1'/><rtept lat='52.2' lon='5.2'/>";

TEST_F(GPXReader, UnnamedItemsShareOneRunningNumber) {
    Read("walk.gpx", "<trk>" + TwoPoints + "</trk><trk>" + TwoPoints + "</trk>");
    EXPECT_EQ(TrackNames(), (QStringList{QStringLiteral("walk"), QStringLiteral("walk (1)")}));
    EXPECT_EQ(Invalid, 0);
    Read("walk.gpx", "<rte>" + RoutePoints + "</rte><trk><name>Given</name>" + TwoPoints + "</trk><trk>" + TwoPoints +
                         "</trk>");
    EXPECT_EQ(TrackNames(), (QStringList{QStringLiteral("walk"), QStringLiteral("Given"), QStringLiteral("walk (1)")}));
    // A route of the database takes a number as well.
    Read("walk.gpx", "<rte>" + RoutePoints + "</rte><trk>" + TwoPoints + "</trk>", 0x05);
    ASSERT_EQ(Database->GetRouteCount(), 1);
    EXPECT_EQ(WptObjectGetName(Database->GetRoute(0)), QStringLiteral("walk"));
    EXPECT_EQ(TrackNames(), QStringList{QStringLiteral("walk (1)")});
}

TEST_F(GPXReader, RoutesAsTracksHaveNoTimesAndTheRouteColourAndShortItemsAreCounted) {
    Read("walk.gpx", "<rte><name>R</name>" + RoutePoints + "</rte><rte><rtept lat='1' lon='1'/></rte><trk>"
                     "<trkseg><trkpt lat='1' lon='1'/></trkseg></trk>");
    ASSERT_EQ(Files.size(), 1);
    EXPECT_EQ(Invalid, 2);
    TTrackFileInfo info;
    int32_t err = 0;
    NavTrackGetFileInfo(Files[0], info, err);
    EXPECT_FALSE(info.HasTimes);
    EXPECT_EQ(info.PointCount, 3);
    TNavPtr<INavTrack> track(NavTrackCreateFromFile(Files[0], err));
    ASSERT_EQ(err, 0);
    // The library keeps RGB with red in the lowest byte.
    EXPECT_EQ(track->GetColor() & 0xFFFFFF, 0xB02D9Cu);
    // Dropped items leave no file behind.
    EXPECT_EQ(FolderFiles().size(), 1);
    // Read as a route, a route of one point stays.
    Read("walk.gpx", "<rte><rtept lat='1' lon='1'/></rte>", 0x01);
    EXPECT_EQ(Database->GetRouteCount(), 1);
    EXPECT_EQ(Invalid, 0);
}

TEST_F(GPXReader, FileNamesAreMadeSafeAndUniqueWhileTrackNamesStay) {
    Read("walk.gpx", "<trk><name>A/B:C</name>" + TwoPoints + "</trk><trk><name>A/B:C</name>" + TwoPoints + "</trk>");
    ASSERT_EQ(Files.size(), 2);
    EXPECT_NE(Files[0], Files[1]);
    EXPECT_EQ(TrackNames(), (QStringList{QStringLiteral("A/B:C"), QStringLiteral("A/B:C")}));
    for (const QString &file : Files) {
        EXPECT_FALSE(QFileInfo(file).fileName().contains(u':')) << file.toStdString();
        EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(Target).absoluteFilePath());
    }
}

TEST_F(GPXReader, WaypointsTakeTheDefaultTypeSubNameAndPosition) {
    Read("walk.gpx",
         "<wpt lat='52.5' lon='4.5'><ele>12.5</ele><name>" + QByteArray(300, 'n') + "</name><desc>D</desc>"
         "<cmt>C</cmt><time>2024-03-01T00:00:00Z</time></wpt><wpt lat='1' lon='1'><desc/><cmt>Only</cmt></wpt>",
         0x08);
    ASSERT_EQ(Database->GetObjectCount(), 2);
    IWptWaypoint *w = Manager->GetWaypoint(0);
    EXPECT_EQ(WptObjectGetName(w).size(), 255);
    EXPECT_EQ(WptWaypointGetSubName(w), QStringLiteral("D"));
    EXPECT_EQ(w->GetType(), Manager->GetDefaultWaypointType());
    EXPECT_NEAR(w->GetLatitude(), 52.5 * 0.017453292519943295, 1e-12);
    EXPECT_EQ(WptWaypointGetSubName(Manager->GetWaypoint(1)), QStringLiteral("Only"));
    EXPECT_TRUE(Files.isEmpty());
}

TEST_F(GPXReader, ABadFileLeavesNoTrackFilesAndAnEmptyDatabase) {
    const QByteArray bad = "<wpt lat='1' lon='1'/><trk>" + TwoPoints + "</trk><trk><trkseg><trkpt lat='x' lon='5'/>"
                           "</trkseg></trk>";
    try {
        Read("walk.gpx", bad, 0x0E);
        FAIL() << "no exception";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("line"))) << e.Message().toStdString();
    }
    EXPECT_TRUE(Files.isEmpty());
    EXPECT_TRUE(FolderFiles().isEmpty());
    EXPECT_EQ(Database->GetObjectCount(), 0);
    // A root of another name reads nothing, without error.
    const QString other = Dir.filePath(QStringLiteral("other.gpx"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<kml><trk>" + TwoPoints + "</trk></kml>");
    f.close();
    ReadGPXFile(other, Manager.get(), Database, 0.0, Target, Files, Invalid, 0x06);
    EXPECT_TRUE(Files.isEmpty());
    EXPECT_EQ(Invalid, 0);
}

}  // namespace
