// What the three source pages of the import wizard share: the import types, the one hidden
// tab with its information strip, the open-file dialogs behind a replaceable chooser, and
// the folders remembered under "Desktop\Import". GUI thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QLabel;
class QTabWidget;
class QWidget;

// The import types as the type page reports them and the file pages take them.
namespace ImportType {
inline constexpr uint8_t DataFile = 1;
inline constexpr uint8_t GPX = 2;
inline constexpr uint8_t Polars = 3;
inline constexpr uint8_t TextWaypoints = 4;
inline constexpr uint8_t TextRoutes = 5;
inline constexpr uint8_t TrackFiles = 6;
}  // namespace ImportType

// One open-file dialog: the folder it opens in, its filter in "caption|patterns|..." form,
// and whether several files may be chosen.
struct TImportFileRequest {
    QString Folder;
    QString Filter;
    bool Multiple = false;
};
// Answers an open-file dialog with the chosen full file names (empty: cancelled). By default
// the user, through the platform's dialog; tests install one that picks without a dialog.
// Returns the previous chooser.
using TImportFileChooser = std::function<QStringList(QWidget *parent, const TImportFileRequest &request)>;
TImportFileChooser SetImportFileChooser(TImportFileChooser chooser);
QStringList ImportChooseFiles(QWidget *parent, const TImportFileRequest &request);
// "Text files (*.txt)|*.txt;*.csv|All files|*.*" as the platform dialog's name filters.
QStringList ImportFilterToNameFilters(const QString &filter);

// Folder value name under "Desktop\Import": the stored folder, def when none is stored, and
// the program's folder when the folder no longer exists.
QString ImportReadFolder(const QString &name, const QString &def);
// Stores the folder of fileName as the value name.
void ImportWriteFolder(const QString &name, const QString &fileName);

// The page's frame holds one tab whose tab is hidden, with the information strip at its
// top; the controls go on the returned host, which fills the rest of the tab. The image
// is registered with the night-screen service; the frame unregisters it when destroyed.
QWidget *ImportSourceBuildPage(QWidget *frame, QTabWidget *&pages, QLabel *&information, QLabel *&image);
