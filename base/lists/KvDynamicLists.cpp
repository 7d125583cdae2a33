#include "base/lists/KvDynamicLists.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <typeinfo>
#include <utility>

#if defined(__GNUG__)
#include <cxxabi.h>
#include <cstdlib>
#endif

namespace kvlists {

int32_t GrowCapacity(int32_t capacity) {
    if (capacity > 64) return capacity + capacity / 4;
    if (capacity > 8) return capacity + 16;
    return capacity + 4;
}

void RaiseIndexError(const char *where, int64_t index) {
    throw EListError(QStringLiteral("%1: List index out of bounds (%2).")
                         .arg(QLatin1String(where))
                         .arg(index));
}

void RaiseListError(const char *where, const char *text) {
    throw EListError(QStringLiteral("%1: %2").arg(QLatin1String(where), QLatin1String(text)));
}

}  // namespace kvlists

namespace {

[[noreturn]] void RaiseStreamError(const char *text) {
    throw EStreamError(QStringLiteral("TDynamicList.LoadFromStream: %1").arg(QLatin1String(text)));
}

// Reads exactly `size` bytes; a stream that ends first is an error, never garbage items.
QByteArray ReadExactly(QIODevice &stream, qint64 size) {
    // A damaged count must not make us allocate gigabytes before the stream runs dry.
    if (!stream.isSequential() && stream.bytesAvailable() < size)
        RaiseStreamError("The stream ended before the list was read.");
    QByteArray data;
    constexpr qint64 Chunk = 1 << 20;
    while (data.size() < size) {
        const qint64 want = std::min(Chunk, size - data.size());
        const QByteArray part = stream.read(want);
        if (part.isEmpty() && !stream.waitForReadyRead(1000))
            RaiseStreamError("The stream ended before the list was read.");
        data += part;
    }
    return data;
}

}  // namespace

TDynamicList::TDynamicList(int32_t itemSize, bool blockStreaming)
    : FItemSize(itemSize), FBlockStreaming(blockStreaming) {
    if (itemSize <= 0)
        kvlists::RaiseListError("TDynamicList.Create", "The item size must be positive.");
}

QString TDynamicList::ClassName() const {
    const char *raw = typeid(*this).name();
#if defined(__GNUG__)
    int status = 0;
    char *demangled = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
    if (status == 0 && demangled) {
        QString name = QString::fromLatin1(demangled);
        std::free(demangled);
        return name;
    }
#endif
    return QString::fromLatin1(raw);
}

int TDynamicList::Compare(const void *, const void *) const {
    throw EListError(QStringLiteral("TDynamicList.Compare: %1 does not support sorting.")
                         .arg(ClassName()));
}

void TDynamicList::Grow() { SetCapacity(kvlists::GrowCapacity(FCapacity)); }

void TDynamicList::SetCapacity(int32_t newCapacity) {
    if (newCapacity > INT32_MAX / FItemSize - 1)
        kvlists::RaiseListError("TDynamicList.SetCapacity",
                                "The maximum size of the list has been reached.");
    // Below the count the items in use would lie outside the block.
    if (newCapacity < FCount || newCapacity < 0)
        kvlists::RaiseListError("TDynamicList.SetCapacity", "The capacity is below the count.");
    if (newCapacity == FCapacity) return;
    FData.resize(size_t(newCapacity) * size_t(FItemSize));
    FData.shrink_to_fit();
    FCapacity = newCapacity;
}

void TDynamicList::SetCount(int32_t newCount) {
    if (newCount < 0) kvlists::RaiseIndexError("TDynamicList.SetCount", newCount);
    if (newCount > FCapacity) SetCapacity(newCount);
    if (newCount > FCount)
        std::fill(At(FCount), At(newCount), std::byte{0});
    FCount = newCount;
}

void TDynamicList::Clear() {
    FCount = 0;
    SetCapacity(0);
}

void *TDynamicList::Item(int32_t index) {
    if (index < 0 || index >= FCount) kvlists::RaiseIndexError("TDynamicList.Items", index);
    return At(index);
}

const void *TDynamicList::Item(int32_t index) const {
    if (index < 0 || index >= FCount) kvlists::RaiseIndexError("TDynamicList.Items", index);
    return At(index);
}

void TDynamicList::Insert(int32_t index, const void *item) {
    if (index < 0 || index > FCount) kvlists::RaiseIndexError("TDynamicList.Insert", index);
    // The item may lie inside our own block, which growing and moving shift: keep a copy.
    const auto *source = static_cast<const std::byte *>(item);
    const std::less<const std::byte *> before;
    std::vector<std::byte> copy;
    if (!before(source, FData.data()) && before(source, FData.data() + FData.size())) {
        copy.assign(source, source + FItemSize);
        source = copy.data();
    }
    if (FCount == FCapacity) Grow();
    if (index < FCount)
        std::memmove(At(index + 1), At(index), size_t(FCount - index) * size_t(FItemSize));
    std::memcpy(At(index), source, size_t(FItemSize));
    ++FCount;
}

void TDynamicList::Delete(int32_t index) {
    if (index < 0 || index >= FCount) kvlists::RaiseIndexError("TDynamicList.Delete", index);
    --FCount;
    if (index < FCount)
        std::memmove(At(index), At(index + 1), size_t(FCount - index) * size_t(FItemSize));
}

void TDynamicList::Exchange(int32_t index1, int32_t index2) {
    if (index1 < 0 || index1 >= FCount) kvlists::RaiseIndexError("TDynamicList.Exchange", index1);
    if (index2 < 0 || index2 >= FCount) kvlists::RaiseIndexError("TDynamicList.Exchange", index2);
    if (index1 == index2) return;
    std::swap_ranges(At(index1), At(index1) + FItemSize, At(index2));
}

bool TDynamicList::Find(const void *item, int32_t &index) const {
    int32_t lo = 0, hi = FCount - 1;
    bool found = false;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        const int c = Compare(At(mid), item);
        if (c < 0) {
            lo = mid + 1;
        } else {
            // Keep searching to the left of an equal item: the result is the first of
            // several equal items even when the middle lands on a later one.
            hi = mid - 1;
            if (c == 0) found = true;
        }
    }
    index = lo;
    return found;
}

int32_t TDynamicList::IndexOf(const void *item) const {
    if (FSorted) {
        int32_t index = 0;
        return Find(item, index) ? index : -1;
    }
    for (int32_t i = 0; i < FCount; ++i)
        if (Compare(At(i), item) == 0) return i;
    return -1;
}

int32_t TDynamicList::Add(const void *item) {
    int32_t index = FCount;
    if (FSorted && Find(item, index) && !FAllowDuplicates)
        kvlists::RaiseListError("TDynamicList.Add", "Duplicate items are not allowed.");
    Insert(index, item);
    return index;
}

void TDynamicList::Fill(const void *item) {
    if (FCount == 0) return;
    std::memmove(At(0), item, size_t(FItemSize));
    // Doubling the filled run keeps the copies few for long lists.
    for (int32_t filled = 1; filled < FCount; filled *= 2) {
        const int32_t n = std::min(filled, FCount - filled);
        std::memcpy(At(filled), At(0), size_t(n) * size_t(FItemSize));
    }
}

void TDynamicList::QuickSort(int32_t lo, int32_t hi) {
    std::vector<std::byte> pivot(static_cast<size_t>(FItemSize));
    while (lo < hi) {
        int32_t i = lo, j = hi;
        std::memcpy(pivot.data(), At(lo + (hi - lo) / 2), size_t(FItemSize));
        do {
            while (Compare(At(i), pivot.data()) < 0) ++i;
            while (Compare(At(j), pivot.data()) > 0) --j;
            if (i <= j) {
                Exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j) QuickSort(lo, j);
        lo = i;
    }
}

void TDynamicList::SortAll() {
    if (FCount > 1) QuickSort(0, FCount - 1);
}

void TDynamicList::Sort() {
    if (!FSorted) SortAll();
}

void TDynamicList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) SortAll();  // a failing Compare leaves the flag off
    FSorted = value;
}

void TDynamicList::SetDescending(bool value) {
    if (value == FDescending) return;
    FDescending = value;
    if (FSorted) {
        try {
            SortAll();
        } catch (...) {
            FDescending = !value;
            throw;
        }
    }
}

void TDynamicList::SaveToStream(QIODevice &stream) const {
    char count[4];
    qToLittleEndian<qint32>(FCount, count);
    const qint64 bytes = qint64(FCount) * FItemSize;
    if (stream.write(count, 4) != 4 ||
        stream.write(reinterpret_cast<const char *>(FData.data()), bytes) != bytes)
        throw EStreamError(QStringLiteral("TDynamicList.SaveToStream: %1")
                               .arg(stream.errorString()));
}

void TDynamicList::LoadFromStream(QIODevice &stream) {
    const QByteArray head = ReadExactly(stream, 4);
    const qint32 count = qFromLittleEndian<qint32>(head.constData());
    if (count < 0 || count > INT32_MAX / FItemSize - 1)
        RaiseStreamError("The stream holds an invalid item count.");
    const QByteArray body = ReadExactly(stream, qint64(count) * FItemSize);

    // Loaded into place so the class's own Compare and Exchange can sort it; any failure
    // puts the previous items back.
    std::vector<std::byte> previous(size_t(count) * size_t(FItemSize));
    std::memcpy(previous.data(), body.constData(), previous.size());
    FData.swap(previous);
    const int32_t oldCount = FCount, oldCapacity = FCapacity;
    FCount = count;
    FCapacity = count;
    try {
        if (FSorted) {
            SortAll();
            if (!FAllowDuplicates)
                for (int32_t i = 1; i < FCount; ++i)
                    if (Compare(At(i - 1), At(i)) == 0)
                        RaiseStreamError("Duplicate items are not allowed.");
        }
    } catch (...) {
        FData.swap(previous);
        FCount = oldCount;
        FCapacity = oldCapacity;
        throw;
    }
}

void TDynamicList::Assign(const TDynamicList &source) {
    if (&source == this) return;
    if (source.FItemSize != FItemSize)
        kvlists::RaiseListError("TDynamicList.Assign", "The item sizes differ.");
    FCount = 0;
    SetCapacity(source.FCount);
    std::memcpy(FData.data(), source.FData.data(), size_t(source.FCount) * size_t(FItemSize));
    FCount = source.FCount;
}

int32_t TIntList::Items(int32_t index) const {
    int32_t value;
    std::memcpy(&value, Item(index), sizeof value);
    return value;
}

void TIntList::SetItems(int32_t index, int32_t value) {
    std::memcpy(Item(index), &value, sizeof value);
}

std::vector<int32_t> TIntList::ToVector() const {
    std::vector<int32_t> values(static_cast<size_t>(Count()));
    if (Count() > 0) std::memcpy(values.data(), Items(), values.size() * sizeof(int32_t));
    return values;
}

int TIntList::Compare(const void *item1, const void *item2) const {
    int32_t a, b;
    std::memcpy(&a, item1, sizeof a);
    std::memcpy(&b, item2, sizeof b);
    const int c = a < b ? -1 : (a > b ? 1 : 0);
    return Descending() ? -c : c;
}
