#include "exchange/FraImportPropertiesRoute.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "exchange/FraImportPropertiesTexts.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace ImportPropertiesText;

namespace {

const QString ImportKey = QStringLiteral("Desktop\\Import");

// The radius the edit starts with: the last one used when it is a usable one, else the
// routes' default radius.
double StartRadius() {
    const double stored =
        float(RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, ImportKey, RegName(u"Radius"), 0.0));
    if (stored >= 1.0 && stored <= 10000.0) return stored;
    return RegReadDoubleDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"),
                            RegName(u"DefaultRadius"), 50.0);
}

TPointData *ItemOf(const QStandardItem *cell) {
    return static_cast<TPointData *>(cell->data(TFrameImportPropertiesRoute::ItemRole).value<void *>());
}

}  // namespace

TFrameImportPropertiesRoute::TFrameImportPropertiesRoute(QWidget *owner) : TFrameScaled(owner) {
    auto *layout = new QVBoxLayout(this);
    FLabelInformation = new QLabel(this);
    layout->addWidget(FLabelInformation);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    FLabelRadius = new QLabel(this);
    QFont bold = FLabelRadius->font();
    bold.setBold(true);
    FLabelRadius->setFont(bold);
    grid->addWidget(FLabelRadius, 0, 0, 1, 3);
    RadiusNew = new QRadioButton(this);
    RadiusData = new QRadioButton(this);
    RadiusNew->setChecked(true);
    EditRadius = new TNumberEdit(this);
    EditRadius->SetEditType(etFloatFixed);
    EditRadius->SetDigits(1);
    EditRadius->SetMin(1.0);
    EditRadius->SetMax(10000.0);
    EditRadius->Step = 1.0;
    EditRadius->SetValue(StartRadius());
    FLabelUnit = new QLabel(QStringLiteral("m"), this);
    grid->addWidget(RadiusNew, 1, 0);
    grid->addWidget(EditRadius, 1, 1);
    grid->addWidget(FLabelUnit, 1, 2);
    grid->addWidget(RadiusData, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    auto *group = new QButtonGroup(this);
    for (QRadioButton *b : {RadiusNew, RadiusData}) {
        group->addButton(b);
        connect(b, &QRadioButton::toggled, this, [this] {
            EditRadius->setEnabled(RadiusNew->isChecked());
            FLabelUnit->setEnabled(RadiusNew->isChecked());
        });
    }
    connect(EditRadius, &QLineEdit::editingFinished, this, &TFrameImportPropertiesRoute::StoreRadius);

    FLabelName = new QLabel(this);
    FLabelName->setFont(bold);
    layout->addWidget(FLabelName);
    FLabelNameInfo = new QLabel(this);
    layout->addWidget(FLabelNameInfo);
    List = new QTreeView(this);
    Model = new QStandardItemModel(0, 2, this);
    List->setModel(Model);
    List->setRootIsDecorated(false);
    List->setTextElideMode(Qt::ElideMiddle);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setEditTriggers(QAbstractItemView::EditKeyPressed);
    List->setSortingEnabled(true);
    List->sortByColumn(0, Qt::AscendingOrder);
    List->header()->resizeSection(0, 250);
    List->header()->setStretchLastSection(true);
    layout->addWidget(List, 1);
    connect(Model, &QStandardItemModel::itemChanged, this, &TFrameImportPropertiesRoute::OnNameEdited);
    UpdateTexts();
    ScaleToScreen();
}

TFrameImportPropertiesRoute::~TFrameImportPropertiesRoute() = default;

void TFrameImportPropertiesRoute::UpdateTexts() {
    FLabelName->setText(LanguageText(SName));
    FLabelNameInfo->setText(LanguageText(SNameInfo));
    FLabelInformation->setText(LanguageText(SRouteInformation));
    FLabelRadius->setText(LanguageText(SRadius));
    Model->setHorizontalHeaderLabels({LanguageText(SName), LanguageText(SFile)});
    RadiusNew->setText(LanguageText(SRadiusNew));
    RadiusData->setText(LanguageText(SRadiusData));
    setWindowTitle(LanguageText(SRoute));
}

void TFrameImportPropertiesRoute::StoreRadius() {
    int32_t err = 0;
    RegWriteDouble(GetAppReg(), AppRegRoot::Product, ImportKey, RegName(u"Radius"), double(EditRadius->Value()),
                   err);
}

void TFrameImportPropertiesRoute::SetRadiusDataAvailable(bool available) { RadiusData->setEnabled(available); }

void TFrameImportPropertiesRoute::Fill(std::vector<TPointData> &items) {
    FFilling = true;
    Model->removeRows(0, Model->rowCount());
    QStringList files;
    for (TPointData &item : items) {
        if (files.contains(item.FileName, Qt::CaseInsensitive)) continue;
        files << item.FileName;
        auto *name = new QStandardItem(item.RouteName);
        auto *file = new QStandardItem(item.FileName);
        file->setEditable(false);
        for (QStandardItem *cell : {name, file}) cell->setData(QVariant::fromValue(static_cast<void *>(&item)), ItemRole);
        file->setToolTip(item.FileName);
        Model->appendRow({name, file});
    }
    List->sortByColumn(0, Qt::AscendingOrder);
    FFilling = false;
}

void TFrameImportPropertiesRoute::SetRouteName(int row, const QString &name) {
    Model->item(row, 0)->setText(name);
}

void TFrameImportPropertiesRoute::OnNameEdited(QStandardItem *cell) {
    if (FFilling || cell->column() != 0) return;
    TPointData *item = ItemOf(cell);
    if (!item) return;
    if (cell->text().isEmpty()) {
        const QString message = LanguageText(SEmptyRouteName).replace(QStringLiteral("%s"),
                                                                      QFileInfo(item->FileName).fileName());
        FFilling = true;
        cell->setText(item->RouteName);
        FFilling = false;
        MsgBox(message, mtError, MsgButtons({mbOK}));
        return;
    }
    item->RouteName = cell->text();
}

void TFrameImportPropertiesRoute::Apply(std::vector<TPointData> &items) const {
    for (TPointData &item : items) {
        QString name;
        for (int r = 0; r < Model->rowCount(); ++r) {
            const TPointData *first = ItemOf(Model->item(r, 0));
            if (first && QString::compare(first->FileName, item.FileName, Qt::CaseInsensitive) == 0) {
                name = first->RouteName;
                break;
            }
        }
        item.RouteName = name;
        if (RadiusNew->isChecked()) item.RadiusM = double(EditRadius->Value());
    }
}
