// The program's side of the text-format profiles of the delimited-text import: wrappers of
// the library's profile manager, profiles and columns (text as QString, library values passed
// back unchanged), the display names of column kinds and value types in the interface
// language, the built-in waypoint and route profiles, and the record of one parsed import
// line. GUI thread.
#pragma once

#include <KvLibNav6/KvTxtFormat.h>
#include <KvLibNav6/KvTypes.h>

#include <QChar>
#include <QString>
#include <cstdint>

class QComboBox;
struct TFormatSettings;

// Profile kinds: which of the environment's two managers a profile belongs to.
namespace TxtFormatProfileKind {
inline constexpr int32_t Waypoint = 1;
inline constexpr int32_t Route = 2;
}  // namespace TxtFormatProfileKind

// One parsed line of a text import; made by the import page, owned by whoever holds it.
struct TPointData {
    QString FileName;       // full name of the source file
    QString GroupName;
    TGUID GroupGUID{};      // null = none
    int32_t Index = 0;      // the line's number among the importable lines of its file, 0-based
    bool Import = false;    // checked for import
    QString Name;
    double LatitudeRad = 0.0;
    double LongitudeRad = 0.0;
    double HeightM = 0.0;
    double ProximityM = -1.0;  // -1 = none
    double RadiusM = -1.0;     // -1 = none
    QString RouteName;
    QString SubName;
    QString TypeName;
    bool DefaultType = false;
    TGUID TypeGUID{};       // null = none
};

// Managers: owned by the caller. Nil with err set when the file cannot be loaded (a missing
// file is KvErr::NotFound: the environment then makes an empty manager).
ITxtFormatProfileManager *CreateTxtFormatProfileManager(const QString &file, int32_t &err);
ITxtFormatProfileManager *CreateTxtFormatProfileManagerEmpty();
// The new profile belongs to the manager.
ITxtFormatProfile *TxtFormatProfileManagerAdd(ITxtFormatProfileManager *manager,
                                              const QString &name);
bool TxtFormatProfileManagerFind(ITxtFormatProfileManager *manager, const QString &name,
                                 int32_t &index);
QString TxtFormatProfileManagerGetFileName(ITxtFormatProfileManager *manager);
void TxtFormatProfileManagerSetFileName(ITxtFormatProfileManager *manager, const QString &file);

// valueClass: TxtFormatValueClass.
void TxtFormatProfileAddKind(ITxtFormatProfile *profile, const QString &kindKey,
                             int32_t valueClass);
// Empty for an index outside the profile's kinds.
QString TxtFormatProfileGetKindKey(ITxtFormatProfile *profile, int32_t index);
QString TxtFormatProfileGetName(ITxtFormatProfile *profile);
void TxtFormatProfileSetName(ITxtFormatProfile *profile, const QString &name);
// Separators as one character; QChar(0) = none.
QChar TxtFormatProfileGetDecimalSeparator(ITxtFormatProfile *profile);
QChar TxtFormatProfileGetFieldSeparator(ITxtFormatProfile *profile);
void TxtFormatProfileSetDecimalSeparator(ITxtFormatProfile *profile, QChar separator);
void TxtFormatProfileSetFieldSeparator(ITxtFormatProfile *profile, QChar separator);

// Keys of a column's allowed value types and kinds; empty outside the lists.
QString TxtFormatFieldGetTypeKey(ITxtFormatField *field, int32_t index);
// -1 when the column does not allow the key.
int32_t TxtFormatFieldIndexOfType(ITxtFormatField *field, const QString &key);
QString TxtFormatFieldGetKindKey(ITxtFormatField *field, int32_t index);

// Reads text as a number with the format settings' decimal separator. valueType is the
// distance value-type number of the column (TxtFormatDistanceUnit): 1-3 and 5-11 are
// converted to metres, 4 (metres) and every other number are kept as read. False, with value
// untouched, when the text is no number.
bool TxtFormatTryStrToValue(const QString &text, double &value, int32_t valueType,
                            const TFormatSettings &fs);

// Display name of a kind ("KIND_NAME") or value type ("TYPE_DIST_M") key in the interface
// language. An unknown key leaves name unchanged and returns false.
bool TxtFormatKindToStr(const QString &key, QString &name);
bool TxtFormatTypeToStr(const QString &key, QString &name);
// The longest display name of all kinds or all value types in the interface language (for
// column widths); of two equally long names the later one in the fixed order.
QString TxtFormatLongestKindName();
QString TxtFormatLongestTypeName();

// Name of the built-in profile and of a new profile of a profile kind (TxtFormatProfileKind)
// in the interface language. Another kind leaves name unchanged and returns false.
bool TxtFormatDefaultProfileName(int32_t profileKind, QString &name);
bool TxtFormatNewProfileName(int32_t profileKind, QString &name);

// Fills the combo box with the display names of the column's allowed kinds (value types) in
// order and selects the current one. No signal of the combo box fires while it is filled.
void TxtFormatFillKindCombo(ITxtFormatField *field, QComboBox *combo);
void TxtFormatFillTypeCombo(ITxtFormatField *field, QComboBox *combo);

// Resets a profile to the kinds of the built-in waypoint (route) profile; with default
// columns the first four columns become name, latitude and longitude in decimal degrees, and
// sub name (waypoints) or radius in metres (routes).
void TxtFormatProfileInitWaypoint(ITxtFormatProfile *profile, bool defaultColumns);
void TxtFormatProfileInitRoute(ITxtFormatProfile *profile, bool defaultColumns);
