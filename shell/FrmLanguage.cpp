#include "shell/FrmLanguage.h"

#include "base/kvlib/KvProgInfo.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"

#include <KvLibNav6/KvLanguage.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int RowHeight = 28;
const QSize FlagSize(24, 16);
constexpr int LanguageRole = Qt::UserRole;

// Highlight frame for the row under the mouse and frame plus fill for the selected row;
// the fill is the highlight colour blended over the row (85 of 255 selected, 25 hovered).
class TLanguageDelegate : public QStyledItemDelegate {
public:
    explicit TLanguageDelegate(TFormLanguage *form) : QStyledItemDelegate(form), FForm(form) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(RowHeight);
        return s;
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override {
        const int32_t language = index.data(LanguageRole).toInt();
        const bool selected = language == FForm->SelectedLanguage();
        const bool hovered = !selected && language == FForm->HoveredLanguage();
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, option.palette.color(QPalette::Base));
        if (selected || hovered) {
            QColor highlight = option.palette.color(QPalette::Highlight);
            QColor fill = highlight;
            fill.setAlpha(selected ? 85 : 25);
            p->fillRect(r.adjusted(1, 1, -1, -1), fill);
            p->setPen(highlight);
            p->drawRect(r.adjusted(1, 1, -2, -2));
        }
        const QPixmap flag = index.data(Qt::DecorationRole).value<QPixmap>();
        const QPoint flagAt(r.left() + 6, r.top() + (r.height() - FlagSize.height()) / 2);
        p->drawPixmap(flagAt, flag);
        p->setPen(option.palette.color(QPalette::Text));
        p->setFont(option.font);
        const QRect text(flagAt.x() + FlagSize.width() + 8, r.top(),
                         r.right() - flagAt.x() - FlagSize.width() - 8, r.height());
        p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
        p->restore();
    }

private:
    TFormLanguage *FForm;
};

void DrawStripes(QPainter &p, const QRect &r, std::initializer_list<QColor> colours,
                 bool vertical, std::initializer_list<int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    int done = 0;
    auto weight = weights.begin();
    for (const QColor &c : colours) {
        const int from = done * (vertical ? r.width() : r.height()) / total;
        done += *weight++;
        const int to = done * (vertical ? r.width() : r.height()) / total;
        if (vertical)
            p.fillRect(QRect(r.left() + from, r.top(), to - from, r.height()), c);
        else
            p.fillRect(QRect(r.left(), r.top() + from, r.width(), to - from), c);
    }
}

// A cross whose vertical bar stands left of the centre, as on the Nordic flags.
void DrawNordicCross(QPainter &p, const QRect &r, const QColor &field, const QColor &cross) {
    p.fillRect(r, field);
    const int bar = qMax(2, r.height() / 5);
    const int x = r.left() + r.width() * 3 / 8 - bar / 2;
    p.fillRect(QRect(x, r.top(), bar, r.height()), cross);
    p.fillRect(QRect(r.left(), r.top() + (r.height() - bar) / 2, r.width(), bar), cross);
}

void DrawUnionFlag(QPainter &p, const QRect &r) {
    p.fillRect(r, QColor(0x01, 0x21, 0x69));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QLineF d1(r.topLeft(), r.bottomRight() + QPoint(1, 1));
    const QLineF d2(r.bottomLeft() + QPoint(0, 1), r.topRight() + QPoint(1, 0));
    p.setPen(QPen(Qt::white, r.height() / 4.0));
    p.drawLine(d1);
    p.drawLine(d2);
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), r.height() / 10.0));
    p.drawLine(d1);
    p.drawLine(d2);
    p.restore();
    const int white = qMax(3, r.height() / 3), red = qMax(1, r.height() / 5);
    p.fillRect(QRect(r.left() + (r.width() - white) / 2, r.top(), white, r.height()), Qt::white);
    p.fillRect(QRect(r.left(), r.top() + (r.height() - white) / 2, r.width(), white), Qt::white);
    const QColor redColour(0xC8, 0x10, 0x2E);
    p.fillRect(QRect(r.left() + (r.width() - red) / 2, r.top(), red, r.height()), redColour);
    p.fillRect(QRect(r.left(), r.top() + (r.height() - red) / 2, r.width(), red), redColour);
}

}  // namespace

QPixmap LanguageFlag(int32_t language, const QSize &size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QRect r(QPoint(0, 0), size);
    switch (language) {
    case KvLang::English: DrawUnionFlag(p, r); break;
    case KvLang::Dutch:
        DrawStripes(p, r, {QColor(0xAE, 0x1C, 0x28), Qt::white, QColor(0x21, 0x46, 0x8B)}, false,
                    {1, 1, 1});
        break;
    case KvLang::German:
        DrawStripes(p, r, {Qt::black, QColor(0xDD, 0x00, 0x00), QColor(0xFF, 0xCE, 0x00)}, false,
                    {1, 1, 1});
        break;
    case KvLang::French:
        DrawStripes(p, r, {QColor(0x00, 0x55, 0xA4), Qt::white, QColor(0xEF, 0x41, 0x35)}, true,
                    {1, 1, 1});
        break;
    case KvLang::Spanish:
        DrawStripes(p, r, {QColor(0xAA, 0x15, 0x1B), QColor(0xF1, 0xBF, 0x00),
                           QColor(0xAA, 0x15, 0x1B)},
                    false, {1, 2, 1});
        break;
    case KvLang::Italian:
        DrawStripes(p, r, {QColor(0x00, 0x92, 0x46), Qt::white, QColor(0xCE, 0x2B, 0x37)}, true,
                    {1, 1, 1});
        break;
    case KvLang::Danish: DrawNordicCross(p, r, QColor(0xC8, 0x10, 0x2E), Qt::white); break;
    case KvLang::Swedish:
        DrawNordicCross(p, r, QColor(0x00, 0x6A, 0xA7), QColor(0xFE, 0xCC, 0x00));
        break;
    default: return pixmap;
    }
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    return pixmap;
}

int32_t SystemLanguageNumber() {
    switch (QLocale::system().language()) {
    case QLocale::Danish: return KvLang::Danish;
    case QLocale::German: return KvLang::German;
    case QLocale::English: return KvLang::English;
    case QLocale::Spanish: return KvLang::Spanish;
    case QLocale::French: return KvLang::French;
    case QLocale::Italian: return KvLang::Italian;
    case QLocale::Dutch: return KvLang::Dutch;
    case QLocale::Swedish: return KvLang::Swedish;
    default: return 0;
    }
}

TFormLanguage::TFormLanguage(uint32_t available, int32_t language, int32_t systemLanguage,
                             QWidget *parent)
    : TFormScaled(parent), ListView(new QListWidget(this)), ButtonOK(new QPushButton(this)),
      ButtonCancel(new QPushButton(this)) {
    setWindowTitle(ProgInfoGetTitle());
    ListView->setItemDelegate(new TLanguageDelegate(this));
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setUniformItemSizes(true);
    ListView->setMouseTracking(true);
    ListView->viewport()->installEventFilter(this);
    for (int32_t n = KvLang::First; n <= KvLang::Last; ++n) {
        if (!InLanguages(n, available)) continue;
        auto *item = new QListWidgetItem(LanguageToStrLocalA(n), ListView);
        item->setData(LanguageRole, n);
        item->setData(Qt::DecorationRole, LanguageFlag(n, FlagSize));
    }
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView, &QListWidget::itemSelectionChanged, this, &TFormLanguage::SelectionChanged);
    connect(ListView, &QListWidget::itemDoubleClicked, this, &TFormLanguage::ItemDoubleClicked);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView);
    layout->addLayout(buttons);
    const int rows = qMax(1, ListView->count());
    ListView->setMinimumHeight(qMin(rows, 8) * RowHeight + 2 * ListView->frameWidth());
    setMinimumWidth(260);

    SelectionChanged();
    Select(systemLanguage);
    Select(language);
    ScaleConstraints();
}

void TFormLanguage::Select(int32_t language) {
    for (int i = 0; i < ListView->count(); ++i) {
        QListWidgetItem *item = ListView->item(i);
        if (item->data(LanguageRole).toInt() != language) continue;
        ListView->setCurrentItem(item);
        item->setSelected(true);
        ListView->setFocus();
        return;
    }
}

void TFormLanguage::SelectionChanged() {
    const QList<QListWidgetItem *> selected = ListView->selectedItems();
    FSelected = selected.isEmpty() ? 0 : selected.first()->data(LanguageRole).toInt();
    // Nothing selected: the buttons speak English.
    const int32_t shown = FSelected ? FSelected : KvLang::English;
    ButtonOK->setText(LanguageTextIn(KvStr::BtnOK, shown));
    ButtonCancel->setText(LanguageTextIn(KvStr::BtnCancel, shown));
    ButtonOK->setEnabled(FSelected != 0);
    ListView->viewport()->update();
}

void TFormLanguage::ItemDoubleClicked(QListWidgetItem *) {
    if (FSelected != 0) accept();
}

void TFormLanguage::SetHovered(int32_t language) {
    if (language == FHovered) return;
    FHovered = language;
    ListView->viewport()->update();
}

bool TFormLanguage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ListView->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const QListWidgetItem *item =
                ListView->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            SetHovered(item ? item->data(LanguageRole).toInt() : 0);
        } else if (event->type() == QEvent::Leave) {
            SetHovered(0);
        }
    }
    return TFormScaled::eventFilter(watched, event);
}

TFormLanguage::TPrompter &TFormLanguage::Prompter() {
    static TPrompter prompter;
    return prompter;
}

TFormLanguage::TPrompter TFormLanguage::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool ChooseLanguage(uint32_t available, int32_t &language) {
    TFormLanguage form(available, language, SystemLanguageNumber());
    const int result = TFormLanguage::Prompter() ? TFormLanguage::Prompter()(form) : form.exec();
    if (result != QDialog::Accepted || form.SelectedLanguage() == 0) return false;
    language = form.SelectedLanguage();
    return true;
}
