#include "exchange/FraImportSource.h"

#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "exchange/FraDataSelectItems.h"

#include <KvLibNav6/KvAppReg.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString Key = QStringLiteral("Desktop\\Import");

TImportFileChooser &Chooser() {
    static TImportFileChooser chooser;
    return chooser;
}

QStringList RunDialog(QWidget *parent, const TImportFileRequest &request) {
    QFileDialog dialog(parent);
    dialog.setDirectory(request.Folder);
    dialog.setNameFilters(ImportFilterToNameFilters(request.Filter));
    dialog.setFileMode(request.Multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

}  // namespace

TImportFileChooser SetImportFileChooser(TImportFileChooser chooser) {
    return std::exchange(Chooser(), std::move(chooser));
}

QStringList ImportChooseFiles(QWidget *parent, const TImportFileRequest &request) {
    return Chooser() ? Chooser()(parent, request) : RunDialog(parent, request);
}

QStringList ImportFilterToNameFilters(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // The caption may already show its patterns; Qt reads the last bracket as the filter.
        filters << parts[i] + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}

QString ImportReadFolder(const QString &name, const QString &def) {
    QString folder;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, Key, RegName(name), def, folder);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : ProgInfoGetProgDir();
}

void ImportWriteFolder(const QString &name, const QString &fileName) {
    int32_t err = 0;
    const QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath() + u'/');
    RegWriteString(GetAppReg(), AppRegRoot::Product, Key, RegName(name), folder, err);
}

QWidget *ImportSourceBuildPage(QWidget *frame, QTabWidget *&pages, QLabel *&information, QLabel *&image) {
    pages = new QTabWidget(frame);
    pages->setObjectName(QStringLiteral("PageControl"));
    QWidget *host = nullptr;
    QWidget *sheet = DataSelectAddTab(pages, information, image, host);
    sheet->layout()->setContentsMargins(10, 10, 10, 10);
    pages->tabBar()->hide();
    NightScreenAddImage(NightScreen(), image);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(pages);
    return host;
}
