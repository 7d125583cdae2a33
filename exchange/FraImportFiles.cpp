#include "exchange/FraImportFiles.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/controls/KvControls.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FraImportSource.h"
#include "exchange/FraImportSourceTexts.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace T = ImportSourceText;

namespace {

// Paths as the file system tells them apart: absolute, links resolved, case kept.
QString CanonicalPath(const QString &path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool RowLess(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    const int byName = fa.fileName().compare(fb.fileName(), Qt::CaseInsensitive);
    if (byName != 0) return byName < 0;
    const int byFolder = fa.path().compare(fb.path(), Qt::CaseInsensitive);
    if (byFolder != 0) return byFolder < 0;
    return a < b;
}

}  // namespace

// ---- List model ---------------------------------------------------------------------------

void TImportFileListModel::SetFiles(const QStringList &files) {
    beginResetModel();
    FRows = files;
    SortRows();
    endResetModel();
}

void TImportFileListModel::SetCaption(const QString &caption) {
    FCaption = caption;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

int TImportFileListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(FRows.size()); }

int TImportFileListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 1; }

QVariant TImportFileListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= FRows.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FRows[index.row()];
    if (role == Qt::SizeHintRole) return QSize(0, 22);
    if (role == Qt::BackgroundRole && index.row() % 2 == 1 && !NightScreen()->IsActive())
        return TColorToColor(AlternateRowColor);
    return {};
}

QVariant TImportFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return FCaption;
    return {};
}

void TImportFileListModel::sort(int, Qt::SortOrder order) {
    emit layoutAboutToBeChanged();
    FOrder = order;
    SortRows();
    emit layoutChanged();
}

void TImportFileListModel::SortRows() {
    std::sort(FRows.begin(), FRows.end(), RowLess);
    if (FOrder == Qt::DescendingOrder) std::reverse(FRows.begin(), FRows.end());
}

// ---- Page -------------------------------------------------------------------------------

TFrameImportFiles::TFrameImportFiles(TMarivoNavEnv *env) : TFrameScaled(nullptr), FEnv(env) {
    setObjectName(QStringLiteral("FrameImportFiles"));
    TabSheet = ImportSourceBuildPage(this, PageControl, LabelInformation, ImageInformation);
    Model = new TImportFileListModel(this);
    ListView = new QTreeView(TabSheet);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(Model);
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(0, Qt::AscendingOrder);
    ListView->header()->setStretchLastSection(true);
    ButtonAdd = new QPushButton(TabSheet);
    ButtonAdd->setObjectName(QStringLiteral("ButtonAdd"));
    ButtonDelete = new QPushButton(TabSheet);
    ButtonDelete->setObjectName(QStringLiteral("ButtonDelete"));
    for (QPushButton *b : {ButtonAdd, ButtonDelete}) b->setFixedSize(115, 25);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonAdd);
    buttons->addWidget(ButtonDelete);
    auto *column = new QVBoxLayout;
    static_cast<QBoxLayout *>(TabSheet->layout())->addLayout(column);
    column->setContentsMargins(0, 4, 0, 0);
    column->addWidget(ListView, 1);
    column->addLayout(buttons);
    connect(ButtonAdd, &QPushButton::clicked, this, [this] { Add(); });
    connect(ButtonDelete, &QPushButton::clicked, this, [this] { Delete(); });
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
    UpdateTexts();
    ScaleToScreen();
}

TFrameImportFiles::~TFrameImportFiles() { NightScreenRemoveImage(NightScreen(), ImageInformation); }

QString TFrameImportFiles::KindWord() const {
    switch (FImportType) {
    case ImportType::Polars: return LanguageText(T::KindPolarFiles);
    case ImportType::TextWaypoints: return LanguageText(T::KindWaypointFiles);
    case ImportType::TextRoutes: return LanguageText(T::KindRouteFiles);
    case ImportType::TrackFiles: return LanguageText(T::KindTrackFiles);
    default: return QString();
    }
}

void TFrameImportFiles::SetImportType(uint8_t type) {
    if (type == FImportType) return;
    FImportType = type;
    Files.clear();
    RefreshList();
    UpdateTexts();
}

bool TFrameImportFiles::Validate() {
    if (Files.isEmpty()) {
        MsgBox(LanguageText(T::NoFiles), mtError, MsgButtons({mbOK}));
        return false;
    }
    for (const QString &file : Files)
        if (!QFileInfo(file).isFile()) {
            MsgBox(LanguageText(T::MissingFiles), mtError, MsgButtons({mbOK}));
            return false;
        }
    return true;
}

void TFrameImportFiles::AddFiles(const QStringList &files) {
    if (FImportType == ImportType::TrackFiles) AddTrackFiles(files);
    else
        for (const QString &file : files) AddFile(file);
}

void TFrameImportFiles::AddTrackFiles(const QStringList &files) {
    if (files.isEmpty()) return;
    const QString folder = CanonicalPath(QFileInfo(files.first()).absolutePath());
    if (FEnv && folder == CanonicalPath(FEnv->TracksFolder)) {
        MsgBox(DataSelectFormat(LanguageText(T::InTracksFolder), {ProgInfoGetTitle()}), mtWarning, MsgButtons({mbOK}));
        return;
    }
    for (const QString &file : files) {
        TTrackFileInfo info;
        int32_t err = 0;
        NavTrackGetFileInfo(file, info, err);
        if (err != 0) {
            MsgBox(DataSelectFormat(LanguageText(T::CannotAdd), {QFileInfo(file).fileName(), ErrorToStrA(err)}),
                   mtError, MsgButtons({mbOK}));
            continue;
        }
        AddFile(file);
    }
}

void TFrameImportFiles::AddFile(const QString &file) {
    const QString path = CanonicalPath(file);
    const auto at = std::lower_bound(Files.begin(), Files.end(), path);
    if (at == Files.end() || *at != path) Files.insert(at, path);
}

void TFrameImportFiles::UpdateTexts() {
    const QString kind = KindWord();
    ButtonAdd->setText(LanguageText(T::Add));
    ButtonDelete->setText(LanguageText(T::Delete));
    LabelInformation->setText(DataSelectFormat(LanguageText(T::AddToList), {kind.toLower()}));
    Model->SetCaption(kind);
    PageControl->setTabText(0, kind);
}

void TFrameImportFiles::UpdateButtons() {
    ButtonDelete->setEnabled(Model->rowCount() > 0 && ListView->selectionModel()->hasSelection());
    ButtonAdd->setEnabled(true);
}

void TFrameImportFiles::RefreshList() {
    Model->SetFiles(Files);
    UpdateButtons();
}

void TFrameImportFiles::Add() {
    const bool polars = FImportType == ImportType::Polars;
    const QString value = polars ? QStringLiteral("ImportFolderPolars") : QStringLiteral("ImportFolder");
    TImportFileRequest request;
    request.Folder = ImportReadFolder(value, polars ? PolarFolder : ProgInfoGetProgDir());
    request.Multiple = true;
    switch (FImportType) {
    case ImportType::Polars: request.Filter = LanguageText(T::FilterPolars) + u'|' + LanguageText(T::FilterAll); break;
    case ImportType::TrackFiles: request.Filter = LanguageText(T::FilterTracks); break;
    default: request.Filter = LanguageText(T::FilterText) + u'|' + LanguageText(T::FilterAll); break;
    }
    const QStringList chosen = ImportChooseFiles(this, request);
    if (chosen.isEmpty()) return;
    AddFiles(chosen);
    ImportWriteFolder(value, chosen.first());
    RefreshList();
}

void TFrameImportFiles::Delete() {
    if (MsgBox(LanguageText(T::ConfirmDelete), mtConfirmation, MsgButtons({mbYes, mbNo})) != mrYes) return;
    QStringList chosen;
    for (const QModelIndex &index : ListView->selectionModel()->selectedRows()) chosen << Model->File(index.row());
    for (const QString &file : chosen) Files.removeAll(file);
    RefreshList();
}
