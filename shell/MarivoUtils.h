// Routines the whole program shares: the start of the program with its crash detection,
// and the drawing routines of the program's lists and trees, so that group rows, their
// expand buttons and row separators look and behave alike everywhere (they paint only and
// keep no state). GUI thread only.
#pragma once

#include "base/dialogs/FrmMsg.h"

#include <KvLibNav6/KvGraphics.h>

#include <QColor>
#include <QLoggingCategory>
#include <QModelIndex>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

class QPainter;
class QTreeView;

// The 11 × 11 box of a group row's expand button: vertically centred in the cell, from 16
// to 5 pixels left of the cell's right end.
QRect GroupExpandButtonRect(const QRect &cell);
// Whether (x, y) in the viewport lies on the expand button of a group row (a node with
// children); node and column receive the cell under the point. The cell is extended over
// the following columns whose text is empty, as a spanned group row shows it.
bool GroupExpandButtonHitTest(const QTreeView *tree, int x, int y, QModelIndex &node, int &column);
// The button as a tool button (raised when hot, sunken when pressed) with a small black
// triangle: pointing down while the group is collapsed, up while expanded.
void PaintGroupExpandButton(QPainter &p, const QRect &cell, bool expanded, bool hot, bool pressed);
// Hot and pressed are the rows of the button under the mouse and of the pressed one (-1 none).
void DrawGroupExpandButton(QPainter &p, const QRect &cell, const QModelIndex &node, int hotRow,
                           int pressedRow, bool expanded);
// A group row cell: shrunk by one pixel at top and bottom (and at the outer ends of the
// row), filled with brush and outlined in pen; column -1 stands for the whole row.
void DrawGroupRowCell(QPainter &p, const QRect &cell, int column, bool lastCell, const QColor &pen,
                      const QColor &brush, int columnCount);
// A line in the button-face colour along the cell's last pixel row.
void DrawRowSeparator(QPainter &p, const QRect &cell);

// The routines above in the form the item message dialog takes them (group bands in the
// palette's button colours).
TFormMsgDrawing MarivoFormMsgDrawing();

// ---- Start-up --------------------------------------------------------------------------

// The steps of the start and the end of the run, logged as information (off by default:
// QT_LOGGING_RULES="marivo.startup.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

// How the last run ended, as the program sees the stored "ExecState" (0 none, 1 running,
// 2 terminated by the library; any other stored value reads as none). Closed is written as
// 0 and never read back.
enum class TExecState { None, Running, Closed, TerminatedByLibrary };
TExecState ReadExecState();
// A failed write raises with the library's error text alone.
void WriteExecState(TExecState state);

// Where the program finds its data and help.
struct TStartOptions {
    // The data folder and the maker's shared folder at once ("--data"); empty: the common
    // application-data folder with "Korvane/Marivo/Ostrel/" and "Korvane/".
    QString DataFolder;
};
// The folders the options stand for, with a trailing separator.
QString StartDataFolder(const TStartOptions &options);
QString StartSharedFolder(const TStartOptions &options);

// The update check the close-error dialog's "look for an update" leads to: (update file
// out, option, do not start) → True when an update is to be installed.
using TUpdateCheck = std::function<bool(QString &updateFile, bool option, bool noStart)>;
// Reads "ExecState"; after an unclean end shows the close-error dialog. True: start, and
// "ExecState" is then "running". Without an update check the "look for an update" answer
// only ends the start.
bool CheckPreviousRun(const TUpdateCheck &updateCheck);

// The page the help starts from: for Dutch the HTML help in the data folder
// ("Help/nl/index.html") when there is one, else the installed help's page of the
// language, else its English page; empty when none exists.
QString SelectHelpFile(int32_t language, const QString &dataFolder, const QString &installedHelp);
// Selects the help file for language (SelectHelpFile with the help root in use) and, when
// one is found, makes its folder's parent the help root. Returns the file; empty: none.
QString ChooseHelpFile(int32_t language, const QString &dataFolder);

// The whole start of the program: identity, help, crash check, main window and message
// loop. Returns the program's exit code: 0 after a normal end or a start the user called
// off, 1 when the start failed.
int StartUp(uint16_t day, uint16_t month, uint16_t year, const TStartOptions &options);

// The core library's two-answer query: both answers True.
void AnswerBothTrueCallback(bool *a, bool *b);

// The six palette colours this unit registers with the night screen (the 5th to 8th and
// the two ARGB icon backgrounds); RegisterPaletteColors has the others.
void RegisterUtilsColors(INightScreen *nightScreen);
void UnregisterUtilsColors(INightScreen *nightScreen);

// ---- Texts -----------------------------------------------------------------------------

// The first count UTF-16 units of text, one fewer when the cut would split a surrogate
// pair: a stored name never ends in half a character.
QString LeftCharacters(const QString &text, int count);

// ---- Geodesy ------------------------------------------------------------------------------

class IGeodeticObject;
// The program's geodetic frame, in which the core library's global coordinates are given.
IGeodeticObject *ProgramGeodeticFrame();
