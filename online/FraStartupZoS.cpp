#include "online/FraStartupZoS.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvStructOperation.h>

#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString BoatKey = QStringLiteral("Boat");

const TLanguageStrings SInfo3 = {"Do you want to use this function?", "Wilt u deze functie gebruiken?",
                                 "M\u00F6chten Sie diese Funktion nutzen?", "Voulez-vous utiliser cette fonction ?",
                                 "\u00BFDesea utilizar esta funci\u00F3n?", "Volete usare questa funzione?",
                                 "Vil du bruge denne funktion?", "Vill du anv\u00E4nda denna funktion?"};
const TLanguageStrings SShipName = {"Ship name", "Scheepsnaam", "Schiffsname", "Nom du bateau",
                                    "Nombre del barco", "Nome della barca", "Skibsnavn", "Fartygsnamn"};
const TLanguageStrings SSafetyMargin = {"Safety margin", "Veiligheidsmarge", "Sicherheitsabstand",
                                        "Marge de s\u00E9curit\u00E9", "Margen de seguridad", "Margine di sicurezza",
                                        "Sikkerhedsmargin", "S\u00E4kerhetsmarginal"};
const TLanguageStrings SOperationHeight = {"Operation height", "Bedieningshoogte", "Bedienungsh\u00F6he",
                                           "Hauteur de man\u0153uvre", "Altura de maniobra", "Altezza di manovra",
                                           "Betjeningsh\u00F8jde", "Man\u00F6vreringsh\u00F6jd"};
const TLanguageStrings SOperationHeightUnit = {"m (mast height plus safety margin)",
                                               "m (masthoogte plus veiligheidsmarge)",
                                               "m (Masth\u00F6he plus Sicherheitsabstand)",
                                               "m (hauteur du m\u00E2t plus marge de s\u00E9curit\u00E9)",
                                               "m (altura del m\u00E1stil m\u00E1s margen de seguridad)",
                                               "m (altezza dell'albero pi\u00F9 margine di sicurezza)",
                                               "m (masteh\u00F8jde plus sikkerhedsmargin)",
                                               "m (masth\u00F6jd plus s\u00E4kerhetsmarginal)"};
const TLanguageStrings SPhone = {"Phone number", "Telefoonnummer", "Telefonnummer", "Num\u00E9ro de t\u00E9l\u00E9phone",
                                 "N\u00FAmero de tel\u00E9fono", "Numero di telefono", "Telefonnummer", "Telefonnummer"};
const TLanguageStrings SRequired = {"(required)", "(verplicht)", "(erforderlich)", "(obligatoire)", "(obligatorio)",
                                    "(obbligatorio)", "(p\u00E5kr\u00E6vet)", "(obligatoriskt)"};
const TLanguageStrings SSafetyMarginUnit = {"m (extra margin on top of ship's height)",
                                            "m (extra marge bovenop de hoogte van het schip)",
                                            "m (zus\u00E4tzlich zur H\u00F6he des Schiffes)",
                                            "m (en plus de la hauteur du bateau)",
                                            "m (adicional a la altura del barco)",
                                            "m (in aggiunta all'altezza della barca)",
                                            "m (ud over skibets h\u00F8jde)",
                                            "m (ut\u00F6ver fartygets h\u00F6jd)"};
const TLanguageStrings SYes = {"Yes, enable function.", "Ja, functie inschakelen.", "Ja, Funktion einschalten.",
                              "Oui, activer la fonction.", "S\u00ED, activar la funci\u00F3n.", "S\u00EC, attiva la funzione.",
                              "Ja, sl\u00E5 funktionen til.", "Ja, aktivera funktionen."};
const TLanguageStrings SNo = {"No, do not participate.", "Nee, niet deelnemen.", "Nein, nicht teilnehmen.",
                             "Non, ne pas participer.", "No, no participar.", "No, non partecipare.",
                             "Nej, deltag ikke.", "Nej, delta inte."};
const TLanguageStrings SEnterShipName = {"Please enter the name of your ship", "Voer de naam van uw schip in",
                                        "Bitte geben Sie den Namen Ihres Schiffes ein", "Veuillez saisir le nom de votre bateau",
                                        "Introduzca el nombre de su barco", "Inserire il nome della barca",
                                        "Indtast navnet p\u00E5 dit skib", "Ange namnet p\u00E5 ditt fartyg"};

const char ExplanationPage[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
    "<html><head><title>Aanmelden bruggen en sluizen</title>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"
    "<style type=\"text/css\">body { font-family: Tahoma, Verdana, sans-serif; line-height: 1.2em; "
    "font-size: 0.7em; }</style></head><body>"
    "<p>Marivo can automatically send operation requests to participating bridges and locks in the Province "
    "of Noord-Holland, whenever you are nearer than 15 minutes from a bridge or lock (keeping in mind the "
    "maximum allowed speed on the fairway). </p>"
    "<p>The use of this function requires a working connection to the internet. Your ship's name, dimensions "
    "and optional MMSI need to be entered in the menu File - Properties - Ship.</p>"
    "<p>Privacy: Your ship's name in combination with data, position and speed will be send to the servers of "
    "Korvane and the Province of Noord-Holland, but will not be kept.</p>"
    "<p>Advantages of signing up in Marivo:</p><ul>"
    "<li>You will help optimize traffic flow resulting in a shorter waiting time for bridges and locks.</li>"
    "<li>Participating bridges in Noord-Holland are shown on the charts with a black circle. After an "
    "operation request it will turn green.</li>"
    "<li>Important bridges and locks in The Netherlands are connected to the BLIS (Blauwe Golf) system of RWS. "
    "In Routeplanner Info for the first BLIS bridge or lock you will reach the expected operation time, "
    "distance, and recommended speed are shown, if available. This will save you fuel with less CO2/NO2 "
    "emissions.</li></ul>"
    "<p>The log and general BMS statistics can be shown after clicking the Menu - Navigation - Sign up for "
    "bridges and locks log option. You can also enable or disable the function there.</p></body></html>";

QDoubleSpinBox *OneDecimal(QWidget *parent, double maximum) {
    auto *edit = new QDoubleSpinBox(parent);
    edit->setDecimals(1);
    edit->setRange(0, maximum);
    edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return edit;
}

}  // namespace

TFrameStartupZoS::TFrameStartupZoS(TMarivoNavEnv &env, QWidget *owner)
    : TFrameScaled(owner), HTMLViewer(new QTextBrowser(this)), LabelInfo3(new QLabel(this)),
      LabelShipName(new QLabel(this)), LabelRequired(new QLabel(this)), LabelMMSI(new QLabel(this)),
      LabelSafetyMargin(new QLabel(this)), LabelSafetyMarginUnit(new QLabel(this)),
      LabelOperationHeight(new QLabel(this)), LabelOperationHeightUnit(new QLabel(this)), LabelPhone(new QLabel(this)),
      EditShipName(new QLineEdit(this)), EditMMSINumber(new QSpinBox(this)), NumberEditSafetyMargin(OneDecimal(this, 3)),
      NumberEditOperationHeight(OneDecimal(this, 100)), EditPhone(new QLineEdit(this)), RadioYes(new QRadioButton(this)),
      RadioNo(new QRadioButton(this)), FEnv(env), FBoat(env.ActiveBoatDef) {
    setObjectName(QStringLiteral("FrameStartupZoS"));
    HTMLViewer->setFrameShape(QFrame::NoFrame);
    HTMLViewer->setOpenLinks(false);
    EditShipName->setMaxLength(120);
    EditMMSINumber->setRange(0, 999999999);
    EditMMSINumber->setButtonSymbols(QAbstractSpinBox::NoButtons);
    NumberEditOperationHeight->setReadOnly(true);
    NumberEditOperationHeight->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HTMLViewer, 1);
    auto *grid = new QGridLayout;
    grid->addWidget(LabelInfo3, 0, 0, 1, 3);
    grid->addWidget(LabelShipName, 1, 0);
    grid->addWidget(EditShipName, 1, 1);
    grid->addWidget(LabelRequired, 1, 2);
    grid->addWidget(LabelMMSI, 2, 0);
    grid->addWidget(EditMMSINumber, 2, 1);
    grid->addWidget(LabelSafetyMargin, 3, 0);
    grid->addWidget(NumberEditSafetyMargin, 3, 1);
    grid->addWidget(LabelSafetyMarginUnit, 3, 2);
    grid->addWidget(LabelOperationHeight, 4, 0);
    grid->addWidget(NumberEditOperationHeight, 4, 1);
    grid->addWidget(LabelOperationHeightUnit, 4, 2);
    grid->addWidget(LabelPhone, 5, 0);
    grid->addWidget(EditPhone, 5, 1);
    grid->addWidget(RadioYes, 1, 3);
    grid->addWidget(RadioNo, 2, 3);
    layout->addLayout(grid);
    LoadPage();
    ScaleToScreen();
}

void TFrameStartupZoS::LoadPage() {
    LabelInfo3->setText(LanguageText(SInfo3));
    LabelShipName->setText(LanguageText(SShipName) + QLatin1Char(':'));
    LabelSafetyMargin->setText(LanguageText(SSafetyMargin) + QLatin1Char(':'));
    LabelOperationHeight->setText(LanguageText(SOperationHeight) + QLatin1Char(':'));
    LabelOperationHeightUnit->setText(LanguageText(SOperationHeightUnit));
    LabelPhone->setText(LanguageText(SPhone) + QLatin1Char(':'));
    LabelRequired->setText(LanguageText(SRequired));
    LabelSafetyMarginUnit->setText(LanguageText(SSafetyMarginUnit));
    LabelMMSI->setText(QStringLiteral("MMSI:"));
    HTMLViewer->setHtml(QString::fromUtf8(ExplanationPage));
    QString name, phone;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), QString(), name);
    EditShipName->setText(name);
    EditShipName->setEnabled(name.isEmpty());
    const int32_t mmsi = FBoat ? FBoat->GetMMSI() : 0;
    EditMMSINumber->setValue(mmsi);
    EditMMSINumber->setEnabled(mmsi == 0);
    NumberEditSafetyMargin->setValue(
        RegReadSingleDef(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"StructOperSafeMargin"), 0.5f));
    NumberEditOperationHeight->setValue((FBoat ? FBoat->GetHeightStepped() : 0.0f) + NumberEditSafetyMargin->value());
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"StructOperPhone"), QString(), phone);
    EditPhone->setText(phone);
    const bool active = FEnv.StructOperationManager && FEnv.StructOperationManager->IsActive();
    (active ? RadioYes : RadioNo)->setChecked(true);
    RadioYes->setText(LanguageText(SYes));
    RadioNo->setText(LanguageText(SNo));
}

bool TFrameStartupZoS::CheckSignUp(bool &signUp) {
    signUp = RadioYes->isChecked();
    if (!signUp) return true;
    if (EditShipName->text().isEmpty()) {
        MsgBox(LanguageText(SEnterShipName), mtCustom, MsgButtons({mbOK}));
        EditShipName->setFocus();
        return false;
    }
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"ShipName"), EditShipName->text(), err);
    if (FBoat) FBoat->SetMMSI(EditMMSINumber->value());
    RegWriteSingle(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"StructOperSafeMargin"),
                   float(NumberEditSafetyMargin->value()), err);
    RegWriteString(GetAppReg(), AppRegRoot::Product, BoatKey, RegName(u"StructOperPhone"), EditPhone->text(), err);
    return true;
}

bool TFrameStartupZoS::event(QEvent *event) {
    if (event->type() == QEvent::ParentAboutToChange) LoadPage();
    return TFrameScaled::event(event);
}
