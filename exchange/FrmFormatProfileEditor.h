// Editing one text-format profile: its name, separators and the kind and value type of each
// column, with ten sample rows that show what data of that shape looks like. Works on the
// caller's copy of the profile. GUI thread only.
#pragma once

#include "base/forms/KvForms.h"
#include "base/strings/KvFormatSettings.h"

#include <KvLibNav6/KvTxtFormat.h>

#include <QAbstractItemModel>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TImportFormatDelegate;
class TMarivoNavEnv;
class TSeparatorControls;

// Rows: kind, type, then ten samples; one column per field of the profile.
class TProfileEditorModel : public QAbstractItemModel {
    Q_OBJECT
public:
    TProfileEditorModel(ITxtFormatProfile *profile, const TFormatSettings &numbers, QObject *parent);
    void Refresh();
    // The text of sample row k (1 to 10) in a column.
    QString SampleText(int column, int k) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &) const override { return {}; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    ITxtFormatProfile *FProfile;
    const TFormatSettings &FNumbers;
};

class TFormFormatProfileEditor : public TFormScaled {
    Q_OBJECT
public:
    // kind: TxtFormatProfileKind. nameTaken (may be empty) tells whether another profile
    // already has a name; such a name is refused like an empty one.
    TFormFormatProfileEditor(ITxtFormatProfile *profile, int32_t kind, TMarivoNavEnv *env,
                             std::function<bool(const QString &)> nameTaken = {}, QWidget *owner = nullptr);

    // True when closed with OK; the profile then holds the changes.
    static bool Execute(ITxtFormatProfile *profile, int32_t kind, TMarivoNavEnv *env,
                        std::function<bool(const QString &)> nameTaken = {});
    // Runs the dialog instead of exec (tests); returns the previous.
    using TPrompter = std::function<int(TFormFormatProfileEditor &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    void done(int result) override;

    QLineEdit *EditProfileName = nullptr;
    TSeparatorControls *Separators = nullptr;
    QTreeView *Grid = nullptr;
    TProfileEditorModel *Model = nullptr;
    QPushButton *ButtonOk = nullptr, *ButtonCancel = nullptr, *ButtonHelp = nullptr;
    QLabel *LabelInformation = nullptr;

private:
    void LoadProfile();
    void UpdateTexts();
    void BuildGrid();

    ITxtFormatProfile *FProfile;
    int32_t FKind;
    TMarivoNavEnv *FEnv;
    std::function<bool(const QString &)> FNameTaken;
    TFormatSettings FNumbers;
    TImportFormatDelegate *FDelegate = nullptr;
    QLabel *FLabelGeneral = nullptr, *FLabelName = nullptr, *FLabelFormat = nullptr;
};
