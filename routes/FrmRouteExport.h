// The export dialog of the route overview ("Export route"): the columns to export and the
// folder to export to. Also the column list it shares with the print dialog: one checked row
// per available column in header order, the check read from and written back to the
// column's "Export" or "Print" value.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QToolButton;

// A column the dialogs offer: its title and number, in header order.
struct TRouteOverviewOffer {
    QString Title;
    int Column = 0;
};

class TRouteColumnChoice {
public:
    // valueName: "Export" or "Print".
    TRouteColumnChoice(QListWidget *list, const QString &key, const QString &valueName);
    void Fill(const std::vector<TRouteOverviewOffer> &offers);
    // The checked columns in order; writes every row's check back.
    std::vector<int> Apply() const;
    static bool DefaultChecked(const QString &valueName, int column);

private:
    QListWidget *FList;
    QString FKey, FValueName;
};

class QVBoxLayout;

// What the export and print dialogs of the route overview share below their own rows: the
// "Columns" list filled with the offers under valueName, and OK/Cancel (the help button is
// hidden) wired to accept and reject.
struct TRouteOverviewDialogParts {
    QListWidget *List = nullptr;
    std::unique_ptr<TRouteColumnChoice> Choice;
    QDialogButtonBox *Buttons = nullptr;
};
TRouteOverviewDialogParts AddRouteOverviewDialogParts(QDialog *dialog, QVBoxLayout *layout, const QString &key,
                                                      const QString &valueName,
                                                      const std::vector<TRouteOverviewOffer> &offers);

class TFormRouteExport : public QDialog {
    Q_OBJECT
public:
    TFormRouteExport(const QString &key, const std::vector<TRouteOverviewOffer> &offers, QWidget *owner);
    ~TFormRouteExport() override;
    QLineEdit *FolderEdit() const { return FFolder; }
    QToolButton *BrowseButton() const { return FBrowse; }
    QListWidget *ColumnList() const { return FList; }
    QDialogButtonBox *Buttons() const { return FButtons; }
    const std::vector<int> &Columns() const { return FColumns; }

    // OK: refused with a message while the folder is empty or missing.
    void accept() override;
    void Browse();

    // Tests answer the dialog here instead of the user; the default runs it modally.
    using TPrompter = std::function<int(TFormRouteExport &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    int Run();

private:
    QLineEdit *FFolder = nullptr;
    QToolButton *FBrowse = nullptr;
    QListWidget *FList = nullptr;
    QDialogButtonBox *FButtons = nullptr;
    std::unique_ptr<TRouteColumnChoice> FChoice;
    std::vector<int> FColumns;
};

// "ExportFolder" with a trailing '/'; the documents folder when none was stored.
QString RouteExportFolder();
// On OK: the checked columns in header order ("Export" and "ExportFolder" written).
bool ExecuteRouteExport(const QString &key, std::vector<int> &columns,
                        const std::vector<TRouteOverviewOffer> &offers, QWidget *owner);
