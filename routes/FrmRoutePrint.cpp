#include "routes/FrmRoutePrint.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "routes/FraRoutesColumns.h"
#include "routes/FraRoutesTexts.h"

#include <KvLibNav6/KvAppReg.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
TFormRoutePrint::TPrompter &Prompter() {
    static TFormRoutePrint::TPrompter prompter;
    return prompter;
}
TFormRoutePrint::TPrinterNames &Names() {
    static TFormRoutePrint::TPrinterNames names;
    return names;
}
}  // namespace

TFormRoutePrint::TFormRoutePrint(const QString &key, const std::vector<TRouteOverviewOffer> &offers,
                                 const QStringList &printers, QPrinter &printer, QWidget *owner)
    : QDialog(owner), FPrinter(printer) {
    setWindowTitle(LanguageText(RouteText::PrintRoute));
    auto *layout = new QVBoxLayout(this);
    auto *general = new QGroupBox(LanguageText(RouteText::General), this);
    auto *row = new QHBoxLayout(general);
    row->addWidget(new QLabel(LanguageText(RouteText::Name) + u':', general));
    FPrinters = new QComboBox(general);
    FPrinters->addItems(printers);
    const int current = printers.indexOf(printer.printerName());
    FPrinters->setCurrentIndex(current >= 0 ? current : 0);
    row->addWidget(FPrinters, 1);
    FProperties = new QPushButton(LanguageText(RouteText::Properties), general);
    row->addWidget(FProperties);
    layout->addWidget(general);

    auto *orientation = new QGroupBox(LanguageText(RouteText::Orientation), this);
    auto *radios = new QHBoxLayout(orientation);
    FLandscape = new QRadioButton(LanguageText(RouteText::Landscape), orientation);
    FPortrait = new QRadioButton(LanguageText(RouteText::Portrait), orientation);
    radios->addWidget(FLandscape);
    radios->addWidget(FPortrait);
    radios->addStretch(1);
    QString stored;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, RouteTableKey, RegName(u"PrintOrientation"),
                     QStringLiteral("landscape"), stored);
    const bool portrait = stored.compare(QStringLiteral("portrait"), Qt::CaseInsensitive) == 0;
    FPortrait->setChecked(portrait);
    FLandscape->setChecked(!portrait);
    layout->addWidget(orientation);

    TRouteOverviewDialogParts parts = AddRouteOverviewDialogParts(this, layout, key, QStringLiteral("Print"), offers);
    FList = parts.List;
    FChoice = std::move(parts.Choice);
    FButtons = parts.Buttons;
    connect(FProperties, &QPushButton::clicked, this, [this] { ShowProperties(); });
    connect(FPrinters, &QComboBox::activated, this, [this](int index) { PrinterChosen(index); });
    resize(380, 480);
}

TFormRoutePrint::~TFormRoutePrint() = default;

int TFormRoutePrint::Orientation() const { return FPortrait->isChecked() ? 0 : 1; }

void TFormRoutePrint::PrinterChosen(int index) {
    const QString name = FPrinters->itemText(index);
    if (!name.isEmpty() && name != FPrinter.printerName()) FPrinter.setPrinterName(name);
}

void TFormRoutePrint::ShowProperties() {
    QPageSetupDialog dialog(&FPrinter, this);
    dialog.exec();
}

void TFormRoutePrint::accept() {
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, RouteTableKey, RegName(u"PrintOrientation"),
                   Orientation() == 0 ? QStringLiteral("portrait") : QStringLiteral("landscape"), err);
    FColumns = FChoice->Apply();
    QDialog::accept();
}

TFormRoutePrint::TPrompter TFormRoutePrint::SetPrompter(TPrompter prompter) {
    TPrompter old = std::move(Prompter());
    Prompter() = std::move(prompter);
    return old;
}

TFormRoutePrint::TPrinterNames TFormRoutePrint::SetPrinterNames(TPrinterNames names) {
    TPrinterNames old = std::move(Names());
    Names() = std::move(names);
    return old;
}

QStringList TFormRoutePrint::PrinterNames() {
    return Names() ? Names()() : QPrinterInfo::availablePrinterNames();
}

int TFormRoutePrint::Run() { return Prompter() ? Prompter()(*this) : exec(); }

bool ExecuteRoutePrint(const QString &key, int &orientation, std::vector<int> &columns,
                       const std::vector<TRouteOverviewOffer> &offers, QPrinter &printer, QWidget *owner) {
    const QStringList printers = TFormRoutePrint::PrinterNames();
    if (printers.isEmpty()) {
        MsgBox(LanguageText(RouteText::NoPrinter), mtError, MsgButtons({mbOK}));
        return false;
    }
    TFormRoutePrint form(key, offers, printers, printer, owner);
    if (form.Run() != QDialog::Accepted) return false;
    orientation = form.Orientation();
    columns = form.Columns();
    return true;
}
