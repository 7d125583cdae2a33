// The folder browse dialog around the folder tree: export destinations, chart folders,
// download and backup folders. GUI thread only.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;
class TShellTreeViewEx;
struct TShellData;

enum TBrowseFolderKind { bkOpen, bkSave };
enum TBrowseDirOption { bfNewFolder = 0x1, bfNoReadOnlyReturn = 0x2 };
using TBrowseDirOptions = int;

class TFormBrowseFolder : public QDialog {
    Q_OBJECT
public:
    TFormBrowseFolder(const QString &title, const QString &folder, bool readOnly,
                      TBrowseFolderKind kind, TBrowseDirOptions options, QWidget *parent = nullptr);

    // True on OK, with folder the selected path (a directory with its trailing "/"); else
    // folder stays as it was.
    static bool Execute(const QString &title, QString &folder, bool readOnly,
                        TBrowseFolderKind kind, TBrowseDirOptions options);

    TShellTreeViewEx *ShellTreeView;
    QPushButton *ButtonNew, *ButtonOk, *ButtonCancel;
    TBrowseDirOptions Options() const { return FOptions; }

    // Runs the dialog instead of exec (tests); returns the dialog result. Returns the
    // previous prompter.
    using TPrompter = std::function<int(TFormBrowseFolder &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

private:
    void FolderSelected(const TShellData &data);
    TBrowseDirOptions FOptions;
};
