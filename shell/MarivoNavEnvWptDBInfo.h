// What the navigation environment knows about a waypoint database delivered with an
// installed chart product, and the groups of it that were shown while the charts were let go.
#pragma once

#include <KvLibNav6/KvMarinaGuide.h>
#include <KvLibNav6/KvTypes.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TNavChartWptDBGroupInfo {
public:
    TNavChartWptDBGroupInfo(const QString &name, bool selected) : Name(name), Selected(selected) {}
    QString Name;
    bool Selected = false;
};

class TNavChartWptDBInfo {
public:
    TNavChartWptDBInfo() = default;
    ~TNavChartWptDBInfo();
    TNavChartWptDBInfo(const TNavChartWptDBInfo &) = delete;
    TNavChartWptDBInfo &operator=(const TNavChartWptDBInfo &) = delete;

    void AddGroup(const QString &name, bool selected);
    int GroupCount() const { return int(FGroups.size()); }
    const TNavChartWptDBGroupInfo *GetGroup(int index) const { return FGroups.at(size_t(index)).get(); }
    void ClearGroups() { FGroups.clear(); }
    // Releases the point-of-interest database, if any.
    void ReleasePointDatabase();

    QString FileName;
    TGUID GUID{};
    uint32_t ProductKey = 0;  // the product's number, compared by value
    uint32_t ChartSetMask = 0;
    IWptDatabase *Database = nullptr;           // the waypoint manager's; nullptr while released
    IGeoAddsDatabase *PointDatabase = nullptr;  // owned

private:
    std::vector<std::unique_ptr<TNavChartWptDBGroupInfo>> FGroups;
};
