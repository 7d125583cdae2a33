#include "routes/FrmWaypointDifference.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/dialogs/KvMsgIcons.h"
#include "base/graphics/KvNightScreen.h"
#include "routes/DialogParts.h"
#include "routes/WaypointEditTexts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TFormWaypointDifference::TPrompter &Prompter() {
    static TFormWaypointDifference::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormWaypointDifference::TFormWaypointDifference(QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FormWaypointDifference"));
    setWindowFlag(Qt::Tool);
    setWindowTitle(LanguageText(WaypointEditText::DifferenceCaption));
    QWidget *panel = NewInfoPanel(this);
    ImageWarning = new QLabel(panel);
    ImageWarning->setPixmap(MsgIconLoad(mtWarning, false, 32));
    ImageWarning->setAlignment(Qt::AlignTop);
    LabelText = new QLabel(LanguageText(WaypointEditText::DifferenceText1) + QStringLiteral("\n\n") +
                               LanguageText(WaypointEditText::DifferenceText2),
                           panel);
    LabelText->setWordWrap(true);
    auto *inner = new QHBoxLayout(panel);
    inner->addWidget(ImageWarning);
    inner->addWidget(LabelText, 1);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    ButtonClose = new QPushButton(LanguageText(WaypointEditText::CloseButton), this);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonClose);
    auto *main = new QVBoxLayout(this);
    main->addWidget(panel, 1);
    main->addWidget(line);
    main->addLayout(buttons);
    resize(312, 154 + 40);
    NightScreenAddImage(NightScreen(), ImageWarning);
}

TFormWaypointDifference::~TFormWaypointDifference() { NightScreenRemoveImage(NightScreen(), ImageWarning); }

TFormWaypointDifference::TPrompter TFormWaypointDifference::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

void TFormWaypointDifference::Execute(QWidget *owner) {
    TFormWaypointDifference form(owner);
    if (Prompter())
        Prompter()(form);
    else
        form.exec();
}
