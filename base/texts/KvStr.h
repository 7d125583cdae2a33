// The text tables that many units share: button captions, dialog titles, colour names,
// compass words and points, key names, list column titles, folder-dialog messages, error-log
// texts. Look them up with LanguageText at every use; never keep the result across a
// language switch.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QStringView>
#include <array>
#include <span>
#include <vector>

namespace KvStr {

// Button captions. "&" marks the accelerator letter; every language keeps exactly one.
extern const TLanguageStrings BtnYes;
extern const TLanguageStrings BtnNo;
extern const TLanguageStrings BtnOK;
extern const TLanguageStrings BtnCancel;
extern const TLanguageStrings BtnAbort;
extern const TLanguageStrings BtnRetry;
extern const TLanguageStrings BtnIgnore;
extern const TLanguageStrings BtnAll;
extern const TLanguageStrings BtnNoToAll;
extern const TLanguageStrings BtnYesToAll;
extern const TLanguageStrings BtnHelp;
extern const TLanguageStrings BtnClose;
extern const TLanguageStrings BtnExit;
extern const TLanguageStrings BtnOpen;
extern const TLanguageStrings BtnSave;
extern const TLanguageStrings BtnDetails;

// Dialog titles.
extern const TLanguageStrings TitleWarning;
extern const TLanguageStrings TitleError;
extern const TLanguageStrings TitleInformation;
extern const TLanguageStrings TitleConfirm;

// Colour names.
extern const TLanguageStrings ColorBlack;
extern const TLanguageStrings ColorBlue;
extern const TLanguageStrings ColorBrightGreen;
extern const TLanguageStrings ColorDarkBlue;
extern const TLanguageStrings ColorDarkRed;
extern const TLanguageStrings ColorDarkYellow;
extern const TLanguageStrings ColorGray25;
extern const TLanguageStrings ColorGray50;
extern const TLanguageStrings ColorGreen;
extern const TLanguageStrings ColorPink;
extern const TLanguageStrings ColorRed;
extern const TLanguageStrings ColorTeal;
extern const TLanguageStrings ColorTurquoise;
extern const TLanguageStrings ColorViolet;
extern const TLanguageStrings ColorWhite;
extern const TLanguageStrings ColorYellow;

// Compass directions in words, lower case. Only English, Dutch and German are written;
// the other languages read the English words.
extern const TLanguageStrings CompassWordNorth;
extern const TLanguageStrings CompassWordNortheast;
extern const TLanguageStrings CompassWordEast;
extern const TLanguageStrings CompassWordSoutheast;
extern const TLanguageStrings CompassWordSouth;
extern const TLanguageStrings CompassWordSouthwest;
extern const TLanguageStrings CompassWordWest;
extern const TLanguageStrings CompassWordNorthwest;

// Compass points, clockwise from north, in each language's own letters.
extern const TLanguageStrings CompassPointN;
extern const TLanguageStrings CompassPointNNE;
extern const TLanguageStrings CompassPointNE;
extern const TLanguageStrings CompassPointENE;
extern const TLanguageStrings CompassPointE;
extern const TLanguageStrings CompassPointESE;
extern const TLanguageStrings CompassPointSE;
extern const TLanguageStrings CompassPointSSE;
extern const TLanguageStrings CompassPointS;
extern const TLanguageStrings CompassPointSSW;
extern const TLanguageStrings CompassPointSW;
extern const TLanguageStrings CompassPointWSW;
extern const TLanguageStrings CompassPointW;
extern const TLanguageStrings CompassPointWNW;
extern const TLanguageStrings CompassPointNW;
extern const TLanguageStrings CompassPointNNW;

// List column titles and values.
extern const TLanguageStrings ColName;
extern const TLanguageStrings ColSize;
extern const TLanguageStrings ColType;
extern const TLanguageStrings ColModified;
extern const TLanguageStrings ValueNone;
extern const TLanguageStrings ValueUnknown;

// Folder dialogs.
extern const TLanguageStrings FolderSelectDestination;
extern const TLanguageStrings FolderSelectSource;
extern const TLanguageStrings FolderNameCaption;
extern const TLanguageStrings FolderInFolder;
extern const TLanguageStrings FolderNew;
extern const TLanguageStrings FolderCreateQuery;
extern const TLanguageStrings FolderCannotCreate;
extern const TLanguageStrings FolderNameInvalid;
extern const TLanguageStrings FolderNotFound;
extern const TLanguageStrings FolderInvalidFileName;
extern const TLanguageStrings FolderInvalidPath;
extern const TLanguageStrings FolderCannotCreateHere;
extern const TLanguageStrings FolderCannotRename;
extern const TLanguageStrings FolderAlreadyExists;
extern const TLanguageStrings FolderInvalidChars;
extern const TLanguageStrings FolderPathNotExist;
extern const TLanguageStrings FolderReadOnly;

// Error log.
extern const TLanguageStrings ErrorLogErrorIn;
extern const TLanguageStrings ErrorLogSavedTo;
extern const TLanguageStrings ErrorLogViewQuery;

// Display requirements of a DirectX desktop (no use on Linux; kept with their translations).
extern const TLanguageStrings DisplayColorDepth;
extern const TLanguageStrings DisplayNoDirectXAdapter;
extern const TLanguageStrings DisplayDirectXCheckError;
extern const TLanguageStrings DisplayDXDiagNotFound;
extern const TLanguageStrings DisplayDXDiagQuery;
extern const TLanguageStrings DisplayDirectXRequired;

// The compass words from north clockwise (north, northeast, ... northwest), and the 16
// compass points from "N" clockwise, for lookups by sector.
extern const std::array<const TLanguageStrings *, 8> CompassWords;
extern const std::array<const TLanguageStrings *, 16> CompassPoints;

// Names of keyboard, mouse and media keys ("Alt", "F1", "Numpad0", "PgDn", ...) in
// alphabetical order; the English entry is the key's identifier.
extern const std::array<TLanguageStrings, 112> KeyNames;
// The table of a key by its English name (case-sensitive); nullptr for an unknown name.
const TLanguageStrings *FindKeyName(QStringView english);

// Every shared table with its identifier ("BtnYes"; key names by their English name), for
// translation exports and checks.
struct TTableEntry {
    const char *Name;
    const TLanguageStrings *Table;
};
std::span<const TTableEntry> AllTables();

}  // namespace KvStr
