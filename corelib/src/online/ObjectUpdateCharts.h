// The chart updates of the object-update manager: the newer editions that the online
// service's records name for the chart sets installed here (one entry per file: kind 1 a
// chart-set file, kind 2 an add-on file), and their fetch into the chart-manager program's
// update folder, where its "-update" run installs them.
//
// A set is fetched into a hidden folder beside its final place (the chart-manager program
// passes over hidden folders); every file goes to "<name>.part" and counts only when the
// transfer ended well with exactly the record's size. Only a set whose files all arrived
// gets its manifest (the installed one with the new edition and the record's files) and is
// renamed into place; anything else is deleted. GUI thread.
#pragma once

#include "kernel/TestApi.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvWebServices.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace kv {

struct TPendingChartUpdate {
    IMRCChartSetRecord *Record = nullptr;  // owned by the online service
    int32_t Kind = 1;
    int32_t FileIndex = 0;
    QString InstalledFolder;  // the installed set's folder
};

class KVLIB_TEST_API TChartUpdates {
public:
    TChartUpdates();
    ~TChartUpdates();

    // Reads the list again from the installed sets and the service's records.
    void Refresh(IChartManager *manager, IMRCChartCheck *account);
    int32_t Count() const { return int32_t(FPending.size()); }
    const TPendingChartUpdate *At(int32_t i) const;

    // Fetches the pending sets into updateFolder one file at a time; done gets the number
    // of sets placed whole, possibly before Fetch returns. A fetch already running is left
    // alone (done is not called for the second one).
    void Fetch(IMRCChartCheck *account, const QString &updateFolder, std::function<void(int placed)> done);
    bool Fetching() const;

    struct TRun;

private:
    std::vector<TPendingChartUpdate> FPending;
    std::shared_ptr<TRun> FRun;
};

}  // namespace kv
