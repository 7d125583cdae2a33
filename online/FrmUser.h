// The online account's login as a dialog (the news centre's "userupdate" link): the
// remembered address with a filler for the password, checked on OK, and which of the two
// values changed. The caller hands the change to the account object (HandLoginToAccount).
// Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "online/FraPageUserLogin.h"

#include <functional>

class QPushButton;

class TFormUser : public TFormScaled {
    Q_OBJECT
public:
    // Modal results of the three buttons.
    static constexpr int ResultOk = 1, ResultCancel = 2, ResultLogout = 3;

    // Logout is shown when showLogout, and enabled only with a remembered login.
    TFormUser(IMRCChartCheck *account, bool showLogout, QWidget *owner = nullptr);

    void UpdateTexts();
    void ShowStoredLogin(const QString &email);
    QString GetEmail() const;
    QString GetPassword() const;
    bool GetRememberMe() const;
    bool GetChanges(int &code) const;

    // Runs the dialog: exec, or the prompter a test installed. The modal result.
    int Run();
    using TPrompter = std::function<int(TFormUser &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    QPushButton *ButtonOk;
    QPushButton *ButtonCancel;
    QPushButton *ButtonLogout;
    TLoginBoxes Boxes;

    // OK closes only after the login passed its check; every other way closes at once.
    void done(int result) override;
};
