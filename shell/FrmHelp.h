// The program's help: one help manager that every help button, F1 key and the help menu
// reach (also those that ask the HTML helper, whose requests the manager takes over once
// it exists), and the help window it shows HTML help pages in. A help file ending in ".chm"
// (any case) goes to the compiled-help interface; any other file is the start page of an
// HTML help folder, whose topic map "MarivoContext.inc" gives each context its page "N.html".
// GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <map>
#include <optional>

class TWBContainer;

// The non-modal help window: one HTML view, caption "Marivo Help", placement stored under
// "Desktop\HelpWindow". Frees itself when closed.
class TFormHelp : public TFormScaled {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *owner = nullptr);
    ~TFormHelp() override;

    // Navigates to the file (an "#anchor" is allowed) and shows the window.
    void ShowURL(const QString &url);
    TWBContainer *Browser;

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void WritePlacement();
    QTimer FPlacementTimer;  // the end of a move or resize
};

class THelpManager {
public:
    THelpManager();
    ~THelpManager();  // the help window goes with it
    THelpManager(const THelpManager &) = delete;
    THelpManager &operator=(const THelpManager &) = delete;

    // The help file chosen at start-up and after a language switch; empty: none found. An
    // open help window turns to the same topic in the new file.
    void SetHelpFile(const QString &file);
    const QString &HelpFile() const { return FHelpFile; }

    // Shows help for a context; False (after saying so) when there is no help file.
    bool ShowHelpContext(int32_t context);
    // The topic of a context from the map beside the help file (read once per run); -1
    // when the context, or the map, is unknown.
    int32_t ContextToTopic(int32_t context);
    // The open help window, nullptr when there is none.
    TFormHelp *HelpWindow() const { return FHelpWindow; }

private:
    QString ContextPage(int32_t context);

    QString FHelpFile;
    QPointer<TFormHelp> FHelpWindow;
    int32_t FShownContext = -1;  // of the help window
    std::optional<std::map<int32_t, int32_t>> FMap;
};

// The one help manager, created on first use (it then takes over the HTML helper's
// requests) and freed when the application ends.
THelpManager &GetHelpManager();
bool HelpManagerCreated();
void FreeHelpManager();
