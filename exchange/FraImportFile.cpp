#include "exchange/FraImportFile.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/strings/KvStrUtils.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FraImportSource.h"
#include "exchange/FraImportSourceTexts.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace T = ImportSourceText;

TFrameImportFile::TFrameImportFile(QWidget *owner) : TFrameScaled(owner), FKindWord(LanguageText(T::KindNone)) {
    setObjectName(QStringLiteral("FrameImportFile"));
    TabSheet = ImportSourceBuildPage(this, PageControl, LabelInformation, ImageInformation);
    LabelFilename = new QLabel(TabSheet);
    LabelFilename->setObjectName(QStringLiteral("LabelFilename"));
    EditFilename = new QLineEdit(TabSheet);
    EditFilename->setObjectName(QStringLiteral("EditFilename"));
    // Shown only: the name comes from the dialog.
    EditFilename->setEnabled(false);
    ButtonBrowse = new QPushButton(TabSheet);
    ButtonBrowse->setObjectName(QStringLiteral("ButtonBrowse"));
    ButtonBrowse->resize(100, 25);
    connect(ButtonBrowse, &QPushButton::clicked, this, [this] { Browse(); });
    TabSheet->installEventFilter(this);
    UpdateTexts();
    ScaleToScreen();
}

TFrameImportFile::~TFrameImportFile() { NightScreenRemoveImage(NightScreen(), ImageInformation); }

void TFrameImportFile::SetImportType(uint8_t type) {
    if (type == FImportType) return;
    FImportType = type;
    if (type == ImportType::DataFile) FKindWord = LanguageText(T::KindDataFile);
    else if (type == ImportType::GPX) FKindWord = LanguageText(T::KindGPX);
    else if (type == ImportType::TextRoutes) FKindWord = LanguageText(T::KindRouteFile);
    FileName.clear();
    EditFilename->clear();
    UpdateTexts();
}

bool TFrameImportFile::Validate() {
    if (!FileName.isEmpty() && QFileInfo(FileName).isFile()) return true;
    MsgBox(DataSelectFormat(LanguageText(T::InvalidFile), {FKindWord, FKindWord}), mtError, MsgButtons({mbOK}));
    return false;
}

bool TFrameImportFile::eventFilter(QObject *watched, QEvent *event) {
    if (watched == TabSheet && event->type() == QEvent::Resize) ArrangeControls();
    return TFrameScaled::eventFilter(watched, event);
}

void TFrameImportFile::UpdateTexts() {
    ButtonBrowse->setText(LanguageText(T::Browse));
    LabelInformation->setText(DataSelectFormat(LanguageText(T::SelectFile), {FKindWord}));
    LabelFilename->setText(FKindWord + u':');
    LabelFilename->adjustSize();
    PageControl->setTabText(0, FKindWord);
    ArrangeControls();
}

void TFrameImportFile::ArrangeControls() {
    const int buttonTop = TabSheet->height() / 2 - ButtonBrowse->height() / 2;
    ButtonBrowse->move(TabSheet->width() - ButtonBrowse->width(), buttonTop);
    const int centre = buttonTop + ButtonBrowse->height() / 2;
    LabelFilename->move(0, centre - LabelFilename->height() / 2);
    const int left = LabelFilename->width() + 8;
    EditFilename->setGeometry(left, centre - EditFilename->height() / 2,
                              std::max(20, ButtonBrowse->x() - 10 - left), EditFilename->height());
    ShowFileName();
}

void TFrameImportFile::ShowFileName() {
    if (FileName.isEmpty()) return;
    EditFilename->setText(ShortenFileName(FileName, EditFilename->fontMetrics(), EditFilename->width() - 10));
}

void TFrameImportFile::Browse() {
    TImportFileRequest request;
    request.Folder = ImportReadFolder(QStringLiteral("Folder"), ProgInfoGetProgDir());
    if (FImportType == ImportType::DataFile) request.Filter = LanguageText(T::FilterDataFile);
    else if (FImportType == ImportType::GPX) request.Filter = LanguageText(T::FilterGPX);
    else request.Filter = LanguageText(T::FilterText) + u'|' + LanguageText(T::FilterAll);
    const QStringList chosen = ImportChooseFiles(this, request);
    if (chosen.isEmpty()) return;
    FileName = QFileInfo(chosen.first()).absoluteFilePath();
    ShowFileName();
    ImportWriteFolder(QStringLiteral("Folder"), FileName);
}
