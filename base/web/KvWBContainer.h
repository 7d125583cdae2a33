// The program's one HTML view: help pages, the news centre and generated reports.
// A QTextBrowser (no script engine) with the host settings of the program: text selection,
// a style sheet, scroll bars, border, its own context menu, a blockable refresh key, and
// one link policy. Links reach the owner first; what the owner leaves is opened only as
// the policy allows: http, https and mailto in the desktop's handler, a local file after
// the user confirms, pages of the same help folder inside the view, anything else refused
// with a message. GUI thread.
#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <cstdint>
#include <functional>

class QMenu;
class QPrinter;

enum class TLinkAction {
    Navigate,          // a page of the shown document's folder, or an anchor in it
    OpenExternal,      // http, https, mailto
    ConfirmLocalFile,  // any other local file: open only after the user agrees
    Refuse,            // every other scheme
};

// What the policy does with url, clicked in a page whose address is base (empty for a page
// loaded from text).
TLinkAction ClassifyLink(const QUrl &url, const QUrl &base);

class TWBContainer : public QTextBrowser {
    Q_OBJECT
public:
    explicit TWBContainer(QWidget *parent);

    bool AllowTextSelection() const { return FAllowTextSelection; }
    void SetAllowTextSelection(bool allow);
    const QString &HostCSS() const { return FHostCSS; }
    void SetHostCSS(const QString &css);
    bool ShowScrollBars() const { return FShowScrollBars; }
    void SetShowScrollBars(bool show);
    bool Show3DBorder() const { return FShow3DBorder; }
    void SetShow3DBorder(bool show);
    // F5 does not reload while set.
    bool BlockRefreshKey = false;
    // While set, a right-click pops up PopupMenu (not owned; none = no menu at all)
    // instead of the view's own menu.
    bool UseCustomCtxMenu = false;
    QMenu *PopupMenu = nullptr;

    // Shows a local file; the path may carry "#anchor" (with ",options" after it, which are
    // ignored). A missing file shows a page saying so and returns false.
    bool NavigateFile(const QString &path);
    // Shows an HTML text; an empty text gives an empty page.
    void LoadFromString(const QString &html);
    void Print(QPrinter *printer);
    // Pages shown so far (files, texts and reloads).
    int LoadCount() const { return FLoadCount; }

    void reload() override;

    // The owner's look at a clicked link before anything is opened: true = handled.
    std::function<bool(const QUrl &url)> OnLinkClick;
    // Prompters and the opener; the defaults ask with a message box and open through the
    // desktop (ExecuteDocument). Tests replace them.
    std::function<bool(const QString &file)> ConfirmOpenFile;
    std::function<void(const QString &message)> ShowMessage;
    std::function<int32_t(const QString &document)> OpenDocument;

    // Applies the link policy to url as if it had been clicked in the page.
    void HandleLinkClick(const QUrl &url);

signals:
    void PageLoaded();
    // A left click anywhere in the page.
    void PageClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Loaded();

    bool FAllowTextSelection = true;
    QString FHostCSS;
    bool FShowScrollBars = true;
    bool FShow3DBorder = true;
    int FLoadCount = 0;
};

// Raises OnClick for every click in the page of the view it is attached to (the news
// centre notices clicks on its pages with it).
class TWBClick : public QObject {
    Q_OBJECT
public:
    explicit TWBClick(QObject *parent) : QObject(parent) {}
    void Attach(TWBContainer *view);
    std::function<void(TWBClick *sender)> OnClick;
};
