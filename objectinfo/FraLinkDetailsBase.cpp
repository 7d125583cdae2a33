#include "objectinfo/FraLinkDetailsBase.h"

#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A link's text as the page wrote it: a local file as its path.
QString SourceText(const QUrl &url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

}  // namespace

// ---- the view -------------------------------------------------------------------------

TLinkDetailsView::TLinkDetailsView(QWidget *parent) : TWBContainer(parent) {}

QVariant TLinkDetailsView::loadResource(int type, const QUrl &name) {
    if (type == QTextDocument::ImageResource && OnPicture) {
        try {
            const QImage image = OnPicture(SourceText(name));
            return image.isNull() ? QVariant() : QVariant(image);
        } catch (...) {
            ReportCurrentException();
            return QVariant();
        }
    }
    return TWBContainer::loadResource(type, name);
}

QString TLinkDetailsView::PictureAt(const QPoint &viewportPos) const {
    const QPointF docPos = viewportPos + QPointF(horizontalScrollBar()->value(),
                                                  verticalScrollBar()->value());
    const int at = document()->documentLayout()->hitTest(docPos, Qt::FuzzyHit);
    if (at < 0) return QString();
    // The character on either side of the hit, whichever is a picture that covers the point.
    for (int pos : {at, at - 1}) {
        if (pos < 0) continue;
        QTextCursor c(document());
        c.setPosition(pos);
        c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        const QTextCharFormat f = c.charFormat();
        if (!f.isImageFormat()) continue;
        const QRect r = cursorRect(c);
        QTextCursor start(document());
        start.setPosition(pos);
        const int left = cursorRect(start).left();
        const int right = cursorRect(c).right();
        const QTextImageFormat image = f.toImageFormat();
        if (viewportPos.x() >= std::min(left, right) - 1 && viewportPos.x() <= std::max(left, right) + 1 &&
            viewportPos.y() >= r.bottom() - int(image.height() > 0 ? image.height() : r.height()) - 2 &&
            viewportPos.y() <= r.bottom() + 2)
            return image.name();
    }
    return QString();
}

bool TLinkDetailsView::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::ToolTip && OnPictureTitle) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString source = PictureAt(help->pos());
        const QString title = source.isEmpty() ? QString() : OnPictureTitle(source);
        if (title.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), title, viewport());
        return true;
    }
    return TWBContainer::viewportEvent(event);
}

// ---- the panel ------------------------------------------------------------------------

TFrameLinkDetailsBase::TFrameLinkDetailsBase(QWidget *dockPanel, TMarivoNavEnv &env, const QString &objectName)
    : TFrameScaled(nullptr), FEnv(env) {
    setObjectName(objectName);
    if (dockPanel) setParent(dockPanel);
    if (INightScreen *ns = NightScreen()) ns->AddModeCallback(&NightModeChanged, this);
}

TFrameLinkDetailsBase::~TFrameLinkDetailsBase() {
    if (INightScreen *ns = NightScreen()) ns->RemoveModeCallback(&NightModeChanged, this);
}

void TFrameLinkDetailsBase::BuildPanel(TLinkDetailsView *view) {
    HTMLViewer = view;
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    AlignmentPanelHTML = new QWidget(this);
    AlignmentPanelHTML->setObjectName(QStringLiteral("AlignmentPanelHTML"));
    auto *alignLayout = new QVBoxLayout(AlignmentPanelHTML);
    alignLayout->setContentsMargins(10, 10, 10, 10);
    PanelHTML = new QFrame(AlignmentPanelHTML);
    PanelHTML->setObjectName(QStringLiteral("PanelHTML"));
    PanelHTML->setFrameShape(QFrame::Box);
    PanelHTML->setBackgroundRole(QPalette::Base);
    PanelHTML->setAutoFillBackground(true);
    auto *panelLayout = new QVBoxLayout(PanelHTML);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    view->setParent(PanelHTML);
    view->setObjectName(QStringLiteral("HTMLViewer"));
    view->SetShow3DBorder(false);
    view->SetAllowTextSelection(true);
    panelLayout->addWidget(view);
    alignLayout->addWidget(PanelHTML);
    outer->addWidget(AlignmentPanelHTML, 1);

    AlignmentPanelHelp = new QWidget(this);
    AlignmentPanelHelp->setObjectName(QStringLiteral("AlignmentPanelHelp"));
    AlignmentPanelHelp->setFixedHeight(35);
    auto *buttons = new QHBoxLayout(AlignmentPanelHelp);
    buttons->setContentsMargins(10, 0, 10, 10);
    ButtonHelp = new QPushButton(AlignmentPanelHelp);
    ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
    ButtonHelp->setFixedSize(100, 25);
    ButtonHelp->setEnabled(false);
    ButtonNavigateTo = new QPushButton(AlignmentPanelHelp);
    ButtonNavigateTo->setObjectName(QStringLiteral("ButtonNavigateTo"));
    ButtonNavigateTo->setFixedSize(100, 25);
    ButtonNavigateTo->setVisible(false);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonNavigateTo);
    outer->addWidget(AlignmentPanelHelp);
    // Ctrl+C copies the selection (the view's own shortcut covers focus in the view; this
    // one the buttons).
    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, view, [view] { view->copy(); });
    addAction(copy);
}

void TFrameLinkDetailsBase::NightModeChanged(void *data, int32_t, int32_t) {
    // Pictures are converted as they load: load the page again.
    auto *self = static_cast<TFrameLinkDetailsBase *>(data);
    try {
        self->LoadPage(self->FPage, self->HTMLViewer->verticalScrollBar()->value());
    } catch (...) {
        ReportCurrentException();
    }
}
