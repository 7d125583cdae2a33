// The small dialog in which the user picks or types the group of the selected routes. GUI
// thread.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class IWptManager;
class QComboBox;
class QLabel;
class QPushButton;

class TFormRouteGroup : public QDialog {
    Q_OBJECT
public:
    TFormRouteGroup(IWptManager *manager, QWidget *owner = nullptr);

    // False on Cancel; on OK True with the group name: empty for "<Ungrouped>" or an empty
    // text, otherwise the text (a typed new name or an existing one).
    static bool Execute(IWptManager *manager, QString &groupName, QWidget *owner = nullptr);
    // "<Ungrouped>" first, then the distinct non-empty group names of all routes, sorted
    // without case, names differing only in case kept once.
    static QStringList GroupNames(IWptManager *manager);

    // Runs the dialog instead of exec (tests); returns the dialog result and the previous.
    using TPrompter = std::function<int(TFormRouteGroup &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The group name the dialog's state stands for.
    QString ChosenName() const;

    QLabel *LabelGroup;
    QComboBox *ComboRouteGroup;
    QPushButton *ButtonOk, *ButtonCancel;
};
