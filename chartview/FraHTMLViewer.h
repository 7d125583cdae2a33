// The floating tool window that shows a chart's additional information (an unpacked
// packed HTML container) or a plain text. GUI thread; the dock panel is not owned.
#pragma once

#include "base/forms/KvFrameScaled.h"

class QDockWidget;
class TWBContainer;

class TFrameHTMLViewer : public TFrameScaled {
    Q_OBJECT
public:
    // folder: where containers are unpacked (the work folder), made when missing.
    TFrameHTMLViewer(QDockWidget *panel, const QString &folder);

    // Unpacks the container into the folder and shows its page (the container's base name
    // with ".html"); an empty page when there is none. A container error raises and the
    // window stays as it was.
    void ShowPackedFile(const QString &fileName);
    // Each line as a line of the page (escaped: the text is not HTML); monospace: in the
    // small fixed-pitch font of update notes.
    void ShowText(const QString &text, bool monospace = false);
    void SetCaption(const QString &text);

    TWBContainer *View = nullptr;

private:
    void ShowWindow();
    bool MayOpenFile(const QString &file) const;

    QDockWidget *FPanel;
    QString FFolder;
};
