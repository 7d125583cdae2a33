// The device page of the download wizard: the choices per brand, model and protocol, the
// storage-card device list, and where the option panels go.
#include "exchange/FraTransferSelectDevice.h"

#include "DownloadScreens.h"
#include "FakeGPSDevice.h"
#include "base/units/KvNavMsgDevices.h"

#include <gtest/gtest.h>

#include <KvLibNav6/KvErrorCodes.h>

#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QRadioButton>

using namespace exchangetest;

namespace {

class TransferSelectDevicePage : public ::testing::Test {
protected:
    void SetUp() override {
        FOldFactory = SetMglDeviceListFactory([this] { return new TFakeMglDeviceList(Devices); });
    }
    void TearDown() override {
        Page.reset();
        SetMglDeviceListFactory(FOldFactory);
    }
    TFrameTransferSelectDevice &Open(int32_t brand, int32_t model, int32_t protocol = 2) {
        Device.Brand = brand, Device.Model = model, Device.Protocol = protocol;
        Page = std::make_unique<TFrameTransferSelectDevice>(2, &Device);
        return *Page;
    }

    TFakeGPSDevice Device;
    std::vector<TFakeMglDevice> Devices;
    std::unique_ptr<TFrameTransferSelectDevice> Page;

private:
    TMglDeviceListFactory FOldFactory;
};

}  // namespace

TEST_F(TransferSelectDevicePage, ChoicesFollowBrandModelAndProtocol) {
    Devices = {{"/media/a", "eXplorist", 1}};
    const QString furuno = NavMsgDeviceBrandToStr(2), magellan = NavMsgDeviceBrandToStr(4);
    struct Case {
        const char *name;
        int32_t brand, model, protocol;
        uint8_t choices;
        bool single, note;
        QString caption;
        int32_t choice;
    };
    const Case cases[] = {
        {"Garmin protocol", 3, 0, 1, TransferChoice::GPS, true, false, "Garmin GPS", 0},
        {"Garmin in NMEA", 3, 0, 2, TransferChoice::GPS, false, true, "Garmin GPS", 0},
        {"generic NMEA", 1, 0, 2, TransferChoice::GPS, true, false, NavMsgDeviceBrandToStr(1) + " GPS", 0},
        {"Furuno without model", 2, 0, 2, TransferChoice::SelectModel, false, false, QString(), 1},
        {"Furuno model 1", 2, 1, 2, TransferChoice::GPS, true, false,
         furuno + " " + NavMsgDeviceModelToStr(2, 1) + " GPS", 0},
        {"Magellan without model", 4, 0, 2, TransferChoice::GPS | TransferChoice::Magellan, false,
         false, magellan + " " + NavMsgDeviceModelToStr(4, 1) + " GPS", 0},
        {"Magellan model 2", 4, 2, 2, TransferChoice::Magellan, true, false, QString(), 2},
        {"Valsat model 3", 6, 3, 2, TransferChoice::GPS, true, false,
         NavMsgDeviceBrandToStr(6) + " GPS", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFrameTransferSelectDevice &page = Open(c.brand, c.model, c.protocol);
        EXPECT_EQ(page.Choices(), c.choices);
        EXPECT_EQ(page.IsSingleChoice(), c.single);
        EXPECT_EQ(!page.PanelGarmin->isHidden(), c.note);
        EXPECT_EQ(page.NeedsGarminProtocol(), c.note);
        EXPECT_EQ(page.PanelGPS->height(), c.note ? 80 : 20);
        if (!c.caption.isNull()) {
            EXPECT_EQ(page.RadioButtonGPS->text(), c.caption);
        }
        EXPECT_EQ(page.GetChoice(), c.choice);
        EXPECT_EQ(page.PanelTimex->isHidden(), true);
    }
}

TEST_F(TransferSelectDevicePage, ModelChoiceListsModelsFromOne) {
    TFrameTransferSelectDevice &page = Open(2, 0);
    const int32_t count = NavMsgGetDeviceModelCount(2);
    ASSERT_EQ(page.ComboBoxModels->count(), count - 1);
    EXPECT_EQ(page.ComboBoxModels->currentIndex(), 0);
    EXPECT_EQ(page.ComboBoxModels->itemText(0), NavMsgDeviceModelToStr(2, 1));
    EXPECT_EQ(page.GetSelectedModel(), 1);
    EXPECT_TRUE(page.ComboBoxModels->isEnabled());
    EXPECT_TRUE(page.LabelSelectModel->text().contains(NavMsgDeviceBrandToStr(2)));
}

TEST_F(TransferSelectDevicePage, UnknownBrandOffersNothingAndSaysSo) {
    TFrameTransferSelectDevice &page = Open(9, 0);
    EXPECT_FALSE(page.HasChoices());
    EXPECT_FALSE(page.IsSingleChoice());
    EXPECT_EQ(page.LabelInformation->text(), "No transfer device is available for this GPS.");
    for (QWidget *p : {page.PanelGPS, page.PanelSelectModel, page.PanelMagellan, page.PanelTimex})
        EXPECT_TRUE(p->isHidden());
    page.ArrangePanels();  // nothing to place, and no division by zero
}

TEST_F(TransferSelectDevicePage, StorageDevicesListedFromTheLastWithInternalFlashPreselected) {
    Devices = {{"/media/sd", "Triton", 2, 7}, {"/media/int", "Triton", 1, 8}};
    TFrameTransferSelectDevice &page = Open(4, 2);
    ASSERT_EQ(page.ComboBoxMagellanDevices->count(), 2);
    EXPECT_EQ(page.ComboBoxMagellanDevices->itemText(0),
              "Magellan Triton (internal flash memory in drive /media/int)");
    EXPECT_EQ(page.ComboBoxMagellanDevices->itemText(1), "Magellan Triton (SD card in drive /media/sd)");
    EXPECT_EQ(page.ComboBoxMagellanDevices->currentIndex(), 0);
    ASSERT_NE(page.GetSelectedMagellanDevice(), nullptr);
    EXPECT_EQ(page.GetSelectedMagellanDevice()->ID, 8u);
    EXPECT_FALSE(page.IsSingleChoice());
    EXPECT_TRUE(page.ComboBoxMagellanDevices->isEnabled());

    Devices = {{"/media/x", "Meridian", 0, 3}};
    page.ButtonMagellanUpdate->click();
    ASSERT_EQ(page.ComboBoxMagellanDevices->count(), 1);
    EXPECT_EQ(page.ComboBoxMagellanDevices->itemText(0), "Magellan Meridian (drive /media/x)");

    Devices.clear();
    page.ButtonMagellanUpdate->click();
    ASSERT_EQ(page.ComboBoxMagellanDevices->count(), 1);
    EXPECT_EQ(page.ComboBoxMagellanDevices->itemText(0), "<No Magellan device found>");
    EXPECT_FALSE(page.ComboBoxMagellanDevices->isEnabled());
    EXPECT_EQ(page.GetSelectedMagellanDevice(), nullptr);
}

TEST_F(TransferSelectDevicePage, LibraryListIsEmptyOnThisPlatform) {
    SetMglDeviceListFactory({});
    TFrameTransferSelectDevice &page = Open(4, 2);
    EXPECT_EQ(page.ComboBoxMagellanDevices->itemText(0), "<No Magellan device found>");
    EXPECT_EQ(page.GetSelectedMagellanDevice(), nullptr);
    EXPECT_EQ(MagellanReadData("/media/x", nullptr, NavMsgTransfer::RequestWaypoints),
              KvErr::NotImplemented);
}

TEST_F(TransferSelectDevicePage, PanelsShareTheSpaceBelowTheInformation) {
    struct Case {
        const char *name;
        int32_t brand, model;
        bool timex;
        std::vector<QWidget *TFrameTransferSelectDevice::*> panels;
    };
    const Case cases[] = {
        {"one", 1, 0, false, {&TFrameTransferSelectDevice::PanelGPS}},
        {"two", 4, 0, false, {&TFrameTransferSelectDevice::PanelGPS, &TFrameTransferSelectDevice::PanelMagellan}},
        {"three", 4, 0, true,
         {&TFrameTransferSelectDevice::PanelGPS, &TFrameTransferSelectDevice::PanelMagellan,
          &TFrameTransferSelectDevice::PanelTimex}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFrameTransferSelectDevice &page = Open(c.brand, c.model);
        page.UpdateChoices(c.timex);
        page.TabSheetDevice->resize(460, 291);
        page.ArrangePanels();
        const int info = page.PanelInformation->height();
        const int slot = (291 - info) / int(c.panels.size());
        for (size_t k = 0; k < c.panels.size(); ++k) {
            QWidget *p = page.*(c.panels[k]);
            EXPECT_EQ(p->y(), info + int(k) * slot + (slot - p->height()) / 2);
        }
    }
}

TEST_F(TransferSelectDevicePage, ScreenshotsByDayAndNight) {
    Devices = {{"/media/int", "Triton", 1, 8}};
    TFrameTransferSelectDevice &page = Open(4, 0);
    page.UpdateChoices(true);
    SaveDayAndNight(&page, QStringLiteral("download-device"));
    Open(3, 0, 2);
    SaveDayAndNight(Page.get(), QStringLiteral("download-device-garmin-note"));
    EXPECT_FALSE(Page->ImageGarminNote->pixmap().isNull());
}
