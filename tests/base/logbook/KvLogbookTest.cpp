#include "TestSupport.h"
#include "NavBackupFixture.h"

#include "base/kvlib/KvLib.h"
#include "base/logbook/KvLogbook.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

using namespace testsupport;

namespace {

QByteArray ReadAll(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The entry line of a logbook file with a picture and no ship state.
QByteArray PictureEntry(int id, const QString &picture) {
    return "Entry\t" + QByteArray::number(id) + "\t2\t1\t1\t45000\t0\t0\t0\t0\t0\t0\t0\t0\t" +
           picture.toUtf8() + "\tPicture " + QByteArray::number(id) + "\n";
}

}  // namespace

TEST(LogbookWrappers, LoadingMakesThumbnailsOfGoodPicturesOnly) {
    const QString dir = MakeTempDir(QStringLiteral("logwrap"));
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(QColor(30, 90, 160));
    ASSERT_TRUE(photo.save(dir + "/deck.jpg", "JPEG"));
    ASSERT_TRUE(WriteFileBytes(dir + "/broken.png", QByteArray("\x89PNG\r\n\x1a\n damaged", 17)));
    const QString file = dir + "/Holiday.kvlog";
    ASSERT_TRUE(WriteFileBytes(file, "KvNavLogbook\t1\nUTCOffset\t60\n" + PictureEntry(1, "deck.jpg") +
                                         PictureEntry(2, "broken.png") +
                                         PictureEntry(3, "missing.jpg") + "End\t3\n"));

    TExpectReports reports;  // nothing may reach the exception handler either
    int32_t err = -1;
    TNavPtr<INavLogbook> log(NavLogbookLoad(file, nullptr, err));
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(log);
    EXPECT_EQ(reports.Count(), 0);

    const QDir thumbs(file + ".thumbs");
    EXPECT_EQ(thumbs.entryList(QDir::Files), QStringList{QStringLiteral("1.png")});
    const QImage thumb(thumbs.filePath(QStringLiteral("1.png")));
    EXPECT_EQ(thumb.size(), QSize(200, 150));
    EXPECT_EQ(qAlpha(thumb.pixel(10, 10)), 255);

    // An entry added through the wrapper gets its thumbnail at once and is saved.
    QImage small(64, 32, QImage::Format_ARGB32);
    small.fill(QColor(200, 0, 0, 128));
    ASSERT_TRUE(small.save(dir + "/flag.png", "PNG"));
    NavLogbookAddEntry(log.get(), QStringLiteral("Flag raised"), dir + "/flag.png", 2, nullptr, 1, 1);
    const QImage flagThumb(thumbs.filePath(QStringLiteral("4.png")));
    EXPECT_EQ(flagThumb.size(), QSize(64, 32));
    EXPECT_LT(qAlpha(flagThumb.pixel(5, 5)), 255) << "transparency kept";
    log->Save(nullptr, 6, err);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(ReadAll(file).contains("\tFlag raised\n"));
}

TEST(LogbookWrappers, MissingFilesAreErrorsTheCallerSees) {
    const QString dir = MakeTempDir(QStringLiteral("missing"));
    int32_t err = 0;
    EXPECT_EQ(NavLogbookLoad(dir + "/none.kvlog", nullptr, err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);
    err = 0;
    EXPECT_EQ(SoundCreateFromFile(dir + "/GPS restored.wav", err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);
    err = 0;
    EXPECT_EQ(CreateNavBackup(dir + "/none.kvbak", err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);
}

TEST(BoatDefWrappers, NameRoundTripKeepsEveryCharacter) {
    TNavPtr<ILPBoatDef> bd(LPBoatDefCreate(1));
    EXPECT_TRUE(LPBoatDefGetName(bd.get()).isEmpty());
    for (const QString &name : {QStringLiteral("Default"), QStringLiteral("Sjöfröken ⚓ 𝄞"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        LPBoatDefSetName(bd.get(), name);
        EXPECT_EQ(LPBoatDefGetName(bd.get()), name);
    }
}

TEST(BackupWrappers, TracksComeBackFromADataFile) {
    const QString dir = MakeTempDir(QStringLiteral("backupwrap"));
    const QString file = dir + "/Backup.kvbak";
    ASSERT_TRUE(WriteFileBytes(file, NavBackupFixture({{BackupTrack, QStringLiteral("Friesland"), "track data"},
                                                       {BackupTrack, QStringLiteral("Zeeland"), "other"}})));
    int32_t err = -1;
    TNavPtr<INavBackup> backup(CreateNavBackup(file, err));
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(backup);
    ASSERT_EQ(backup->GetTrackCount(), 2);
    EXPECT_EQ(NavBackupItemGetName(backup->GetTrack(1)), QStringLiteral("Zeeland"));
    backup->GetTrack(0)->SetSelected(true);
    EXPECT_EQ(NavBackupImportTracks(backup.get(), dir, 0, err), 1);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(ReadAll(dir + "/Friesland.trk"), QByteArray("track data"));
    EXPECT_FALSE(QFile::exists(dir + "/Zeeland.trk"));
}
