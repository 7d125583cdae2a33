#include "routes/FrmWaypointTypeEditFont.h"

#include "base/help/KvHTMLHelp.h"
#include "base/texts/KvStr.h"
#include "routes/DialogParts.h"
#include "routes/WaypointTypeTexts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

namespace T = WaypointTypeText;
constexpr int32_t HelpContext = 13001;

TFormWaypointTypeEditFont::TPrompter &Prompter() {
    static TFormWaypointTypeEditFont::TPrompter prompter;
    return prompter;
}

TFormWaypointTypeEditFont::TColorPicker &ColorPicker() {
    static TFormWaypointTypeEditFont::TColorPicker picker = [](uint32_t &argb, QWidget *owner) {
        const QColor c = QColorDialog::getColor(QColor::fromRgba(argb), owner);
        if (!c.isValid()) return false;
        argb = c.rgba() | 0xFF000000u;
        return true;
    };
    return picker;
}

}  // namespace

TFormWaypointTypeEditFont::TFormWaypointTypeEditFont(const TTypeFont &font, QWidget *owner)
    : QDialog(owner), FColour(font.Colour) {
    setObjectName(QStringLiteral("FormWaypointTypeEditFont"));
    setWindowTitle(LanguageText(T::FontCaption));
    EditSize = new QSpinBox(this);
    EditSize->setRange(6, 72);
    EditSize->setValue(std::clamp(font.Size, 6, 72));
    ShapeColor = NewColorSwatch(this);
    ButtonPickColor = new QPushButton(LanguageText(T::PickColor), this);
    CheckBold = new QCheckBox(LanguageText(T::Bold), this);
    CheckItalic = new QCheckBox(LanguageText(T::Italic), this);
    CheckUnderline = new QCheckBox(LanguageText(T::Underline), this);
    CheckBold->setChecked(font.Style & 1);
    CheckItalic->setChecked(font.Style & 2);
    CheckUnderline->setChecked(font.Style & 4);
    LabelSample = new QLabel(this);
    LabelSample->setMinimumHeight(80);
    LabelSample->setAlignment(Qt::AlignCenter);
    LabelSample->setFrameShape(QFrame::StyledPanel);
    ButtonHelp = new QPushButton(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"), this);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);

    auto *form = new QFormLayout;
    auto *general = new QLabel(LanguageText(T::General), this);
    QFont bold = general->font();
    bold.setBold(true);
    general->setFont(bold);
    form->addRow(general);
    form->addRow(LanguageText(T::Size) + u':', EditSize);
    auto *colour = new QHBoxLayout;
    colour->addWidget(ShapeColor);
    colour->addWidget(ButtonPickColor);
    colour->addStretch(1);
    form->addRow(LanguageText(T::Color) + u':', colour);
    auto *styles = new QVBoxLayout;
    for (QCheckBox *c : {CheckBold, CheckItalic, CheckUnderline}) styles->addWidget(c);
    form->addRow(LanguageText(T::Style) + u':', styles);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(LabelSample);
    main->addLayout(buttons);

    connect(EditSize, &QSpinBox::valueChanged, this, [this] { UpdateSample(); });
    for (QCheckBox *c : {CheckBold, CheckItalic, CheckUnderline}) connect(c, &QCheckBox::toggled, this, [this] { UpdateSample(); });
    connect(ButtonPickColor, &QPushButton::clicked, this, [this] {
        uint32_t argb = FColour;
        if (ColorPicker()(argb, this)) SetColour(argb);
    });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);
    SetColour(FColour);
}

TTypeFont TFormWaypointTypeEditFont::Font() const {
    TTypeFont f;
    f.Colour = FColour;
    f.Size = EditSize->value();
    f.Style = uint8_t((CheckBold->isChecked() ? 1 : 0) | (CheckItalic->isChecked() ? 2 : 0) |
                      (CheckUnderline->isChecked() ? 4 : 0));
    return f;
}

void TFormWaypointTypeEditFont::SetColour(uint32_t argb) {
    FColour = argb;
    SetSwatchColor(ShapeColor, QColor::fromRgb(argb));
    UpdateSample();
}

void TFormWaypointTypeEditFont::ShowSample(QLabel *sample, const TTypeFont &font) {
    QFont f = sample->font();
    f.setPointSize(font.Size);
    f.setBold(font.Style & 1);
    f.setItalic(font.Style & 2);
    f.setUnderline(font.Style & 4);
    sample->setFont(f);
    QPalette pal = sample->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(font.Colour));
    sample->setPalette(pal);
    sample->setText(LanguageText(T::Sample));
}

void TFormWaypointTypeEditFont::UpdateSample() { ShowSample(LabelSample, Font()); }

TFormWaypointTypeEditFont::TPrompter TFormWaypointTypeEditFont::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

TFormWaypointTypeEditFont::TColorPicker TFormWaypointTypeEditFont::SetColorPicker(TColorPicker picker) {
    return std::exchange(ColorPicker(), std::move(picker));
}

bool TFormWaypointTypeEditFont::Execute(TTypeFont &font, QWidget *owner) {
    TFormWaypointTypeEditFont form(font, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    font = form.Font();
    return true;
}
