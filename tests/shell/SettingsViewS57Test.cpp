// The S-57 display settings dialog on the environment's real S-52 presentation library:
// what OK writes per viewer index, what it keeps, and what comes back after a restart.
#include "SettingsDialogSupport.h"

#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "shell/FrmSettingsViewS57.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvLanguage.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class SettingsViewS57 : public SettingsDialogFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        FEnv = Started();
        Lib = FEnv->S52Library;
        ASSERT_TRUE(Lib);
    }
    void TearDown() override {
        SetCurrentLanguage(KvLang::English);
        if (FEnv) FEnv->Shutdown();
        FEnv.reset();
        NavEnvFixture::TearDown();
    }
    // Runs the dialog with the steps given, then OK or Cancel.
    bool Run(std::function<void(TFormSettingsViewS57 &)> steps, bool ok = true) {
        return RunSettingsDialog<TFormSettingsViewS57>(steps, ok, *FEnv, Values);
    }
    std::unique_ptr<TMarivoNavEnv> FEnv;
    IS52PresentationLib *Lib = nullptr;
    TS57ViewerValues Values;
};

void Select(QComboBox *box, const QString &text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

void TypeNumber(TNumberEdit *edit, const QString &text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

TEST_F(SettingsViewS57, DisplayCategoryGoesToAllThreeViewersAndEmptyCellMeansBoundsOnly) {
    struct Case {
        const char *entry;
        int32_t category;
        bool boundsOnly;
    };
    const Case cases[] = {{"EMPTYCELL", S52DisplayCategory::Standard, true},
                          {"OTHER", S52DisplayCategory::Other, false},
                          {"DISPLAYBASE", S52DisplayCategory::Base, false},
                          {"STANDARD", S52DisplayCategory::Standard, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        for (int32_t i = 0; i <= 2; ++i) Lib->SetDisplayCategory(S52DisplayCategory::Base, i);
        Values.BoundsOnly = !c.boundsOnly;
        EXPECT_TRUE(Run([&](TFormSettingsViewS57 &form) {
            EXPECT_EQ(form.ComboDisplayCategory->count(), 4);
            Select(form.ComboDisplayCategory, QString::fromLatin1(c.entry));
        }));
        for (int32_t i = 0; i <= 2; ++i) EXPECT_EQ(Lib->GetDisplayCategory(i), c.category) << i;
        EXPECT_EQ(Values.BoundsOnly, c.boundsOnly);
    }
    // Bounds only opens on "EMPTYCELL" whatever the library's category.
    Values.BoundsOnly = true;
    Run([](TFormSettingsViewS57 &form) {
        EXPECT_EQ(form.ComboDisplayCategory->currentText(), QStringLiteral("EMPTYCELL"));
    }, false);
}

TEST_F(SettingsViewS57, TextScaleOpensInItsBandAndIsWrittenOnlyWhenMoved) {
    struct Case {
        const char *name;
        float library;
        int position;
        int moves;  // right-arrow presses on the track bar
        float written;
        const char *caption;
    };
    const Case cases[] = {{"1.4 untouched", 1.4f, 2, 0, 1.4f, "1.5x"},
                          {"1.4 moved to 3", 1.4f, 2, 1, 1.75f, "1.75x"},
                          {"1.0 untouched", 1.0f, 0, 0, 1.0f, "1x"},
                          {"1.25 moved to the end", 1.25f, 1, 5, 2.0f, "2x"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Lib->SetTextScale(c.library);
        Lib->Commit();
        EXPECT_TRUE(Run([&](TFormSettingsViewS57 &form) {
            EXPECT_EQ(form.TrackBarTextScale->value(), c.position);
            for (int i = 0; i < c.moves; ++i) QTest::keyClick(form.TrackBarTextScale, Qt::Key_Right);
            EXPECT_EQ(form.LabelTextScaleValue->text(), QString::fromLatin1(c.caption));
        }));
        EXPECT_FLOAT_EQ(Lib->GetTextScale(), c.written);
    }
    // Scales the library does not take (it keeps 1.0 .. 2.0) still find a band.
    struct Band {
        float scale;
        int position;
    };
    for (const Band &b : {Band{0.5f, 4}, Band{0.87f, 4}, Band{0.88f, 0}, Band{1.12f, 0},
                          Band{1.13f, 1}, Band{1.62f, 2}, Band{1.63f, 3}, Band{1.88f, 4},
                          Band{2.0f, 4}})
        EXPECT_EQ(TFormSettingsViewS57::TextScalePosition(b.scale), b.position) << b.scale;
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    EXPECT_EQ(TFormSettingsViewS57::TextScaleCaption(1), QStringLiteral("1,25x"));
    QLocale::setDefault(old);
    EXPECT_EQ(TFormSettingsViewS57::TextScaleCaption(1), QStringLiteral("1.25x"));
}

TEST_F(SettingsViewS57, OkReplacesOnlyTheFlagsTheDialogOwns) {
    using namespace S52DisplayFlag;
    Lib->SetDisplayFlags(ShowText | ShowTextImportant | ShowNational | ShowLandFeatures |
                             UseORIENT | ShowSoundings | FourDepthShades,
                         0);
    Lib->SetDisplayFlags(ShowNoticeMarks | UseORIENT, 1);
    Lib->SetDisplayFlags(ShowBuoys, 2);
    EXPECT_TRUE(Run([](TFormSettingsViewS57 &form) {
        EXPECT_TRUE(form.RadioButtonDepthShades4->isChecked());
        EXPECT_TRUE(form.CheckShowImportantOnly->isEnabled());
        form.CheckShowText->click();
        // The label options rest but keep what they say.
        EXPECT_FALSE(form.CheckShowImportantOnly->isEnabled());
        EXPECT_FALSE(form.CheckShowNational->isEnabled());
        EXPECT_TRUE(form.CheckShowImportantOnly->isChecked());
        form.CheckShowSoundings->click();
        EXPECT_FALSE(form.CheckShowSoundingsShallowOnly->isEnabled());
        form.CheckShowBuoys->click();
        form.RadioButtonDepthShades2->click();
    }));
    const uint32_t chosen = ShowTextImportant | ShowNational | ShowBuoys;
    EXPECT_EQ(Lib->GetDisplayFlags(0), chosen | ShowLandFeatures | UseORIENT);
    EXPECT_EQ(Lib->GetDisplayFlags(1), chosen | ShowLandFeatures | ShowNoticeMarks | UseORIENT);
    EXPECT_EQ(Lib->GetDisplayFlags(2), chosen | ShowLandFeatures);
}

TEST_F(SettingsViewS57, ValuesAreWrittenOnOkOnlyAndComeBackAfterARestart) {
    Lib->SetMaxBuoyScamin(60000);
    Lib->SetDepthSafe(2.0f);
    Lib->SetSymbolStyle(S52SymbolStyle::Paper);
    Lib->SetBoundaryStyle(S52BoundaryStyle::Symbolized);
    Lib->SetDisplayFlags(Lib->GetDisplayFlags(0) | S52DisplayFlag::Enhancements, 0);
    Lib->Commit();
    auto change = [](TFormSettingsViewS57 &form) {
        // A largest SCAMIN the list does not offer opens without a selection.
        EXPECT_EQ(form.ComboMaxBuoyScamin->currentIndex(), -1);
        EXPECT_TRUE(form.ComboMaxBuoyScamin->isEnabled());
        EXPECT_TRUE(form.RadioButtonSymbolsPaper->isChecked());
        EXPECT_TRUE(form.RadioButtonBoundariesSymbolized->isChecked());
        TypeNumber(form.NumberEditSafe, QStringLiteral("3.5"));
        TypeNumber(form.NumberEditShallow, QStringLiteral("1.25"));
        TypeNumber(form.NumberEditDeep, QStringLiteral("8"));
        TypeNumber(form.EditMaxChartLoad, QStringLiteral("33"));
        form.RadioButtonSymbolsSimple->click();
        form.RadioButtonBoundariesPlain->click();
        Select(form.ComboDisplayCategory, QStringLiteral("DISPLAYBASE"));
        form.CheckMonitorWidthAuto->setChecked(true);
        form.CheckMonitorWidthAuto->click();
        EXPECT_TRUE(form.EditMonitorWidthMM->isEnabled());
        TypeNumber(form.EditMonitorWidthMM, QStringLiteral("345"));
    };
    const int32_t chartLoad = FEnv->GetMaxChartLoad();
    EXPECT_FALSE(Run(change, false));
    EXPECT_FLOAT_EQ(Lib->GetDepthSafe(), 2.0f);
    EXPECT_EQ(Lib->GetSymbolStyle(), S52SymbolStyle::Paper);
    EXPECT_EQ(FEnv->GetMaxChartLoad(), chartLoad);

    EXPECT_TRUE(Run(change));
    EXPECT_EQ(Lib->GetMaxBuoyScamin(), 60000);
    EXPECT_FALSE(Values.MonitorWidthAuto);
    EXPECT_EQ(Values.MonitorWidthMM, 345);
    FEnv->Shutdown();
    FEnv = Started();
    Lib = FEnv->S52Library;
    EXPECT_FLOAT_EQ(Lib->GetDepthSafe(), 3.5f);
    EXPECT_FLOAT_EQ(Lib->GetDepthShallow(), 1.25f);
    EXPECT_FLOAT_EQ(Lib->GetDepthDeep(), 8.0f);
    EXPECT_EQ(Lib->GetSymbolStyle(), S52SymbolStyle::Simplified);
    EXPECT_EQ(Lib->GetBoundaryStyle(), S52BoundaryStyle::Plain);
    for (int32_t i = 0; i <= 2; ++i) EXPECT_EQ(Lib->GetDisplayCategory(i), S52DisplayCategory::Base);
    EXPECT_EQ(FEnv->GetMaxChartLoad(), 33);

    // A value of the list is selected and the choice written.
    EXPECT_TRUE(Run([](TFormSettingsViewS57 &form) {
        EXPECT_EQ(form.ComboMaxBuoyScamin->currentIndex(), -1);
        Select(form.ComboMaxBuoyScamin, QStringLiteral("100000"));
    }));
    EXPECT_EQ(Lib->GetMaxBuoyScamin(), 100000);
    Run([](TFormSettingsViewS57 &form) {
        EXPECT_EQ(form.ComboMaxBuoyScamin->currentText(), QStringLiteral("100000"));
    }, false);
}

TEST_F(SettingsViewS57, ScreenshotsInEnglishAndDutch) {
    for (int32_t language : {KvLang::English, KvLang::Dutch}) {
        SetCurrentLanguage(language);
        TFormSettingsViewS57 form(*FEnv, Values);
        form.show();
        EXPECT_EQ(form.windowTitle(), language == KvLang::Dutch ? QStringLiteral("S57-instellingen")
                                                                : QStringLiteral("S57 settings"));
        shelltest::SaveScreenshot(&form, language == KvLang::Dutch ? QStringLiteral("SettingsViewS57_nl")
                                                                   : QStringLiteral("SettingsViewS57_en"));
    }
}
