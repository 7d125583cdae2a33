// The download wizard's data-recorder step over the fake driver: the recorder offered on the
// device page, its recordings listed, the chosen ones turned into track files of their own,
// and a recorder that is not connected.
#include "DownloadScreens.h"
#include "GPSDownloadFixture.h"
#include "TimexFixture.h"

#include "exchange/FraDownloadTimex.h"
#include "exchange/FraTransferSelectDevice.h"

#include "base/kvlib/KvStrings.h"

#include <QDir>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

using namespace exchangetest;
using namespace timextest;

namespace {

using W = TFormGPSDownload;

class GPSDownloadRecorder : public GPSDownloadFixture {
protected:
    void SetUp() override {
        GPSDownloadFixture::SetUp();
        if (HasFatalFailure()) return;
        Fake = std::make_unique<TFakeLogger>();
        ASSERT_TRUE(Fake->Bound);
        ASSERT_TRUE(W::TimexAvailable());
        Script(NavMsgTransfer::NMEACapabilities, [](IWptDatabase *, INavTrackList *) {});
    }
    void TearDown() override {
        Fake.reset();
        GPSDownloadFixture::TearDown();
    }

    // A recording sailed north at about 1 m/s from (lat, 5°), starting at start.
    static TBytes Recording(double latDeg, const char *start) {
        const double lat0 = latDeg * M_PI / 180, lon0 = 5.0 * M_PI / 180;
        const double dLat = 22 * 0.044704 * 14.28 / 6371000.0;
        TBytes records = Motion(22, 0) + Fix(lat0, lon0);
        for (int32_t k = 1; k <= 4; ++k)
            records += Motion(22, 0) + Motion(22, 0) + Motion(22, 0) + Fix(lat0 + k * dLat, lon0);
        return Session(records, start, "20080615140000");
    }

    QStringList TrackFiles() const {
        return QDir(Env->TracksFolder).entryList({QStringLiteral("*.trk")}, QDir::Files, QDir::Name);
    }

    std::unique_ptr<TFakeLogger> Fake;
};

struct TTrackInfo {
    QString Name;
    bool HasTimes = false;
    int32_t Points = 0;
    int32_t Err = -1;
};

TTrackInfo Info(const QString &file) {
    TTrackInfo info;
    TNavPtr<IStrW> name(StrWCreateEmpty());
    TDateTime start = 0, end = 0;
    double distance = 0;
    uint32_t colour = 0;
    float width = 0;
    int32_t extra = 0;
    const std::u16string path = file.toStdU16String();
    NavTrackGetInfoFromFile(TStrWRec{int32_t(path.size()), path.c_str()}, name.get(), info.HasTimes, start, end,
                            info.Points, distance, colour, width, extra, info.Err);
    info.Name = StrWToWide(name.get());
    return info;
}

}  // namespace

TEST_F(GPSDownloadRecorder, ChosenRecordingsBecomeTrackFilesOfTheirOwn) {
    // The first and the third recording started at the same second.
    Fake->Serve(Recording(52.0, "20080615134507") + Recording(52.1, "20080616090000") +
                Recording(52.2, "20080615134507"));
    auto form = Open();
    ASSERT_EQ(form->CurrentPage(), W::PageDevice);
    TFrameTransferSelectDevice *device = form->FrameSelectDevice;
    EXPECT_TRUE(device->PanelTimex->isVisibleTo(device));
    EXPECT_TRUE(device->RadioButtonGPS->isChecked());
    EXPECT_FALSE(form->ButtonPrev->isEnabled());
    shelltest::SaveScreenshot(form.get(), "gps-download-device-recorder");

    device->RadioButtonTimex->click();
    form->ButtonNext->click();
    ASSERT_EQ(form->CurrentPage(), W::PageTimex);
    EXPECT_EQ(Device.Connects, 0) << "the receiver is not asked";
    EXPECT_FALSE(form->ButtonPrev->isEnabled());
    EXPECT_EQ(form->ButtonNext->text(), "Finish");
    QTreeView *list = form->FrameTimex->ListView;
    ASSERT_EQ(list->model()->rowCount(), 3);
    list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    shelltest::SaveScreenshot(form.get(), "gps-download-recorder-sessions");

    const QStringList before = TrackFiles();
    form->ButtonNext->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(Messages, QStringList{"Download completed.\n\n\r 2 track(s) Downloaded."});
    QStringList added = TrackFiles();
    for (const QString &f : before) added.removeOne(f);
    ASSERT_EQ(added.size(), 2) << added.join(", ").toStdString();
    for (const QString &file : added) {
        SCOPED_TRACE(file.toStdString());
        const TTrackInfo info = Info(QDir(Env->TracksFolder).filePath(file));
        EXPECT_EQ(info.Err, 0);
        EXPECT_TRUE(info.HasTimes);
        EXPECT_GT(info.Points, 50) << "one point a second over about a minute";
        EXPECT_TRUE(file.startsWith(info.Name)) << "named after the track, its start time";
        EXPECT_TRUE(info.Name.startsWith("2008-06-15, ")) << info.Name.toStdString();
    }
    EXPECT_EQ(Fake->Counts().Releases, 1);
}

TEST_F(GPSDownloadRecorder, RecorderNotConnectedKeepsTheDevicePage) {
    Fake->Serve(Recording(52.0, "20080615134507"), false);
    auto form = Open();
    ASSERT_EQ(form->CurrentPage(), W::PageDevice);
    form->FrameSelectDevice->RadioButtonTimex->click();
    form->ButtonNext->click();
    EXPECT_EQ(Messages, QStringList{"The TIMEX datarecorder is not connected!"});
    EXPECT_EQ(form->CurrentPage(), W::PageDevice);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Fake->Counts().Reads, 0);
}
