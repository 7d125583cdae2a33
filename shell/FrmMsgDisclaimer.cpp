#include "shell/FrmMsgDisclaimer.h"

#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int CloseAfterMs = 5000;

const TLanguageStrings SCaption = {
    "Disclaimer", /*nl*/ "Disclaimer", /*de*/ "Haftungsausschluss",
    /*fr*/ "Avertissement l\u00E9gal", /*es*/ "", /*it*/ "Esclusione di responsabilit\u00E0",
    /*da*/ "Ansvarsfraskrivelse", /*sv*/ "Ansvarsfriskrivning"};
const TLanguageStrings SDisclaimer = {
    "The use of this program and the charts is at your own risk.\r\n\r\nKorvane Software cannot "
    "be held responsible for any damage caused by the use of this program.",
    /*nl*/
    "Het gebruik van dit programma en de kaarten is voor eigen risico.\r\n\r\nKorvane Software "
    "kan niet aansprakelijk worden gesteld voor schade die door het gebruik van dit programma "
    "is ontstaan.",
    /*de*/
    "Die Nutzung dieses Programms und der Karten erfolgt auf eigene Gefahr.\r\n\r\nKorvane "
    "Software haftet nicht f\u00FCr Sch\u00E4den, die durch die Nutzung dieses Programms "
    "entstehen.",
    /*fr*/
    "L'utilisation de ce programme et des cartes se fait \u00E0 vos propres risques.\r\n\r\n"
    "Korvane Software ne peut \u00EAtre tenu responsable des dommages caus\u00E9s par "
    "l'utilisation de ce programme.",
    /*es*/ "",
    /*it*/
    "L'uso di questo programma e delle carte \u00E8 a proprio rischio.\r\n\r\nKorvane Software "
    "non pu\u00F2 essere ritenuta responsabile per eventuali danni causati dall'uso di questo "
    "programma.",
    /*da*/
    "Brug af dette program og s\u00F8kortene sker p\u00E5 eget ansvar.\r\n\r\nKorvane Software "
    "kan ikke holdes ansvarlig for skader, der skyldes brugen af dette program.",
    /*sv*/
    "Anv\u00E4ndningen av detta program och sj\u00F6korten sker p\u00E5 egen risk.\r\n\r\n"
    "Korvane Software kan inte h\u00E5llas ansvarigt f\u00F6r skador som orsakas av "
    "anv\u00E4ndningen av detta program."};

}  // namespace

TFormMsgDisclaimer::TFormMsgDisclaimer(QWidget *parent)
    : TFormScaled(parent), LabelHeader(new QLabel(this)), LabelDisclaimer(new QLabel(this)),
      ButtonOk(new QPushButton(this)), TimerClose(new QTimer(this)) {
    setWindowTitle(LanguageText(SCaption));
    QFont header = LabelHeader->font();
    header.setBold(true);
    header.setPointSizeF(header.pointSizeF() * 1.2);
    LabelHeader->setFont(header);
    LabelHeader->setText(LanguageText(KvStr::TitleWarning));
    LabelDisclaimer->setWordWrap(true);
    LabelDisclaimer->setText(
        LanguageText(SDisclaimer).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelHeader);
    layout->addWidget(LabelDisclaimer, 1);
    layout->addLayout(buttons);
    setFixedWidth(ScaleValue(420, ScreenDpi()));
    setMinimumHeight(ScaleValue(170, ScreenDpi()));

    TimerClose->setSingleShot(true);
    TimerClose->setInterval(CloseAfterMs);
    connect(TimerClose, &QTimer::timeout, this, &TFormMsgDisclaimer::TimerCloseTimer);
    TimerClose->start();
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TFormMsgDisclaimer::TimerCloseTimer() {
    TimerClose->stop();
    reject();
}

TFormMsgDisclaimer::TPrompter &TFormMsgDisclaimer::Prompter() {
    static TPrompter prompter;
    return prompter;
}

TFormMsgDisclaimer::TPrompter TFormMsgDisclaimer::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool ShowDisclaimer() {
    TFormMsgDisclaimer form;
    const int result =
        TFormMsgDisclaimer::Prompter() ? TFormMsgDisclaimer::Prompter()(form) : form.exec();
    return result == QDialog::Accepted;
}
