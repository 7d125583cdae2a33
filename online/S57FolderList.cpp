#include "online/S57FolderList.h"

#include "base/charts/KvCharts.h"
#include "base/forms/FrmS57LoadInfoProgress.h"

#include <QString>

#include <memory>

namespace {

QString FolderText(const TS57ChartFolder &record) { return QString::fromStdU16String(record.Folder); }

const TS57ChartFolder *FindRecord(const TS57ChartFolderList &list, const QString &folder) {
    for (const TS57ChartFolder &record : list)
        if (FolderText(record) == folder) return &record;
    return nullptr;
}

// Walks the manager's folders by index, reading the count again after each step: a removal
// shifts the next folder into the same position.
bool AlignManagerFolders(IChartManager *manager, const TS57ChartFolderList &list, IS57RegistrarManager *registrar,
                         IS52PresentationLib *library) {
    bool changed = false;
    int32_t i = 0;
    while (i < manager->GetS57FolderCount()) {
        QString folder;
        bool fixed = false, withSubfolders = false;
        ChartManagerGetS57Folder(manager, i, folder, fixed, withSubfolders);
        const TS57ChartFolder *record = FindRecord(list, folder);
        if (!record) {
            ChartManagerRemoveS57Folder(manager, folder);
            changed = true;
            continue;
        }
        if (record->WithSubfolders != withSubfolders) {
            ChartManagerAddS57Folder(manager, folder, record->WithSubfolders, registrar, library);
            changed = true;
        }
        ++i;
    }
    return changed;
}

}  // namespace

TS57ChartFolderList S57FolderListFromManager(IChartManager *manager) {
    TS57ChartFolderList list;
    if (!manager) return list;
    for (int32_t i = 0; i < manager->GetS57FolderCount(); ++i) {
        QString folder;
        bool fixed = false, withSubfolders = false;
        ChartManagerGetS57Folder(manager, i, folder, fixed, withSubfolders);
        TS57ChartFolder record;
        record.Folder = folder.toStdU16String();
        record.WithSubfolders = withSubfolders;
        QString cc, region, water;
        ChartManagerGetS57FolderInfo(manager, i, cc, region, water);
        record.IsIENCSet = !cc.isEmpty();
        record.CountryCode = cc.toStdU16String();
        record.Region = region.toStdU16String();
        record.Water = water.toStdU16String();
        list.push_back(std::move(record));
    }
    return list;
}

bool ApplyS57FolderList(IChartManager *manager, const TS57ChartFolderList &list, IS57RegistrarManager *registrar,
                        IS52PresentationLib *library, QWidget *progressOwner) {
    if (!manager) return false;
    bool changed = AlignManagerFolders(manager, list, registrar, library);
    for (const TS57ChartFolder &record : list) {
        int32_t index = -1;
        const QString folder = FolderText(record);
        if (folder.isEmpty() || ChartManagerHasS57Folder(manager, folder, index)) continue;
        ChartManagerAddS57Folder(manager, folder, record.WithSubfolders, registrar, library);
        changed = true;
    }
    if (!changed) return false;
    std::unique_ptr<TFormS57LoadInfoProgress> progress(TFormS57LoadInfoProgress::CreateForm(progressOwner));
    progress->show();
    progress->LoadChartInfoAndReport(manager);
    return true;
}
