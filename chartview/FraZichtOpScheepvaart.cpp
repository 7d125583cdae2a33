#include "chartview/FraZichtOpScheepvaart.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FrmZichtOpScheepvaart.h"
#include "chartview/ZichtOpScheepvaartTexts.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/StructOperationAdapters.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvUnits.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString KeyBoat = QStringLiteral("Boat");
constexpr float DefaultMargin = 0.5f;
constexpr int StatusOk = 200;

QString Local(TDateTime utc, const char *format) {
    return FormatDateTime(QString::fromLatin1(format), 1, GetLocalDateTime(utc));
}

QString ReadText(const char16_t *name) {
    QString out;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(QString::fromUtf16(name)), QString(), out);
    return out;
}

float ReadMargin() {
    return RegReadSingleDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperSafeMargin"), DefaultMargin);
}

void WriteActive(bool active) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperationActive"), active, err);
}

QTreeView *MakeList(QWidget *parent, QAbstractItemModel *model, const char *name) {
    auto *view = new QTreeView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    return view;
}

QLabel *AddCounter(QFormLayout *form, QWidget *parent, QLabel *&value) {
    auto *caption = new QLabel(parent);
    value = new QLabel(QStringLiteral("0"), parent);
    form->addRow(caption, value);
    return caption;
}

}  // namespace

// ---- log ------------------------------------------------------------------------------------

void TZoSLogModel::Refill(INavStructOperationManager *manager) {
    beginResetModel();
    FRows.clear();
    const int32_t n = manager ? manager->GetEventCount() : 0;
    for (int32_t i = 0; i < n; ++i)
        if (INavStructOperationEvent *e = manager->GetEvent(i)) FRows.push_back(e);
    std::stable_sort(FRows.begin(), FRows.end(),
                     [](INavStructOperationEvent *a, INavStructOperationEvent *b) { return a->GetTime() < b->GetTime(); });
    endResetModel();
}

int TZoSLogModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(FRows.size()); }
int TZoSLogModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 4; }

QString TZoSLogModel::CellText(INavStructOperationEvent *e, int column) {
    switch (column) {
    case 0:
        return Local(e->GetTime(), "hh:nn:ss");
    case 1:
        return zos::KindText(e->GetKind());
    case 2: {
        QString name;
        NavStructOpEventGetObjectName(e, name);
        if (e->GetKind() == 2 || e->GetKind() == 4)
            name += QStringLiteral(" (ETA: ") + Local(e->GetETA(), "hh:nn") + QLatin1Char(')');
        return name;
    }
    case 3: {
        if (e->GetReplyStatus() == StatusOk) return QStringLiteral("OK");
        QString text;
        NavStructOpEventGetStatusText(e, text);
        return text;
    }
    default:
        return QString();
    }
}

QVariant TZoSLogModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) return CellText(FRows[size_t(index.row())], index.column());
    if (role == Qt::TextAlignmentRole) {
        if (index.column() == 0) return int(Qt::AlignCenter);
        if (index.column() == 3) return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant TZoSLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char *const titles[] = {zos::ColTime, zos::ColAction, zos::ColObject, zos::ColResult};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3) return {};
    return QString::fromUtf8(titles[section]);
}

// ---- statistics -----------------------------------------------------------------------------

void TZoSStatsModel::SetRows(std::vector<TNodeData> rows) {
    beginResetModel();
    FRows = std::move(rows);
    Sort();
    endResetModel();
}

void TZoSStatsModel::HeaderClick(int column) {
    if (column == FSortColumn)
        FOrder = FOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        FSortColumn = column;
    beginResetModel();
    Sort();
    endResetModel();
}

void TZoSStatsModel::Sort() {
    const int c = FSortColumn;
    auto less = [c](const TNodeData &a, const TNodeData &b) {
        if (c > 0 && a.Counts[c - 1] != b.Counts[c - 1]) return a.Counts[c - 1] < b.Counts[c - 1];
        // Ordinal and case-sensitive, as the names are compared by code.
        return a.Name.compare(b.Name, Qt::CaseSensitive) < 0;
    };
    std::stable_sort(FRows.begin(), FRows.end(), [&](const TNodeData &a, const TNodeData &b) {
        return FOrder == Qt::AscendingOrder ? less(a, b) : less(b, a);
    });
}

int TZoSStatsModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(FRows.size()); }
int TZoSStatsModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 6; }

QVariant TZoSStatsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TNodeData &row = FRows[size_t(index.row())];
    if (role == Qt::DisplayRole) return index.column() == 0 ? row.Name : QString::number(row.Counts[index.column() - 1]);
    if (role == Qt::TextAlignmentRole && index.column() > 0) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TZoSStatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char *const titles[] = {zos::StatsObject,  zos::StatsRequests, zos::StatsUpdates,
                                         zos::StatsCancels, zos::StatsPassed,   zos::StatsActive};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 5) return {};
    return QString::fromUtf8(titles[section]);
}

// ---- panel ----------------------------------------------------------------------------------

TFrameZichtOpScheepvaart::TFrameZichtOpScheepvaart(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), Manager(env.StructOperationManager) {
    setObjectName(QStringLiteral("FrameZichtOpScheepvaart"));
    LogModel = new TZoSLogModel(this);
    StatsModel = new TZoSStatsModel(this);
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    PageControl = new QTabWidget(this);
    v->addWidget(PageControl);
    BuildStartPage();
    BuildLogPage();
    BuildStatisticsPage();
    if (Manager) Manager->SetCallback(&TFrameZichtOpScheepvaart::ManagerChanged, this);
    ReadEdits();
    MemoZoSInfo->setPlainText(LanguageText(zos::PanelInfo1) + QStringLiteral("\n\n") + LanguageText(zos::PanelInfo2) +
                              QLatin1Char('\n') + LanguageText(zos::PanelInfo3));
    PageControl->setCurrentWidget(TabSheetLog);
    LabelLatestAction->setText(LanguageText(zos::MostRecentAction) + QStringLiteral(": ---"));
    LabelShips->setText(zos::ShipsText(0, 0));
    UpdateTexts();
    ScaleToScreen();
}

TFrameZichtOpScheepvaart::~TFrameZichtOpScheepvaart() {
    // The manager outlives the panel: it must not call back into a destroyed one.
    if (Manager) Manager->SetCallback(nullptr, nullptr);
}

void TFrameZichtOpScheepvaart::BuildStartPage() {
    TabSheetStart = new QWidget(PageControl);
    auto *v = new QVBoxLayout(TabSheetStart);
    MemoZoSInfo = new QPlainTextEdit(TabSheetStart);
    MemoZoSInfo->setReadOnly(true);
    v->addWidget(MemoZoSInfo);
    auto *form = new QFormLayout;
    v->addLayout(form);
    EditShipName = new QLineEdit(TabSheetStart);
    EditShipName->setMaxLength(120);
    LabelShipName = new QLabel(TabSheetStart);
    form->addRow(LabelShipName, EditShipName);
    EditMMSINumber = new TNumberEdit(TabSheetStart);
    EditMMSINumber->SetEditType(etIntDecimal);
    EditMMSINumber->SetDigits(3);
    EditMMSINumber->SetMax(999999999);
    LabelMMSI = new QLabel(QStringLiteral("MMSI:"), TabSheetStart);
    form->addRow(LabelMMSI, EditMMSINumber);
    NumberEditSafetyMargin = new TNumberEdit(TabSheetStart);
    NumberEditSafetyMargin->SetEditType(etFloatFixed);
    NumberEditSafetyMargin->SetDigits(1);
    NumberEditSafetyMargin->SetMax(3.0L);
    NumberEditSafetyMargin->SetValue(DefaultMargin);
    LabelSafetyMargin = new QLabel(TabSheetStart);
    LabelSafetyMarginUnit = new QLabel(QStringLiteral("m"), TabSheetStart);
    auto *marginRow = new QHBoxLayout;
    marginRow->addWidget(NumberEditSafetyMargin);
    marginRow->addWidget(LabelSafetyMarginUnit, 1);
    form->addRow(LabelSafetyMargin, marginRow);
    EditPhone = new QLineEdit(TabSheetStart);
    LabelPhone = new QLabel(TabSheetStart);
    form->addRow(LabelPhone, EditPhone);
    ButtonActivateOld = new QPushButton(QString::fromUtf8(zos::Activate), TabSheetStart);
    connect(ButtonActivateOld, &QPushButton::clicked, this, [this] { OnActivateClick ? OnActivateClick() : ToggleSignUp(); });
    v->addWidget(ButtonActivateOld, 0, Qt::AlignRight);
    PageControl->addTab(TabSheetStart, QString());
    // The start page is reached through the sign-up dialog, not as a tab.
    PageControl->setTabVisible(0, false);
}

void TFrameZichtOpScheepvaart::BuildLogPage() {
    TabSheetLog = new QWidget(PageControl);
    auto *v = new QVBoxLayout(TabSheetLog);
    ListView = MakeList(TabSheetLog, LogModel, "ListView");
    for (const auto &[column, width] : {std::pair{0, 70}, {1, 148}, {2, 179}, {3, 80}})
        ListView->setColumnWidth(column, width);
    v->addWidget(ListView, 1);
    ButtonActivate = new QPushButton(QString::fromUtf8(zos::Activate), TabSheetLog);
    ButtonActivate->setObjectName(QStringLiteral("ButtonActivate"));
    connect(ButtonActivate, &QPushButton::clicked, this, [this] { OnActivateClick ? OnActivateClick() : ToggleSignUp(); });
    v->addWidget(ButtonActivate, 0, Qt::AlignRight);
    PageControl->addTab(TabSheetLog, QString());
}

void TFrameZichtOpScheepvaart::BuildStatisticsPage() {
    TabSheetStatistics = new QWidget(PageControl);
    auto *v = new QVBoxLayout(TabSheetStatistics);
    LabelLatestAction = new QLabel(TabSheetStatistics);
    LabelShips = new QLabel(TabSheetStatistics);
    LabelStructures = new QLabel(TabSheetStatistics);
    v->addWidget(LabelLatestAction);
    v->addWidget(LabelShips);
    v->addWidget(LabelStructures);
    auto *form = new QFormLayout;
    v->addLayout(form);
    LabelRequests = AddCounter(form, TabSheetStatistics, LabelRequestsValue);
    LabelUpdates = AddCounter(form, TabSheetStatistics, LabelUpdatesValue);
    LabelCancels = AddCounter(form, TabSheetStatistics, LabelCancelsValue);
    LabelPassed = AddCounter(form, TabSheetStatistics, LabelPassedValue);
    ListViewStats = MakeList(TabSheetStatistics, StatsModel, "ListViewStats");
    ListViewStats->setColumnWidth(0, 243);
    ListViewStats->header()->setSortIndicatorShown(true);
    ListViewStats->header()->setSectionsClickable(true);
    ListViewStats->header()->setSortIndicator(0, Qt::AscendingOrder);
    connect(ListViewStats->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        StatsModel->HeaderClick(column);
        ListViewStats->header()->setSortIndicator(StatsModel->SortColumn(), StatsModel->Order());
    });
    v->addWidget(ListViewStats, 1);
    PageControl->addTab(TabSheetStatistics, QString());
}

void TFrameZichtOpScheepvaart::UpdateTexts() {
    PageControl->setTabText(0, LanguageText(zos::TabSettings));
    PageControl->setTabText(1, LanguageText(zos::TabLog));
    PageControl->setTabText(2, LanguageText(zos::TabStatistics));
    LabelRequests->setText(LanguageText(zos::Requests) + QLatin1Char(':'));
    LabelUpdates->setText(LanguageText(zos::Updates) + QLatin1Char(':'));
    LabelCancels->setText(LanguageText(zos::Cancellations) + QLatin1Char(':'));
    LabelPassed->setText(LanguageText(zos::Passed) + QLatin1Char(':'));
    LabelShipName->setText(LanguageText(zos::ShipName) + QLatin1Char(':'));
    LabelSafetyMargin->setText(LanguageText(zos::SafetyMargin) + QLatin1Char(':'));
    LabelPhone->setText(LanguageText(zos::Phone) + QLatin1Char(':'));
}

void TFrameZichtOpScheepvaart::ReadEdits() {
    const QString name = ReadText(u"ShipName");
    EditShipName->setText(name);
    EditShipName->setEnabled(name.isEmpty());
    const int32_t mmsi = Env.ActiveBoatDef ? Env.ActiveBoatDef->GetMMSI() : 0;
    EditMMSINumber->SetIntValue(mmsi);
    EditMMSINumber->setEnabled(mmsi == 0);
    NumberEditSafetyMargin->SetValue(ReadMargin());
    EditPhone->setText(ReadText(u"StructOperPhone"));
}

void TFrameZichtOpScheepvaart::UpdateControls() {
    ReadEdits();
    const bool active = Manager && Manager->IsActive();
    if (active) {
        NavStructOpSetPhone(Manager, EditPhone->text());
        Manager->SetSafetyMargin(float(NumberEditSafetyMargin->Value()));
        NavStructOpSetShipName(Manager, EditShipName->text());
    }
    ButtonActivate->setText(QString::fromUtf8(active ? zos::Deactivate : zos::Activate));
}

void TFrameZichtOpScheepvaart::ActivateFromSettings() {
    const QString name = ReadText(u"ShipName");
    if (name.isEmpty() || !Manager) return;
    NavStructOpSetPhone(Manager, ReadText(u"StructOperPhone"));
    Manager->SetSafetyMargin(ReadMargin());
    NavStructOpSetShipName(Manager, name);
    Manager->SetMode(1);
    Manager->SetActive(true);
    WriteActive(true);
    UpdateControls();
}

void TFrameZichtOpScheepvaart::Activate(const QString &shipName, const QString &phone, float safetyMargin,
                                        int32_t mmsi) {
    if (!Manager) return;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"ShipName"), shipName, err);
    if (ILPBoatDef *def = Env.ActiveBoatDef; def && def->GetMMSI() != mmsi) {
        def->SetMMSI(mmsi);
        RegWriteBoat(def, 0);
    }
    // Stored as entered, an empty number too: the stored one is what UpdateControls hands an
    // active manager later, and a number the user removed must not be sent again.
    NavStructOpSetPhone(Manager, phone);
    RegWriteString(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperPhone"), phone, err);
    Manager->SetSafetyMargin(safetyMargin);
    RegWriteSingle(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperSafeMargin"), safetyMargin, err);
    Manager->SetMode(1);
    NavStructOpSetShipName(Manager, shipName);
    Manager->SetActive(true);
    WriteActive(true);
    UpdateControls();
}

bool TFrameZichtOpScheepvaart::Deactivate() {
    // Only a Yes stops the service: closing the question any other way keeps it.
    if (MsgBox(LanguageText(zos::StopQuestion), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return false;
    WriteActive(false);
    if (Manager) Manager->SetActive(false);
    UpdateControls();
    return true;
}

void TFrameZichtOpScheepvaart::ToggleSignUp() {
    if (!Manager) return;
    if (Manager->IsActive()) {
        Deactivate();
    } else {
        QString name, phone;
        float margin = DefaultMargin;
        ILPBoatDef *def = Env.ActiveBoatDef;
        int32_t mmsi = def ? def->GetMMSI() : 0;
        if (TFormZichtOpScheepvaart::Execute(window(), name, phone, margin, mmsi, def ? def->GetHeightStepped() : 0.0f) ==
            QDialog::Accepted)
            Activate(name, phone, margin, mmsi);
    }
    if (OnSignUpChanged) OnSignUpChanged();
}

void TFrameZichtOpScheepvaart::ManagerChanged(void *data) {
    static_cast<TFrameZichtOpScheepvaart *>(data)->Changed();
}

void TFrameZichtOpScheepvaart::Changed() {
    RefillLists();
    const int32_t count = Manager->GetEventCount();
    if (count > 0) {
        INavStructOperationEvent *last = Manager->GetEvent(count - 1);
        QString reply;
        NavStructOpEventGetStatusText(last, reply);
        if (last->GetReplyStatus() == StatusOk) {
            ErrorShown = false;
        } else if (!reply.isEmpty() && !ErrorShown) {
            ErrorShown = true;
            Env.PostUserNotification(8, QString::fromUtf8(zos::ConnectionError), 0, false, 4);
        }
    }
    LabelRequestsValue->setText(QString::number(NavStructOpCountEvents(Manager, QStringLiteral("request"))));
    LabelUpdatesValue->setText(QString::number(NavStructOpCountEvents(Manager, QStringLiteral("update"))));
    LabelCancelsValue->setText(QString::number(NavStructOpCountEvents(Manager, QStringLiteral("cancel"))));
    LabelPassedValue->setText(QString::number(NavStructOpCountEvents(Manager, QStringLiteral("passed"))));
    const TDateTime last = Manager->GetLastActionTime();
    LabelLatestAction->setText(LanguageText(zos::MostRecentAction) + QStringLiteral(": ") +
                               (last > 0 ? Local(last, "dd-mm-yyyy hh:nn") : QStringLiteral("---")));
    LabelShips->setText(zos::ShipsText(Manager->GetUniqueShipsThisMonth(), Manager->GetUniqueShipsLastMonth()));
    int32_t passed = 0, participating = 0;
    Manager->GetStructCounts(passed, participating);
    LabelStructures->setText(zos::StructuresText(participating, passed));
}

void TFrameZichtOpScheepvaart::RefillLists() {
    LogModel->Refill(Manager);
    std::vector<TZoSStatsModel::TNodeData> rows;
    for (int32_t i = 0; i < Manager->GetStructStatsCount(); ++i) {
        QString id;
        int c[5] = {};
        // Adapter order: active, passed, cancellations, updates, requests.
        NavStructOpGetStructStats(Manager, i, id, c[4], c[3], c[2], c[1], c[0]);
        TZoSStatsModel::TNodeData row;
        row.Name = id;
        int32_t index = -1;
        if (Env.WaterwayNetwork && WWNetworkFindStruct(Env.WaterwayNetwork, id, index))
            row.Name = WWStructGetName(Env.WaterwayNetwork->GetStruct(index));
        std::copy(std::begin(c), std::end(c), row.Counts);
        rows.push_back(row);
    }
    StatsModel->SetRows(std::move(rows));
}
