// Chart objects at the network's structures (bridges with their clearances, the weir, the
// power line, the marinas) and the aids to navigation: the buoyed approach to Saltmere,
// the pier lights, the lighthouse on Velmer Head, the cardinal marks of the Haller Bank and
// the buoys of the Dunmeer channel.
#include "DemoChart.h"

#include <cmath>

namespace demo {

namespace {

// The network's bridge types as S-57 bridge categories.
int BridgeCategory(int bridgeType) {
    switch (bridgeType) {
    case 14: return 1;  // fixed
    case 3: return 3;   // swing
    case 4: return 4;   // lifting
    default: return 5;  // bascule
    }
}

double Level(const TItem &it, const char *key) {
    auto found = it.Levels.find(QString::fromLatin1(key));
    return found == it.Levels.end() ? NoValue : found->second.Value;
}

// A line across the waterway through the structure, reaching `reach` metres past each bank.
OGRLineString Across(const TChartScene &scene, const TStructure &st, double widthM, double reach) {
    OGRRawPoint c;
    const OGRRawPoint d = StructureAxis(scene, st, 40.0, c), n(-d.y, d.x);
    const double half = widthM / 2 + reach;
    OGRLineString line;
    line.addPoint(c.x - n.x * half, c.y - n.y * half);
    line.addPoint(c.x + n.x * half, c.y + n.y * half);
    return line;
}

void Buoy(TChartScene &scene, const char *cls, OGRRawPoint p, const char *name, const char *colour, int shape) {
    scene.AddPoint(cls, p).Set("OBJNAM", name).Set("COLOUR", colour).Set("BOYSHP", shape);
}

void Light(TChartScene &scene, OGRRawPoint p, const char *name, int character, const char *group, const char *colour,
           double period, double height, double range) {
    TChartFeature &f = scene.AddPoint("LIGHTS", p);
    f.Set("OBJNAM", name).Set("LITCHR", character).Set("COLOUR", colour).Set("SIGPER", period).Set("VALNMR", range);
    if (group) f.Set("SIGGRP", group);
    if (height > 0) f.Set("HEIGHT", height);
}

}  // namespace

void BuildStructures(TChartScene &scene) {
    const TNetwork &net = scene.Net;
    for (const TStructure &st : net.Structures) {
        const TSection *s = net.FindSection(st.Section);
        const QByteArray name = st.Name.toUtf8();
        if (st.Kind == 1 && !st.Items.empty()) {
            const TItem &it = st.Items.front();
            const bool fixed = it.BridgeType == 14;
            TChartFeature &f = scene.Add("BRIDGE", Across(scene, st, s->WidthM, 22.0));
            f.Set("OBJNAM", name).Set("CATBRG", QByteArray::number(BridgeCategory(it.BridgeType)));
            const double closed = Level(it, "height_closed"), open = Level(it, "height_open");
            if (!std::isnan(closed)) f.Set(fixed ? "VERCLR" : "VERCCL", closed);
            if (!fixed && !std::isnan(open)) f.Set("VERCOP", open);
            const double width = it.PassageWidth > 0 ? it.PassageWidth : it.Width;
            if (width > 0) f.Set("HORCLR", width);
        } else if (st.Kind == 0) {
            scene.Add("DAMCON", Across(scene, st, s->WidthM, 4.0)).Set("OBJNAM", name).Set("CATDAM", 1);
        } else if (st.Kind == 2 && !st.Items.empty()) {
            TChartFeature &f = scene.Add("CBLOHD", Across(scene, st, s->WidthM, 450.0));
            f.Set("OBJNAM", name).Set("CATCBL", 1);
            const double height = Level(st.Items.front(), "height");
            if (!std::isnan(height)) f.Set("VERCLR", height);
        }
    }
    for (const TMarina &m : net.Marinas)
        scene.AddPoint("HRBFAC", scene.Plane.ToXY(m.Pos)).Set("OBJNAM", m.Name.toUtf8()).Set("CATHAF", "5");
}

void BuildAidsToNavigation(TChartScene &scene) {
    // The approach, buoyed from seaward: red cans to port and green cones to starboard
    // going in (east), a safe-water buoy at its outer end.
    const OGRRawPoint e = scene.Entrance, d = scene.EntranceDir, n(-d.y, d.x);
    auto at = [&](double out, double left) {
        return OGRRawPoint(e.x - d.x * out + n.x * left, e.y - d.y * out + n.y * left);
    };
    const double pairs[] = {2000.0, 1450.0, 900.0, 380.0};
    int number = 1;
    for (double out : pairs) {
        const QByteArray green = "SR " + QByteArray::number(number), red = "SR " + QByteArray::number(number + 1);
        Buoy(scene, "BOYLAT", at(out, 95.0), red.constData(), "3", 2);
        scene.Features.back().Set("CATLAM", 1);
        Buoy(scene, "BOYLAT", at(out, -95.0), green.constData(), "4", 1);
        scene.Features.back().Set("CATLAM", 2);
        number += 2;
    }
    Buoy(scene, "BOYSAW", at(2600.0, 0.0), "SR", "3,1", 4);
    Light(scene, at(2600.0, 0.0), "SR", 7, nullptr, "1", 8.0, 0.0, 5.0);

    // Pier heads: a red light to the north, a green one to the south.
    const OGRRawPoint north = at(-4.0, 43.0), south = at(-4.0, -43.0);
    scene.AddPoint("BCNLAT", north).Set("OBJNAM", "N Pier").Set("CATLAM", 1).Set("COLOUR", "3");
    Light(scene, north, "Saltmere North Pier", 2, nullptr, "3", 5.0, 9.0, 4.0);
    scene.AddPoint("BCNLAT", south).Set("OBJNAM", "S Pier").Set("CATLAM", 2).Set("COLOUR", "4");
    Light(scene, south, "Saltmere South Pier", 2, nullptr, "4", 5.0, 9.0, 4.0);

    // Velmer Head: the lighthouse on the headland north of the harbour.
    const double headY = scene.Plane.ToXY({4.4455, 52.952}).y;
    const OGRRawPoint head(scene.CoastX(headY) + 160.0, headY);
    scene.AddPoint("LNDMRK", head).Set("OBJNAM", "Velmer Head").Set("CATLMK", "17").Set("COLOUR", "1,3");
    Light(scene, head, "Velmer Head", 2, "(2)", "1", 10.0, 31.0, 18.0);

    // The Haller Bank, marked north and south.
    const OGRRawPoint bank = scene.Plane.ToXY({4.392, 53.008});
    const double h = 1.38;
    const OGRRawPoint along(std::cos(h), std::sin(h));
    Buoy(scene, "BOYCAR", OGRRawPoint(bank.x + along.x * 3300.0, bank.y + along.y * 3300.0), "Haller N", "2,6", 4);
    scene.Features.back().Set("CATCAM", 1);
    Buoy(scene, "BOYCAR", OGRRawPoint(bank.x - along.x * 3300.0, bank.y - along.y * 3300.0), "Haller S", "6,2", 4);
    scene.Features.back().Set("CATCAM", 3);

    // The Dunmeer channel, buoyed from the Brisk Canal towards the marina: red and green
    // by turns, each a few hundred metres on from the last.
    int k = 0;
    for (const TSection &s : scene.Net.Sections) {
        if (s.Kind != 3) continue;
        auto line = scene.SectionLine(s);
        for (double u = 300.0; u < line->get_Length() - 150.0; u += 450.0, ++k) {
            OGRRawPoint dir;
            const OGRRawPoint p = PointAlong(*line, u, &dir);
            const double side = k % 2 ? -32.0 : 32.0;
            const QByteArray name = "DM " + QByteArray::number(k + 1);
            Buoy(scene, "BOYLAT", OGRRawPoint(p.x - dir.y * side, p.y + dir.x * side), name.constData(),
                 k % 2 ? "4" : "3", k % 2 ? 1 : 2);
            scene.Features.back().Set("CATLAM", k % 2 ? 2 : 1);
        }
    }
}

}  // namespace demo
