// Reference lists of waypoint-database objects and tracks. A list never owns its items,
// except a track list after SetOwnsObjects(true).
#pragma once

#include "KvLibNav6/KvTracks.h"
#include "KvLibNav6/KvWaypoints.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace kv::wpt {

// Every live list, so that an object deleted from its database leaves no dangling entry
// behind in lists the program still holds.
class TListBase {
public:
    TListBase();
    virtual ~TListBase();
    TListBase(const TListBase &) = delete;
    TListBase &operator=(const TListBase &) = delete;
    virtual void ForgetAll(const std::unordered_set<NavObject *> &gone) = 0;
};
void ForgetEverywhere(const std::unordered_set<NavObject *> &gone);

template <class Iface>
class TObjectList : public Iface, public TListBase {
public:
    ~TObjectList() override { ReleaseOwned(FItems); }

    void Add(NavObject *obj) override {
        if (!obj) return;
        if (!FCompare) {
            FItems.push_back(obj);
            return;
        }
        // Stable: an equal item goes after the ones already there.
        auto at = std::upper_bound(FItems.begin(), FItems.end(), obj,
                                   [this](NavObject *a, NavObject *b) { return FCompare(a, b) < 0; });
        FItems.insert(at, obj);
    }
    void AddAll(IWptObjectList *other, int32_t &err) override {
        err = KvErr::Ok;
        if (!other) {
            err = KvErr::InvalidArgument;
            return;
        }
        if (other == this) {
            auto copy = FItems;
            for (NavObject *o : copy) Add(o);
            return;
        }
        for (int32_t i = 0; i < other->GetCount(); ++i) Add(other->GetItem(i));
    }
    void Clear() override {
        auto old = std::move(FItems);
        FItems.clear();
        ReleaseOwned(old);
    }
    bool Find(NavObject *obj, int32_t &index) override {
        index = IndexOf(obj);
        return index >= 0;
    }
    void Remove(NavObject *obj) override {
        int32_t i = IndexOf(obj);
        if (i >= 0) Delete(i);
    }
    void SetCompare(WptObjectCompareProc compare) override {
        FCompare = compare;
        if (FCompare)
            std::stable_sort(FItems.begin(), FItems.end(), [this](NavObject *a, NavObject *b) {
                return FCompare(a, b) < 0;
            });
    }
    void SetSortMode(int32_t mode) override { FSortMode = mode; }
    NavObject *GetItem(int32_t i) override {
        return i >= 0 && i < GetCount() ? FItems[size_t(i)] : nullptr;
    }
    int32_t GetCount() override { return int32_t(FItems.size()); }
    void Assign(IWptObjectList *other) override {
        if (other == this) return;
        std::vector<NavObject *> items;
        if (other)
            for (int32_t i = 0; i < other->GetCount(); ++i) items.push_back(other->GetItem(i));
        Clear();
        for (NavObject *o : items) Add(o);
    }
    void Delete(int32_t index) override {
        if (index < 0 || index >= GetCount()) return;
        NavObject *obj = FItems[size_t(index)];
        FItems.erase(FItems.begin() + index);
        if (FOwns && std::find(FItems.begin(), FItems.end(), obj) == FItems.end()) delete obj;
    }
    int32_t IndexOf(NavObject *obj) override {
        if (!obj) return -1;
        auto it = std::find(FItems.begin(), FItems.end(), obj);
        return it == FItems.end() ? -1 : int32_t(it - FItems.begin());
    }
    void SetOwnsObjects(bool owns) override { FOwns = owns; }

    // The library's own bookkeeping: drops every entry of obj without releasing it (an
    // object that is being deleted elsewhere).
    void ForgetAll(const std::unordered_set<NavObject *> &gone) override {
        if (FItems.empty()) return;
        std::erase_if(FItems, [&gone](NavObject *o) { return gone.count(o) != 0; });
    }
    const std::vector<NavObject *> &Items() const { return FItems; }

private:
    void ReleaseOwned(std::vector<NavObject *> &items) {
        if (!FOwns) return;
        // An item added twice is released once.
        std::sort(items.begin(), items.end());
        items.erase(std::unique(items.begin(), items.end()), items.end());
        for (NavObject *o : items) delete o;
        items.clear();
    }

    std::vector<NavObject *> FItems;
    WptObjectCompareProc FCompare = nullptr;
    int32_t FSortMode = 0;
    bool FOwns = false;
};

}  // namespace kv::wpt
