// The attached-document viewer: a small modal dialog that shows one page (a picture, a text
// file, an HTML file or a facility record attached to a chart object). Links in the page
// go through the view's link policy (web and mail links to the desktop, local files after
// the user confirms); anchors scroll inside. Escape and Enter close it. GUI thread.
#pragma once

#include "base/forms/KvForms.h"
#include "base/web/KvWBContainer.h"

#include <functional>

class QPushButton;
class QWidget;
class TMarivoNavEnv;

// The viewer's HTML view: pictures named by a file path are decoded through Qt's image
// readers (JPEG, and TIFF through the image-format plugins); one that cannot be decoded
// shows nothing.
class THTMLViewerView : public TWBContainer {
    Q_OBJECT
public:
    explicit THTMLViewerView(QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;
};

class TFormHTMLViewer : public TFormScaled {
    Q_OBJECT
public:
    // env is kept, not owned (the viewer does not use it further).
    TFormHTMLViewer(TMarivoNavEnv *env, const QString &page, const QString &caption);

    // Shows the page modally and returns when the dialog closes.
    static void Execute(TMarivoNavEnv *env, const QString &caption, const QString &page);
    void LoadPage(const QString &page, int scrollPosition);

    // Runs the dialog instead of exec (tests); returns the previous prompter.
    using TPrompter = std::function<int(TFormHTMLViewer &form)>;
    static TPrompter SetPrompter(TPrompter prompter);

    QWidget *PanelButtons = nullptr;
    QWidget *PanelButtonsRight = nullptr;
    QPushButton *ButtonClose = nullptr;
    QWidget *PanelContents = nullptr;
    THTMLViewerView *HTMLViewer = nullptr;

private:
    TMarivoNavEnv *FEnv;
};
