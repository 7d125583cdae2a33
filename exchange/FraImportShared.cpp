#include "exchange/FraImportShared.h"

#include "exchange/FraImportFormatTexts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPainter>
#include <QPalette>

QLabel *ImportBoldLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

void DrawImportTitleRow(QPainter &painter, const QRect &row, const QPalette &palette, const QFont &font,
                        const QString &title) {
    const QRect r = row.adjusted(0, 0, 0, -1);
    painter.save();
    painter.fillRect(r, palette.color(QPalette::Base));
    painter.fillRect(r.adjusted(1, 1, -1, -1), palette.color(QPalette::Button));
    QFont f = font;
    f.setPointSize(7);
    f.setBold(true);
    painter.setFont(f);
    painter.setPen(palette.color(QPalette::ButtonText));
    const QRect text = r.adjusted(3, 0, -3, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(title, Qt::ElideMiddle, text.width()));
    painter.restore();
}

TSeparatorControls::TSeparatorControls(QWidget *parent, QGridLayout *grid, int row) : QObject(parent) {
    LabelSeparator = new QLabel(parent);
    LabelDecimal = new QLabel(parent);
    SepTab = new QRadioButton(parent);
    SepSemicolon = new QRadioButton(parent);
    SepComma = new QRadioButton(parent);
    SepOther = new QRadioButton(parent);
    EditSeparator = new QLineEdit(parent);
    EditSeparator->setMaxLength(1);
    EditSeparator->setFixedWidth(30);
    EditSeparator->setEnabled(false);
    SepTab->setChecked(true);
    DecPoint = new QRadioButton(parent);
    DecComma = new QRadioButton(parent);
    DecPoint->setChecked(true);
    grid->addWidget(LabelSeparator, row, 0);
    grid->addWidget(LabelDecimal, row + 1, 0);
    auto *separators = new QButtonGroup(this);
    int column = 1;
    for (QRadioButton *b : {SepTab, SepSemicolon, SepComma, SepOther}) {
        separators->addButton(b);
        grid->addWidget(b, row, column++);
        connect(b, &QRadioButton::clicked, this, &TSeparatorControls::OnSeparatorClicked);
    }
    grid->addWidget(EditSeparator, row, column);
    connect(EditSeparator, &QLineEdit::textChanged, this, [this] {
        if (!FShowing) emit FieldSeparatorChanged(FieldSeparator());
    });
    auto *decimals = new QButtonGroup(this);
    column = 1;
    for (QRadioButton *b : {DecPoint, DecComma}) {
        decimals->addButton(b);
        grid->addWidget(b, row + 1, column++);
        connect(b, &QRadioButton::clicked, this, [this] {
            if (!FShowing) emit DecimalSeparatorChanged(DecimalSeparator());
        });
    }
    UpdateTexts();
}

void TSeparatorControls::UpdateTexts() {
    using namespace ImportFormatText;
    LabelDecimal->setText(LanguageText(SDecimalSeparator) + u':');
    LabelSeparator->setText(LanguageText(SSeparator) + u':');
    DecComma->setText(LanguageText(SDecComma));
    DecPoint->setText(LanguageText(SDecPoint));
    SepComma->setText(LanguageText(SSepComma));
    SepOther->setText(LanguageText(SSepOther));
    SepSemicolon->setText(LanguageText(SSepSemicolon));
    SepTab->setText(LanguageText(SSepTab));
}

void TSeparatorControls::Show(QChar fieldSeparator, QChar decimalSeparator) {
    FShowing = true;
    DecimalButton(decimalSeparator)->setChecked(true);
    QRadioButton *button = SeparatorButton(fieldSeparator);
    button->setChecked(true);
    EditSeparator->setText(button == SepOther && !fieldSeparator.isNull() ? QString(fieldSeparator) : QString());
    EditSeparator->setEnabled(button == SepOther);
    FShowing = false;
}

QChar TSeparatorControls::FieldSeparator() const {
    if (SepComma->isChecked()) return u',';
    if (SepSemicolon->isChecked()) return u';';
    if (SepOther->isChecked()) return EditSeparator->text().isEmpty() ? QChar() : EditSeparator->text()[0];
    return u'\t';
}

QChar TSeparatorControls::DecimalSeparator() const { return DecPoint->isChecked() ? QChar(u'.') : QChar(u','); }

QRadioButton *TSeparatorControls::SeparatorButton(QChar separator) const {
    if (separator == u'\t') return SepTab;
    if (separator == u';') return SepSemicolon;
    if (separator == u',') return SepComma;
    return SepOther;
}

QRadioButton *TSeparatorControls::DecimalButton(QChar separator) const {
    return separator == u'.' ? DecPoint : DecComma;
}

void TSeparatorControls::OnSeparatorClicked() {
    EditSeparator->setEnabled(SepOther->isChecked());
    if (!FShowing) emit FieldSeparatorChanged(FieldSeparator());
}
