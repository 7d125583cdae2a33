#include "exchange/KvGPXParallel.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <sys/mman.h>
#include <thread>
#include <variant>
#include <vector>

namespace {

using TRecord = std::variant<TGPXWaypoint, TGPXRoute, TGPXTrack>;

// The byte range of a piece in the file; Last runs to the end of the file.
struct TPiece {
    int64_t Start = 0, End = 0;
    bool Last = false;
};

struct TPieceResult {
    TGPXParseResult Result;
    std::vector<TRecord> Records;
};

// A piece as a document of its own: the file's head, the piece's bytes read from the file,
// and the root's end tag (none for the last piece, which holds the file's own end).
class TPieceDevice : public QIODevice {
public:
    TPieceDevice(const QString &file, const QByteArray &head, const TPiece &piece, const QByteArray &tail,
                 const std::atomic<bool> &cancelled)
        : FFile(file), FHead(head), FTail(tail), FPiece(piece), FCancelled(cancelled) {}

    bool Open() {
        if (!FFile.open(QIODevice::ReadOnly) || !FFile.seek(FPiece.Start)) return false;
        return open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return FHead.size() + (FPiece.End - FPiece.Start) + FTail.size(); }

protected:
    qint64 readData(char *data, qint64 max) override {
        if (FCancelled.load(std::memory_order_relaxed)) return -1;
        qint64 done = 0;
        while (done < max) {
            qint64 n = 0;
            if (FAt < FHead.size()) {
                n = std::min<qint64>(max - done, FHead.size() - FAt);
                std::memcpy(data + done, FHead.constData() + FAt, size_t(n));
            } else if (FAt < FHead.size() + (FPiece.End - FPiece.Start)) {
                n = FFile.read(data + done, std::min<qint64>(max - done, FHead.size() + FPiece.End - FPiece.Start - FAt));
                if (n <= 0) return done > 0 ? done : -1;
            } else {
                const qint64 t = FAt - FHead.size() - (FPiece.End - FPiece.Start);
                if (t >= FTail.size()) break;
                n = std::min<qint64>(max - done, FTail.size() - t);
                std::memcpy(data + done, FTail.constData() + t, size_t(n));
            }
            FAt += n;
            done += n;
        }
        return done;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile FFile;
    QByteArray FHead, FTail;
    TPiece FPiece;
    const std::atomic<bool> &FCancelled;
    qint64 FAt = 0;
};

// ---- The byte scan ------------------------------------------------------------------------

// Finds where the root's children may be cut. It trusts nothing: where the bytes do not
// look like what it expects, it stops, and the rest of the file goes to the last piece,
// whose reader then finds the fault.
class TScanner {
public:
    TScanner(const uchar *data, int64_t size) : FData(reinterpret_cast<const char *>(data)), FSize(size) {}

    // The head up to and with the root's start tag; False when the file is better read by
    // one reader (not UTF-8, a DOCTYPE, a root other than "gpx", an odd start).
    bool ReadHead();
    // The next piece of about pieceSize bytes from where the last one ended.
    TPiece NextPiece(int64_t pieceSize);
    // Lets go of the pages of the mapping before the scan position.
    void ReleaseBehind();

    QByteArray Head, RootEndTag;

private:
    // Past the end of a markup that is not a start or end tag, at FAt on '<'; False when the
    // markup is not closed or is a declaration.
    bool SkipMarkup();
    // Past the '>' of the tag at FAt; False when the file ends first. selfClosing tells "/>".
    bool SkipTag(bool &selfClosing);
    bool At(const char *text) const {
        const size_t n = std::strlen(text);
        return FAt + int64_t(n) <= FSize && std::memcmp(FData + FAt, text, n) == 0;
    }
    bool Find(const char *text) {
        const void *hit = memmem(FData + FAt, size_t(FSize - FAt), text, std::strlen(text));
        if (!hit) return false;
        FAt = static_cast<const char *>(hit) - FData + int64_t(std::strlen(text));
        return true;
    }

    const char *FData;
    int64_t FSize;
    int64_t FAt = 0;
    int64_t FPieceStart = 0;
    int64_t FReleased = 0;
    int FDepth = 0;
    bool FStopped = false;
};

bool TScanner::SkipMarkup() {
    if (At("<!--")) return Find("-->");
    if (At("<![CDATA[")) return Find("]]>");
    if (At("<?")) return Find("?>");
    return false;  // a declaration: a DOCTYPE, or something not XML
}

bool TScanner::SkipTag(bool &selfClosing) {
    char quote = 0;
    for (int64_t i = FAt + 1; i < FSize; ++i) {
        const char c = FData[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            selfClosing = FData[i - 1] == '/';
            FAt = i + 1;
            return true;
        }
    }
    return false;
}

bool TScanner::ReadHead() {
    if (FSize >= 3 && std::memcmp(FData, "\xEF\xBB\xBF", 3) == 0) FAt = 3;
    if (At("<?xml")) {
        const int64_t start = FAt;
        if (!Find("?>")) return false;
        const QByteArray declaration = QByteArray(FData + start, FAt - start).toLower();
        const int e = declaration.indexOf("encoding");
        if (e >= 0 && !declaration.mid(e).contains("utf-8")) return false;
    }
    for (;;) {
        while (FAt < FSize && std::strchr(" \t\r\n", FData[FAt]) && FData[FAt]) ++FAt;
        if (FAt >= FSize || FData[FAt] != '<') return false;
        if (At("<?") || At("<!--")) {
            if (!SkipMarkup()) return false;
            continue;
        }
        if (At("<!") || At("</")) return false;
        break;
    }
    const int64_t tagStart = FAt;
    bool selfClosing = false;
    if (!SkipTag(selfClosing) || selfClosing) return false;
    int64_t nameEnd = tagStart + 1;
    while (nameEnd < FAt && !std::strchr(" \t\r\n/>", FData[nameEnd])) ++nameEnd;
    const QByteArray name(FData + tagStart + 1, nameEnd - tagStart - 1);
    const QByteArray local = name.mid(name.lastIndexOf(':') + 1);
    if (local.toLower() != "gpx") return false;
    Head = QByteArray(FData, FAt);
    RootEndTag = "</" + name + ">";
    FPieceStart = FAt;
    FDepth = 1;
    return true;
}

TPiece TScanner::NextPiece(int64_t pieceSize) {
    TPiece piece;
    piece.Start = FPieceStart;
    while (!FStopped) {
        const void *lt = std::memchr(FData + FAt, '<', size_t(FSize - FAt));
        if (!lt) break;
        FAt = static_cast<const char *>(lt) - FData;
        bool ok = true;
        if (At("</")) {
            bool ignored = false;
            ok = SkipTag(ignored);
            --FDepth;
        } else if (At("<!") || At("<?")) {
            ok = SkipMarkup();
        } else {
            bool selfClosing = false;
            ok = SkipTag(selfClosing);
            if (!selfClosing) ++FDepth;
        }
        if (!ok || FDepth < 1) break;  // the root's end, or bytes the readers must judge
        if (FDepth == 1 && FAt - FPieceStart >= pieceSize) {
            piece.End = FPieceStart = FAt;
            return piece;
        }
    }
    FStopped = true;
    piece.End = FSize;
    piece.Last = true;
    return piece;
}

void TScanner::ReleaseBehind() {
    constexpr int64_t Page = 4096;
    const int64_t upTo = FAt / Page * Page;
    if (upTo - FReleased < 8 * 1024 * 1024) return;
    madvise(const_cast<char *>(FData) + FReleased, size_t(upTo - FReleased), MADV_DONTNEED);
    FReleased = upTo;
}

// ---- The run ------------------------------------------------------------------------------

TPieceResult ReadPiece(const QString &file, const QByteArray &head, const TPiece &piece, const QByteArray &tail,
                       uint8_t options, const std::atomic<bool> &cancelled) {
    TPieceResult r;
    TPieceDevice device(file, head, piece, piece.Last ? QByteArray() : tail, cancelled);
    if (!device.Open()) {
        r.Result.Ok = false;
        return r;
    }
    TGPXHandlers h;
    h.Waypoint = [&r](TGPXWaypoint &&w) { r.Records.emplace_back(std::move(w)); };
    h.Route = [&r](TGPXRoute &&x) { r.Records.emplace_back(std::move(x)); };
    h.Track = [&r](TGPXTrack &&t) { r.Records.emplace_back(std::move(t)); };
    r.Result = GPXParse(device, options, h);
    return r;
}

void Hand(TRecord &&record, const TGPXHandlers &h) {
    if (auto *w = std::get_if<TGPXWaypoint>(&record)) {
        if (h.Waypoint) h.Waypoint(std::move(*w));
    } else if (auto *r = std::get_if<TGPXRoute>(&record)) {
        if (h.Route) h.Route(std::move(*r));
    } else if (auto *t = std::get_if<TGPXTrack>(&record)) {
        if (h.Track) h.Track(std::move(*t));
    }
}

TGPXParseResult ParseSerial(const QString &file, uint8_t options, const TGPXHandlers &handlers,
                            const std::function<void(int64_t)> &progress) {
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        TGPXParseResult r;
        r.Ok = false;
        r.Error = source.errorString();
        return r;
    }
    return GPXParse(source, options, handlers, progress);
}

// One reader again from the start, passing over the first `handed` records.
TGPXParseResult ParseSerialAfter(const QString &file, uint8_t options, const TGPXHandlers &handlers,
                                 const std::function<void(int64_t)> &progress, int64_t handed) {
    int64_t seen = 0;
    TGPXHandlers h;
    h.Waypoint = [&](TGPXWaypoint &&w) {
        if (seen++ >= handed && handlers.Waypoint) handlers.Waypoint(std::move(w));
    };
    h.Route = [&](TGPXRoute &&r) {
        if (seen++ >= handed && handlers.Route) handlers.Route(std::move(r));
    };
    h.Track = [&](TGPXTrack &&t) {
        if (seen++ >= handed && handlers.Track) handlers.Track(std::move(t));
    };
    return ParseSerial(file, options, h, progress);
}

struct TMapping {
    QFile &File;
    uchar *Data;
    ~TMapping() {
        if (Data) File.unmap(Data);
    }
};

}  // namespace

TGPXParseResult GPXParseFile(const QString &file, uint8_t options, const TGPXHandlers &handlers,
                             const std::function<void(int64_t)> &progress, const TGPXParallelOptions &parallel) {
    const int threads = parallel.Threads > 0
                            ? parallel.Threads
                            : int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    QFile source(file);
    if (threads < 2 || !source.open(QIODevice::ReadOnly) || source.size() < parallel.MinFileSize)
        return ParseSerial(file, options, handlers, progress);
    TMapping mapping{source, source.map(0, source.size())};
    if (!mapping.Data) return ParseSerial(file, options, handlers, progress);
    TScanner scanner(mapping.Data, source.size());
    if (!scanner.ReadHead()) return ParseSerial(file, options, handlers, progress);

    std::atomic<bool> cancelled{false};
    std::deque<std::pair<TPiece, std::future<TPieceResult>>> inFlight;
    // Workers still running when a handler throws are stopped and waited for.
    struct TStop {
        std::atomic<bool> &Cancelled;
        std::deque<std::pair<TPiece, std::future<TPieceResult>>> &InFlight;
        ~TStop() {
            Cancelled = true;
            for (auto &f : InFlight)
                if (f.second.valid()) f.second.wait();
        }
    } stop{cancelled, inFlight};

    int64_t handed = 0;
    bool scanned = false;
    const QByteArray head = scanner.Head, tail = scanner.RootEndTag;
    for (;;) {
        while (!scanned && int(inFlight.size()) < threads) {
            const TPiece piece = scanner.NextPiece(std::max<int64_t>(parallel.PieceSize, 1));
            scanner.ReleaseBehind();
            scanned = piece.Last;
            inFlight.emplace_back(piece, std::async(std::launch::async, ReadPiece, file, head, piece, tail, options,
                                                    std::cref(cancelled)));
        }
        if (inFlight.empty()) break;
        auto [piece, future] = std::move(inFlight.front());
        inFlight.pop_front();
        TPieceResult done = future.get();
        if (!done.Result.Ok || (piece.Last && !done.Result.IsGPX)) {
            cancelled = true;
            for (auto &f : inFlight) f.second.wait();
            inFlight.clear();
            return ParseSerialAfter(file, options, handlers, progress, handed);
        }
        for (TRecord &record : done.Records) {
            Hand(std::move(record), handlers);
            ++handed;
        }
        if (progress) progress(piece.End);
        if (piece.Last) {
            TGPXParseResult result;
            result.IsGPX = true;
            return result;
        }
    }
    TGPXParseResult result;
    result.IsGPX = true;
    return result;
}
