// The import wizard's page on which delimited text files are read as waypoints or routes:
// the lines of the chosen files split at the current format profile's separator, shown as a
// grid with the kind and value type of every column chosen in two drop-down rows, each cell
// coloured by whether it can be read. Every change of profile, separator or column checks
// the cells again and builds the import items anew. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "base/kvlib/KvLib.h"
#include "base/strings/KvFormatSettings.h"
#include "exchange/FraImportFormatGrid.h"

#include <KvLibNav6/KvTxtFormat.h>

#include <QStringList>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;
class TMarivoNavEnv;
class TSeparatorControls;

class TFrameImportFormat : public TFrameScaled {
    Q_OBJECT
public:
    explicit TFrameImportFormat(QWidget *owner = nullptr);
    ~TFrameImportFormat() override;

    // Who shows the profile manager dialog for the "Manage" button; returns the previous one.
    using TManagerRunner =
        std::function<void(ITxtFormatProfileManager *manager, int32_t kind, TMarivoNavEnv *env)>;
    static TManagerRunner SetProfileManagerRunner(TManagerRunner runner);

    void ClearFiles();
    // kind: TxtFormatProfileKind. Selects the profile last used for the kind.
    void Prepare(ITxtFormatProfileManager *manager, int32_t kind, TMarivoNavEnv *env);
    // Appends the files in order and rebuilds the grid. False at the first file that cannot
    // be read, with its name, the error value and the text to show; the files before it stay
    // loaded and the grid is not rebuilt.
    bool LoadFiles(const QStringList &files, QString &failedFile, int32_t &error,
                   QString &errorText);
    // Next: whether anything can be imported (asking when not everything can, and whether to
    // save a changed profile).
    bool Validate();
    // The items of the importable lines, in grid order, numbered per file, all checked.
    void CollectItems(std::vector<TPointData> &items) const;

    // For the wizard's tests and its screenshots.
    QTreeView *Grid() const { return FGrid; }
    TImportFormatModel *Model() const { return FModel; }
    QComboBox *ProfileCombo() const { return FComboProfiles; }
    QLineEdit *SeparatorEdit() const;
    QRadioButton *SeparatorButton(QChar separator) const;  // tab, ';', ',', anything else Other
    QRadioButton *DecimalButton(QChar separator) const;    // '.' Point, else Comma
    QPushButton *ManageButton() const { return FButtonManage; }
    ITxtFormatProfile *CurrentProfile() const { return FProfile; }
    const std::vector<TImportFormatFile> &Files() const { return FFiles; }
    // Opens the drop-down of the kind (row 0) or type (row 1) cell of a column, as a click does.
    void EditColumnCell(int row, int column);
    // The column widths the grid got at its last rebuild.
    int ColumnWidth(int column) const;

private:
    void BuildControls();
    void UpdateTexts();
    QString KindWord() const;
    QString SettingName() const;
    void FillProfileCombo();
    void SelectProfile(ITxtFormatProfile *profile);
    void ShowProfileSeparators();
    void SaveProfileIfModified();
    void RestoreDefaultProfile();
    void Rebuild();
    void RefreshRules();
    void CheckColumn(int column);
    void CheckAllColumns();
    void BuildEveryItem();
    void SizeColumns(const std::vector<int> &longest);

    void OnProfileChosen(int entry);
    void OnManageClicked();
    void OnFieldSeparatorChanged(QChar separator);
    void OnDecimalSeparatorChanged(QChar separator);
    void OnCellClicked(const QModelIndex &index);
    void FillCombo(QComboBox *combo, const QModelIndex &index);
    void ApplyChoice(QComboBox *combo, const QModelIndex &index);

    ITxtFormatProfileManager *FManager = nullptr;
    int32_t FKind = 0;
    TMarivoNavEnv *FEnv = nullptr;
    ITxtFormatProfile *FProfile = nullptr;
    TNavPtr<ITxtFormatProfile> FSaved;
    std::vector<TImportFormatFile> FFiles;
    TTxtImportRules FRules;
    bool FUpdating = false;

    QLabel *FLabelInformation = nullptr;
    QLabel *FLabelFormat = nullptr;
    QLabel *FLabelProfile = nullptr;
    QLabel *FLabelName = nullptr;
    TSeparatorControls *FSeparators = nullptr;
    QTreeView *FGrid = nullptr;
    TImportFormatModel *FModel = nullptr;
    TImportFormatDelegate *FDelegate = nullptr;
    QComboBox *FComboProfiles = nullptr;
    QPushButton *FButtonManage = nullptr;
};
