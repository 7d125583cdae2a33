#include "objectinfo/FrmNumberInput.h"

#include "base/controls/KvEdits.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TFormNumberInput::TPrompter &Prompter() {
    static TFormNumberInput::TPrompter prompter;
    return prompter;
}

QString WithoutHotKey(const TLanguageStrings &s) { return LanguageText(s).remove(QLatin1Char('&')); }

}  // namespace

TFormNumberInput::TFormNumberInput(QWidget *owner, const TSetup &setup, float value)
    : TFormScaled(owner), FSetup(setup) {
    setObjectName(QStringLiteral("FormNumberInput"));
    setWindowTitle(setup.Caption);
    resize(259, 131);
    setMinimumSize(275, 170);
    auto *outer = new QVBoxLayout(this);
    LabelInfo = new QLabel(setup.Info, this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setWordWrap(true);
    outer->addWidget(LabelInfo);

    auto *row = new QHBoxLayout;
    EditInput = new TNumberEdit(this);
    EditInput->setObjectName(QStringLiteral("EditInput"));
    EditInput->setAlignment(Qt::AlignRight);
    EditInput->SetEditType(setup.Fractional ? etFloatFixed : etIntDecimal);
    EditInput->SetMin(setup.Minimum);
    EditInput->SetMax(setup.Maximum);
    EditInput->SetDigits(setup.Digits);
    row->addWidget(EditInput, 1);
    LabelUnit = new QLabel(setup.UnitText, this);
    LabelUnit->setObjectName(QStringLiteral("LabelUnit"));
    row->addWidget(LabelUnit);
    outer->addLayout(row);

    CheckUseDefault = new QCheckBox(setup.DefaultCaption, this);
    CheckUseDefault->setObjectName(QStringLiteral("CheckUseDefault"));
    CheckUseDefault->setVisible(setup.OfferDefault);
    outer->addWidget(CheckUseDefault);
    outer->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonOk = new QPushButton(WithoutHotKey(KvStr::BtnOK), this);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    ButtonCancel = new QPushButton(WithoutHotKey(KvStr::BtnCancel), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    outer->addLayout(buttons);

    const bool useDefault = setup.OfferDefault && value == setup.DefaultValue;
    CheckUseDefault->setChecked(useDefault);
    EditInput->SetValue(useDefault ? 0.0L : static_cast<long double>(value));
    EditInput->setEnabled(!useDefault);
    connect(CheckUseDefault, &QCheckBox::clicked, this, [this] { CheckUseDefaultClick(); });
    ScaleConstraints();
}

void TFormNumberInput::CheckUseDefaultClick() { EditInput->setEnabled(!CheckUseDefault->isChecked()); }

float TFormNumberInput::Result() const {
    if (FSetup.OfferDefault && CheckUseDefault->isChecked()) return FSetup.DefaultValue;
    long double v = EditInput->Value();
    // A text typed but not yet left is read here, within the limits.
    EditInput->ReadText(v);
    return static_cast<float>(v);
}

bool TFormNumberInput::Execute(const QString &caption, const QString &info, float &value,
                               int digits, float defaultValue, float maximum, float minimum,
                               bool offerDefault, bool fractional, const QString &defaultCaption,
                               const QString &unitText) {
    const TSetup setup{caption, info, digits, defaultValue, maximum, minimum,
                       offerDefault, fractional, defaultCaption, unitText};
    TFormNumberInput form(QApplication::activeWindow(), setup, value);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    value = form.Result();
    return true;
}

TFormNumberInput::TPrompter TFormNumberInput::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}
