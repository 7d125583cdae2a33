// Files the core library writes on its own: a write that fails is reported and loses nothing
// that was already on disk. Where the file should be, the tests put a folder, which no write
// gets past (not even root's).
#include "ChartTestRig.h"

#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvTracks.h"

#include <QDir>
#include <QFile>
#include <atomic>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>
#include <zlib.h>

using chartrig::TManagerRig;
using testsupport::Owned;
using testsupport::Q;
using testsupport::Rec;

namespace {

// zlib fails to pack only short of memory, which a test cannot bring about. The core library
// calls zlib through the dynamic linker, so this definition in the test program stands in
// for zlib's own and fails while asked to.
std::atomic<bool> GPackingFails{false};

QByteArray ReadBytes(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

extern "C" int compress2(Bytef *dest, uLongf *destLen, const Bytef *source, uLong sourceLen, int level) {
    if (GPackingFails) return Z_MEM_ERROR;
    using TCompress2 = int (*)(Bytef *, uLongf *, const Bytef *, uLong, int);
    static const auto zlib = reinterpret_cast<TCompress2>(dlsym(RTLD_NEXT, "compress2"));
    return zlib(dest, destLen, source, sourceLen, level);
}

TEST(WriteFailures, ChartManagerListsEachOfItsFilesItCannotSaveUntilItIsSaved) {
    struct Case {
        const char *name;
        QString (*file)(const TManagerRig &);
        std::function<void(TManagerRig &)> write;
        const char *problem;
    };
    const Case cases[] = {
        {"chart selection", [](const TManagerRig &r) { return r.SelectionFile(); },
         [](TManagerRig &r) { r.Manager->CommitSelection(); }, "The chart selection could not be saved: "},
        {"catalogue cache", [](const TManagerRig &r) { return r.CacheFile(); },
         [](TManagerRig &r) { r.Reload(); }, "The chart catalogue cache could not be saved: "},
        {"S-57 folders", [](const TManagerRig &r) { return r.Root + "/cache/S57ChartBaseData.ini"; },
         [](TManagerRig &r) { r.Manager->AddS57Folder(Rec(r.Root + "/s57"), true, nullptr, nullptr); },
         "The list of S-57 folders could not be saved: "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TManagerRig charts("write-failure");
        const QString file = c.file(charts);
        ASSERT_TRUE(QDir().mkpath(file));
        charts.Create();
        c.write(charts);
        const QStringList listed = charts.Problems();
        ASSERT_EQ(listed.size(), 1) << listed.join("\n").toStdString();
        EXPECT_TRUE(listed[0].startsWith(QFileInfo(file).fileName() + ": " + c.problem)) << listed[0].toStdString();
        ASSERT_TRUE(QDir(file).removeRecursively());
        c.write(charts);
        EXPECT_TRUE(QFileInfo(file).isFile());
        EXPECT_TRUE(charts.Problems().isEmpty()) << charts.Problems().join("\n").toStdString();
    }
}

TEST(WriteFailures, S52SettingsCommitTellsWhenItsFileCannotBeWritten) {
    const QString folder = testsupport::MakeTempDir("s52-write") + "/S52Cache";
    const QString file = folder + "/S52Settings.ini";
    ASSERT_TRUE(QDir().mkpath(file));
    Owned<IS52PresentationLib> lib(S52PresentationLibCreate(Rec(folder)));
    Owned<IStrW> message(StrWCreate(u"", 0));
    lib->SetDepthSafe(6.5f);
    lib->Commit();
    EXPECT_EQ(lib->GetSaveError(message.get()), KvErr::WriteFailed);
    EXPECT_TRUE(Q(message->GetRec()).contains("S52Settings.ini")) << Q(message->GetRec()).toStdString();

    ASSERT_TRUE(QDir(file).removeRecursively());
    lib->Commit();
    EXPECT_EQ(lib->GetSaveError(message.get()), KvErr::Ok);
    EXPECT_TRUE(Q(message->GetRec()).isEmpty());
    Owned<IS52PresentationLib> again(S52PresentationLibCreate(Rec(folder)));
    EXPECT_FLOAT_EQ(again->GetDepthSafe(), 6.5f);
}

TEST(WriteFailures, PackedTrackThatCannotBePackedIsNotSavedAndItsFileStays) {
    const QString file = testsupport::MakeTempDir("trk-pack") + "/packed.trk";
    Owned<INavTrack> track(NavTrackCreate2(Rec(file), true));  // writes the empty track
    const QByteArray written = ReadBytes(file);
    int32_t err = -1;
    for (int i = 0; i < 5; ++i) {
        track->AddPoint(45000.0 + i / 86400.0, TGeoPoint3{0.9 + i * 1e-5, 0.08, 0.0}, err);
        ASSERT_EQ(err, KvErr::Ok);
    }
    GPackingFails = true;
    track->SaveToFile(TStrWRec{}, err);
    GPackingFails = false;
    EXPECT_EQ(err, KvErr::WriteFailed);
    EXPECT_EQ(ReadBytes(file), written) << "the file written before is intact";
    // A reader meanwhile has the points from the recording's journal.
    Owned<INavTrack> before(NavTrackCreate3(Rec(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(before->GetPointCount(), 5);

    track->SaveToFile(TStrWRec{}, err);
    EXPECT_EQ(err, KvErr::Ok);
    Owned<INavTrack> after(NavTrackCreate3(Rec(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    EXPECT_EQ(after->GetPointCount(), 5);
}
