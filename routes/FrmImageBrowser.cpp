#include "routes/FrmImageBrowser.h"

#include "base/files/KvFiles.h"
#include "base/folders/KvShellView.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "routes/WaypointTypeTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

namespace T = WaypointTypeText;
constexpr int32_t HelpContext = 14001;
const QString Masks = QStringLiteral("*.bmp;*.tga;*.jpg;*.png");

TFormImageBrowser::TPrompter &Prompter() {
    static TFormImageBrowser::TPrompter prompter;
    return prompter;
}

// The picture scaled to fit 64 × 64 and centred in a 32 × 32 box.
QIcon Thumbnail(const QString &file, QSize &size, int &depth) {
    QImageReader reader(file);
    size = reader.size();
    QImage image = reader.read();
    depth = image.isNull() ? 0 : image.depth();
    if (!size.isValid()) size = image.size();
    QPixmap box(32, 32);
    box.fill(Qt::transparent);
    if (!image.isNull()) {
        image = image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                    .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter p(&box);
        p.drawImage((32 - image.width()) / 2, (32 - image.height()) / 2, image);
    }
    return QIcon(box);
}

}  // namespace

TFormImageBrowser::TFormImageBrowser(const QString &fileName, const QString &defaultFolder, const QString &lastFolder,
                                     QWidget *owner)
    : TFormScaled(owner), FDefaultFolder(defaultFolder), FFileName(fileName) {
    setObjectName(QStringLiteral("FormImageBrowser"));
    setWindowTitle(LanguageText(T::BrowserCaption));
    ShellTreeView = new TShellTreeViewEx(this);
    LabelFolder = new QLabel(this);
    ListImages = new QListWidget(this);
    ListImages->setIconSize(QSize(32, 32));
    ListImages->setUniformItemSizes(true);
    ButtonDefaultFolder = new QPushButton(LanguageText(T::DefaultFolder), this);
    ButtonDefaultFolder->setVisible(QFileInfo(defaultFolder).isDir());
    ButtonHelp = new QPushButton(LanguageText(KvStr::BtnHelp) + QStringLiteral(" (F1)"), this);
    ButtonOk = new QPushButton(LanguageText(KvStr::BtnOK), this);
    ButtonCancel = new QPushButton(LanguageText(KvStr::BtnCancel), this);
    ButtonOk->setDefault(true);
    auto *images = new QWidget(this);
    auto *imagesLayout = new QVBoxLayout(images);
    imagesLayout->setContentsMargins(0, 0, 0, 0);
    imagesLayout->addWidget(LabelFolder);
    imagesLayout->addWidget(ListImages, 1);
    auto *split = new QSplitter(this);
    split->addWidget(ShellTreeView);
    split->addWidget(images);
    split->setSizes({220, 340});
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonHelp);
    buttons->addWidget(ButtonDefaultFolder);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(split, 1);
    main->addLayout(buttons);
    resize(600, 440);

    ShellTreeView->OnFolderSelect = [this](TShellTreeViewEx *, const TShellData &d) { ShowFolder(d.Path); };
    connect(ListImages, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (item->isSelected()) accept();
    });
    connect(ButtonDefaultFolder, &QPushButton::clicked, this, [this] {
        ShellTreeView->SelectPath(QFileInfo(FDefaultFolder).isDir() ? FDefaultFolder : ProgInfoGetProgDir());
    });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHTMLHelper().HelpContext(HelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, ButtonHelp, &QPushButton::click);

    const QString start = QFileInfo(lastFolder).isDir()      ? lastFolder
                          : QFileInfo(defaultFolder).isDir() ? defaultFolder
                                                             : ProgInfoGetProgDir();
    ShellTreeView->SelectPath(start);
    ShowFolder(start);
}

QStringList TFormImageBrowser::ImageFiles(const QString &folder) {
    QStringList files;
    FindFilesA(folder, Masks, false, files);
    files.sort(Qt::CaseInsensitive);
    files.removeDuplicates();
    return files;
}

void TFormImageBrowser::ShowFolder(const QString &folder) {
    if (folder.isEmpty() || QDir::cleanPath(folder) == QDir::cleanPath(FFolder)) return;
    FFolder = folder;
    ListImages->clear();
    const QStringList files = ImageFiles(folder);
    QListWidgetItem *chosen = nullptr;
    for (const QString &file : files) {
        QSize size;
        int depth = 0;
        const QIcon icon = Thumbnail(file, size, depth);
        const QFileInfo info(file);
        const QString details = QStringLiteral("%1 x %2 %3, %4 %5, %6. ")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(LanguageText(T::Pixels))
                                    .arg(depth)
                                    .arg(LanguageText(T::Bits), SizeToStr2(7, 1, 0, 1, info.size()));
        auto *item = new QListWidgetItem(icon, info.fileName() + u'\n' + details, ListImages);
        item->setData(Qt::UserRole, file);
        if (QFileInfo(file) == QFileInfo(FFileName)) chosen = item;
    }
    const QString name = QDir(folder).dirName().isEmpty() ? folder : QDir(folder).dirName();
    LabelFolder->setText(QStringLiteral("<b>%1</b> %2 %3").arg(name.toHtmlEscaped()).arg(files.size()).arg(LanguageText(T::ImageCount)));
    if (!chosen && ListImages->count() > 0) chosen = ListImages->item(0);
    if (chosen) ListImages->setCurrentItem(chosen);
}

QString TFormImageBrowser::FileName() const {
    const QListWidgetItem *item = ListImages->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

TFormImageBrowser::TPrompter TFormImageBrowser::SetPrompter(TPrompter prompter) {
    return std::exchange(Prompter(), std::move(prompter));
}

bool TFormImageBrowser::Execute(QString &fileName, const QString &defaultFolder, const QString &lastFolder,
                                QWidget *owner) {
    TFormImageBrowser form(fileName, defaultFolder, lastFolder, owner);
    const int result = Prompter() ? Prompter()(form) : form.exec();
    if (result != QDialog::Accepted || form.FileName().isEmpty()) return false;
    fileName = form.FileName();
    return true;
}
