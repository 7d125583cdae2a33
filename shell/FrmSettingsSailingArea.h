// The sailing area: the countries whose Inland ENC charts the user sails in, as a 16-bit
// set (bit n = country n of SailingArea), and the base folder of the Inland ENC chart sets.
// Both change only on OK. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <QAbstractItemModel>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeView;
class TMarivoNavEnv;
class IS57ChartCheck;
class INavMessageDispatcher;
struct TNavNotification;

// The root "All available inland Europe" with the fourteen countries below it, sorted by
// their names in the current language. The root's check state follows the countries
// (checked, partly or unchecked); checking it checks them all.
class TSailingAreaModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // Country kinds 0..13 in the order of the table, 14 the root.
    static constexpr int RootKind = 14;
    static int Bit(int kind);
    static QString Name(int kind);

    explicit TSailingAreaModel(uint16_t areas, QObject *parent = nullptr);

    uint16_t Areas() const { return FAreas; }
    // Sorts again by the names of the current language.
    void SetLanguage();
    QModelIndex RootIndex() const { return createIndex(0, 0, quintptr(RootKind)); }
    // The row of a country below the root.
    QModelIndex CountryIndex(int kind) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    Qt::CheckState RootState() const;

    uint16_t FAreas;
    std::vector<int> FOrder;  // country kinds in display order
};

class TFormSettingsSailingArea : public TFormSettingsDialog {
    Q_OBJECT
public:
    TFormSettingsSailingArea(TMarivoNavEnv &env, uint16_t areas, QWidget *parent = nullptr);
    ~TFormSettingsSailingArea() override;

    // True when closed with OK. areas takes the chosen set, which the environment stores,
    // when it differs from the given one or nothing has been stored yet.
    static bool Execute(TMarivoNavEnv &env, uint16_t &areas, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormSettingsSailingArea &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormSettingsSailingArea>::Set(std::move(prompter));
    }

    // The documents folder with "IENC/": the base folder while none is stored.
    static QString DefaultIENCFolder();

    uint16_t CollectCountries() const { return FModel->Areas(); }
    void SetLanguage();

    QLabel *LabelSailingArea;
    QTreeView *ListView;
    QLabel *LabelS57ChartFolder;
    QLineEdit *EditS57ChartFolder;
    QPushButton *ButtonBrowse;
    QCheckBox *CheckAutoUpdates;
    TSailingAreaModel *Model() const { return FModel; }

protected:
    void CloseQuery(bool ok) override;

private:
    static void DispatcherHandler(void *data, TNavNotification *n);
    void ButtonBrowseClick();

    TMarivoNavEnv &FEnv;
    TSailingAreaModel *FModel;
    QString FLoadedFolder;
    INavMessageDispatcher *FDispatcher = nullptr;
    IS57ChartCheck *FChartCheck = nullptr;  // owned
};
