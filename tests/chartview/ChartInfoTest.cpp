// The chart information window on the demo BSB chart, the NOAA cell and the demo cell.
#include "ChartInfoFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/web/KvWBContainer.h"
#include "chartview/FraChartInfo.h"
#include "chartview/FraHTMLViewer.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvAppReg.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDockWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

namespace {

// "caption=value" per row, groups as "[caption]".
QStringList Rows(const TChartInfoModel &m) {
    QStringList out;
    for (int g = 0; g < m.rowCount(); ++g) {
        const QModelIndex group = m.index(g, 0);
        out << "[" + group.data().toString() + "]";
        for (int r = 0; r < m.rowCount(group); ++r)
            out << m.index(r, 0, group).data().toString() + "=" + m.index(r, 1, group).data().toString();
    }
    return out;
}

QModelIndex FindRow(const TChartInfoModel &m, const QString &caption) {
    for (int g = 0; g < m.rowCount(); ++g)
        for (int r = 0; r < m.rowCount(m.index(g, 0)); ++r)
            if (m.index(r, 0, m.index(g, 0)).data().toString() == caption) return m.index(r, 1, m.index(g, 0));
    return {};
}

}  // namespace

class ChartInfo : public ChartInfoFixture {
protected:
    void SetUp() override {
        ChartInfoFixture::SetUp();
        Window = std::make_unique<QMainWindow>();
        Panel = new QDockWidget(Window.get());
        Window->addDockWidget(Qt::RightDockWidgetArea, Panel);
        Panel->hide();
        Viewer = new TFrameHTMLViewer(Panel, FData + "/work");
        Viewer->View->OpenDocument = [this](const QString &d) {
            Opened << d;
            return 0;
        };
    }
    void TearDown() override {
        Info.reset();
        Window.reset();
        ChartInfoFixture::TearDown();
    }
    TFrameChartInfo &Make() {
        Info = std::make_unique<TFrameChartInfo>(nullptr, *Env);
        Info->SetHTMLViewer(Viewer);
        Info->resize(420, 620);
        Info->show();
        return *Info;
    }
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Panel = nullptr;
    TFrameHTMLViewer *Viewer = nullptr;
    std::unique_ptr<TFrameChartInfo> Info;
    QStringList Opened;
};

TEST(ChartInfoTexts, VariationPurposeAndOffsetTexts) {
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(VariationText(-2.34), QString::fromUtf8("2.3° W"));
    EXPECT_EQ(VariationText(0.0), QString::fromUtf8("0.0° E"));
    struct Case {
        bool benc;
        int code;
        const char *text;
    };
    const Case cases[] = {{true, 153, "Range 2 - 5"}, {true, 128, "Range 0 - 0"}, {false, 1, "Overview (1)"},
                          {false, 9, "River berthing (9)"}, {false, 0, "Unknown (0)"}, {false, 12, "Unknown (12)"}};
    for (const Case &c : cases) EXPECT_EQ(NavigationalPurposeText(c.benc, c.code), c.text) << c.code;
    EXPECT_EQ(UtcOffsetText(60).toStdString(), " (UTC +60)");
    EXPECT_EQ(UtcOffsetText(-300).toStdString(), " (UTC -300)");
}

TEST_F(ChartInfo, DemoChartListsEveryGroupInOrder) {
    TFrameChartInfo &frame = Make();
    EXPECT_EQ(frame.ListView->EmptyCaption, "No chart selected");
    frame.SelectChart(DemoChart());
    QAbstractItemModelTester tester(frame.Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    const QStringList rows = Rows(*frame.Model());
    const QStringList groups = rows.filter(QRegularExpression("^\\["));
    // The demo chart's header names no publisher and it has no update notice: no source
    // material and no update group.
    EXPECT_EQ(groups.join(" ").toStdString(),
              "[General] [Magnetic variation] [Digital copy] [License information] [Additional information]")
        << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.contains(QString::fromUtf8("Variation=2.3° W"))) << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.contains(QString::fromUtf8("Annual drift=0.1° E")));
    EXPECT_TRUE(rows.contains("MRC2 version=2.0.0.0"));
    EXPECT_TRUE(rows.contains("Height units=Meters"));
    EXPECT_TRUE(rows.contains("Made by=Velmerland Chart Works"));
    EXPECT_TRUE(rows.contains("License=Licensed for one installation."));
    EXPECT_TRUE(rows.contains("Disclaimer=Click here to view"));
    EXPECT_TRUE(rows.contains("Harbour notes=Click here to view"));
    EXPECT_TRUE(frame.ListView->EmptyCaption.isEmpty());
}

TEST_F(ChartInfo, InformationLinkOpensTheDemoPageAndAWebLinkLeavesIt) {
    TFrameChartInfo &frame = Make();
    frame.SelectChart(DemoChart());
    const QModelIndex link = FindRow(*frame.Model(), "Harbour notes");
    ASSERT_TRUE(link.isValid());
    // Hover, then click, as the user does.
    const QPoint at = frame.ListView->visualRect(link).center();
    QTest::mouseMove(frame.ListView->viewport(), at);
    ASSERT_EQ(frame.ListView->HotNode, QPersistentModelIndex(link));
    QTest::mouseClick(frame.ListView->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(Panel->isVisible());
    EXPECT_TRUE(Viewer->View->toPlainText().contains("Velmerland coast and Dunmeer"));
    EXPECT_TRUE(Panel->windowTitle().startsWith("Additional information (VELM0001"));
    Viewer->View->anchorClicked(QUrl("https://example.org/velmerland"));
    EXPECT_EQ(Opened, QStringList({"https://example.org/velmerland"}));
    EXPECT_TRUE(Viewer->View->toPlainText().contains("Velmerland coast and Dunmeer"));
    // The disclaimer is a text, shown as text.
    frame.OpenLink(FindRow(*frame.Model(), "Disclaimer"));
    EXPECT_TRUE(Viewer->View->toPlainText().contains("not to be used for navigation"));
}

TEST_F(ChartInfo, MissingInformationFileShowsAnErrorNotItsName) {
    TFrameChartInfo &frame = Make();
    frame.SelectChart(DemoChart());
    ASSERT_TRUE(QFile::remove(FData + "/Charts/BSB/VELM0001_info.pkh"));
    frame.OpenLink(FindRow(*frame.Model(), "Harbour notes"));
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages.first().startsWith("File not found:"));
    EXPECT_FALSE(Panel->isVisible());
}

TEST_F(ChartInfo, S57CellsListTheirGeneralRowsAndComeBackAfterARestart) {
    TFrameChartInfo &frame = Make();
    int32_t index = -1;
    ASSERT_TRUE(ChartManagerFindChart(Env->ChartManager, "US4MD81M", index));
    frame.SelectS57Chart(ChartGetFileName(Env->ChartManager->GetChart(index)));
    const QStringList rows = Rows(*frame.Model());
    EXPECT_EQ(rows.value(0), "[General]");
    EXPECT_EQ(rows.value(1), "Chart=US4MD81M");
    EXPECT_TRUE(rows.value(2).startsWith("Product=ENC ")) << rows.join("\n").toStdString();
    EXPECT_TRUE(rows.contains("Compilation scale=80000") || rows.filter("Compilation scale=").size() == 1);
    EXPECT_EQ(rows.filter("Navigational purpose=").size(), 1);
    TFrameChartInfo &again = Make();
    EXPECT_EQ(Rows(*again.Model()).join("\n").toStdString(), rows.join("\n").toStdString());
}

TEST_F(ChartInfo, PicturesByDayAndNight) {
    for (bool night : {false, true}) {
        SCOPED_TRACE(night);
        NightScreen()->SetActive(night);
        TFrameChartInfo &frame = Make();
        frame.SelectChart(DemoChart());
        const QImage picture = frame.grab().toImage();
        shelltest::SaveScreenshot(picture, night ? "chartinfo-night" : "chartinfo-day");
        EXPECT_EQ(picture.size(), QSize(420, 620));
    }
    NightScreen()->SetActive(false);
}
