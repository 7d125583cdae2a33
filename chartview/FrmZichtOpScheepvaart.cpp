#include "chartview/FrmZichtOpScheepvaart.h"

#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/registry/KvRegistry.h"
#include "base/web/KvWBContainer.h"
#include "chartview/ZichtOpScheepvaartTexts.h"

#include <KvLibNav6/KvAppReg.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString KeyBoat = QStringLiteral("Boat");
constexpr float DefaultMargin = 0.5f;

TFormZichtOpScheepvaart::TPrompter &Prompter() {
    static TFormZichtOpScheepvaart::TPrompter prompter;
    return prompter;
}

QString Para(const TLanguageStrings &text) {
    return QStringLiteral("<p>") + LanguageText(text).toHtmlEscaped() + QStringLiteral("</p>\n");
}

QString Item(const TLanguageStrings &text) {
    return QStringLiteral("<li>") + LanguageText(text).toHtmlEscaped() + QStringLiteral("</li>\n");
}

TNumberEdit *FixedEdit(QWidget *parent, long double max, long double value) {
    auto *edit = new TNumberEdit(parent);
    edit->SetEditType(etFloatFixed);
    edit->SetDigits(1);
    edit->SetMax(max);
    edit->SetValue(value);
    return edit;
}

// A row of edit and the text to its right.
QWidget *Row(QWidget *parent, QWidget *edit, QLabel *after) {
    auto *row = new QWidget(parent);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(edit);
    if (after) h->addWidget(after, 1);
    return row;
}

}  // namespace

TFormZichtOpScheepvaart::TFormZichtOpScheepvaart(QWidget *owner, int32_t mmsi, float mastHeight)
    : TFormScaled(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FMastHeight(mastHeight) {
    setObjectName(QStringLiteral("FormZichtOpScheepvaart"));
    setWindowTitle(QString::fromUtf8(zos::DialogCaption));
    resize(500, 525);
    setMinimumSize(350, 275);
    auto *v = new QVBoxLayout(this);
    LabelHeader = new QLabel(LanguageText(zos::Header), this);
    QFont bold = LabelHeader->font();
    bold.setBold(true);
    bold.setPixelSize(13);
    LabelHeader->setFont(bold);
    v->addWidget(LabelHeader);
    HTMLViewer = new TWBContainer(this);
    HTMLViewer->setMinimumHeight(200);
    HTMLViewer->setFrameShape(QFrame::NoFrame);
    HTMLViewer->LoadFromString(InfoPage());
    v->addWidget(HTMLViewer, 1);
    LabelInfo3 = new QLabel(LanguageText(zos::Info3), this);
    v->addWidget(LabelInfo3);

    auto *form = new QFormLayout;
    v->addLayout(form);
    QString name;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"ShipName"), QString(), name);
    EditShipName = new QLineEdit(name, this);
    EditShipName->setMaxLength(120);
    EditShipName->setEnabled(name.isEmpty());
    LabelRequired = new QLabel(LanguageText(zos::Required), this);
    LabelShipName = new QLabel(LanguageText(zos::ShipName) + QLatin1Char(':'), this);
    form->addRow(LabelShipName, Row(this, EditShipName, LabelRequired));
    EditMMSINumber = new TNumberEdit(this);
    EditMMSINumber->SetEditType(etIntDecimal);
    EditMMSINumber->SetDigits(3);
    EditMMSINumber->SetMax(999999999);
    EditMMSINumber->SetIntValue(mmsi);
    EditMMSINumber->setAlignment(Qt::AlignRight);
    EditMMSINumber->setEnabled(mmsi == 0);
    LabelMMSI = new QLabel(LanguageText(zos::MMSI) + QLatin1Char(':'), this);
    form->addRow(LabelMMSI, EditMMSINumber);
    const float margin = RegReadSingleDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperSafeMargin"), DefaultMargin);
    NumberEditSafetyMargin = FixedEdit(this, 3.0L, margin);
    connect(NumberEditSafetyMargin, &QLineEdit::editingFinished, this, &TFormZichtOpScheepvaart::NumberEditSafetyMarginExit);
    LabelSafetyMarginUnit = new QLabel(LanguageText(zos::SafetyMarginUnit), this);
    LabelSafetyMargin = new QLabel(LanguageText(zos::SafetyMargin) + QLatin1Char(':'), this);
    form->addRow(LabelSafetyMargin, Row(this, NumberEditSafetyMargin, LabelSafetyMarginUnit));
    NumberEditOperationHeight = FixedEdit(this, 100.0L, NumberEditSafetyMargin->Value() + mastHeight);
    NumberEditOperationHeight->setReadOnly(true);
    NumberEditOperationHeight->setEnabled(false);
    LabelOperationHeightUnit = new QLabel(LanguageText(zos::OperationHeightUnit), this);
    LabelOperationHeight = new QLabel(LanguageText(zos::OperationHeight) + QLatin1Char(':'), this);
    form->addRow(LabelOperationHeight, Row(this, NumberEditOperationHeight, LabelOperationHeightUnit));
    QString phone;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, KeyBoat, RegName(u"StructOperPhone"), QString(), phone);
    EditPhone = new QLineEdit(phone, this);
    LabelPhone = new QLabel(LanguageText(zos::Phone) + QLatin1Char(':'), this);
    form->addRow(LabelPhone, EditPhone);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonOK = new QPushButton(MsgDlgButtonCaption(mbYes), this);
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(MsgDlgButtonCaption(mbNo), this);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    v->addLayout(buttons);
    ScaleConstraints();
}

QString TFormZichtOpScheepvaart::InfoPage() {
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
                          "<html><head><title>") +
           QString::fromUtf8(zos::DialogCaption) +
           QStringLiteral("</title>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
                          "<style type=\"text/css\">body { font-family: \"Tahoma\", \"Verdana\", Sans-Serif; "
                          "line-height: 1.2em; font-size: 0.7em; }</style></head>\n<body>\n") +
           Para(zos::Html1) + Para(zos::Html2) + Para(zos::Html3) + Para(zos::Html4) + QStringLiteral("<ul>\n") +
           Item(zos::HtmlItem1) + Item(zos::HtmlItem2) + Item(zos::HtmlItem3) + QStringLiteral("</ul>\n") +
           Para(zos::Html5) + QStringLiteral("</body></html>\n");
}

void TFormZichtOpScheepvaart::NumberEditSafetyMarginExit() {
    NumberEditOperationHeight->SetValue(NumberEditSafetyMargin->Value() + FMastHeight);
}

void TFormZichtOpScheepvaart::done(int result) {
    if (result == QDialog::Accepted && EditShipName->text().isEmpty()) {
        MsgBox(LanguageText(zos::EnterShipName), mtCustom, 0);
        EditShipName->setFocus();
        return;
    }
    TFormScaled::done(result);
}

TFormZichtOpScheepvaart::TPrompter TFormZichtOpScheepvaart::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

int TFormZichtOpScheepvaart::Execute(QWidget *owner, QString &shipName, QString &phone, float &safetyMargin,
                                     int32_t &mmsi, float mastHeight) {
    TFormZichtOpScheepvaart form(owner, mmsi, mastHeight);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return result;
    shipName = form.EditShipName->text();
    phone = form.EditPhone->text();
    mmsi = int32_t(uint32_t(form.EditMMSINumber->GetIntValue()));
    safetyMargin = float(form.NumberEditSafetyMargin->Value());
    return result;
}
