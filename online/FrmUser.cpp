#include "online/FrmUser.h"

#include "base/charts/KvOnlineServices.h"
#include "base/texts/KvLanguage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const TLanguageStrings SCaption = {"Korvane account", "Korvane-account", "Korvane-Konto", "Compte Korvane",
                                   "Cuenta Korvane", "Account Korvane", "Korvane-konto", "Korvane-konto"};
const TLanguageStrings SOk = {"OK", "OK", "OK", "OK", "Aceptar", "OK", "OK", "OK"};
const TLanguageStrings SCancel = {"Cancel", "Annuleren", "Abbrechen", "Annuler", "Cancelar", "Annulla",
                                  "Annuller", "Avbryt"};
const TLanguageStrings SLogout = {"Logout", "Afmelden", "Abmelden", "D\u00E9connexion", "Cerrar sesi\u00F3n",
                                  "Esci", "Log ud", "Logga ut"};

TFormUser::TPrompter &Prompter() {
    static TFormUser::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormUser::TFormUser(IMRCChartCheck *account, bool showLogout, QWidget *owner)
    : TFormScaled(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                             Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ButtonOk(new QPushButton(this)), ButtonCancel(new QPushButton(this)), ButtonLogout(new QPushButton(this)),
      Boxes(this) {
    setObjectName(QStringLiteral("FormUser"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(Boxes.LabelLoginEmail, 0, 0);
    grid->addWidget(Boxes.EditLoginEmail, 0, 1);
    grid->addWidget(Boxes.LabelLoginPassword, 1, 0);
    grid->addWidget(Boxes.EditLoginPassword, 1, 1);
    grid->addWidget(Boxes.CheckBoxRememberMe, 2, 1);
    grid->setColumnMinimumWidth(1, 260);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonLogout);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, [this] { done(ResultOk); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(ButtonLogout, &QPushButton::clicked, this, [this] { done(ResultLogout); });

    ButtonLogout->setVisible(showLogout);
    QString email;
    const bool remembered = account && MRCChartCheckGetStoredLogin(account, email);
    ShowStoredLogin(remembered ? email : QString());
    if (showLogout && !Boxes.CheckBoxRememberMe->isChecked()) ButtonLogout->setEnabled(false);
    UpdateTexts();
    ScaleConstraints();
}

void TFormUser::UpdateTexts() {
    setWindowTitle(LanguageText(SCaption));
    ButtonOk->setText(LanguageText(SOk));
    ButtonCancel->setText(LanguageText(SCancel));
    ButtonLogout->setText(LanguageText(SLogout));
    Boxes.UpdateTexts();
}

void TFormUser::ShowStoredLogin(const QString &email) {
    Boxes.ShowStoredLogin(email);
}

QString TFormUser::GetEmail() const {
    return Boxes.EditLoginEmail->text();
}

QString TFormUser::GetPassword() const {
    return Boxes.EditLoginPassword->text();
}

bool TFormUser::GetRememberMe() const {
    return Boxes.CheckBoxRememberMe->isChecked();
}

bool TFormUser::GetChanges(int &code) const {
    code = Boxes.GetChanges();
    return true;
}

int TFormUser::Run() {
    if (Prompter()) return Prompter()(*this);
    return exec();
}

TFormUser::TPrompter TFormUser::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormUser::done(int result) {
    int code = 0;
    if (result == ResultOk && !Boxes.ValidateAndGetChanges(code)) return;
    TFormScaled::done(result);
}
