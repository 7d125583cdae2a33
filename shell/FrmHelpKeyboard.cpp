#include "shell/FrmHelpKeyboard.h"

#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/web/KvWBContainer.h"
#include "shell/MarivoPrinter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const TLanguageStrings TextCaption = {
    "Keyboard shortcuts", "Sneltoetsen", "Tastenkombinationen", "Raccourcis clavier",
    "Atajos de teclado",  "Scorciatoie da tastiera", "Tastaturgenveje", "Kortkommandon"};
const TLanguageStrings TextInformation = {
    "To facilitate the use of Marivo 4 on board a ship, the most important functions can also be "
    "accessed with keyboard shortcuts.",
    "Om het gebruik van Marivo 4 aan boord te vergemakkelijken, zijn de belangrijkste functies ook "
    "met sneltoetsen te bereiken.",
    "Um die Bedienung von Marivo 4 an Bord zu erleichtern, sind die wichtigsten Funktionen auch über "
    "Tastenkombinationen erreichbar.",
    "Pour faciliter l'utilisation de Marivo 4 à bord, les fonctions les plus importantes sont aussi "
    "accessibles par des raccourcis clavier.",
    "Para facilitar el uso de Marivo 4 a bordo, las funciones más importantes también se pueden "
    "utilizar con atajos de teclado.",
    "Per facilitare l'uso di Marivo 4 a bordo, le funzioni più importanti sono raggiungibili anche "
    "con scorciatoie da tastiera.",
    "For at gøre det lettere at bruge Marivo 4 om bord kan de vigtigste funktioner også nås med "
    "tastaturgenveje.",
    "För att underlätta användningen av Marivo 4 ombord kan de viktigaste funktionerna även nås med "
    "kortkommandon."};
const TLanguageStrings TextPrint = {"Print",  "Afdrukken", "Drucken", "Imprimer",
                                    "Imprimir", "Stampa",  "Udskriv", "Skriv ut"};

TFormHelpKeyboard::TPrompter &Prompter() {
    static TFormHelpKeyboard::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormHelpKeyboard::TFormHelpKeyboard(QWidget *owner)
    : TFormScaled(owner), HTMLViewer(new TWBContainer(this)), LabelInformation(new QLabel(this)),
      ImageInformation(new QLabel(this)), ButtonPrint(new QPushButton(this)), ButtonClose(new QPushButton(this)) {
    setObjectName(QStringLiteral("FormHelpKeyboard"));
    resize(640, 560);
    ImageInformation->setPixmap(MsgIconLoad(2, true, 32));
    ImageInformation->setAlignment(Qt::AlignTop);
    NightScreenAddImage(NightScreen(), ImageInformation);
    LabelInformation->setWordWrap(true);
    auto *top = new QHBoxLayout;
    top->addWidget(ImageInformation);
    top->addWidget(LabelInformation, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonPrint);
    buttons->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(HTMLViewer, 1);
    layout->addLayout(buttons);
    setWindowTitle(LanguageText(TextCaption));
    LabelInformation->setText(LanguageText(TextInformation));
    ButtonClose->setText(LanguageText(KvStr::BtnClose));
    ButtonPrint->setText(LanguageText(TextPrint));
    ButtonClose->setDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonPrint, &QPushButton::clicked, this, &TFormHelpKeyboard::ButtonPrintClick);
}

TFormHelpKeyboard::~TFormHelpKeyboard() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFormHelpKeyboard::LoadPage(const QString &html) {
    HTMLViewer->clear();
    HTMLViewer->LoadFromString(html);
}

void TFormHelpKeyboard::ButtonPrintClick() {
    QPrinter &printer = ProgramPrinter();
    // From the first page to the last, whatever range an earlier print chose.
    printer.setPrintRange(QPrinter::AllPages);
    HTMLViewer->Print(&printer);
}

void TFormHelpKeyboard::Execute(const QString &html, QWidget *owner) {
    TFormHelpKeyboard form(owner);
    form.LoadPage(html);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}

TFormHelpKeyboard::TPrompter TFormHelpKeyboard::SetPrompter(TPrompter prompter) {
    std::swap(Prompter(), prompter);
    return prompter;
}
