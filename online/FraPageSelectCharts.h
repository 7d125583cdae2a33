// The install wizards' page that lists what the logged-in account can download (programs,
// chart sets by product, add-ons), lets the user tick items, shows the space they need,
// and edits the default installation folder and the automatic-update size; plus the
// routines that find installed chart sets and keep the default folder. The items belong to
// the account object; the page keeps references in the account's order. GUI thread.
#pragma once

#include "online/FraPageSelectChartsModel.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWebServices.h>

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Written into a folder and deleted again to learn whether the folder takes files.
inline constexpr char ChartFolderTestFile[] = "marivotestfile.mvo";

// The path itself when it exists, else its nearest existing ancestor (absolute, clean).
QString NearestExisting(const QString &path);
// 0 when the folder takes files; a folder not made yet counts by its nearest existing
// ancestor, which is not written to.
int32_t ChartFolderWriteTest(const QString &folder);
// The maker value "MRC2ChartFolder" when present (even when not writable), else Documents +
// "Korvane/Charts/"; with a trailing "/". Result: the write test of that folder.
int32_t GetDefaultChartFolder(QString &folder);
// Stores the folder as the maker value (creating its key) and returns its write test.
int32_t SetDefaultChartFolder(const QString &folder);
// Free bytes where the folder is or would be made (its nearest existing ancestor); 0 when
// unknown.
int64_t ChartFolderFreeSpace(const QString &folder);

// One rule for every module test: bit n of the 64-bit mask stands for chart set n.
bool ModuleInMask(int32_t chartSetNumber, uint64_t mask);
bool FindInstalledProduct(IChartManager *manager, uint32_t productNumber, int32_t &index);
bool FindInstalledChartSetIndex(IChartProduct *product, uint64_t mask, int32_t &index);
bool FindInstalledChartSet(IChartManager *manager, IMRCAvailableChartSet *item, IChartSet *&set);
bool ProductHasModuleIn(IChartProduct *product, uint64_t mask);

class TFramePageSelectCharts : public QWidget {
    Q_OBJECT
public:
    TFramePageSelectCharts(IChartManager *manager, IMRCChartCheck *account, const QString &folder, bool waiting,
                           QWidget *owner = nullptr);

    void ClearChartSets();
    void AddChartSet(IMRCAvailableChartSet *item);
    void SetChartManager(IChartManager *manager) { FChartManager = manager; }
    void Refresh();
    // After an installation: the flags of the item as the chart manager now has it.
    void ResetChartSet(IMRCAvailableChartSet *item);
    bool IsChartSetFolderWritable(IMRCAvailableChartSet *item) const;
    bool CanProceed();
    void UpdateTexts();
    void UpdateSpaceLabel();
    void UpdateFreeSpace();

    QString Folder() const { return FFolder; }
    bool HasRows() const { return FModel->rowCount() > 0; }
    int64_t RequiredSpace() const { return FRequired; }
    int64_t FreeSpace() const { return FFree; }
    bool Waiting() const { return FWaiting; }
    // Fired after every check change.
    std::function<void(TFramePageSelectCharts *)> OnChange;

    // The folder dialog: the start folder in, the chosen one out; False when cancelled.
    using TFolderPrompter = std::function<bool(QWidget *owner, QString &folder)>;
    static TFolderPrompter SetFolderPrompter(TFolderPrompter prompter);

    TSelectChartsModel *Model() const { return FModel; }
    TSelectChartsView *ListView;
    QLabel *LabelSpaceRequired;
    QLabel *LabelDefaultInstallationFolder;
    QLineEdit *EditDefaultInstallationFolder;
    QPushButton *ButtonBrowse;
    QLabel *LabelAutoUpdateThreshold;
    QSpinBox *EditAutoUpdateThreshold;
    QLabel *LabelMegabytes;

protected:
    bool event(QEvent *event) override;

private:
    void BuildTree();
    bool TestChartSetFolder(IMRCAvailableChartSet *item) const;
    void BrowseClicked();
    void ThresholdEdited();
    std::pair<QString, QString> EmptyTexts() const;

    std::vector<IMRCAvailableChartSet *> FList;
    QString FFolder;
    IMRCChartCheck *FAccount;
    IChartManager *FChartManager;
    int64_t FRequired = 0;
    int64_t FFree = 0;
    bool FWaiting;
    TSelectChartsModel *FModel;
};
