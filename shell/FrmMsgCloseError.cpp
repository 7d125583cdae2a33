#include "shell/FrmMsgCloseError.h"

#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int HelpContext = 17000;
constexpr int FormWidth = 480, SmallHeight = 200, ExpandedHeight = 420;
const QString DeviceKey = QStringLiteral("NavMsgDeviceManager");
const QString GRIBKey = QStringLiteral("GRIB");
// The help desk's address; the domain is reserved for examples.
const QString HelpDeskAddress = QStringLiteral("helpdesk@korvane.example");

const TLanguageStrings SNotClosed = {
    "The previous session of %1 has not been closed properly. This might have happened because "
    "of a power failure of your PC or laptop or because the %1 process has been terminated in "
    "the task manager.",
    /*nl*/
    "De vorige sessie van %1 is niet correct afgesloten. Dit kan gebeurd zijn door een "
    "stroomstoring van uw pc of laptop of doordat het proces %1 in taakbeheer is "
    "be\u00EBindigd.",
    /*de*/
    "Die letzte Sitzung von %1 wurde nicht ordnungsgem\u00E4\u00DF beendet. Das kann an einem "
    "Stromausfall Ihres PCs oder Laptops liegen oder daran, dass der Prozess %1 im "
    "Task-Manager beendet wurde.",
    /*fr*/
    "La session pr\u00E9c\u00E9dente de %1 n'a pas \u00E9t\u00E9 ferm\u00E9e correctement. Cela "
    "peut \u00EAtre d\u00FB \u00E0 une coupure de courant de votre PC ou portable ou \u00E0 "
    "l'arr\u00EAt du processus %1 dans le gestionnaire des t\u00E2ches.",
    /*es*/ "",
    /*it*/
    "La sessione precedente di %1 non \u00E8 stata chiusa correttamente. Pu\u00F2 essere "
    "successo per un'interruzione di corrente del PC o portatile o perch\u00E9 il processo %1 "
    "\u00E8 stato terminato nel task manager.",
    /*da*/
    "Den forrige session af %1 blev ikke lukket korrekt. Det kan skyldes en str\u00F8msvigt "
    "p\u00E5 din pc eller b\u00E6rbare, eller at processen %1 er blevet afsluttet i "
    "jobliste.",
    /*sv*/
    "F\u00F6reg\u00E5ende session av %1 avslutades inte korrekt. Det kan bero p\u00E5 ett "
    "str\u00F6mavbrott i din dator eller b\u00E4rbara dator eller p\u00E5 att processen %1 har "
    "avslutats i aktivitetshanteraren."};
const TLanguageStrings SClosedByError = {
    "The previous session of %1 has been closed because of an error.",
    /*nl*/ "De vorige sessie van %1 is afgesloten vanwege een fout.",
    /*de*/ "Die letzte Sitzung von %1 wurde wegen eines Fehlers beendet.",
    /*fr*/ "La session pr\u00E9c\u00E9dente de %1 a \u00E9t\u00E9 ferm\u00E9e \u00E0 cause d'une erreur.",
    /*es*/ "",
    /*it*/ "La sessione precedente di %1 \u00E8 stata chiusa a causa di un errore.",
    /*da*/ "Den forrige session af %1 blev lukket p\u00E5 grund af en fejl.",
    /*sv*/ "F\u00F6reg\u00E5ende session av %1 avslutades p\u00E5 grund av ett fel."};
const TLanguageStrings SStartAgain = {
    "The program will be started again when you click the OK button.",
    /*nl*/ "Het programma wordt opnieuw gestart als u op de knop OK klikt.",
    /*de*/ "Das Programm wird erneut gestartet, wenn Sie auf OK klicken.",
    /*fr*/ "Le programme red\u00E9marrera lorsque vous cliquerez sur le bouton OK.",
    /*es*/ "",
    /*it*/ "Il programma verr\u00E0 riavviato quando si fa clic sul pulsante OK.",
    /*da*/ "Programmet startes igen, n\u00E5r du klikker p\u00E5 knappen OK.",
    /*sv*/ "Programmet startas igen n\u00E4r du klickar p\u00E5 knappen OK."};
const TLanguageStrings SSolution = {
    "Click here for a possible solution...",
    /*nl*/ "Klik hier voor een mogelijke oplossing...",
    /*de*/ "Klicken Sie hier f\u00FCr eine m\u00F6gliche L\u00F6sung...",
    /*fr*/ "Cliquez ici pour une solution possible...",
    /*es*/ "",
    /*it*/ "Fare clic qui per una possibile soluzione...",
    /*da*/ "Klik her for en mulig l\u00F8sning...",
    /*sv*/ "Klicka h\u00E4r f\u00F6r en m\u00F6jlig l\u00F6sning..."};
const TLanguageStrings SMoreInformation = {
    "More information", /*nl*/ "Meer informatie", /*de*/ "Weitere Informationen",
    /*fr*/ "Plus d'informations", /*es*/ "", /*it*/ "Ulteriori informazioni",
    /*da*/ "Flere oplysninger", /*sv*/ "Mer information"};
const TLanguageStrings SProblemInfo = {
    "When the program keeps crashing it might be possible to solve the problem by installing an "
    "update or by resetting the program settings to the default settings. No important data "
    "will be lost by this action. If the problem still exists after these actions please "
    "contact our helpdesk",
    /*nl*/
    "Als het programma blijft vastlopen, kan het probleem misschien worden opgelost door een "
    "update te installeren of door de programma-instellingen terug te zetten naar de "
    "standaardinstellingen. Hierbij gaan geen belangrijke gegevens verloren. Neem contact op "
    "met onze helpdesk als het probleem daarna nog steeds bestaat",
    /*de*/
    "Wenn das Programm immer wieder abst\u00FCrzt, l\u00E4sst sich das Problem vielleicht durch "
    "die Installation eines Updates oder durch das Zur\u00FCcksetzen der Programmeinstellungen "
    "auf die Standardeinstellungen l\u00F6sen. Dabei gehen keine wichtigen Daten verloren. "
    "Besteht das Problem danach weiterhin, wenden Sie sich bitte an unseren Helpdesk",
    /*fr*/
    "Si le programme continue de planter, le probl\u00E8me peut peut-\u00EAtre \u00EAtre "
    "r\u00E9solu en installant une mise \u00E0 jour ou en r\u00E9tablissant les param\u00E8tres "
    "par d\u00E9faut du programme. Aucune donn\u00E9e importante ne sera perdue. Si le "
    "probl\u00E8me persiste apr\u00E8s cela, veuillez contacter notre service d'assistance",
    /*es*/ "",
    /*it*/
    "Se il programma continua a bloccarsi, il problema si pu\u00F2 forse risolvere installando "
    "un aggiornamento o ripristinando le impostazioni predefinite del programma. Nessun dato "
    "importante andr\u00E0 perso. Se il problema persiste, contattare il nostro servizio di "
    "assistenza",
    /*da*/
    "Hvis programmet bliver ved med at g\u00E5 ned, kan problemet m\u00E5ske l\u00F8ses ved at "
    "installere en opdatering eller ved at nulstille programindstillingerne til "
    "standardindstillingerne. Ingen vigtige data g\u00E5r tabt herved. Hvis problemet stadig "
    "findes derefter, s\u00E5 kontakt vores helpdesk",
    /*sv*/
    "Om programmet forts\u00E4tter att krascha kan problemet kanske l\u00F6sas genom att "
    "installera en uppdatering eller genom att \u00E5terst\u00E4lla programinst\u00E4llningarna "
    "till standardinst\u00E4llningarna. Inga viktiga data g\u00E5r f\u00F6rlorade. Kontakta "
    "v\u00E5r helpdesk om problemet finns kvar efter detta"};
const TLanguageStrings SClear = {
    "Reset the following settings", /*nl*/ "De volgende instellingen terugzetten",
    /*de*/ "Folgende Einstellungen zur\u00FCcksetzen", /*fr*/ "R\u00E9initialiser les param\u00E8tres suivants",
    /*es*/ "", /*it*/ "Ripristina le seguenti impostazioni", /*da*/ "Nulstil f\u00F8lgende indstillinger",
    /*sv*/ "\u00C5terst\u00E4ll f\u00F6ljande inst\u00E4llningar"};
const TLanguageStrings SProgramSettings = {
    "Program settings", /*nl*/ "Programma-instellingen", /*de*/ "Programmeinstellungen",
    /*fr*/ "Param\u00E8tres du programme", /*es*/ "", /*it*/ "Impostazioni del programma",
    /*da*/ "Programindstillinger", /*sv*/ "Programinst\u00E4llningar"};
const TLanguageStrings SGPSSettings = {
    "GPS settings", /*nl*/ "GPS-instellingen", /*de*/ "GPS-Einstellungen",
    /*fr*/ "Param\u00E8tres GPS", /*es*/ "", /*it*/ "Impostazioni GPS",
    /*da*/ "GPS-indstillinger", /*sv*/ "GPS-inst\u00E4llningar"};
const TLanguageStrings SGRIBFiles = {
    "GRIB files", /*nl*/ "GRIB-bestanden", /*de*/ "GRIB-Dateien", /*fr*/ "Fichiers GRIB",
    /*es*/ "", /*it*/ "File GRIB", /*da*/ "GRIB-filer", /*sv*/ "GRIB-filer"};
const TLanguageStrings SInstallUpdate = {
    "Install an update", /*nl*/ "Een update installeren", /*de*/ "Ein Update installieren",
    /*fr*/ "Installer une mise \u00E0 jour", /*es*/ "", /*it*/ "Installa un aggiornamento",
    /*da*/ "Installer en opdatering", /*sv*/ "Installera en uppdatering"};
const TLanguageStrings SFind = {
    "Find", /*nl*/ "Zoeken", /*de*/ "Suchen", /*fr*/ "Rechercher", /*es*/ "", /*it*/ "Cerca",
    /*da*/ "S\u00F8g", /*sv*/ "S\u00F6k"};
const TLanguageStrings SHelp = {
    "&Help (F1)", /*nl*/ "&Help (F1)", /*de*/ "&Hilfe (F1)", /*fr*/ "&Aide (F1)",
    /*es*/ "", /*it*/ "&Guida (F1)", /*da*/ "&Hj\u00E6lp (F1)", /*sv*/ "&Hj\u00E4lp (F1)"};

}  // namespace

TFormMsgCloseError::TFormMsgCloseError(TExecState state, QWidget *parent)
    : TFormScaled(parent), LabelMsgTitle(new QLabel(this)), LabelMsg(new QLabel(this)),
      LabelProblemSolve(new QLabel(this)), LabelProblemInfo(new QLabel(this)),
      LabelUpdate(new QLabel(this)), LabelClear(new QLabel(this)),
      ButtonUpdate(new QPushButton(this)), CheckBoxClearRegistry(new QCheckBox(this)),
      CheckBoxClearDeviceSettings(new QCheckBox(this)), CheckBoxClearGRIBFiles(new QCheckBox(this)),
      ButtonOk(new QPushButton(this)), ButtonCancel(new QPushButton(this)),
      ButtonHelp(new QPushButton(this)) {
    const QString title = ProgInfoGetTitle();
    setWindowTitle(title);
    QFont bold = LabelMsgTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    LabelMsgTitle->setFont(bold);
    LabelMsgTitle->setText(LanguageText(KvStr::TitleWarning));
    const QString what = state == TExecState::TerminatedByLibrary
                             ? LanguageText(SClosedByError).arg(title)
                             : LanguageText(SNotClosed).arg(title);
    LabelMsg->setText(what + QStringLiteral("\n\n") + LanguageText(SStartAgain));
    LabelMsg->setWordWrap(true);
    LabelProblemSolve->setText(LanguageText(SSolution));
    LabelProblemSolve->installEventFilter(this);
    LabelProblemSolve->setForegroundRole(QPalette::Link);
    LabelProblemInfo->setText(LanguageText(SProblemInfo) + QStringLiteral(" (") +
                              HelpDeskAddress + QStringLiteral(")."));
    LabelProblemInfo->setWordWrap(true);
    LabelClear->setText(LanguageText(SClear) + QStringLiteral(":"));
    CheckBoxClearRegistry->setText(LanguageText(SProgramSettings));
    CheckBoxClearDeviceSettings->setText(LanguageText(SGPSSettings));
    CheckBoxClearGRIBFiles->setText(LanguageText(SGRIBFiles));
    LabelUpdate->setText(LanguageText(SInstallUpdate));
    ButtonUpdate->setText(LanguageText(SFind));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonHelp->setText(LanguageText(SHelp));
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, &TFormMsgCloseError::ShowHelp);
    connect(ButtonUpdate, &QPushButton::clicked, this, [this] {
        UpdateChosen = true;
        accept();
    });

    auto *update = new QHBoxLayout;
    update->addWidget(LabelUpdate);
    update->addWidget(ButtonUpdate);
    update->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelMsgTitle);
    layout->addWidget(LabelMsg);
    layout->addWidget(LabelProblemSolve);
    layout->addWidget(LabelProblemInfo);
    layout->addWidget(LabelClear);
    layout->addWidget(CheckBoxClearRegistry);
    layout->addWidget(CheckBoxClearDeviceSettings);
    layout->addWidget(CheckBoxClearGRIBFiles);
    layout->addLayout(update);
    layout->addStretch(1);
    layout->addLayout(buttons);
    for (QWidget *w : std::initializer_list<QWidget *>{
             LabelProblemInfo, LabelClear, CheckBoxClearRegistry, CheckBoxClearDeviceSettings,
             CheckBoxClearGRIBFiles, LabelUpdate, ButtonUpdate})
        w->hide();
    PlaceOnScreen(SmallHeight);
}

void TFormMsgCloseError::PlaceOnScreen(int height96) {
    const int dpi = ScreenDpi();
    setFixedSize(ScaleValue(FormWidth, dpi), ScaleValue(height96, dpi));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - width()) / 2,
             s.top() + (s.height() - ScaleValue(ExpandedHeight, dpi)) / 2);
    }
}

void TFormMsgCloseError::SetLinkHot(bool hot) {
    QFont f = LabelProblemSolve->font();
    f.setUnderline(hot);
    LabelProblemSolve->setFont(f);
    LabelProblemSolve->setCursor(hot ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFormMsgCloseError::ShowSolution() {
    if (FExpanded) return;
    FExpanded = true;
    PlaceOnScreen(ExpandedHeight);
    for (QWidget *w : std::initializer_list<QWidget *>{LabelProblemInfo, LabelClear,
                                                        CheckBoxClearRegistry,
                                                        CheckBoxClearDeviceSettings, LabelUpdate,
                                                        ButtonUpdate})
        w->show();
    SetLinkHot(false);
    QFont f = LabelProblemSolve->font();
    f.setBold(true);
    LabelProblemSolve->setFont(f);
    LabelProblemSolve->setForegroundRole(QPalette::WindowText);
    LabelProblemSolve->setText(LanguageText(SMoreInformation));
}

bool TFormMsgCloseError::eventFilter(QObject *watched, QEvent *event) {
    if (watched == LabelProblemSolve && !FExpanded) {
        switch (event->type()) {
        case QEvent::Enter: SetLinkHot(true); break;
        case QEvent::Leave: SetLinkHot(false); break;
        case QEvent::MouseButtonRelease: ShowSolution(); return true;
        default: break;
        }
    }
    return TFormScaled::eventFilter(watched, event);
}

void TFormMsgCloseError::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelp();
        return;
    }
    TFormScaled::keyPressEvent(event);
}

void TFormMsgCloseError::ShowHelp() {
    GetHTMLHelper().HelpContext(HelpContext);
}

int TFormMsgCloseError::ResultFor(int dialogResult) const {
    if (dialogResult != QDialog::Accepted) return 1;
    return UpdateChosen ? 2 : 0;
}

void TFormMsgCloseError::EraseChosenSettings() {
    int32_t err = 0;
    const bool device = CheckBoxClearDeviceSettings->isChecked();
    const bool grib = CheckBoxClearGRIBFiles->isChecked();
    if (device) RegDeleteKey(GetAppReg(), AppRegRoot::Product, DeviceKey, err);
    if (grib) RegDeleteKey(GetAppReg(), AppRegRoot::Product, GRIBKey, err);
    if (CheckBoxClearRegistry->isChecked()) {
        QStringList keys;
        RegGetKeyNames(GetAppReg(), AppRegRoot::Product, QString(), keys, err);
        for (const QString &key : keys) {
            const bool kept = key.compare(DeviceKey, Qt::CaseInsensitive) == 0 ||
                              key.compare(GRIBKey, Qt::CaseInsensitive) == 0;
            if (!kept) RegDeleteKey(GetAppReg(), AppRegRoot::Product, key, err);
        }
    }
    // The language lives among the erased settings.
    RegWriteLanguage();
}

TFormMsgCloseError::TPrompter &TFormMsgCloseError::Prompter() {
    static TPrompter prompter;
    return prompter;
}

TFormMsgCloseError::TPrompter TFormMsgCloseError::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

int ShowCloseError(TExecState state) {
    TFormMsgCloseError form(state);
    const int dialogResult =
        TFormMsgCloseError::Prompter() ? TFormMsgCloseError::Prompter()(form) : form.exec();
    const int result = form.ResultFor(dialogResult);
    if (result == 0) form.EraseChosenSettings();
    return result;
}
