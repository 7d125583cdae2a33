// libFuzzer harness of the text import's line rules. The first input byte picks the field
// separator, the decimal separator and the profile kind; the next bytes describe up to eight
// columns (kind, geographic format, distance unit); the rest is decoded as a file and every
// line parsed. An accepted position outside the globe, a proximity or radius outside its
// range or cells that do not match the column count abort, so the fuzzer reports them.
#include "exchange/TxtImportLines.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

const char16_t *const Kinds[] = {
    TxtFormatKindKey::Undefined, TxtFormatKindKey::Name,      TxtFormatKindKey::Latitude,
    TxtFormatKindKey::Longitude, TxtFormatKindKey::SubName,   TxtFormatKindKey::Proximity,
    TxtFormatKindKey::Group,     TxtFormatKindKey::Type,      TxtFormatKindKey::RDX,
    TxtFormatKindKey::RDY,       TxtFormatKindKey::Radius,    TxtFormatKindKey::Height,
};

bool Within(double v, double low, double high) { return v >= low && v <= high; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    const char16_t separators[] = {u'\t', u';', u',', 0, u' ', u'|', u'.', u'-'};
    TTxtImportRules rules;
    rules.FieldSeparator = QChar(separators[data[0] & 7]);
    rules.Numbers = InvariantFormatSettings();
    rules.Numbers.DecimalSeparator = (data[0] & 8) ? u',' : u'.';
    rules.ProfileKind = (data[0] & 16) ? TxtFormatProfileKind::Route : TxtFormatProfileKind::Waypoint;
    size_t at = 1;
    const size_t columns = size > 1 ? data[1] % 9 : 0;
    for (at = 2; at + 1 < size && rules.Columns.size() < columns; at += 2) {
        rules.Columns.emplace_back(QString::fromUtf16(Kinds[data[at] % std::size(Kinds)]),
                                   data[at + 1] % 9, data[at + 1] % 13);
    }
    if (at > size) at = size;
    QStringList lines;
    int nulLine = 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + at), qsizetype(size - at));
    if (!TxtImportDecodeLines(bytes, lines, nulLine)) {
        if (nulLine < 1) __builtin_trap();
        return 0;
    }
    const int n = TxtImportCountColumns({lines}, rules.FieldSeparator);
    if (n > TxtImportMaxColumns || (!lines.isEmpty() && n < 1)) __builtin_trap();
    constexpr double HalfPi = 1.5707963267948966, Pi = 3.141592653589793;
    for (const QString &text : lines) {
        TTxtImportLine line;
        TxtImportParseLine(line, text, rules, n);
        if (line.Cells.size() != n || line.Valid.size() != size_t(n)) __builtin_trap();
        const TPointData &item = line.Item;
        if (item.ProximityM != -1.0 && !Within(item.ProximityM, 0.0, 10000.0)) __builtin_trap();
        if (item.RadiusM != -1.0 && !Within(item.RadiusM, 1.0, 10000.0)) __builtin_trap();
        if (!line.Importable) continue;
        if (!Within(item.LatitudeRad, -HalfPi - 1e-9, HalfPi + 1e-9) ||
            !Within(item.LongitudeRad, -Pi - 1e-9, Pi + 1e-9) || !std::isfinite(item.HeightM))
            __builtin_trap();
    }
    return 0;
}
