// Layout of the ".kvwwn" waterway-network file: a GeoPackage (SQLite) that GIS tools can
// open and edit. Shared by the reader in the library and by the demo-data generator, so
// both name every layer and field from this one place.
//
// Geometries are in EPSG:4326 with x = longitude, y = latitude (degrees). Lengths, widths,
// heights and depths are metres, speeds m/s, positions along a section metres from the
// section's start junction. A NULL number means "not given" (WWMissing in the library).
// GUIDs are text in braces ("{8-4-4-4-12}"). Times of day are minutes after midnight.
//
// Records refer to each other by GUID (sections, structures, fairways) or by a key that is
// unique within its layer (junction "id", manager "key", fairway part "key", period and
// rule "id" within their structure).
#pragma once

namespace kv::wwformat {

// Highest format the reader understands; a newer file is refused as a newer version.
inline constexpr int FormatVersion = 1;

// Non-spatial: one row. "format" (integer), "version" (text "major.minor.release.build").
inline constexpr const char *LayerInfo = "network_info";
// Point: "id" (integer, unique).
inline constexpr const char *LayerJunctions = "junctions";
// LineString from the start junction to the end junction: "guid", "name", "start_junction",
// "end_junction", "kind", "water_body" (0..16), "fairway" (GUID or NULL), "fairway_part"
// (key or NULL), "start_chainage".
inline constexpr const char *LayerSections = "sections";
// Non-spatial: "guid", "name".
inline constexpr const char *LayerFairways = "fairways";
// Non-spatial: "key", "fairway" (GUID), "name", "list_name".
inline constexpr const char *LayerFairwayParts = "fairway_parts";
// Non-spatial attribute intervals [from_pos, to_pos) of a section: "section" (GUID),
// "attribute" (one of the Attr… names), "from_pos", "to_pos" (NULL = to the end), "num1".."num4",
// "text1", "text2". Meaning of the values per attribute is given with the names below.
inline constexpr const char *LayerSectionAttributes = "section_attributes";
inline constexpr const char *AttrSpeedLimit = "speed_limit";        // num1 m/s
inline constexpr const char *AttrCurrent = "current";               // num1 m/s
inline constexpr const char *AttrOneWay = "one_way";                // num1 1 along, 0 against
inline constexpr const char *AttrNavigability = "navigability";     // num1 vessel-class bits
inline constexpr const char *AttrKeepLeft = "keep_left";            // num1 0/1
inline constexpr const char *AttrRemark = "remark";                 // text1
inline constexpr const char *AttrPermit = "permit";                 // text1 URL, text2 description
inline constexpr const char *AttrVHFSector = "vhf_sector";          // num1 channel, text1 call sign
// num1 direction (1 along, 0 against, NULL both), num2 channel, text1 call sign
inline constexpr const char *AttrVHFReport = "vhf_report";
// num1..num4: depth, height, length, width
inline constexpr const char *AttrMaxDimensions = "max_dimensions";
inline constexpr const char *AttrCommercialDimensions = "commercial_dimensions";

// Non-spatial: "key", "name", "type", "department", "mail_address", "mail_postal_code",
// "mail_place", "visit_address", "visit_place", "phone", "fax", "website".
inline constexpr const char *LayerManagers = "managers";
// Point: "guid", "isrs", "kind", "other_type", "barrier_kind", "name", "place",
// "vhf_channel", "address", "postal_code", "phone", "complex", "label", "subtext",
// "images" (file names separated by '|'), "section" (GUID), "section_position", "manager"
// (key or NULL), "normally_open" (0/1), "fall", "waiting_time" (seconds, NULL = planner
// default), "control_kind".
inline constexpr const char *LayerStructures = "structures";
// Non-spatial, one row per passage, bridge passage, lock chamber or tunnel passage:
// "structure" (GUID), "number", "remark", "name", "isrs", "bridge_type", "width",
// "passage_width", "min_gate_width", "length", "partial_length1", "partial_length2",
// "lock_length", "lock_length_low_tide", "has_tide_lengths" (0/1), and for every level in
// LevelFields the four fields "<level>", "<level>_ref", "<level>_ref_value",
// "<level>_nap_mode".
inline constexpr const char *LayerStructureItems = "structure_items";
inline constexpr const char *LevelFields[] = {
    "height",          // passage (open) height, chamber height, tunnel height
    "height_closed",   // bridge
    "height_open",     // bridge
    "passage_height",  // bridge: the height the planner checks
    "threshold_depth",
    "threshold_down",
    "threshold_up",
    "threshold_between",
    "depth",           // tunnel
};
// Non-spatial: "structure" (GUID), "id", "start_day", "start_month", "end_day",
// "end_month", "remark".
inline constexpr const char *LayerOperatingPeriods = "operating_periods";
// Non-spatial daily windows: "structure", "period" (id), "week_days" (bit d = weekday d,
// 1 Monday .. 7 Sunday), "start_time", "end_time" (minutes), "vessel_classes", "direction".
inline constexpr const char *LayerOperatingTimes = "operating_times";
// Non-spatial: "structure", "id", "operation", "week_day", "no_operation_before",
// "no_operation_after" (minutes or NULL), "vessel_classes", "direction".
inline constexpr const char *LayerSpecialDayRules = "special_day_rules";
// Non-spatial: "structure", "rule" (id), "holiday", "day", "month", "day_offset".
inline constexpr const char *LayerSpecialDates = "special_dates";
// Point: "guid", "name", "section" (GUID), "section_position", "place", "phone", "website".
inline constexpr const char *LayerMarinas = "marinas";
// Point: "section" (GUID), "section_position", "value" (distance mark in metres).
inline constexpr const char *LayerDistanceMarks = "distance_marks";

}  // namespace kv::wwformat
