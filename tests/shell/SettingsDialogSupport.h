// The settings dialogs of the shell driven as a user does: the real environment, started
// on the demo data, and a dialog run through its prompter with a few steps, then OK or
// Cancel clicked.
#pragma once

#include "NavEnvFixture.h"

#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

class SettingsDialogFixture : public NavEnvFixture {
protected:
    std::unique_ptr<TMarivoNavEnv> Started(TNavEnvEvents events = {}) {
        auto env = Make({}, std::move(events));
        uint8_t mode = 0;
        env->Start(mode);
        return env;
    }
};

// Runs TForm::Execute(args...) with the steps, then the button; the prompter is reset.
template <class TForm, class... TArgs>
bool RunSettingsDialog(const std::function<void(TForm &)> &steps, bool ok, TArgs &&...args) {
    TForm::SetPrompter([&](TForm &form) {
        form.show();
        steps(form);
        QTest::mouseClick(ok ? form.ButtonOk : form.ButtonCancel, Qt::LeftButton);
        return form.result();
    });
    const bool result = TForm::Execute(std::forward<TArgs>(args)...);
    TForm::SetPrompter(nullptr);
    return result;
}
