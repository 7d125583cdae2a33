// The track manager: every track file of the tracks folder with its colour, name, times,
// distance and speed, read from the file headers only. The user chooses the tracks shown on
// the charts, renames and recolours tracks (written to their files at once), deletes and
// mails track files, and picks one to find on the chart. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <KvLibNav6/KvTracks.h>

#include <QColor>
#include <QImage>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;
class QTreeView;
class TListViewPopup;
class TMarivoNavEnv;
class TTrackManagerModel;
struct TTrackNodeData;

class TFormTrackManager : public TFormScaled {
    Q_OBJECT
public:
    TFormTrackManager(TMarivoNavEnv &env, QWidget *owner = nullptr);
    ~TFormTrackManager() override;

    // Shows the dialog, then applies the visibility to the environment's track list. Returns
    // the track chosen with Find (from the track list, loaded into it when needed), or nullptr.
    static INavTrack *Execute(TMarivoNavEnv &env, QWidget *owner = nullptr);
    using TPrompter = std::function<int(TFormTrackManager &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // The colour dialog of the colour square; False keeps the colour. Returns the previous.
    using TColorPicker = std::function<bool(QColor &colour, QWidget *owner)>;
    static TColorPicker SetColorPicker(TColorPicker picker);

    void UpdateButtons();
    std::vector<TTrackNodeData *> SelectedRows() const;
    void DeleteTracks();
    void MailTracks();
    void FindTrack();
    void Rename(TTrackNodeData &node, const QString &name);
    void Recolor(TTrackNodeData &node, const QColor &colour);
    // Loads the track, lets change alter it and saves it to its file; False (reported) when
    // the file could not be read or written.
    bool RewriteTrack(const QString &file, const std::function<void(INavTrack *track)> &change);
    void ApplyVisibility();
    void StoreSort();
    // The 13 × 13 square of a name cell that opens the colour dialog.
    QRect ColorSquare(const QRect &cell) const;

    TTrackManagerModel *Model() const { return FModel; }
    const QStringList &DeletedFiles() const { return FDeleted; }
    const QString &ChosenFile() const { return FChosen; }
    const QString &RecordingFile() const { return FRecording; }
    const QImage &ColorOverlay() const { return FOverlay; }

    QWidget *PanelInformation;
    QLabel *ImageInformation, *LabelInformation;
    QTreeView *ListView;
    QPushButton *ButtonFind, *ButtonEMail, *ButtonDelete, *ButtonHelp, *ButtonClose;
    TListViewPopup *ListPopup;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    class TDelegate;
    void BuildLayout();
    void LoadSort();
    void MouseUp(const QPoint &pos);

    TMarivoNavEnv &FEnv;
    TTrackManagerModel *FModel;
    QString FRecording, FChosen;
    QStringList FDeleted;
    QImage FOverlay;
};
