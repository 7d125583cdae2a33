#include "shell/FrmMsgWaiting.h"

#include "base/kvlib/KvProgInfo.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"

#include <QLabel>
#include <QPushButton>

namespace {

const TLanguageStrings SHeader = {
    "Please wait...", /*nl*/ "Even geduld a.u.b....", /*de*/ "Bitte warten...",
    /*fr*/ "Veuillez patienter...", /*es*/ "", /*it*/ "Attendere prego...",
    /*da*/ "Vent venligst...", /*sv*/ "V\u00E4nta..."};
const TLanguageStrings SWaiting = {
    "%1 is waiting for %2 to finish.\r\nIf nothing seems to happen please check the taskbar to "
    "see if the program is waiting for your input.",
    /*nl*/
    "%1 wacht tot %2 klaar is.\r\nAls er niets lijkt te gebeuren, kijk dan in de taakbalk of "
    "het programma op uw invoer wacht.",
    /*de*/
    "%1 wartet, bis %2 beendet ist.\r\nWenn nichts zu geschehen scheint, pr\u00FCfen Sie bitte in "
    "der Taskleiste, ob das Programm auf Ihre Eingabe wartet.",
    /*fr*/
    "%1 attend la fin de %2.\r\nSi rien ne semble se passer, v\u00E9rifiez dans la barre des "
    "t\u00E2ches si le programme attend votre saisie.",
    /*es*/ "",
    /*it*/
    "%1 attende il termine di %2.\r\nSe non sembra accadere nulla, controllare nella barra delle "
    "applicazioni se il programma attende un input.",
    /*da*/
    "%1 venter p\u00E5, at %2 bliver f\u00E6rdig.\r\nHvis intet ser ud til at ske, s\u00E5 se "
    "p\u00E5 proceslinjen, om programmet venter p\u00E5 dit input.",
    /*sv*/
    "%1 v\u00E4ntar p\u00E5 att %2 ska bli klart.\r\nOm inget verkar h\u00E4nda, kontrollera i "
    "aktivitetsf\u00E4ltet om programmet v\u00E4ntar p\u00E5 dina uppgifter."};

constexpr int FormWidth = 440, FormHeight = 140, Margin = 12;

TFormMsgWaiting::TPrompter &Prompter() {
    static TFormMsgWaiting::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormMsgWaiting::TFormMsgWaiting(const QString &message, bool showCancel, TJob job,
                                 QWidget *parent)
    : TFormScaled(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      LabelHeader(new QLabel(this)), LabelMessage(new QLabel(this)),
      ButtonCancel(new QPushButton(this)), FJob(std::move(job)) {
    setWindowTitle(ProgInfoGetTitle());
    setFixedSize(FormWidth, FormHeight);
    QFont header = LabelHeader->font();
    header.setBold(true);
    LabelHeader->setFont(header);
    LabelHeader->setText(LanguageText(SHeader));
    LabelHeader->setGeometry(Margin, Margin, FormWidth - 2 * Margin, 20);
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonCancel->resize(ButtonCancel->sizeHint().expandedTo(QSize(80, 26)));
    ButtonCancel->move(FormWidth - Margin - ButtonCancel->width(),
                       FormHeight - Margin - ButtonCancel->height());
    ButtonCancel->setVisible(showCancel);
    ButtonCancel->setEnabled(showCancel);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormMsgWaiting::CancelClicked);
    // With Cancel the message ends 10 pixels left of the button.
    const int messageRight = showCancel ? ButtonCancel->x() - 10 : FormWidth - Margin;
    LabelMessage->setWordWrap(true);
    LabelMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelMessage->setText(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    LabelMessage->setGeometry(Margin, Margin + 28, messageRight - Margin,
                              FormHeight - 2 * Margin - 28);
    ScaleConstraints();
    // The job starts once the dialog is shown and its modal loop runs.
    QMetaObject::invokeMethod(this, &TFormMsgWaiting::RunJob, Qt::QueuedConnection);
}

void TFormMsgWaiting::RunJob() {
    if (FJob) FJob(*this);
    accept();
}

void TFormMsgWaiting::CancelClicked() {
    FCancelled = true;
    ButtonCancel->setEnabled(false);
}

void TFormMsgWaiting::reject() {
    if (ButtonCancel->isVisible() && ButtonCancel->isEnabled()) CancelClicked();
}

void TFormMsgWaiting::Execute(const QString &message, bool showCancel, TJob job) {
    TFormMsgWaiting form(message, showCancel, std::move(job));
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}

QString TFormMsgWaiting::WaitingText(const QString &programName) {
    return LanguageText(SWaiting).arg(ProgInfoGetTitle(), programName);
}

TFormMsgWaiting::TPrompter TFormMsgWaiting::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}
