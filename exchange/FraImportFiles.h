// The file list page of the import wizard: a sorted list without doubles of the files to
// import (track, polar diagram or text files), filled through an open-file dialog; track
// files have their header checked when they are added. GUI thread only.
#pragma once

#include "base/forms/KvFrameScaled.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <cstdint>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeView;
class TMarivoNavEnv;

// The rows of the list: one full file name each, sorted by the name without folder (case
// ignored), ties by the full name; odd rows in the alternate row colour by day.
class TImportFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetFiles(const QStringList &files);
    void SetCaption(const QString &caption);
    QString File(int row) const { return FRows.value(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void SortRows();
    QStringList FRows;
    QString FCaption;
    Qt::SortOrder FOrder = Qt::AscendingOrder;
};

class TFrameImportFiles : public TFrameScaled {
    Q_OBJECT
public:
    // No owner: the wizard frees the frame.
    explicit TFrameImportFiles(TMarivoNavEnv *env);
    ~TFrameImportFiles() override;

    // A new type empties the list; the same type keeps it.
    void SetImportType(uint8_t type);
    uint8_t ImportType() const { return FImportType; }
    // False, after an error box, while the list is empty or names a file that is gone.
    bool Validate();
    // Adds chosen files as the Add button does after its dialog (with the checks of track
    // files); the list is rebuilt by the caller.
    void AddFiles(const QStringList &files);
    QString KindWord() const;

    QString PolarFolder;  // where Add opens for polar diagrams when no folder is stored
    QStringList Files;    // full names, sorted, each once

    QTabWidget *PageControl;
    QLabel *LabelInformation, *ImageInformation;
    QWidget *TabSheet;
    QTreeView *ListView;
    TImportFileListModel *Model;
    QPushButton *ButtonAdd, *ButtonDelete;

private:
    void UpdateTexts();
    void UpdateButtons();
    void RefreshList();
    void Add();
    void Delete();
    void AddTrackFiles(const QStringList &files);
    void AddFile(const QString &file);

    uint8_t FImportType = 0;
    TMarivoNavEnv *FEnv;
};
