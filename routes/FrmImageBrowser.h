// The image browser: a folder tree and the images of the chosen folder ("*.bmp", "*.tga",
// "*.jpg", "*.png" in any letter case) with thumbnails and their size, from which the user
// picks one file. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class TShellTreeViewEx;

class TFormImageBrowser : public TFormScaled {
    Q_OBJECT
public:
    TFormImageBrowser(const QString &fileName, const QString &defaultFolder, const QString &lastFolder,
                      QWidget *owner = nullptr);

    // True on OK; fileName then is the chosen image file. Starts in lastFolder when it
    // exists, else in defaultFolder, else in the program folder.
    static bool Execute(QString &fileName, const QString &defaultFolder, const QString &lastFolder,
                        QWidget *owner = nullptr);
    using TPrompter = std::function<int(TFormImageBrowser &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // The image files of a folder, sorted, each once.
    static QStringList ImageFiles(const QString &folder);
    void ShowFolder(const QString &folder);
    QString FileName() const;

    TShellTreeViewEx *ShellTreeView;
    QLabel *LabelFolder;
    QListWidget *ListImages;
    QPushButton *ButtonDefaultFolder, *ButtonHelp, *ButtonOk, *ButtonCancel;

private:
    QString FDefaultFolder, FFileName, FFolder;
};
