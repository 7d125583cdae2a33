// "Extensions": the program's optional extensions (data services and features) with a
// check box each; on close every row's state is stored under the settings key "Extension"
// (one Boolean per extension id), where TMarivoNavEnv::IsExtensionEnabled reads it. The rows
// come from the program's own catalogue; "Meer info" opens the maker's page about the
// extension. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeView;
class TMarivoNavEnv;

struct TExtensionRow {
    QString Id;       // also the settings value name
    QString InfoKey;  // handed to the maker's information page
    QString Name;     // in the current language
    // Shown after the name when UpdatesTotal >= 0.
    int32_t UpdatesDone = -1;
    int32_t UpdatesTotal = -1;
    bool Enabled = true;
};

// The extensions this program knows, each checked as the environment has it.
std::vector<TExtensionRow> ExtensionCatalogue(const TMarivoNavEnv &env);

class TExtensionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColEnabled, ColName, ColInfo, ColCount };

    using QAbstractTableModel::QAbstractTableModel;
    void SetRows(std::vector<TExtensionRow> rows);
    const std::vector<TExtensionRow> &Rows() const { return FRows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Case-insensitive by the column's text.
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<TExtensionRow> FRows;
};

class TFormExtensionManager : public TFormScaled {
    Q_OBJECT
public:
    explicit TFormExtensionManager(TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormExtensionManager() override;

    // Shows the dialog, then stores the state of every row.
    static void Execute(TMarivoNavEnv &env, QWidget *owner = nullptr);
    // Runs the dialog instead of exec (tests).
    using TPrompter = std::function<int(TFormExtensionManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // Opens an address instead of the desktop (tests).
    using TOpener = std::function<void(const QString &address)>;
    static TOpener SetOpener(TOpener opener);

    void UpdateTexts();
    void FillList();
    void SetRows(std::vector<TExtensionRow> rows);
    // "Extension" <Id> := checked, for every row.
    void WriteStates() const;
    TExtensionListModel *Model() const { return FModel; }

    // The name, with " (done / total updates)" when total >= 0.
    static QString NameText(const TExtensionRow &row);
    // The maker's information page of an extension, every query value percent-encoded.
    static QString InfoAddress(const QString &infoKey, int32_t language, const QString &title, int32_t version);

    QWidget *PanelInformation;
    QLabel *ImageInformation;
    QLabel *LabelInformation;
    QTreeView *ListView;
    QPushButton *ButtonClose;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class TDelegate;
    void MouseUp(const QPoint &pos);
    void OpenInfo(const TExtensionRow &row);

    TMarivoNavEnv &FEnv;
    TExtensionListModel *FModel;
};
