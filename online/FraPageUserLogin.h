// The login of the online account as a page (the install wizards) and the rules the login
// dialog shares with it: which checks a login must pass, which values changed, and how a
// change is handed to the account object. Neither talks to the service itself. GUI thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QString>
#include <cstdint>

class IMRCChartCheck;
class QCheckBox;
class QLabel;
class QLineEdit;

// Shown in the password box instead of a remembered password.
inline constexpr char LoginPasswordFiller[] = "zzzzzzzzzzzzzzzzz";

// What changed against the values shown when the login was put into the boxes.
namespace LoginChange {
inline constexpr int None = 0;
inline constexpr int Email = 1;
inline constexpr int Password = 2;
inline constexpr int Both = 3;
}  // namespace LoginChange

// The e-mail address compared without letter case, the password exactly: a new password that
// differs only in letter case is a new password.
int LoginChangeCode(const QString &shownEmail, const QString &shownPassword, const QString &email,
                    const QString &password);

// The first check the login fails, in the order they are made; None when it passes.
enum class TLoginFault { None, NoEmail, InvalidEmail, NoPassword, ShortPassword };
TLoginFault CheckLogin(const QString &email, const QString &password);
QString LoginFaultText(TLoginFault fault);

// Hands a changed login to the account object by its change code. keepStored: code 0 still
// logs in with the stored login (the install wizards); the news centre passes False and
// nothing happens for code 0. After a code 1 or 2 the login is started with the login the
// account now holds, so that every hand-over ends with the account's answer.
void HandLoginToAccount(IMRCChartCheck *account, int changeCode, const QString &email,
                        const QString &password, bool remember, bool keepStored, int32_t &err);

// The boxes of a login with their shown values; shared by the page and the dialog.
class TLoginBoxes {
public:
    // Creates the two edits, labels and the check box as children of parent.
    explicit TLoginBoxes(QWidget *parent);

    void UpdateTexts();
    // Empty: nothing remembered; else the address and the filler.
    void ShowStoredLogin(const QString &email);
    // The check with its message and the focus in the box at fault; then the change code.
    bool ValidateAndGetChanges(int &code);
    int GetChanges() const;

    QLabel *LabelLoginEmail;
    QLineEdit *EditLoginEmail;
    QLabel *LabelLoginPassword;
    QLineEdit *EditLoginPassword;
    QCheckBox *CheckBoxRememberMe;
    QString ShownEmail;
    QString ShownPassword;
};

class TFramePageUserLogin : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFramePageUserLogin(QWidget *owner = nullptr);

    void UpdateTexts();
    void ShowStoredLogin(const QString &email);
    QString GetEmail() const;
    QString GetPassword() const;
    bool GetRememberMe() const;
    bool ValidateAndGetChanges(int &code) { return FBoxes.ValidateAndGetChanges(code); }
    TLoginBoxes &Boxes() { return FBoxes; }

protected:
    bool event(QEvent *event) override;

private:
    TLoginBoxes FBoxes;
};
