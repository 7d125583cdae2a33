#include "exchange/FraImportFormat.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "exchange/FraImportFormatTexts.h"
#include "exchange/FraImportShared.h"
#include "exchange/FrmFormatProfileManager.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

using namespace ImportFormatText;

namespace {

const QString ImportKey = QStringLiteral("Desktop\\Import");
// The grid measures one text per column: the longest cell, cut to what a column can show.
constexpr int MeasuredChars = 400;
constexpr int MinColumnWidth = 100, MaxColumnWidth = 400;

TFrameImportFormat::TManagerRunner &ManagerRunner() {
    static TFrameImportFormat::TManagerRunner runner = &TFormFormatProfileManager::Execute;
    return runner;
}

// Fills the "%s" and "%d" places of a text in order.
QString Fill(QString text, const QStringList &args) {
    for (const QString &a : args) {
        const qsizetype s = text.indexOf(QStringLiteral("%s"));
        const qsizetype d = text.indexOf(QStringLiteral("%d"));
        const qsizetype at = s < 0 ? d : (d < 0 ? s : std::min(s, d));
        if (at < 0) break;
        text.replace(at, 2, a);
    }
    return text;
}

class TOverrideCursor {
public:
    TOverrideCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TOverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
};


}  // namespace

TFrameImportFormat::TManagerRunner TFrameImportFormat::SetProfileManagerRunner(TManagerRunner runner) {
    return std::exchange(ManagerRunner(), std::move(runner));
}

TFrameImportFormat::TFrameImportFormat(QWidget *owner) : TFrameScaled(owner) {
    FRules.Numbers = UserFormatSettings();
    BuildControls();
    UpdateTexts();
    ScaleToScreen();
}

TFrameImportFormat::~TFrameImportFormat() {
    RestoreDefaultProfile();
    FGrid->setModel(nullptr);
}

void TFrameImportFormat::BuildControls() {
    auto *layout = new QVBoxLayout(this);
    FLabelInformation = ImportBoldLabel(this);
    layout->addWidget(FLabelInformation);

    auto *top = new QGridLayout;
    FLabelFormat = ImportBoldLabel(this);
    top->addWidget(FLabelFormat, 0, 0, 1, 8);
    FSeparators = new TSeparatorControls(this, top, 1);
    connect(FSeparators, &TSeparatorControls::FieldSeparatorChanged, this,
            &TFrameImportFormat::OnFieldSeparatorChanged);
    connect(FSeparators, &TSeparatorControls::DecimalSeparatorChanged, this,
            &TFrameImportFormat::OnDecimalSeparatorChanged);
    top->setColumnStretch(7, 1);
    layout->addLayout(top);

    FGrid = new QTreeView(this);
    FGrid->header()->hide();
    FGrid->setIndentation(0);
    FGrid->setRootIsDecorated(false);
    FGrid->setItemsExpandable(false);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setSelectionMode(QAbstractItemView::NoSelection);
    FGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    FGrid->header()->setStretchLastSection(false);
    FGrid->header()->setMinimumSectionSize(1);
    FModel = new TImportFormatModel(FFiles, this);
    FDelegate = new TImportFormatDelegate(
        [this](QComboBox *combo, const QModelIndex &index, int) { FillCombo(combo, index); }, nullptr,
        [this](QComboBox *combo, const QModelIndex &index, int) { ApplyChoice(combo, index); }, this);
    FDelegate->VerticalGridLines = true;
    FGrid->setItemDelegate(FDelegate);
    FGrid->setModel(FModel);
    connect(FGrid, &QTreeView::clicked, this, &TFrameImportFormat::OnCellClicked);
    connect(FGrid, &QTreeView::collapsed, FGrid, &QTreeView::expand);
    layout->addWidget(FGrid, 1);

    auto *bottom = new QHBoxLayout;
    FLabelProfile = ImportBoldLabel(this);
    layout->addWidget(FLabelProfile);
    FLabelName = new QLabel(this);
    FComboProfiles = new QComboBox(this);
    FComboProfiles->setMinimumWidth(250);
    connect(FComboProfiles, &QComboBox::activated, this, &TFrameImportFormat::OnProfileChosen);
    FButtonManage = new QPushButton(this);
    connect(FButtonManage, &QPushButton::clicked, this, &TFrameImportFormat::OnManageClicked);
    bottom->addWidget(FLabelName);
    bottom->addWidget(FComboProfiles);
    bottom->addWidget(FButtonManage);
    bottom->addStretch(1);
    layout->addLayout(bottom);
}

QString TFrameImportFormat::KindWord() const {
    if (FKind == TxtFormatProfileKind::Waypoint) return LanguageText(SWaypointProfile);
    if (FKind == TxtFormatProfileKind::Route) return LanguageText(SRouteProfile);
    return QString();
}

QString TFrameImportFormat::SettingName() const {
    return FKind == TxtFormatProfileKind::Route ? QStringLiteral("ProfileRoute")
                                                : QStringLiteral("ProfileWaypoint");
}

void TFrameImportFormat::UpdateTexts() {
    FButtonManage->setText(LanguageText(SManage));
    FLabelFormat->setText(LanguageText(SFormat));
    FLabelName->setText(LanguageText(SName) + u':');
    FSeparators->UpdateTexts();
    if (FKind == TxtFormatProfileKind::Waypoint || FKind == TxtFormatProfileKind::Route) {
        FLabelInformation->setText(Fill(LanguageText(SDefineProfile), {KindWord().toLower()}));
        FLabelProfile->setText(KindWord());
        setWindowTitle(KindWord());
    }
}

QRadioButton *TFrameImportFormat::SeparatorButton(QChar separator) const {
    return FSeparators->SeparatorButton(separator);
}

QRadioButton *TFrameImportFormat::DecimalButton(QChar separator) const {
    return FSeparators->DecimalButton(separator);
}

QLineEdit *TFrameImportFormat::SeparatorEdit() const { return FSeparators->EditSeparator; }

int TFrameImportFormat::ColumnWidth(int column) const { return FGrid->header()->sectionSize(column); }

// ---- files ----

void TFrameImportFormat::ClearFiles() {
    FFiles.clear();
    Rebuild();
}

bool TFrameImportFormat::LoadFiles(const QStringList &files, QString &failedFile, int32_t &error,
                                   QString &errorText) {
    failedFile.clear();
    error = 0;
    errorText.clear();
    for (const QString &name : files) {
        QFile file(name);
        QStringList lines;
        int nulLine = 0;
        if (!file.open(QIODevice::ReadOnly)) {
            error = QFileInfo::exists(name) ? KvErr::AccessDenied : KvErr::NotFound;
            errorText = ErrorToStrA(error);
        } else if (!TxtImportDecodeLines(file.readAll(), lines, nulLine)) {
            error = KvErr::BadFormat;
            errorText = Fill(LanguageText(SNulCharacter), {QString::number(nulLine)});
        }
        if (error != 0) {
            failedFile = name;
            return false;
        }
        FFiles.push_back(TImportFormatFile{name, std::move(lines), {}});
    }
    Rebuild();
    return true;
}

// ---- profiles ----

void TFrameImportFormat::Prepare(ITxtFormatProfileManager *manager, int32_t kind, TMarivoNavEnv *env) {
    if (manager != FManager) {
        RestoreDefaultProfile();
        FProfile = nullptr;
        FSaved.reset();
    }
    FManager = manager;
    FKind = kind;
    FEnv = env;
    FModel->SetProfile(nullptr);
    ITxtFormatProfile *profile = nullptr;
    if (FManager) {
        QString name;
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, ImportKey, RegName(SettingName()), QString(), name);
        int32_t index = -1;
        if (TxtFormatProfileManagerFind(FManager, name, index)) profile = FManager->GetProfile(index);
    }
    FillProfileCombo();
    SelectProfile(profile);
    UpdateTexts();
}

void TFrameImportFormat::FillProfileCombo() {
    FComboProfiles->clear();
    if (!FManager) return;
    struct TEntry {
        QString Text;
        ITxtFormatProfile *Profile;
    };
    std::vector<TEntry> entries;
    for (int32_t i = 0; i < FManager->GetCount(); ++i) {
        ITxtFormatProfile *p = FManager->GetProfile(i);
        QString text;
        if (!p->IsDefault() || !TxtFormatDefaultProfileName(FKind, text)) text = TxtFormatProfileGetName(p);
        entries.push_back({text, p});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry &a, const TEntry &b) {
        return QString::compare(a.Text, b.Text, Qt::CaseInsensitive) < 0;
    });
    for (const TEntry &e : entries) {
        FComboProfiles->addItem(e.Text, QVariant::fromValue(static_cast<void *>(e.Profile)));
    }
}

void TFrameImportFormat::SelectProfile(ITxtFormatProfile *profile) {
    FUpdating = true;
    struct TClear {
        bool &Flag;
        ~TClear() { Flag = false; }
    } clear{FUpdating};
    if (!FManager) {
        FProfile = nullptr;
        FSaved.reset();
        FModel->SetProfile(nullptr);
        return;
    }
    if (FManager->IndexOf(profile) < 0) {
        int32_t index = -1;
        profile = FManager->GetDefaultIndex(index) ? FManager->GetProfile(index) : nullptr;
    }
    if (profile != FProfile) {
        SaveProfileIfModified();
        RestoreDefaultProfile();
        FProfile = profile;
        FSaved.reset(profile ? FManager->CopyProfile(profile) : nullptr);
        ShowProfileSeparators();
    }
    FModel->SetProfile(FProfile);
    const int entry = FComboProfiles->findData(QVariant::fromValue(static_cast<void *>(FProfile)));
    FComboProfiles->setCurrentIndex(entry);
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, ImportKey, RegName(SettingName()),
                   FProfile ? TxtFormatProfileGetName(FProfile) : QString(), err);
    Rebuild();
}

void TFrameImportFormat::ShowProfileSeparators() {
    if (!FProfile) return;
    const QChar dec = TxtFormatProfileGetDecimalSeparator(FProfile);
    FSeparators->Show(TxtFormatProfileGetFieldSeparator(FProfile), dec);
    FRules.Numbers.DecimalSeparator = dec == u'.' ? QChar(u'.') : QChar(u',');
}

void TFrameImportFormat::SaveProfileIfModified() {
    if (!FProfile || FProfile->IsDefault() || !FProfile->IsModified()) return;
    const QString question =
        Fill(LanguageText(SProfileModified), {KindWord(), TxtFormatProfileGetName(FProfile)});
    if (MsgBox(question, mtConfirmation, MsgButtons({mbYes, mbNo})) == mrYes) {
        int32_t err = 0;
        FManager->SaveToFile(err);
        RaiseIfError(err);
        // What the file now holds is what a later No goes back to.
        FSaved.reset(FManager->CopyProfile(FProfile));
    } else if (FSaved) {
        FProfile->Assign(FSaved.get());
    }
}

// Changes made on the page to the built-in profile last only while the page shows it.
void TFrameImportFormat::RestoreDefaultProfile() {
    if (FProfile && FSaved && FProfile->IsDefault() && FProfile->IsModified()) FProfile->Assign(FSaved.get());
}

// ---- grid ----

void TFrameImportFormat::RefreshRules() {
    FRules.Columns.clear();
    FRules.ProfileKind = FKind;
    FRules.FieldSeparator = FProfile ? TxtFormatProfileGetFieldSeparator(FProfile) : QChar();
    if (!FProfile) return;
    for (int c = 0; c < FModel->Columns(); ++c) {
        ITxtFormatField *field = FProfile->GetField(c);
        if (!field) {
            FRules.Columns.push_back({});
            continue;
        }
        FRules.Columns.push_back({TxtFormatProfileGetKindKey(FProfile, field->GetKindIndex()),
                                  field->GetGeoFormat(), field->GetDistanceUnit()});
    }
}

void TFrameImportFormat::Rebuild() {
    TOverrideCursor cursor;
    const QChar sep = FProfile ? TxtFormatProfileGetFieldSeparator(FProfile) : QChar();
    std::vector<QStringList> lines;
    lines.reserve(FFiles.size());
    for (const TImportFormatFile &f : FFiles) lines.push_back(f.Lines);
    const int n = FManager ? TxtImportCountColumns(lines, sep) : 0;
    FModel->Reset(0);
    for (TImportFormatFile &f : FFiles) f.Rows.clear();
    if (n == 0) return;
    FModel->Reset(n);  // columns known before the rules read the fields
    RefreshRules();
    std::vector<int> longest(size_t(n), 0);
    std::vector<const QString *> widest(size_t(n), nullptr);
    for (TImportFormatFile &f : FFiles) {
        f.Rows.reserve(size_t(f.Lines.size()));
        for (const QString &text : f.Lines) {
            if (text.isEmpty()) continue;
            TTxtImportLine &row = f.Rows.emplace_back();
            row.Item.FileName = f.FileName;
            TxtImportParseLine(row, text, FRules, n);
            for (int c = 0; c < n; ++c) {
                if (row.Cells[c].size() > longest[size_t(c)]) {
                    longest[size_t(c)] = int(row.Cells[c].size());
                    widest[size_t(c)] = &row.Cells[c];
                }
            }
        }
    }
    FModel->Reset(n);
    for (size_t f = 0; f < FFiles.size(); ++f) {
        const QModelIndex header = FModel->HeaderIndex(int(f));
        FGrid->setFirstColumnSpanned(header.row(), QModelIndex(), true);
        FGrid->expand(header);
    }
    std::vector<int> widths(static_cast<size_t>(n), 0);
    const QFontMetrics fm = FGrid->fontMetrics();
    const int names = std::max(fm.horizontalAdvance(TxtFormatLongestKindName()),
                               fm.horizontalAdvance(TxtFormatLongestTypeName()));
    for (int c = 0; c < n; ++c) {
        const int text = widest[size_t(c)] ? fm.horizontalAdvance(widest[size_t(c)]->left(MeasuredChars)) : 0;
        widths[size_t(c)] = std::max(names, text);
    }
    SizeColumns(widths);
    FGrid->scrollToTop();
}

void TFrameImportFormat::SizeColumns(const std::vector<int> &widths) {
    const double scale = ScreenDpi() / 96.0;
    const int low = int(MinColumnWidth * scale), high = int(MaxColumnWidth * scale);
    // Text margin 3 on both sides, and the grid line.
    for (size_t c = 0; c < widths.size(); ++c) {
        const int w = int((widths[c] + 2 * 3 + 1) * scale);
        FGrid->header()->resizeSection(int(c), std::clamp(w, low, high));
    }
    FDelegate->DropDownRowHeight = int(24 * scale);
}

void TFrameImportFormat::CheckColumn(int column) {
    RefreshRules();
    for (TImportFormatFile &f : FFiles)
        for (TTxtImportLine &row : f.Rows) TxtImportCheckColumn(row, FRules, column);
    FModel->Refresh();
}

void TFrameImportFormat::CheckAllColumns() {
    RefreshRules();
    for (TImportFormatFile &f : FFiles)
        for (TTxtImportLine &row : f.Rows) TxtImportCheckLine(row, FRules);
    FModel->Refresh();
}

void TFrameImportFormat::BuildEveryItem() {
    for (TImportFormatFile &f : FFiles)
        for (TTxtImportLine &row : f.Rows) TxtImportBuildItem(row, FRules);
    FModel->Refresh();
}

// ---- next ----

bool TFrameImportFormat::Validate() {
    if (!FManager || !FProfile) return false;
    int lines = 0, importable = 0;
    for (const TImportFormatFile &f : FFiles) {
        for (const TTxtImportLine &row : f.Rows) {
            ++lines;
            if (row.Importable) ++importable;
        }
    }
    if (importable == 0) {
        MsgBox(LanguageText(FKind == TxtFormatProfileKind::Route ? SNoValidRoutePoints : SNoValidWaypoints),
               mtError, MsgButtons({mbOK}));
        return false;
    }
    if (importable < lines &&
        MsgBox(Fill(LanguageText(SNotAllItems), {KindWord().toLower()}), mtConfirmation,
               MsgButtons({mbYes, mbNo})) != mrYes) {
        return false;
    }
    if (!FProfile->IsDefault()) {
        try {
            SaveProfileIfModified();
        } catch (const Exception &e) {
            MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
            return false;
        }
    }
    return true;
}

void TFrameImportFormat::CollectItems(std::vector<TPointData> &items) const {
    items.clear();
    for (const TImportFormatFile &f : FFiles) {
        int32_t index = 0;
        const QString routeName = QFileInfo(f.FileName).completeBaseName();
        for (const TTxtImportLine &row : f.Rows) {
            if (!row.Importable) continue;
            TPointData item;
            const TPointData &from = row.Item;
            item.FileName = from.FileName;
            item.GroupName = from.GroupName;
            item.Name = from.Name;
            item.LatitudeRad = from.LatitudeRad;
            item.LongitudeRad = from.LongitudeRad;
            item.HeightM = from.HeightM;
            item.ProximityM = from.ProximityM;
            item.RadiusM = from.RadiusM;
            item.SubName = from.SubName;
            item.TypeName = from.TypeName;
            item.Index = index++;
            item.Import = true;
            item.RouteName = routeName;
            items.push_back(std::move(item));
        }
    }
}

// ---- events ----

void TFrameImportFormat::OnProfileChosen(int entry) {
    SelectProfile(static_cast<ITxtFormatProfile *>(FComboProfiles->itemData(entry).value<void *>()));
}

void TFrameImportFormat::OnManageClicked() {
    if (!FManager || !ManagerRunner()) return;
    QWidget *owner = window();
    const bool hide = owner != this && owner->isVisible();
    if (hide) owner->hide();
    struct TShow {
        QWidget *Owner;
        bool Hidden;
        ~TShow() {
            if (Hidden) Owner->show();
        }
    } show{owner, hide};
    SaveProfileIfModified();
    ITxtFormatProfile *remembered = FProfile;
    ManagerRunner()(FManager, FKind, FEnv);
    FillProfileCombo();
    // The dialog may have changed or deleted the current profile: read it anew.
    FProfile = nullptr;
    FSaved.reset();
    SelectProfile(remembered);
}

void TFrameImportFormat::OnFieldSeparatorChanged(QChar separator) {
    if (FUpdating || !FProfile) return;
    TxtFormatProfileSetFieldSeparator(FProfile, separator);
    Rebuild();
}

void TFrameImportFormat::OnDecimalSeparatorChanged(QChar separator) {
    if (FUpdating || !FProfile) return;
    TxtFormatProfileSetDecimalSeparator(FProfile, separator);
    FRules.Numbers.DecimalSeparator = separator;
    CheckAllColumns();
    BuildEveryItem();
}

void TFrameImportFormat::OnCellClicked(const QModelIndex &index) {
    const int kind = FModel->RowKind(index);
    if ((kind == ImportFormatRow::Kind || kind == ImportFormatRow::Type) &&
        (FModel->flags(index) & Qt::ItemIsEditable)) {
        FGrid->edit(index);
    }
}

void TFrameImportFormat::EditColumnCell(int row, int column) {
    OnCellClicked(FModel->index(row, column));
}

void TFrameImportFormat::FillCombo(QComboBox *combo, const QModelIndex &index) {
    ImportFormatFillCombo(FProfile ? FProfile->GetField(index.column()) : nullptr, FModel->RowKind(index), combo);
}

void TFrameImportFormat::ApplyChoice(QComboBox *combo, const QModelIndex &index) {
    if (!FProfile) return;
    ImportFormatApplyChoice(FProfile->GetField(index.column()), FModel->RowKind(index), combo->currentIndex());
    CheckColumn(index.column());
    BuildEveryItem();
}
