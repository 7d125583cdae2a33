// What the account service's news answer holds: the news messages, the content-file list
// (help files) and the current versions of the maker's programs. An answer replaces the
// lists only when it was read whole; the objects handed out stay valid until then.
#pragma once

#include "KvLibNav6/KvWebServices.h"
#include "kernel/TestApi.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace kv {

class KVLIB_TEST_API TNewsLists {
public:
    TNewsLists();
    ~TNewsLists();
    // False, with the lists unchanged, when body is not a whole news answer.
    bool Read(const QByteArray &body);

    int32_t NewsCount() const;
    IMRCNewsMessage *News(int32_t index) const;
    int32_t FileCount() const;
    IMRCRemoteFile *File(int32_t index) const;
    int32_t VersionCount() const;
    IMRCVersionEntry *Version(int32_t index) const;
    // relativePath with "/" or "\" separators.
    bool HasFile(const QString &relativePath) const;

    struct TLists;

private:
    std::unique_ptr<TLists> FLists;
};

}  // namespace kv
