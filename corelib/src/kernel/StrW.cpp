#include "kernel/KvInternal.h"

#include <QStringDecoder>
#include <memory>

namespace kv {

TStrWRec ToRec(const QString &s) {
    TStrWRec r;
    r.Length = int32_t(s.size());
    r.Text = reinterpret_cast<const char16_t *>(s.utf16());  // utf16() is never null
    return r;
}

void TStrWListImpl::Add(std::u16string text) {
    auto item = std::make_unique<Item>();
    item->Text = std::move(text);
    item->Rec.Length = int32_t(item->Text.size());
    item->Rec.Text = item->Text.c_str();
    FItems.push_back(std::move(item));
}

const TStrWRec *TStrWListImpl::At(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &FItems[size_t(index)]->Rec;
}

void SetStrW(IStrW *out, const QString &text) {
    if (auto *impl = dynamic_cast<TStrWImpl *>(out)) impl->Set(ToU16(text));
}

void AddStrW(IStrWList *out, const QString &text) {
    if (auto *impl = dynamic_cast<TStrWListImpl *>(out)) impl->Add(ToU16(text));
}

void ClearStrWList(IStrWList *out) {
    if (auto *impl = dynamic_cast<TStrWListImpl *>(out)) impl->Clear();
}

QString FromUtf8Verbatim(const char *bytes, qsizetype size) {
    if (!bytes || size <= 0) return QString();
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes, size));
}

}  // namespace kv

IStrW *StrWCreate(const char16_t *text, int32_t length) {
    if (!text || length <= 0) return new kv::TStrWImpl();
    return new kv::TStrWImpl(std::u16string(text, size_t(length)));
}

void StrWDelete(IStrW *s) {
    delete s;
}

IStrWList *StrWListCreate() {
    return new kv::TStrWListImpl();
}

int32_t StrWListGetCount(IStrWList *list) {
    auto *impl = dynamic_cast<kv::TStrWListImpl *>(list);
    return impl ? impl->Count() : 0;
}

const TStrWRec *StrWListGetStr(IStrWList *list, int32_t index) {
    auto *impl = dynamic_cast<kv::TStrWListImpl *>(list);
    return impl ? impl->At(index) : nullptr;
}
