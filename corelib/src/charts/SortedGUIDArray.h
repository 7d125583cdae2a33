// GUID ordering and texts shared by the chart sources.
#pragma once

#include "KvLibNav6/KvTypes.h"

#include <QString>
#include <QUuid>

namespace kv {

// Field by field: D1, D2, D3, then the eight bytes (the order GUID texts sort in).
int CompareGuid(const TGUID &a, const TGUID &b);
inline bool GuidLess(const TGUID &a, const TGUID &b) { return CompareGuid(a, b) < 0; }
inline bool GuidEqual(const TGUID &a, const TGUID &b) { return CompareGuid(a, b) == 0; }
inline bool GuidIsNull(const TGUID &g) { return GuidEqual(g, TGUID{}); }

TGUID GuidFromQUuid(const QUuid &u);
QUuid GuidToQUuid(const TGUID &g);
// "{xxxxxxxx-…}" and back; a text that is no GUID gives the null GUID.
QString GuidToText(const TGUID &g);
TGUID GuidFromText(const QString &text);

}  // namespace kv
