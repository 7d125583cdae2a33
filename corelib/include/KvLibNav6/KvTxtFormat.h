// Text-format profiles: how the columns of a delimited text file map onto waypoint or route
// fields, for the text import. A profile manager keeps the profiles of one profile file
// ("Marivo.ProfilesWPT" for waypoints, "Marivo.ProfilesRTE" for routes); the file format and
// the column model are the library's own. All calls happen on the GUI thread.
#pragma once

#include <cstdint>

#include "KvErrorCodes.h"
#include "KvStrW.h"
#include "KvTypes.h"

class ITxtFormatProfile;
class ITxtFormatField;
class ITxtFormatOption;

// Column kinds: the field a column fills.
namespace TxtFormatKindKey {
inline constexpr char16_t Undefined[] = u"KIND_UNDEFINED";
inline constexpr char16_t Name[] = u"KIND_NAME";
inline constexpr char16_t Latitude[] = u"KIND_LATITUDE";
inline constexpr char16_t Longitude[] = u"KIND_LONGITUDE";
inline constexpr char16_t SubName[] = u"KIND_SUBNAME";
inline constexpr char16_t Proximity[] = u"KIND_PROXIMITY";
inline constexpr char16_t Group[] = u"KIND_GROUP";
inline constexpr char16_t Type[] = u"KIND_TYPE";
inline constexpr char16_t RDX[] = u"KIND_RDX";
inline constexpr char16_t RDY[] = u"KIND_RDY";
inline constexpr char16_t Radius[] = u"KIND_RADIUS";
inline constexpr char16_t Height[] = u"KIND_HEIGHT";
}  // namespace TxtFormatKindKey

// Value types: how a column's text is read.
namespace TxtFormatTypeKey {
inline constexpr char16_t DistMM[] = u"TYPE_DIST_MM";
inline constexpr char16_t DistCM[] = u"TYPE_DIST_CM";
inline constexpr char16_t DistDM[] = u"TYPE_DIST_DM";
inline constexpr char16_t DistM[] = u"TYPE_DIST_M";
inline constexpr char16_t DistKM[] = u"TYPE_DIST_KM";
inline constexpr char16_t DistInch[] = u"TYPE_DIST_INCH";
inline constexpr char16_t DistFoot[] = u"TYPE_DIST_FOOT";
inline constexpr char16_t DistYard[] = u"TYPE_DIST_YARD";
inline constexpr char16_t DistFathom[] = u"TYPE_DIST_FATHOM";
inline constexpr char16_t DistStatuteMile[] = u"TYPE_DIST_SMILE";
inline constexpr char16_t DistNauticalMile[] = u"TYPE_DIST_NMILE";
inline constexpr char16_t GeoRad[] = u"TYPE_GEO_RAD";
inline constexpr char16_t GeoDegInt[] = u"TYPE_GEO_DEGINT";
inline constexpr char16_t GeoDegFloat[] = u"TYPE_GEO_DEGFLOAT";
inline constexpr char16_t GeoMinInt[] = u"TYPE_GEO_MININT";
inline constexpr char16_t GeoMinFloat[] = u"TYPE_GEO_MINFLOAT";
inline constexpr char16_t GeoSecFloat[] = u"TYPE_GEO_SECFLOAT";
inline constexpr char16_t RD[] = u"TYPE_RD";
inline constexpr char16_t Text[] = u"TYPE_TEXT";
}  // namespace TxtFormatTypeKey

// The class of values a kind takes (ITxtFormatProfile::AddKind); it decides the value types
// a column of that kind allows.
namespace TxtFormatValueClass {
inline constexpr int32_t Distance = 1;
inline constexpr int32_t Geo = 2;
inline constexpr int32_t Text = 3;
inline constexpr int32_t RD = 4;  // Dutch national grid coordinate, metres
}  // namespace TxtFormatValueClass

// ITxtFormatField::GetGeoFormat.
namespace TxtFormatGeoFormat {
inline constexpr int32_t Radians = 1;
inline constexpr int32_t DegreesInt = 2;
inline constexpr int32_t DegreesFloat = 3;
inline constexpr int32_t MinutesInt = 4;
inline constexpr int32_t MinutesFloat = 5;
inline constexpr int32_t SecondsFloat = 6;
inline constexpr int32_t TextAngle = 7;
}  // namespace TxtFormatGeoFormat

// ITxtFormatField::GetDistanceUnit; also the distance value-type numbers of the import.
namespace TxtFormatDistanceUnit {
inline constexpr int32_t Millimetre = 1;
inline constexpr int32_t Centimetre = 2;
inline constexpr int32_t Decimetre = 3;
inline constexpr int32_t Metre = 4;
inline constexpr int32_t Kilometre = 5;
inline constexpr int32_t Inch = 6;
inline constexpr int32_t Foot = 7;
inline constexpr int32_t Yard = 8;
inline constexpr int32_t Fathom = 9;
inline constexpr int32_t StatuteMile = 10;
inline constexpr int32_t NauticalMile = 11;
}  // namespace TxtFormatDistanceUnit

// The profiles of one profile file, the built-in default profile included. From
// TxtFormatProfileManagerCreate or TxtFormatProfileManagerCreateEmpty; owned by the caller.
// The profiles belong to the manager.
class KVLIB_API ITxtFormatProfileManager : public NavObject {
public:
    // Appends a new empty profile.
    virtual ITxtFormatProfile *Add(const TStrWRec &name) = 0;                       // slot 1
    // The first profile of that name.
    virtual bool Find(const TStrWRec &name, int32_t &index) = 0;                    // slot 4
    // Index of the built-in default profile.
    virtual bool GetDefaultIndex(int32_t &index) = 0;                               // slot 5
    virtual ITxtFormatProfile *GetProfile(int32_t i) = 0;                           // slot 6
    virtual const TStrWRec *GetFileName() = 0;                                      // slot 8
    // The file SaveToFile writes.
    virtual void SetFileName(const TStrWRec &file) = 0;                             // slot 13

    virtual int32_t GetCount() = 0;                                                 // slot —
    // -1 for nil or a detached copy.
    virtual int32_t IndexOf(ITxtFormatProfile *profile) = 0;                        // slot —
    // Removes the profile and releases it.
    virtual void Delete(ITxtFormatProfile *profile) = 0;                            // slot —
    // A detached copy, owned by the caller; not in the manager's list.
    virtual ITxtFormatProfile *CopyProfile(ITxtFormatProfile *profile) = 0;         // slot —
    virtual void SaveToFile(int32_t &err) = 0;                                      // slot —
};

// One profile: the kinds its columns may take, its columns and the separators.
class KVLIB_API ITxtFormatProfile : public NavObject {
public:
    // Adds a kind the columns may take; valueClass see TxtFormatValueClass. Call CommitKinds
    // once the kinds are set.
    virtual void AddKind(const TStrWRec &kindKey, int32_t valueClass) = 0;          // slot 1
    // Removes every kind and column.
    virtual void Clear() = 0;                                                       // slot 3
    // The choice "option" (a kind or value-type index) of a column; owned by the profile.
    virtual ITxtFormatOption *GetOption(int32_t column, int32_t option) = 0;        // slot 4
    virtual const TStrWRec *GetKindKey(int32_t i) = 0;                              // slot 7
    virtual const TStrWRec *GetName() = 0;                                          // slot 10
    // '.' or ','.
    virtual char16_t GetDecimalSeparator() = 0;                                     // slot 11
    // 0 = none.
    virtual char16_t GetFieldSeparator() = 0;                                       // slot 12
    virtual void CommitKinds(int32_t reserved) = 0;                                 // slot 14
    virtual void SetName(const TStrWRec &name) = 0;                                 // slot 15
    virtual void SetDecimalSeparator(char16_t separator) = 0;                       // slot 16
    virtual void SetFieldSeparator(char16_t separator) = 0;                         // slot 17

    // The manager's built-in profile.
    virtual bool IsDefault() = 0;                                                   // slot —
    // A setter changed something since the profile was loaded, saved or copied.
    virtual bool IsModified() = 0;                                                  // slot —
    // Takes over name, separators, kinds and every column's kind and value type.
    virtual void Assign(ITxtFormatProfile *source) = 0;                             // slot —
    // column 0..31; beyond the defined columns a "KIND_UNDEFINED" column. Owned by the
    // profile.
    virtual ITxtFormatField *GetField(int32_t column) = 0;                          // slot —
    virtual int32_t GetFieldCount() = 0;                                            // slot —
};

// One column of a profile: its kind and its value type, each chosen from the allowed ones.
class KVLIB_API ITxtFormatField : public NavObject {
public:
    // Key of allowed value type i.
    virtual const TStrWRec *GetTypeKey(int32_t i) = 0;                              // slot 1
    virtual int32_t GetTypeCount() = 0;                                             // slot 4
    virtual int32_t GetTypeIndex() = 0;                                             // slot 5
    // -1 when the key is not allowed.
    virtual int32_t IndexOfType(const TStrWRec &key) = 0;                           // slot 6
    virtual const TStrWRec *GetKindKey(int32_t i) = 0;                              // slot 7
    virtual int32_t GetKindCount() = 0;                                             // slot 8
    virtual int32_t GetKindIndex() = 0;                                             // slot 9

    // A new kind changes the allowed value types.
    virtual void SetKindIndex(int32_t index) = 0;                                   // slot —
    virtual void SetTypeIndex(int32_t index) = 0;                                   // slot —
    // See TxtFormatGeoFormat.
    virtual int32_t GetGeoFormat() = 0;                                             // slot —
    // See TxtFormatDistanceUnit.
    virtual int32_t GetDistanceUnit() = 0;                                          // slot —
};

// One choice of a column (ITxtFormatProfile::GetOption): selecting it sets the column's value
// type or kind.
class KVLIB_API ITxtFormatOption : public NavObject {
public:
    virtual void SelectAsType() = 0;                                                // slot 11
    virtual void SelectAsKind() = 0;                                                // slot 12
};

// Loads a profile file; nil on error.
KVLIB_API ITxtFormatProfileManager *TxtFormatProfileManagerCreate(const TStrWRec &file,
                                                                  int32_t &err);
// A manager holding only the built-in profile, for when no file exists yet; give it a file
// name before saving.
KVLIB_API ITxtFormatProfileManager *TxtFormatProfileManagerCreateEmpty();
