#include "online/FraStartupShipProperties.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/units/KvUnitsTime.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString BoatKey = QStringLiteral("Boat");
constexpr int32_t MetreUnit = 0x6800B;

const TLanguageStrings SSavedShips = {"Properties saved online:", "Online opgeslagen eigenschappen:",
                                      "Online gespeicherte Eigenschaften:", "Propri\u00E9t\u00E9s enregistr\u00E9es en ligne :",
                                      "Propiedades guardadas en l\u00EDnea:", "Propriet\u00E0 salvate online:",
                                      "Egenskaber gemt online:", "Egenskaper sparade online:"};
const TLanguageStrings SShipName = {"Ship name", "Scheepsnaam", "Schiffsname", "Nom du bateau", "Nombre del barco",
                                    "Nome della barca", "Skibsnavn", "Fartygsnamn"};
const TLanguageStrings SLength = {"Length", "Lengte", "L\u00E4nge", "Longueur", "Eslora", "Lunghezza", "L\u00E6ngde",
                                  "L\u00E4ngd"};
const TLanguageStrings SBeam = {"Beam", "Breedte", "Breite", "Largeur", "Manga", "Larghezza", "Bredde", "Bredd"};
const TLanguageStrings SDraught = {"Draught", "Diepgang", "Tiefgang", "Tirant d'eau", "Calado", "Pescaggio",
                                   "Dybgang", "Djupg\u00E5ende"};
const TLanguageStrings SHeight = {"Height", "Hoogte", "H\u00F6he", "Hauteur", "Altura", "Altezza", "H\u00F8jde", "H\u00F6jd"};
const TLanguageStrings SUpload = {"Upload", "Uploaden", "Hochladen", "Envoyer", "Subir", "Carica", "Upload", "Ladda upp"};
const TLanguageStrings SRemove = {"Remove", "Verwijderen", "Entfernen", "Supprimer", "Eliminar", "Rimuovi", "Fjern",
                                  "Ta bort"};
const TLanguageStrings SDefault = {"<default>", "<standaard>", "<Standard>", "<par d\u00E9faut>",
                                   "<predeterminado>", "<predefinito>", "<standard>", "<standard>"};
const TLanguageStrings SEnterName = {
    "Please enter the name of the ship to which the given properties belong.",
    "Voer de naam in van het schip waartoe de opgegeven eigenschappen behoren.",
    "Bitte geben Sie den Namen des Schiffes ein, zu dem die Eigenschaften geh\u00F6ren.",
    "Veuillez saisir le nom du bateau auquel appartiennent ces propri\u00E9t\u00E9s.",
    "Introduzca el nombre del barco al que pertenecen estas propiedades.",
    "Inserire il nome della barca a cui appartengono queste propriet\u00E0.",
    "Indtast navnet p\u00E5 det skib, som egenskaberne h\u00F8rer til.",
    "Ange namnet p\u00E5 fartyget som egenskaperna h\u00F6r till."};

QDoubleSpinBox *NumberEdit(QWidget *parent, double maximum, const char *name) {
    auto *edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDecimals(2);
    // Negative dimensions would reach the boat definition and the account.
    edit->setRange(0, maximum);
    edit->setSingleStep(1);
    edit->setAlignment(Qt::AlignRight);
    edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return edit;
}

}  // namespace

TFrameStartupShipProperties::TFrameStartupShipProperties(ILPBoatDef *boat, IUserDataAPI *userData, QWidget *owner)
    : TFrameScaled(owner), LabelSavedShips(new QLabel(this)), ComboSavedShips(new QComboBox(this)),
      ButtonUpload(new QPushButton(this)), ButtonRemove(new QPushButton(this)), LabelShipName(new QLabel(this)),
      EditShipName(new QLineEdit(this)), EditDimensionLength(NumberEdit(this, 999999999, "EditDimensionLength")),
      EditDimensionBeam(NumberEdit(this, 999999999, "EditDimensionBeam")),
      EditDraught(NumberEdit(this, 2000, "EditDraught")), EditHeight(NumberEdit(this, 999999999, "EditHeight")),
      FBoat(boat), FUserData(userData) {
    setObjectName(QStringLiteral("FrameStartupShipProperties"));
    EditShipName->setObjectName(QStringLiteral("EditShipName"));
    ComboSavedShips->setMinimumWidth(350);
    auto *grid = new QGridLayout(this);
    grid->addWidget(LabelSavedShips, 0, 0, 1, 3);
    grid->addWidget(ComboSavedShips, 1, 0, 1, 3);
    grid->addWidget(ButtonUpload, 1, 3);
    grid->addWidget(ButtonRemove, 1, 4);
    grid->addWidget(LabelShipName, 2, 0);
    grid->addWidget(EditShipName, 2, 1, 1, 2);
    QDoubleSpinBox *edits[4] = {EditDimensionLength, EditDimensionBeam, EditDraught, EditHeight};
    for (int i = 0; i < 4; ++i) {
        FLabels[i] = new QLabel(this);
        FUnits[i] = new QLabel(this);
        grid->addWidget(FLabels[i], 3 + i, 0);
        grid->addWidget(edits[i], 3 + i, 1);
        grid->addWidget(FUnits[i], 3 + i, 2);
    }
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);
    connect(ComboSavedShips, &QComboBox::activated, this, &TFrameStartupShipProperties::ComboSavedShipsSelect);
    connect(EditShipName, &QLineEdit::editingFinished, this, &TFrameStartupShipProperties::EditShipNameExit);
    connect(EditDimensionLength, &QDoubleSpinBox::editingFinished, this,
            &TFrameStartupShipProperties::EditDimensionLengthExit);
    connect(EditDimensionBeam, &QDoubleSpinBox::editingFinished, this, &TFrameStartupShipProperties::EditDimensionBeamExit);
    connect(EditDraught, &QDoubleSpinBox::editingFinished, this, &TFrameStartupShipProperties::EditDraughtExit);
    connect(EditHeight, &QDoubleSpinBox::editingFinished, this, &TFrameStartupShipProperties::EditHeightExit);
    connect(ButtonUpload, &QPushButton::clicked, this, &TFrameStartupShipProperties::ButtonUploadClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFrameStartupShipProperties::ButtonRemoveClick);
    UpdateTexts();
    LoadSavedShips();
    LoadValues();
    ScaleToScreen();
}

void TFrameStartupShipProperties::UpdateTexts() {
    ButtonUpload->setText(LanguageText(SUpload));
    ButtonRemove->setText(LanguageText(SRemove));
    LabelSavedShips->setText(LanguageText(SSavedShips));
    LabelShipName->setText(LanguageText(SShipName) + QLatin1Char(':'));
    const TLanguageStrings *labels[4] = {&SLength, &SBeam, &SDraught, &SHeight};
    for (int i = 0; i < 4; ++i) {
        FLabels[i]->setText(LanguageText(*labels[i]) + QLatin1Char(':'));
        FUnits[i]->setText(UnitToStr(MetreUnit));
    }
    if (ComboSavedShips->count() > 0) ComboSavedShips->setItemText(0, LanguageText(SDefault));
}

void TFrameStartupShipProperties::LoadSavedShips() {
    ComboSavedShips->clear();
    ComboSavedShips->addItem(LanguageText(SDefault));
    for (int32_t i = 0; FUserData && i < FUserData->GetShipCount(); ++i) {
        TShipDimensions ship;
        UserDataGetShip(FUserData, i, ship.Name, ship.Length, ship.Beam, ship.Height, ship.Draught);
        ComboSavedShips->addItem(ship.Name, QVariant::fromValue(ship));
    }
    ComboSavedShips->setCurrentIndex(-1);
    UpdateButtons();
}

void TFrameStartupShipProperties::LoadValues() {
    QString name;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), QString(), name);
    EditShipName->setText(name);
    EditDraught->setValue(FBoat->GetDraught());
    EditDimensionLength->setValue(FBoat->GetLength());
    EditDimensionBeam->setValue(FBoat->GetWidth());
    EditHeight->setValue(FBoat->GetHeightStepped());
}

void TFrameStartupShipProperties::UpdateButtons() {
    const bool record = ComboSavedShips->currentIndex() > 0;
    // Remove needs a saved ship to remove; Upload needs a name to save under.
    ButtonRemove->setEnabled(record);
    ButtonUpload->setEnabled(record || !EditShipName->text().isEmpty());
}

void TFrameStartupShipProperties::Apply(float length, float beam, float draught, float height) {
    const TFloat2 gps = *FBoat->GetGPSPosition();
    FBoat->SetDraught(draught);
    FBoat->SetHeights(height, FBoat->GetHeightUnstepped(), FBoat->GetHeightSafeMargin());
    FBoat->SetDimensions(length, beam, gps);
}

void TFrameStartupShipProperties::ComboSavedShipsSelect(int index) {
    int32_t err = 0;
    if (index > 0) {
        const TShipDimensions ship = ComboSavedShips->itemData(index).value<TShipDimensions>();
        RegWriteString(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), ship.Name, err);
        Apply(ship.Length, ship.Beam, ship.Draught, ship.Height);
    } else if (index == 0) {
        RegWriteString(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), QString(), err);
        Apply(10.0f, 3.0f, 1.0f, 3.3f);
    }
    LoadValues();
    UpdateButtons();
}

void TFrameStartupShipProperties::EditShipNameExit() {
    const QString selected = ComboSavedShips->currentIndex() > 0 ? ComboSavedShips->currentText() : QString();
    if (EditShipName->text() != selected) ComboSavedShips->setCurrentIndex(-1);
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), EditShipName->text(), err);
    UpdateButtons();
}

void TFrameStartupShipProperties::EditDimensionLengthExit() {
    FBoat->SetDimensions(float(EditDimensionLength->value()), FBoat->GetWidth(), *FBoat->GetGPSPosition());
}

void TFrameStartupShipProperties::EditDimensionBeamExit() {
    FBoat->SetDimensions(FBoat->GetLength(), float(EditDimensionBeam->value()), *FBoat->GetGPSPosition());
}

void TFrameStartupShipProperties::EditDraughtExit() {
    FBoat->SetDraught(float(EditDraught->value()));
}

void TFrameStartupShipProperties::EditHeightExit() {
    FBoat->SetHeights(float(EditHeight->value()), FBoat->GetHeightUnstepped(), FBoat->GetHeightSafeMargin());
}

void TFrameStartupShipProperties::ButtonUploadClick() {
    if (EditShipName->text().isEmpty()) {
        MsgBox(LanguageText(SEnterName), mtCustom, MsgButtons({mbOK}));
        EditShipName->setFocus();
        return;
    }
    int32_t err = 0;
    UserDataUploadShip(FUserData, EditShipName->text(), float(EditDimensionLength->value()),
                       float(EditDimensionBeam->value()), float(EditHeight->value()), float(EditDraught->value()), err);
}

void TFrameStartupShipProperties::ButtonRemoveClick() {
    if (ComboSavedShips->currentIndex() <= 0) return;
    int32_t err = 0;
    UserDataDeleteShip(FUserData, ComboSavedShips->currentText(), err);
}

bool TFrameStartupShipProperties::event(QEvent *event) {
    if (event->type() == QEvent::ParentChange && parentWidget()) UpdateTexts();
    return TFrameScaled::event(event);
}
