// How the lines of a delimited text file become cells, valid cells and import items. Plain
// data in and out: the columns are described by their kind key and value codes, so the
// import page, the profile editor's tests and the fuzz harness share the same rules without
// a widget or a profile object. No Qt GUI types; any thread.
#pragma once

#include "base/strings/KvFormatSettings.h"
#include "base/txtformat/KvTxtFormat.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

// A line keeps at most this many cells; the text after the last one is dropped.
inline constexpr int TxtImportMaxColumns = 32;

// The kinds the rules know, in the order of TxtFormatKindKey; Unknown for any other key.
enum class TTxtImportKind : int8_t {
    Undefined, Name, Latitude, Longitude, SubName, Proximity, Group, Type, RDX, RDY, Radius,
    Height, Unknown
};
TTxtImportKind TxtImportKindOf(const QString &kindKey);

// One column as the profile describes it. An empty kind key stands for "KIND_UNDEFINED".
// Made through the constructor, which reads the key once.
struct TTxtImportColumn {
    TTxtImportColumn(const QString &kindKey = QString(), int32_t geoFormat = 0,
                     int32_t distanceUnit = 0)
        : KindKey(kindKey), Kind(kindKey.isEmpty() ? TTxtImportKind::Undefined : TxtImportKindOf(kindKey)),
          GeoFormat(geoFormat), DistanceUnit(distanceUnit) {}
    QString KindKey;
    TTxtImportKind Kind;
    int32_t GeoFormat;     // TxtFormatGeoFormat, for latitude and longitude columns
    int32_t DistanceUnit;  // TxtFormatDistanceUnit, for height, proximity and radius
};

// Everything the rules read of a profile.
struct TTxtImportRules {
    std::vector<TTxtImportColumn> Columns;  // beyond the last: undefined columns
    QChar FieldSeparator;                   // QChar(0) = none: one cell per line
    TFormatSettings Numbers;                // its decimal separator is the profile's
    int32_t ProfileKind = TxtFormatProfileKind::Waypoint;

    const TTxtImportColumn &Column(int index) const;
};

// One data line: its cells, which of them can be read, and the item built from them.
struct TTxtImportLine {
    QStringList Cells;
    std::vector<char> Valid;  // one flag per cell
    bool Importable = false;
    TPointData Item;
};

// Cells a line splits into: 1 + its separators, at most TxtImportMaxColumns.
int TxtImportColumnsOfLine(const QString &line, QChar separator);
// The largest TxtImportColumnsOfLine over the lines of every file (empty lines included).
int TxtImportCountColumns(const std::vector<QStringList> &files, QChar separator);
// Exactly n cells: a separator always separates, blanks stay, the rest after the n-th cell
// is dropped and missing cells stay empty.
QStringList TxtImportSplitLine(const QString &line, QChar separator, int n);

// Whether v (degrees, minutes, seconds or radians as the format says) lies in the range of a
// latitude or longitude column of that geographic format.
bool TxtImportCheckGeoRange(double v, int32_t geoFormat, bool latitude);
// Whether a cell of that column can be read.
bool TxtImportCheckCell(const TTxtImportColumn &column, const QString &text,
                        const TFormatSettings &numbers);
// Sets the valid flag of one cell, or of every cell of the line.
void TxtImportCheckColumn(TTxtImportLine &line, const TTxtImportRules &rules, int column);
void TxtImportCheckLine(TTxtImportLine &line, const TTxtImportRules &rules);

// The single column of a distance kind, in metres; false (value -1) when there is no such
// column, more than one, or its cell is invalid.
bool TxtImportReadKindDistance(const TTxtImportLine &line, const TTxtImportRules &rules,
                               const QString &kindKey, double &valueM);
// The valid cells of every column of a text kind, joined by a blank and trimmed.
QString TxtImportJoinKindTexts(const TTxtImportLine &line, const TTxtImportRules &rules,
                               const QString &kindKey);
// A latitude or longitude from the columns of that kind whose geographic formats are exactly
// the combination ({1}, {3}, {2, 5}, {2, 4, 6} or {7}), in radians.
bool TxtImportReadKindAngle(const TTxtImportLine &line, const TTxtImportRules &rules,
                            const QString &kindKey, std::initializer_list<int32_t> formats,
                            double &angleRad);
// Fills the item's group, name, sub name, type, position, height, proximity and radius
// from valid cells and sets Importable. The file name is left alone.
void TxtImportBuildItem(TTxtImportLine &line, const TTxtImportRules &rules);

// Split into n cells, check and build in one go.
void TxtImportParseLine(TTxtImportLine &line, const QString &text, const TTxtImportRules &rules,
                        int n);

// The text of a file's bytes: by its byte-order mark (UTF-8, UTF-16 LE/BE), else UTF-8 when
// the bytes are valid UTF-8, else code page 1252; split into lines at CR LF, LF or CR.
// A NUL character is no text: false with the 1-based number of its line.
bool TxtImportDecodeLines(const QByteArray &bytes, QStringList &lines, int &nulLine);
