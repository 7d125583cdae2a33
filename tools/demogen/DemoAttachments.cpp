// The documents attached to the demo lock of the S-57 cell: a notice to skippers as text
// (code page 1252, as chart producers write them), the lock's facility record and a photo.
#include "DemoData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace demo {

namespace {

const char *const Notice =
    "KESSEL LOCK - NOTICE TO SKIPPERS\r\n"
    "\r\n"
    "Call the lock keeper on VHF channel 18 before you enter the approach.\r\n"
    "Wait at the blue waiting berth; keep the chamber entrance clear.\r\n"
    "Chamber 80 x 8 m, sill depth 2.5 m. Fall about 2.5 m.\r\n"
    "Fee per passage: 4.50 \x80 for pleasure craft.\r\n";

const char *const Record = R"(<?xml version="1.0" encoding="UTF-8"?>
<openecdis:facility>
  <openecdis:version>1.0</openecdis:version>
  <openecdis:last_edited>2025-03-01</openecdis:last_edited>
  <openecdis:id>XXKESSL1</openecdis:id>
  <openecdis:name>Kessel Lock</openecdis:name>
  <openecdis:type>Lock</openecdis:type>
  <openecdis:image>XXKESSL1.JPG</openecdis:image>
  <openecdis:description>One chamber, 80 x 8 m; operated from the control house beside the chamber.</openecdis:description>
  <openecdis:operator>Velmerland Water Board</openecdis:operator>
  <openecdis:owner>Province of Orleland</openecdis:owner>
  <openecdis:communication_information>
    <openecdis:address>
      <openecdis:street>Lock Road 1</openecdis:street>
      <openecdis:postcode>9812 KL</openecdis:postcode>
      <openecdis:city>Kesselham</openecdis:city>
      <openecdis:country>Velmerland</openecdis:country>
    </openecdis:address>
    <openecdis:contact>
      <openecdis:company>Velmerland Water Board</openecdis:company>
      <openecdis:phone>+99 512 330 180</openecdis:phone>
      <openecdis:email>kessel.lock@waterboard.example</openecdis:email>
      <openecdis:url>https://waterboard.example/kessel-lock</openecdis:url>
    </openecdis:contact>
    <openecdis:radio_communication>
      <openecdis:calling_name>Kessel Lock</openecdis:calling_name>
      <openecdis:channel>18</openecdis:channel>
    </openecdis:radio_communication>
  </openecdis:communication_information>
  <openecdis:time_schedule>
    <openecdis:type>Operating hours</openecdis:type>
    <openecdis:valid><openecdis:from>2025-04-01</openecdis:from><openecdis:to>2025-10-31</openecdis:to></openecdis:valid>
    <openecdis:regular_schedule>
      <openecdis:period>
        <openecdis:from>2025-04-01</openecdis:from>
        <openecdis:to>2025-10-31</openecdis:to>
        <openecdis:days_with_common_schedule>
          <openecdis:name_of_days>Mon-Sat</openecdis:name_of_days>
          <openecdis:time_frame><openecdis:start>08:00</openecdis:start><openecdis:end>12:00</openecdis:end></openecdis:time_frame>
          <openecdis:time_frame><openecdis:start>13:00</openecdis:start><openecdis:end>19:00</openecdis:end><openecdis:remark>Last passage 18:45</openecdis:remark></openecdis:time_frame>
        </openecdis:days_with_common_schedule>
        <openecdis:days_with_common_schedule>
          <openecdis:name_of_days>Sun</openecdis:name_of_days>
          <openecdis:time_frame><openecdis:start>10:00</openecdis:start><openecdis:end>17:00</openecdis:end></openecdis:time_frame>
        </openecdis:days_with_common_schedule>
      </openecdis:period>
    </openecdis:regular_schedule>
    <openecdis:remark>No passages on public holidays.</openecdis:remark>
  </openecdis:time_schedule>
</openecdis:facility>
)";

QImage LockPhoto() {
    QImage image(360, 240, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, 360, 150, QColor(150, 190, 230));
    p.fillRect(0, 150, 360, 90, QColor(50, 100, 150));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(130, 130, 130));
    p.drawRect(0, 110, 110, 50);
    p.drawRect(250, 110, 110, 50);
    p.setBrush(QColor(90, 60, 40));
    p.drawRect(110, 100, 12, 70);
    p.drawRect(238, 100, 12, 70);
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(270, 60, 60, 50);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 195, 360, 40), Qt::AlignCenter, QString::fromLatin1(DemoAttachedLock));
    return image;
}

bool WriteBytes(const QString &file, const QByteArray &bytes, QString &error) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        error = QStringLiteral("%1: the attachment could not be written").arg(file);
        return false;
    }
    return true;
}

}  // namespace

bool WriteS57Attachments(const TNetwork &, const QString &s57Cell, QString &error) {
    const QDir folder = QFileInfo(s57Cell).absoluteDir();
    if (!WriteBytes(folder.filePath(QString::fromLatin1(DemoAttachedText)), QByteArray(Notice), error)) return false;
    if (!WriteBytes(folder.filePath(QString::fromLatin1(DemoAttachedRecord)), QByteArray(Record), error))
        return false;
    const QString photo = folder.filePath(QString::fromLatin1(DemoAttachedPicture));
    if (!LockPhoto().save(photo, "JPEG", 90)) {
        error = QStringLiteral("%1: the attachment could not be written").arg(photo);
        return false;
    }
    return true;
}

}  // namespace demo
