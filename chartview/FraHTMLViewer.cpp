#include "chartview/FraHTMLViewer.h"

#include "base/web/KvWBContainer.h"
#include "chartview/KvPackedHTML.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QVBoxLayout>

TFrameHTMLViewer::TFrameHTMLViewer(QDockWidget *panel, const QString &folder)
    : TFrameScaled(panel), FPanel(panel), FFolder(QDir(folder).absolutePath()) {
    setObjectName(QStringLiteral("FrameHTMLViewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    View = new TWBContainer(this);
    layout->addWidget(View);
    // Pages come from chart files: only documents of the unpacked page open, without asking;
    // everything else local is refused (web links follow the view's policy).
    View->ConfirmOpenFile = [this](const QString &file) { return MayOpenFile(file); };
    if (FPanel) FPanel->setWidget(this);
}

bool TFrameHTMLViewer::MayOpenFile(const QString &file) const {
    static const QStringList documents = {"html", "htm", "pdf", "png", "jpg", "gif", "txt"};
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(file));
    return clean.startsWith(FFolder + u'/') && documents.contains(QFileInfo(clean).suffix().toLower());
}

void TFrameHTMLViewer::ShowPackedFile(const QString &fileName) {
    View->LoadFromString(QString());
    if (QFileInfo::exists(fileName)) {
        UnpackFiles(fileName, FFolder);
        const QString page = FFolder + u'/' + QFileInfo(fileName).completeBaseName() + QStringLiteral(".html");
        if (QFileInfo::exists(page)) View->NavigateFile(page);
    }
    ShowWindow();
}

void TFrameHTMLViewer::ShowText(const QString &text, bool monospace) {
    QString html;
    for (const QString &line : QString(text).remove(u'\r').split(u'\n'))
        html += line.toHtmlEscaped() + QStringLiteral("<br />");
    if (monospace) html = QStringLiteral("<p style=\"font-family: monospace; font-size: 8pt\">") + html + QStringLiteral("</p>");
    View->LoadFromString(html);
    ShowWindow();
}

void TFrameHTMLViewer::SetCaption(const QString &text) {
    if (FPanel) FPanel->setWindowTitle(text);
}

void TFrameHTMLViewer::ShowWindow() {
    if (!FPanel) return;
    FPanel->setFloating(true);
    FPanel->show();
    FPanel->raise();
    FPanel->activateWindow();
    View->setFocus();
}
