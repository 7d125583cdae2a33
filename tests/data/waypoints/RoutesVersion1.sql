-- A waypoint database as the first file version wrote it: no network location on route
-- points. RoutesVersion1.db is made from this script with the sqlite3 shell:
--   sqlite3 RoutesVersion1.db < RoutesVersion1.sql
-- Positions are radians; GUIDs 16 bytes.
CREATE TABLE meta(key TEXT PRIMARY KEY, value);
CREATE TABLE texts(ord INTEGER PRIMARY KEY, text TEXT NOT NULL);
CREATE TABLE fields(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, lang1 TEXT, lang2 TEXT, lang3 TEXT, lang4 TEXT, lang5 TEXT,
  lang6 TEXT, lang7 TEXT, lang8 TEXT);
CREATE TABLE types(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, main_color INTEGER, main_size REAL, main_style INTEGER,
  light_color INTEGER, light_size REAL, light_style INTEGER, sub_color INTEGER,
  sub_size REAL, sub_style INTEGER, origin_x REAL, origin_y REAL, draw_overlay INTEGER,
  icon BLOB, overlay BLOB);
CREATE TABLE type_fields(type_ord INTEGER NOT NULL, field_ord INTEGER NOT NULL,
  ord INTEGER NOT NULL);
CREATE TABLE groups(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, visible_mask INTEGER NOT NULL);
CREATE TABLE waypoints(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, lat REAL NOT NULL, lon REAL NOT NULL, height REAL,
  type_ord INTEGER, sub_name TEXT, link TEXT, entry_link TEXT, proximity REAL, scale REAL,
  name_position INTEGER, time REAL, prioritised INTEGER);
CREATE TABLE group_members(group_ord INTEGER NOT NULL, waypoint_ord INTEGER NOT NULL);
CREATE TABLE routes(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL, group_name TEXT, start_time REAL, plan_mode INTEGER,
  speed_mode INTEGER, mast_mode INTEGER, route_mode INTEGER, kind INTEGER,
  water_bodies INTEGER, vector35 INTEGER, vector37 INTEGER, vector39 INTEGER,
  default_type_ord INTEGER);
CREATE TABLE route_points(route_ord INTEGER NOT NULL, ord INTEGER NOT NULL,
  guid BLOB NOT NULL, name TEXT NOT NULL, protected INTEGER NOT NULL, lat REAL NOT NULL,
  lon REAL NOT NULL, extra REAL, waypoint_guid BLOB, radius REAL, stay_kind INTEGER,
  stay_depart REAL, stay_duration INTEGER, stay_days INTEGER, xte REAL, direct INTEGER,
  PRIMARY KEY(route_ord, ord));
CREATE TABLE polygons(ord INTEGER PRIMARY KEY, guid BLOB NOT NULL, name TEXT NOT NULL,
  protected INTEGER NOT NULL);
CREATE TABLE polygon_points(polygon_ord INTEGER NOT NULL, ord INTEGER NOT NULL,
  lat REAL NOT NULL, lon REAL NOT NULL, PRIMARY KEY(polygon_ord, ord));

INSERT INTO meta VALUES('format', 'KvWptDB');
INSERT INTO meta VALUES('version', 1);
INSERT INTO meta VALUES('guid', X'0A1B2C3D4E5F60718293A4B5C6D7E8F9');
INSERT INTO meta VALUES('name', 'Velmer trips');
INSERT INTO meta VALUES('title', '');
INSERT INTO meta VALUES('identifier', '');
INSERT INTO meta VALUES('date', 45450.5);
INSERT INTO meta VALUES('protected', 0);
INSERT INTO meta VALUES('selected', 1);

INSERT INTO waypoints VALUES(0, X'11111111222233334444555555555555', 'Saltmere Haven', 0,
  0.922880, 0.076794, 0.0, -1, '', '', '', 0.0, 1.0, 0, 45450.25, 0);

INSERT INTO routes VALUES(0, X'22222222333344445555666666666666', 'Up the Orle', 0, '',
  45455.375, 1, 0, 0, 3, 0, 8, 0, 0, 0, -1);
-- A point from the waypoint, a network point (direct 0) and a free end point with a stay.
INSERT INTO route_points VALUES(0, 0, X'33333333444455556666777777777777', 'Saltmere Haven', 0,
  0.922880, 0.076794, 0.0, X'11111111222233334444555555555555', 100.0, 0, 0.0, 0, 0, 185.2, 0);
INSERT INTO route_points VALUES(0, 1, X'44444444555566667777888888888888', 'Orle Quay', 0,
  0.923400, 0.077100, 0.0, NULL, 120.0, 0, 0.0, 0, 0, 185.2, 0);
INSERT INTO route_points VALUES(0, 2, X'55555555666677778888999999999999', 'Dunmeer', 0,
  0.924100, 0.078000, 0.0, NULL, 100.0, 2, 0.0, 3600, 0, 150.0, 0);
