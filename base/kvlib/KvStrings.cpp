#include "base/kvlib/KvStrings.h"

#include <KvLibNav6/KvLib.h>

void WideToStrW(const QString &text, TStrWRec &rec) {
    rec.Length = int32_t(text.size());
    rec.Text = reinterpret_cast<const char16_t *>(text.utf16());  // never null, terminated
}

TStrWRec StrW(const QString &text) {
    TStrWRec rec;
    WideToStrW(text, rec);
    return rec;
}

IStrW *StrWCreateEmpty() {
    return StrWCreate(u"", 0);
}

IStrW *StrWCreateFromStr(const QString &text) {
    return StrWCreate(reinterpret_cast<const char16_t *>(text.utf16()), int32_t(text.size()));
}

void StrWDeleteIfAssigned(IStrW *s) {
    if (s) StrWDelete(s);
}

QString StrWToWide(const TStrWRec *rec) {
    if (!rec || !rec->Text || rec->Length <= 0) return QString();
    // Copied verbatim: QString::fromUtf16 would take a leading U+FEFF or U+FFFE for a
    // byte-order mark and drop it or byte-swap the text.
    return QString(reinterpret_cast<const QChar *>(rec->Text), rec->Length);
}

IStrWList *StrWListNew() {
    return StrWListCreate();
}

int StrWListCount(IStrWList *list) {
    return list ? StrWListGetCount(list) : 0;
}

QString StrWListGetStrA(IStrWList *list, int index) {
    return list ? StrWToWide(StrWListGetStr(list, index)) : QString();
}

void StrWListToStrings(IStrWList *list, QStringList &target) {
    target.clear();
    const int n = StrWListCount(list);
    target.reserve(n);
    for (int i = 0; i < n; ++i) target.append(StrWListGetStrA(list, i));
}

void TStrWListOut::Deleter::operator()(IStrWList *l) const {
    ObjectDelete(l);
}
