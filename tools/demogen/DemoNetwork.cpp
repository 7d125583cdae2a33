// The invented demo area "Velmerland": the coast of the Velmer Roads with the harbour of
// Saltmere, the River Orle running inland, the Kessel, Brisk and Vorn canals and the lake
// Dunmeer. The canals make loops, so a boat too high for a fixed bridge on the river has a
// way round it.
#include "DemoData.h"

#include <GeographicLib/Geodesic.hpp>

#include <QUuid>
#include <algorithm>
#include <cmath>
#include <map>

namespace demo {

namespace {

constexpr double SectionTargetM = 1800.0;
constexpr double Knot = 1852.0 / 3600.0;

struct TKey {
    const char *Name;
    TLonLat Pos;
};

const TKey Keys[] = {
    {"S0", {4.30, 53.05}},  {"S1", {4.33, 52.97}},  {"H", {4.44, 52.90}},
    {"S2", {4.33, 52.83}},  {"R0", {4.49, 52.905}}, {"R1", {4.56, 52.915}},
    {"R2", {4.64, 52.93}},  {"R3", {4.72, 52.945}}, {"R4", {4.82, 52.95}},
    {"A1", {4.56, 52.99}},  {"A2", {4.72, 53.00}},  {"B1", {4.64, 52.86}},
    {"B2", {4.74, 52.845}}, {"D0", {4.79, 52.87}},  {"D1", {4.85, 52.89}},
    {"V1", {4.88, 53.00}},  {"M1", {4.50, 52.93}},  {"M2", {4.88, 52.868}},
};

struct TChain {
    const char *Fairway;
    int Kind;        // 1 canal, 2 river, 3 lake, 4 coastal route, 5 harbour channel
    int WaterBody;   // 0 North Sea, 3 inland waterways
    std::vector<const char *> Nodes;
    std::vector<const char *> Parts;  // one name per edge between nodes
    double WidthM;   // bank to bank; 0 on open water
    double DepthM;   // below chart datum, at least the deepest draught the network allows
};

const std::vector<TChain> &Chains() {
    static const std::vector<TChain> chains = {
        {"Velmer Roads", 4, 0, {"S0", "S1", "H", "S2"},
         {"Velmer Roads North", "Velmer Roads North", "Velmer Roads South"}, 0.0, 0.0},
        {"Saltmere Harbour Channel", 5, 3, {"H", "R0"}, {"Saltmere Harbour"}, 80.0, 5.0},
        {"Yacht Haven Entrance", 5, 3, {"R0", "M1"}, {"Yacht Haven Entrance"}, 45.0, 3.5},
        {"River Orle", 2, 3, {"R0", "R1", "R2", "R3", "R4"},
         {"Lower Orle", "Lower Orle", "Upper Orle", "Upper Orle"}, 100.0, 4.0},
        {"Kessel Canal", 1, 3, {"R1", "A1", "A2", "R3"},
         {"Kessel Canal South", "Kessel Canal Summit", "Kessel Canal East"}, 45.0, 3.0},
        {"Brisk Canal", 1, 3, {"R2", "B1", "B2", "D0"}, {"Brisk Canal", "Brisk Canal", "Brisk Canal"}, 32.0, 2.4},
        {"Dunmeer", 3, 3, {"D0", "D1"}, {"Dunmeer"}, 0.0, 0.0},
        {"Dunmeer Cut", 1, 3, {"D1", "R4"}, {"Dunmeer Cut"}, 36.0, 3.0},
        {"Dunmeer Marina Channel", 5, 3, {"D1", "M2"}, {"Dunmeer Marina Channel"}, 40.0, 2.8},
        {"Vorn Canal", 1, 3, {"A2", "V1", "R4"}, {"Vorn Canal", "Vorn Canal"}, 25.0, 2.8},
    };
    return chains;
}

TLonLat KeyPos(const char *name) {
    for (const auto &k : Keys)
        if (std::string_view(k.Name) == name) return k.Pos;
    return {};
}

// Point between a and b at fraction t, pushed sideways by a gentle bend (zero at the ends)
// so that sections are no ruler-straight lines.
TLonLat Bend(const TLonLat &a, const TLonLat &b, double t, double bendM) {
    const double cosLat = std::cos((a.Lat + b.Lat) * 0.5 * M_PI / 180.0);
    const double mPerDegLat = 111320.0, mPerDegLon = 111320.0 * cosLat;
    const double dx = (b.Lon - a.Lon) * mPerDegLon, dy = (b.Lat - a.Lat) * mPerDegLat;
    const double len = std::hypot(dx, dy);
    const double off = bendM * std::sin(M_PI * t) * std::sin(3.0 * M_PI * t + 0.7);
    const double nx = len > 0 ? -dy / len : 0.0, ny = len > 0 ? dx / len : 0.0;
    return {a.Lon + (dx * t + nx * off) / mPerDegLon, a.Lat + (dy * t + ny * off) / mPerDegLat};
}

TLevel Metres(double v) { return TLevel{v, 0, NoValue, 0}; }

}  // namespace

QString NameGuid(const QString &name) {
    static const QUuid ns(QStringLiteral("{6f1d2c7a-3b54-4e0b-9a61-0c2f8e9d4b13}"));
    return QUuid::createUuidV5(ns, name).toString(QUuid::WithBraces).toUpper();
}

double PolylineLength(const std::vector<TLonLat> &line) {
    const auto &g = GeographicLib::Geodesic::WGS84();
    double total = 0;
    for (size_t i = 1; i < line.size(); ++i) {
        double s = 0;
        g.Inverse(line[i - 1].Lat, line[i - 1].Lon, line[i].Lat, line[i].Lon, s);
        total += s;
    }
    return total;
}

TLonLat PolylinePoint(const std::vector<TLonLat> &line, double distanceM) {
    if (line.empty()) return {};
    const auto &g = GeographicLib::Geodesic::WGS84();
    double left = std::max(0.0, distanceM);
    for (size_t i = 1; i < line.size(); ++i) {
        double s = 0;
        g.Inverse(line[i - 1].Lat, line[i - 1].Lon, line[i].Lat, line[i].Lon, s);
        if (left <= s && s > 0) {
            const double t = left / s;
            return {line[i - 1].Lon + (line[i].Lon - line[i - 1].Lon) * t,
                    line[i - 1].Lat + (line[i].Lat - line[i - 1].Lat) * t};
        }
        left -= s;
    }
    return line.back();
}

const TSection *TNetwork::FindSection(const QString &guid) const {
    for (const auto &s : Sections)
        if (s.Guid == guid) return &s;
    return nullptr;
}

const TStructure *TNetwork::FindStructureByName(const QString &name) const {
    for (const auto &s : Structures)
        if (s.Name == name) return &s;
    return nullptr;
}

TArea DemoArea() { return TArea{}; }

namespace {

class TBuilder {
public:
    TNetwork Net;

    void Build();

private:
    // Sections made for the edge "from-to" of a chain, in travel order.
    std::map<QString, std::vector<size_t>> FEdges;
    std::map<QString, int> FKeyJunction;
    int FNextJunction = 1;
    int FNextIsrs = 1;

    int KeyJunction(const char *name);
    int NewJunction(const TLonLat &p);
    void AddChain(const TChain &c);
    void AddManagers();
    void AddAttributes();
    void AddStructures();
    void AddMarinasAndMarks();

    TSection &Sec(const char *from, const char *to, size_t k);
    TStructure &AddStruct(int kind, const QString &name, const char *from, const char *to,
                          size_t k, double fraction);
    QString Isrs(char objectKind);
};

int TBuilder::KeyJunction(const char *name) {
    auto it = FKeyJunction.find(QString::fromLatin1(name));
    if (it != FKeyJunction.end()) return it->second;
    const int id = NewJunction(KeyPos(name));
    FKeyJunction[QString::fromLatin1(name)] = id;
    return id;
}

int TBuilder::NewJunction(const TLonLat &p) {
    Net.Junctions.push_back(TJunction{FNextJunction, p});
    return FNextJunction++;
}

void TBuilder::AddChain(const TChain &c) {
    TFairway fw{NameGuid(QStringLiteral("fairway:%1").arg(QString::fromLatin1(c.Fairway))),
                QString::fromLatin1(c.Fairway)};
    Net.Fairways.push_back(fw);
    double chainage = 0;
    for (size_t e = 0; e + 1 < c.Nodes.size(); ++e) {
        const QString partName = QString::fromLatin1(c.Parts[e]);
        const QString partKey = QStringLiteral("%1/%2").arg(fw.Name, partName);
        if (std::none_of(Net.FairwayParts.begin(), Net.FairwayParts.end(),
                         [&](const TFairwayPart &p) { return p.Key == partKey; })) {
            const QString listName =
                partName == fw.Name ? partName : QStringLiteral("%1 (%2)").arg(partName, fw.Name);
            Net.FairwayParts.push_back(TFairwayPart{partKey, fw.Guid, partName, listName});
        }
        const TLonLat a = KeyPos(c.Nodes[e]), b = KeyPos(c.Nodes[e + 1]);
        const double bendM = c.Kind == 2 ? 260.0 : c.Kind == 3 ? 400.0 : 90.0;
        const double approx = PolylineLength({a, b});
        const int n = std::max(1, int(std::lround(approx / SectionTargetM)));
        const QString edgeKey =
            QStringLiteral("%1-%2").arg(QString::fromLatin1(c.Nodes[e]), QString::fromLatin1(c.Nodes[e + 1]));
        int prevJunction = KeyJunction(c.Nodes[e]);
        for (int k = 0; k < n; ++k) {
            const double t0 = double(k) / n, t1 = double(k + 1) / n;
            const int nextJunction =
                k + 1 == n ? KeyJunction(c.Nodes[e + 1]) : NewJunction(Bend(a, b, t1, bendM));
            TSection s;
            s.Name = fw.Name;
            s.Guid = NameGuid(QStringLiteral("section:%1:%2").arg(edgeKey).arg(k));
            s.StartJunction = prevJunction;
            s.EndJunction = nextJunction;
            s.Kind = c.Kind;
            s.WaterBody = c.WaterBody;
            s.Fairway = fw.Guid;
            s.FairwayPart = partKey;
            s.StartChainage = chainage;
            s.WidthM = c.WidthM;
            s.DepthM = c.DepthM;
            constexpr int steps = 4;
            for (int i = 0; i <= steps; ++i)
                s.Line.push_back(Bend(a, b, t0 + (t1 - t0) * i / steps, bendM));
            s.LengthM = PolylineLength(s.Line);
            chainage += s.LengthM;
            FEdges[edgeKey].push_back(Net.Sections.size());
            Net.Sections.push_back(std::move(s));
            prevJunction = nextJunction;
        }
    }
}

TSection &TBuilder::Sec(const char *from, const char *to, size_t k) {
    const auto &list = FEdges.at(QStringLiteral("%1-%2").arg(QString::fromLatin1(from), QString::fromLatin1(to)));
    return Net.Sections[list.at(std::min(k, list.size() - 1))];
}

QString TBuilder::Isrs(char objectKind) {
    // Location code in the ISRS layout: country, place, fairway section, object, hectometre.
    const int n = FNextIsrs++;
    return QStringLiteral("XXSLM%1%2%3")
        .arg(n, 5, 10, QLatin1Char('0'))
        .arg(QLatin1Char(objectKind))
        .arg(n * 7, 9, 10, QLatin1Char('0'));
}

TStructure &TBuilder::AddStruct(int kind, const QString &name, const char *from, const char *to,
                                size_t k, double fraction) {
    const TSection &s = Sec(from, to, k);
    TStructure st;
    st.Guid = NameGuid(QStringLiteral("structure:%1").arg(name));
    st.Kind = kind;
    st.Name = name;
    st.Isrs = Isrs(kind == 3 ? 'L' : kind == 1 ? 'B' : 'O');
    st.Section = s.Guid;
    st.SectionPosition = s.LengthM * fraction;
    st.Pos = PolylinePoint(s.Line, st.SectionPosition);
    st.Label = name;
    Net.Structures.push_back(std::move(st));
    return Net.Structures.back();
}

void TBuilder::AddManagers() {
    Net.Managers.push_back(TManager{QStringLiteral("wb"), QStringLiteral("Velmerland Water Board"), 7,
                                    QStringLiteral("Waterways Department"), QStringLiteral("PO Box 118"),
                                    QStringLiteral("9801 AB"), QStringLiteral("Orlebury"),
                                    QStringLiteral("Dyke Street 4"), QStringLiteral("Orlebury"),
                                    QStringLiteral("+99 512 480 100"), QStringLiteral("+99 512 480 199"),
                                    QStringLiteral("https://waterboard.velmerland.example")});
    Net.Managers.push_back(TManager{QStringLiteral("prov"), QStringLiteral("Province of Orleland"), 2,
                                    QStringLiteral("Bridges and Locks"), QStringLiteral("PO Box 20"),
                                    QStringLiteral("9700 KA"), QStringLiteral("Kesselham"),
                                    QStringLiteral("Market 1"), QStringLiteral("Kesselham"),
                                    QStringLiteral("+99 512 300 300"), QString(),
                                    QStringLiteral("https://orleland.example")});
    Net.Managers.push_back(TManager{QStringLiteral("port"), QStringLiteral("Port of Saltmere"), 12,
                                    QStringLiteral("Harbour Master"), QStringLiteral("Quay 2"),
                                    QStringLiteral("9911 HM"), QStringLiteral("Saltmere"),
                                    QStringLiteral("Quay 2"), QStringLiteral("Saltmere"),
                                    QStringLiteral("+99 512 900 900"), QString(),
                                    QStringLiteral("https://port-saltmere.example")});
}

void TBuilder::AddAttributes() {
    auto add = [&](const TSection &s, const char *attr, double n1, double n2 = NoValue,
                   double n3 = NoValue, double n4 = NoValue, const QString &t1 = {},
                   const QString &t2 = {}, double from = 0.0, double to = NoValue) {
        TSectionAttribute a;
        a.Section = s.Guid;
        a.Attribute = QString::fromLatin1(attr);
        a.From = from;
        a.To = to;
        a.Num[0] = n1, a.Num[1] = n2, a.Num[2] = n3, a.Num[3] = n4;
        a.Text1 = t1;
        a.Text2 = t2;
        Net.Attributes.push_back(std::move(a));
    };
    for (const auto &s : Net.Sections) {
        switch (s.Kind) {
        case 1:  // canals: 9 km/h, depth and width limits per canal
            add(s, "speed_limit", 2.5);
            if (s.Name == QLatin1String("Brisk Canal"))
                add(s, "max_dimensions", 1.8, NoValue, 40.0, 7.0);
            else
                add(s, "max_dimensions", 2.3, NoValue, 70.0, 8.5);
            add(s, "navigability", 3);
            break;
        case 2:
            add(s, "speed_limit", 3.5);
            add(s, "max_dimensions", 3.2, NoValue, 110.0, 11.5);
            add(s, "commercial_dimensions", 2.0, NoValue, 20.0, 5.0);
            add(s, "current", 0.4);
            add(s, "vhf_sector", 20, NoValue, NoValue, NoValue, QStringLiteral("Orle Traffic"));
            add(s, "navigability", 3);
            break;
        case 3:
            add(s, "max_dimensions", 2.0);
            add(s, "remark", NoValue, NoValue, NoValue, NoValue,
                QStringLiteral("Shallow outside the buoyed channel; strong gusts over the lake."));
            break;
        case 5:
            add(s, "speed_limit", 3 * Knot);  // 3 knots in the harbour
            add(s, "vhf_report", 1, 14, NoValue, NoValue, QStringLiteral("Saltmere Port Control"));
            add(s, "vhf_report", 0, 12, NoValue, NoValue, QStringLiteral("Saltmere Port Control"));
            break;
        default:
            break;
        }
    }
    // The Vorn Canal runs through a nature reserve: permit needed, one way eastbound on the
    // first stretch, keep left where the reed beds narrow it.
    const TSection &v0 = Sec("A2", "V1", 0);
    add(v0, "permit", NoValue, NoValue, NoValue, NoValue, QStringLiteral("https://orleland.example/vorn-permit"),
        QStringLiteral("Navigation permit for the Vorn reserve"));
    add(v0, "one_way", 1);
    add(v0, "keep_left", 1, NoValue, NoValue, NoValue, {}, {}, 200.0, v0.LengthM * 0.5);
}

void TBuilder::AddStructures() {
    // Opening times: summer season daily 06:00-22:00; winter working days 08:00-17:00.
    auto seasonPeriods = [](TStructure &st, int summerStart, int summerEnd) {
        TPeriod summer;
        summer.Id = 1;
        summer.StartDay = 1, summer.StartMonth = 4, summer.EndDay = 31, summer.EndMonth = 10;
        summer.Remark = QStringLiteral("Summer season");
        summer.Windows.push_back(TWindow{0xFE, summerStart, summerEnd, 3, 0});
        TPeriod winter;
        winter.Id = 2;
        winter.StartDay = 1, winter.StartMonth = 11, winter.EndDay = 31, winter.EndMonth = 3;
        winter.Remark = QStringLiteral("Winter: on request one day ahead");
        winter.Windows.push_back(TWindow{0x3E, 8 * 60, 17 * 60, 3, 0});
        winter.Windows.push_back(TWindow{0x40, 9 * 60, 13 * 60, 1, 0});
        st.Periods = {summer, winter};
    };
    auto fixedBridge = [&](const QString &name, const char *from, const char *to, size_t k,
                           double height, double width) -> TStructure & {
        TStructure &st = AddStruct(1, name, from, to, k, 0.5);
        TItem it;
        it.Number = 1;
        it.BridgeType = 14;
        it.Isrs = st.Isrs;
        it.Width = width;
        it.PassageWidth = width;
        it.Levels[QStringLiteral("height_closed")] = Metres(height);
        it.Levels[QStringLiteral("passage_height")] = Metres(height);
        st.Items.push_back(it);
        st.Subtext = QStringLiteral("%1 m").arg(height, 0, 'f', 1);
        st.Manager = QStringLiteral("prov");
        return st;
    };
    auto openingBridge = [&](const QString &name, const char *from, const char *to, size_t k,
                             int type, double closed, double open, double width) -> TStructure & {
        TStructure &st = AddStruct(1, name, from, to, k, 0.5);
        TItem it;
        it.Number = 1;
        it.BridgeType = type;
        it.Isrs = st.Isrs;
        it.Width = width;
        it.PassageWidth = width;
        it.Levels[QStringLiteral("height_closed")] = Metres(closed);
        if (!std::isnan(open)) it.Levels[QStringLiteral("height_open")] = Metres(open);
        it.Levels[QStringLiteral("passage_height")] = Metres(std::isnan(open) ? NoValue : open);
        st.Items.push_back(it);
        st.VHFChannel = QStringLiteral("18");
        st.ControlKind = 2;
        st.Manager = QStringLiteral("wb");
        st.Subtext = QStringLiteral("%1 m closed").arg(closed, 0, 'f', 1);
        seasonPeriods(st, 6 * 60, 22 * 60);
        return st;
    };

    {
        TStructure &b = openingBridge(QStringLiteral("Harbour Bridge"), "H", "R0", 0, 1, 2.5, NoValue, 14.0);
        b.Place = QStringLiteral("Saltmere");
        b.Manager = QStringLiteral("port");
        b.Phone = QStringLiteral("+99 512 900 910");
        b.Images = QStringList{QStringLiteral("harbour-bridge.jpg")};
    }
    fixedBridge(QStringLiteral("Orle Road Bridge"), "R0", "R1", 1, 9.0, 20.0).Place = QStringLiteral("Saltmere");
    {
        TStructure &b = openingBridge(QStringLiteral("Millbrook Bridge"), "R1", "R2", 1, 3, 1.8, NoValue, 11.0);
        b.Place = QStringLiteral("Millbrook");
        b.Periods[0].Windows = {TWindow{0xFE, 7 * 60, 12 * 60, 3, 0}, TWindow{0xFE, 13 * 60, 21 * 60, 3, 0}};
    }
    {
        // Clearance depends on the river level: 3.6 m above datum minus the current level.
        TStructure &b = fixedBridge(QStringLiteral("Low Orle Bridge"), "R2", "R3", 1, 3.6, 12.0);
        b.Place = QStringLiteral("Orlebury");
        for (auto key : {QStringLiteral("height_closed"), QStringLiteral("passage_height")})
            b.Items[0].Levels[key] = TLevel{3.6, 5, NoValue, 1};
        b.Subtext = QStringLiteral("3.6 m + datum");
    }
    {
        TStructure &b = openingBridge(QStringLiteral("Orle Railway Bridge"), "R3", "R4", 2, 4, 4.0, 12.0, 12.0);
        b.Place = QStringLiteral("Orlebury");
        b.Periods[0].Windows = {TWindow{0xFE, 6 * 60 + 30, 9 * 60, 3, 0},
                                TWindow{0xFE, 10 * 60, 16 * 60, 3, 0},
                                TWindow{0xFE, 18 * 60, 21 * 60 + 30, 3, 0}};
        b.Complex = QStringLiteral("Orlebury Railway Crossing");
    }
    fixedBridge(QStringLiteral("Kessel Bridge"), "R1", "A1", 1, 6.5, 10.0).Place = QStringLiteral("Kesselham");
    {
        TStructure &b = openingBridge(QStringLiteral("Ashgate Bridge"), "A1", "A2", 1, 1, 1.2, NoValue, 9.0);
        b.Place = QStringLiteral("Ashgate");
    }
    fixedBridge(QStringLiteral("Brisk Bridge"), "R2", "B1", 0, 5.5, 9.0).Place = QStringLiteral("Brisk");
    {
        TStructure &b = openingBridge(QStringLiteral("Tollmere Bridge"), "B1", "B2", 2, 1, 2.1, NoValue, 8.0);
        b.Place = QStringLiteral("Tollmere");
        TSpecialRule closedHolidays;
        closedHolidays.Id = 1;
        closedHolidays.Operation = 0;
        closedHolidays.Dates = {TSpecialDate{0, 25, 12, 0}, TSpecialDate{0, 1, 1, 0}};
        TSpecialRule asSunday;
        asSunday.Id = 2;
        asSunday.Operation = 2;
        asSunday.WeekDay = 7;
        asSunday.NoOperationAfter = 18 * 60;
        asSunday.Dates = {TSpecialDate{2, 0, 0, 0}, TSpecialDate{5, 0, 0, 1}, TSpecialDate{4, 0, 0, 0}};
        b.Rules = {closedHolidays, asSunday};
    }
    fixedBridge(QStringLiteral("Dunmeer Cut Bridge"), "D1", "R4", 1, 7.0, 10.0).Place = QStringLiteral("Dunmeer");
    {
        TStructure &b = openingBridge(QStringLiteral("Vorn Bridge"), "A2", "V1", 1, 2, 3.0, NoValue, 8.0);
        b.Place = QStringLiteral("Vornholt");
        b.WaitingTime = 600;
    }
    fixedBridge(QStringLiteral("Coast Road Bridge"), "R0", "M1", 0, 12.0, 16.0).Place = QStringLiteral("Saltmere");

    auto lock = [&](const QString &name, const char *from, const char *to, size_t k, double fall,
                    std::vector<std::pair<double, double>> chambers) -> TStructure & {
        TStructure &st = AddStruct(3, name, from, to, k, 0.5);
        st.Fall = fall;
        st.VHFChannel = QStringLiteral("22");
        st.ControlKind = 7;
        st.Manager = QStringLiteral("wb");
        int n = 1;
        for (auto [len, width] : chambers) {
            TItem it;
            it.Number = n;
            it.Name = chambers.size() > 1 ? QStringLiteral("%1 chamber %2").arg(name).arg(n) : name;
            it.Isrs = Isrs('L');
            it.Length = len;
            it.Width = width;
            it.MinGateWidth = width - 0.5;
            it.LockLength = len;
            it.Levels[QStringLiteral("threshold_down")] = Metres(3.0);
            it.Levels[QStringLiteral("threshold_up")] = Metres(3.0 + fall);
            st.Items.push_back(it);
            ++n;
        }
        st.Subtext = QStringLiteral("fall %1 m").arg(fall, 0, 'f', 1);
        seasonPeriods(st, 6 * 60, 22 * 60);
        return st;
    };
    {
        TStructure &l = lock(QStringLiteral("Saltmere Sea Lock"), "H", "R0", 1, 1.2, {{120.0, 12.0}, {65.0, 8.0}});
        l.Place = QStringLiteral("Saltmere");
        l.Manager = QStringLiteral("port");
        l.WaitingTime = 900;
        l.Address = QStringLiteral("Lock Island 1");
        l.PostalCode = QStringLiteral("9911 SL");
        l.Phone = QStringLiteral("+99 512 900 920");
        l.Complex = QStringLiteral("Saltmere Sea Works");
        l.Items[0].HasTideLengths = true;
        l.Items[0].LockLengthLowTide = 110.0;
        l.Periods[0].Windows = {TWindow{0xFE, 0, 24 * 60 - 1, 3, 0}};
        l.Periods[1].Windows = {TWindow{0xFE, 5 * 60, 23 * 60, 3, 0}};
    }
    lock(QStringLiteral("Kessel Lock"), "A1", "A2", 3, 2.5, {{80.0, 8.0}}).Place = QStringLiteral("Kesselham");
    lock(QStringLiteral("Brisk Lock"), "B1", "B2", 0, 1.8, {{60.0, 7.0}}).Place = QStringLiteral("Brisk");

    {
        TStructure &c = AddStruct(2, QStringLiteral("Vorn Power Line"), "V1", "R4", 0, 0.4);
        c.OtherType = 8;
        TItem it;
        it.Number = 1;
        it.Levels[QStringLiteral("height")] = Metres(28.0);
        c.Items.push_back(it);
    }
    {
        TStructure &w = AddStruct(0, QStringLiteral("Orle Weir"), "R3", "R4", 0, 0.3);
        w.BarrierKind = 0;
        TItem it;
        it.Number = 1;
        it.Width = 14.0;
        it.Levels[QStringLiteral("height")] = Metres(5.0);
        it.Levels[QStringLiteral("threshold_depth")] = Metres(2.8);
        it.Remark = QStringLiteral("Passage only with the weir fully open");
        w.Items.push_back(it);
    }
}

void TBuilder::AddMarinasAndMarks() {
    const TSection &m1 = Sec("R0", "M1", 0);
    Net.Marinas.push_back(TMarina{NameGuid(QStringLiteral("marina:Saltmere Yacht Haven")),
                                  QStringLiteral("Saltmere Yacht Haven"), m1.Guid, m1.LengthM,
                                  m1.Line.back(), QStringLiteral("Saltmere"),
                                  QStringLiteral("+99 512 900 950"),
                                  QStringLiteral("https://yachthaven.example")});
    const TSection &m2 = Sec("D1", "M2", 0);
    Net.Marinas.push_back(TMarina{NameGuid(QStringLiteral("marina:Dunmeer Marina")),
                                  QStringLiteral("Dunmeer Marina"), m2.Guid, m2.LengthM,
                                  m2.Line.back(), QStringLiteral("Dunmeer"),
                                  QStringLiteral("+99 512 777 010"), QString()});
    // Kilometre posts every kilometre along the River Orle and the Kessel Canal.
    for (const auto &s : Net.Sections) {
        if (s.Name != QLatin1String("River Orle") && s.Name != QLatin1String("Kessel Canal")) continue;
        const double first = std::ceil(s.StartChainage / 1000.0) * 1000.0;
        for (double km = first; km < s.StartChainage + s.LengthM; km += 1000.0) {
            const double pos = km - s.StartChainage;
            Net.DistanceMarks.push_back(TDistanceMark{s.Guid, pos, km, PolylinePoint(s.Line, pos)});
        }
    }
}

void TBuilder::Build() {
    Net.Version = QStringLiteral("1.3.0.7");
    for (const auto &c : Chains()) AddChain(c);
    AddManagers();
    AddAttributes();
    AddStructures();
    AddMarinasAndMarks();
}

}  // namespace

TNetwork BuildDemoNetwork() {
    TBuilder b;
    b.Build();
    return std::move(b.Net);
}

}  // namespace demo
