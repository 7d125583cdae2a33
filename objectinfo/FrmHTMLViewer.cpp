#include "objectinfo/FrmHTMLViewer.h"

#include "base/texts/KvStr.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

TFormHTMLViewer::TPrompter &Prompter() {
    static TFormHTMLViewer::TPrompter prompter;
    return prompter;
}

}  // namespace

THTMLViewerView::THTMLViewerView(QWidget *parent) : TWBContainer(parent) {}

QVariant THTMLViewerView::loadResource(int type, const QUrl &name) {
    if (type != QTextDocument::ImageResource) return TWBContainer::loadResource(type, name);
    const QString file = name.isLocalFile() ? name.toLocalFile() : name.toString();
    if (!QFileInfo(file).isFile()) return QVariant();
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? QVariant() : QVariant(image);
}

TFormHTMLViewer::TFormHTMLViewer(TMarivoNavEnv *env, const QString &page, const QString &caption)
    : TFormScaled(nullptr), FEnv(env) {
    setObjectName(QStringLiteral("FormHTMLViewer"));
    resize(566, 414);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    PanelContents = new QWidget(this);
    PanelContents->setObjectName(QStringLiteral("PanelContents"));
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(10, 10, 10, 10);
    HTMLViewer = new THTMLViewerView(PanelContents);
    HTMLViewer->setObjectName(QStringLiteral("HTMLViewer"));
    HTMLViewer->setFrameShape(QFrame::Box);
    HTMLViewer->SetAllowTextSelection(false);
    contents->addWidget(HTMLViewer);
    outer->addWidget(PanelContents, 1);

    PanelButtons = new QWidget(this);
    PanelButtons->setObjectName(QStringLiteral("PanelButtons"));
    PanelButtons->setFixedHeight(30);
    auto *buttons = new QHBoxLayout(PanelButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    PanelButtonsRight = new QWidget(PanelButtons);
    PanelButtonsRight->setObjectName(QStringLiteral("PanelButtonsRight"));
    PanelButtonsRight->setFixedWidth(110);
    ButtonClose = new QPushButton(PanelButtonsRight);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    ButtonClose->setGeometry(0, 0, 100, 25);
    ButtonClose->setText(LanguageText(KvStr::BtnClose));
    // Close is both the default and the cancel button: Enter and Escape close.
    ButtonClose->setDefault(true);
    ButtonClose->setAutoDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(PanelButtonsRight);
    outer->addWidget(PanelButtons);

    setWindowTitle(caption);
    LoadPage(page, 0);
    ScaleConstraints();
}

void TFormHTMLViewer::LoadPage(const QString &page, int scrollPosition) {
    HTMLViewer->LoadFromString(page);
    HTMLViewer->verticalScrollBar()->setValue(scrollPosition);
}

TFormHTMLViewer::TPrompter TFormHTMLViewer::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormHTMLViewer::Execute(TMarivoNavEnv *env, const QString &caption, const QString &page) {
    TFormHTMLViewer form(env, page, caption);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}
