#include "routes/FrmColumns.h"

#include "base/texts/KvLanguage.h"
#include "routes/FraRoutesTexts.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
TFormColumns::TPrompter &Prompter() {
    static TFormColumns::TPrompter prompter;
    return prompter;
}
}  // namespace

TFormColumns::TFormColumns(const TColumnDescList &list, TRestoreDefaults restoreDefaults,
                           QWidget *owner, int flags)
    : QDialog(owner) {
    setWindowTitle(LanguageText(RouteText::SelectColumns));
    auto *layout = new QVBoxLayout(this);
    FFrame = new TFrameColumns(list, flags, std::move(restoreDefaults), this);
    layout->addWidget(FFrame, 1);
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    FButtons->button(QDialogButtonBox::Ok)->setText(LanguageText(RouteText::OK));
    FButtons->button(QDialogButtonBox::Cancel)->setText(LanguageText(RouteText::Cancel));
    layout->addWidget(FButtons);
    connect(FButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(FButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(320, 420);
}

TFormColumns::TPrompter TFormColumns::SetPrompter(TPrompter prompter) {
    TPrompter old = std::move(Prompter());
    Prompter() = std::move(prompter);
    return old;
}

int TFormColumns::Run() { return Prompter() ? Prompter()(*this) : exec(); }

bool ExecuteColumnsDialog(TColumnDescList &list, int flags, TRestoreDefaults restoreDefaults,
                          QWidget *owner) {
    TFormColumns form(list, std::move(restoreDefaults), owner, flags);
    if (form.Run() != QDialog::Accepted) return false;
    form.Frame()->GetResult(list);
    return true;
}
