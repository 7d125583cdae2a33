// Chart display names of real charts read by the core library (copies of the demo chart with
// other header texts), and the property differences among several real waypoints and
// waypoint types that the multi-selection dialogs leave blank.
#include "NavEnvFixture.h"

#include "base/charts/KvCharts.h"
#include "base/waypoints/KvWaypoints.h"
#include "shell/MarivoImages.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct TChartHeader {
    const char *File;
    QByteArray Name, Number;
    int Scale;
    int Edition;  // < 0: no edition record
};

// The demo chart with other header texts. The header keeps its length (the comment line
// takes up the difference) so that the row index behind it still points at the rows.
bool WriteChartCopy(const QString &demoChart, const QString &file, const TChartHeader &h) {
    QFile in(demoChart);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray all = in.readAll();
    const qsizetype headerEnd = all.indexOf('\x1A');
    QList<QByteArray> lines = all.left(headerEnd).split('\n');
    qsizetype comment = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray &line = lines[i];
        if (line.startsWith('!') && comment < 0) comment = i;
        if (line.startsWith("BSB/")) {
            const qsizetype ra = line.indexOf(",RA=");
            line = "BSB/NA=" + h.Name + ",NU=" + h.Number + line.mid(ra);
        } else if (line.startsWith("KNP/SC=")) {
            line = "KNP/SC=" + QByteArray::number(h.Scale) + line.mid(line.indexOf(','));
        } else if (line.startsWith("VER/") && h.Edition >= 0) {
            line += "\nCED/SE=1,RE=" + QByteArray::number(h.Edition) + ",ED=01/15/2024\r";
        }
    }
    if (comment < 0) return false;
    QByteArray header = lines.join('\n');
    const qsizetype excess = header.size() - headerEnd;
    const QByteArray &commentLine = lines[comment];
    if (excess >= commentLine.size() - 2) return false;
    lines[comment] = excess > 0 ? commentLine.left(commentLine.size() - 1 - excess) + '\r'
                                : commentLine.left(commentLine.size() - 1) +
                                      QByteArray(-excess, ' ') + '\r';
    header = lines.join('\n');
    QFile out(file);
    return header.size() == headerEnd && out.open(QIODevice::WriteOnly) &&
           out.write(header + all.mid(headerEnd)) == all.size();
}

// A type whose three label fonts all differ from each other.
TWptTypeDef LabelledType() {
    TWptTypeDef def;
    def.MainText = TWptTextStyle{0xFF112233u, 11.0f, WptFontStyle::Bold | WptFontStyle::Italic};
    def.LightChar = TWptTextStyle{0xFF445566u, 7.5f, WptFontStyle::Underline};
    def.SubText = TWptTextStyle{0xFF778899u, 6.0f, 0};
    return def;
}

class ChartNamesAndComparisons : public NavEnvFixture {};

}  // namespace

TEST_F(ChartNamesAndComparisons, ChartDisplayNames) {
    const TChartHeader headers[] = {
        {"NONAME.KAP", "", "", 0, -1},
        {"NAMEONLY.KAP", "Saltmere", "", 0, 0},
        {"NUMBERED.KAP", "Harbour", "1801", 50000, 3},
        {"EDITION0.KAP", "Harbour", "1801", 25000, 0},
        {"UNNUMBERED.KAP", "", "77", 10000, 12},
    };
    struct TExpected {
        QString Name, Ex, ExWithEdition;
    };
    const QMap<QString, TExpected> expected{
        // The core library names a chart without a name after its file.
        {"NONAME.KAP", {"NONAME", "NONAME", "NONAME"}},
        {"NAMEONLY.KAP", {"Saltmere", "Saltmere", "Saltmere"}},
        {"NUMBERED.KAP",
         {"1801 - Harbour", "1:50000, 1801 - Harbour", "1:50000, 1801 - Harbour (Edition 3)"}},
        {"EDITION0.KAP", {"1801 - Harbour", "1:25000, 1801 - Harbour", "1:25000, 1801 - Harbour"}},
        {"UNNUMBERED.KAP",
         {"77 - UNNUMBERED", "1:10000, 77 - UNNUMBERED", "1:10000, 77 - UNNUMBERED (Edition 12)"}},
    };
    const QString folder = FData + QStringLiteral("/Charts/Names");
    ASSERT_TRUE(QDir().mkpath(folder));
    QJsonArray charts;
    for (const TChartHeader &h : headers) {
        const QString file = QString::fromLatin1(h.File);
        ASSERT_TRUE(WriteChartCopy(FData + QStringLiteral("/Charts/BSB/VELM0001.KAP"),
                                   folder + QLatin1Char('/') + file, h))
            << h.File;
        charts.append(QJsonObject{{QStringLiteral("file"), file}});
    }
    const QJsonObject manifest{
        {QStringLiteral("format"), 1},
        {QStringLiteral("product"), QJsonObject{{QStringLiteral("number"), 4712},
                                               {QStringLiteral("code"), QStringLiteral("NAM")},
                                               {QStringLiteral("title"), QStringLiteral("NAM")}}},
        {QStringLiteral("set"), QJsonObject{{QStringLiteral("number"), 1},
                                           {QStringLiteral("code"), QStringLiteral("N1")},
                                           {QStringLiteral("title"), QStringLiteral("N1")}}},
        {QStringLiteral("moduleMask"), 1},
        {QStringLiteral("edition"), 1},
        {QStringLiteral("charts"), charts}};
    QFile json(folder + QStringLiteral("/chartset.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QJsonDocument(manifest).toJson());
    json.close();

    auto env = Make();
    QStringList seen;
    for (int32_t i = 0; i < env->ChartManager->GetCatalogueCount(); ++i) {
        IRasterChart *chart = env->ChartManager->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart();
        if (!chart) continue;
        const QString file = QFileInfo(RasterChartGetFileName(chart)).fileName();
        if (!expected.contains(file)) continue;
        seen << file;
        const TExpected &e = expected[file];
        EXPECT_EQ(ChartDisplayName(chart), e.Name) << file.toStdString();
        EXPECT_EQ(ChartDisplayNameEx(chart, false), e.Ex) << file.toStdString();
        EXPECT_EQ(ChartDisplayNameEx(chart, true), e.ExWithEdition) << file.toStdString();
    }
    seen.sort();
    QStringList all = expected.keys();
    all.sort();
    EXPECT_EQ(seen, all) << "every copy is in the catalogue";
}

TEST_F(ChartNamesAndComparisons, WaypointListDifferencesSetEachBitOnce) {
    auto env = Make();
    IWptDatabase *db = env->UserDatabase;
    int32_t err = 0;
    IWptWaypointType *type = db->NewType(LabelledType(), err);
    IWptWaypointType *other = db->NewType(LabelledType(), err);
    ASSERT_EQ(err, 0);
    auto make = [&] {
        IWptWaypoint *w = db->NewWaypoint(nullptr, {0.9, 0.08, 0.0}, type);
        WptWaypointSetLink(w, QStringLiteral("http://a"), err);
        WptWaypointSetSubName(w, QStringLiteral("sub"), err);
        w->SetProximity(100.0f, err);
        w->SetScale(50000.0f, err);
        return w;
    };
    struct TCase {
        const char *Name;
        std::function<void(IWptWaypoint *)> Change;  // applied to the first of three
        uint32_t Bits;
    };
    const TCase cases[] = {
        {"all alike", [](IWptWaypoint *) {}, 0},
        {"link, case counts", [&](IWptWaypoint *w) { WptWaypointSetLink(w, QStringLiteral("http://A"), err); }, 1},
        {"type and so the compared object", [&](IWptWaypoint *w) { w->SetType(other, err); }, 2 | 32},
        {"proximity", [&](IWptWaypoint *w) { w->SetProximity(150.0f, err); }, 4},
        {"scale", [&](IWptWaypoint *w) { w->SetScale(25000.0f, err); }, 8},
        {"sub name, case counts", [&](IWptWaypoint *w) { WptWaypointSetSubName(w, QStringLiteral("Sub"), err); }, 16},
        {"several", [&](IWptWaypoint *w) {
             w->SetScale(1.0f, err);
             WptWaypointSetLink(w, QString(), err);
         }, 1 | 8},
    };
    for (const TCase &c : cases) {
        QList<IWptWaypoint *> list{make(), make(), make()};
        c.Change(list[0]);
        ASSERT_EQ(err, 0) << c.Name;
        EXPECT_EQ(WaypointListDifferences(list), c.Bits) << c.Name;
        // The reference is the last one; a difference anywhere before it counts once.
        std::swap(list[0], list[1]);
        EXPECT_EQ(WaypointListDifferences(list), c.Bits) << c.Name << ", in the middle";
        EXPECT_EQ(WaypointListDifferences({list[0]}), 0u) << c.Name << ", a single waypoint";
    }
    EXPECT_EQ(WaypointListDifferences({}), 0u);
}

TEST_F(ChartNamesAndComparisons, WaypointTypeFontDifferencesPerLabel) {
    auto env = Make();
    IWptDatabase *db = env->UserDatabase;
    int32_t err = 0;
    struct TCase {
        const char *Name;
        std::function<void(IWptWaypointType *)> Change;
        uint32_t Bits;
    };
    const TCase cases[] = {
        {"alike", [](IWptWaypointType *) {}, 0},
        {"light characteristic size", [&](IWptWaypointType *t) { t->SetLightCharSize(t->GetLightCharSize() + 2, err); }, 1},
        {"light characteristic colour", [&](IWptWaypointType *t) { t->SetLightCharColor(t->GetLightCharColor() ^ 0xFF, err); }, 1},
        {"main text style", [&](IWptWaypointType *t) {
             WptTypeSetMainTextFontStyle(t, WptTypeGetMainTextFontStyle(t) ^ TFontStyles(1), err);
         }, 2},
        {"main text size", [&](IWptWaypointType *t) { t->SetMainTextSize(t->GetMainTextSize() + 1, err); }, 2},
        {"subtext colour", [&](IWptWaypointType *t) { t->SetSubtextColor(t->GetSubtextColor() ^ 0xFF00, err); }, 4},
        {"subtext size and main colour", [&](IWptWaypointType *t) {
             t->SetSubtextSize(t->GetSubtextSize() + 3, err);
             t->SetMainTextColor(t->GetMainTextColor() ^ 0xFF, err);
         }, 2 | 4},
    };
    for (const TCase &c : cases) {
        QList<IWptWaypointType *> list{db->NewType(LabelledType(), err),
                                       db->NewType(LabelledType(), err),
                                       db->NewType(LabelledType(), err)};
        c.Change(list[0]);
        ASSERT_EQ(err, 0) << c.Name;
        EXPECT_EQ(WaypointTypeFontDifferences(list), c.Bits) << c.Name;
        c.Change(list[1]);
        EXPECT_EQ(WaypointTypeFontDifferences(list), c.Bits) << c.Name << ", twice";
        EXPECT_EQ(WaypointTypeFontDifferences({list[0]}), 0u) << c.Name << ", a single type";
    }
}
