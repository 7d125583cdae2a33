#include "charts/SortedGUIDArray.h"

#include "KvLibNav6/KvCharts.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {

int CompareGuid(const TGUID &a, const TGUID &b) {
    if (a.D1 != b.D1) return a.D1 < b.D1 ? -1 : 1;
    if (a.D2 != b.D2) return a.D2 < b.D2 ? -1 : 1;
    if (a.D3 != b.D3) return a.D3 < b.D3 ? -1 : 1;
    const int c = std::memcmp(a.D4, b.D4, sizeof a.D4);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

TGUID GuidFromQUuid(const QUuid &u) {
    TGUID g;
    g.D1 = u.data1;
    g.D2 = u.data2;
    g.D3 = u.data3;
    std::memcpy(g.D4, u.data4, sizeof g.D4);
    return g;
}

QUuid GuidToQUuid(const TGUID &g) {
    return QUuid(g.D1, g.D2, g.D3, g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6],
                 g.D4[7]);
}

QString GuidToText(const TGUID &g) { return GuidToQUuid(g).toString(QUuid::WithBraces).toUpper(); }

TGUID GuidFromText(const QString &text) { return GuidFromQUuid(QUuid::fromString(text.trimmed())); }

}  // namespace kv

namespace {

class TSortedGUIDArray final : public ISortedGUIDArray {
public:
    void Add(const TGUID &guid) override {
        const auto it = std::lower_bound(FItems.begin(), FItems.end(), guid, kv::GuidLess);
        if (it == FItems.end() || !kv::GuidEqual(*it, guid)) FItems.insert(it, guid);
    }
    void Clear() override { FItems.clear(); }
    bool Contains(const TGUID &guid) override {
        return std::binary_search(FItems.begin(), FItems.end(), guid, kv::GuidLess);
    }
    int32_t GetCount() override { return int32_t(FItems.size()); }
    void GetItem(int32_t i, TGUID &out) override {
        out = (i >= 0 && size_t(i) < FItems.size()) ? FItems[size_t(i)] : TGUID{};
    }
    void Remove(const TGUID &guid) override {
        const auto it = std::lower_bound(FItems.begin(), FItems.end(), guid, kv::GuidLess);
        if (it != FItems.end() && kv::GuidEqual(*it, guid)) FItems.erase(it);
    }

private:
    std::vector<TGUID> FItems;  // ascending, no duplicates
};

}  // namespace

ISortedGUIDArray *SortedGUIDArrayCreate() { return new TSortedGUIDArray; }
