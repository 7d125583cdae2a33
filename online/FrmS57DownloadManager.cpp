// The form of the Inland ENC download manager: tree, buttons, texts, closing. The requests
// and the folder work are in FrmS57DownloadManagerRun.cpp.
#include "online/FrmS57DownloadManager.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvDialogs.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvLib.h"
#include "base/platform/KvShell.h"
#include "base/settings/KvRegCharts.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "online/FrmS57DownloadManagerTexts.h"
#include "online/S57FolderList.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace s57download;

namespace {

constexpr int HelpContextDownloadManager = 22002;
constexpr int KindRole = Qt::UserRole;
constexpr int SetRole = Qt::UserRole + 1;

TFormS57DownloadManager::TPrompter &Prompter() {
    static TFormS57DownloadManager::TPrompter prompter;
    return prompter;
}

int Run(TFormS57DownloadManager &form) {
    return Prompter() ? Prompter()(form) : form.exec();
}

const char *const CountryCodes[] = {"AT", "BE", "BG", "KR", "CZ", "FR", "DE",
                                    "HU", "NL", "PL", "RO", "RS", "SK", "CH"};

// Rows with a set first, by country, region and water; other rows by their text.
class TSetRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override {
        IS57ChartSet *a = TFormS57DownloadManager::RowSet(this);
        IS57ChartSet *b = TFormS57DownloadManager::RowSet(&other);
        if (!a || !b) {
            if (a || b) return a != nullptr;
            return text(0).compare(other.text(0), Qt::CaseInsensitive) < 0;
        }
        for (auto part : {GetS57ChartSetCountryCode, GetS57ChartSetRegion, GetS57ChartSetWater}) {
            const int c = part(a).compare(part(b), Qt::CaseInsensitive);
            if (c != 0) return c < 0;
        }
        return false;
    }
};

QString StateText(int state) {
    switch (state) {
    case S57ChartSetState::Deleted: return LanguageText(TextDeleted);
    case S57ChartSetState::UpdatesAvailable: return LanguageText(TextUpdates);
    case S57ChartSetState::Installed: return LanguageText(TextInstalled);
    default: return QString();
    }
}

int64_t SizeBelow(const QTreeWidgetItem *item) {
    if (IS57ChartSet *set = TFormS57DownloadManager::RowSet(item)) return set->GetSize();
    int64_t size = 0;
    for (int i = 0; i < item->childCount(); ++i) size += SizeBelow(item->child(i));
    return size;
}

QString SetText(IS57ChartSet *set) {
    const QString region = GetS57ChartSetRegion(set), water = GetS57ChartSetWater(set);
    if (region.isEmpty() && water.isEmpty()) return LanguageText(TextComplete);
    if (region.isEmpty() || water.isEmpty()) return region + water;
    return region + QStringLiteral(", ") + water;
}

void FillRow(QTreeWidgetItem *item) {
    IS57ChartSet *set = TFormS57DownloadManager::RowSet(item);
    if (set) {
        item->setText(0, SetText(set));
        item->setText(1, FormatDateTime(QStringLiteral("ddddd"), 1, set->GetDate() / 86400.0 + 25569.0));
    } else {
        QFont bold = item->font(0);
        bold.setBold(true);
        for (int c = 0; c < 4; ++c) item->setFont(c, bold);
    }
    item->setText(2, SizeToStr2(15, 0, 0, 1, SizeBelow(item)));
    item->setText(3, StateText(TFormS57DownloadManager::CombinedState(item)));
    for (int i = 0; i < item->childCount(); ++i) FillRow(item->child(i));
}

}  // namespace

bool CountryCodeToIndex(const QString &code, int &number) {
    for (int i = 0; i < int(std::size(CountryCodes)); ++i)
        if (code.compare(QLatin1String(CountryCodes[i]), Qt::CaseInsensitive) == 0) {
            number = i;
            return true;
        }
    number = -1;
    return false;
}

TFormS57DownloadManager::TFormS57DownloadManager(TFolderList &folders, IMRCChartCheck *account,
                                                 INavMessageDispatcher *dispatcher, bool updateMode,
                                                 uint16_t sailingArea, bool silent, bool deleteFolders,
                                                 QWidget *owner)
    : TFormScaled(owner), FFolders(folders), FAccount(account), FDispatcher(dispatcher),
      FUpdateMode(updateMode), FSailingArea(sailingArea), FSilent(silent), FDeleteFolders(deleteFolders) {
    setObjectName(QStringLiteral("FormS57DownloadManager"));
    BuildForm();
    FClient = CreateS57ChartCheck(dispatcher, QString(), MakeVersion(1, 0, 0, 0));
    FSelection = FClient ? FClient->GetSelectionList() : nullptr;
    if (FDispatcher) FDispatcher->Subscribe(&TFormS57DownloadManager::HandleNotification, this);
    EditS57ChartFolder->setText(GetIENCFolder(DefaultBaseFolder()));
    UpdateTexts();
    UpdateButtons();
    FState = 1;
    ShowHeader(false);
    int32_t err = 0;
    if (FClient) FClient->RequestChartSetList(err);
    ScaleConstraints();
}

TFormS57DownloadManager::~TFormS57DownloadManager() {
    if (FDispatcher) FDispatcher->Unsubscribe(&TFormS57DownloadManager::HandleNotification, this);
    // The selection list is the client's.
    ObjectDeleteAndNil(FClient);
}

void TFormS57DownloadManager::BuildForm() {
    setMinimumSize(560, 360);
    auto *layout = new QVBoxLayout(this);
    auto *folderRow = new QHBoxLayout;
    LabelS57ChartFolder = new QLabel(this);
    EditS57ChartFolder = new QLineEdit(this);
    EditS57ChartFolder->setReadOnly(true);
    ButtonBrowse = new QPushButton(this);
    folderRow->addWidget(LabelS57ChartFolder);
    folderRow->addWidget(EditS57ChartFolder, 1);
    folderRow->addWidget(ButtonBrowse);
    layout->addLayout(folderRow);
    ListView = new QTreeWidget(this);
    ListView->setColumnCount(4);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setAlternatingRowColors(true);
    ListView->setStyleSheet(QStringLiteral("QTreeView { alternate-background-color: #FAFAFA; }"));
    for (auto [column, width] : {std::pair{0, 312}, {1, 90}, {2, 65}, {3, 80}}) ListView->setColumnWidth(column, width);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(0, Qt::AscendingOrder);
    layout->addWidget(ListView, 1);
    LabelBackground = new QLabel(ListView->viewport());
    LabelBackground->setAlignment(Qt::AlignCenter);
    LabelBackground->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    PanelButtonsEdit = new QWidget(this);
    auto *edit = new QHBoxLayout(PanelButtonsEdit);
    edit->setContentsMargins(0, 0, 0, 0);
    ButtonDownload = new QPushButton(PanelButtonsEdit);
    ButtonUpdateAll = new QPushButton(PanelButtonsEdit);
    ButtonRemove = new QPushButton(PanelButtonsEdit);
    for (QPushButton *b : {ButtonDownload, ButtonUpdateAll, ButtonRemove}) edit->addWidget(b);
    buttons->addWidget(PanelButtonsEdit);
    buttons->addStretch(1);
    ButtonHelp = new QPushButton(this);
    ButtonClose = new QPushButton(this);
    buttons->addWidget(ButtonHelp);
    buttons->addWidget(ButtonClose);
    layout->addLayout(buttons);
    connect(ButtonDownload, &QPushButton::clicked, this, &TFormS57DownloadManager::ButtonDownloadClick);
    connect(ButtonUpdateAll, &QPushButton::clicked, this, &TFormS57DownloadManager::ButtonUpdateAllClick);
    connect(ButtonRemove, &QPushButton::clicked, this, &TFormS57DownloadManager::ButtonRemoveClick);
    connect(ButtonBrowse, &QPushButton::clicked, this, &TFormS57DownloadManager::ButtonBrowseClick);
    connect(ButtonClose, &QPushButton::clicked, this, [this] { close(); });
    connect(ButtonHelp, &QPushButton::clicked, this,
            [] { GetHTMLHelper().HelpContext(HelpContextDownloadManager); });
    connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TFormS57DownloadManager::UpdateButtons);
    connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int) { ListView->expandAll(); });
}

void TFormS57DownloadManager::UpdateTexts() {
    setWindowTitle(LanguageText(TextCaption));
    ButtonBrowse->setText(LanguageText(TextBrowse));
    ButtonClose->setText(LanguageText(KvStr::BtnClose));
    if (FState != 2 && FState != 3) ButtonDownload->setText(LanguageText(TextDownload));
    ButtonHelp->setText(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"));
    ButtonRemove->setText(LanguageText(TextRemove));
    ButtonUpdateAll->setText(LanguageText(TextUpdateAll));
    LabelS57ChartFolder->setText(LanguageText(TextBaseFolder) + u':');
    ListView->setHeaderLabels({LanguageText(TextColumnSet), LanguageText(TextColumnDate),
                               LanguageText(TextColumnSize), LanguageText(TextColumnState)});
    RefreshBackground();
}

QString TFormS57DownloadManager::DefaultBaseFolder() {
    QString documents;
    GetSpecialFolderPath(5, documents);
    if (!documents.isEmpty() && !documents.endsWith(u'/')) documents += u'/';
    return documents + QStringLiteral("IENC/");
}

QString TFormS57DownloadManager::BaseFolder() const {
    QString base = EditS57ChartFolder->text().trimmed();
    if (!base.isEmpty() && !base.endsWith(u'/')) base += u'/';
    return base;
}

int TFormS57DownloadManager::RowKind(const QTreeWidgetItem *item) {
    return item ? item->data(0, KindRole).toInt() : -1;
}

IS57ChartSet *TFormS57DownloadManager::RowSet(const QTreeWidgetItem *item) {
    return item ? static_cast<IS57ChartSet *>(item->data(0, SetRole).value<void *>()) : nullptr;
}

int TFormS57DownloadManager::CombinedState(const QTreeWidgetItem *item) {
    if (IS57ChartSet *set = RowSet(item)) return set->GetState();
    bool anyNotInstalled = false;
    for (int i = 0; i < item->childCount(); ++i) {
        const int state = CombinedState(item->child(i));
        if (state == S57ChartSetState::UpdatesAvailable) return state;
        if (state == S57ChartSetState::NotInstalled) anyNotInstalled = true;
    }
    return anyNotInstalled || item->childCount() == 0 ? S57ChartSetState::NotInstalled
                                                      : S57ChartSetState::Installed;
}

void TFormS57DownloadManager::BuildTree() {
    if (!FClient || FClient->GetChartSetCount() == 0) return;
    ListView->setSortingEnabled(false);
    ListView->clear();
    auto *root = new TSetRow(ListView);
    root->setText(0, LanguageText(TextAllCharts));
    root->setData(0, KindRole, S57DownloadRow::Root);
    QTreeWidgetItem *country = nullptr;
    QString lastCode;
    for (int32_t i = 0; i < FClient->GetChartSetCount(); ++i) {
        IS57ChartSet *set = FClient->GetChartSet(i);
        int number = 0;
        if (!set || set->GetFileCount() == 0 || !CountryCodeToIndex(GetS57ChartSetCountryCode(set), number)) continue;
        const QString code = GetS57ChartSetCountryCode(set);
        if (!country || code.compare(lastCode, Qt::CaseInsensitive) != 0) {
            // A country met again after another one joins its first row.
            country = nullptr;
            for (int c = 0; c < root->childCount(); ++c)
                if (root->child(c)->text(0).compare(code, Qt::CaseInsensitive) == 0) country = root->child(c);
            if (!country) {
                country = new TSetRow(root);
                country->setText(0, code);
                country->setData(0, KindRole, S57DownloadRow::Country);
            }
            lastCode = code;
        }
        auto *row = new TSetRow(country);
        row->setData(0, KindRole, S57DownloadRow::ChartSet);
        row->setData(0, SetRole, QVariant::fromValue(static_cast<void *>(set)));
    }
    FillRow(root);
    ListView->setSortingEnabled(true);
    ListView->expandAll();
    ShowHeader(true);
    UpdateButtons();
}

void TFormS57DownloadManager::UpdateButtons() {
    if (FUpdateMode) {
        PanelButtonsEdit->hide();
        ButtonHelp->hide();
        return;
    }
    const bool busy = FState == 2 || FState == 3;
    QTreeWidgetItem *root = ListView->topLevelItemCount() > 0 ? ListView->topLevelItem(0) : nullptr;
    ButtonUpdateAll->setEnabled(!busy && root && CombinedState(root) == S57ChartSetState::UpdatesAvailable);
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    if (!busy && selected.size() == 1) {
        const int state = CombinedState(selected.front());
        ButtonDownload->setText(LanguageText(state == S57ChartSetState::UpdatesAvailable ? TextUpdate : TextDownload));
        ButtonDownload->setEnabled(state != S57ChartSetState::Installed);
        ButtonRemove->setEnabled(state == S57ChartSetState::UpdatesAvailable || state == S57ChartSetState::Installed);
        ButtonBrowse->setEnabled(true);
        return;
    }
    ButtonRemove->setEnabled(false);
    ButtonDownload->setText(LanguageText(busy ? TextAbort : TextDownload));
    ButtonDownload->setEnabled(busy);
    ButtonBrowse->setEnabled(!busy);
}

QString TFormS57DownloadManager::BackgroundCaption() const {
    if (FState == 0) return QStringLiteral("Geen IENC-kaarten beschikbaar");
    return LanguageText(TextPleaseWait);
}

QString TFormS57DownloadManager::BackgroundHint() const {
    if (FState == 0) return QStringLiteral("De server is niet bereikbaar of er zijn geen kaarten beschikbaar");
    if (FState != 3 || !FCurrentSet) return LanguageText(TextGettingSets);
    QString hint = LanguageText(TextSetOf)
                       .arg(FSetNumber + 1)
                       .arg(CurrentSetName())
                       .arg(FSelection ? FSelection->GetCount() : 0) +
                   LanguageText(TextFileOf).arg(FFileNumber + 1).arg(FCurrentSet->GetFileCount());
    if (FReceived > 0) hint += QStringLiteral(" (") + SizeToStr2(15, 0, 0, 1, FReceived) + u')';
    return hint;
}

QString TFormS57DownloadManager::CurrentSetName() const {
    if (!FCurrentSet) return QString();
    const QString region = GetS57ChartSetRegion(FCurrentSet), water = GetS57ChartSetWater(FCurrentSet);
    QString name = region;
    if (!water.isEmpty()) name += region.isEmpty() ? water : QStringLiteral(", ") + water;
    if (name.isEmpty()) name = LanguageText(TextComplete);
    if (FSelection && FSelection->GetCount() > 1) name = GetS57ChartSetCountryCode(FCurrentSet) + QStringLiteral(", ") + name;
    return name;
}

void TFormS57DownloadManager::ShowHeader(bool on) {
    ListView->setHeaderHidden(!on);
    if (!on) ListView->clear();
    RefreshBackground();
}

void TFormS57DownloadManager::RefreshBackground() {
    if (!LabelBackground) return;
    const bool shown = ListView->isHeaderHidden();
    LabelBackground->setVisible(shown);
    if (!shown) return;
    LabelBackground->setText(QStringLiteral("<b>%1</b><br>%2").arg(BackgroundCaption().toHtmlEscaped(),
                                                                     BackgroundHint().toHtmlEscaped()));
    LabelBackground->setGeometry(ListView->viewport()->rect());
}

void TFormS57DownloadManager::ButtonDownloadClick() {
    if (FState == 2 || FState == 3) {
        FCancelRequested = true;
        return;
    }
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    if (selected.size() != 1 || !FSelection) return;
    FSelection->Clear();
    QTreeWidgetItem *item = selected.front();
    int32_t err = 0;
    if (IS57ChartSet *set = RowSet(item)) {
        FCurrentSet = set;
        FSelection->Add(set);
        FState = 2;
        RequestS57ChartSet(FClient, GetS57ChartSetCountryCode(set), GetS57ChartSetRegion(set),
                           GetS57ChartSetWater(set), err);
        if (err != 0 && FState == 2) BackToIdle();
        return;
    }
    std::function<void(QTreeWidgetItem *)> addBelow = [&](QTreeWidgetItem *row) {
        if (IS57ChartSet *set = RowSet(row)) FSelection->Add(set);
        for (int i = 0; i < row->childCount(); ++i) addBelow(row->child(i));
    };
    addBelow(item);
    RequestSelection();
}

void TFormS57DownloadManager::ButtonUpdateAllClick() {
    if (!FSelection || FState == 2 || FState == 3) return;
    FSelection->Clear();
    for (int32_t i = 0; i < FClient->GetChartSetCount(); ++i) {
        IS57ChartSet *set = FClient->GetChartSet(i);
        if (set && set->GetState() == S57ChartSetState::UpdatesAvailable) FSelection->Add(set);
    }
    RequestSelection();
}

void TFormS57DownloadManager::RequestSelection() {
    if (FSelection->GetCount() == 0) return;
    FState = 2;
    UpdateButtons();
    int32_t err = 0;
    FClient->RequestChartSets(FSelection, err);
}

void TFormS57DownloadManager::ButtonRemoveClick() {
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    if (selected.size() != 1 || FState == 2 || FState == 3) return;
    QTreeWidgetItem *item = selected.front();
    const int state = CombinedState(item);
    if (state == S57ChartSetState::UpdatesAvailable || state == S57ChartSetState::Installed) {
        const TLanguageStrings &question = RowKind(item) == S57DownloadRow::Root      ? TextRemoveAll
                                           : RowKind(item) == S57DownloadRow::Country ? TextRemoveCountry
                                                                                      : TextRemoveSet;
        if (MsgBox(LanguageText(question), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    }
    std::vector<IS57ChartSet *> sets;
    std::function<void(QTreeWidgetItem *)> collect = [&](QTreeWidgetItem *row) {
        if (IS57ChartSet *set = RowSet(row)) sets.push_back(set);
        for (int i = 0; i < row->childCount(); ++i) collect(row->child(i));
    };
    collect(item);
    for (IS57ChartSet *set : sets) RemoveChartSet(set);
    CheckInstalledSets();
    BuildTree();
}

void TFormS57DownloadManager::ButtonBrowseClick() {
    TBrowseFolderDialog dialog;
    dialog.Title = LanguageText(TextBrowseTitle);
    dialog.Folder = EditS57ChartFolder->text();
    dialog.Kind = bkSave;
    if (!dialog.Execute()) return;
    EditS57ChartFolder->setText(dialog.Folder);
    SetIENCFolder(dialog.Folder);
}

bool TFormS57DownloadManager::AskCloseDuringDownload() {
    if (FState != 2 && FState != 3) return true;
    if (MsgBox(LanguageText(TextCloseActive), mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes) {
        FCancelRequested = true;
        FCloseAfterCancel = true;
    }
    return false;
}

void TFormS57DownloadManager::closeEvent(QCloseEvent *event) {
    if (FClosing || AskCloseDuringDownload()) {
        event->accept();
        if (!FClosing) done(1);
        return;
    }
    event->ignore();
}

void TFormS57DownloadManager::reject() {
    if (FClosing || AskCloseDuringDownload()) done(1);
}

void TFormS57DownloadManager::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F1 && !FUpdateMode) {
        GetHTMLHelper().HelpContext(HelpContextDownloadManager);
        return;
    }
    TFormScaled::keyPressEvent(event);
}

void TFormS57DownloadManager::CloseDialog() {
    FClosing = true;
    done(1);
}

TFormS57DownloadManager::TPrompter TFormS57DownloadManager::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

void TFormS57DownloadManager::Execute(TFolderList &folders, IMRCChartCheck *account,
                                      INavMessageDispatcher *dispatcher, QWidget *owner) {
    TFormS57DownloadManager form(folders, account, dispatcher, false, 0, false, true, owner);
    Run(form);
}

void TFormS57DownloadManager::ExecuteUpdate(uint16_t sailingArea, TFolderList &folders,
                                            INavMessageDispatcher *dispatcher, IMRCChartCheck *account,
                                            bool silent, bool deleteFolders, QWidget *owner) {
    TFormS57DownloadManager form(folders, account, dispatcher, true, sailingArea, silent, deleteFolders, owner);
    Run(form);
}

TFormS57DownloadManager::TFolderList TFormS57DownloadManager::FolderListFromChartManager(IChartManager *manager) {
    // The shared list already carries each Inland ENC set's identity.
    return S57FolderListFromManager(manager);
}

void TFormS57DownloadManager::UpdateChartManager(TMarivoNavEnv &env, QWidget *owner) {
    if (!env.ChartManager || !env.CoreEnv) return;
    TFolderList folders = FolderListFromChartManager(env.ChartManager);
    ExecuteUpdate(env.SailingAreas, folders, env.CoreEnv->GetDispatcher(), env.OnlineService, false, true, owner);
    ApplyS57FolderList(env.ChartManager, folders, env.S57Registrar, env.S52Library, owner);
}
