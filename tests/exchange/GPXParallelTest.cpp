// The GPX file read in pieces on several threads against one reader over the same file: the
// same records in the same order, the same result, the same error and line, on the fixtures
// shaped like real tools' output and on a generated file with every kind of markup between
// and inside the pieces. A read through the wizard's reader writes the same track files.
#include "exchange/KvGPXParallel.h"

#include "TestSupport.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvGPX.h"

#include <KvLibNav6/KvLib.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Number(double v) { return QString::number(v, 'g', 17); }

// Every field of every record, in the order they came.
struct TRecords {
    TGPXParseResult Result;
    QStringList Lines;
    std::vector<int64_t> Progress;
};

TGPXHandlers Recorder(TRecords &r) {
    TGPXHandlers h;
    h.Waypoint = [&r](TGPXWaypoint &&w) {
        r.Lines << QStringLiteral("wpt %1 %2 %3 [%4] [%5] %6")
                       .arg(Number(w.Lat), Number(w.Lon), Number(w.Ele), w.Name, w.SubName, Number(w.Time));
    };
    h.Route = [&r](TGPXRoute &&x) {
        r.Lines << QStringLiteral("rte [%1] %2").arg(x.Name).arg(x.Points.size());
        for (const TGPXRoutePoint &p : x.Points)
            r.Lines << QStringLiteral(" rtept %1 %2 %3 [%4]").arg(Number(p.Lat), Number(p.Lon), Number(p.Ele), p.Name);
    };
    h.Track = [&r](TGPXTrack &&t) {
        r.Lines << QStringLiteral("trk [%1] %2 %3 %4 %5")
                       .arg(t.Name)
                       .arg(int(t.FromRoute))
                       .arg(int(t.HasTimes))
                       .arg(t.Points.size())
                       .arg(t.DroppedPoints);
        for (const TGPXTrackPoint &p : t.Points)
            r.Lines << QStringLiteral(" trkpt %1 %2 %3").arg(Number(p.Time), Number(p.Lat), Number(p.Lon));
    };
    return h;
}

TRecords Serial(const QString &file, uint8_t options) {
    TRecords r;
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    r.Result = GPXParse(f, options, Recorder(r));
    return r;
}

TRecords Parallel(const QString &file, uint8_t options, int64_t pieceSize, int threads = 4) {
    TRecords r;
    TGPXParallelOptions p;
    p.Threads = threads;
    p.MinFileSize = 0;
    p.PieceSize = pieceSize;
    r.Result = GPXParseFile(file, options, Recorder(r), [&r](int64_t done) { r.Progress.push_back(done); }, p);
    return r;
}

void ExpectSame(const TRecords &serial, const TRecords &parallel, const QString &what) {
    SCOPED_TRACE(what.toStdString());
    EXPECT_EQ(parallel.Result.Ok, serial.Result.Ok);
    EXPECT_EQ(parallel.Result.IsGPX, serial.Result.IsGPX);
    EXPECT_EQ(parallel.Result.Error, serial.Result.Error);
    EXPECT_EQ(parallel.Result.Line, serial.Result.Line);
    // Records handed on before a fault are dropped by every caller; how many there are
    // depends on how far the readers got.
    if (!serial.Result.Ok) return;
    ASSERT_EQ(parallel.Lines.size(), serial.Lines.size());
    for (qsizetype i = 0; i < serial.Lines.size(); ++i) ASSERT_EQ(parallel.Lines[i], serial.Lines[i]) << i;
}

QByteArray Point(const char *tag, int i, bool timed) {
    QByteArray p = "<" + QByteArray(tag) + " lat=\"" + QByteArray::number(50.0 + i * 1e-4, 'f', 6) + "\" lon='" +
                   QByteArray::number(4.0 + i * 1e-4, 'f', 6) + "'><ele>" + QByteArray::number(i % 40) + "</ele>";
    if (timed && i % 97 != 5)  // now and then a point without a time
        p += "<time>2024-06-01T10:" + QByteArray::number(i / 60 % 60).rightJustified(2, '0') + ":" +
             QByteArray::number(i % 60).rightJustified(2, '0') + (i % 3 ? "Z" : "+02:00") + "</time>";
    return p + "</" + QByteArray(tag) + ">\n";
}

// A file of some megabytes with the markup that could fool a cut between the root's
// children: comments holding tags, CDATA, processing instructions, '>' inside quoted
// attributes, self-closing children, a namespaced extension, unnamed routes and tracks.
QByteArray GeneratedFile() {
    QByteArray f = "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?>\r\n<!-- <gpx> made for a test -->\n"
                   "<gpx version=\"1.1\" creator=\"x > y\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                   "xmlns:ext=\"http://example.com/ext\">\n<metadata><name>Many</name></metadata>\n";
    for (int i = 0; i < 3000; ++i) {
        f += Point("wpt", i, true).replace("</wpt>", "<name>WP " + QByteArray::number(i) +
                                                         "</name><desc><![CDATA[<trk> & </gpx>]]></desc></wpt>");
        if (i % 500 == 0) f += "<!-- </wpt></gpx> --><?app note='>'?>\n<wpt lat='1' lon='2'/>\n";
    }
    for (int r = 0; r < 60; ++r) {
        f += r % 4 ? "<rte><name>Route " + QByteArray::number(r) + "</name>\n" : QByteArray("<rte>\n");
        for (int i = 0; i < 30; ++i) f += Point("rtept", r * 30 + i, false);
        f += "</rte>\n";
    }
    for (int t = 0; t < 12; ++t) {
        f += t % 3 ? "<trk><name>Track " + QByteArray::number(t) + "</name>" : QByteArray("<trk>");
        f += "<extensions><ext:colour a='>'>red</ext:colour></extensions><trkseg>\n";
        for (int i = 0; i < 4000; ++i) f += Point("trkpt", t * 4000 + i, true);
        f += "</trkseg><trkseg>" + Point("trkpt", 1, true) + "</trkseg></trk>\n";
    }
    return f + "</gpx>\n<!-- the end -->\n";
}

class GPXParallel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
    QString Write(const char *name, const QByteArray &bytes) {
        const QString file = Dir.filePath(QLatin1String(name));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return file;
    }
    QTemporaryDir Dir;
};

TEST_F(GPXParallel, FixturesGiveTheSameRecordsWithEveryChildAPiece) {
    for (const QString &name : QDir(testsupport::SourcePath(QStringLiteral("tests/data/gpx")))
                                   .entryList({QStringLiteral("*.gpx")}, QDir::Files, QDir::Name)) {
        const QString file = testsupport::SourcePath(QStringLiteral("tests/data/gpx/") + name);
        for (uint8_t options : {uint8_t(0x06), uint8_t(0x09), uint8_t(0x0F)}) {
            const TRecords serial = Serial(file, options);
            EXPECT_TRUE(serial.Result.Ok) << name.toStdString();
            ExpectSame(serial, Parallel(file, options, 1), name + QStringLiteral(" options %1").arg(options));
        }
    }
}

TEST_F(GPXParallel, AGeneratedFileGivesTheSameRecordsForEveryPieceSize) {
    const QString file = Write("many.gpx", GeneratedFile());
    const TRecords serial = Serial(file, 0x0F);
    ASSERT_TRUE(serial.Result.Ok) << serial.Result.Error.toStdString();
    ASSERT_GT(serial.Lines.size(), 50000);
    for (int64_t pieceSize : {int64_t(1), int64_t(4096), int64_t(300000), int64_t(1) << 40}) {
        const TRecords parallel = Parallel(file, 0x0F, pieceSize);
        ExpectSame(serial, parallel, QStringLiteral("piece size %1").arg(pieceSize));
        // Progress runs up to the file's size.
        ASSERT_FALSE(parallel.Progress.empty());
        EXPECT_TRUE(std::is_sorted(parallel.Progress.begin(), parallel.Progress.end()));
        EXPECT_EQ(parallel.Progress.back(), QFileInfo(file).size());
    }
    ExpectSame(Serial(file, 0x06), Parallel(file, 0x06, 65536, 8), QStringLiteral("options 6, 8 threads"));
}

TEST_F(GPXParallel, FaultsInALaterPieceGiveTheErrorAndLineOfOneReader) {
    const QByteArray good = GeneratedFile();
    const qsizetype late = good.indexOf("<trk>", good.size() / 2);
    ASSERT_GT(late, 0);
    struct TCase {
        const char *Name;
        QByteArray Bytes;
    };
    QByteArray badCoordinate = good;
    badCoordinate.replace(badCoordinate.indexOf("lat=\"", late), 5, "lat=\"x");
    QByteArray mismatch = good;
    mismatch.insert(late, "<trk></rte>");
    QByteArray latin1 = good;
    latin1.insert(late, "<trk><name>Caf\xE9</name></trk>");
    const TCase cases[] = {
        {"cut inside a point", good.left(good.indexOf("<trkpt", late) + 12)},
        {"bad coordinate", badCoordinate},
        {"mismatched end tag", mismatch},
        {"Latin-1 bytes", latin1},
        {"unclosed comment", good.left(late) + "<!-- never closed <trk>"},
        {"second root", good + "<gpx></gpx>"},
        {"other root", "<?xml version='1.0'?><kml>" + good.mid(good.indexOf("<wpt")) + "</kml>"},
        {"DOCTYPE", "<?xml version='1.0'?><!DOCTYPE gpx [<!ENTITY a 'b'>]>" + good.mid(good.indexOf("<gpx"))},
    };
    for (const TCase &c : cases) {
        const QString file = Write("bad.gpx", c.Bytes);
        const TRecords serial = Serial(file, 0x0F);
        ExpectSame(serial, Parallel(file, 0x0F, 8192), QString::fromLatin1(c.Name));
    }
}

TEST_F(GPXParallel, TheWizardsReaderWritesTheSameTrackFiles) {
    const QString file = Write("many.gpx", GeneratedFile());
    int32_t err = -1;
    TNavPtr<IWptManager> manager(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                                  nullptr, nullptr, nullptr, nullptr, err));
    ASSERT_EQ(err, 0);
    IWptDatabase *db = WptManagerNewDatabase(manager.get(), QStringLiteral("Import database"));
    auto read = [&](const char *folder, const TGPXParallelOptions &parallel) {
        const QString target = Dir.filePath(QLatin1String(folder)) + u'/';
        EXPECT_TRUE(QDir().mkpath(target));
        QStringList files;
        int32_t invalid = -1;
        ReadGPXFile(file, manager.get(), db, 45000.0, target, files, invalid, 0x0F, {}, parallel);
        QStringList seen{QStringLiteral("invalid %1 waypoints %2 routes %3")
                             .arg(invalid)
                             .arg(db->GetObjectCount())
                             .arg(db->GetRouteCount())};
        for (const QString &f : files) {
            QFile track(f);
            EXPECT_TRUE(track.open(QIODevice::ReadOnly));
            seen << QFileInfo(f).fileName() + u' ' + QString::fromLatin1(track.readAll().toHex().left(64)) + u' ' +
                        QString::number(track.size());
        }
        return seen;
    };
    TGPXParallelOptions one;
    one.Threads = 1;
    TGPXParallelOptions pieces;
    pieces.Threads = 4;
    pieces.MinFileSize = 0;
    pieces.PieceSize = 100000;
    const QStringList serial = read("serial", one);
    EXPECT_EQ(serial.size(), 1 + 60 + 12);
    EXPECT_EQ(read("parallel", pieces), serial);
}

}  // namespace
