#include "exchange/FrmFormatProfileEditor.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "base/units/KvAngles.h"
#include "exchange/FraImportFormatGrid.h"
#include "exchange/FraImportFormatTexts.h"
#include "exchange/FraImportShared.h"
#include "exchange/FrmFormatProfileTexts.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace FormatProfileText;

namespace {

constexpr int32_t HelpContext = 4010;
constexpr int SampleRows = 10;

TFormFormatProfileEditor::TPrompter &Prompter() {
    static TFormFormatProfileEditor::TPrompter prompter;
    return prompter;
}

QString KindKey(ITxtFormatProfile *profile, ITxtFormatField *field) {
    return TxtFormatProfileGetKindKey(profile, field->GetKindIndex());
}

QString ProfileWord(int32_t kind) {
    return LanguageText(kind == TxtFormatProfileKind::Route ? ImportFormatText::SRouteProfile
                                                            : ImportFormatText::SWaypointProfile);
}

}  // namespace

// ---- model ----

TProfileEditorModel::TProfileEditorModel(ITxtFormatProfile *profile, const TFormatSettings &numbers,
                                         QObject *parent)
    : QAbstractItemModel(parent), FProfile(profile), FNumbers(numbers) {}

void TProfileEditorModel::Refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QModelIndex TProfileEditorModel::index(int row, int column, const QModelIndex &parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return createIndex(row, column);
}

int TProfileEditorModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2 + SampleRows; }

int TProfileEditorModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : FProfile->GetFieldCount();
}

QString TProfileEditorModel::SampleText(int column, int k) const {
    namespace K = TxtFormatKindKey;
    ITxtFormatField *field = FProfile->GetField(column);
    if (!field) return {};
    const QString key = KindKey(FProfile, field);
    auto fixed = [this](double v) { return FloatToStrFixed(v, 7, 4, FNumbers); };
    auto numbered = [k](const TLanguageStrings &word) {
        return LanguageText(word) + u' ' + QStringLiteral("%1").arg(k, 2, 10, QChar(u'0'));
    };
    if (key == QStringView(K::Group)) return numbered(SGroupSample);
    if (key == QStringView(K::Name)) return numbered(SNameSample);
    if (key == QStringView(K::SubName)) return numbered(SSubNameSample);
    if (key == QStringView(K::Type)) return numbered(STypeSample);
    if (key == QStringView(K::Height)) return fixed(125.25);
    if (key == QStringView(K::Proximity)) return fixed(235.47);
    if (key == QStringView(K::Radius)) return fixed(50.0);
    if (key == QStringView(K::RDX)) return QStringLiteral("169679");
    if (key == QStringView(K::RDY)) return QStringLiteral("553610");
    const bool lat = key == QStringView(K::Latitude);
    if (!lat && key != QStringView(K::Longitude)) return {};
    QString angle;
    switch (field->GetGeoFormat()) {
    case 1: return fixed(lat ? 0.92448868747663 : 0.09783792187905);
    case 2: return lat ? QStringLiteral("52") : QStringLiteral("5");
    case 3: return fixed(lat ? 52.9693 : 5.6057);
    case 4: return lat ? QStringLiteral("58") : QStringLiteral("36");
    case 5: return fixed(lat ? 58.159 : 36.342);
    case 6: return fixed(20.52);
    case 7:
        if (lat) AngleToStr1(7, u'N', u'S', 0.924489, 2, 1, 1, angle);
        else AngleToStr1(7, u'E', u'W', 0.0978379, 2, 2, 1, angle);
        return angle;
    default: return {};
    }
}

QVariant TProfileEditorModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int kind = row == 0 ? ImportFormatRow::Kind : row == 1 ? ImportFormatRow::Type : ImportFormatRow::DataLine;
    if (role == TImportFormatModel::RowKindRole) return kind;
    ITxtFormatField *field = FProfile->GetField(index.column());
    if (!field) return {};
    if (role == Qt::DisplayRole) {
        QString name;
        if (kind == ImportFormatRow::Kind) TxtFormatKindToStr(TxtFormatFieldGetKindKey(field, field->GetKindIndex()), name);
        else if (kind == ImportFormatRow::Type) TxtFormatTypeToStr(TxtFormatFieldGetTypeKey(field, field->GetTypeIndex()), name);
        else name = SampleText(index.column(), row - 1);
        return name;
    }
    if (role == Qt::ForegroundRole && kind == ImportFormatRow::DataLine &&
        KindKey(FProfile, field) == QStringView(TxtFormatKindKey::Undefined)) {
        return QApplication::palette().color(QPalette::Dark);
    }
    return {};
}

Qt::ItemFlags TProfileEditorModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    ITxtFormatField *field = FProfile->GetField(index.column());
    if (field && ((index.row() == 0 && field->GetKindCount() > 1) || (index.row() == 1 && field->GetTypeCount() > 1)))
        f |= Qt::ItemIsEditable;
    return f;
}

// ---- dialog ----

TFormFormatProfileEditor::TFormFormatProfileEditor(ITxtFormatProfile *profile, int32_t kind, TMarivoNavEnv *env,
                                                   std::function<bool(const QString &)> nameTaken, QWidget *owner)
    : TFormScaled(owner), FProfile(profile), FKind(kind), FEnv(env), FNameTaken(std::move(nameTaken)),
      FNumbers(UserFormatSettings()) {
    setMinimumSize(692, 498);
    auto *layout = new QVBoxLayout(this);
    LabelInformation = new QLabel(this);
    layout->addWidget(LabelInformation);
    auto *grid = new QGridLayout;
    FLabelGeneral = ImportBoldLabel(this);
    grid->addWidget(FLabelGeneral, 0, 0, 1, 8);
    FLabelName = new QLabel(this);
    EditProfileName = new QLineEdit(this);
    grid->addWidget(FLabelName, 1, 0);
    grid->addWidget(EditProfileName, 1, 1, 1, 6);
    FLabelFormat = ImportBoldLabel(this);
    grid->addWidget(FLabelFormat, 2, 0, 1, 8);
    Separators = new TSeparatorControls(this, grid, 3);
    grid->setColumnStretch(7, 1);
    layout->addLayout(grid);
    Grid = new QTreeView(this);
    Grid->header()->hide();
    Grid->setRootIsDecorated(false);
    Grid->setIndentation(0);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(Grid, 1);
    auto *buttons = new QHBoxLayout;
    ButtonHelp = new QPushButton(this);
    ButtonOk = new QPushButton(this);
    ButtonCancel = new QPushButton(this);
    ButtonOk->setDefault(true);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    connect(Separators, &TSeparatorControls::FieldSeparatorChanged, this, [this](QChar separator) {
        TxtFormatProfileSetFieldSeparator(FProfile, separator);
        Model->Refresh();
    });
    connect(Separators, &TSeparatorControls::DecimalSeparatorChanged, this, [this](QChar separator) {
        TxtFormatProfileSetDecimalSeparator(FProfile, separator);
        FNumbers.DecimalSeparator = separator;
        Model->Refresh();
    });
    LoadProfile();
    connect(EditProfileName, &QLineEdit::textChanged, this,
            [this](const QString &text) { TxtFormatProfileSetName(FProfile, text); });
    UpdateTexts();
    BuildGrid();
    ScaleConstraints();
}

void TFormFormatProfileEditor::LoadProfile() {
    EditProfileName->setText(TxtFormatProfileGetName(FProfile));
    const QChar dec = TxtFormatProfileGetDecimalSeparator(FProfile);
    Separators->Show(TxtFormatProfileGetFieldSeparator(FProfile), dec);
    FNumbers.DecimalSeparator = dec == u'.' ? QChar(u'.') : QChar(u',');
}

void TFormFormatProfileEditor::UpdateTexts() {
    const QString word = ProfileWord(FKind);
    ButtonHelp->setText(LanguageText(SHelp) + QStringLiteral(" (F1)"));
    ButtonOk->setText(LanguageText(SOK));
    ButtonCancel->setText(LanguageText(SCancel));
    setWindowTitle(LanguageText(SEditProfile).replace(QStringLiteral("%s"), word.toLower()));
    LabelInformation->setText(
        LanguageText(ImportFormatText::SDefineProfile).replace(QStringLiteral("%s"), word.toLower()));
    FLabelGeneral->setText(LanguageText(SGeneral));
    FLabelFormat->setText(LanguageText(ImportFormatText::SFormat));
    FLabelName->setText(LanguageText(ImportFormatText::SName) + u':');
    Separators->UpdateTexts();
}

void TFormFormatProfileEditor::BuildGrid() {
    Model = new TProfileEditorModel(FProfile, FNumbers, this);
    FDelegate = new TImportFormatDelegate(
        [this](QComboBox *combo, const QModelIndex &index, int) {
            ImportFormatFillCombo(FProfile->GetField(index.column()), index.row(), combo);
        },
        nullptr,
        [this](QComboBox *combo, const QModelIndex &index, int) {
            ImportFormatApplyChoice(FProfile->GetField(index.column()), index.row(), combo->currentIndex());
            Model->Refresh();
        },
        this);
    FDelegate->VerticalGridLines = true;
    Grid->setItemDelegate(FDelegate);
    Grid->setModel(Model);
    connect(Grid, &QTreeView::clicked, this, [this](const QModelIndex &index) {
        if (index.row() < 2 && (index.flags() & Qt::ItemIsEditable)) Grid->edit(index);
    });
    const int width = std::max(fontMetrics().horizontalAdvance(TxtFormatLongestKindName()),
                               fontMetrics().horizontalAdvance(TxtFormatLongestTypeName())) + 7;
    for (int c = 0; c < Model->columnCount(); ++c) Grid->header()->resizeSection(c, std::clamp(width, 100, 400));
}

void TFormFormatProfileEditor::done(int result) {
    if (result == QDialog::Accepted) {
        const QString name = TxtFormatProfileGetName(FProfile).trimmed();
        QString message;
        if (name.isEmpty()) message = LanguageText(SEmptyName);
        else if (FNameTaken && FNameTaken(TxtFormatProfileGetName(FProfile)))
            message = LanguageText(SDuplicateName).replace(QStringLiteral("%s"), TxtFormatProfileGetName(FProfile));
        if (!message.isEmpty()) {
            MsgBox(message, mtError, MsgButtons({mbOK}));
            EditProfileName->setFocus();
            return;
        }
    }
    TFormScaled::done(result);
}

TFormFormatProfileEditor::TPrompter TFormFormatProfileEditor::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormFormatProfileEditor::Execute(ITxtFormatProfile *profile, int32_t kind, TMarivoNavEnv *env,
                                       std::function<bool(const QString &)> nameTaken) {
    TFormFormatProfileEditor form(profile, kind, env, std::move(nameTaken));
    const int result = Prompter() ? Prompter()(form) : form.exec();
    return result == QDialog::Accepted;
}
