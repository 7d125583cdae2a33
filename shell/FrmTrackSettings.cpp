#include "shell/FrmTrackSettings.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvNightScreen.h"
#include "base/strings/KvColors.h"
#include "shell/MarivoNavEnv.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize SwatchSize(48, 22);

namespace Txt {
const TLanguageStrings Caption = {"Track settings",        "Spoorinstellingen",
                                  "Track-Einstellungen",   "Paramètres de trace",
                                  "Ajustes de traza",      "Impostazioni traccia",
                                  "Sporindstillinger",     "Spårinställningar"};
const TLanguageStrings DefaultColor = {"Default track color",       "Standaard spoorkleur",
                                       "Standardfarbe für Tracks",  "Couleur de trace par défaut",
                                       "Color de traza predeterminado",
                                       "Colore predefinito della traccia",
                                       "Standardfarve for spor",    "Standardfärg för spår"};
const TLanguageStrings SelectColor = {"Select color", "Kleur kiezen", "Farbe wählen",
                                      "Choisir la couleur", "Seleccionar color",
                                      "Seleziona colore", "Vælg farve", "Välj färg"};
}  // namespace Txt

TFormTrackSettings::TColorPrompter &ColorPrompter() {
    static TFormTrackSettings::TColorPrompter prompter;
    return prompter;
}

bool AskColor(QColor &color, QWidget *parent) {
    if (ColorPrompter()) return ColorPrompter()(color, parent);
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid()) return false;
    color = chosen;
    return true;
}

}  // namespace

QImage ColorOverlayImage(const QSize &size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QLinearGradient shine(0, 0, 0, size.height());
    shine.setColorAt(0.0, QColor(255, 255, 255, 110));
    shine.setColorAt(0.5, QColor(255, 255, 255, 30));
    shine.setColorAt(0.51, QColor(0, 0, 0, 0));
    shine.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.fillRect(image.rect(), shine);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

TColorSwatch::TColorSwatch(QWidget *parent) : QWidget(parent), FOverlay(ColorOverlayImage(SwatchSize)) {
    setFixedSize(SwatchSize);
    INightScreen *ns = NightScreen();
    if (ns && ns->IsActive()) NightScreenConvertPNG(ns, FOverlay);
}

void TColorSwatch::paintEvent(QPaintEvent *) {
    INightScreen *ns = NightScreen();
    QPainter p(this);
    p.fillRect(rect(), TColorToColor(ns ? ns->ConvertColor(Color) : Color));
    p.drawImage(rect(), FOverlay);
}

TFormTrackSettings::TFormTrackSettings(TMarivoNavEnv &env, QWidget *parent)
    : TFormSettingsDialog(15002, parent), LabelGeneral(SettingsHeading(this)),
      LabelDefaultColor(new QLabel(this)), PaintBoxColorDefault(new TColorSwatch(this)),
      ButtonSelectColor(new QPushButton(this)), FEnv(env) {
    PaintBoxColorDefault->Color = ColorSwapRB(int32_t(env.TrackDefaultColor));
    ButtonSelectColor->setAutoDefault(false);
    connect(ButtonSelectColor, &QPushButton::clicked, this,
            &TFormTrackSettings::ButtonSelectColorClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelGeneral);
    auto *row = new QHBoxLayout;
    row->addWidget(LabelDefaultColor);
    row->addWidget(PaintBoxColorDefault);
    row->addWidget(ButtonSelectColor);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addSpacing(12);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setWindowTitle(LanguageText(Txt::Caption));
    LabelGeneral->setText(LanguageText(SettingsTextGeneral));
    LabelDefaultColor->setText(ColonCaption(Txt::DefaultColor));
    ButtonSelectColor->setText(LanguageText(Txt::SelectColor) + QStringLiteral("..."));
    SetButtonCaptions();
    ScaleConstraints();
}

void TFormTrackSettings::ButtonSelectColorClick() {
    QColor color = TColorToColor(PaintBoxColorDefault->Color);
    if (AskColor(color, this)) PaintBoxColorDefault->Color = ColorToTColor(color);
    PaintBoxColorDefault->update();
}

void TFormTrackSettings::CloseQuery(bool ok) {
    if (ok) FEnv.SetTrackDefaultColor(ColorToBGRA(PaintBoxColorDefault->Color, 255));
}

TFormTrackSettings::TColorPrompter TFormTrackSettings::SetColorPrompter(TColorPrompter prompter) {
    TColorPrompter previous = std::move(ColorPrompter());
    ColorPrompter() = std::move(prompter);
    return previous;
}

bool TFormTrackSettings::Execute(TMarivoNavEnv &env, QWidget *parent) {
    TFormTrackSettings form(env, parent);
    return Run(form, TSettingsPrompter<TFormTrackSettings>::Get()) == QDialog::Accepted;
}
