#include "shell/FrmPrint.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/texts/KvStr.h"
#include "shell/MarivoPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int HelpContextPrint = 4004;
constexpr int MaxCopies = 1000;

const TLanguageStrings TextCaption = {"Print",   "Afdrukken", "Drucken", "Imprimer",
                                      "Imprimir", "Stampa",   "Udskriv", "Skriv ut"};
const TLanguageStrings TextNoPrinter = {
    "Charts cannot be printed, because no printer is installed.",
    "Kaarten kunnen niet worden afgedrukt, omdat er geen printer is geïnstalleerd.",
    "Karten können nicht gedruckt werden, weil kein Drucker installiert ist.",
    "Impossible d'imprimer les cartes, car aucune imprimante n'est installée.",
    "No se pueden imprimir cartas porque no hay ninguna impresora instalada.",
    "Impossibile stampare le carte perché non è installata alcuna stampante.",
    "Søkort kan ikke udskrives, fordi der ikke er installeret en printer.",
    "Sjökort kan inte skrivas ut eftersom ingen skrivare är installerad."};
const TLanguageStrings TextNoPrinterSelected = {
    "Cannot show properties. No printer selected.",
    "Kan de eigenschappen niet tonen. Er is geen printer gekozen.",
    "Eigenschaften können nicht angezeigt werden. Kein Drucker ausgewählt.",
    "Impossible d'afficher les propriétés. Aucune imprimante sélectionnée.",
    "No se pueden mostrar las propiedades. No hay ninguna impresora seleccionada.",
    "Impossibile mostrare le proprietà. Nessuna stampante selezionata.",
    "Egenskaberne kan ikke vises. Der er ikke valgt en printer.",
    "Egenskaperna kan inte visas. Ingen skrivare är vald."};
const TLanguageStrings TextProperties = {
    "&Properties...", "&Eigenschappen...", "&Eigenschaften...", "&Propriétés...",
    "&Propiedades...", "&Proprietà...",    "&Egenskaber...",    "&Egenskaper..."};
const TLanguageStrings TextRoutes = {
    "Visible routes", "Zichtbare routes", "Sichtbare Routen", "Routes visibles",
    "Rutas visibles", "Rotte visibili",   "Synlige ruter",    "Synliga rutter"};
const TLanguageStrings TextTracks = {
    "Visible tracks", "Zichtbare tracks", "Sichtbare Tracks", "Traces visibles",
    "Trazas visibles", "Tracce visibili", "Synlige spor",     "Synliga spår"};
const TLanguageStrings TextWaypoints = {
    "Visible waypoints", "Zichtbare waypoints", "Sichtbare Wegpunkte", "Points de route visibles",
    "Waypoints visibles", "Waypoint visibili",  "Synlige waypoints",   "Synliga waypoints"};
const TLanguageStrings TextCopies = {
    "Number of copies", "Aantal exemplaren", "Anzahl der Exemplare", "Nombre de copies",
    "Número de copias", "Numero di copie",   "Antal kopier",         "Antal exemplar"};
const TLanguageStrings TextOrientation = {"Orientation", "Afdrukstand", "Ausrichtung", "Orientation",
                                          "Orientación", "Orientamento", "Retning",   "Orientering"};
const TLanguageStrings TextAutomatic = {"Automatic",  "Automatisch", "Automatisch", "Automatique",
                                        "Automática", "Automatico",  "Automatisk",  "Automatisk"};
const TLanguageStrings TextPortrait = {"Portrait", "Staand",   "Hochformat", "Portrait",
                                       "Vertical", "Verticale", "Stående",   "Stående"};
const TLanguageStrings TextLandscape = {"Landscape",  "Liggend",     "Querformat", "Paysage",
                                        "Horizontal", "Orizzontale", "Liggende",   "Liggande"};

TPrinterSource SystemPrinters() {
    TPrinterSource s;
    s.Names = [] { return QPrinterInfo::availablePrinterNames(); };
    s.Current = [] { return ProgramPrinter().isValid() ? ProgramPrinter().printerName() : QString(); };
    s.Select = [](const QString &name) {
        ProgramPrinter().setPrinterName(name);
        return ProgramPrinter().printerName() == name;
    };
    return s;
}

TPrinterSource &Source() {
    static TPrinterSource source = SystemPrinters();
    return source;
}

TFormPrint::TPageSetupPrompter &PageSetupPrompter() {
    static TFormPrint::TPageSetupPrompter prompter;
    return prompter;
}

}  // namespace

TFormPrint::TFormPrint(QWidget *parent)
    : TFormSettingsDialog(HelpContextPrint, parent), ComboBoxPrinters(new QComboBox(this)),
      ButtonPreferences(new QPushButton(this)), EditPrinterCopies(new TNumberEdit(this)),
      UpDownPrinterCopies(new QWidget(this)), ButtonCopiesUp(new QToolButton(UpDownPrinterCopies)),
      ButtonCopiesDown(new QToolButton(UpDownPrinterCopies)), RadioButtonAutomatic(new QRadioButton(this)),
      RadioButtonPortrait(new QRadioButton(this)), RadioButtonLandscape(new QRadioButton(this)),
      CheckBoxRoutes(new QCheckBox(this)), CheckBoxTracks(new QCheckBox(this)), CheckBoxWaypoints(new QCheckBox(this)),
      FLabelGeneral(SettingsHeading(this)), FLabelName(new QLabel(this)), FLabelCopies(new QLabel(this)),
      FLabelOrientation(SettingsHeading(this)), FLabelPrint(SettingsHeading(this)) {
    setObjectName(QStringLiteral("FormPrint"));
    ComboBoxPrinters->setEditable(false);
    EditPrinterCopies->SetMin(1);
    EditPrinterCopies->SetMax(MaxCopies);
    EditPrinterCopies->Step = 1;
    EditPrinterCopies->SetIntValue(1);
    EditPrinterCopies->setAlignment(Qt::AlignRight);
    ButtonCopiesUp->setArrowType(Qt::UpArrow);
    ButtonCopiesDown->setArrowType(Qt::DownArrow);
    RadioButtonAutomatic->setChecked(true);
    // The caption stands left of the box.
    for (QCheckBox *box : {CheckBoxRoutes, CheckBoxTracks, CheckBoxWaypoints}) box->setLayoutDirection(Qt::RightToLeft);
    BuildLayout();
    FillPrinters();
    SetTexts();
    connect(ComboBoxPrinters, &QComboBox::activated, this, &TFormPrint::ComboBoxPrintersChange);
    connect(ButtonPreferences, &QPushButton::clicked, this, &TFormPrint::ButtonPreferencesClick);
    connect(ButtonCopiesUp, &QToolButton::clicked, this, [this] { UpDownPrinterCopiesClick(true); });
    connect(ButtonCopiesDown, &QToolButton::clicked, this, [this] { UpDownPrinterCopiesClick(false); });
    EditPrinterCopies->OnExit = [this](QObject *) { EditPrinterCopiesExit(); };
    for (QRadioButton *r : {RadioButtonAutomatic, RadioButtonPortrait, RadioButtonLandscape})
        connect(r, &QRadioButton::clicked, this, &TFormPrint::RadioButtonOrientationClick);
    ButtonOk->setFocus();
}

void TFormPrint::BuildLayout() {
    auto *upDown = new QVBoxLayout(UpDownPrinterCopies);
    upDown->setContentsMargins(0, 0, 0, 0);
    upDown->setSpacing(0);
    for (QToolButton *b : {ButtonCopiesUp, ButtonCopiesDown}) {
        b->setFixedSize(18, 12);
        upDown->addWidget(b);
    }
    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 16);
    int row = 0;
    grid->addWidget(FLabelGeneral, row++, 0, 1, 5);
    grid->addWidget(FLabelName, row, 1);
    grid->addWidget(ComboBoxPrinters, row, 2, 1, 2);
    grid->addWidget(ButtonPreferences, row++, 4);
    grid->addWidget(FLabelCopies, row, 1);
    auto *copies = new QHBoxLayout;
    copies->setSpacing(0);
    EditPrinterCopies->setFixedWidth(70);
    copies->addWidget(EditPrinterCopies);
    copies->addWidget(UpDownPrinterCopies);
    copies->addStretch(1);
    grid->addLayout(copies, row++, 2);
    grid->addWidget(FLabelOrientation, row++, 0, 1, 5);
    for (QRadioButton *r : {RadioButtonAutomatic, RadioButtonPortrait, RadioButtonLandscape})
        grid->addWidget(r, row++, 1, 1, 3);
    grid->addWidget(FLabelPrint, row++, 0, 1, 5);
    for (QCheckBox *c : {CheckBoxRoutes, CheckBoxTracks, CheckBoxWaypoints}) grid->addWidget(c, row++, 1, 1, 1);
    grid->setColumnStretch(3, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(ButtonRow());
    setFixedWidth(460);
}

void TFormPrint::SetTexts() {
    setWindowTitle(LanguageText(TextCaption));
    SetButtonCaptions();
    ButtonPreferences->setText(LanguageText(TextProperties));
    CheckBoxRoutes->setText(ColonCaption(TextRoutes));
    CheckBoxTracks->setText(ColonCaption(TextTracks));
    CheckBoxWaypoints->setText(ColonCaption(TextWaypoints));
    FLabelCopies->setText(ColonCaption(TextCopies));
    FLabelGeneral->setText(LanguageText(SettingsTextGeneral));
    FLabelName->setText(ColonCaption(KvStr::ColName));
    FLabelOrientation->setText(LanguageText(TextOrientation));
    FLabelPrint->setText(LanguageText(TextCaption));
    RadioButtonAutomatic->setText(LanguageText(TextAutomatic));
    RadioButtonLandscape->setText(LanguageText(TextLandscape));
    RadioButtonPortrait->setText(LanguageText(TextPortrait));
}

void TFormPrint::FillPrinters() {
    const QStringList names = Source().Names ? Source().Names() : QStringList();
    ComboBoxPrinters->addItems(names);
    // No current printer leaves the list without a selection.
    ComboBoxPrinters->setCurrentIndex(Source().Current ? int(names.indexOf(Source().Current())) : -1);
}

void TFormPrint::ComboBoxPrintersChange() {
    // A printer the platform refuses leaves the current one as it was.
    if (Source().Select) Source().Select(ComboBoxPrinters->currentText());
}

void TFormPrint::ButtonPreferencesClick() {
    if (!Source().Current || Source().Current().isEmpty()) {
        MsgBox(LanguageText(TextNoPrinterSelected), mtError, MsgButtons({mbOK}));
        return;
    }
    QPageSetupDialog dialog(&ProgramPrinter(), this);
    if (PageSetupPrompter())
        PageSetupPrompter()(dialog);
    else
        dialog.exec();
}

void TFormPrint::TakeCopies() {
    ProgramPrinter().setCopyCount(int(EditPrinterCopies->GetIntValue()));
}

void TFormPrint::EditPrinterCopiesExit() {
    // A typed number counts as much as one set with the arrows.
    TakeCopies();
}

void TFormPrint::UpDownPrinterCopiesClick(bool up) {
    if (up)
        EditPrinterCopies->StepUp();
    else
        EditPrinterCopies->StepDown();
    TakeCopies();
}

void TFormPrint::RadioButtonOrientationClick() {
    FOrientation = RadioButtonAutomatic->isChecked() ? 0 : RadioButtonPortrait->isChecked() ? 1 : 2;
}

uint8_t TFormPrint::GetPrintSet() const {
    uint8_t set = 0;
    if (CheckBoxRoutes->isChecked()) set |= PrintSet::Routes;
    if (CheckBoxTracks->isChecked()) set |= PrintSet::Tracks;
    if (CheckBoxWaypoints->isChecked()) set |= PrintSet::Waypoints;
    return set;
}

void TFormPrint::CloseQuery(bool ok) {
    if (!ok) return;
    // The number being typed when OK was pressed.
    EditPrinterCopies->DoExit();
    TakeCopies();
}

bool TFormPrint::Execute(uint8_t &orientation, uint8_t &printSet, QWidget *parent) {
    if (!Source().Names || Source().Names().isEmpty()) {
        MsgBox(LanguageText(TextNoPrinter), mtWarning, MsgButtons({mbOK}));
        return false;
    }
    TFormPrint form(parent);
    const bool ok = Run(form, TSettingsPrompter<TFormPrint>::Get()) == QDialog::Accepted;
    orientation = form.Orientation();
    printSet = form.GetPrintSet();
    return ok;
}

TPrinterSource TFormPrint::SetPrinterSource(TPrinterSource source) {
    std::swap(Source(), source);
    return source;
}

TFormPrint::TPageSetupPrompter TFormPrint::SetPageSetupPrompter(TPageSetupPrompter prompter) {
    std::swap(PageSetupPrompter(), prompter);
    return prompter;
}
