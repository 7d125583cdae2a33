#include "DemoMarinaGuide.h"

#include "DemoData.h"
#include "DemoProduct.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cmath>
#include <memory>

namespace demo {

namespace {

// Every picture file the guide's pages name, with the letters drawn on it.
struct TIcon {
    const char *File, *Letters;
};
const TIcon Icons[] = {
    {"icon_locationbeautifulex.gif", "**"}, {"icon_locationbeautiful.gif", "*"},
    {"icon_quietalways.gif", "Zz"}, {"icon_quietnight.gif", "zN"}, {"icon_dogsallowed.gif", "D"},
    {"icon_dogsdisallowed.gif", "-D"}, {"icon_dogsallowedlimited.gif", "D?"},
    {"icon_distancecenter.gif", "C"}, {"icon_publictransport.gif", "Bus"}, {"icon_info.gif", "i"},
    {"icon_classts.gif", "TS"}, {"icon_classvf.gif", "CL"}, {"icon_class0.gif", "0"},
    {"icon_class1.gif", "1"}, {"icon_class2.gif", "2"}, {"icon_class3.gif", "3"},
    {"icon_class4.gif", "4"}, {"icon_class5.gif", "5"}, {"icon_boxsize.gif", "[]"},
    {"icon_socketcee.gif", "CEE"}, {"icon_socket.gif", "230"}, {"icon_freshwater.gif", "H2O"},
    {"icon_lighting.gif", "L"}, {"icon_mooringsdry.gif", "Dry"}, {"icon_mooringsbuoys.gif", "Bu"},
    {"icon_winterstorageinside.gif", "Wi"}, {"icon_winterstorageoutside.gif", "Wo"},
    {"icon_boatcharter.gif", "Ch"}, {"icon_petrol.gif", "F"}, {"icon_gasbottleexchange.gif", "Gas"},
    {"icon_chandlery.gif", "Sh"}, {"icon_shipyard.gif", "Yd"}, {"icon_engineservice.gif", "Eng"},
    {"icon_sailrepair.gif", "Sl"}, {"icon_crane.gif", "Cr"}, {"icon_slipway.gif", "Sw"},
    {"icon_slipwaywinch.gif", "SwW"}, {"icon_sewagepumping.gif", "WW"}, {"icon_specialwaste.gif", "SW"},
    {"icon_bilgewater.gif", "BW"}, {"icon_chemicaltoilet.gif", "CT"}, {"icon_washbasin.gif", "Wb"},
    {"icon_showers.gif", "Sh"}, {"icon_toilets.gif", "WC"}, {"icon_wheelchair.gif", "Wh"},
    {"icon_washingmachines.gif", "Wm"}, {"icon_dryer.gif", "Dr"}, {"icon_breadservice.gif", "Br"},
    {"icon_kiosk.gif", "K"}, {"icon_grocerystore.gif", "Gr"}, {"icon_supermarket.gif", "SM"},
    {"icon_snackbar.gif", "Sn"}, {"icon_restaurant.gif", "R"}, {"icon_bikerental.gif", "Bk"},
    {"icon_bbqarea.gif", "BQ"}, {"icon_bbqstation.gif", "BS"}, {"icon_scubatanks.gif", "Sc"},
    {"icon_beach.gif", "Be"}, {"icon_playground.gif", "Pg"}, {"icon_tvconnection.gif", "TV"},
    {"icon_internetboat.gif", "@B"}, {"icon_internetmarina.gif", "@M"},
    {"icon_internetcorner.gif", "@C"}, {"icon_sauna.gif", "Sa"}, {"icon_steambath.gif", "St"},
    {"icon_wellness.gif", "We"}, {"icon_solarium.gif", "So"}, {"icon_hotel.gif", "H"},
    {"icon_apartment.gif", "Ap"}, {"icon_camping.gif", "Ca"}, {"icon_pitch.gif", "Pi"},
    {"icon_parking.gif", "P"}, {"icon_parkingguarded.gif", "P+"}, {"icon_trailerparking.gif", "Tr"},
    {"icon_trailerparkingguarded.gif", "Tr+"}, {"icon_maestro.gif", "Ma"},
    {"icon_master.gif", "MC"}, {"icon_visa.gif", "V"}, {"icon_characteristics.gif", "?"},
    {"icon_maxlength.gif", "<>"}, {"icon_draught.gif", "Dp"}, {"icon_currents.gif", "~"},
    {"icon_waterlevel.gif", "WL"}, {"icon_buoys.gif", "o"}, {"icon_lights.gif", "*"},
    {"icon_redgreen.gif", "RG"},
};

QVector<QRgb> Palette() {
    QVector<QRgb> colours;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) colours << qRgb(r * 51, g * 51, b * 51);
    for (int i = 0; colours.size() < 256; ++i) colours << qRgb(i * 6 + 8, i * 6 + 8, i * 6 + 8);
    return colours;
}

// LZW without compression: 9-bit codes, a clear code before the table would widen them.
QByteArray LzwUncompressed(const QImage &indexed) {
    QByteArray bits;
    uint32_t acc = 0;
    int count = 0;
    auto put = [&](int code) {
        acc |= uint32_t(code) << count;
        count += 9;
        while (count >= 8) {
            bits.append(char(acc & 0xFF));
            acc >>= 8;
            count -= 8;
        }
    };
    int sinceClear = 0;
    put(256);
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == 250) {
                put(256);
                sinceClear = 0;
            }
            put(indexed.pixelIndex(x, y));
            ++sinceClear;
        }
    put(257);
    if (count > 0) bits.append(char(acc & 0xFF));
    QByteArray blocks;
    for (qsizetype i = 0; i < bits.size(); i += 255) {
        const QByteArray part = bits.mid(i, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    return blocks + QByteArray(1, '\0');
}

void Le16(QByteArray &out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

QImage IconImage(const char *letters, int index) {
    QImage image(22, 22, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor fills[] = {QColor(0, 102, 204), QColor(0, 153, 102), QColor(204, 102, 0),
                                   QColor(102, 51, 153), QColor(153, 0, 51)};
    p.setBrush(fills[index % 5]);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 20, 20), 4, 4);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::strlen(letters) > 2 ? 7 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(1, 1, 20, 20), Qt::AlignCenter, QString::fromLatin1(letters));
    return image;
}

QImage ChartPicture(const QString &name) {
    QImage image(480, 300, QImage::Format_RGB32);
    image.fill(QColor(245, 235, 200));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 120, 160), 2));
    p.setBrush(QColor(180, 215, 240));
    QPainterPath water;
    water.moveTo(0, 170);
    water.cubicTo(120, 120, 260, 220, 480, 150);
    water.lineTo(480, 230);
    water.cubicTo(300, 280, 150, 200, 0, 250);
    water.closeSubpath();
    p.drawPath(water);
    p.drawRect(QRectF(210, 110, 90, 70));
    p.setPen(QPen(QColor(60, 60, 60), 3));
    for (int x = 220; x <= 290; x += 14) p.drawLine(x, 120, x, 150);
    p.setPen(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    p.setFont(font);
    p.drawText(QRect(0, 20, 480, 30), Qt::AlignCenter, name);
    return image;
}

bool WriteFile(const QString &file, const QByteArray &bytes, QString &error) {
    QSaveFile f(file);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
    error = QStringLiteral("%1: cannot be written").arg(file);
    return false;
}

QByteArray PngBytes(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

QByteArray GifBytes(const QImage &image) {
    const QVector<QRgb> palette = Palette();
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
    QByteArray out("GIF89a");
    Le16(out, indexed.width());
    Le16(out, indexed.height());
    out.append(char(0xF7));  // global colour table of 256 entries
    out.append('\0');
    out.append('\0');
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(',');
    Le16(out, 0);
    Le16(out, 0);
    Le16(out, indexed.width());
    Le16(out, indexed.height());
    out.append('\0');
    out.append(char(8));  // minimum code size
    out.append(LzwUncompressed(indexed));
    out.append(';');
    return out;
}

QJsonArray DemoMarinaGuideEntries(const TNetwork &net) {
    QJsonArray entries;
    int number = 101;
    for (const TMarina &m : net.Marinas) {
        const bool first = number == 101;
        QJsonObject e{{QStringLiteral("Name"), m.Name}, {QStringLiteral("City"), m.Place},
                      {QStringLiteral("Lat"), m.Pos.Lat}, {QStringLiteral("Lon"), m.Pos.Lon},
                      {QStringLiteral("Number"), number++}, {QStringLiteral("Phone"), m.Phone},
                      {QStringLiteral("HeaderText"), first ? QStringLiteral("km 12.4") : QStringLiteral("km 3.1")},
                      {QStringLiteral("VHF"), first ? QStringLiteral("Channel_31") : QStringLiteral("Channel_80")},
                      {QStringLiteral("Opened"), QStringLiteral("Apr - Oct 8-20 h")},
                      {QStringLiteral("OpenedYear"), 2014},
                      {QStringLiteral("ClassTechService"), first ? 4 : 2},
                      {QStringLiteral("ClassCateringLeisure"), first ? 3 : 1},
                      {QStringLiteral("BoxLength"), 12.5}, {QStringLiteral("BoxWidth"), 4.0},
                      {QStringLiteral("CEESocketCount"), first ? 80 : 20},
                      {QStringLiteral("CEESocketsNote"), QStringLiteral("16")},
                      {QStringLiteral("FreshWaterConnections"), first ? 12 : 0},
                      {QStringLiteral("HasShowers"), true}, {QStringLiteral("HasToilets"), true},
                      {QStringLiteral("HasDiesel"), first}, {QStringLiteral("HasSuper"), first},
                      {QStringLiteral("HasCrane"), first}, {QStringLiteral("CraneTons"), 12000},
                      {QStringLiteral("HasSlipway"), true}, {QStringLiteral("HasParking"), true},
                      {QStringLiteral("IsLocationBeautiful"), first}, {QStringLiteral("IsQuietAtNight"), true},
                      {QStringLiteral("AreDogsAllowed"), true},
                      {QStringLiteral("DistanceCentre"), first ? 1200 : 80},
                      {QStringLiteral("DistanceSupermarket"), first ? 650 : 2500},
                      {QStringLiteral("SupermarketNote"), QStringLiteral("Mon-Sat")},
                      {QStringLiteral("DistanceRestaurant"), first ? 0 : 300},
                      {QStringLiteral("HasInternetBerth"), first},
                      {QStringLiteral("HasPriceInformation"), true},
                      {QStringLiteral("ReferencePrice"), QStringLiteral("18.50_EUR")},
                      {QStringLiteral("ReferencePriceYear"), 2014}, {QStringLiteral("PricesYear"), 2014},
                      {QStringLiteral("PriceBerthNight"), QStringLiteral("1.60 EUR/m")},
                      {QStringLiteral("PriceHotShowers"), QStringLiteral("0")},
                      {QStringLiteral("PriceFreshWater"), QStringLiteral("0")},
                      {QStringLiteral("PaymentOptions"), QStringLiteral("Maestro, Visa")},
                      {QStringLiteral("MaxStayNights"), 14},
                      {QStringLiteral("Characteristics"), QStringLiteral("Harbour_behind_the_dyke, sheltered")},
                      {QStringLiteral("MaxLength"), first ? 18.0 : 12.0},
                      {QStringLiteral("MaxDraught"), first ? 2.2 : 1.5},
                      {QStringLiteral("HarbourMasterLanguages"), QStringLiteral("nl, en, de, ")},
                      {QStringLiteral("HarbourMasterAvailability"), QStringLiteral("8-12 h, 14-18 h")},
                      {QStringLiteral("MMSI"), first ? QStringLiteral("244000101") : QStringLiteral("244000102")},
                      {QStringLiteral("WaterwayDistance"), first ? 12400 : 3100},
                      {QStringLiteral("IsLeftBank"), first}, {QStringLiteral("IsRightBank"), !first},
                      {QStringLiteral("HasBuoys"), true}, {QStringLiteral("HasLights"), first},
                      {QStringLiteral("LocationText"), QStringLiteral("Entrance_between_the_green_and_red_posts")}};
        if (!m.Website.isEmpty()) e.insert(QStringLiteral("Website"), m.Website);
        if (first) e.insert(QStringLiteral("Email"), QStringLiteral("havenmeester@yachthaven.example"));
        entries << e;
    }
    return entries;
}

QJsonArray DemoExtraPoints(const TNetwork &net) {
    const TLonLat at = net.Marinas.empty() ? TLonLat{} : net.Marinas.front().Pos;
    QJsonObject cafe{{QStringLiteral("guid"), NameGuid(QStringLiteral("poi:Harbour Cafe"))},
                     {QStringLiteral("lat"), at.Lat + 0.002}, {QStringLiteral("lon"), at.Lon + 0.003},
                     {QStringLiteral("name"), QStringLiteral("Harbour Café De Steiger")},
                     {QStringLiteral("address"), QStringLiteral("Havenkade 3")},
                     {QStringLiteral("place"), QStringLiteral("Saltmere")},
                     {QStringLiteral("phone"), QStringLiteral("+99 512 900 951")},
                     {QStringLiteral("email"), QStringLiteral("info@steiger.example")},
                     {QStringLiteral("website"), QStringLiteral("www.steiger.example")},
                     {QStringLiteral("openingHours"), QStringLiteral("Daily 10-22 h")},
                     {QStringLiteral("specialty"), QStringLiteral("Smoked eel")},
                     {QStringLiteral("mooring"), true}, {QStringLiteral("terrace"), true},
                     {QStringLiteral("picture"), true}};
    QJsonObject ferry{{QStringLiteral("guid"), NameGuid(QStringLiteral("poi:Velm Ferry"))},
                      {QStringLiteral("lat"), at.Lat - 0.003}, {QStringLiteral("lon"), at.Lon + 0.004},
                      {QStringLiteral("name"), QStringLiteral("Velm Ferry")},
                      {QStringLiteral("html"),
                       QStringLiteral("<html><head><title>Velm Ferry</title></head><body>"
                                      "<h3>Velm Ferry</h3><p><img src=\"ferry.png\"></p>"
                                      "<p>Crosses the Orle every 20 minutes, 6-23 h.</p></body></html>")}};
    return QJsonArray{cafe, ferry};
}

QByteArray DemoPointPhoto() {
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(QColor(150, 200, 235));
    QPainter p(&image);
    p.fillRect(QRect(0, 120, 320, 80), QColor(70, 120, 170));
    p.fillRect(QRect(40, 60, 140, 70), QColor(180, 90, 60));
    p.fillRect(QRect(30, 50, 160, 12), QColor(120, 50, 40));
    p.fillRect(QRect(200, 95, 90, 30), QColor(240, 240, 240));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

bool WriteDemoUserWaypoints(const TNetwork &net, const QString &file, QString &error) {
    if (net.Marinas.empty() || net.Sections.empty()) return true;
    const TLonLat m = net.Marinas.front().Pos;
    const QString db = NameGuid(QStringLiteral("content:") + QLatin1String(DemoMarinasIdentifier));
    const struct {
        QString Name, SubName, Link;
        double DLat, DLon;
    } points[] = {
        {QStringLiteral("Saltmere light"), QStringLiteral("Harbour entrance"),
         QStringLiteral("sl:9;0;1;120;3;240;4;360"), -0.004, -0.006},
        {QStringLiteral("Harbour office"),
         QStringLiteral("Harbour office +99512900950 havenmeester@yachthaven.example"), QString(), 0.005, -0.008},
        {QStringLiteral("Cafe landing"), QStringLiteral("Landing stage of the harbour cafe"),
         QStringLiteral("geoadds:%1/%2").arg(db, NameGuid(QStringLiteral("poi:Harbour Cafe"))), 0.006, 0.009},
    };
    struct TDeleter {
        void operator()(NavObject *o) const { ObjectDelete(o); }
    };
    auto rec = [](const QString &t) {
        return TStrWRec{int32_t(t.size()), reinterpret_cast<const char16_t *>(t.utf16())};
    };
    int32_t err = KvErr::Ok;
    std::unique_ptr<IWptManager, TDeleter> manager(CreateDemoWptManager(err));
    const QString name = QString::fromLatin1(DemoUserDatabaseName);
    IWptDatabase *database = manager && err == KvErr::Ok ? manager->NewDatabase(rec(name)) : nullptr;
    // Ungrouped, as a new user's own waypoints are.
    for (const auto &p : points) {
        if (!database || err != KvErr::Ok) break;
        const TGeoPoint3 pos{(m.Lat + p.DLat) * M_PI / 180.0, (m.Lon + p.DLon) * M_PI / 180.0, 0.0};
        IWptWaypoint *w = database->NewWaypoint(nullptr, pos, manager->GetDefaultWaypointType());
        if (!w) err = KvErr::Failed;
        if (w) w->SetName(rec(p.Name), err);
        if (w && err == KvErr::Ok) w->SetSubName(rec(p.SubName), err);
        if (w && err == KvErr::Ok && !p.Link.isEmpty()) w->SetLink(rec(p.Link), err);
    }
    if (database && err == KvErr::Ok) database->SaveToFile(rec(file), err);
    if (database) database->Close();
    if (database && err == KvErr::Ok) return true;
    error = QStringLiteral("%1: cannot be written (error %2)").arg(file).arg(err);
    return false;
}

bool WriteMarinaGuidePictures(const TNetwork &net, const QString &productFolder, QString &error) {
    const QDir dir(QDir(productFolder).filePath(QString::fromLatin1(MarinaGuideRelFolder)));
    if (!QDir().mkpath(dir.filePath(QStringLiteral("Charts")))) {
        error = QStringLiteral("%1: cannot be made").arg(dir.path());
        return false;
    }
    int index = 0;
    for (const TIcon &icon : Icons)
        if (!WriteFile(dir.filePath(QString::fromLatin1(icon.File)), GifBytes(IconImage(icon.Letters, index++)), error))
            return false;
    int number = 101;
    for (const TMarina &m : net.Marinas)
        if (!WriteFile(dir.filePath(QStringLiteral("Charts/%1.png").arg(number++)), PngBytes(ChartPicture(m.Name)), error))
            return false;
    QImage ferry(240, 120, QImage::Format_RGB32);
    ferry.fill(QColor(200, 225, 240));
    QPainter p(&ferry);
    p.fillRect(QRect(40, 50, 160, 40), QColor(230, 230, 230));
    p.fillRect(QRect(90, 30, 60, 20), QColor(200, 60, 60));
    p.end();
    return WriteFile(QDir(productFolder).filePath(QStringLiteral("ferry.png")), PngBytes(ferry), error);
}

}  // namespace demo
