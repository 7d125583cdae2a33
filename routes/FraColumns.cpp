#include "routes/FraColumns.h"

#include "base/texts/KvLanguage.h"
#include "routes/FraRoutesTexts.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TColumnDescriptor &TColumnDescList::Add(const QString &caption, int index, int width,
                                        bool required, bool visible) {
    FItems.push_back({caption, index, width, visible, required});
    return FItems.back();
}

TFrameColumns::TFrameColumns(const TColumnDescList &list, int flags, TRestoreDefaults restoreDefaults,
                             QWidget *owner)
    : QWidget(owner), FRestoreDefaults(std::move(restoreDefaults)) {
    FItems.Assign(list);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    FList = new QListWidget(this);
    FList->setAlternatingRowColors(true);
    row->addWidget(FList, 1);
    auto *buttons = new QWidget(this);
    auto *column = new QVBoxLayout(buttons);
    column->setContentsMargins(0, 0, 0, 0);
    FUp = new QToolButton(buttons);
    FDown = new QToolButton(buttons);
    FRestore = new QToolButton(buttons);
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    FRestore->setText(QStringLiteral("\u21BA"));
    // With Restore alone it takes the Up button's place at the top.
    column->addWidget(FUp);
    column->addWidget(FDown);
    column->addWidget(FRestore);
    column->addStretch(1);
    row->addWidget(buttons);
    const bool reorder = flags & ColumnsFlag::Reorder, restore = flags & ColumnsFlag::Restore;
    FUp->setVisible(reorder);
    FDown->setVisible(reorder);
    FRestore->setVisible(restore);
    buttons->setVisible(reorder || restore);
    if (!restore) FRestoreDefaults = nullptr;
    connect(FUp, &QToolButton::clicked, this, [this] { MoveUp(); });
    connect(FDown, &QToolButton::clicked, this, [this] { MoveDown(); });
    connect(FRestore, &QToolButton::clicked, this, [this] { RestoreDefaults(); });
    connect(FList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(FList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (FFilling) return;
        const int r = FList->row(item);
        if (!SetChecked(r, item->checkState() == Qt::Checked)) {
            const QSignalBlocker block(FList);
            item->setCheckState(Qt::Checked);
        }
    });
    Fill();
    if (reorder && FList->count() > 0) FList->setCurrentRow(0);
    UpdateTexts();
    UpdateButtons();
}

void TFrameColumns::UpdateTexts() {
    FUp->setToolTip(LanguageText(RouteText::MoveUp));
    FDown->setToolTip(LanguageText(RouteText::MoveDown));
    FRestore->setToolTip(LanguageText(RouteText::RestoreDefaults));
}

void TFrameColumns::Fill() {
    FFilling = true;
    const int current = FList->currentRow();
    FList->clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        const TColumnDescriptor &d = FItems.Items(i);
        auto *item = new QListWidgetItem(d.Caption, FList);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!d.Required) flags |= Qt::ItemIsUserCheckable;
        item->setFlags(flags);
        item->setCheckState(d.Visible || d.Required ? Qt::Checked : Qt::Unchecked);
    }
    if (current >= 0 && current < FList->count()) FList->setCurrentRow(current);
    FFilling = false;
}

bool TFrameColumns::SetChecked(int row, bool checked) {
    if (row < 0 || row >= FItems.Count()) return false;
    TColumnDescriptor &d = FItems.Items(row);
    if (d.Required && !checked) return false;
    d.Visible = checked;
    if (QListWidgetItem *item = FList->item(row); item && (item->checkState() == Qt::Checked) != checked) {
        FFilling = true;
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        FFilling = false;
    }
    return true;
}

void TFrameColumns::Move(int delta) {
    const int from = FList->currentRow(), to = from + delta;
    if (from < 0 || to < 0 || to >= FItems.Count()) return;
    std::swap(FItems.Items(from), FItems.Items(to));
    Fill();
    FList->setCurrentRow(to);
    UpdateButtons();
}

void TFrameColumns::RestoreDefaults() {
    if (!FRestoreDefaults) return;
    std::vector<TColumnDescriptor> items;
    for (int i = 0; i < FItems.Count(); ++i) {
        TColumnDescriptor d = FItems.Items(i);
        FRestoreDefaults(d.Index, d.Visible, d.Width);
        items.push_back(d);
    }
    std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) { return a.Index < b.Index; });
    FItems.Clear();
    for (const TColumnDescriptor &d : items) FItems.Add(d.Caption, d.Index, d.Width, d.Required, d.Visible);
    Fill();
    UpdateButtons();
}

void TFrameColumns::UpdateButtons() {
    const int r = FList->currentRow();
    FUp->setEnabled(r > 0);
    FDown->setEnabled(r >= 0 && r < FList->count() - 1);
}

void TFrameColumns::GetResult(TColumnDescList &list) const { list.Assign(FItems); }
