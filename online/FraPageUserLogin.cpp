#include "online/FraPageUserLogin.h"

#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

constexpr int MaxLength = 100;
constexpr int MinPasswordLength = 6;

const TLanguageStrings SEmail = {"E-mail address", "E-mailadres", "E-Mail-Adresse", "Adresse e-mail",
                                 "Direcci\u00F3n de correo", "Indirizzo e-mail", "E-mailadresse",
                                 "E-postadress"};
const TLanguageStrings SPassword = {"Password", "Wachtwoord", "Passwort", "Mot de passe", "Contrase\u00F1a",
                                    "Password", "Adgangskode", "L\u00F6senord"};
const TLanguageStrings SRememberMe = {"Remember me", "Onthoud mij", "Angemeldet bleiben", "Se souvenir de moi",
                                      "Recordarme", "Ricordami", "Husk mig", "Kom ih\u00E5g mig"};
const TLanguageStrings SNoEmail = {
    "No e-mail address entered.\r\n\r\nPlease enter a e-mail address.",
    "Geen e-mailadres ingevoerd.\r\n\r\nVoer een e-mailadres in.",
    "Keine E-Mail-Adresse eingegeben.\r\n\r\nBitte geben Sie eine E-Mail-Adresse ein.",
    "Aucune adresse e-mail saisie.\r\n\r\nVeuillez saisir une adresse e-mail.",
    "No se ha introducido ninguna direcci\u00F3n de correo.\r\n\r\nIntroduzca una direcci\u00F3n de correo.",
    "Nessun indirizzo e-mail inserito.\r\n\r\nInserire un indirizzo e-mail.",
    "Ingen e-mailadresse indtastet.\r\n\r\nIndtast en e-mailadresse.",
    "Ingen e-postadress angiven.\r\n\r\nAnge en e-postadress."};
const TLanguageStrings SInvalidEmail = {
    "Invalid e-mail address entered.\r\n\r\nPlease make sure you enter a valid e-mail address.",
    "Ongeldig e-mailadres ingevoerd.\r\n\r\nZorg ervoor dat u een geldig e-mailadres invoert.",
    "Ung\u00FCltige E-Mail-Adresse eingegeben.\r\n\r\nBitte geben Sie eine g\u00FCltige E-Mail-Adresse ein.",
    "Adresse e-mail non valide.\r\n\r\nVeuillez saisir une adresse e-mail valide.",
    "Direcci\u00F3n de correo no v\u00E1lida.\r\n\r\nIntroduzca una direcci\u00F3n de correo v\u00E1lida.",
    "Indirizzo e-mail non valido.\r\n\r\nInserire un indirizzo e-mail valido.",
    "Ugyldig e-mailadresse indtastet.\r\n\r\nS\u00F8rg for at indtaste en gyldig e-mailadresse.",
    "Ogiltig e-postadress angiven.\r\n\r\nSe till att du anger en giltig e-postadress."};
const TLanguageStrings SNoPassword = {
    "No password entered.\r\n\r\nThe password must be a minimum of 6 characters.",
    "Geen wachtwoord ingevoerd.\r\n\r\nHet wachtwoord moet minimaal 6 tekens lang zijn.",
    "Kein Passwort eingegeben.\r\n\r\nDas Passwort muss mindestens 6 Zeichen lang sein.",
    "Aucun mot de passe saisi.\r\n\r\nLe mot de passe doit comporter au moins 6 caract\u00E8res.",
    "No se ha introducido ninguna contrase\u00F1a.\r\n\r\nLa contrase\u00F1a debe tener al menos 6 caracteres.",
    "Nessuna password inserita.\r\n\r\nLa password deve contenere almeno 6 caratteri.",
    "Ingen adgangskode indtastet.\r\n\r\nAdgangskoden skal v\u00E6re p\u00E5 mindst 6 tegn.",
    "Inget l\u00F6senord angivet.\r\n\r\nL\u00F6senordet m\u00E5ste ha minst 6 tecken."};
const TLanguageStrings SShortPassword = {
    "Invalid password entered.\r\n\r\nThe password must be a minimum of 6 characters.",
    "Ongeldig wachtwoord ingevoerd.\r\n\r\nHet wachtwoord moet minimaal 6 tekens lang zijn.",
    "Ung\u00FCltiges Passwort eingegeben.\r\n\r\nDas Passwort muss mindestens 6 Zeichen lang sein.",
    "Mot de passe non valide.\r\n\r\nLe mot de passe doit comporter au moins 6 caract\u00E8res.",
    "Contrase\u00F1a no v\u00E1lida.\r\n\r\nLa contrase\u00F1a debe tener al menos 6 caracteres.",
    "Password non valida.\r\n\r\nLa password deve contenere almeno 6 caratteri.",
    "Ugyldig adgangskode indtastet.\r\n\r\nAdgangskoden skal v\u00E6re p\u00E5 mindst 6 tegn.",
    "Ogiltigt l\u00F6senord angivet.\r\n\r\nL\u00F6senordet m\u00E5ste ha minst 6 tecken."};

// Typing into the password box replaces the whole text (the filler of a remembered login).
class TSelectAllFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched)) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        }
        return false;
    }
};

}  // namespace

int LoginChangeCode(const QString &shownEmail, const QString &shownPassword, const QString &email,
                    const QString &password) {
    const bool emailChanged = email.compare(shownEmail, Qt::CaseInsensitive) != 0;
    const bool passwordChanged = password != shownPassword;
    return (emailChanged ? LoginChange::Email : 0) | (passwordChanged ? LoginChange::Password : 0);
}

TLoginFault CheckLogin(const QString &email, const QString &password) {
    if (email.isEmpty()) return TLoginFault::NoEmail;
    // The account object takes the first ";" as the end of the address.
    if (!IsValidEmailAddress(email) || email.contains(QLatin1Char(';'))) return TLoginFault::InvalidEmail;
    if (password.isEmpty()) return TLoginFault::NoPassword;
    if (password.size() < MinPasswordLength) return TLoginFault::ShortPassword;
    return TLoginFault::None;
}

QString LoginFaultText(TLoginFault fault) {
    switch (fault) {
    case TLoginFault::NoEmail: return LanguageText(SNoEmail);
    case TLoginFault::InvalidEmail: return LanguageText(SInvalidEmail);
    case TLoginFault::NoPassword: return LanguageText(SNoPassword);
    case TLoginFault::ShortPassword: return LanguageText(SShortPassword);
    case TLoginFault::None: break;
    }
    return QString();
}

void HandLoginToAccount(IMRCChartCheck *account, int changeCode, const QString &email,
                        const QString &password, bool remember, bool keepStored, int32_t &err) {
    err = 0;
    if (!account) return;
    switch (changeCode) {
    case LoginChange::Email: MRCChartCheckSetLoginEmail(account, email, remember, err); break;
    case LoginChange::Password: MRCChartCheckSetLoginPassword(account, password, remember, err); break;
    case LoginChange::Both: MRCChartCheckSetLogin(account, email, password, remember, err); return;
    default:
        if (!keepStored) return;
        break;
    }
    if (err != 0) return;
    MRCChartCheckSetLogin(account, QString(), QString(), remember, err);
}

TLoginBoxes::TLoginBoxes(QWidget *parent)
    : LabelLoginEmail(new QLabel(parent)), EditLoginEmail(new QLineEdit(parent)),
      LabelLoginPassword(new QLabel(parent)), EditLoginPassword(new QLineEdit(parent)),
      CheckBoxRememberMe(new QCheckBox(parent)) {
    EditLoginEmail->setObjectName(QStringLiteral("EditLoginEmail"));
    EditLoginPassword->setObjectName(QStringLiteral("EditLoginPassword"));
    CheckBoxRememberMe->setObjectName(QStringLiteral("CheckBoxRememberMe"));
    EditLoginEmail->setMaxLength(MaxLength);
    EditLoginPassword->setMaxLength(MaxLength);
    EditLoginPassword->setEchoMode(QLineEdit::Password);
    EditLoginPassword->installEventFilter(new TSelectAllFilter(EditLoginPassword));
    LabelLoginEmail->setBuddy(EditLoginEmail);
    LabelLoginPassword->setBuddy(EditLoginPassword);
}

void TLoginBoxes::UpdateTexts() {
    LabelLoginEmail->setText(LanguageText(SEmail) + QLatin1Char(':'));
    LabelLoginPassword->setText(LanguageText(SPassword) + QLatin1Char(':'));
    CheckBoxRememberMe->setText(LanguageText(SRememberMe));
}

void TLoginBoxes::ShowStoredLogin(const QString &email) {
    CheckBoxRememberMe->setChecked(!email.isEmpty());
    ShownEmail = email;
    ShownPassword = email.isEmpty() ? QString() : QString::fromLatin1(LoginPasswordFiller);
    EditLoginEmail->setText(ShownEmail);
    EditLoginPassword->setText(ShownPassword);
}

bool TLoginBoxes::ValidateAndGetChanges(int &code) {
    code = LoginChange::None;
    const TLoginFault fault = CheckLogin(EditLoginEmail->text(), EditLoginPassword->text());
    if (fault != TLoginFault::None) {
        MsgBox(LoginFaultText(fault), mtError, MsgButtons({mbOK}));
        const bool emailFault = fault == TLoginFault::NoEmail || fault == TLoginFault::InvalidEmail;
        (emailFault ? EditLoginEmail : EditLoginPassword)->setFocus();
        return false;
    }
    code = GetChanges();
    return true;
}

int TLoginBoxes::GetChanges() const {
    return LoginChangeCode(ShownEmail, ShownPassword, EditLoginEmail->text(), EditLoginPassword->text());
}

TFramePageUserLogin::TFramePageUserLogin(QWidget *owner) : TFrameScaled(owner), FBoxes(this) {
    setObjectName(QStringLiteral("FramePageUserLogin"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(FBoxes.LabelLoginEmail, 0, 0);
    grid->addWidget(FBoxes.EditLoginEmail, 0, 1);
    grid->addWidget(FBoxes.LabelLoginPassword, 1, 0);
    grid->addWidget(FBoxes.EditLoginPassword, 1, 1);
    grid->addWidget(FBoxes.CheckBoxRememberMe, 2, 1);
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    UpdateTexts();
    ScaleToScreen();
}

void TFramePageUserLogin::UpdateTexts() {
    FBoxes.UpdateTexts();
}

void TFramePageUserLogin::ShowStoredLogin(const QString &email) {
    FBoxes.ShowStoredLogin(email);
}

QString TFramePageUserLogin::GetEmail() const {
    return FBoxes.EditLoginEmail->text();
}

QString TFramePageUserLogin::GetPassword() const {
    return FBoxes.EditLoginPassword->text();
}

bool TFramePageUserLogin::GetRememberMe() const {
    return FBoxes.CheckBoxRememberMe->isChecked();
}

bool TFramePageUserLogin::event(QEvent *event) {
    if (event->type() == QEvent::ParentChange && parentWidget()) UpdateTexts();
    return TFrameScaled::event(event);
}
