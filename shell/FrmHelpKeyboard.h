// The keyboard-shortcut page in a modal dialog that can print it on the program's printer.
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class TWBContainer;

class TFormHelpKeyboard : public TFormScaled {
    Q_OBJECT
public:
    explicit TFormHelpKeyboard(QWidget *owner = nullptr);
    ~TFormHelpKeyboard() override;

    // Shows the HTML page modally (or hands the dialog to the prompter of the tests).
    static void Execute(const QString &html, QWidget *owner = nullptr);
    using TPrompter = std::function<void(TFormHelpKeyboard &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void LoadPage(const QString &html);
    // Every page of the view to the program's printer.
    void ButtonPrintClick();

    TWBContainer *HTMLViewer;
    QLabel *LabelInformation;
    QLabel *ImageInformation;
    QPushButton *ButtonPrint;
    QPushButton *ButtonClose;
};
