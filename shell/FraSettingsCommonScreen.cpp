#include "shell/FraSettingsCommonScreen.h"

#include "base/controls/KvControls.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FrmSettingsCommon.h"
#include "shell/MarivoNavEnv.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>
#include <cmath>

namespace {
namespace Txt {
const TLanguageStrings CursorSize = {"Cursor size", "Cursorgrootte", "Cursorgröße", "Taille du curseur",
                                     "Tamaño del cursor", "Dimensione del cursore", "Markørstørrelse",
                                     "Markörstorlek"};
const TLanguageStrings Small = {"small", "klein", "klein", "petit", "pequeño", "piccolo", "lille", "liten"};
const TLanguageStrings Medium = {"medium", "middel", "mittel", "moyen", "mediano", "medio", "mellem", "mellan"};
const TLanguageStrings Large = {"large", "groot", "groß", "grand", "grande", "grande", "stor", "stor"};
const TLanguageStrings NightView = {"Night view intensity", "Intensiteit nachtweergave",
                                    "Intensität der Nachtansicht", "Intensité de la vue de nuit",
                                    "Intensidad de la vista nocturna", "Intensità della vista notturna",
                                    "Intensitet for natvisning", "Intensitet för nattvy"};
const TLanguageStrings SmartLabel = {"Smart label transparency", "Transparantie slimme labels",
                                     "Transparenz der Smart-Labels", "Transparence des étiquettes",
                                     "Transparencia de etiquetas", "Trasparenza delle etichette",
                                     "Gennemsigtighed af etiketter", "Genomskinlighet för etiketter"};
const TLanguageStrings Notifications = {"Notifications", "Meldingen", "Benachrichtigungen",
                                        "Notifications", "Notificaciones", "Notifiche",
                                        "Meddelelser", "Aviseringar"};
const TLanguageStrings ShowAlarms = {"Show alarm notifications", "Alarmmeldingen tonen",
                                     "Alarmmeldungen anzeigen", "Afficher les alarmes",
                                     "Mostrar notificaciones de alarma", "Mostra notifiche di allarme",
                                     "Vis alarmmeddelelser", "Visa larmaviseringar"};
const TLanguageStrings ShowOthers = {"Show other notifications", "Overige meldingen tonen",
                                     "Andere Benachrichtigungen anzeigen",
                                     "Afficher les autres notifications", "Mostrar otras notificaciones",
                                     "Mostra altre notifiche", "Vis andre meddelelser",
                                     "Visa andra aviseringar"};
}  // namespace Txt

// A track bar with its end captions below it.
QWidget *WithEndLabels(QWidget *page, TTrackBarEx *bar, const QStringList &captions) {
    auto *box = new QWidget(page);
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(bar);
    auto *h = new QHBoxLayout;
    for (int i = 0; i < captions.size(); ++i) {
        if (i > 0) h->addStretch(1);
        h->addWidget(new QLabel(captions[i], box));
    }
    v->addLayout(h);
    box->setFixedWidth(bar->width());
    return box;
}

QString Percent(int value) {
    return QLocale().toString(value) + QLatin1Char('%');
}

}  // namespace

float TFrameSettingsCommonScreen::NightscreenIntensityOf(int position) {
    return std::max(0.03f, float(position) / 100.0f);
}

int TFrameSettingsCommonScreen::TransparencyPosition(int opacity) {
    return 100 - int(std::lround(double(opacity) / 255.0 * 100.0));
}

int TFrameSettingsCommonScreen::OpacityOf(int position) {
    return int(std::lround(255.0 - position * 2.55));
}

TFrameSettingsCommonScreen::TFrameSettingsCommonScreen(TCommonViewSettings &settings, TMarivoNavEnv &env)
    : FSettings(settings) {
    BuildPage();
    LoadSettings();
    if (!env.NotificationCenter) {
        LabelNotifications->hide();
        PanelNotifications->hide();
    }
}

void TFrameSettingsCommonScreen::BuildPage() {
    TSettingsPageLayout page(this);
    page.Heading(SettingsTextGeneral);
    TrackBarCursorScale = SettingsTrackBar(this, 0, 6, 3);
    page.Row(Txt::CursorSize, WithEndLabels(this, TrackBarCursorScale,
                                            {LanguageText(Txt::Small), LanguageText(Txt::Medium),
                                             LanguageText(Txt::Large)}));
    TrackBarNightscreenIntensity = SettingsTrackBar(this, 0, 60, 30);
    PanelNightscreenIntensityValue = SettingsValueLabel(this);
    page.Row(Txt::NightView,
             WithEndLabels(this, TrackBarNightscreenIntensity,
                           {QStringLiteral("3%"), QStringLiteral("30%"), QStringLiteral("60%")}),
             PanelNightscreenIntensityValue);
    TrackBarSmartBackgroundTransparency = SettingsTrackBar(this, 0, 100, 10);
    PanelSmartBackgroundTransparencyValue = SettingsValueLabel(this);
    page.Row(Txt::SmartLabel, TrackBarSmartBackgroundTransparency, PanelSmartBackgroundTransparencyValue);
    LabelNotifications = page.Heading(Txt::Notifications);
    PanelNotifications = new QWidget(this);
    auto *boxes = new QVBoxLayout(PanelNotifications);
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->addWidget(CheckBoxShowNotificationsAlarm = new QCheckBox(LanguageText(Txt::ShowAlarms), PanelNotifications));
    boxes->addWidget(CheckBoxShowNotificationsOther = new QCheckBox(LanguageText(Txt::ShowOthers), PanelNotifications));
    page.Wide(PanelNotifications);
    page.Finish();

    connect(TrackBarCursorScale, &QSlider::valueChanged, this, [this](int position) {
        if (!FLoading) FSettings.CursorScaleIndex = position;
    });
    connect(TrackBarNightscreenIntensity, &QSlider::valueChanged, this, [this](int position) {
        if (FLoading) return;
        FSettings.NightscreenIntensity = NightscreenIntensityOf(position);
        UpdateValueTexts();
    });
    connect(TrackBarSmartBackgroundTransparency, &QSlider::valueChanged, this, [this](int position) {
        if (FLoading) return;
        FSettings.SmartLabelTransparency = OpacityOf(position);
        UpdateValueTexts();
    });
    connect(CheckBoxShowNotificationsAlarm, &QCheckBox::clicked, this,
            [this](bool on) { FSettings.ShowNotificationsAlarm = on; });
    connect(CheckBoxShowNotificationsOther, &QCheckBox::clicked, this,
            [this](bool on) { FSettings.ShowNotificationsOther = on; });
}

void TFrameSettingsCommonScreen::LoadSettings() {
    FLoading = true;
    TrackBarCursorScale->setMaximum(6);
    TrackBarCursorScale->setTickInterval(TrackBarCursorScale->maximum() / 2);
    TrackBarCursorScale->setValue(FSettings.CursorScaleIndex);
    TrackBarNightscreenIntensity->setValue(int(std::lround(FSettings.NightscreenIntensity * 100.0)));
    TrackBarSmartBackgroundTransparency->setValue(TransparencyPosition(FSettings.SmartLabelTransparency));
    CheckBoxShowNotificationsAlarm->setChecked(FSettings.ShowNotificationsAlarm);
    CheckBoxShowNotificationsOther->setChecked(FSettings.ShowNotificationsOther);
    FLoading = false;
    UpdateValueTexts();
}

void TFrameSettingsCommonScreen::UpdateValueTexts() {
    PanelNightscreenIntensityValue->setText(Percent(int(std::lround(FSettings.NightscreenIntensity * 100.0))));
    PanelSmartBackgroundTransparencyValue->setText(Percent(TransparencyPosition(FSettings.SmartLabelTransparency)));
}
