// Helpers shared by the library's own sources (not part of the public interface).
#pragma once

#include "KvLibNav6/KvStrW.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Helpers that inline code of headers seen outside the library (tests) calls are inline
// themselves: the library exports none of them.

// UTF-16 units copied verbatim. QString::fromUtf16 takes a leading U+FEFF or U+FFFE for a
// byte-order mark (dropping it, or byte-swapping the whole text), which would damage any
// name or value that happens to start with one.
inline QString FromUtf16(const char16_t *text, qsizetype units) {
    return text && units > 0 ? QString(reinterpret_cast<const QChar *>(text), units) : QString();
}
// Characters of a record as a QString; copies exactly Length units.
inline QString ToQString(const TStrWRec &rec) {
    return FromUtf16(rec.Text, rec.Length);
}
inline std::u16string ToU16(const QString &text) {
    return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()));
}
// UTF-8 decoded with a leading U+FEFF kept as a character (QString::fromUtf8 drops it).
// Text stored in SQLite goes in and out as UTF-8 through these two: SQLite's UTF-16
// interface, too, takes a leading U+FEFF or U+FFFE for a byte-order mark.
QString FromUtf8Verbatim(const char *bytes, qsizetype size);
inline QByteArray ToUtf8(const QString &text) { return text.toUtf8(); }
// A record pointing into the QString's storage; the QString must outlive its use.
TStrWRec ToRec(const QString &s);

// The library's string object. The record's Text always points at a zero-terminated copy.
class TStrWImpl final : public IStrW {
public:
    TStrWImpl() { Sync(); }
    explicit TStrWImpl(std::u16string text) : FText(std::move(text)) { Sync(); }
    const TStrWRec *GetRec() const override { return &FRec; }
    void Set(std::u16string text) { FText = std::move(text); Sync(); }
    const std::u16string &Text() const { return FText; }

private:
    void Sync() { FRec.Length = int32_t(FText.size()); FRec.Text = FText.c_str(); }
    std::u16string FText;
    TStrWRec FRec;
};

class TStrWListImpl final : public IStrWList {
public:
    void Add(std::u16string text);
    void Clear() { FItems.clear(); }
    int32_t Count() const { return int32_t(FItems.size()); }
    const TStrWRec *At(int32_t index) const;

private:
    struct Item {
        std::u16string Text;
        TStrWRec Rec;
    };
    // Node-stable storage: records handed out must survive later Adds.
    std::vector<std::unique_ptr<Item>> FItems;
};

// Fill caller-made library strings; a nullptr target is ignored.
void SetStrW(IStrW *out, const QString &text);
void AddStrW(IStrWList *out, const QString &text);
void ClearStrWList(IStrWList *out);

// A text record owned by an object and handed out by a getter: valid until the next set.
class TOwnedText {
public:
    const TStrWRec *Set(const QString &text) {
        FText = ToU16(text);
        FRec.Length = int32_t(FText.size());
        FRec.Text = FText.c_str();
        return &FRec;
    }
    const TStrWRec *Get() const { return &FRec; }

private:
    std::u16string FText;
    TStrWRec FRec;
};

}  // namespace kv
