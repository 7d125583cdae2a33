// Reading the ".kvwwn" GeoPackage into plain records (layout in WWFileFormat.h).
#include "network/WWData.h"
#include "network/WWFileFormat.h"
#include "network/WWLog.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUuid>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcWWNetwork, "kv.wwnetwork")

namespace kv::ww {

namespace {

namespace f = kv::wwformat;
constexpr double RadPerDeg = M_PI / 180.0;

// A fault that refuses the whole file; carries the library error and the message.
struct TLoadError : std::runtime_error {
    TLoadError(int32_t e, const QString &what) : std::runtime_error(what.toStdString()), Err(e) {}
    int32_t Err;
};

// Not KvErr::BadFormat: start-up passes that value over in silence, and a damaged network
// must not leave route planning to run without one unnoticed.
[[noreturn]] void Refuse(const QString &what) { throw TLoadError(KvErr::WWNetworkDamaged, what); }

QString GdalMessage() {
    const char *m = CPLGetLastErrorMsg();
    return m && *m ? QString::fromUtf8(m) : QStringLiteral("no details");
}

// GDAL prints its errors to stderr unless told otherwise; the reader reports them itself.
class TQuietGdal {
public:
    TQuietGdal() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~TQuietGdal() { CPLPopErrorHandler(); }
    TQuietGdal(const TQuietGdal &) = delete;
    TQuietGdal &operator=(const TQuietGdal &) = delete;
};

// One layer with its fields looked up once; a required field that is missing refuses the
// file, so the loops below never read an index of -1.
class TLayer {
public:
    TLayer(GDALDataset *ds, const char *name) : FName(QString::fromLatin1(name)) {
        FLayer = ds->GetLayerByName(name);
        if (!FLayer) Refuse(QStringLiteral("the layer \"%1\" is missing").arg(FName));
        FLayer->ResetReading();
    }
    int Field(const char *name) const {
        const int i = FLayer->GetLayerDefn()->GetFieldIndex(name);
        if (i < 0)
            Refuse(QStringLiteral("the layer \"%1\" has no field \"%2\"")
                       .arg(FName, QString::fromLatin1(name)));
        return i;
    }
    // Next row or nullptr at the end; a read error (a damaged file) refuses the file.
    OGRFeatureUniquePtr Next() {
        CPLErrorReset();
        OGRFeatureUniquePtr row(FLayer->GetNextFeature());
        if (!row && CPLGetLastErrorType() >= CE_Failure)
            Refuse(QStringLiteral("the layer \"%1\" cannot be read: %2").arg(FName, GdalMessage()));
        ++FRow;
        return row;
    }
    const QString &Name() const { return FName; }
    // "layer row n" for messages (1-based, the order GIS tools show).
    QString Where(const OGRFeature &row) const {
        return QStringLiteral("%1 feature %2").arg(FName).arg(row.GetFID());
    }

private:
    OGRLayer *FLayer = nullptr;
    QString FName;
    int FRow = 0;
};

bool IsNull(const OGRFeature &r, int i) { return !r.IsFieldSetAndNotNull(i); }
QString Text(const OGRFeature &r, int i) {
    return IsNull(r, i) ? QString() : QString::fromUtf8(r.GetFieldAsString(i));
}
int64_t Int(const OGRFeature &r, int i, int64_t def = 0) {
    return IsNull(r, i) ? def : r.GetFieldAsInteger64(i);
}
double Real(const OGRFeature &r, int i) { return IsNull(r, i) ? NoNumber : r.GetFieldAsDouble(i); }
float Metres(const OGRFeature &r, int i) {
    const double v = Real(r, i);
    return std::isfinite(v) ? float(v) : WWMissing;
}
TWWTimeRange Times(int64_t start, int64_t end) {
    TWWTimeRange t;
    start = std::clamp<int64_t>(start, 0, 24 * 60 - 1);
    end = std::clamp<int64_t>(end, 0, 24 * 60 - 1);
    t.StartHour = uint8_t(start / 60);
    t.StartMinute = uint8_t(start % 60);
    t.EndHour = uint8_t(end / 60);
    t.EndMinute = uint8_t(end % 60);
    return t;
}
TWWTimeOfDay TimeOfDay(int64_t minutes) {
    minutes = std::clamp<int64_t>(minutes, 0, 24 * 60 - 1);
    return TWWTimeOfDay{uint8_t(minutes % 60), uint8_t(minutes / 60)};
}

// "1.2.3.4" → packed; false for anything else.
bool ParseVersion(const QString &text, int32_t &packed) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4) return false;
    uint32_t v = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint n = p.toUInt(&ok);
        if (!ok || n > 255) return false;
        v = (v << 8) | n;
    }
    packed = int32_t(v);
    return true;
}

const std::map<QString, TAttr> &AttrNames() {
    static const std::map<QString, TAttr> names = {
        {QString::fromLatin1(f::AttrSpeedLimit), TAttr::SpeedLimit},
        {QString::fromLatin1(f::AttrCurrent), TAttr::Current},
        {QString::fromLatin1(f::AttrOneWay), TAttr::OneWay},
        {QString::fromLatin1(f::AttrNavigability), TAttr::Navigability},
        {QString::fromLatin1(f::AttrKeepLeft), TAttr::KeepLeft},
        {QString::fromLatin1(f::AttrRemark), TAttr::Remark},
        {QString::fromLatin1(f::AttrPermit), TAttr::Permit},
        {QString::fromLatin1(f::AttrVHFSector), TAttr::VHFSector},
        {QString::fromLatin1(f::AttrVHFReport), TAttr::VHFReport},
        {QString::fromLatin1(f::AttrMaxDimensions), TAttr::MaxDimensions},
        {QString::fromLatin1(f::AttrCommercialDimensions), TAttr::CommercialDimensions},
    };
    return names;
}

class TReader {
public:
    TReader(GDALDataset *ds, TWWFileData &data) : FDs(ds), D(data) {}
    void Read();

private:
    void ReadInfo();
    void ReadJunctions();
    void ReadFairways();
    void ReadSections();
    void ReadAttributes();
    void ReadManagers();
    void ReadStructures();
    void ReadItems();
    void ReadPeriods();
    void ReadRules();
    void ReadMarinas();
    void ReadMarks();

    void Skip(const QString &where, const QString &why) {
        qCWarning(lcWWNetwork).noquote()
            << QStringLiteral("%1: %2 %3; left out").arg(D.FileName, where, why);
    }
    TRawStruct *StructFor(const QString &guidText) {
        auto it = FStructByGuid.find(guidText.toUpper());
        return it == FStructByGuid.end() ? nullptr : &D.Structs[size_t(it.value())];
    }

    GDALDataset *FDs;
    TWWFileData &D;
    QHash<int64_t, int> FJunctionById;
    QHash<QString, int> FSectionByGuid;   // upper-case GUID text
    QSet<QString> FSkippedSections;
    QHash<QString, int> FFairwayByGuid;
    QHash<QString, int> FPartByKey;
    QHash<QString, int> FManagerByKey;
    QHash<QString, int> FStructByGuid;
    QSet<QString> FSkippedStructs;
};

void TReader::Read() {
    ReadInfo();
    ReadJunctions();
    ReadFairways();
    ReadSections();
    ReadAttributes();
    ReadManagers();
    ReadStructures();
    ReadItems();
    ReadPeriods();
    ReadRules();
    ReadMarinas();
    ReadMarks();
}

void TReader::ReadInfo() {
    TLayer l(FDs, f::LayerInfo);
    const int format = l.Field("format"), version = l.Field("version");
    OGRFeatureUniquePtr r = l.Next();
    if (!r) Refuse(QStringLiteral("the layer \"%1\" is empty").arg(l.Name()));
    const int64_t fmt = Int(*r, format, -1);
    if (fmt < 1) Refuse(QStringLiteral("the format number is missing or invalid"));
    if (fmt > f::FormatVersion)
        throw TLoadError(KvErr::BadVersion,
                         QStringLiteral("format %1 is newer than this program reads (%2)")
                             .arg(fmt)
                             .arg(f::FormatVersion));
    if (!ParseVersion(Text(*r, version), D.Version))
        Refuse(QStringLiteral("the network version \"%1\" is not of the form 1.2.3.4")
                   .arg(Text(*r, version)));
}

void TReader::ReadJunctions() {
    TLayer l(FDs, f::LayerJunctions);
    const int id = l.Field("id");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const OGRGeometry *g = r->GetGeometryRef();
        if (IsNull(*r, id)) {
            Skip(l.Where(*r), QStringLiteral("has no id"));
            continue;
        }
        const int64_t key = Int(*r, id);
        if (!g || wkbFlatten(g->getGeometryType()) != wkbPoint || g->IsEmpty()) {
            Skip(l.Where(*r), QStringLiteral("(junction %1) has no point").arg(key));
            continue;
        }
        if (FJunctionById.contains(key)) Refuse(QStringLiteral("junction id %1 occurs twice").arg(key));
        const OGRPoint *p = g->toPoint();
        FJunctionById.insert(key, int(D.Junctions.size()));
        D.Junctions.push_back(TRawJunction{key, TGeoPoint{p->getY() * RadPerDeg, p->getX() * RadPerDeg}});
    }
}

void TReader::ReadFairways() {
    {
        TLayer l(FDs, f::LayerFairways);
        const int guid = l.Field("guid"), name = l.Field("name");
        while (OGRFeatureUniquePtr r = l.Next()) {
            TRawFairway fw;
            if (!ParseGuid(Text(*r, guid), fw.Guid)) {
                Skip(l.Where(*r), QStringLiteral("has no valid GUID"));
                continue;
            }
            const QString key = GuidToString(fw.Guid);
            if (FFairwayByGuid.contains(key)) Refuse(QStringLiteral("fairway %1 occurs twice").arg(key));
            fw.Name = Text(*r, name);
            FFairwayByGuid.insert(key, int(D.Fairways.size()));
            D.Fairways.push_back(std::move(fw));
        }
    }
    TLayer l(FDs, f::LayerFairwayParts);
    const int key = l.Field("key"), fairway = l.Field("fairway"), name = l.Field("name"),
              listName = l.Field("list_name");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString k = Text(*r, key);
        if (k.isEmpty() || FPartByKey.contains(k)) {
            Skip(l.Where(*r), QStringLiteral("has an empty or repeated key"));
            continue;
        }
        TGUID g;
        const auto fw = ParseGuid(Text(*r, fairway), g) ? FFairwayByGuid.find(GuidToString(g))
                                                         : FFairwayByGuid.end();
        if (fw == FFairwayByGuid.end()) {
            Skip(l.Where(*r), QStringLiteral("belongs to no known fairway"));
            continue;
        }
        FPartByKey.insert(k, int(D.Parts.size()));
        D.Parts.push_back(TRawFairwayPart{fw.value(), Text(*r, name), Text(*r, listName)});
    }
}

void TReader::ReadSections() {
    TLayer l(FDs, f::LayerSections);
    const int guid = l.Field("guid"), name = l.Field("name"), sj = l.Field("start_junction"),
              ej = l.Field("end_junction"), kind = l.Field("kind"), body = l.Field("water_body"),
              fairway = l.Field("fairway"), part = l.Field("fairway_part"),
              chainage = l.Field("start_chainage");
    while (OGRFeatureUniquePtr r = l.Next()) {
        TRawSection s;
        if (!ParseGuid(Text(*r, guid), s.Guid)) {
            Skip(l.Where(*r), QStringLiteral("has no valid GUID"));
            continue;
        }
        const QString key = GuidToString(s.Guid);
        if (FSectionByGuid.contains(key)) Refuse(QStringLiteral("section %1 occurs twice").arg(key));
        const QString where = QStringLiteral("section %1").arg(key);
        const OGRGeometry *g = r->GetGeometryRef();
        if (!g || wkbFlatten(g->getGeometryType()) != wkbLineString ||
            g->toLineString()->getNumPoints() < 2) {
            FSkippedSections.insert(key);
            Skip(where, QStringLiteral("has no line geometry"));
            continue;
        }
        const auto a = FJunctionById.find(Int(*r, sj, -1)), b = FJunctionById.find(Int(*r, ej, -1));
        if (a == FJunctionById.end() || b == FJunctionById.end()) {
            FSkippedSections.insert(key);
            Skip(where, QStringLiteral("refers to a junction the file does not have"));
            continue;
        }
        const int64_t body0 = Int(*r, body, -1);
        if (body0 < 0 || body0 >= WWWaterBodyCount) {
            FSkippedSections.insert(key);
            Skip(where, QStringLiteral("has water body %1 (valid 0..%2)").arg(body0).arg(WWWaterBodyCount - 1));
            continue;
        }
        const OGRLineString *ls = g->toLineString();
        for (int i = 0; i < ls->getNumPoints(); ++i)
            s.Line.push_back(TGeoPoint{ls->getY(i) * RadPerDeg, ls->getX(i) * RadPerDeg});
        s.Name = Text(*r, name);
        s.StartJunction = a.value();
        s.EndJunction = b.value();
        s.Kind = int32_t(Int(*r, kind));
        s.WaterBody = int32_t(body0);
        TGUID fg;
        if (!IsNull(*r, fairway)) {
            auto fw = ParseGuid(Text(*r, fairway), fg) ? FFairwayByGuid.find(GuidToString(fg))
                                                        : FFairwayByGuid.end();
            if (fw == FFairwayByGuid.end())
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("%1: %2 names an unknown fairway; kept without one")
                           .arg(D.FileName, where);
            else
                s.Fairway = fw.value();
        }
        if (!IsNull(*r, part)) {
            auto p = FPartByKey.find(Text(*r, part));
            if (p != FPartByKey.end() && D.Parts[size_t(p.value())].Fairway == s.Fairway)
                s.Part = p.value();
            else
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("%1: %2 names an unknown fairway part; kept without one")
                           .arg(D.FileName, where);
        }
        const double c = Real(*r, chainage);
        s.StartChainage = std::isfinite(c) ? c : 0.0;
        FSectionByGuid.insert(key, int(D.Sections.size()));
        D.Sections.push_back(std::move(s));
    }
}

void TReader::ReadAttributes() {
    TLayer l(FDs, f::LayerSectionAttributes);
    const int section = l.Field("section"), attribute = l.Field("attribute"),
              from = l.Field("from_pos"), to = l.Field("to_pos"), text1 = l.Field("text1"),
              text2 = l.Field("text2");
    const int nums[4] = {l.Field("num1"), l.Field("num2"), l.Field("num3"), l.Field("num4")};
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString sk = GuidKey(Text(*r, section));
        auto s = FSectionByGuid.find(sk);
        if (s == FSectionByGuid.end()) {
            if (!FSkippedSections.contains(sk))
                Skip(l.Where(*r), QStringLiteral("refers to an unknown section"));
            continue;
        }
        auto a = AttrNames().find(Text(*r, attribute));
        if (a == AttrNames().end()) {
            Skip(l.Where(*r), QStringLiteral("has the unknown attribute \"%1\"").arg(Text(*r, attribute)));
            continue;
        }
        TInterval iv;
        const double f0 = Real(*r, from), t0 = Real(*r, to);
        iv.From = std::isfinite(f0) ? f0 : 0.0;
        if (std::isfinite(t0)) iv.To = t0;
        if (iv.To <= iv.From) {
            Skip(l.Where(*r), QStringLiteral("has an empty interval"));
            continue;
        }
        for (int i = 0; i < 4; ++i) iv.Num[i] = Real(*r, nums[i]);
        iv.Text1 = Text(*r, text1);
        iv.Text2 = Text(*r, text2);
        D.Sections[size_t(s.value())].Attrs[size_t(a->second)].push_back(std::move(iv));
    }
    for (auto &s : D.Sections)
        for (auto &list : s.Attrs)
            std::stable_sort(list.begin(), list.end(),
                             [](const TInterval &x, const TInterval &y) { return x.From < y.From; });
}

void TReader::ReadManagers() {
    TLayer l(FDs, f::LayerManagers);
    const int key = l.Field("key"), name = l.Field("name"), type = l.Field("type"),
              dep = l.Field("department"), ma = l.Field("mail_address"),
              mpc = l.Field("mail_postal_code"), mp = l.Field("mail_place"),
              va = l.Field("visit_address"), vp = l.Field("visit_place"), phone = l.Field("phone"),
              fax = l.Field("fax"), web = l.Field("website");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString k = Text(*r, key);
        if (k.isEmpty() || FManagerByKey.contains(k)) {
            Skip(l.Where(*r), QStringLiteral("has an empty or repeated key"));
            continue;
        }
        TRawManager m;
        m.Name = Text(*r, name);
        m.Type = int32_t(Int(*r, type));
        m.Department = Text(*r, dep);
        m.MailAddress = Text(*r, ma);
        m.MailPostalCode = Text(*r, mpc);
        m.MailPlace = Text(*r, mp);
        m.VisitAddress = Text(*r, va);
        m.VisitPlace = Text(*r, vp);
        m.Phone = Text(*r, phone);
        m.Fax = Text(*r, fax);
        m.Website = Text(*r, web);
        FManagerByKey.insert(k, int(D.Managers.size()));
        D.Managers.push_back(std::move(m));
    }
}

void TReader::ReadStructures() {
    TLayer l(FDs, f::LayerStructures);
    const int guid = l.Field("guid"), isrs = l.Field("isrs"), kind = l.Field("kind"),
              other = l.Field("other_type"), barrier = l.Field("barrier_kind"),
              name = l.Field("name"), place = l.Field("place"), vhf = l.Field("vhf_channel"),
              address = l.Field("address"), postal = l.Field("postal_code"),
              phone = l.Field("phone"), complex = l.Field("complex"), label = l.Field("label"),
              subtext = l.Field("subtext"), images = l.Field("images"),
              section = l.Field("section"), position = l.Field("section_position"),
              manager = l.Field("manager"), open = l.Field("normally_open"),
              fall = l.Field("fall"), waiting = l.Field("waiting_time"),
              control = l.Field("control_kind");
    const QDir folder = QFileInfo(D.FileName).absoluteDir();
    while (OGRFeatureUniquePtr r = l.Next()) {
        TRawStruct st;
        if (!ParseGuid(Text(*r, guid), st.Guid)) Refuse(l.Where(*r) + QStringLiteral(" has no valid GUID"));
        const QString key = GuidToString(st.Guid);
        st.Name = Text(*r, name);
        const QString where = QStringLiteral("structure %1 (%2)").arg(key, st.Name);
        if (FStructByGuid.contains(key) || FSkippedStructs.contains(key))
            Refuse(where + QStringLiteral(" occurs twice"));
        const QString sk = GuidKey(Text(*r, section));
        auto s = FSectionByGuid.find(sk);
        if (s == FSectionByGuid.end()) {
            // On a section that was left out, no route can reach the structure anyway.
            if (FSkippedSections.contains(sk)) {
                FSkippedStructs.insert(key);
                Skip(where, QStringLiteral("lies on a section that was left out"));
                continue;
            }
            Refuse(where + QStringLiteral(" lies on a section the file does not have"));
        }
        st.Kind = int32_t(Int(*r, kind, -1));
        if (st.Kind < WWStructKind::Barrier || st.Kind > WWStructKind::ShipTunnel)
            Refuse(where + QStringLiteral(" has the unknown kind %1").arg(st.Kind));
        st.Isrs = Text(*r, isrs);
        st.OtherType = int32_t(Int(*r, other));
        st.BarrierKind = int32_t(Int(*r, barrier));
        st.Place = Text(*r, place);
        st.VHFChannel = Text(*r, vhf);
        st.Address = Text(*r, address);
        st.PostalCode = Text(*r, postal);
        st.Phone = Text(*r, phone);
        st.Complex = Text(*r, complex);
        st.Label = Text(*r, label);
        st.Subtext = Text(*r, subtext);
        for (const QString &img : Text(*r, images).split(QLatin1Char('|'), Qt::SkipEmptyParts))
            st.Images << QDir::cleanPath(folder.absoluteFilePath(img.trimmed()));
        st.Section = s.value();
        const double pos = Real(*r, position);
        st.Position = std::isfinite(pos) ? pos : 0.0;
        if (!IsNull(*r, manager)) {
            auto m = FManagerByKey.find(Text(*r, manager));
            if (m == FManagerByKey.end())
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("%1: %2 names an unknown manager").arg(D.FileName, where);
            else
                st.Manager = m.value();
        }
        st.NormallyOpen = Int(*r, open) != 0;
        st.Fall = Metres(*r, fall);
        st.WaitingTime = int32_t(std::max<int64_t>(-1, Int(*r, waiting, -1)));
        st.ControlKind = int32_t(Int(*r, control));
        FStructByGuid.insert(key, int(D.Structs.size()));
        D.Structs.push_back(std::move(st));
    }
}

void TReader::ReadItems() {
    TLayer l(FDs, f::LayerStructureItems);
    const int structure = l.Field("structure"), number = l.Field("number"),
              remark = l.Field("remark"), name = l.Field("name"), isrs = l.Field("isrs"),
              bridgeType = l.Field("bridge_type"), width = l.Field("width"),
              passageWidth = l.Field("passage_width"), gate = l.Field("min_gate_width"),
              length = l.Field("length"), pl1 = l.Field("partial_length1"),
              pl2 = l.Field("partial_length2"), lockLength = l.Field("lock_length"),
              lowTide = l.Field("lock_length_low_tide"), tide = l.Field("has_tide_lengths");
    std::array<std::array<int, 4>, LevelCount> lv{};
    for (int i = 0; i < LevelCount; ++i) {
        const QByteArray n(f::LevelFields[i]);
        lv[size_t(i)] = {l.Field(n.constData()), l.Field((n + "_ref").constData()),
                         l.Field((n + "_ref_value").constData()),
                         l.Field((n + "_nap_mode").constData())};
    }
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString sk = Text(*r, structure);
        TGUID g;
        const QString key = ParseGuid(sk, g) ? GuidToString(g) : QString();
        TRawStruct *st = StructFor(key);
        if (!st) {
            if (!FSkippedStructs.contains(key))
                Skip(l.Where(*r), QStringLiteral("belongs to no known structure"));
            continue;
        }
        TRawItem it;
        it.Number = int32_t(Int(*r, number, 1));
        it.Remark = Text(*r, remark);
        it.Name = Text(*r, name);
        it.Isrs = Text(*r, isrs);
        it.BridgeType = int32_t(Int(*r, bridgeType));
        it.Width = Metres(*r, width);
        it.PassageWidth = Metres(*r, passageWidth);
        it.MinGateWidth = Metres(*r, gate);
        it.Length = Metres(*r, length);
        it.PartialLength1 = Metres(*r, pl1);
        it.PartialLength2 = Metres(*r, pl2);
        it.LockLength = Metres(*r, lockLength);
        it.LockLengthLowTide = Metres(*r, lowTide);
        it.HasTideLengths = Int(*r, tide) != 0;
        for (int i = 0; i < LevelCount; ++i) {
            const auto &fi = lv[size_t(i)];
            TWWLevel &level = it.Levels[size_t(i)];
            level.Value = Metres(*r, fi[0]);
            level.Reference = int32_t(Int(*r, fi[1]));
            level.ReferenceValue = Metres(*r, fi[2]);
            level.NAPMode = int32_t(Int(*r, fi[3]));
        }
        // A clearance below zero is a data fault; leaving the structure out would let a
        // route pass an obstacle, so the file is refused. Levels against a datum (NAP)
        // may lie below it.
        for (int i : {LvHeight, LvHeightClosed, LvHeightOpen, LvPassageHeight}) {
            const TWWLevel &level = it.Levels[size_t(i)];
            if (level.Value < 0.0f && level.Reference != WWLevelRef::NAP)
                Refuse(QStringLiteral("structure %1 (%2) has the negative clearance %3 m (%4)")
                           .arg(key, st->Name)
                           .arg(double(level.Value))
                           .arg(QString::fromLatin1(f::LevelFields[i])));
        }
        st->Items.push_back(std::move(it));
    }
    for (auto &st : D.Structs)
        std::stable_sort(st.Items.begin(), st.Items.end(),
                         [](const TRawItem &a, const TRawItem &b) { return a.Number < b.Number; });
}

void TReader::ReadPeriods() {
    {
        TLayer l(FDs, f::LayerOperatingPeriods);
        const int structure = l.Field("structure"), id = l.Field("id"), sd = l.Field("start_day"),
                  sm = l.Field("start_month"), ed = l.Field("end_day"), em = l.Field("end_month"),
                  remark = l.Field("remark");
        while (OGRFeatureUniquePtr r = l.Next()) {
            const QString key = GuidKey(Text(*r, structure));
            TRawStruct *st = StructFor(key);
            if (!st) {
                if (!FSkippedStructs.contains(key))
                    Skip(l.Where(*r), QStringLiteral("belongs to no known structure"));
                continue;
            }
            TRawPeriod p;
            p.Id = Int(*r, id);
            const int64_t d[4] = {Int(*r, sd), Int(*r, sm), Int(*r, ed), Int(*r, em)};
            if (d[0] < 1 || d[0] > 31 || d[1] < 1 || d[1] > 12 || d[2] < 1 || d[2] > 31 ||
                d[3] < 1 || d[3] > 12) {
                Skip(l.Where(*r), QStringLiteral("has an invalid date range"));
                continue;
            }
            p.Dates.StartDay = uint8_t(d[0]);
            p.Dates.StartMonth = uint8_t(d[1]);
            p.Dates.EndDay = uint8_t(d[2]);
            p.Dates.EndMonth = uint8_t(d[3]);
            p.Remark = Text(*r, remark);
            st->Periods.push_back(std::move(p));
        }
    }
    TLayer l(FDs, f::LayerOperatingTimes);
    const int structure = l.Field("structure"), period = l.Field("period"),
              days = l.Field("week_days"), start = l.Field("start_time"),
              end = l.Field("end_time"), classes = l.Field("vessel_classes"),
              direction = l.Field("direction");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString key = GuidKey(Text(*r, structure));
        TRawStruct *st = StructFor(key);
        const int64_t pid = Int(*r, period);
        auto p = st ? std::find_if(st->Periods.begin(), st->Periods.end(),
                                   [&](const TRawPeriod &x) { return x.Id == pid; })
                    : std::vector<TRawPeriod>::iterator();
        if (!st || p == st->Periods.end()) {
            if (!FSkippedStructs.contains(key))
                Skip(l.Where(*r), QStringLiteral("belongs to no known operating period"));
            continue;
        }
        if (IsNull(*r, start) || IsNull(*r, end)) {
            Skip(l.Where(*r), QStringLiteral("has no start or end time"));
            continue;
        }
        const uint8_t wd = uint8_t(Int(*r, days) & 0xFE);
        auto sched = std::find_if(p->Schedules.begin(), p->Schedules.end(),
                                  [&](const TRawSchedule &s) { return s.WeekDays == wd; });
        if (sched == p->Schedules.end()) {
            p->Schedules.push_back(TRawSchedule{wd, {}});
            sched = p->Schedules.end() - 1;
        }
        sched->Windows.push_back(TRawWindow{Times(Int(*r, start), Int(*r, end)),
                                            uint32_t(Int(*r, classes, 3)),
                                            int32_t(Int(*r, direction))});
    }
}

void TReader::ReadRules() {
    {
        TLayer l(FDs, f::LayerSpecialDayRules);
        const int structure = l.Field("structure"), id = l.Field("id"),
                  operation = l.Field("operation"), weekDay = l.Field("week_day"),
                  before = l.Field("no_operation_before"), after = l.Field("no_operation_after"),
                  classes = l.Field("vessel_classes"), direction = l.Field("direction");
        while (OGRFeatureUniquePtr r = l.Next()) {
            const QString key = GuidKey(Text(*r, structure));
            TRawStruct *st = StructFor(key);
            if (!st) {
                if (!FSkippedStructs.contains(key))
                    Skip(l.Where(*r), QStringLiteral("belongs to no known structure"));
                continue;
            }
            TRawRule rule;
            rule.Id = Int(*r, id);
            rule.Operation = int32_t(Int(*r, operation));
            rule.WeekDay = int32_t(Int(*r, weekDay));
            rule.HasBefore = !IsNull(*r, before);
            if (rule.HasBefore) rule.Before = TimeOfDay(Int(*r, before));
            rule.HasAfter = !IsNull(*r, after);
            if (rule.HasAfter) rule.After = TimeOfDay(Int(*r, after));
            rule.VesselClasses = uint32_t(Int(*r, classes, 3));
            rule.Direction = int32_t(Int(*r, direction));
            st->Rules.push_back(std::move(rule));
        }
    }
    TLayer l(FDs, f::LayerSpecialDates);
    const int structure = l.Field("structure"), ruleId = l.Field("rule"),
              holiday = l.Field("holiday"), day = l.Field("day"), month = l.Field("month"),
              offset = l.Field("day_offset");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString key = GuidKey(Text(*r, structure));
        TRawStruct *st = StructFor(key);
        const int64_t rid = Int(*r, ruleId);
        auto rule = st ? std::find_if(st->Rules.begin(), st->Rules.end(),
                                      [&](const TRawRule &x) { return x.Id == rid; })
                       : std::vector<TRawRule>::iterator();
        if (!st || rule == st->Rules.end()) {
            if (!FSkippedStructs.contains(key))
                Skip(l.Where(*r), QStringLiteral("belongs to no known special-day rule"));
            continue;
        }
        TRawSpecialDate d;
        d.Holiday = int32_t(Int(*r, holiday));
        d.Day = uint8_t(std::clamp<int64_t>(Int(*r, day), 0, 31));
        d.Month = uint8_t(std::clamp<int64_t>(Int(*r, month), 0, 12));
        d.Offset = int8_t(std::clamp<int64_t>(Int(*r, offset), -127, 127));
        rule->Dates.push_back(d);
    }
}

void TReader::ReadMarinas() {
    TLayer l(FDs, f::LayerMarinas);
    const int guid = l.Field("guid"), name = l.Field("name"), section = l.Field("section"),
              position = l.Field("section_position"), place = l.Field("place"),
              phone = l.Field("phone"), web = l.Field("website");
    while (OGRFeatureUniquePtr r = l.Next()) {
        TRawMarina m;
        const QString sk = GuidKey(Text(*r, section));
        auto s = FSectionByGuid.find(sk);
        const OGRGeometry *g = r->GetGeometryRef();
        if (!ParseGuid(Text(*r, guid), m.Guid) || s == FSectionByGuid.end() || !g ||
            wkbFlatten(g->getGeometryType()) != wkbPoint) {
            Skip(l.Where(*r), QStringLiteral("has no GUID, point or known section"));
            continue;
        }
        m.Name = Text(*r, name);
        m.Section = s.value();
        const double pos = Real(*r, position);
        m.Position = std::isfinite(pos) ? pos : 0.0;
        m.Pos = TGeoPoint{g->toPoint()->getY() * RadPerDeg, g->toPoint()->getX() * RadPerDeg};
        m.Place = Text(*r, place);
        m.Phone = Text(*r, phone);
        m.Website = Text(*r, web);
        D.Marinas.push_back(std::move(m));
    }
}

void TReader::ReadMarks() {
    TLayer l(FDs, f::LayerDistanceMarks);
    const int section = l.Field("section"), position = l.Field("section_position"),
              value = l.Field("value");
    while (OGRFeatureUniquePtr r = l.Next()) {
        const QString sk = GuidKey(Text(*r, section));
        auto s = FSectionByGuid.find(sk);
        const double pos = Real(*r, position), v = Real(*r, value);
        if (s == FSectionByGuid.end() || !std::isfinite(pos) || !std::isfinite(v) || v < 0) {
            if (!FSkippedSections.contains(sk))
                Skip(l.Where(*r), QStringLiteral("has no known section, position or value"));
            continue;
        }
        D.Sections[size_t(s.value())].Marks.emplace_back(pos, v);
    }
    for (auto &s : D.Sections) std::sort(s.Marks.begin(), s.Marks.end());
}

}  // namespace

bool ParseGuid(const QString &text, TGUID &out) {
    const QUuid u(text.trimmed());
    if (u.isNull()) return false;
    out.D1 = u.data1;
    out.D2 = u.data2;
    out.D3 = u.data3;
    for (int i = 0; i < 8; ++i) out.D4[i] = u.data4[i];
    return true;
}

QString GuidKey(const QString &text) {
    TGUID g;
    return ParseGuid(text, g) ? GuidToString(g) : QString();
}

QString GuidToString(const TGUID &g) {
    const QUuid u(g.D1, g.D2, g.D3, g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5],
                  g.D4[6], g.D4[7]);
    return u.toString(QUuid::WithBraces).toUpper();
}

int32_t ReadNetworkFile(const QString &fileName, TWWFileData &data, QString &message) {
    static std::once_flag gdalOnce;
    std::call_once(gdalOnce, [] { GDALAllRegister(); });
    data = TWWFileData{};
    data.FileName = fileName;
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists()) {
        message = QStringLiteral("%1: the waterway network file does not exist").arg(fileName);
        return KvErr::NotFound;
    }
    if (!info.isFile() || !info.isReadable()) {
        message = QStringLiteral("%1: the waterway network file cannot be read").arg(fileName);
        return KvErr::WWNetworkDamaged;
    }
    TQuietGdal quiet;
    const char *drivers[] = {"GPKG", nullptr};
    GDALDatasetUniquePtr ds(GDALDataset::Open(QFile::encodeName(fileName).constData(),
                                              GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers));
    if (!ds) {
        message = QStringLiteral("%1: not a waterway network (no readable GeoPackage: %2)")
                      .arg(fileName, GdalMessage());
        return KvErr::WWNetworkDamaged;
    }
    try {
        TReader(ds.get(), data).Read();
    } catch (const TLoadError &e) {
        message = QStringLiteral("%1: %2").arg(fileName, QString::fromStdString(e.what()));
        data = TWWFileData{};
        return e.Err;
    }
    return KvErr::Ok;
}

}  // namespace kv::ww
