#include "routes/FrmRouteGroup.h"

#include "base/texts/KvStr.h"
#include "base/waypoints/KvWaypoints.h"
#include "routes/RouteManagerTexts.h"

#include <KvLibNav6/KvWaypoints.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

TFormRouteGroup::TPrompter &Prompter() {
    static TFormRouteGroup::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormRouteGroup::TFormRouteGroup(IWptManager *manager, QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FormRouteGroup"));
    setWindowFlag(Qt::Tool);
    setWindowTitle(LanguageText(RouteManagerText::GroupCaption));
    LabelGroup = new QLabel(LanguageText(RouteManagerText::GroupLabel) + u':', this);
    ComboRouteGroup = new QComboBox(this);
    ComboRouteGroup->setEditable(true);
    ComboRouteGroup->setInsertPolicy(QComboBox::NoInsert);
    ComboRouteGroup->addItems(GroupNames(manager));
    ComboRouteGroup->setCurrentIndex(-1);
    ComboRouteGroup->setEditText(QString());
    LabelGroup->setBuddy(ComboRouteGroup);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(LabelGroup);
    row->addWidget(ComboRouteGroup, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addLayout(buttons);
    resize(334, 80);
}

QStringList TFormRouteGroup::GroupNames(IWptManager *manager) {
    QStringList names;
    for (int32_t i = 0; manager && i < manager->GetRouteCount(); ++i) {
        const QString name = WptRouteGetGroupName(manager->GetRoute(i));
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive)) names << name;
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    names.prepend(LanguageText(RouteManagerText::UngroupedItem));
    return names;
}

QString TFormRouteGroup::ChosenName() const {
    // The first item stands for no group only while it is the chosen item, not as typed text.
    if (ComboRouteGroup->currentIndex() == 0 && ComboRouteGroup->currentText() == ComboRouteGroup->itemText(0))
        return QString();
    return ComboRouteGroup->currentText();
}

TFormRouteGroup::TPrompter TFormRouteGroup::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormRouteGroup::Execute(IWptManager *manager, QString &groupName, QWidget *owner) {
    TFormRouteGroup form(manager, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    groupName = form.ChosenName();
    return true;
}
