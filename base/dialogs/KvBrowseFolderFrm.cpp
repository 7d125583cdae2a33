#include "base/dialogs/KvBrowseFolderFrm.h"

#include "base/folders/KvShellView.h"
#include "base/texts/KvStr.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TFormBrowseFolder::TPrompter &Prompter() {
    static TFormBrowseFolder::TPrompter prompter;
    return prompter;
}

}  // namespace

TFormBrowseFolder::TFormBrowseFolder(const QString &title, const QString &folder, bool readOnly,
                                     TBrowseFolderKind kind, TBrowseDirOptions options,
                                     QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      FOptions(options) {
    setMinimumSize(300, 300);
    setSizeGripEnabled(true);
    setWindowTitle(!title.isEmpty() ? title
                                    : LanguageText(kind == bkOpen ? KvStr::FolderSelectSource
                                                                  : KvStr::FolderSelectDestination));
    ShellTreeView = new TShellTreeViewEx(this);
    ButtonNew = new QPushButton(LanguageText(KvStr::FolderNew), this);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonNew);
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(ShellTreeView, 1);
    main->addLayout(buttons);

    ShellTreeView->OnFolderSelect = [this](TShellTreeViewEx *, const TShellData &d) { FolderSelected(d); };
    ShellTreeView->ReadOnly = readOnly;
    ButtonNew->setVisible(options & bfNewFolder);
    connect(ButtonNew, &QPushButton::clicked, this, [this] { ShellTreeView->CreateNewFolder(); });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The start folder climbs to the nearest existing directory; "/" is the last candidate.
    const QString start = NearestExistingDir(folder);
    if (!start.isEmpty()) ShellTreeView->SelectPath(start);
    if (const auto item = ShellTreeView->GetSelectedItem()) FolderSelected(*item);
    resize(360, 420);
}

void TFormBrowseFolder::FolderSelected(const TShellData &data) {
    const bool isDir = data.IsFolder && QFileInfo(data.Path).isDir();
    bool ok = isDir;
    if (ok && (FOptions & bfNoReadOnlyReturn) && data.ReadOnly) ok = false;
    ButtonOk->setEnabled(ok);
    ButtonNew->setEnabled(isDir);
}

TFormBrowseFolder::TPrompter TFormBrowseFolder::SetPrompter(TPrompter prompter) {
    TPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

bool TFormBrowseFolder::Execute(const QString &title, QString &folder, bool readOnly,
                                TBrowseFolderKind kind, TBrowseDirOptions options) {
    TFormBrowseFolder form(title, folder, readOnly, kind, options);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted) return false;
    // Enter reaches accept also while OK is disabled: only an enabled OK confirms.
    if (!form.ButtonOk->isEnabled()) return false;
    folder = form.ShellTreeView->GetSelectedPath();
    return true;
}
