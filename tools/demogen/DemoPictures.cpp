// The pictures the demo network names for its structures, drawn and written beside the
// network file under the names the network gives them.
#include "DemoData.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace demo {

namespace {

// A view from the water: sky, water and the structure's outline by its kind.
QImage DrawStructure(const TStructure &s) {
    QImage image(320, 200, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 130);
    sky.setColorAt(0, QColor(120, 170, 225));
    sky.setColorAt(1, QColor(215, 232, 245));
    p.fillRect(0, 0, 320, 130, sky);
    p.fillRect(0, 130, 320, 70, QColor(45, 95, 150));
    p.fillRect(0, 118, 320, 12, QColor(90, 120, 70));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    if (s.Kind == 3) {
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(20, 80, 60, 60);
        p.drawRect(240, 80, 60, 60);
        p.setBrush(QColor(90, 60, 40));
        p.drawRect(80, 95, 10, 45);
        p.drawRect(230, 95, 10, 45);
    } else {
        p.setBrush(QColor(150, 110, 80));
        p.drawRect(0, 70, 320, 16);
        p.drawRect(60, 86, 18, 54);
        p.drawRect(242, 86, 18, 54);
        p.setBrush(QColor(200, 60, 50));
        p.drawRect(140, 40, 40, 30);
    }
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 160, 320, 36), Qt::AlignCenter, s.Name);
    return image;
}

}  // namespace

bool WriteNetworkPictures(const TNetwork &net, const QString &networkFile, QString &error) {
    const QDir folder = QFileInfo(networkFile).absoluteDir();
    for (const TStructure &s : net.Structures) {
        for (const QString &name : s.Images) {
            // Only names within the network's folder are the network's own pictures.
            if (QDir::isAbsolutePath(name) || name.contains(QStringLiteral(".."))) continue;
            const QString file = folder.filePath(name);
            if (!DrawStructure(s).save(file)) {
                error = QStringLiteral("%1: the picture could not be written").arg(file);
                return false;
            }
        }
    }
    return true;
}

}  // namespace demo
