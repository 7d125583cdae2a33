#include "shell/FrmSettingsCommon.h"

#include "base/help/KvHTMLHelp.h"
#include "base/texts/KvStr.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

const TLanguageStrings SettingsTextGeneral = {"General", "Algemeen", "Allgemein", "Général",
                                              "General", "Generale", "Generelt",  "Allmänt"};

TFormSettingsDialog::TFormSettingsDialog(int32_t helpContext, QWidget *parent)
    : TFormScaled(parent), ButtonOk(new QPushButton(this)), ButtonCancel(new QPushButton(this)),
      ButtonHelp(new QPushButton(this)), FHelpContext(helpContext) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    ButtonOk->setDefault(true);
    ButtonOk->setAutoDefault(true);
    // The focus moves to OK first, so a number being typed is taken over before the close.
    connect(ButtonOk, &QPushButton::clicked, this, [this] {
        ButtonOk->setFocus();
        accept();
    });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto help = [this] { GetHTMLHelper().HelpContext(FHelpContext); };
    connect(ButtonHelp, &QPushButton::clicked, this, help);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, help);
}

void TFormSettingsDialog::done(int result) {
    if (!FClosed) {
        FClosed = true;
        CloseQuery(result == QDialog::Accepted);
    }
    TFormScaled::done(result);
}

void TFormSettingsDialog::SetButtonCaptions() {
    ButtonOk->setText(LanguageText(KvStr::BtnOK));
    ButtonCancel->setText(LanguageText(KvStr::BtnCancel));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
}

QHBoxLayout *TFormSettingsDialog::ButtonRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(ButtonHelp);
    row->addStretch(1);
    row->addWidget(ButtonOk);
    row->addWidget(ButtonCancel);
    return row;
}

QLabel *SettingsHeading(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString ColonCaption(const TLanguageStrings &text) {
    return LanguageText(text) + QLatin1Char(':');
}
