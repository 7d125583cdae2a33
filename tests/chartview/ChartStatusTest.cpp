// The chart status strip as the title bar of its dock panel, with the demo charts and a
// fake online service.
#include "DemoProduct.h"
#include "ChartInfoFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/ChartNames.h"
#include "chartview/FraChartStatus.h"
#include "tests/base/charts/ChartFakes.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <gtest/gtest.h>

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

using chartfakes::MockMRCChartCheck;
using ::testing::_;
using ::testing::DoAll;
using ::testing::NiceMock;
using ::testing::Return;
using ::testing::SetArgReferee;

class ChartStatus : public ChartInfoFixture {
protected:
    void SetUp() override {
        ChartInfoFixture::SetUp();
        Window = std::make_unique<QMainWindow>();
        Window->setCentralWidget(new QWidget);
        Panel = new QDockWidget(Window.get());
        Window->addDockWidget(Qt::TopDockWidgetArea, Panel);
        Panel->setWidget(new QWidget);
        Strip = new TFrameChartStatus(Panel, Env->ChartManager);
        Strip->ShopBaseAddress = QStringLiteral("https://shop.example");
        Strip->OpenDocument = [this](const QString &url) { Opened << url; };
        Window->resize(900, 200);
        Window->show();
        IChartManager *m = Env->ChartManager;
        for (int32_t i = 0; i < m->GetCatalogueCount() && !Entry; ++i)
            if (m->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart()) Entry = m->GetCatalogueEntry(i);
        ASSERT_NE(Entry, nullptr);
        int32_t index = -1;
        ASSERT_TRUE(ChartManagerFindChart(m, "US4MD81M", index));
        Cell = m->GetChart(index);
    }
    void TearDown() override {
        SetCurrentLanguage(KvLang::English);
        Window.reset();
        ChartInfoFixture::TearDown();
    }
    // A service that answers state for every query.
    void Answer(NiceMock<MockMRCChartCheck> &service, int32_t state) {
        ON_CALL(service, GetNewEditionState(_, _, _)).WillByDefault(DoAll(SetArgReferee<2>(state), Return(true)));
    }
    void ClickUpgrades() { QTest::mouseClick(Strip->LabelChartUpgradesValue, Qt::LeftButton); }

    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Panel = nullptr;
    TFrameChartStatus *Strip = nullptr;
    IChartCatalogueEntry *Entry = nullptr;
    IChart *Cell = nullptr;
    QStringList Opened;
};

TEST_F(ChartStatus, ValuesForNothingARasterChartAndAnS57Cell) {
    EXPECT_EQ(Panel->titleBarWidget(), Strip);
    EXPECT_EQ(Strip->height(), 17);
    EXPECT_EQ(Strip->LabelChartEdition->text(), "  Edition  ");
    EXPECT_EQ(Strip->LabelChartEditionValue->text(), "...");
    EXPECT_EQ(Strip->LabelChartNameValue->text(), "  ...");
    EXPECT_EQ(Strip->LabelChartUpgradesValue->text(), "  ...  ");

    Strip->SetChart(nullptr, Entry, nullptr);
    IRasterChart *raster = Entry->GetCatalogueObject()->GetRasterChart();
    EXPECT_EQ(Strip->LabelChartEditionValue->text(), QString::number(raster->GetInfo()->GetEditionNumber()));
    EXPECT_EQ(Strip->LabelChartNameValue->text(), "  " + ChartDisplayNameEx(raster, false));
    // The demo chart has no update notice: the entry's date, not converted.
    ASSERT_EQ(raster->GetUpdateInfo()->GetUpdateTime(), 0.0);
    EXPECT_EQ(Strip->LabelChartUpdatedValue->text(),
              Entry->GetDate() != 0.0 ? FormatDateTime("dddddd", 1, Entry->GetDate()) : QString("..."));

    // A cell and an entry together: the cell wins and the service is not asked.
    NiceMock<MockMRCChartCheck> service;
    EXPECT_CALL(service, GetNewEditionState(_, _, _)).Times(0);
    Strip->SetChart(&service, Entry, Cell);
    EXPECT_EQ(Strip->LabelChartEditionValue->text(), ChartGetEdition(Cell));
    EXPECT_EQ(Strip->LabelChartNameValue->text(), QString("  1:%1, US4MD81M").arg(Cell->GetScale()));
    EXPECT_EQ(Strip->LabelChartUpdatedValue->text(), FormatDateTime("dddddd", 1, Cell->GetIssueDate()));
    EXPECT_EQ(Strip->LabelChartUpgradesValue->text(), "  ...  ");
}

TEST_F(ChartStatus, EditionStatesAndTheShopLinkPerLanguage) {
    NiceMock<MockMRCChartCheck> available, order;
    Answer(available, 1);
    Answer(order, 2);
    Strip->SetChart(&available, Entry, nullptr);
    EXPECT_EQ(Strip->LabelChartUpgradesValue->text(), "  Newest edition available for installation!  ");
    ClickUpgrades();
    EXPECT_TRUE(Opened.isEmpty());  // not red: no link

    // The same chart with another service: stored, but nothing is refreshed until asked.
    Strip->SetChart(&order, Entry, nullptr);
    EXPECT_EQ(Strip->LabelChartUpgradesValue->text(), "  Newest edition available for installation!  ");
    Strip->UpdateValues();
    EXPECT_EQ(Strip->LabelChartUpgradesValue->text(), "  Order newest edition!  ");
    EXPECT_EQ(Strip->LabelChartUpgradesValue->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    const uint32_t product = demo::DemoProductNumber;  // the demo raster chart's product
    const uint32_t moduleBit = 1u << Entry->GetChartSet()->GetInfo()->GetKind();
    struct Case {
        int32_t language;
        const char *lan;
    };
    for (const Case &c : {Case{KvLang::Dutch, "nl"}, Case{KvLang::German, "de"}, Case{KvLang::French, "en"}}) {
        SCOPED_TRACE(c.lan);
        SetCurrentLanguage(c.language);
        Opened.clear();
        ClickUpgrades();
        EXPECT_EQ(Opened, QStringList({QString("https://shop.example/shop/redirect/?lan=%1&pid=%2&mod=%3")
                                           .arg(c.lan).arg(product).arg(moduleBit)}));
    }
    // Without a shop address the link does nothing.
    Strip->ShopBaseAddress.clear();
    Opened.clear();
    ClickUpgrades();
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(ChartStatus, CloseBoxStatesAndClosing) {
    int closed = 0;
    Strip->OnClose = [&closed](TFrameChartStatus *) { ++closed; };
    QWidget *box = Strip->PaintBoxChartStatusClose;
    ASSERT_TRUE(Panel->isVisible());
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(Strip->CloseState(), 7);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    EXPECT_EQ(Strip->CloseState(), 3);
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 8));  // outside the box
    EXPECT_EQ(Strip->CloseState(), 1);
    EXPECT_TRUE(Panel->isVisible());
    EXPECT_EQ(closed, 0);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(Panel->isVisible());
    EXPECT_EQ(closed, 1);
}

TEST_F(ChartStatus, LockedGripIsHiddenAndInert) {
    Strip->SetLocked(true);
    EXPECT_FALSE(Strip->PaintBoxChartStatusGrip->isVisible());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 8), QPointF(4, 8), Qt::LeftButton, Qt::LeftButton, {});
    EXPECT_TRUE(Strip->eventFilter(Strip->PaintBoxChartStatusGrip, &press));  // eaten: the dock does not move
    Strip->SetLocked(false);
    EXPECT_TRUE(Strip->PaintBoxChartStatusGrip->isVisible());
    EXPECT_FALSE(Strip->eventFilter(Strip->PaintBoxChartStatusGrip, &press));  // passed on to the dock
}

TEST_F(ChartStatus, PicturesByDayAndNight) {
    NiceMock<MockMRCChartCheck> order;
    Answer(order, 2);
    for (bool night : {false, true}) {
        NightScreen()->SetActive(night);
        // A strip made in the mode, as after a restart at night.
        QMainWindow window;
        window.setCentralWidget(new QWidget);
        auto *panel = new QDockWidget(&window);
        window.addDockWidget(Qt::TopDockWidgetArea, panel);
        panel->setWidget(new QWidget);
        auto *strip = new TFrameChartStatus(panel, Env->ChartManager);
        strip->SetChart(&order, Entry, nullptr);
        window.resize(900, 120);
        window.show();
        shelltest::SaveScreenshot(panel->grab().toImage(), night ? "chartstatus-night" : "chartstatus-day");
        EXPECT_EQ(strip->height(), 17);
    }
    NightScreen()->SetActive(false);
}
