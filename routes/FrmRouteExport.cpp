#include "routes/FrmRouteExport.h"

#include "base/dialogs/KvBrowseFolderFrm.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "routes/FraRoutesColumns.h"
#include "routes/FraRoutesTexts.h"

#include <KvLibNav6/KvAppReg.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
TFormRouteExport::TPrompter &Prompter() {
    static TFormRouteExport::TPrompter prompter;
    return prompter;
}

QString ColumnKey(const QString &key, int column) {
    return key + u'\\' + QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0'));
}

QString WithSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\')) folder += u'/';
    return folder;
}
}  // namespace

TRouteColumnChoice::TRouteColumnChoice(QListWidget *list, const QString &key, const QString &valueName)
    : FList(list), FKey(key), FValueName(valueName) {}

bool TRouteColumnChoice::DefaultChecked(const QString &valueName, int column) {
    if (valueName != QStringLiteral("Print")) return true;
    return (column >= 1 && column <= 7) || column == 21 || column == 23 || column == 24;
}

void TRouteColumnChoice::Fill(const std::vector<TRouteOverviewOffer> &offers) {
    FList->clear();
    for (const TRouteOverviewOffer &o : offers) {
        if (o.Column == 0 || !RouteColumnAvailable(o.Column)) continue;
        auto *item = new QListWidgetItem(o.Title, FList);
        item->setData(Qt::UserRole, o.Column);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool checked = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, ColumnKey(FKey, o.Column),
                                            RegName(FValueName), DefaultChecked(FValueName, o.Column));
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<int> TRouteColumnChoice::Apply() const {
    std::vector<int> columns;
    for (int i = 0; i < FList->count(); ++i) {
        const QListWidgetItem *item = FList->item(i);
        const int column = item->data(Qt::UserRole).toInt();
        const bool checked = item->checkState() == Qt::Checked;
        if (checked) columns.push_back(column);
        int32_t err = 0;
        RegWriteBool(GetAppReg(), AppRegRoot::Product, ColumnKey(FKey, column), RegName(FValueName),
                     checked, err);
    }
    return columns;
}

QString RouteExportFolder() {
    QString documents;
    if (!GetSpecialFolderPath(5, documents)) documents = QDir::homePath();
    QString folder;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, RouteTableKey, RegName(u"ExportFolder"), documents, folder);
    return WithSlash(folder);
}


TRouteOverviewDialogParts AddRouteOverviewDialogParts(QDialog *dialog, QVBoxLayout *layout, const QString &key,
                                                      const QString &valueName,
                                                      const std::vector<TRouteOverviewOffer> &offers) {
    TRouteOverviewDialogParts parts;
    auto *columns = new QGroupBox(LanguageText(RouteText::Columns), dialog);
    parts.List = new QListWidget(columns);
    (new QVBoxLayout(columns))->addWidget(parts.List);
    layout->addWidget(columns, 1);
    parts.Choice = std::make_unique<TRouteColumnChoice>(parts.List, key, valueName);
    parts.Choice->Fill(offers);
    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(LanguageText(RouteText::OK));
    buttons->button(QDialogButtonBox::Cancel)->setText(LanguageText(RouteText::Cancel));
    buttons->button(QDialogButtonBox::Help)->setText(LanguageText(RouteText::Help));
    buttons->button(QDialogButtonBox::Help)->hide();
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    parts.Buttons = buttons;
    return parts;
}

TFormRouteExport::TFormRouteExport(const QString &key, const std::vector<TRouteOverviewOffer> &offers,
                                   QWidget *owner)
    : QDialog(owner) {
    setWindowTitle(LanguageText(RouteText::ExportRoute));
    auto *layout = new QVBoxLayout(this);
    auto *general = new QGroupBox(LanguageText(RouteText::General), this);
    auto *row = new QHBoxLayout(general);
    row->addWidget(new QLabel(LanguageText(RouteText::Folder) + u':', general));
    FFolder = new QLineEdit(RouteExportFolder(), general);
    row->addWidget(FFolder, 1);
    FBrowse = new QToolButton(general);
    FBrowse->setText(QStringLiteral("..."));
    row->addWidget(FBrowse);
    layout->addWidget(general);
    TRouteOverviewDialogParts parts = AddRouteOverviewDialogParts(this, layout, key, QStringLiteral("Export"), offers);
    FList = parts.List;
    FChoice = std::move(parts.Choice);
    FButtons = parts.Buttons;
    connect(FBrowse, &QToolButton::clicked, this, [this] { Browse(); });
    resize(360, 440);
}

TFormRouteExport::~TFormRouteExport() = default;

void TFormRouteExport::Browse() {
    QString folder = FFolder->text();
    if (TFormBrowseFolder::Execute(LanguageText(RouteText::Folder), folder, false, bkOpen, bfNewFolder))
        FFolder->setText(folder);
}

void TFormRouteExport::accept() {
    const QString folder = FFolder->text().trimmed();
    if (folder.isEmpty()) {
        MsgBox(LanguageText(RouteText::NoExportFolder), mtError, MsgButtons({mbOK}));
        return;
    }
    if (!QFileInfo(folder).isDir()) {
        MsgBox(LanguageText(RouteText::ExportFolderMissing), mtError, MsgButtons({mbOK}));
        return;
    }
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, RouteTableKey, RegName(u"ExportFolder"), folder, err);
    FColumns = FChoice->Apply();
    QDialog::accept();
}

TFormRouteExport::TPrompter TFormRouteExport::SetPrompter(TPrompter prompter) {
    TPrompter old = std::move(Prompter());
    Prompter() = std::move(prompter);
    return old;
}

int TFormRouteExport::Run() { return Prompter() ? Prompter()(*this) : exec(); }

bool ExecuteRouteExport(const QString &key, std::vector<int> &columns,
                        const std::vector<TRouteOverviewOffer> &offers, QWidget *owner) {
    TFormRouteExport form(key, offers, owner);
    if (form.Run() != QDialog::Accepted) return false;
    columns = form.Columns();
    return true;
}
