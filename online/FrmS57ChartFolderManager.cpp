#include "online/FrmS57ChartFolderManager.h"

#include "base/dialogs/KvDialogs.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "online/FrmS57DownloadManager.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const TLanguageStrings TextCaption = {"S57 chart folder manager", "S57 kaartmappenbeheer", "S57 Kartenordnerverwaltung",
                                      "Gestionnaire de dossiers de cartes S57", "Gestor de carpetas de cartas S57",
                                      "Gestione cartelle carte S57", "S57-kortmappehåndtering",
                                      "S57-sjökortsmapphanterare"};
const TLanguageStrings TextClose = {"Close", "Sluiten", "Schließen", "Fermer", "Cerrar", "Chiudi", "Luk", "Stäng"};
const TLanguageStrings TextAdd = {"Add...", "Toevoegen...", "Hinzufügen...", "Ajouter...", "Añadir...", "Aggiungi...",
                                  "Tilføj...", "Lägg till..."};
const TLanguageStrings TextDelete = {"Delete...", "Verwijderen...", "Löschen...", "Supprimer...", "Eliminar...",
                                     "Elimina...", "Slet...", "Ta bort..."};
const TLanguageStrings TextName = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings TextConfirmDelete = {
    "Are you sure you want to remove the selected S57 chart folder?",
    "Weet u zeker dat u de geselecteerde S57 kaartmap wilt verwijderen?",
    "Möchten Sie den ausgewählten S57 Kartenordner wirklich entfernen?",
    "Voulez-vous vraiment supprimer le dossier de cartes S57 sélectionné ?",
    "¿Está seguro de que desea quitar la carpeta de cartas S57 seleccionada?",
    "Rimuovere la cartella di carte S57 selezionata?",
    "Er du sikker på, at du vil fjerne den valgte S57-kortmappe?",
    "Vill du verkligen ta bort den valda S57-sjökortsmappen?"};
const QString TextIENCAdvanced = QStringLiteral("IENC advanced...");
const QString TextIENCUpdate = QStringLiteral("IENC update");
const QString Key = QStringLiteral("Desktop\\ChartManager");
constexpr int HelpContextFolderManager = 22001;
constexpr int IndexRole = Qt::UserRole;

TFormS57ChartFolderManager::TPrompter &Prompter() {
    static TFormS57ChartFolderManager::TPrompter prompter;
    return prompter;
}

TFormS57ChartFolderManager::TIENCExecute &IENCExecute() {
    static TFormS57ChartFolderManager::TIENCExecute execute;
    return execute;
}

// Folder texts without regard to case.
class TFolderRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override {
        return text(0).compare(other.text(0), Qt::CaseInsensitive) < 0;
    }
};

// The folder shortened to the cell, odd rows tinted, a separator under every row. A folder
// that would shrink to nothing but its root and "..." keeps its start instead.
class TFolderDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const bool selected = opt.state & QStyle::State_Selected;
        if (!selected && index.row() % 2) p->fillRect(option.rect, QColor(0xFA, 0xFA, 0xFA));
        const QString folder = opt.text;
        const int width = option.rect.width() - 8;
        QString shown = ShortenFileName(folder, opt.fontMetrics, width);
        const QString name = shown.section(QLatin1Char('/'), -1).isEmpty() ? shown.section(QLatin1Char('/'), -2, -2)
                                                                           : shown.section(QLatin1Char('/'), -1);
        if (name.isEmpty() || name == QLatin1String("...")) shown = opt.fontMetrics.elidedText(folder, Qt::ElideRight, width);
        opt.text = shown;
        if (!selected) opt.backgroundBrush = Qt::NoBrush;
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, p, opt.widget);
        DrawRowSeparator(*p, option.rect);
    }
};

}  // namespace

TFormS57ChartFolderManager::TFormS57ChartFolderManager(TS57ChartFolderList &list, INavMessageDispatcher *dispatcher,
                                                       IMRCChartCheck *account, uint16_t sailingAreas, QWidget *owner)
    : TFormScaled(owner), ListView(new QTreeWidget(this)), ButtonAdd(new QPushButton(this)),
      ButtonDelete(new QPushButton(this)), ButtonSubfolders(new QPushButton(this)),
      ButtonDownload(new QPushButton(this)), ButtonIENCDLManager(new QPushButton(this)),
      ButtonHelp(new QPushButton(this)), ButtonClose(new QPushButton(this)), FList(list), FDispatcher(dispatcher),
      FAccount(account), FSailingAreas(sailingAreas) {
    setObjectName(QStringLiteral("FormS57ChartFolderManager"));
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(1);
    ListView->setRootIsDecorated(false);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setItemDelegate(new TFolderDelegate(ListView));
    ListView->header()->setSortIndicatorShown(true);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(0, Qt::AscendingOrder);
    auto *side = new QVBoxLayout;
    for (QPushButton *b : {ButtonAdd, ButtonDelete, ButtonSubfolders, ButtonDownload, ButtonIENCDLManager})
        side->addWidget(b);
    side->addStretch(1);
    side->addWidget(ButtonHelp);
    side->addWidget(ButtonClose);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(ListView, 1);
    layout->addLayout(side);
    ButtonClose->setDefault(true);
    connect(ButtonAdd, &QPushButton::clicked, this, &TFormS57ChartFolderManager::ButtonAddClick);
    connect(ButtonDelete, &QPushButton::clicked, this, &TFormS57ChartFolderManager::ButtonDeleteClick);
    connect(ButtonSubfolders, &QPushButton::clicked, this, &TFormS57ChartFolderManager::ButtonSubfoldersClick);
    connect(ButtonIENCDLManager, &QPushButton::clicked, this, &TFormS57ChartFolderManager::ButtonIENCDLManagerClick);
    connect(ButtonClose, &QPushButton::clicked, this, [this] { done(1); });
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContextFolderManager); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
    connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TFormS57ChartFolderManager::UpdateButtons);
    UpdateTexts();
    FillList();
    UpdateButtons();
    ButtonSubfolders->hide();
    ButtonDownload->hide();
    ButtonIENCDLManager->hide();
    setFixedSize(560, 320);
    ScaleConstraints();
}

void TFormS57ChartFolderManager::Execute(TS57ChartFolderList &list, INavMessageDispatcher *dispatcher,
                                         IMRCChartCheck *account, uint16_t sailingAreas) {
    TFormS57ChartFolderManager form(list, dispatcher, account, sailingAreas);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}

TFormS57ChartFolderManager::TPrompter TFormS57ChartFolderManager::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

TFormS57ChartFolderManager::TIENCExecute TFormS57ChartFolderManager::SetIENCExecute(TIENCExecute execute) {
    TIENCExecute previous = std::move(IENCExecute());
    IENCExecute() = std::move(execute);
    return previous;
}

void TFormS57ChartFolderManager::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    ButtonClose->setText(LanguageText(TextClose));
    ButtonAdd->setText(LanguageText(TextAdd));
    ButtonDelete->setText(LanguageText(TextDelete));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    ButtonIENCDLManager->setText(TextIENCAdvanced);
    ButtonDownload->setText(TextIENCUpdate);
    ListView->setHeaderLabels({LanguageText(TextName)});
}

void TFormS57ChartFolderManager::FillList(const QString &selectFolder) {
    ListView->setUpdatesEnabled(false);
    ListView->clear();
    for (int i = int(FList.size()) - 1; i >= 0; --i) {
        const QString folder = QString::fromStdU16String(FList[size_t(i)].Folder);
        auto *row = new TFolderRow(ListView);
        row->setText(0, folder);
        row->setToolTip(0, folder);
        row->setData(0, IndexRole, i);
        if (!selectFolder.isEmpty() && folder == selectFolder) row->setSelected(true);
    }
    ListView->setUpdatesEnabled(true);
}

TS57ChartFolder *TFormS57ChartFolderManager::RowRecord(int row) const {
    const QTreeWidgetItem *item = ListView->topLevelItem(row);
    if (!item) return nullptr;
    const int index = item->data(0, IndexRole).toInt();
    return index >= 0 && size_t(index) < FList.size() ? &FList[size_t(index)] : nullptr;
}

void TFormS57ChartFolderManager::UpdateButtons() {
    const bool any = !ListView->selectedItems().isEmpty();
    ButtonDelete->setEnabled(any);
    ButtonSubfolders->setEnabled(any);
}

void TFormS57ChartFolderManager::ButtonAddClick() {
    TBrowseFolderDialog browse;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LastS57Folder"), QString(), browse.Folder);
    if (browse.Execute()) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(u"LastS57Folder"), browse.Folder, err);
        TS57ChartFolder record;
        record.Folder = browse.Folder.toStdU16String();
        record.WithSubfolders = true;
        FList.push_back(std::move(record));
        FillList(browse.Folder);
    }
    UpdateButtons();
}

void TFormS57ChartFolderManager::ButtonDeleteClick() {
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    if (!selected.isEmpty() &&
        MsgBox(LanguageText(TextConfirmDelete), mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes) {
        std::vector<int> indexes;
        for (const QTreeWidgetItem *row : selected) indexes.push_back(row->data(0, IndexRole).toInt());
        // From the back, so the indexes still to erase stay valid.
        std::sort(indexes.rbegin(), indexes.rend());
        for (int index : indexes)
            if (index >= 0 && size_t(index) < FList.size()) FList.erase(FList.begin() + index);
        FillList();
    }
    UpdateButtons();
}

void TFormS57ChartFolderManager::ButtonSubfoldersClick() {
    for (QTreeWidgetItem *row : ListView->selectedItems()) {
        TS57ChartFolder *record = RowRecord(ListView->indexOfTopLevelItem(row));
        if (record) record->WithSubfolders = !record->WithSubfolders;
    }
    ListView->viewport()->update();
}

void TFormS57ChartFolderManager::ButtonIENCDLManagerClick() {
    if (IENCExecute())
        IENCExecute()(FList, FAccount, FDispatcher);
    else if (FAccount && FDispatcher)
        TFormS57DownloadManager::Execute(FList, FAccount, FDispatcher, this);
    FillList();
    UpdateButtons();
}

void TFormS57ChartFolderManager::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        ButtonDeleteClick();
        return;
    }
    TFormScaled::keyPressEvent(event);
}
