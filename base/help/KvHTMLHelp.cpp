#include "base/help/KvHTMLHelp.h"

#include "base/texts/KvLanguage.h"
#include "base/web/KvWBContainer.h"

#include <KvLibNav6/KvLanguage.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVBoxLayout>
#include <memory>

namespace {

const TLanguageStrings TextHelp = {"Help",  "Help",  "Hilfe", "Aide",
                                   "Ayuda", "Guida", "Hjælp", "Hjälp"};

std::unique_ptr<THTMLHelper> &Instance() {
    static std::unique_ptr<THTMLHelper> helper;
    return helper;
}

bool HasPages(const QString &folder) {
    return QFileInfo(folder + QStringLiteral("/index.html")).isFile();
}

}  // namespace

THTMLHelper::THTMLHelper() = default;

THTMLHelper::~THTMLHelper() {
    CloseAll();
}

void THTMLHelper::SetHelpRoot(const QString &root) {
    FRoot = root;
    FMaps.clear();
}

QString THTMLHelper::HelpRoot() const {
    if (!FRoot.isEmpty()) return FRoot;
    const QString app = QCoreApplication::applicationDirPath();
    for (const char *relative : {"/../share/marivo/help", "/data/help", "/../data/help",
                                 "/../../data/help"}) {
        const QString candidate = QDir::cleanPath(app + QLatin1String(relative));
        if (QFileInfo(candidate).isDir()) return candidate;
    }
    return {};
}

QString THTMLHelper::LanguageFolder() {
    const QString root = HelpRoot();
    if (root.isEmpty()) return {};
    const QString own = root + '/' + LanguageToLanguageIDA(GetCurrentLanguage());
    if (HasPages(own)) return own;
    const QString english = root + QStringLiteral("/en");
    return HasPages(english) ? english : QString();
}

std::map<int32_t, int32_t> ReadHelpContextMap(const QString &fileName) {
    std::map<int32_t, int32_t> map;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return map;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char(';'));
        if (parts.size() != 3) continue;
        bool okContext = false, okTopic = false;
        const int32_t context = parts[0].trimmed().toInt(&okContext);
        const QString topicText = parts[1].trimmed();
        const int32_t topic = topicText.isEmpty() ? -1 : topicText.toInt(&okTopic);
        // A damaged line is skipped; the first line of a context wins.
        if (!okContext || (!topicText.isEmpty() && !okTopic)) continue;
        map.emplace(context, topic);
    }
    return map;
}

QString HelpTopicPage(const QString &folder, int32_t topic) {
    if (topic >= 0) {
        const QString page = folder + QStringLiteral("/%1.html").arg(topic);
        if (QFileInfo(page).isFile()) return page;
    }
    return folder + QStringLiteral("/index.html");
}

const std::map<int32_t, int32_t> &THTMLHelper::Map(const QString &folder) {
    auto found = FMaps.find(folder);
    if (found != FMaps.end()) return found->second;
    return FMaps[folder] = ReadHelpContextMap(folder + QStringLiteral("/MarivoContext.inc"));
}

QString THTMLHelper::PageForContext(int32_t context) {
    const QString folder = LanguageFolder();
    if (folder.isEmpty()) return {};
    const auto &map = Map(folder);
    const auto it = map.find(context);
    return HelpTopicPage(folder, it == map.end() ? -1 : it->second);
}

void THTMLHelper::HelpContext(int32_t context) {
    if (FContextHandler)
        FContextHandler(context);
    else
        ShowContext(context);
}

void THTMLHelper::ShowContext(int32_t context) {
    const QString page = PageForContext(context);
    if (page.isEmpty()) return;  // no help installed: the help manager says so before
    if (FShowPage)
        FShowPage(page);
    else
        ShowInOwnWindow(page);
}

void THTMLHelper::ShowInOwnWindow(const QString &file) {
    QWidget *window = nullptr;
    for (const auto &w : FWindows)
        if (w) window = w;
    if (!window) {
        window = new QWidget(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *view = new TWBContainer(window);
        view->setObjectName(QStringLiteral("HelpView"));
        view->BlockRefreshKey = true;
        view->SetShow3DBorder(false);
        view->UseCustomCtxMenu = true;
        layout->addWidget(view);
        window->resize(800, 600);
        FWindows.emplace_back(window);
    }
    window->setWindowTitle(LanguageText(TextHelp));
    if (auto *view = window->findChild<TWBContainer *>(QStringLiteral("HelpView")))
        view->NavigateFile(file);
    window->show();
    window->raise();
}

void THTMLHelper::CloseAll() {
    for (auto &w : FWindows)
        if (w) delete w.data();
    FWindows.clear();
}

THTMLHelper &GetHTMLHelper() {
    auto &helper = Instance();
    if (!helper) {
        helper = std::make_unique<THTMLHelper>();
        // Windows must go before the application object does.
        static bool registered = false;
        if (!registered && QCoreApplication::instance()) {
            registered = true;
            qAddPostRoutine(&FreeHTMLHelper);
        }
    }
    return *helper;
}

bool HTMLHelperCreated() {
    return Instance() != nullptr;
}

void FreeHTMLHelper() {
    Instance().reset();
}
