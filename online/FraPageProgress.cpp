#include "online/FraPageProgress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int PanelWidth = 580;

QLabel *BoldLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPixelSize(12);
    label->setFont(f);
    return label;
}

}  // namespace

TFramePageProgress::TFramePageProgress(QWidget *owner)
    : QWidget(owner), PanelProgressSingle(new QWidget(this)),
      LabelProgressSingleHeader(BoldLabel(PanelProgressSingle)), LabelProgressSingle(new QLabel(PanelProgressSingle)),
      ProgressBarSingle(new QProgressBar(PanelProgressSingle)), PanelProgressTotal(new QWidget(this)),
      LabelProgressTotal(BoldLabel(PanelProgressTotal)), ProgressBarTotal(new QProgressBar(PanelProgressTotal)) {
    setObjectName(QStringLiteral("FramePageProgress"));
    PanelProgressSingle->resize(PanelWidth, 52);
    LabelProgressSingleHeader->setGeometry(0, 0, PanelWidth, 16);
    LabelProgressSingle->setGeometry(0, 16, PanelWidth, 16);
    ProgressBarSingle->setGeometry(0, 34, PanelWidth, 17);
    PanelProgressTotal->resize(PanelWidth, 37);
    LabelProgressTotal->setGeometry(0, 0, PanelWidth, 16);
    ProgressBarTotal->setGeometry(0, 19, PanelWidth, 17);
    for (QProgressBar *bar : {ProgressBarSingle, ProgressBarTotal}) {
        bar->setTextVisible(false);
        bar->setValue(0);
    }
    LabelProgressSingle->setTextFormat(Qt::PlainText);
}

void TFramePageProgress::Updated() {
    if (ProcessMessagesOnUpdate) QCoreApplication::processEvents();
}

void TFramePageProgress::SetSingleHeader(const QString &text) {
    LabelProgressSingleHeader->setText(text);
    Updated();
}

void TFramePageProgress::SetSingleText(const QString &text) {
    LabelProgressSingle->setText(text);
    Updated();
}

void TFramePageProgress::SetSingleMax(int value) {
    ProgressBarSingle->setMaximum(value);
    Updated();
}

void TFramePageProgress::SetSinglePosition(int value) {
    ProgressBarSingle->setValue(value);
    Updated();
}

void TFramePageProgress::SetTotalText(const QString &text) {
    LabelProgressTotal->setText(text);
    Updated();
}

void TFramePageProgress::SetTotalMax(int value) {
    ProgressBarTotal->setMaximum(value);
    Updated();
}

void TFramePageProgress::SetTotalPosition(int value) {
    ProgressBarTotal->setValue(value);
    Updated();
}

int TFramePageProgress::GetTotalPosition() const {
    return ProgressBarTotal->value();
}

void TFramePageProgress::ClearTexts() {
    LabelProgressSingleHeader->clear();
    LabelProgressSingle->clear();
    LabelProgressTotal->clear();
}

void TFramePageProgress::ArrangePanels() {
    const int w = width(), h = height();
    PanelProgressSingle->move(w / 2 - PanelProgressSingle->width() / 2, PanelProgressSingle->y());
    PanelProgressTotal->move(w / 2 - PanelProgressTotal->width() / 2, PanelProgressTotal->y());
    const bool single = !PanelProgressSingle->isHidden(), total = !PanelProgressTotal->isHidden();
    if (single && total) {
        PanelProgressSingle->move(PanelProgressSingle->x(), h / 4 - PanelProgressSingle->height() / 2);
        PanelProgressTotal->move(PanelProgressTotal->x(), (h / 4) * 3 - PanelProgressTotal->height() / 2);
    } else if (total) {
        PanelProgressTotal->move(PanelProgressTotal->x(), h / 2 - PanelProgressTotal->height() / 2);
    } else if (single) {
        PanelProgressSingle->move(PanelProgressSingle->x(), h / 2 - PanelProgressSingle->height() / 2);
    }
}

bool TFramePageProgress::event(QEvent *event) {
    if (event->type() == QEvent::ParentChange && parentWidget()) {
        ClearTexts();
        ArrangePanels();
    }
    return QWidget::event(event);
}

void TFramePageProgress::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    ArrangePanels();
}
