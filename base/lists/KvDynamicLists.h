// Containers with inline fixed-size items (TDynamicList, TIntList) and the small pointer list
// (TFastList) that many units keep their objects in. Not thread-safe: each list belongs to
// the thread that made it (the main thread everywhere in the program).
//
// Every index is checked: a bad one raises EListError and leaves the list as it was.
#pragma once

#include "base/kvlib/KvErrors.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;

namespace kvlists {
// Capacity after growing a full list of the given capacity: 0 -> 4 -> 8 -> 12 -> 28 -> 44
// -> 60 -> 76 -> 95 ...
int32_t GrowCapacity(int32_t capacity);
[[noreturn]] void RaiseIndexError(const char *where, int64_t index);
[[noreturn]] void RaiseListError(const char *where, const char *text);
}  // namespace kvlists

// A list of items of one byte size, stored inline in one block. Optionally kept sorted by
// the virtual Compare (which a class must supply to sort or search), refusing or allowing
// duplicates, ascending or descending.
class TDynamicList {
public:
    TDynamicList(int32_t itemSize, bool blockStreaming);
    virtual ~TDynamicList() = default;
    TDynamicList(const TDynamicList &) = delete;
    TDynamicList &operator=(const TDynamicList &) = delete;
    TDynamicList(TDynamicList &&) = default;
    TDynamicList &operator=(TDynamicList &&) = default;

    // Sorted: at Find's position (an allowed duplicate goes before the first equal item);
    // a duplicate that is not allowed raises EListError "TDynamicList.Add: Duplicate items
    // are not allowed." and leaves the list unchanged. Unsorted: appended.
    int32_t Add(const void *item);
    // Index 0..Count; does not look at the sorted flag.
    virtual void Insert(int32_t index, const void *item);
    virtual void Delete(int32_t index);
    virtual void Exchange(int32_t index1, int32_t index2);
    // Count 0, then capacity 0.
    void Clear();
    // Binary search: True and the first equal item's index, or False and the index at
    // which the item would be inserted. Meaningful on a sorted list only.
    bool Find(const void *item, int32_t &index) const;
    // -1 when absent. Compares even on an unsorted list, so a class without Compare raises.
    int32_t IndexOf(const void *item) const;
    // Every item in use becomes a copy of the given item.
    void Fill(const void *item);
    // New items are zero-filled; shrinking only lowers the count.
    void SetCount(int32_t newCount);
    // Not below the count; above MaxInt div item size - 1 raises "TDynamicList.SetCapacity:
    // The maximum size of the list has been reached."
    virtual void SetCapacity(int32_t newCapacity);
    // Sorts an unsorted list (a sorted one is in order already).
    void Sort();

    int32_t Count() const { return FCount; }
    int32_t Capacity() const { return FCapacity; }
    int32_t ItemSize() const { return FItemSize; }
    bool BlockStreaming() const { return FBlockStreaming; }
    bool Sorted() const { return FSorted; }
    bool Descending() const { return FDescending; }
    bool AllowDuplicates() const { return FAllowDuplicates; }
    // Switching on sorts the items first.
    void SetSorted(bool value);
    // Re-sorts a sorted list in the new order; on an unsorted list only the flag changes.
    void SetDescending(bool value);
    void SetAllowDuplicates(bool value) { FAllowDuplicates = value; }

    // The items block (Capacity x ItemSize bytes); moves when the capacity changes.
    void *Items() { return FData.data(); }
    const void *Items() const { return FData.data(); }
    void *Item(int32_t index);
    const void *Item(int32_t index) const;

    // Binary form: 4-byte little-endian count, then Count x ItemSize bytes of the block.
    // Loading replaces the items only when the whole form was read: a short or damaged
    // stream raises EStreamError and leaves the list as it was; a sorted list is sorted
    // after loading and, unless duplicates are allowed, refuses a stream holding equal
    // items.
    void SaveToStream(QIODevice &stream) const;
    void LoadFromStream(QIODevice &stream);

    // Copies the source's items; the flags stay and nothing is re-sorted. Both lists must
    // have the same item size (EListError otherwise).
    virtual void Assign(const TDynamicList &source);

    // Negative, 0 or positive; descendants read Descending to invert their order. The base
    // raises "TDynamicList.Compare: <class> does not support sorting."
    virtual int Compare(const void *item1, const void *item2) const;

protected:
    QString ClassName() const;

private:
    void Grow();
    void QuickSort(int32_t lo, int32_t hi);
    void SortAll();
    std::byte *At(int32_t index) { return FData.data() + size_t(index) * size_t(FItemSize); }
    const std::byte *At(int32_t index) const {
        return FData.data() + size_t(index) * size_t(FItemSize);
    }

    std::vector<std::byte> FData;  // Capacity x ItemSize bytes
    int32_t FCount = 0;
    int32_t FCapacity = 0;
    int32_t FItemSize;
    bool FBlockStreaming;
    bool FSorted = false;
    bool FAllowDuplicates = false;
    bool FDescending = false;
};

// TDynamicList of signed 32-bit integers (index sets of the folder tree and route table).
class TIntList : public TDynamicList {
public:
    TIntList() : TDynamicList(4, false) {}

    using TDynamicList::Add;
    using TDynamicList::Find;
    using TDynamicList::IndexOf;
    using TDynamicList::Insert;
    using TDynamicList::Items;
    int32_t Add(int32_t value) { return TDynamicList::Add(&value); }
    void Insert(int32_t index, int32_t value) { TDynamicList::Insert(index, &value); }
    bool Find(int32_t value, int32_t &index) const { return TDynamicList::Find(&value, index); }
    int32_t IndexOf(int32_t value) const { return TDynamicList::IndexOf(&value); }

    int32_t Items(int32_t index) const;
    void SetItems(int32_t index, int32_t value);
    int32_t operator[](int32_t index) const { return Items(index); }
    std::vector<int32_t> ToVector() const;

    // Signed order, reversed when Descending.
    int Compare(const void *item1, const void *item2) const override;
};

// A plain list of pointers; owns nothing (FastListFreeObjects frees what it points to).
template <class T>
class TFastList {
public:
    // Compare function of Sort: negative, 0 or positive.
    using TCompare = int (*)(T *item1, T *item2);

    TFastList() = default;
    TFastList(const TFastList &) = delete;
    TFastList &operator=(const TFastList &) = delete;

    int32_t Add(T *item) {
        if (Count() == Capacity()) SetCapacity(kvlists::GrowCapacity(Capacity()));
        FItems.push_back(item);
        return Count() - 1;
    }
    // Index 0..Count.
    void Insert(int32_t index, T *item) {
        if (index < 0 || index > Count()) kvlists::RaiseIndexError("TFastList.Insert", index);
        if (Count() == Capacity()) SetCapacity(kvlists::GrowCapacity(Capacity()));
        FItems.insert(FItems.begin() + index, item);
    }
    // The capacity stays.
    void Delete(int32_t index) {
        CheckIndex("TFastList.Delete", index);
        FItems.erase(FItems.begin() + index);
    }
    // Searches from the last item: the index of the last occurrence, -1 when absent.
    int32_t IndexOf(const T *item) const {
        for (int32_t i = Count() - 1; i >= 0; --i)
            if (FItems[size_t(i)] == item) return i;
        return -1;
    }
    // Removes the last occurrence; its index, or -1 when absent.
    int32_t Remove(const T *item) {
        const int32_t index = IndexOf(item);
        if (index >= 0) Delete(index);
        return index;
    }
    // New slots are nullptr.
    void SetCount(int32_t count) {
        if (count < 0) kvlists::RaiseIndexError("TFastList.SetCount", count);
        if (count > Capacity()) SetCapacity(count);
        FItems.resize(size_t(count), nullptr);
    }
    // Not below the count.
    void SetCapacity(int32_t capacity) {
        if (capacity < Count() || capacity < 0)
            kvlists::RaiseListError("TFastList.SetCapacity", "The capacity is below the count.");
        if (capacity == Capacity()) return;
        std::vector<T *> items;  // reserve alone never shrinks
        items.reserve(size_t(capacity));
        items.assign(FItems.begin(), FItems.end());
        FItems.swap(items);
    }
    void Clear() {
        FItems.clear();
        SetCapacity(0);
    }
    // Quicksort around the middle item: items that compare equal keep no fixed order.
    template <class Compare>
    void Sort(Compare compare) {
        if (Count() > 1) QuickSort(compare, 0, Count() - 1);
    }

    int32_t Count() const { return int32_t(FItems.size()); }
    int32_t Capacity() const { return int32_t(FItems.capacity()); }
    T *Items(int32_t index) const {
        CheckIndex("TFastList.Items", index);
        return FItems[size_t(index)];
    }
    void SetItems(int32_t index, T *item) {
        CheckIndex("TFastList.Items", index);
        FItems[size_t(index)] = item;
    }
    T *operator[](int32_t index) const { return Items(index); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    void CheckIndex(const char *where, int32_t index) const {
        if (index < 0 || index >= Count()) kvlists::RaiseIndexError(where, index);
    }
    template <class Compare>
    void QuickSort(Compare &compare, int32_t lo, int32_t hi) {
        while (lo < hi) {
            int32_t i = lo, j = hi;
            T *pivot = FItems[size_t((lo + hi) / 2)];
            do {
                while (compare(FItems[size_t(i)], pivot) < 0) ++i;
                while (compare(FItems[size_t(j)], pivot) > 0) --j;
                if (i <= j) {
                    std::swap(FItems[size_t(i)], FItems[size_t(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (lo < j) QuickSort(compare, lo, j);
            lo = i;
        }
    }

    std::vector<T *> FItems;
};

// Routines on a list variable: the list is made on first use and freed when it empties.

template <class T>
int32_t FastListAdd(std::unique_ptr<TFastList<T>> &list, T *item) {
    if (!list) list = std::make_unique<TFastList<T>>();
    return list->Add(item);
}

// Nothing when there is no list; frees the list when its last item goes.
template <class T>
void FastListDelete(std::unique_ptr<TFastList<T>> &list, int32_t index) {
    if (!list) return;
    list->Delete(index);
    if (list->Count() == 0) list.reset();
}

// An index beyond the count appends; returns the index used.
template <class T>
int32_t FastListInsert(std::unique_ptr<TFastList<T>> &list, int32_t index, T *item) {
    if (!list) list = std::make_unique<TFastList<T>>();
    if (index > list->Count()) return list->Add(item);
    list->Insert(index, item);
    return index;
}

// Deletes every item, from the last to the first, then the list. The list owns its items
// only for this call: the caller guarantees each item was made with `new`.
template <class T>
void FastListFreeObjects(std::unique_ptr<TFastList<T>> &list) {
    std::unique_ptr<TFastList<T>> owned = std::move(list);
    if (!owned) return;
    for (int32_t i = owned->Count() - 1; i >= 0; --i) delete owned->Items(i);
}
