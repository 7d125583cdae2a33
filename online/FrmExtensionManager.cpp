#include "online/FrmExtensionManager.h"

#include "base/controls/KvControls.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoDraw.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString ExtensionKey = QStringLiteral("Extension");

const TLanguageStrings SCaption = {"Extensions", "Extensies", "Erweiterungen", "Extensions",
                                   "Extensiones", "Estensioni", "Udvidelser", "Till\u00E4gg"};
const TLanguageStrings SInformation = {
    "Available and enabled extensions", "Beschikbare en ingeschakelde extensies",
    "Verf\u00FCgbare und aktivierte Erweiterungen", "Extensions disponibles et activ\u00E9es",
    "Extensiones disponibles y activadas", "Estensioni disponibili e attivate",
    "Tilg\u00E6ngelige og aktiverede udvidelser", "Tillg\u00E4ngliga och aktiverade till\u00E4gg"};
const TLanguageStrings SEnabled = {"Enabled", "Ingeschakeld", "Aktiviert", "Activ\u00E9e",
                                   "Activada", "Attivata", "Aktiveret", "Aktiverad"};
const TLanguageStrings SName = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings SInfo = {"Info", "Info", "Info", "Info", "Info", "Info", "Info", "Info"};
const TLanguageStrings SUpdates = {"updates", "updates", "Aktualisierungen", "mises \u00E0 jour",
                                   "actualizaciones", "aggiornamenti", "opdateringer", "uppdateringar"};
const TLanguageStrings SInlandEncService = {
    "Inland ENC update service", "Inland ENC-updateservice", "Inland-ENC-Aktualisierungsdienst",
    "Service de mise \u00E0 jour Inland ENC", "Servicio de actualizaci\u00F3n Inland ENC",
    "Servizio di aggiornamento Inland ENC", "Inland ENC-opdateringstjeneste", "Inland ENC-uppdateringstj\u00E4nst"};
// The same words in every language, as the maker's pages say it.
const QString SMoreInfo = QStringLiteral("Meer info");

constexpr int RowHeight = 22;

// The extensions of this program: id (the settings value the program asks), key of the
// maker's information page, name.
struct TCatalogueEntry {
    const char *Id;
    const char *InfoKey;
    const TLanguageStrings *Name;
};
const TCatalogueEntry Catalogue[] = {
    {"KVIENC_SERVICE_GEN", "marivoiencservice", &SInlandEncService},
};

TFormExtensionManager::TPrompter &Prompter() {
    static TFormExtensionManager::TPrompter prompter;
    return prompter;
}

TFormExtensionManager::TOpener &Opener() {
    static TFormExtensionManager::TOpener opener;
    return opener;
}

}  // namespace

std::vector<TExtensionRow> ExtensionCatalogue(const TMarivoNavEnv &env) {
    std::vector<TExtensionRow> rows;
    for (const TCatalogueEntry &e : Catalogue) {
        TExtensionRow row;
        row.Id = QString::fromLatin1(e.Id);
        row.InfoKey = QString::fromLatin1(e.InfoKey);
        row.Name = LanguageText(*e.Name);
        row.Enabled = env.IsExtensionEnabled(row.Id);
        rows.push_back(row);
    }
    return rows;
}

// ---- List model -------------------------------------------------------------------------

void TExtensionListModel::SetRows(std::vector<TExtensionRow> rows) {
    beginResetModel();
    FRows = std::move(rows);
    endResetModel();
}

int TExtensionListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(FRows.size());
}

int TExtensionListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColCount;
}

QVariant TExtensionListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= FRows.size()) return {};
    const TExtensionRow &row = FRows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColName) return TFormExtensionManager::NameText(row);
        if (index.column() == ColInfo) return SMoreInfo;
        return {};
    case Qt::CheckStateRole:
        if (index.column() == ColEnabled) return row.Enabled ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool TExtensionListModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.column() != ColEnabled || role != Qt::CheckStateRole) return false;
    FRows[size_t(index.row())].Enabled = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TExtensionListModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == ColEnabled) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant TExtensionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case ColEnabled: return LanguageText(SEnabled);
    case ColName: return LanguageText(SName);
    case ColInfo: return LanguageText(SInfo);
    default: return {};
    }
}

void TExtensionListModel::sort(int column, Qt::SortOrder order) {
    const auto key = [column](const TExtensionRow &r) {
        if (column == ColEnabled) return r.Enabled ? QStringLiteral("1") : QStringLiteral("0");
        if (column == ColInfo) return SMoreInfo;
        return TFormExtensionManager::NameText(r);
    };
    emit layoutAboutToBeChanged();
    std::stable_sort(FRows.begin(), FRows.end(), [&](const TExtensionRow &a, const TExtensionRow &b) {
        const int c = key(a).compare(key(b), Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    emit layoutChanged();
}

// ---- Drawing ----------------------------------------------------------------------------

class TFormExtensionManager::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormExtensionManager *form) : QStyledItemDelegate(form), FForm(form) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const bool focused = FForm->ListView->hasFocus();
        const QPalette &pal = option.palette;
        if (selected)
            p->fillRect(option.rect, focused ? pal.highlight() : pal.button());
        else if (index.row() % 2 == 1 && !NightScreen()->IsActive())
            p->fillRect(option.rect, TColorToColor(AlternateRowColor));
        if (index.column() == TExtensionListModel::ColEnabled) {
            TCheckCell cell;
            cell.Type = TCheckType::CheckBox;
            cell.State = index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? TCheckState::Checked
                                                                                : TCheckState::Unchecked;
            DrawCheckBoxCell(*p, cell, option.rect);
        } else {
            p->save();
            p->setPen(selected && focused ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
            if (index.column() == TExtensionListModel::ColInfo) {
                QFont f = p->font();
                f.setUnderline(true);
                p->setFont(f);
            }
            const QRect text = option.rect.adjusted(4, 0, -4, 0);
            p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                        p->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, text.width()));
            p->restore();
        }
        if (!selected) DrawRowSeparator(*p, option.rect);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), RowHeight);
    }

    // The form toggles the check box on mouse-up; the standard handling would toggle twice.
    bool editorEvent(QEvent *e, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override {
        if (e->type() >= QEvent::MouseButtonPress && e->type() <= QEvent::MouseMove) return false;
        return QStyledItemDelegate::editorEvent(e, model, option, index);
    }

private:
    TFormExtensionManager *FForm;
};

// ---- Form -------------------------------------------------------------------------------

TFormExtensionManager::TFormExtensionManager(TMarivoNavEnv &env, QWidget *owner)
    : TFormScaled(owner), PanelInformation(new QWidget(this)), ImageInformation(new QLabel(PanelInformation)),
      LabelInformation(new QLabel(PanelInformation)), ListView(new QTreeView(this)),
      ButtonClose(new QPushButton(this)), FEnv(env), FModel(new TExtensionListModel(this)) {
    setObjectName(QStringLiteral("FormExtensionManager"));
    setMinimumSize(600, 350);
    resize(600, 350);
    PanelInformation->setAutoFillBackground(true);
    PanelInformation->setBackgroundRole(QPalette::ToolTipBase);
    ImageInformation->setPixmap(MsgIconLoad(mtInformation, false, 32));
    NightScreenAddImage(NightScreen(), ImageInformation);
    LabelInformation->setForegroundRole(QPalette::ToolTipText);
    auto *info = new QHBoxLayout(PanelInformation);
    info->addWidget(ImageInformation);
    info->addWidget(LabelInformation, 1);

    ListView->setModel(FModel);
    ListView->setItemDelegate(new TDelegate(this));
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->header()->setStretchLastSection(false);
    ListView->header()->resizeSection(TExtensionListModel::ColEnabled, 75);
    ListView->header()->resizeSection(TExtensionListModel::ColName, 312);
    ListView->header()->resizeSection(TExtensionListModel::ColInfo, 70);
    ListView->header()->setSectionResizeMode(TExtensionListModel::ColName, QHeaderView::Stretch);
    ListView->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(TExtensionListModel::ColName, Qt::AscendingOrder);
    ListView->viewport()->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PanelInformation);
    layout->addWidget(ListView, 1);
    layout->addLayout(buttons);
    ButtonClose->setDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);

    UpdateTexts();
    FillList();
    ScaleConstraints();
}

TFormExtensionManager::~TFormExtensionManager() {
    NightScreenRemoveImage(NightScreen(), ImageInformation);
}

void TFormExtensionManager::Execute(TMarivoNavEnv &env, QWidget *owner) {
    TFormExtensionManager form(env, owner);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
    form.WriteStates();
}

TFormExtensionManager::TPrompter TFormExtensionManager::SetPrompter(TPrompter prompter) {
    std::swap(Prompter(), prompter);
    return prompter;
}

TFormExtensionManager::TOpener TFormExtensionManager::SetOpener(TOpener opener) {
    std::swap(Opener(), opener);
    return opener;
}

void TFormExtensionManager::UpdateTexts() {
    setWindowTitle(LanguageText(SCaption));
    ButtonClose->setText(LanguageText(KvStr::BtnClose));
    LabelInformation->setText(LanguageText(SInformation));
    emit FModel->headerDataChanged(Qt::Horizontal, 0, TExtensionListModel::ColCount - 1);
}

void TFormExtensionManager::FillList() {
    SetRows(ExtensionCatalogue(FEnv));
}

void TFormExtensionManager::SetRows(std::vector<TExtensionRow> rows) {
    FModel->SetRows(std::move(rows));
    FModel->sort(ListView->header()->sortIndicatorSection(), ListView->header()->sortIndicatorOrder());
}

void TFormExtensionManager::WriteStates() const {
    for (const TExtensionRow &row : FModel->Rows()) {
        int32_t err = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, ExtensionKey, RegName(row.Id), row.Enabled, err);
    }
}

QString TFormExtensionManager::NameText(const TExtensionRow &row) {
    if (row.UpdatesTotal < 0) return row.Name;
    return row.Name + QStringLiteral(" (%1 / %2 ").arg(row.UpdatesDone).arg(row.UpdatesTotal) +
           LanguageText(SUpdates) + QLatin1Char(')');
}

QString TFormExtensionManager::InfoAddress(const QString &infoKey, int32_t language, const QString &title,
                                           int32_t version) {
    const QString lang = language == KvLang::Dutch    ? QStringLiteral("nl")
                         : language == KvLang::German ? QStringLiteral("de")
                                                      : QStringLiteral("en");
    const QString ref = title + VersionToStr(version, 4).remove(QLatin1Char('.'));
    const auto encoded = [](const QString &value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
    // The maker's web site is the home page's address without its closing "/".
    QString site = WebLinkAddress(TWebLink::Homepage, language, version, QString());
    if (site.endsWith(QLatin1Char('/'))) site.chop(1);
    return site + QStringLiteral("/applinks/redirect.php?url=") + encoded(infoKey) + QStringLiteral("&lang=") +
           encoded(lang) + QStringLiteral("&ref=") + encoded(ref);
}

void TFormExtensionManager::OpenInfo(const TExtensionRow &row) {
    const QString address = InfoAddress(row.InfoKey, GetCurrentLanguage(), ProgInfoGetTitle(), ProgInfoGetVersion());
    if (Opener()) {
        Opener()(address);
        return;
    }
    int32_t err = 0;
    ExecuteDocument(WindowHandle(winId()), address, 1, err);
}

void TFormExtensionManager::MouseUp(const QPoint &pos) {
    const QModelIndex index = ListView->indexAt(pos);
    if (!index.isValid()) return;
    if (index.column() == TExtensionListModel::ColEnabled)
        ToggleCheckBoxCellAt(ListView, pos.x(), pos.y());
    else if (index.column() == TExtensionListModel::ColInfo)
        OpenInfo(FModel->Rows()[size_t(index.row())]);
}

bool TFormExtensionManager::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ListView->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        MouseUp(static_cast<QMouseEvent *>(event)->position().toPoint());
        ListView->viewport()->update();
    }
    return TFormScaled::eventFilter(watched, event);
}
