// Helpers for tests that talk to the core library directly.
#pragma once

#include <KvLibNav6/KvLib.h>

#include <QString>
#include <QUuid>
#include <memory>

namespace testsupport {

struct TDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
// Holds what a factory, open or create returned.
template <class T>
using Owned = std::unique_ptr<T, TDeleter>;

// A library text as QString, copied verbatim (QString::fromUtf16 would take a leading
// U+FEFF or U+FFFE for a byte-order mark).
inline QString Q(const TStrWRec *r) {
    return r ? QString(reinterpret_cast<const QChar *>(r->Text), r->Length) : QString();
}

// A text handed to the library; the record points into Text, so keep the object alive
// for the call.
struct Rec {
    explicit Rec(QString s) : Text(std::move(s)) {}
    operator const TStrWRec &() {
        R.Length = int32_t(Text.size());
        R.Text = reinterpret_cast<const char16_t *>(Text.utf16());
        return R;
    }
    QString Text;
    TStrWRec R;
};

inline TGUID Guid(const QString &text) {
    const QUuid u(text);
    TGUID g;
    g.D1 = u.data1;
    g.D2 = u.data2;
    g.D3 = u.data3;
    for (int i = 0; i < 8; ++i) g.D4[i] = u.data4[i];
    return g;
}

}  // namespace testsupport
