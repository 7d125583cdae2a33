#include "chartview/FrmNavEdit.h"

#include "base/controls/KvEdits.h"
#include "base/texts/KvStr.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FraNavInfoTexts.h"

#include <KvLibNav6/KvUnits.h>

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <numbers>

namespace {

constexpr int RowTop = 5;
constexpr int RowHeight = 25;
constexpr int ButtonsHeight = 35;
constexpr double DegPerRad = 180.0 / std::numbers::pi;

TFormNavEdit::TPrompter &Prompter() {
    static TFormNavEdit::TPrompter prompter;
    return prompter;
}

}  // namespace

QWidget *TFormNavEdit::MakeRow(const QString &caption, TNumberEdit *&edit, QLabel *&unit) {
    auto *row = new QWidget(this);
    row->setGeometry(5, 0, 210, RowHeight);
    auto *l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(new QLabel(caption + u':', row), 1);
    edit = new TNumberEdit(row);
    edit->setFixedWidth(100);
    edit->setAlignment(Qt::AlignRight);
    l->addWidget(edit);
    unit = new QLabel(row);
    unit->setFixedWidth(30);
    l->addWidget(unit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { EditExit(); });
    return row;
}

TFormNavEdit::TFormNavEdit(const QString &caption, uint8_t flags, int32_t distanceUnit,
                           int32_t speedUnit, float angleRad, double distanceM, float speedMS)
    : TFormScaled(nullptr, Qt::Tool), FFlags(flags), FDistanceUnit(distanceUnit), FSpeedUnit(speedUnit),
      FAngle(angleRad), FDistance(distanceM), FSpeed(speedMS) {
    setWindowTitle(caption);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    QLabel *angleUnit = nullptr;
    PanelSpeed = MakeRow(LanguageText(NavInfoText::Speed), EditSpeed, LabelSpeedUnit);
    PanelAngle = MakeRow(LanguageText(NavInfoText::Angle), EditAngle, angleUnit);
    PanelDistance = MakeRow(LanguageText(NavInfoText::Distance), EditDistance, LabelDistanceUnit);
    angleUnit->setText(QStringLiteral("\u00B0"));
    EditAngle->SetEditType(etIntDecimal);
    EditAngle->SetDigits(3);
    EditAngle->SetMin(-360);
    EditAngle->SetMax(360);
    EditSpeed->SetEditType(etFloatFixed);
    EditSpeed->SetPrecision(1);
    EditSpeed->SetMin(-1000);
    EditSpeed->SetMax(1000);
    EditDistance->SetEditType(etFloatFixed);
    EditDistance->SetPrecision(1);
    EditDistance->SetMin(0);
    EditDistance->SetMax(999999);

    // Rows stacked from the top in the order speed, angle, distance; hidden rows take no room.
    int top = RowTop, height = ButtonsHeight + RowTop;
    const std::pair<QWidget *, uint8_t> rows[] = {
        {PanelSpeed, FlagSpeed}, {PanelAngle, FlagAngle}, {PanelDistance, FlagDistance}};
    for (auto [row, flag] : rows) {
        row->setVisible(flags & flag);
        if (!(flags & flag)) continue;
        row->move(row->x(), top);
        top += RowHeight;
        height += RowHeight;
    }
    PanelButtons = new QWidget(this);
    PanelButtons->setGeometry(0, height - ButtonsHeight, 224, ButtonsHeight);
    auto *line = new QFrame(PanelButtons);
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(0, 0, 224, 2);
    auto *ok = new QPushButton(LanguageText(KvStr::BtnOK), PanelButtons);
    auto *cancel = new QPushButton(LanguageText(KvStr::BtnCancel), PanelButtons);
    ok->setGeometry(224 - 2 * 80 - 10, 6, 75, 25);
    cancel->setGeometry(224 - 80 - 5, 6, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(224, height);

    EditAngle->SetIntValue(std::lround(angleRad * DegPerRad));
    EditDistance->SetValue(UnitConvert(distanceM, KvUnit::Metre, distanceUnit));
    EditSpeed->SetValue(UnitConvert(speedMS, KvUnit::MetrePerSecond, speedUnit));
    LabelDistanceUnit->setText(UnitToStr(distanceUnit));
    LabelSpeedUnit->setText(UnitToStr(speedUnit));
}

void TFormNavEdit::EditExit() {
    // A row the dialog does not show hands its value back untouched: a round trip through
    // the unit and the edit's one decimal would change it.
    if (FFlags & FlagAngle) FAngle = float(double(EditAngle->Value()) / DegPerRad);
    if (FFlags & FlagDistance)
        FDistance = UnitConvert(double(EditDistance->Value()), FDistanceUnit, KvUnit::Metre);
    if (FFlags & FlagSpeed)
        FSpeed = float(UnitConvert(double(EditSpeed->Value()), FSpeedUnit, KvUnit::MetrePerSecond));
}

void TFormNavEdit::done(int result) {
    if (result == QDialog::Accepted) EditExit();
    TFormScaled::done(result);
}

TFormNavEdit::TPrompter TFormNavEdit::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool TFormNavEdit::Execute(const QString &caption, float &angleRad, uint8_t flags, int32_t distanceUnit,
                           int32_t speedUnit, double &distanceM, float &speedMS) {
    TFormNavEdit form(caption, flags, distanceUnit, speedUnit, angleRad, distanceM, speedMS);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    form.EditExit();
    angleRad = form.Angle();
    distanceM = form.Distance();
    speedMS = form.Speed();
    return true;
}
