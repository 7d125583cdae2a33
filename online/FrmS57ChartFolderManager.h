// "S57 chart folder manager": the folders from which S-57 charts are loaded, as a list the
// caller owns. Folders are added (always with subfolders) and selected ones deleted; the
// caller applies the edited list to the chart manager afterwards. Modal, GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "online/S57FolderList.h"

#include <KvLibNav6/KvNavEnv.h>

#include <functional>

class IMRCChartCheck;
class QPushButton;
class QTreeWidget;

class TFormS57ChartFolderManager : public TFormScaled {
    Q_OBJECT
public:
    TFormS57ChartFolderManager(TS57ChartFolderList &list, INavMessageDispatcher *dispatcher, IMRCChartCheck *account,
                               uint16_t sailingAreas, QWidget *owner = nullptr);

    // Runs the dialog on the caller's list; the edits stay in the list whatever the result.
    static void Execute(TS57ChartFolderList &list, INavMessageDispatcher *dispatcher, IMRCChartCheck *account,
                        uint16_t sailingAreas);
    // Runs the dialog instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormS57ChartFolderManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    // What the hidden button runs instead of the Inland ENC download manager (tests).
    using TIENCExecute =
        std::function<void(TS57ChartFolderList &list, IMRCChartCheck *account, INavMessageDispatcher *dispatcher)>;
    static TIENCExecute SetIENCExecute(TIENCExecute execute);

    void UpdateTexts();
    // Refills the rows from the list; the row of selectFolder (exact text) is selected.
    void FillList(const QString &selectFolder = {});
    void UpdateButtons();

    void ButtonAddClick();
    void ButtonDeleteClick();
    void ButtonSubfoldersClick();
    void ButtonIENCDLManagerClick();

    // The record a row stands for.
    TS57ChartFolder *RowRecord(int row) const;

    QTreeWidget *ListView;
    QPushButton *ButtonAdd;
    QPushButton *ButtonDelete;
    QPushButton *ButtonSubfolders;
    QPushButton *ButtonDownload;
    QPushButton *ButtonIENCDLManager;
    QPushButton *ButtonHelp;
    QPushButton *ButtonClose;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TS57ChartFolderList &FList;
    INavMessageDispatcher *FDispatcher;
    IMRCChartCheck *FAccount;
    uint16_t FSailingAreas;
};
