// Scenarios of a skipper's first day: the first start asks the language and takes the new
// user through the start-up wizard against the online services, the demo charts show, the
// language changes at run time; a second start brings the language and the view back.
#include "FirstStart.h"
#include "FirstStartWizard.h"
#include "ScenarioRun.h"

#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"
#include "online/FrmWizardStartup.h"

#include "chartview/NavViewerControl.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmSettingsLocale.h"
#include "shell/MarivoFrames.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvCharts.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

using acceptance::Chart;
using acceptance::ChartsDrawn;
using acceptance::PickLanguage;
using acceptance::TFirstStart;
using acceptance::TScenarioRun;
using acceptance::TServicesStandIn;
using acceptance::TStartupWizardWalk;

QString Caption(TFormMarivo6Main &main, const char *action) {
    QAction *a = main.Action(action);
    return a ? a->text() : QString();
}

// The regional settings dialog, its language chosen by the name the list shows, then OK.
void SwitchLanguage(TFormMarivo6Main &main, const QString &shown) {
    auto old = TFormSettingsLocale::SetPrompter([shown](TFormSettingsLocale &form) {
        const int index = form.ComboBoxLanguage->findText(shown);
        EXPECT_GE(index, 0) << shown.toStdString();
        form.ComboBoxLanguage->setCurrentIndex(index);
        emit form.ComboBoxLanguage->activated(index);
        form.ButtonOk->click();
        return form.result();
    });
    acceptance::UserAction(main, "ActionFilePropertiesLocale")->trigger();
    TFormSettingsLocale::SetPrompter(std::move(old));
}

// The names of the chart files the main chart has.
QStringList ChartFiles(TNavViewerControl &chart) {
    QStringList files;
    for (int32_t i = 0; i < chart.GetChartCount(); ++i)
        if (IRasterChart *c = chart.GetChart(i)) files << QFileInfo(StrWToWide(c->GetFileName())).fileName();
    return files;
}

// The services' address the settings store names.
QString ServicesBaseUrl() {
    QString url;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"), QString(), url);
    return url;
}

}  // namespace

TEST(Acceptance, FirstStartInDutchThroughTheStartUpWizardThenEnglishWithTheDemoChartsShown) {
    TFirstStart machine(QStringLiteral("first-start"));
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    TServicesStandIn services(machine.Options.DataFolder);
    ASSERT_TRUE(services.Started());
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(PickLanguage(QStringLiteral("Nederlands"), &asked));
    TStartupWizardWalk wizard;
    wizard.ChartFolder = machine.Documents + QStringLiteral("/Korvane/Charts/");
    int disclaimersBefore = -1;
    auto oldWizard = TFormWizardStartup::SetPrompter([&](TFormWizardStartup &form) {
        disclaimersBefore = machine.Disclaimers;
        return wizard(form);
    });
    TScenarioRun run;
    run.When(
        QStringLiteral("the start-up wizard has been gone through"), [&](TFormMarivo6Main &) { return wizard.Done; },
        [&](TFormMarivo6Main &main) {
            EXPECT_EQ(wizard.Runs, 1) << "a new user gets the wizard";
            EXPECT_EQ(disclaimersBefore, 1) << "the disclaimer is accepted first";
            EXPECT_TRUE(main.isVisible());
        },
        60000);
    run.WhenReady(QStringLiteral("the window speaks Dutch"), [](TFormMarivo6Main &main) {
        EXPECT_EQ(Caption(main, "ActionFilePropertiesLocale"), QStringLiteral("Landinstellingen..."));
    });
    run.When(QStringLiteral("the demo charts are drawn"), ChartsDrawn, [](TFormMarivo6Main &main) {
        const QStringList files = ChartFiles(*Chart(main));
        EXPECT_TRUE(files.contains(QStringLiteral("NZ61401.KAP"))) << "the installed set reached the chart: "
                                                                   << files.join(' ').toStdString();
        acceptance::Screenshot(&main, QStringLiteral("1-first-start-dutch"));
    });
    run.WhenReady(QStringLiteral("switch to English"), [](TFormMarivo6Main &main) {
        SwitchLanguage(main, QStringLiteral("English"));
        EXPECT_EQ(Caption(main, "ActionFilePropertiesLocale"), QStringLiteral("Regional..."));
        EXPECT_EQ(Caption(main, "ActionFilePropertiesShip"), QStringLiteral("Ship..."));
        acceptance::Screenshot(&main, QStringLiteral("1-first-start-english"));
    });
    run.Close();
    EXPECT_EQ(run.Run(machine.Options), 0);
    TFormWizardStartup::SetPrompter(std::move(oldWizard));
    TFormLanguage::SetPrompter(std::move(oldLanguage));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(run.Messages.join(QLatin1Char('\n')).toStdString(),
              "De geselecteerde kaarten zijn met succes ge\u00EFnstalleerd!\n"
              "Are you sure you want to close Marivo?");
    // The stand-in named itself as the services for this run only.
    EXPECT_EQ(ServicesBaseUrl(), services.BaseUrl());
    services.Stop();
    EXPECT_EQ(ServicesBaseUrl(), QString()) << "the setting is given back when the stand-in goes";
}

TEST(Acceptance, ASecondStartBringsBackTheLanguageAndTheView) {
    TFirstStart machine(QStringLiteral("restart"));
    ASSERT_FALSE(machine.Options.DataFolder.isEmpty());
    int asked = 0;
    auto oldLanguage = TFormLanguage::SetPrompter(PickLanguage(QStringLiteral("Nederlands"), &asked));
    TGeoPoint centre{};
    double scale = 0;
    {
        TScenarioRun first;
        first.When(QStringLiteral("the demo charts are drawn"), ChartsDrawn, [&](TFormMarivo6Main &main) {
            TNavViewerControl *chart = Chart(main);
            // Two wheel notches in, off the centre, then a drag to the west.
            const QPointF at(chart->width() * 0.3, chart->height() * 0.6);
            for (int i = 0; i < 2; ++i) {
                QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(chart, &wheel);
            }
            QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(200, 200));
            QTest::mouseMove(chart, QPoint(260, 230));
            QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(260, 230));
            QCoreApplication::processEvents();
            centre = *chart->GetCenterPosition();
            scale = chart->GetScale();
            acceptance::Screenshot(&main, QStringLiteral("6-before-quitting"));
        });
        first.Close();
        EXPECT_EQ(first.Run(machine.Options), 0);
    }
    ASSERT_GT(scale, 0.0);
    {
        TScenarioRun second;
        second.When(QStringLiteral("the charts are drawn again"), ChartsDrawn, [&](TFormMarivo6Main &main) {
            EXPECT_EQ(Caption(main, "ActionFilePropertiesLocale"), QStringLiteral("Landinstellingen..."));
            TNavViewerControl *chart = Chart(main);
            EXPECT_NEAR(chart->GetCenterPosition()->Lat, centre.Lat, 1e-7);
            EXPECT_NEAR(chart->GetCenterPosition()->Lon, centre.Lon, 1e-7);
            EXPECT_EQ(std::lround(chart->GetScale()), std::lround(scale));  // kept as a whole 1:n
            acceptance::Screenshot(&main, QStringLiteral("6-after-restart"));
        });
        second.Close();
        EXPECT_EQ(second.Run(machine.Options), 0);
    }
    TFormLanguage::SetPrompter(std::move(oldLanguage));
    EXPECT_EQ(asked, 1) << "the language is asked only at the first start";
}
