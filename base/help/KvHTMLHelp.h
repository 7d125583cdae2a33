// Help topics by context number: per-language HTML pages under the installed help folder
// ("<root>/<language id>/", e.g. ".../help/nl/"), with the topic map "MarivoContext.inc"
// there (lines "context;topic;title"; topic N is the page "N.html"). An unknown context,
// topic or page shows the language's "index.html"; a language without pages uses English.
// One helper per program, created on first use; nothing is read before the first request.
// GUI thread.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class THTMLHelper {
public:
    // Shows a page; the program's help window takes this over. Without one the helper shows
    // the page in a window of its own.
    using TShowPage = std::function<void(const QString &file)>;

    THTMLHelper();
    ~THTMLHelper();  // closes the help windows it opened
    THTMLHelper(const THTMLHelper &) = delete;
    THTMLHelper &operator=(const THTMLHelper &) = delete;

    // Every help request of the program: handed to the context handler when one is set (the
    // program's help manager), else shown with ShowContext.
    void HelpContext(int32_t context);
    // Shows the page of a context without asking the context handler.
    void ShowContext(int32_t context);
    using TContextHandler = std::function<void(int32_t context)>;
    void SetContextHandler(TContextHandler handler) { FContextHandler = std::move(handler); }
    // The page for context in the current language; empty when no help is installed.
    QString PageForContext(int32_t context);

    // Folder holding the language folders; empty = search next to the program.
    void SetHelpRoot(const QString &root);
    QString HelpRoot() const;
    void SetShowPage(TShowPage show) { FShowPage = std::move(show); }
    // True once a request has read a topic map.
    bool Initialized() const { return !FMaps.empty(); }
    void CloseAll();

private:
    QString LanguageFolder();
    const std::map<int32_t, int32_t> &Map(const QString &folder);
    void ShowInOwnWindow(const QString &file);

    QString FRoot;
    TShowPage FShowPage;
    TContextHandler FContextHandler;
    std::map<QString, std::map<int32_t, int32_t>> FMaps;  // per language folder
    std::vector<QPointer<QWidget>> FWindows;
};

// The topic map "MarivoContext.inc" of a help folder: lines "context;topic;title" with
// exactly three parts; an empty topic is -1; the first line of a context wins; a line with
// a part that is no number is skipped. A missing file gives an empty map.
std::map<int32_t, int32_t> ReadHelpContextMap(const QString &file);
// "N.html" of folder for topic N when it exists, else the folder's "index.html".
QString HelpTopicPage(const QString &folder, int32_t topic);

THTMLHelper &GetHTMLHelper();
// Whether GetHTMLHelper has created the helper yet.
bool HTMLHelperCreated();
// Closes its windows and frees it (also run when the application ends).
void FreeHTMLHelper();
