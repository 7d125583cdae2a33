// The data-recorder page of the GPS download wizard: reads the recorder's sessions, lists
// them with their start and end times and profile for the user to pick the ones to turn into
// tracks, and can erase the recorder's memory. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"
#include "exchange/Timex.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

class QPushButton;
class QTabWidget;
class QTreeView;
class QWidget;

// The recorder's sessions, one row each in session order; data() asks the TTimex object.
class TTimexSessionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColStart, ColEnd, ColProfile, ColumnCount };

    TTimexSessionModel(const TTimex &timex, QObject *parent);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The TTimex object's sessions changed.
    void Refill();

private:
    const TTimex &FTimex;
    int FRows = 0;
};

class TFrameDownloadTimex : public TFrameScaled {
    Q_OBJECT
public:
    TFrameDownloadTimex();
    ~TFrameDownloadTimex() override;

    // Reads the sessions when the recorder is connected; the recorder is always let go again.
    // False, after a message, when it is not connected or its data cannot be read; damaged
    // parts of the data are reported and the sessions read until then are listed.
    bool ConnectAndRead();
    // Appends copies of the selected rows' sessions in list order; the caller owns them.
    bool GetSelectedSessions(std::vector<TTimexSession> &list) const;

    TTimex &Timex() { return *FTimex; }

    QTabWidget *PageControl;
    QWidget *TabSheetTimex, *PanelBottom;
    QTreeView *ListView;
    QPushButton *ButtonClearDataRecorder, *ButtonLoad, *ButtonSave;

private:
    void ButtonClearDataRecorderClick();
    void ButtonLoadClick();
    void ButtonSaveClick();
    void RefillList();
    void ReportParseIssues();

    std::unique_ptr<TTimex> FTimex;
    TTimexSessionModel *FModel;
};
