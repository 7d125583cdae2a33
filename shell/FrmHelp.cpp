#include "shell/FrmHelp.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/settings/KvRegDesktop.h"
#include "base/web/KvWBContainer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString KeyHelpWindow = QStringLiteral("Desktop\\HelpWindow");
constexpr uint32_t PlacementAll = 0x4C000;
constexpr uint32_t PlacementBounds = 0xC000;
constexpr uint32_t PlacementState = 0x40000;

std::unique_ptr<THelpManager> &Instance() {
    static std::unique_ptr<THelpManager> manager;
    return manager;
}

bool IsCompiledHelp(const QString &file) {
    return file.endsWith(QStringLiteral(".chm"), Qt::CaseInsensitive);
}

}  // namespace

// ---- help window --------------------------------------------------------------------------

TFormHelp::TFormHelp(QWidget *owner) : TFormScaled(owner, Qt::Window), Browser(new TWBContainer(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("Marivo Help"));
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->BlockRefreshKey = true;
    Browser->SetShow3DBorder(false);
    // The window has no pop-up menu of its own: no context menu at all.
    Browser->UseCustomCtxMenu = true;
    Browser->PopupMenu = nullptr;
    // The pages mark their headings with a class: the view ignores sizes on <h1>.
    Browser->SetHostCSS(QStringLiteral("p.h1 { font-size: 16pt; font-weight: bold; margin-bottom: 8px; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    const TDesktopGeometry desktop = CurrentDesktopGeometry();
    const int width = desktop.WorkArea.width() / 3 * 2;
    const int height = desktop.WorkArea.height() / 3 * 2;
    TFormPlacement placement;
    ReadFormPlacement(placement, KeyHelpWindow, PlacementAll, (desktop.Desktop.width() - width) / 2,
                      (desktop.Desktop.height() - height) / 2, width, height, desktop);
    setGeometry(placement.Bounds);
    if (placement.State == 2) setWindowState(Qt::WindowMaximized);
    FPlacementTimer.setSingleShot(true);
    FPlacementTimer.setInterval(400);
    connect(&FPlacementTimer, &QTimer::timeout, this, &TFormHelp::WritePlacement);
}

TFormHelp::~TFormHelp() {
    WriteFormState(isMaximized() ? 2 : 0, KeyHelpWindow);
}

void TFormHelp::ShowURL(const QString &url) {
    Browser->NavigateFile(url);
    show();
    raise();
    activateWindow();
}

void TFormHelp::moveEvent(QMoveEvent *event) {
    TFormScaled::moveEvent(event);
    if (isVisible()) FPlacementTimer.start();
}

void TFormHelp::resizeEvent(QResizeEvent *event) {
    TFormScaled::resizeEvent(event);
    if (isVisible()) FPlacementTimer.start();
}

void TFormHelp::WritePlacement() {
    if (isMaximized() || isMinimized()) return;  // the normal bounds stay as they were
    TFormPlacement placement;
    placement.Bounds = geometry();
    WriteFormPlacement(placement, KeyHelpWindow, PlacementBounds);
}

// ---- manager ------------------------------------------------------------------------------

THelpManager::THelpManager() {
    GetHTMLHelper().SetContextHandler([this](int32_t context) { ShowHelpContext(context); });
}

THelpManager::~THelpManager() {
    if (HTMLHelperCreated()) GetHTMLHelper().SetContextHandler({});
    if (FHelpWindow) delete FHelpWindow.data();
}

void THelpManager::SetHelpFile(const QString &file) {
    if (file == FHelpFile) return;
    FHelpFile = file;
    // The map belongs to the folder of the help file; a new folder has its own.
    FMap.reset();
    if (FHelpWindow && !FHelpFile.isEmpty() && !IsCompiledHelp(FHelpFile))
        FHelpWindow->Browser->NavigateFile(ContextPage(FShownContext));
}

QString THelpManager::ContextPage(int32_t context) {
    return HelpTopicPage(QFileInfo(FHelpFile).absolutePath(), ContextToTopic(context));
}

bool THelpManager::ShowHelpContext(int32_t context) {
    if (FHelpFile.isEmpty()) {
        MsgBox(QStringLiteral("No help file has been found."), mtError, MsgButtons({mbOK}));
        return false;
    }
    if (IsCompiledHelp(FHelpFile)) {
        GetHTMLHelper().ShowContext(context);
        return true;
    }
    if (!FHelpWindow) FHelpWindow = new TFormHelp;
    FShownContext = context;
    FHelpWindow->ShowURL(ContextPage(context));
    return true;
}

int32_t THelpManager::ContextToTopic(int32_t context) {
    if (!FMap)
        FMap = ReadHelpContextMap(QFileInfo(FHelpFile).absolutePath() + QStringLiteral("/MarivoContext.inc"));
    const auto it = FMap->find(context);
    return it == FMap->end() ? -1 : it->second;
}

THelpManager &GetHelpManager() {
    auto &manager = Instance();
    if (!manager) {
        manager = std::make_unique<THelpManager>();
        // Its window must go before the application object does.
        static bool registered = false;
        if (!registered && QCoreApplication::instance()) {
            registered = true;
            qAddPostRoutine(&FreeHelpManager);
        }
    }
    return *manager;
}

bool HelpManagerCreated() {
    return Instance() != nullptr;
}

void FreeHelpManager() {
    Instance().reset();
}
