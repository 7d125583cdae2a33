// The operation-request panel: the log and statistics of the bridge and lock sign-up, and
// the commands that start (after the sign-up dialog) and stop it. The main window hosts it
// in its dock panel "DockablePanelZoS". GUI thread only: the manager calls the change
// procedure on this thread.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <KvLibNav6/KvStructOperation.h>

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeView;
class TMarivoNavEnv;
class TNumberEdit;

// The manager's log, ordered by time whatever the column.
class TZoSLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Refill(INavStructOperationManager *manager);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The texts of one row, for the view and tests.
    static QString CellText(INavStructOperationEvent *entry, int column);

private:
    std::vector<INavStructOperationEvent *> FRows;  // the manager's
};

// One row per participating structure, sorted by the chosen column.
class TZoSStatsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct TNodeData {
        QString Name;
        int Counts[5] = {};  // requests, updates, cancellations, passed, active
    };
    using QAbstractTableModel::QAbstractTableModel;
    void SetRows(std::vector<TNodeData> rows);
    // A click on the sort column reverses it; on another column makes that the sort column.
    void HeaderClick(int column);
    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder Order() const { return FOrder; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Sort();
    std::vector<TNodeData> FRows;
    int FSortColumn = 0;
    Qt::SortOrder FOrder = Qt::AscendingOrder;
};

class TFrameZichtOpScheepvaart : public TFrameScaled {
    Q_OBJECT
public:
    TFrameZichtOpScheepvaart(QWidget *panel, TMarivoNavEnv &env);
    ~TFrameZichtOpScheepvaart() override;

    // Starts with the stored values; nothing without a stored ship name.
    void ActivateFromSettings();
    void Activate(const QString &shipName, const QString &phone, float safetyMargin, int32_t mmsi);
    // Asks; stops only on Yes. True when stopped.
    bool Deactivate();
    void UpdateControls();
    void UpdateTexts();
    // The sign-up command (menu, toolbar and the panel's buttons): stops an active sign-up
    // after asking, else asks for the values in the sign-up dialog and starts it on OK.
    void ToggleSignUp();

    // Raised by the activate buttons; ToggleSignUp when empty.
    std::function<void()> OnActivateClick;
    // After the sign-up was switched on or off here (the host refreshes its actions).
    std::function<void()> OnSignUpChanged;

    QTabWidget *PageControl;
    QWidget *TabSheetStart, *TabSheetLog, *TabSheetStatistics;
    QPlainTextEdit *MemoZoSInfo;
    QLineEdit *EditShipName, *EditPhone;
    TNumberEdit *EditMMSINumber, *NumberEditSafetyMargin;
    QPushButton *ButtonActivateOld, *ButtonActivate;
    QTreeView *ListView, *ListViewStats;
    QLabel *LabelLatestAction, *LabelShips, *LabelStructures;
    QLabel *LabelRequests, *LabelRequestsValue, *LabelUpdates, *LabelUpdatesValue, *LabelCancels,
        *LabelCancelsValue, *LabelPassed, *LabelPassedValue;
    QLabel *LabelShipName, *LabelMMSI, *LabelSafetyMargin, *LabelSafetyMarginUnit, *LabelPhone;
    TZoSLogModel *LogModel;
    TZoSStatsModel *StatsModel;

private:
    static void ManagerChanged(void *data);
    void Changed();
    void RefillLists();
    void ReadEdits();
    void BuildStartPage();
    void BuildLogPage();
    void BuildStatisticsPage();

    TMarivoNavEnv &Env;
    INavStructOperationManager *Manager;
    bool ErrorShown = false;
};
