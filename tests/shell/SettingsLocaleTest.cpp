// The regional settings dialog on the real environment: the language switches at once and
// goes back on Cancel, presets reach the hidden units, unknown unit codes survive, and what
// OK hands to the environment comes back after a restart.
#include "SettingsDialogSupport.h"

#include "base/controls/KvEdits.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "shell/FrmSettingsLocale.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvUnits.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

int32_t StoredInt(const QString &key, const char16_t *name) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, key,
                             ValueName(TStrWRec{int32_t(std::char_traits<char16_t>::length(name)), name}),
                             -12345);
}

int32_t StoredLanguage() {
    return StoredInt(QString(), u"Language");
}

class SettingsLocale : public SettingsDialogFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        SetCurrentLanguage(KvLang::English);
    }
    void TearDown() override {
        SetCurrentLanguage(KvLang::English);
        GlobalGPSClock()->SetUTCOffsetSync(true);
        NavEnvFixture::TearDown();
    }
    bool Run(TMarivoNavEnv &env, std::function<void(TFormSettingsLocale &)> steps, bool ok) {
        return RunSettingsDialog<TFormSettingsLocale>(steps, ok, env);
    }
};

void ChooseLanguage(TFormSettingsLocale &form, int32_t language) {
    const int index = form.ComboBoxLanguage->findData(language);
    ASSERT_GE(index, 0);
    form.ComboBoxLanguage->setCurrentIndex(index);
    emit form.ComboBoxLanguage->activated(index);
}

}  // namespace

TEST_F(SettingsLocale, DutchRelabelsAtOnceCancelReturnsToEnglishAndStoresIt) {
    auto env = Started();
    const bool ok = Run(*env, [](TFormSettingsLocale &form) {
        shelltest::SaveScreenshot(&form, QStringLiteral("SettingsLocale_en"));
        ChooseLanguage(form, KvLang::Dutch);
        EXPECT_EQ(GetCurrentLanguage(), KvLang::Dutch);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Regionaal"));
        EXPECT_EQ(form.ButtonCancel->text(), QStringLiteral("Annuleren"));
        EXPECT_EQ(form.ButtonPresetNautical->text(), QStringLiteral("Nautisch"));
        EXPECT_EQ(form.ComboBoxSpeed->itemText(1), QStringLiteral("kn (knopen)"));
        shelltest::SaveScreenshot(&form, QStringLiteral("SettingsLocale_nl"));
    }, false);
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetCurrentLanguage(), KvLang::English);
    EXPECT_EQ(StoredLanguage(), KvLang::English);

    EXPECT_TRUE(Run(*env, [](TFormSettingsLocale &form) { ChooseLanguage(form, KvLang::German); },
                    true));
    EXPECT_EQ(GetCurrentLanguage(), KvLang::German);
    EXPECT_EQ(StoredLanguage(), KvLang::German);
}

TEST_F(SettingsLocale, PresetsSetAllSixUnitsAndOkSurvivesARestart) {
    struct Case {
        const char *name;
        QPushButton *TFormSettingsLocale::*button;
        int32_t depth, large, small, speed, temperature, volume;
    };
    const Case cases[] = {
        {"US", &TFormSettingsLocale::ButtonPresetUS, 0x60002, 0x60005, 0x60003, 0x70003,
         0x120001, 0xA000C},
        {"Metric", &TFormSettingsLocale::ButtonPresetMetric, 0x6800B, 0x6800E, 0x6800B,
         0x70000, 0x120000, 0xA0003},
        {"Nautical", &TFormSettingsLocale::ButtonPresetNautical, 0x6800B, 0x60006, 0x6800B,
         0x70004, 0x120000, 0xA0003},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            auto env = Started();
            ASSERT_TRUE(Run(*env, [&](TFormSettingsLocale &form) {
                QTest::mouseClick(form.*c.button, Qt::LeftButton);
                // The hidden lists follow the preset as well.
                EXPECT_EQ(form.ComboBoxDepth->currentData().toInt(), c.depth);
                EXPECT_EQ(form.ComboBoxTemperature->currentData().toInt(), c.temperature);
                form.RadioButtonFormatDegreesMinutesSeconds->click();
                if (form.CheckBoxUTCOffsetSync->isChecked()) form.CheckBoxUTCOffsetSync->click();
                form.EditUTCOffset->setText(QStringLiteral("90"));
            }, true));
            EXPECT_EQ(env->UnitDepth, c.depth);
            env->Shutdown();
        }
        GlobalGPSClock()->SetUTCOffsetSync(true);
        auto env = Started();
        EXPECT_EQ(env->UnitDepth, c.depth);
        EXPECT_EQ(env->UnitDistanceLarge, c.large);
        EXPECT_EQ(env->UnitDistanceSmall, c.small);
        EXPECT_EQ(env->UnitSpeed, c.speed);
        EXPECT_EQ(env->UnitTemperature, c.temperature);
        EXPECT_EQ(env->UnitVolume, c.volume);
        EXPECT_EQ(env->PositionFormat, 2);
        EXPECT_FALSE(env->GetUTCOffsetSync());
        EXPECT_EQ(GlobalGPSClock()->GetUTCOffset(), 90);
        env->Shutdown();
    }
}

TEST_F(SettingsLocale, AutomaticOffsetShowsTheComputersAndOkStoresOnlyTheFlag) {
    auto env = Started();
    env->SetUTCOffsetSync(false);
    env->SetUTCOffset(150);
    EXPECT_TRUE(Run(*env, [](TFormSettingsLocale &form) {
        EXPECT_TRUE(form.EditUTCOffset->isEnabled());
        EXPECT_EQ(form.EditUTCOffset->GetIntValue(), 150);
        form.CheckBoxUTCOffsetSync->click();
        EXPECT_FALSE(form.EditUTCOffset->isEnabled());
        EXPECT_EQ(form.EditUTCOffset->GetIntValue(),
                  NavMsgGetGPSClock()->GetComputerUTCOffset());
    }, true));
    EXPECT_TRUE(env->GetUTCOffsetSync());
    EXPECT_EQ(StoredInt(QStringLiteral("Locale"), u"UTCOffset"), 150);
}

TEST_F(SettingsLocale, UnknownUnitCodeKeepsNoSelectionAcrossALanguageSwitchAndIsWrittenBack) {
    auto env = Started();
    env->SetUnits(0x6800B, 0x6800E, 0x6800B, 0x70004, 0x120000, 0xA0003);
    // Beaufort: a speed unit of the library that the list does not offer (and the store
    // cannot hold), so only the environment carries it.
    env->UnitSpeed = 0x70005;
    EXPECT_TRUE(Run(*env, [](TFormSettingsLocale &form) {
        EXPECT_EQ(form.ComboBoxSpeed->currentIndex(), -1);
        ChooseLanguage(form, KvLang::Dutch);
        EXPECT_EQ(form.ComboBoxSpeed->currentIndex(), -1);
        EXPECT_EQ(form.ComboBoxDistanceLarge->currentData().toInt(), 0x6800E);
        EXPECT_EQ(form.ComboBoxDistanceLarge->currentText(), QStringLiteral("km (kilometer)"));
        EXPECT_EQ(form.ComboBoxVolume->currentText(), QStringLiteral("l (liter)"));
        ChooseLanguage(form, KvLang::English);
    }, true));
    EXPECT_EQ(env->UnitSpeed, 0x70005);
    EXPECT_EQ(env->UnitDistanceLarge, 0x6800E);
}

TEST_F(SettingsLocale, OnlyAvailableLanguagesAreListedAndAnUnlistedCurrentOneStays) {
    auto env = Started();
    SetCurrentLanguage(KvLang::Dutch);
    TFormSettingsLocale form(*env);
    form.FillLanguages((1u << KvLang::English) | (1u << KvLang::German));
    ASSERT_EQ(form.ComboBoxLanguage->count(), 2);
    EXPECT_EQ(form.ComboBoxLanguage->itemData(1).toInt(), KvLang::German);
    EXPECT_EQ(form.ComboBoxLanguage->itemText(1), QStringLiteral("Deutsch"));
    EXPECT_EQ(form.ComboBoxLanguage->currentIndex(), 0);
    EXPECT_EQ(GetCurrentLanguage(), KvLang::Dutch);
    form.FillLanguages(GetAvailableLanguages());
    EXPECT_EQ(form.ComboBoxLanguage->currentData().toInt(), KvLang::Dutch);
    // Closing without OK leaves the opening language, stored.
    form.reject();
    EXPECT_EQ(GetCurrentLanguage(), KvLang::Dutch);
    EXPECT_EQ(StoredLanguage(), KvLang::Dutch);
}
