// What the settings dialogs of the shell share: the OK / Cancel / Help row with the help
// key, bold group headings, colon captions, and a modal run that tests can answer through
// a prompter. GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "base/texts/KvLanguage.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;

class TFormSettingsDialog : public TFormScaled {
    Q_OBJECT
public:
    // helpContext: the topic the Help button and F1 open.
    TFormSettingsDialog(int32_t helpContext, QWidget *parent = nullptr);

    QPushButton *ButtonOk;
    QPushButton *ButtonCancel;
    QPushButton *ButtonHelp;

    // Shows the dialog modally, or hands it to the prompter (tests), which drives it and
    // returns the result; a dialog the prompter left open is closed with that result, so
    // the close handling runs exactly once either way.
    template <class TForm>
    static int Run(TForm &form, const std::function<int(TForm &)> &prompter) {
        if (!prompter) return form.exec();
        const int result = prompter(form);
        if (!form.Closed()) form.done(result);
        return form.result();
    }

    void done(int result) override;
    bool Closed() const { return FClosed; }

protected:
    // Runs once, for OK and for every other close, before the dialog hides.
    virtual void CloseQuery(bool ok) = 0;
    // OK, Cancel and Help (with " (F1)") in the current language.
    void SetButtonCaptions();
    QHBoxLayout *ButtonRow();

private:
    int32_t FHelpContext;
    bool FClosed = false;
};

// The prompter of one dialog class: tests answer that dialog through it.
template <class TForm>
struct TSettingsPrompter {
    using TPrompter = std::function<int(TForm &form)>;
    static TPrompter &Get() {
        static TPrompter prompter;
        return prompter;
    }
    // Returns the previous prompter.
    static TPrompter Set(TPrompter prompter) {
        TPrompter previous = std::move(Get());
        Get() = std::move(prompter);
        return previous;
    }
};

// "General": the heading of the first group and the caption of a lone tab.
extern const TLanguageStrings SettingsTextGeneral;

// A label in bold for a group of controls.
QLabel *SettingsHeading(QWidget *parent);
// The language text followed by ":" for labels beside a control.
QString ColonCaption(const TLanguageStrings &text);
