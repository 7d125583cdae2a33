#include "base/lists/KvDynamicLists.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <string>

namespace {

using Ints = std::vector<int32_t>;

TIntList MakeInts(const Ints &values, bool sorted = false) {
    TIntList list;
    for (int32_t v : values) list.Add(v);
    list.SetSorted(sorted);
    return list;
}

// The whole binary form of a list of 32-bit values.
QByteArray IntStream(int32_t count, const Ints &values) {
    QByteArray data(4, '\0');
    qToLittleEndian<qint32>(count, data.data());
    for (int32_t v : values) {
        char bytes[4];
        qToLittleEndian<qint32>(v, bytes);
        data.append(bytes, 4);
    }
    return data;
}

// No Compare of its own: appends and deletes, but cannot search or sort.
class TPlainList : public TDynamicList {
public:
    TPlainList() : TDynamicList(2, true) {}
};

// Records of 12 bytes ordered by their key.
struct TRec {
    int32_t key;
    double value;
};
class TRecList : public TDynamicList {
public:
    TRecList() : TDynamicList(sizeof(TRec), true) {}
    int Compare(const void *a, const void *b) const override {
        const int32_t ka = static_cast<const TRec *>(a)->key;
        const int32_t kb = static_cast<const TRec *>(b)->key;
        return ka < kb ? -1 : ka > kb;
    }
    const TRec &At(int32_t i) const { return *static_cast<const TRec *>(Item(i)); }
};

template <class F>
QString ListErrorOf(F &&action) {
    try {
        action();
    } catch (const EListError &e) {
        return e.Message();
    }
    return QStringLiteral("<no EListError>");
}

}  // namespace

TEST(KvDynamicLists, SortedFindReportsFirstEqualOrInsertPosition) {
    const TIntList list = MakeInts({5, 3, 1, 3}, true);
    ASSERT_EQ(list.ToVector(), (Ints{1, 3, 3, 5}));
    struct Case { int32_t key; bool found; int32_t index; };
    const Case cases[] = {{3, true, 1}, {4, false, 3}, {0, false, 0}, {1, true, 0},
                          {5, true, 3}, {6, false, 4}, {2, false, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        int32_t index = -7;
        EXPECT_EQ(list.Find(c.key, index), c.found);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(list.IndexOf(c.key), c.found ? c.index : -1);
    }
}

TEST(KvDynamicLists, FindEndsOnTheFirstOfManyEqualItems) {
    for (const Ints &values : {Ints{3, 3, 3, 3, 3}, Ints{1, 3, 3, 4, 5}, Ints{3, 3, 3, 3, 3, 3, 9},
                               Ints{0, 1, 2, 3, 3, 3, 3, 3}}) {
        TIntList list = MakeInts({});
        list.SetAllowDuplicates(true);
        list.SetSorted(true);
        for (int32_t v : values) list.Add(v);
        int32_t index = -1;
        EXPECT_TRUE(list.Find(3, index));
        EXPECT_EQ(index, int32_t(std::find(values.begin(), values.end(), 3) - values.begin()));
    }
}

TEST(KvDynamicLists, SortedAddRefusesOrPlacesDuplicates) {
    TIntList list = MakeInts({1, 3, 3, 5}, true);
    EXPECT_EQ(ListErrorOf([&] { list.Add(3); }),
              QStringLiteral("TDynamicList.Add: Duplicate items are not allowed."));
    EXPECT_EQ(list.ToVector(), (Ints{1, 3, 3, 5}));

    EXPECT_EQ(list.Add(4), 3);
    list.SetAllowDuplicates(true);
    EXPECT_EQ(list.Add(3), 1);
    EXPECT_EQ(list.ToVector(), (Ints{1, 3, 3, 3, 4, 5}));

    TIntList unsorted = MakeInts({3, 1});
    EXPECT_EQ(unsorted.Add(3), 2);  // unsorted lists never look for duplicates
    EXPECT_EQ(unsorted.ToVector(), (Ints{3, 1, 3}));
    EXPECT_EQ(unsorted.IndexOf(3), 0);  // linear search finds the first
}

TEST(KvDynamicLists, SortedAndDescendingFlags) {
    struct Case { const char *name; Ints start; bool sorted; Ints afterDescending; };
    const Case cases[] = {
        {"sorted list re-sorts", {2, 1, 3}, true, {3, 2, 1}},
        {"unsorted list keeps its order", {2, 1, 3}, false, {2, 1, 3}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TIntList list = MakeInts(c.start, c.sorted);
        list.SetDescending(true);
        EXPECT_TRUE(list.Descending());
        EXPECT_EQ(list.ToVector(), c.afterDescending);
        if (c.sorted) {
            EXPECT_EQ(list.Add(0), 3);  // descending order holds for Add
            list.SetDescending(false);
            EXPECT_EQ(list.ToVector(), (Ints{0, 1, 2, 3}));
        }
    }

    // Sort leaves a list marked sorted alone; switching sorted on sorts.
    TIntList list = MakeInts({1, 2, 3}, true);
    list.SetItems(0, 9);
    list.Sort();
    EXPECT_EQ(list.ToVector(), (Ints{9, 2, 3}));
    list.SetSorted(false);
    list.Sort();
    EXPECT_EQ(list.ToVector(), (Ints{2, 3, 9}));
    list.SetItems(0, 10);
    list.SetSorted(true);
    EXPECT_EQ(list.ToVector(), (Ints{3, 9, 10}));
}

TEST(KvDynamicLists, BadIndexesRaiseAndLeaveTheListAlone) {
    TIntList list = MakeInts({10, 20, 30});
    struct Case { const char *name; std::function<void()> act; const char *message; };
    const Case cases[] = {
        {"insert before the start", [&] { list.Insert(-1, 1); },
         "TDynamicList.Insert: List index out of bounds (-1)."},
        {"insert beyond the end", [&] { list.Insert(4, 1); },
         "TDynamicList.Insert: List index out of bounds (4)."},
        {"delete at the count", [&] { list.Delete(3); },
         "TDynamicList.Delete: List index out of bounds (3)."},
        {"exchange with the count", [&] { list.Exchange(0, 3); },
         "TDynamicList.Exchange: List index out of bounds (3)."},
        {"read past the end", [&] { (void)list.Items(3); },
         "TDynamicList.Items: List index out of bounds (3)."},
        {"negative count", [&] { list.SetCount(-1); },
         "TDynamicList.SetCount: List index out of bounds (-1)."},
        {"capacity below the count", [&] { list.SetCapacity(2); },
         "TDynamicList.SetCapacity: The capacity is below the count."},
        {"capacity too large", [&] { list.SetCapacity(INT32_MAX / 4); },
         "TDynamicList.SetCapacity: The maximum size of the list has been reached."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ListErrorOf(c.act), QString::fromLatin1(c.message));
        EXPECT_EQ(list.ToVector(), (Ints{10, 20, 30}));
    }
    TIntList empty;
    EXPECT_EQ(ListErrorOf([&] { empty.SetCapacity(-1); }),
              QStringLiteral("TDynamicList.SetCapacity: The capacity is below the count."));
    TFastList<int> emptyFast;
    EXPECT_EQ(ListErrorOf([&] { emptyFast.SetCapacity(-1); }),
              QStringLiteral("TFastList.SetCapacity: The capacity is below the count."));
    list.Insert(3, 40);  // the end itself is a valid insert position
    list.Exchange(0, 3);
    list.Delete(1);
    EXPECT_EQ(list.ToVector(), (Ints{40, 30, 10}));
}

TEST(KvDynamicLists, ListWithoutCompareAppendsButCannotSearch) {
    TPlainList list;
    const int16_t a = 7, b = 8;
    EXPECT_EQ(list.Add(&a), 0);
    EXPECT_EQ(list.Add(&b), 1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    const QString message = QStringLiteral(
        "TDynamicList.Compare: (anonymous namespace)::TPlainList does not support sorting.");
    EXPECT_EQ(ListErrorOf([&] { list.IndexOf(&b); }), message);
    list.Add(&a);
    EXPECT_EQ(ListErrorOf([&] { list.SetSorted(true); }), message);
    EXPECT_FALSE(list.Sorted());

    TDynamicList base(4, false);
    base.Add(&a);
    EXPECT_EQ(ListErrorOf([&] { base.IndexOf(&a); }),
              QStringLiteral("TDynamicList.Compare: TDynamicList does not support sorting."));
}

TEST(KvDynamicLists, GrowthCountFillAndAssign) {
    TIntList list;
    Ints capacities;
    for (int32_t i = 0; i < 95; ++i) {
        const int32_t before = list.Capacity();
        list.Add(i);
        if (list.Capacity() != before) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (Ints{4, 8, 12, 28, 44, 60, 76, 95}));

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(5);
    list.SetCount(4);  // new items are zero
    EXPECT_EQ(list.ToVector(), (Ints{5, 0, 0, 0}));
    list.SetCount(2);
    EXPECT_EQ(list.Capacity(), 4);
    list.SetCount(4);  // items uncovered again are zeroed, not the old ones
    EXPECT_EQ(list.ToVector(), (Ints{5, 0, 0, 0}));

    for (int32_t n : {0, 1, 2, 5, 7, 16}) {
        SCOPED_TRACE(n);
        TIntList filled;
        filled.SetCount(n);
        const int32_t seven = 7;
        filled.Fill(&seven);
        EXPECT_EQ(filled.ToVector(), Ints(size_t(n), 7));
    }

    TIntList copy = MakeInts({9, 8});
    copy.SetSorted(true);
    const TIntList source = MakeInts({3, 1, 2});
    copy.Assign(source);
    EXPECT_EQ(copy.ToVector(), (Ints{3, 1, 2}));  // flags stay, nothing re-sorted
    EXPECT_TRUE(copy.Sorted());
    EXPECT_EQ(copy.Capacity(), 3);
    TRecList records;
    EXPECT_EQ(ListErrorOf([&] { records.Assign(source); }),
              QStringLiteral("TDynamicList.Assign: The item sizes differ."));
}

TEST(KvDynamicLists, RecordItemsSortAndSurviveSelfInsert) {
    TRecList list;
    for (int32_t k : {4, 2, 9, 1}) {
        const TRec r{k, k * 0.5};
        list.Add(&r);
    }
    list.SetSorted(true);
    Ints keys;
    for (int32_t i = 0; i < list.Count(); ++i) keys.push_back(list.At(i).key);
    EXPECT_EQ(keys, (Ints{1, 2, 4, 9}));
    EXPECT_EQ(list.At(3).value, 4.5);  // the whole record moved with its key

    // The list is full (capacity 4): inserting one of its own items makes it grow first.
    ASSERT_EQ(list.Count(), list.Capacity());
    list.SetSorted(false);
    list.Insert(0, list.Item(3));
    EXPECT_EQ(list.At(0).key, 9);
    EXPECT_EQ(list.At(0).value, 4.5);
}

TEST(KvDynamicLists, StreamRoundTripAndDamagedStreams) {
    const TIntList source = MakeInts({-2, 70000, 3});
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    source.SaveToStream(buffer);
    EXPECT_EQ(buffer.data(), IntStream(3, {-2, 70000, 3}));
    buffer.seek(0);
    TIntList loaded = MakeInts({1});
    loaded.LoadFromStream(buffer);
    EXPECT_EQ(loaded.ToVector(), source.ToVector());
    EXPECT_EQ(buffer.pos(), buffer.size());

    struct Case {
        const char *name;
        QByteArray data;
        bool sorted;
        bool duplicates;
        bool ok;
        Ints expected;  // the list afterwards
    };
    const Case cases[] = {
        {"empty list", IntStream(0, {}), false, false, true, {}},
        {"sorted list is sorted after loading", IntStream(3, {5, 1, 3}), true, false, true,
         {1, 3, 5}},
        {"unsorted list keeps the stream's order", IntStream(3, {5, 1, 3}), false, false, true,
         {5, 1, 3}},
        {"duplicates refused by a sorted list", IntStream(3, {5, 1, 5}), true, false, false,
         {8, 9}},
        {"duplicates allowed", IntStream(3, {5, 1, 5}), true, true, true, {1, 5, 5}},
        {"items cut short", IntStream(3, {5, 1}), false, false, false, {8, 9}},
        {"count cut short", QByteArray("\x02\x00", 2), false, false, false, {8, 9}},
        {"nothing at all", QByteArray(), false, false, false, {8, 9}},
        {"negative count", IntStream(-1, {}), false, false, false, {8, 9}},
        {"absurd count", IntStream(INT32_MAX, {1}), false, false, false, {8, 9}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TIntList list = MakeInts({8, 9});
        list.SetSorted(c.sorted);
        list.SetAllowDuplicates(c.duplicates);
        QBuffer in;
        in.setData(c.data);
        in.open(QIODevice::ReadOnly);
        bool ok = true;
        try {
            list.LoadFromStream(in);
        } catch (const EStreamError &e) {
            ok = false;
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("TDynamicList.LoadFromStream: ")));
        }
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(list.ToVector(), c.expected);
        if (c.ok) {
            int32_t index = 0;
            EXPECT_EQ(list.Capacity(), list.Count());
            if (c.sorted && !c.expected.empty()) {
                EXPECT_TRUE(list.Find(c.expected.back(), index));
            }
        }
    }
}

TEST(KvFastList, AddInsertDeleteAndGrowth) {
    int a = 1, b = 2, c = 3;
    TFastList<int> list;
    Ints capacities;
    for (int32_t i = 0; i < 95; ++i) {
        const int32_t before = list.Capacity();
        EXPECT_EQ(list.Add(&a), i);
        if (list.Capacity() != before) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (Ints{4, 8, 12, 28, 44, 60, 76, 95}));
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);

    list.Add(&a);
    list.Add(&b);
    list.Insert(1, &c);
    list.Insert(3, &c);
    EXPECT_EQ((std::vector<int *>(list.begin(), list.end())), (std::vector<int *>{&a, &c, &b, &c}));
    list.Delete(0);
    EXPECT_EQ(list.Capacity(), 4);  // deleting keeps the capacity
    list.SetCount(5);
    EXPECT_EQ(list[3], nullptr);
    EXPECT_EQ(list[4], nullptr);
    EXPECT_EQ(list.Capacity(), 5);

    struct Case { const char *name; std::function<void()> act; const char *message; };
    const Case cases[] = {
        {"insert beyond the end", [&] { list.Insert(6, &a); },
         "TFastList.Insert: List index out of bounds (6)."},
        {"delete at the count", [&] { list.Delete(5); },
         "TFastList.Delete: List index out of bounds (5)."},
        {"negative item", [&] { (void)list.Items(-1); },
         "TFastList.Items: List index out of bounds (-1)."},
        {"capacity below the count", [&] { list.SetCapacity(4); },
         "TFastList.SetCapacity: The capacity is below the count."},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(ListErrorOf(k.act), QString::fromLatin1(k.message));
        EXPECT_EQ(list.Count(), 5);
    }
}

TEST(KvFastList, SearchesFromTheEndAndSorts) {
    int a = 1, b = 2;
    TFastList<int> list;
    for (int *p : {&a, &b, &a, &b}) list.Add(p);
    EXPECT_EQ(list.IndexOf(&a), 2);
    EXPECT_EQ(list.Remove(&a), 2);
    EXPECT_EQ((std::vector<int *>(list.begin(), list.end())), (std::vector<int *>{&a, &b, &b}));
    EXPECT_EQ(list.Remove(nullptr), -1);
    EXPECT_EQ(list.Count(), 3);

    int values[] = {5, 3, 9, 1, 3, 7, 2};
    TFastList<int> sorted;
    for (int &v : values) sorted.Add(&v);
    sorted.Sort([](int *x, int *y) { return *x - *y; });
    Ints order;
    for (int *p : sorted) order.push_back(*p);
    EXPECT_EQ(order, (Ints{1, 2, 3, 3, 5, 7, 9}));
}

TEST(KvFastList, RoutinesOnAListVariable) {
    int a = 1, b = 2, c = 3;
    std::unique_ptr<TFastList<int>> list;
    FastListDelete(list, 0);  // nothing to do without a list
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(FastListInsert(list, 5, &a), 0);  // made on first use; beyond the count appends
    EXPECT_EQ(FastListInsert(list, 7, &b), 1);
    EXPECT_EQ(FastListInsert(list, 0, &c), 0);
    EXPECT_EQ(FastListAdd(list, &a), 3);
    EXPECT_EQ((std::vector<int *>(list->begin(), list->end())),
              (std::vector<int *>{&c, &a, &b, &a}));
    for (int i = 0; i < 3; ++i) FastListDelete(list, 0);
    ASSERT_NE(list, nullptr);
    FastListDelete(list, 0);
    EXPECT_EQ(list, nullptr);  // the last item took the list with it

    std::unique_ptr<TFastList<int>> none;
    EXPECT_EQ(FastListAdd(none, &a), 0);
    ASSERT_NE(none, nullptr);
}

TEST(KvFastList, FreeObjectsFreesFromTheLastToTheFirst) {
    struct TTracked {
        std::string *log;
        char name;
        ~TTracked() { *log += name; }
    };
    std::string log;
    std::unique_ptr<TFastList<TTracked>> list;
    for (char n : {'a', 'b', 'c'}) FastListAdd(list, new TTracked{&log, n});
    FastListFreeObjects(list);
    EXPECT_EQ(log, "cba");
    EXPECT_EQ(list, nullptr);
    FastListFreeObjects(list);  // nothing without a list
    EXPECT_EQ(log, "cba");
}
