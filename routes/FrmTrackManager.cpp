#include "routes/FrmTrackManager.h"

#include "base/controls/KvControls.h"
#include "base/controls/MarivoListViewPopup.h"
#include "base/dialogs/FrmMsg.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvColors.h"
#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/KvMapiMail.h"
#include "routes/DialogParts.h"
#include "routes/TrackManagerModel.h"
#include "routes/RouteManagerTexts.h"
#include "routes/TrackManagerTexts.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavBoat.h>

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

namespace C = TrackColumn;
namespace T = TrackManagerText;
constexpr int32_t HelpContext = 15001;
const QString SortKey = QStringLiteral("Tracks");
constexpr int Margin = 4;

TFormTrackManager::TPrompter &Prompter() {
    static TFormTrackManager::TPrompter prompter;
    return prompter;
}

TFormTrackManager::TColorPicker &ColorPicker() {
    static TFormTrackManager::TColorPicker picker = [](QColor &colour, QWidget *owner) {
        const QColor c = QColorDialog::getColor(colour, owner);
        if (!c.isValid()) return false;
        colour = c;
        return true;
    };
    return picker;
}

// The gloss drawn over a colour square: light at the top, a dark rim.
QImage ColorOverlayImage() {
    QImage image(11, 11, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawRect(0, 0, 10, 10);
    p.fillRect(QRect(1, 1, 9, 4), QColor(255, 255, 255, 90));
    return image;
}

void Report(const QString &text) { MsgBox(text, mtError, MsgButtons({mbOK})); }

}  // namespace

// ---- Drawing ----------------------------------------------------------------------------

class TFormTrackManager::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormTrackManager *form) : QStyledItemDelegate(form), FForm(form) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const TTrackNodeData *n = FForm->Model()->Row(index.row());
        if (!n) return;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &pal = option.palette;
        if (selected) p->fillRect(option.rect, pal.highlight());
        else if (index.row() % 2 == 1 && !NightScreen()->IsActive()) p->fillRect(option.rect, TColorToColor(AlternateRowColor));
        const int column = index.column();
        if (column == C::Visible) {
            if (n->Error == 0) {
                TCheckCell cell;
                cell.Type = TCheckType::CheckBox;
                cell.State = n->Checked ? TCheckState::Checked : TCheckState::Unchecked;
                DrawCheckBoxCell(*p, cell, option.rect);
            }
        } else {
            QRect text = option.rect.adjusted(Margin, 0, -Margin, 0);
            if (column == C::Name) {
                const QRect square(option.rect.left() + Margin, option.rect.top() + (option.rect.height() - 11) / 2, 11, 11);
                p->fillRect(square, TColorToColor(NightScreen()->ConvertColor(n->Color)));
                p->drawImage(square.topLeft(), FForm->ColorOverlay());
                text.setLeft(square.right() + 1 + Margin);
            }
            p->save();
            p->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
            const QColor grey = pal.color(QPalette::Mid);
            const bool greyed = (column == C::Name && n->Error != 0) ||
                                ((column == C::StartTime || column == C::Duration) && !n->HasTimes && n->Error == 0) ||
                                ((column == C::Distance || column == C::Speed) && n->Distance == -1.0);
            if (greyed && !selected) p->setPen(grey);
            if (column == C::StartTime && n->Error != 0 && !selected) {
                QFont f = p->font();
                f.setPointSize(7);
                f.setBold(true);
                p->setFont(f);
                p->setPen(TColorToColor(NightScreen()->ConvertColor(0x0000FF)));
            }
            const int align = index.data(Qt::TextAlignmentRole).toInt();
            p->drawText(text, align | Qt::TextSingleLine,
                        p->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, text.width()));
            p->restore();
        }
        DrawRowSeparator(*p, option.rect);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 22);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(255);
        return edit;
    }

    bool editorEvent(QEvent *e, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override {
        if (index.column() == C::Visible && e->type() >= QEvent::MouseButtonPress && e->type() <= QEvent::MouseMove)
            return false;
        return QStyledItemDelegate::editorEvent(e, model, option, index);
    }

private:
    TFormTrackManager *FForm;
};

// ---- Creation ---------------------------------------------------------------------------

TFormTrackManager::TFormTrackManager(TMarivoNavEnv &env, QWidget *owner)
    : TFormScaled(owner), FEnv(env), FModel(new TTrackManagerModel(env, this)) {
    setObjectName(QStringLiteral("FormTrackManager"));
    BuildLayout();
    NightScreenAddImage(NightScreen(), ImageInformation);
    if (INavTrack *recording = env.Boat ? env.Boat->GetTrack() : nullptr) FRecording = NavTrackGetFileName(recording);
    FOverlay = ColorOverlayImage();
    if (NightScreen()->IsActive()) NightScreenConvertPNG(NightScreen(), FOverlay);
    LoadSort();
    ListPopup = new TListViewPopup(false, ListView, this);
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { ListPopup->popup(ListView->viewport()->mapToGlobal(pos)); });
    FModel->OnRename = [this](TTrackNodeData &n, const QString &name) { Rename(n, name); };
    FModel->Fill(FRecording);
    UpdateButtons();
    resize(684, 464);
    setMinimumSize(692 - 16, 498 - 34);
    ScaleConstraints();
}

TFormTrackManager::~TFormTrackManager() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
    ListView->setModel(nullptr);
}

void TFormTrackManager::BuildLayout() {
    setWindowTitle(LanguageText(T::Caption));
    PanelInformation = NewInfoBand(this, mtInformation, true, ImageInformation, LabelInformation);
    LabelInformation->setText(LanguageText(T::Information));
    ListView = NewCheckList(this, FModel, new TDelegate(this), this, {75, 180, 125, 80, 80, 80});
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        // The visible column does not sort; the sort column again reverses; another keeps the direction.
        if (column == C::Visible) {
        } else if (column == FModel->SortColumn()) {
            FModel->sort(column, FModel->SortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
        } else {
            FModel->sort(column, FModel->SortOrder());
        }
        ListView->header()->setSortIndicator(FModel->SortColumn(), FModel->SortOrder());
    });

    ButtonFind = new QPushButton(LanguageText(RouteManagerText::Find), this);
    ButtonEMail = new QPushButton(LanguageText(T::EMail), this);
    ButtonDelete = new QPushButton(LanguageText(RouteManagerText::Delete), this);
    ButtonHelp = new QPushButton(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"), this);
    ButtonClose = new QPushButton(LanguageText(RouteManagerText::Close), this);
    ButtonClose->setDefault(true);
    auto *actions = new QHBoxLayout;
    actions->addWidget(ButtonFind);
    actions->addStretch(1);
    actions->addWidget(ButtonEMail);
    actions->addWidget(ButtonDelete);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ButtonHelp);
    bottom->addStretch(1);
    bottom->addWidget(ButtonClose);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PanelInformation);
    main->addWidget(ListView, 1);
    main->addLayout(actions);
    main->addLayout(bottom);

    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] { UpdateButtons(); });
    connect(ButtonFind, &QPushButton::clicked, this, [this] { FindTrack(); });
    connect(ButtonEMail, &QPushButton::clicked, this, [this] { MailTracks(); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { DeleteTracks(); });
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
}

void TFormTrackManager::LoadSort() {
    int column = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, SortKey, RegName(u"SortColumn"), 2);
    if (column < 1 || column > 5) column = 2;
    int direction = RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, SortKey, RegName(u"SortDirection"), 1);
    if (direction < 0 || direction > 1) direction = 1;
    const Qt::SortOrder order = direction == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    FModel->sort(column, order);
    ListView->header()->setSortIndicator(column, order);
}

void TFormTrackManager::StoreSort() {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, SortKey, RegName(u"SortColumn"), FModel->SortColumn(), err);
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, SortKey, RegName(u"SortDirection"),
                    FModel->SortOrder() == Qt::AscendingOrder ? 0 : 1, err);
}

// ---- Selection and buttons ----------------------------------------------------------------

std::vector<TTrackNodeData *> TFormTrackManager::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex &i : ListView->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    std::vector<TTrackNodeData *> nodes;
    for (int r : rows) nodes.push_back(FModel->Row(r));
    return nodes;
}

void TFormTrackManager::UpdateButtons() {
    const std::vector<TTrackNodeData *> selected = SelectedRows();
    const bool anyError = std::any_of(selected.begin(), selected.end(), [](TTrackNodeData *n) { return n->Error != 0; });
    ButtonFind->setEnabled(selected.size() == 1 && !anyError);
    ButtonDelete->setEnabled(!selected.empty());
    ButtonEMail->setEnabled(!selected.empty() && !anyError);
}

// ---- Renaming and colours -------------------------------------------------------------

bool TFormTrackManager::RewriteTrack(const QString &file, const std::function<void(INavTrack *track)> &change) {
    int32_t err = 0;
    INavTrack *track = NavTrackCreateFromFile(file, err);
    if (!track || err != 0) {
        ObjectDelete(track);
        Report(ErrorToStrA(err ? err : KvErr::Failed));
        return false;
    }
    change(track);
    NavTrackSaveToFile(track, file, err);
    ObjectDelete(track);
    if (err != 0) {
        Report(LanguageText(T::SaveFailed) + u'\n' + ErrorToStrA(err));
        return false;
    }
    return true;
}

// The row shows what the file holds: a change the file refused is taken back.
void TFormTrackManager::Rename(TTrackNodeData &node, const QString &name) {
    if (RewriteTrack(node.FileName, [&name](INavTrack *t) { NavTrackSetName(t, name); })) node.Name = name;
    FModel->RowChanged(&node);
    FModel->Resort();
}

void TFormTrackManager::Recolor(TTrackNodeData &node, const QColor &colour) {
    const TColor c = ColorToTColor(colour);
    if (RewriteTrack(node.FileName, [c](INavTrack *t) { t->SetColor(ColorToBGRA(c, 255)); })) node.Color = c;
    FModel->RowChanged(&node);
}

QRect TFormTrackManager::ColorSquare(const QRect &cell) const {
    return QRect(cell.left() + Margin - 1, cell.top() + (cell.height() - 13) / 2, 13, 13);
}

void TFormTrackManager::MouseUp(const QPoint &pos) {
    const QModelIndex index = ListView->indexAt(pos);
    if (!index.isValid()) return;
    if (index.column() == C::Visible) {
        ToggleCheckBoxCellAt(ListView, pos.x(), pos.y());
        return;
    }
    TTrackNodeData *n = FModel->Row(index.row());
    if (index.column() != C::Name || !n || n->Error != 0 || !ColorSquare(ListView->visualRect(index)).contains(pos)) return;
    QColor colour = TColorToColor(n->Color);
    if (ColorPicker()(colour, this)) Recolor(*n, colour);
}

bool TFormTrackManager::eventFilter(QObject *watched, QEvent *e) {
    if (watched == ListView->viewport()) {
        if (e->type() == QEvent::MouseButtonRelease)
            MouseUp(static_cast<QMouseEvent *>(e)->position().toPoint());
        else if (e->type() == QEvent::MouseMove)
            ListView->viewport()->update();
    }
    return TFormScaled::eventFilter(watched, e);
}

// ---- Commands ---------------------------------------------------------------------------

void TFormTrackManager::DeleteTracks() {
    const std::vector<TTrackNodeData *> selected = SelectedRows();
    if (selected.empty()) return;
    {
        TFormMsg confirm(3, true, this);
        confirm.SetCaption(LanguageText(T::DeleteCaption));
        confirm.SetMessage(LanguageText(T::DeleteMessage));
        confirm.SetColumnTitle(LanguageText(T::DeleteColumn));
        confirm.SetQuestion(LanguageText(T::DeleteQuestion));
        for (TTrackNodeData *n : selected) confirm.AddMessage(FModel->Text(*n, C::Name), QString());
        if (!confirm.Execute()) return;
    }
    std::vector<TTrackNodeData *> gone;
    for (TTrackNodeData *n : selected) {
        // Only a file that is really gone leaves the list; a failure is named and kept.
        if (!QFile::remove(n->FileName) && QFileInfo::exists(n->FileName)) {
            Report(LanguageText(T::DeleteFailed).arg(QFileInfo(n->FileName).fileName()));
            continue;
        }
        if (!FDeleted.contains(n->FileName)) FDeleted << n->FileName;
        gone.push_back(n);
    }
    FDeleted.sort();
    ListView->selectionModel()->clearSelection();
    FModel->RemoveRows(gone);
    UpdateButtons();
}

void TFormTrackManager::MailTracks() {
    TMAPIMail mail;
    mail.ShowDialog = true;
    mail.Subject = LanguageText(T::MailSubject);
    mail.Body << LanguageText(T::MailBody);
    for (TTrackNodeData *n : SelectedRows()) mail.Attachments << n->FileName;
    if (const int result = mail.Send())
        Report(LanguageText(T::MailFailed) + u'\n' + TMAPIMail::ErrorText(result));
    UpdateButtons();
}

void TFormTrackManager::FindTrack() {
    const std::vector<TTrackNodeData *> selected = SelectedRows();
    if (selected.size() != 1) return;
    FChosen = selected.front()->FileName;
    accept();
}

void TFormTrackManager::ApplyVisibility() {
    INavTrackList *list = FEnv.TrackList;
    if (!list) return;
    for (int i = int(FDeleted.size()) - 1; i >= 0; --i)
        if (const int at = TrackListIndexOf(FEnv, FDeleted[i]); at >= 0) list->Delete(at);
    for (const auto &row : FModel->Rows()) {
        if (row->Error != 0) continue;
        const int at = TrackListIndexOf(FEnv, row->FileName);
        if (row->Checked && at < 0) {
            int32_t err = 0;
            INavTrack *track = NavTrackCreateFromFile(row->FileName, err);
            if (track && err == 0) list->Add(track);
            else ObjectDelete(track);
        } else if (row->Checked) {
            auto *track = static_cast<INavTrack *>(list->GetItem(at));
            NavTrackSetName(track, row->Name);
            track->SetColor(ColorToBGRA(row->Color, 255));
            track->SetWidth(row->Width);
        } else if (at >= 0) {
            list->Delete(at);
        }
    }
}

TFormTrackManager::TPrompter TFormTrackManager::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

TFormTrackManager::TColorPicker TFormTrackManager::SetColorPicker(TColorPicker picker) {
    return std::exchange(ColorPicker(), std::move(picker));
}

INavTrack *TFormTrackManager::Execute(TMarivoNavEnv &env, QWidget *owner) {
    QString chosen;
    {
        TFormTrackManager form(env, owner);
        if (Prompter())
            Prompter()(form);
        else
            form.exec();
        form.StoreSort();
        form.ApplyVisibility();
        chosen = form.ChosenFile();
    }
    if (chosen.isEmpty() || !QFileInfo::exists(chosen) || !env.TrackList) return nullptr;
    if (const int at = TrackListIndexOf(env, chosen); at >= 0) return static_cast<INavTrack *>(env.TrackList->GetItem(at));
    int32_t err = 0;
    INavTrack *track = NavTrackCreateFromFile(chosen, err);
    if (!track || err != 0) {
        ObjectDelete(track);
        Report(ErrorToStrA(err ? err : KvErr::Failed));
        return nullptr;
    }
    env.TrackList->Add(track);
    return track;
}
