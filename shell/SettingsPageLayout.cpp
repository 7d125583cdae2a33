#include "shell/SettingsPageLayout.h"

#include "base/controls/KvControls.h"
#include "base/controls/KvEdits.h"
#include "shell/FrmSettingsCommon.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

TSettingsPageLayout::TSettingsPageLayout(QWidget *page) : FPage(page), FGrid(new QGridLayout(page)) {
    FGrid->setContentsMargins(4, 0, 4, 4);
    FGrid->setColumnStretch(2, 1);
}

QLabel *TSettingsPageLayout::Heading(const TLanguageStrings &text) {
    auto *label = SettingsHeading(FPage);
    label->setText(LanguageText(text));
    const int row = FGrid->rowCount();
    if (row > 0) FGrid->setRowMinimumHeight(row, 8);
    FGrid->addWidget(label, row + (row > 0 ? 1 : 0), 0, 1, 3);
    return label;
}

void TSettingsPageLayout::Wide(QWidget *control, int indent) {
    const int row = FGrid->rowCount();
    if (indent <= 0) {
        FGrid->addWidget(control, row, 0, 1, 3);
        return;
    }
    auto *box = new QHBoxLayout;
    box->addSpacing(indent);
    box->addWidget(control, 1);
    FGrid->addLayout(box, row, 0, 1, 3);
}

QLabel *TSettingsPageLayout::Row(const QString &caption, QWidget *control, QWidget *extra,
                                 QWidget *extra2) {
    const int row = FGrid->rowCount();
    auto *label = new QLabel(caption, FPage);
    FGrid->addWidget(label, row, 0);
    auto *box = new QHBoxLayout;
    box->addWidget(control);
    if (extra) box->addWidget(extra);
    if (extra2) box->addWidget(extra2);
    box->addStretch(1);
    FGrid->addLayout(box, row, 1, 1, 2);
    return label;
}

QLabel *TSettingsPageLayout::Row(const TLanguageStrings &caption, QWidget *control, QWidget *extra,
                                 QWidget *extra2) {
    return Row(ColonCaption(caption), control, extra, extra2);
}

void TSettingsPageLayout::Finish() {
    FGrid->setRowStretch(FGrid->rowCount(), 1);
}

TTrackBarEx *SettingsTrackBar(QWidget *page, int min, int max, int tickInterval) {
    auto *bar = new TTrackBarEx(Qt::Horizontal, page);
    bar->ClickMethod = tecmSetPosition;
    bar->setRange(min, max);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(tickInterval);
    bar->setFixedWidth(160);
    return bar;
}

QLabel *SettingsValueLabel(QWidget *page) {
    auto *label = new QLabel(page);
    label->setMinimumWidth(36);
    return label;
}

TNumberEdit *SettingsIntEdit(QWidget *page, int min, int max, int value) {
    auto *edit = new TNumberEdit(page);
    edit->SetMin(min);
    edit->SetMax(max);
    edit->SetIntValue(value);
    edit->setMaximumWidth(60);
    return edit;
}
