// Texts of the library's error values.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvLib.h"

#include <memory>
#include <QMutex>
#include <map>

namespace {

const std::map<int32_t, const char *> &ErrorTexts() {
    static const std::map<int32_t, const char *> texts = {
        {KvErr::Ok, "No error."},
        {KvErr::Failed, "The operation failed."},
        {KvErr::Cancelled, "The operation was cancelled."},
        {KvErr::GPSSilent, "The GPS receiver does not answer."},
        {KvErr::InvalidArgument, "Invalid argument."},
        {KvErr::NotImplemented, "This operation is not available."},
        {KvErr::BadFormat, "The file is damaged or has an unknown format."},
        {KvErr::BadVersion, "The file was written by a newer version of the program."},
        {KvErr::NotFound, "The file or object was not found."},
        {KvErr::AccessDenied, "Access denied."},
        {KvErr::AlreadyExists, "The file or object already exists."},
        {KvErr::ReadFailed, "Reading failed."},
        {KvErr::WriteFailed, "Writing failed."},
        {KvErr::ImageDecode, "The image could not be decoded."},
        {KvErr::DiskFull, "There is not enough free disk space."},
        {KvErr::OutOfRange, "Index or value out of range."},
        {KvErr::PortNotFound, "The port does not exist."},
        {KvErr::PortBusy, "The port is in use by another program."},
        {KvErr::PortOpen, "The port could not be opened."},
        {KvErr::PortSettings, "The port settings could not be applied."},
        {KvErr::PortRead, "Reading from the port failed."},
        {KvErr::PortWrite, "Writing to the port failed."},
        {KvErr::PortTimeout, "The device did not answer in time."},
        {KvErr::PortClosed, "The port is closed."},
        {KvErr::PortRemoved, "The device was removed."},
        {KvErr::PortChecksum, "The device sent data with a wrong checksum."},
        {KvErr::PortProtocol, "The device does not speak the expected protocol."},
        {KvErr::PortNoData, "The device sends no data."},
        {KvErr::PortUnsupported, "This kind of port is not supported."},
        {KvErr::PortLast, "Port error."},
        {KvErr::ReadOnly, "The object is read-only."},
        {KvErr::SettingsUnavailable, "The settings could not be opened."},
        {KvErr::NameTooLong, "The name is too long."},
        {KvErr::PointAttached, "The waypoint is used by a route."},
        {KvErr::NoGPSPort, "No GPS port has been set up."},
        {KvErr::GPSNotConnected, "The GPS is not connected."},
        {KvErr::ImageFormat, "Unknown image format."},
        {KvErr::ImageSize, "The image is empty or too large."},
        {KvErr::NetworkFailed, "No connection to the service."},
        {KvErr::NetworkAnswer, "The service answered with an error."},
        {KvErr::GeoProjection, "The projection parameters are invalid."},
        {KvErr::GeoOutsideProjection, "The position lies outside the area the projection can show."},
        {KvErr::GeoCalibrationPoints, "The reference points coincide or lie on one line."},
        {KvErr::GeoCalibrationMirrored, "The reference points give a mirrored image."},
        {KvErr::WWNetworkDamaged, "The waterway network file is damaged or cannot be read."},
    };
    return texts;
}

}  // namespace

const TStrWRec *ErrorToStr(int32_t err) {
    // Records are handed out for the rest of the run, so each text is made once and kept.
    static QMutex mutex;
    static std::map<int32_t, std::unique_ptr<kv::TOwnedText>> made;
    QMutexLocker lock(&mutex);
    if (auto it = made.find(err); it != made.end()) return it->second->Get();
    QString text;
    const auto &texts = ErrorTexts();
    if (auto it = texts.find(err); it != texts.end())
        text = QString::fromUtf8(it->second);
    else
        text = QStringLiteral("Unknown error %1 ($%2).")
                   .arg(err)
                   .arg(QString::number(quint32(err), 16).toUpper());
    auto &owned = made[err];
    owned = std::make_unique<kv::TOwnedText>();
    return owned->Set(text);
}
