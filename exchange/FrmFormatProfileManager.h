// The user's text-format profiles of one profile manager (waypoints or routes): add, edit,
// rename in place and delete them; every change is written to the manager's file at once.
// The built-in profile is never listed. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvTxtFormat.h>

#include <functional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TMarivoNavEnv;

class TFormFormatProfileManager : public TFormScaled {
    Q_OBJECT
public:
    // kind: TxtFormatProfileKind.
    TFormFormatProfileManager(ITxtFormatProfileManager *manager, TMarivoNavEnv *env, int32_t kind,
                              QWidget *owner = nullptr);

    static void Execute(ITxtFormatProfileManager *manager, int32_t kind, TMarivoNavEnv *env);
    // Runs the dialog instead of exec (tests); returns the previous.
    using TPrompter = std::function<int(TFormFormatProfileManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void AddProfile();
    void EditProfile();
    void DeleteProfile();
    // Renames the profile of a row as typing in the list does.
    void RenameRow(int row, const QString &name);
    ITxtFormatProfile *RowProfile(int row) const;
    void SelectRow(int row);

    QTreeWidget *List = nullptr;
    QPushButton *ButtonAdd = nullptr, *ButtonEdit = nullptr, *ButtonDelete = nullptr, *ButtonClose = nullptr,
                *ButtonHelp = nullptr;

private:
    void UpdateTexts();
    void FillList();
    void UpdateButtons();
    void SaveManager();
    bool NameTaken(ITxtFormatProfile *except, const QString &name) const;
    void OnItemChanged(QTreeWidgetItem *item, int column);

    ITxtFormatProfileManager *FManager;
    TMarivoNavEnv *FEnv;
    int32_t FKind;
    bool FFilling = false;
};
