// The information and progress pages of the download wizard: device rows per device class,
// the kinds offered, error texts and the progress over a stage sequence.
#include "exchange/FraTransferGPSInfo.h"
#include "exchange/FraTransferProgress.h"

#include "DownloadScreens.h"
#include "FakeGPSDevice.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/units/KvNavMsgDevices.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

using namespace exchangetest;

namespace {

struct TRowsShown {
    bool Id, Version, Storage;
};

TRowsShown Rows(const TFrameTransferGPSInfo &page) {
    return {!page.LabelIDPrefix->isHidden(), !page.LabelSWVersionPrefix->isHidden(),
            !page.LabelStoragePrefix->isHidden()};
}

}  // namespace

TEST(TransferGPSInfoPage, DeviceRowsPerDeviceClass) {
    TMagellanDeviceInfo storage{"/media/int", "Triton", 4711, (2 << 24) | (5 << 16), 1, 0,
                                2000000000, 500000000};
    struct Case {
        const char *name;
        bool withInfo;
        int32_t brand, model, protocol;
        QString model_text;
        TRowsShown rows;
    };
    const Case cases[] = {
        {"storage device", true, 4, 2, 2, NavMsgDeviceBrandToStr(4) + " Triton", {true, true, true}},
        {"Garmin protocol", false, 3, 0, 1, "eTrex Legend", {true, true, false}},
        {"generic NMEA", false, 1, 0, 2, NavMsgDeviceBrandToStr(1), {false, false, false}},
        {"Furuno model 1", false, 2, 1, 2,
         NavMsgDeviceBrandToStr(2) + " " + NavMsgDeviceModelToStr(2, 1), {false, false, false}},
        {"Magellan receiver", false, 4, 1, 2, NavMsgDeviceBrandToStr(4) + " eTrex Legend",
         {true, true, false}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeGPSDevice device;
        device.Brand = c.brand, device.Model = c.model, device.Protocol = c.protocol;
        device.UnitID = 3000000000u;
        device.SoftwareVersion = (3 << 24) | (10 << 16);
        device.SetProduct("eTrex Legend");
        TFrameTransferGPSInfo page(2);
        EXPECT_EQ(page.LabelGPSInfo->text(), "Initializing communication...");
        page.ShowDeviceInfo(c.withInfo ? &storage : nullptr, c.withInfo ? nullptr : &device, 0);
        EXPECT_EQ(page.LabelGPSInfo->text(), "GPS device information");
        EXPECT_EQ(page.LabelModel->text(), c.model_text);
        const TRowsShown rows = Rows(page);
        EXPECT_EQ(rows.Id, c.rows.Id);
        EXPECT_EQ(rows.Version, c.rows.Version);
        EXPECT_EQ(rows.Storage, c.rows.Storage);
        if (c.withInfo) {
            EXPECT_EQ(page.LabelID->text(), "4711");
            EXPECT_EQ(page.LabelSWVersion->text(), "v2.5");
            EXPECT_TRUE(page.LabelStorage->text().contains("internal flash memory in drive /media/int"));
        } else if (rows.Id) {
            EXPECT_EQ(page.LabelID->text(), "3000000000");
            EXPECT_EQ(page.LabelSWVersion->text(), "v3.10");
        }
        // Values line up 10 pixels right of the widest shown prefix.
        int widest = 0;
        for (QLabel *p : {page.LabelModelPrefix, page.LabelIDPrefix, page.LabelSWVersionPrefix,
                          page.LabelStoragePrefix})
            if (!p->isHidden()) widest = std::max(widest, p->width());
        EXPECT_EQ(page.LabelModel->x(), page.LabelModelPrefix->x() + widest + 10);
    }
}

TEST(TransferGPSInfoPage, KindsFollowCapabilitiesAndOneMustBeTicked) {
    QStringList shown;
    SetMsgBoxPrompter([&shown](TMessageForm &form) {
        shown << form.MessageLabel()->text();
        return mrOk;
    });
    TFakeGPSDevice device;
    TFrameTransferGPSInfo page(2);
    page.ShowDeviceInfo(nullptr, &device, NavMsgTransfer::CanDownloadRoutes | NavMsgTransfer::CanDownloadTracks);
    EXPECT_FALSE(page.PanelSelectRte->isHidden());
    EXPECT_FALSE(page.PanelSelectTrk->isHidden());
    EXPECT_TRUE(page.PanelSelectWpt->isHidden());
    EXPECT_TRUE(page.PanelSelectPrx->isHidden());
    EXPECT_TRUE(page.CheckBoxRte->isChecked());
    EXPECT_TRUE(page.CheckBoxTrk->isChecked());
    EXPECT_EQ(page.RequestFlags(), NavMsgTransfer::RequestRoutes | NavMsgTransfer::RequestTracks);
    EXPECT_TRUE(page.Validate());
    page.CheckBoxRte->setChecked(false);
    page.CheckBoxTrk->setChecked(false);
    EXPECT_FALSE(page.Validate());
    EXPECT_EQ(shown, QStringList{"Please select at least one type of data"});
    SetMsgBoxPrompter({});

    // Shown again, the page starts over.
    QWidget host;
    page.setParent(&host);
    EXPECT_EQ(page.LabelGPSInfo->text(), "Initializing communication...");
    EXPECT_TRUE(page.PanelSelectRte->isHidden());
    EXPECT_FALSE(page.CheckBoxRte->isChecked());
    page.setParent(nullptr);
}

TEST(TransferGPSInfoPage, ErrorTexts) {
    TFakePort port(0, "ttyUSB3", true);
    struct Case {
        const char *name;
        int32_t code;
        bool port, openFailed;
        QString text;
    };
    const Case cases[] = {
        {"not found", KvErr::PortNotFound, true, true, "Port ttyUSB3 cannot be opened because it was not found."},
        {"busy", KvErr::PortBusy, true, true, "Port ttyUSB3 is already opened by another application."},
        {"open failed", KvErr::PortSettings, true, true, "Port ttyUSB3 could not be opened."},
        {"lost", KvErr::PortRemoved, true, false, "The connection to port ttyUSB3 was lost."},
        {"silent", KvErr::GPSSilent, false, false, "The GPS does not respond."},
        {"other", KvErr::GPSNotConnected, false, false, ErrorToStrA(KvErr::GPSNotConnected)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFrameTransferGPSInfo page(2);
        if (c.port)
            page.ShowPortError(&port, c.code, c.openFailed);
        else
            page.ShowCommError(c.code);
        EXPECT_EQ(page.LabelGPSInfo->text(), "A communication error occurred.");
        EXPECT_EQ(page.LabelModelPrefix->text(), c.text);
        EXPECT_FALSE(page.ImageError->isHidden());
        EXPECT_TRUE(page.ImageInformation->isHidden());
        EXPECT_TRUE(page.LabelModel->isHidden());
        EXPECT_TRUE(page.PanelDataTypeSelect->isHidden());
    }
}

TEST(TransferProgressPage, StagesCountsAndBar) {
    TFakePort serial(0, "ttyS0", true);
    TFakeGPSDevice device;
    device.Port = &serial;
    TFrameTransferProgress page(2);
    TNavMsgTransferStatus s;
    s.TransferMax = -1, s.WaypointCount = 0, s.RouteCount = 0, s.RoutePointCount = 0;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(),
              "Please start the data transfer on your " + NavMsgDeviceBrandToStr(1) + " GPS...");
    EXPECT_TRUE(page.PanelTransferProgressBar->isHidden());
    EXPECT_FALSE(page.PanelWaypoints->isHidden());
    EXPECT_FALSE(page.PanelRoutes->isHidden());
    EXPECT_TRUE(page.PanelTracks->isHidden());

    s.Stage = NavMsgTransfer::StageWaypoints, s.WaypointCount = 4;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "Downloading waypoints...");
    EXPECT_EQ(page.LabelWaypointCount->text(), "4");
    page.LabelTransferProgress->setText("kept");
    s.WaypointCount = 7, s.TransferMax = 20, s.TransferPos = 5;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "kept");  // same stage: caption unchanged
    EXPECT_EQ(page.LabelWaypointCount->text(), "7");
    EXPECT_EQ(page.ProgressBarTransfer->maximum(), 20);
    EXPECT_EQ(page.ProgressBarTransfer->value(), 5);
    EXPECT_TRUE(page.LabelRouteCount->text().isEmpty());

    s.Stage = NavMsgTransfer::StageRoutes, s.RouteCount = 2, s.RoutePointCount = 9;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "Downloading routes...");
    EXPECT_EQ(page.LabelRouteCount->text(), "2");
    EXPECT_EQ(page.LabelRoutePointCount->text(), "9");
    s.Stage = NavMsgTransfer::StageFinished;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "Downloading routes...");
    SaveDayAndNight(&page, QStringLiteral("download-progress"));

    // A Garmin waits for its data rather than asking the user to send.
    device.Brand = 3;
    TFrameTransferProgress garmin(2);
    garmin.UpdateProgress(TNavMsgTransferStatus{}, &device);
    EXPECT_EQ(garmin.LabelTransferProgress->text(), "Waiting for data to be received from your Garmin GPS...");
}

TEST(TransferProgressPage, VendorUSBPortShowsOnlyThatADownloadRuns) {
    TFakePort usb(NavMsgPortKind::VendorUSB, "usb", true);
    TFakeGPSDevice device;
    device.Port = &usb;
    device.Brand = 3;
    TFrameTransferProgress page(2);
    TNavMsgTransferStatus s;
    s.WaypointCount = 0, s.TransferMax = 10;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "Download in progress. Please wait...");
    s.Stage = NavMsgTransfer::StageWaypoints, s.WaypointCount = 3;
    page.UpdateProgress(s, &device);
    EXPECT_EQ(page.LabelTransferProgress->text(), "Download in progress. Please wait...");
    EXPECT_TRUE(page.PanelWaypoints->isHidden());
    EXPECT_TRUE(page.PanelTransferProgressBar->isHidden());
}

TEST(TransferGPSInfoPage, ScreenshotsByDayAndNight) {
    const shelltest::TShellScope program;  // the pictures the program ships
    TFakeGPSDevice device;
    device.Brand = 3, device.Protocol = 1, device.UnitID = 3391234567u;
    device.SoftwareVersion = (3 << 24) | (60 << 16);
    device.SetProduct("GPSMAP 60CSx");
    TFrameTransferGPSInfo page(2);
    page.ShowDeviceInfo(nullptr, &device, NavMsgTransfer::CanDownloadAny);
    SaveDayAndNight(&page, QStringLiteral("download-information"));
    for (QLabel *image : {page.ImageWpt, page.ImagePrx, page.ImageRte, page.ImageTrk}) {
        EXPECT_FALSE(image->pixmap().isNull()) << "each kind has its picture";
        EXPECT_TRUE(image->isVisibleTo(&page));
    }
    TFakePort port(0, "ttyUSB0", true);
    page.ShowPortError(&port, KvErr::PortRemoved, false);
    SaveDayAndNight(&page, QStringLiteral("download-information-error"));
    EXPECT_FALSE(page.ImageError->isHidden());
}
