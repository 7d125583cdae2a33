// The "Select columns" dialog around the column chooser.
#pragma once

#include "routes/FraColumns.h"

#include <QDialog>

#include <functional>

class QDialogButtonBox;

class TFormColumns : public QDialog {
    Q_OBJECT
public:
    TFormColumns(const TColumnDescList &list, TRestoreDefaults restoreDefaults, QWidget *owner, int flags);
    TFrameColumns *Frame() const { return FFrame; }
    QDialogButtonBox *Buttons() const { return FButtons; }

    // Tests answer the dialog here instead of the user; the default runs it modally.
    using TPrompter = std::function<int(TFormColumns &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    int Run();

private:
    TFrameColumns *FFrame = nullptr;
    QDialogButtonBox *FButtons = nullptr;
};

// On OK the chosen descriptors, in their new order, replace those of list.
bool ExecuteColumnsDialog(TColumnDescList &list, int flags, TRestoreDefaults restoreDefaults,
                          QWidget *owner);
