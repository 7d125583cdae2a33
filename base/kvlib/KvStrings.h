// The bridge between the program's QString and the core library's UTF-16 records.
// Text keeps every character both ways: QString and the library are both UTF-16.
#pragma once

#include <KvLibNav6/KvStrW.h>

#include <QString>
#include <QStringList>
#include <memory>

// Points the record at the string's characters; no copy, so the string must outlive the
// call the record is passed to. An empty string gives Length 0 and a terminated "".
void WideToStrW(const QString &text, TStrWRec &rec);
// The same as an expression: `Foo(StrW(name))` is safe because the temporary QString
// lives until the end of the full expression.
TStrWRec StrW(const QString &text);

IStrW *StrWCreateEmpty();
IStrW *StrWCreateFromStr(const QString &text);
void StrWDeleteIfAssigned(IStrW *s);
// Copies exactly Length units; the text need not be terminated. nullptr gives "".
QString StrWToWide(const TStrWRec *rec);
inline QString StrWToWide(const IStrW *s) { return s ? StrWToWide(s->GetRec()) : QString(); }

IStrWList *StrWListNew();
int StrWListCount(IStrWList *list);
QString StrWListGetStrA(IStrWList *list, int index);
// Clears the target first, then adds every entry in list order.
void StrWListToStrings(IStrWList *list, QStringList &target);

// An output string for one library call, released on every exit path:
//   TStrWOut name;  LibraryCall(name.get(), err);  return name.Text();
class TStrWOut {
public:
    TStrWOut() : FStr(StrWCreateEmpty()) {}
    IStrW *get() const { return FStr.get(); }
    QString Text() const { return StrWToWide(FStr.get()); }

private:
    struct Deleter {
        void operator()(IStrW *s) const { StrWDeleteIfAssigned(s); }
    };
    std::unique_ptr<IStrW, Deleter> FStr;
};

// An output string list for one library call, released on every exit path.
class TStrWListOut {
public:
    TStrWListOut() : FList(StrWListNew()) {}
    IStrWList *get() const { return FList.get(); }
    QStringList Strings() const {
        QStringList result;
        StrWListToStrings(FList.get(), result);
        return result;
    }

private:
    struct Deleter {
        void operator()(IStrWList *l) const;
    };
    std::unique_ptr<IStrWList, Deleter> FList;
};
