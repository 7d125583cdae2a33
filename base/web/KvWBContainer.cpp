#include "base/web/KvWBContainer.h"

#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/platform/KvShell.h"
#include "base/texts/KvLanguage.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QScrollBar>

namespace {

const TLanguageStrings TextConfirmOpenFile = {
    "Do you want to open the file \"%1\"?",
    "Wilt u het bestand \"%1\" openen?",
    "Möchten Sie die Datei \"%1\" öffnen?",
    "Voulez-vous ouvrir le fichier \"%1\" ?",
    "¿Desea abrir el archivo \"%1\"?",
    "Aprire il file \"%1\"?",
    "Vil du åbne filen \"%1\"?",
    "Vill du öppna filen \"%1\"?"};

const TLanguageStrings TextLinkRefused = {
    "Links of this kind are not opened: %1",
    "Koppelingen van dit soort worden niet geopend: %1",
    "Links dieser Art werden nicht geöffnet: %1",
    "Les liens de ce type ne sont pas ouverts : %1",
    "Los enlaces de este tipo no se abren: %1",
    "I collegamenti di questo tipo non vengono aperti: %1",
    "Links af denne type åbnes ikke: %1",
    "Länkar av detta slag öppnas inte: %1"};

const TLanguageStrings TextLinkFailed = {
    "The link could not be opened: %1",
    "De koppeling kon niet worden geopend: %1",
    "Der Link konnte nicht geöffnet werden: %1",
    "Le lien n'a pas pu être ouvert : %1",
    "No se pudo abrir el enlace: %1",
    "Impossibile aprire il collegamento: %1",
    "Linket kunne ikke åbnes: %1",
    "Länken kunde inte öppnas: %1"};

const TLanguageStrings TextCannotOpenFile = {
    "Cannot open file %1",
    "Kan bestand %1 niet openen",
    "Datei %1 kann nicht geöffnet werden",
    "Impossible d'ouvrir le fichier %1",
    "No se puede abrir el archivo %1",
    "Impossibile aprire il file %1",
    "Kan ikke åbne filen %1",
    "Kan inte öppna filen %1"};

bool IsPage(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

}  // namespace

TLinkAction ClassifyLink(const QUrl &url, const QUrl &base) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        return TLinkAction::OpenExternal;
    if (!scheme.isEmpty() && scheme != QLatin1String("file")) return TLinkAction::Refuse;
    // An anchor of the page itself.
    if (scheme.isEmpty() && url.path().isEmpty() && url.hasFragment()) return TLinkAction::Navigate;
    QUrl target = url;
    if (scheme.isEmpty()) {
        if (!base.isLocalFile()) return TLinkAction::Refuse;  // relative to nothing
        target = base.resolved(url);
    }
    if (!target.isLocalFile()) return TLinkAction::Refuse;
    const QString file = QDir::cleanPath(target.toLocalFile());
    if (base.isLocalFile() && IsPage(file)) {
        const QString folder = QFileInfo(base.toLocalFile()).absolutePath();
        if (file.startsWith(folder + QLatin1Char('/'))) return TLinkAction::Navigate;
    }
    return TLinkAction::ConfirmLocalFile;
}

TWBContainer::TWBContainer(QWidget *parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &TWBContainer::HandleLinkClick);
    ConfirmOpenFile = [this](const QString &file) {
        return QMessageBox::question(this, QApplication::applicationDisplayName(),
                                     LanguageText(TextConfirmOpenFile).arg(file)) ==
               QMessageBox::Yes;
    };
    ShowMessage = [this](const QString &message) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), message);
    };
    OpenDocument = [](const QString &document) {
        int32_t err = 0;
        ExecuteDocument(nullptr, document, 1, err);
        return err;
    };
}

void TWBContainer::SetAllowTextSelection(bool allow) {
    FAllowTextSelection = allow;
    setTextInteractionFlags(allow ? Qt::TextBrowserInteraction
                                  : Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

void TWBContainer::SetHostCSS(const QString &css) {
    FHostCSS = css;
    document()->setDefaultStyleSheet(css);
}

void TWBContainer::SetShowScrollBars(bool show) {
    FShowScrollBars = show;
    const auto policy = show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void TWBContainer::SetShow3DBorder(bool show) {
    FShow3DBorder = show;
    setFrameShape(show ? QFrame::StyledPanel : QFrame::NoFrame);
}

bool TWBContainer::NavigateFile(const QString &path) {
    QString file = path;
    QString anchor;
    if (!QFileInfo(file).isFile()) {
        // The help manager's "page#topic,withnavpane=true" form.
        const int hash = path.lastIndexOf(QLatin1Char('#'));
        if (hash > 0 && QFileInfo(path.left(hash)).isFile()) {
            file = path.left(hash);
            anchor = path.mid(hash + 1).section(QLatin1Char(','), 0, 0);
        }
    }
    if (!QFileInfo(file).isFile()) {
        setSource(QUrl());
        LoadFromString(QStringLiteral("<p>%1</p>").arg(
            LanguageText(TextCannotOpenFile).arg(path).toHtmlEscaped()));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (!anchor.isEmpty()) url.setFragment(anchor);
    document()->setDefaultStyleSheet(FHostCSS);
    setSource(url);
    clearHistory();  // pages are shown, not browsed: no back and forward
    Loaded();
    return true;
}

void TWBContainer::LoadFromString(const QString &html) {
    document()->setDefaultStyleSheet(FHostCSS);
    if (source().isValid()) setSource(QUrl());
    if (html.isEmpty())
        clear();
    else
        setHtml(html);
    Loaded();
}

void TWBContainer::Print(QPrinter *printer) {
    if (printer) document()->print(printer);
}

void TWBContainer::reload() {
    // A page made from text has no address to load again.
    if (!source().isValid()) return;
    QTextBrowser::reload();
    Loaded();
}

void TWBContainer::Loaded() {
    ++FLoadCount;
    emit PageLoaded();
}

void TWBContainer::HandleLinkClick(const QUrl &url) {
    // Called from the view's mouse and key handlers: nothing may escape from here.
    try {
        if (OnLinkClick && OnLinkClick(url)) return;
        const QUrl base = source();
        switch (ClassifyLink(url, base)) {
        case TLinkAction::Navigate:
            if (url.path().isEmpty() && url.hasFragment()) {
                scrollToAnchor(url.fragment());
            } else {
                const QUrl target = base.resolved(url);
                NavigateFile(target.toLocalFile() +
                             (target.hasFragment() ? '#' + target.fragment() : QString()));
            }
            return;
        case TLinkAction::OpenExternal: {
            const int32_t err = OpenDocument ? OpenDocument(url.toString()) : 0;
            if (err != 0 && ShowMessage)
                ShowMessage(LanguageText(TextLinkFailed).arg(url.toDisplayString()) +
                            QStringLiteral("\n") + ErrorToStrA(err));
            return;
        }
        case TLinkAction::ConfirmLocalFile: {
            const QUrl target = url.scheme().isEmpty() ? base.resolved(url) : url;
            const QString file = QDir::toNativeSeparators(target.toLocalFile());
            if (!ConfirmOpenFile || !ConfirmOpenFile(file)) return;
            const int32_t err = OpenDocument ? OpenDocument(file) : 0;
            if (err != 0 && ShowMessage)
                ShowMessage(LanguageText(TextLinkFailed).arg(file) + QStringLiteral("\n") +
                            ErrorToStrA(err));
            return;
        }
        case TLinkAction::Refuse:
            if (ShowMessage) ShowMessage(LanguageText(TextLinkRefused).arg(url.toDisplayString()));
            return;
        }
    } catch (...) {
        ReportCurrentException();
    }
}

void TWBContainer::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!BlockRefreshKey) reload();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void TWBContainer::contextMenuEvent(QContextMenuEvent *event) {
    if (!UseCustomCtxMenu) {
        QTextBrowser::contextMenuEvent(event);
        return;
    }
    event->accept();
    if (PopupMenu) PopupMenu->popup(event->globalPos());
}

void TWBContainer::mouseReleaseEvent(QMouseEvent *event) {
    QTextBrowser::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit PageClicked();
}

void TWBClick::Attach(TWBContainer *view) {
    if (!view) return;
    connect(view, &TWBContainer::PageClicked, this, [this] {
        try {
            if (OnClick) OnClick(this);
        } catch (...) {
            ReportCurrentException();
        }
    });
}
