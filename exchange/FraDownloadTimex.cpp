#include "exchange/FraDownloadTimex.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/units/KvUnitsTime.h"
#include "exchange/TimexApi.h"
#include "exchange/TimexTexts.h"

#include <QBrush>
#include <QColor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString DateTimeText(TDateTime t) {
    return FormatDateTime(QStringLiteral("ddddd"), 1, t) + QLatin1Char(' ') +
           FormatDateTime(QStringLiteral("tt"), 1, t);
}

// Releases the recorder however the read ends.
class TReleaseGuard {
public:
    explicit TReleaseGuard(TTimex &timex) : FTimex(timex) {}
    ~TReleaseGuard() { FTimex.Release(); }
    TReleaseGuard(const TReleaseGuard &) = delete;
    TReleaseGuard &operator=(const TReleaseGuard &) = delete;

private:
    TTimex &FTimex;
};

}  // namespace

// --- TTimexSessionModel ---------------------------------------------------------------------

TTimexSessionModel::TTimexSessionModel(const TTimex &timex, QObject *parent)
    : QAbstractTableModel(parent), FTimex(timex) {}

int TTimexSessionModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TTimexSessionModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TTimexSessionModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= FTimex.GetSessionCount()) return {};
    if (role == Qt::BackgroundRole)
        return QBrush(QColor(index.row() % 2 ? 0xF0F0F0 : 0xFFFFFF));
    if (role != Qt::DisplayRole) return {};
    const TTimexSession &s = FTimex.GetSession(index.row());
    switch (index.column()) {
    case ColStart: return DateTimeText(s.StartTime);
    case ColEnd: return DateTimeText(s.EndTime);
    case ColProfile: return QString::number(s.Profile);
    default: return {};
    }
}

QVariant TTimexSessionModel::headerData(int section, Qt::Orientation orientation,
                                        int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    // These captions exist in English only.
    switch (section) {
    case ColStart: return QStringLiteral("Start date time");
    case ColEnd: return QStringLiteral("End date time");
    case ColProfile: return QStringLiteral("Profile");
    default: return {};
    }
}

void TTimexSessionModel::Refill() {
    beginResetModel();
    FRows = FTimex.GetSessionCount();
    endResetModel();
}

// --- TFrameDownloadTimex --------------------------------------------------------------------

TFrameDownloadTimex::TFrameDownloadTimex()
    : TFrameScaled(nullptr), FTimex(std::make_unique<TTimex>(TimexDriver())) {
    setObjectName(QStringLiteral("FrameDownloadTimex"));
    resize(620, 360);
    auto *layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    TabSheetTimex = new QWidget(PageControl);
    TabSheetTimex->setObjectName(QStringLiteral("TabSheetTimex"));
    PageControl->addTab(TabSheetTimex, LanguageText(TimexText::STabSessions));
    auto *tabLayout = new QVBoxLayout(TabSheetTimex);
    ListView = new QTreeView(TabSheetTimex);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setRootIsDecorated(false);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setUniformRowHeights(true);
    FModel = new TTimexSessionModel(*FTimex, this);
    ListView->setModel(FModel);
    // Wide enough for a whole date and time in the system's short format.
    ListView->header()->resizeSection(TTimexSessionModel::ColStart, 160);
    ListView->header()->resizeSection(TTimexSessionModel::ColEnd, 160);
    ListView->header()->resizeSection(TTimexSessionModel::ColProfile, 80);
    ListView->header()->setStretchLastSection(true);
    tabLayout->addWidget(ListView);
    layout->addWidget(PageControl, 1);

    PanelBottom = new QWidget(this);
    auto *bottom = new QHBoxLayout(PanelBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    ButtonClearDataRecorder =
        new QPushButton(LanguageText(TimexText::SButtonClear), PanelBottom);
    ButtonClearDataRecorder->setObjectName(QStringLiteral("ButtonClearDataRecorder"));
    ButtonLoad = new QPushButton(LanguageText(TimexText::SButtonLoad), PanelBottom);
    ButtonSave = new QPushButton(LanguageText(TimexText::SButtonSave), PanelBottom);
    // Loading and saving raw recorder data stay out of the user's way.
    ButtonLoad->hide();
    ButtonSave->hide();
    bottom->addWidget(ButtonClearDataRecorder);
    bottom->addStretch(1);
    bottom->addWidget(ButtonLoad);
    bottom->addWidget(ButtonSave);
    layout->addWidget(PanelBottom);
    connect(ButtonClearDataRecorder, &QPushButton::clicked, this,
            [this] { ButtonClearDataRecorderClick(); });
    connect(ButtonLoad, &QPushButton::clicked, this, [this] { ButtonLoadClick(); });
    connect(ButtonSave, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
    ScaleToScreen();
}

TFrameDownloadTimex::~TFrameDownloadTimex() = default;

void TFrameDownloadTimex::RefillList() { FModel->Refill(); }

void TFrameDownloadTimex::ReportParseIssues() {
    if (FTimex->ParseIssues().empty()) return;
    QStringList lines;
    for (const TTimexParseIssue &issue : FTimex->ParseIssues()) lines << TimexIssueText(issue);
    MsgBox(lines.join(QLatin1Char('\n')), mtWarning, MsgButtons({mbOK}));
}

bool TFrameDownloadTimex::ConnectAndRead() {
    if (!FTimex->Connect()) {
        MsgBox(LanguageText(TimexText::SNotConnected), mtWarning, MsgButtons({mbOK}));
        return false;
    }
    bool read = false;
    {
        TReleaseGuard release(*FTimex);
        read = FTimex->ReadFromDevice();
    }
    RefillList();
    // A recorder without data reads as nothing, not as a failure.
    if (!read && !FTimex->ErrorText().isEmpty()) {
        MsgBox(FTimex->ErrorText(), mtWarning, MsgButtons({mbOK}));
        return false;
    }
    ReportParseIssues();
    return true;
}

bool TFrameDownloadTimex::GetSelectedSessions(std::vector<TTimexSession> &list) const {
    QModelIndexList rows = ListView->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &row : rows) {
        if (row.row() >= FTimex->GetSessionCount()) continue;
        list.emplace_back().Assign(FTimex->GetSession(row.row()));
    }
    return true;
}

void TFrameDownloadTimex::ButtonClearDataRecorderClick() {
    if (MsgBox(LanguageText(TimexText::SConfirmClear), mtConfirmation,
               MsgButtons({mbYes, mbNo})) != mrYes)
        return;
    if (FTimex->ClearMemory())
        MsgBox(LanguageText(TimexText::SMemoryCleared), mtInformation, MsgButtons({mbOK}));
    else
        MsgBox(LanguageText(TimexText::SClearFailed), mtWarning, MsgButtons({mbOK}));
}

void TFrameDownloadTimex::ButtonLoadClick() {
    const QString name = QFileDialog::getOpenFileName(this, QString(), ProgInfoGetProgDir());
    if (name.isEmpty()) return;
    if (!FTimex->LoadFromFile(name)) {
        MsgBox(FTimex->ErrorText(), mtError, MsgButtons({mbOK}));
        return;
    }
    RefillList();
    ReportParseIssues();
}

void TFrameDownloadTimex::ButtonSaveClick() {
    const QString name = QFileDialog::getSaveFileName(this, QString(), ProgInfoGetProgDir());
    if (name.isEmpty()) return;
    if (!FTimex->SaveToFile(name)) MsgBox(FTimex->ErrorText(), mtError, MsgButtons({mbOK}));
}
