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

// Characters of a record as a QString; copies exactly Length units.
QString ToQString(const TStrWRec &rec);
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
    const TStrWRec *Set(const QString &text);
    const TStrWRec *Get() const { return &FRec; }

private:
    std::u16string FText;
    TStrWRec FRec;
};

}  // namespace kv
