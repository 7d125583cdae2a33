// A generated waterway network for benchmarks: a square grid of canals written as a real
// network file, so that whatever loads it runs with every rule it applies to real data
// (speed limits, structures with clearances, operating times).
#pragma once

#include "network/WWFileFormat.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <map>
#include <memory>
#include <vector>

namespace benchgrid {

namespace f = kv::wwformat;

inline QString SectionGuid(int i) {
    return QUuid::createUuidV5(QUuid(QStringLiteral("{2b7e4c1a-9d3f-4e6a-8c21-5f0b7a9e3d42}")), QString::number(i))
        .toString(QUuid::WithBraces)
        .toUpper();
}

// Every layer of the network file with its fields ("name:type", I integer, R real, S text).
struct TLayerSpec {
    const char *Name;
    OGRwkbGeometryType Geometry;
    QStringList Fields;
};

inline QString FairwayGuid(bool row, int line) {
    return QUuid::createUuidV5(QUuid(QStringLiteral("{6f1d2a9c-3b7e-4d58-a0c4-9e2b5f7d1c36}")),
                               QStringLiteral("%1 %2").arg(row ? u"row" : u"column").arg(line))
        .toString(QUuid::WithBraces)
        .toUpper();
}

inline std::vector<TLayerSpec> Layers() {
    QStringList items = QString("structure:S number:I remark:S name:S isrs:S bridge_type:I width:R passage_width:R "
                                "min_gate_width:R length:R partial_length1:R partial_length2:R lock_length:R "
                                "lock_length_low_tide:R has_tide_lengths:I")
                            .split(' ');
    for (const char *lv : f::LevelFields) {
        const QString n = QString::fromLatin1(lv);
        items << n + ":R" << n + "_ref:I" << n + "_ref_value:R" << n + "_nap_mode:I";
    }
    return {
        {f::LayerInfo, wkbNone, QString("format:I version:S").split(' ')},
        {f::LayerJunctions, wkbPoint, QString("id:I").split(' ')},
        {f::LayerFairways, wkbNone, QString("guid:S name:S").split(' ')},
        {f::LayerFairwayParts, wkbNone, QString("key:S fairway:S name:S list_name:S").split(' ')},
        {f::LayerSections, wkbLineString,
         QString("guid:S name:S start_junction:I end_junction:I kind:I water_body:I fairway:S fairway_part:S "
                 "start_chainage:R")
             .split(' ')},
        {f::LayerSectionAttributes, wkbNone,
         QString("section:S attribute:S from_pos:R to_pos:R num1:R num2:R num3:R num4:R text1:S text2:S").split(' ')},
        {f::LayerManagers, wkbNone,
         QString("key:S name:S type:I department:S mail_address:S mail_postal_code:S mail_place:S visit_address:S "
                 "visit_place:S phone:S fax:S website:S")
             .split(' ')},
        {f::LayerStructures, wkbPoint,
         QString("guid:S isrs:S kind:I other_type:I barrier_kind:I name:S place:S vhf_channel:S address:S "
                 "postal_code:S phone:S complex:S label:S subtext:S images:S section:S section_position:R manager:S "
                 "normally_open:I fall:R waiting_time:I control_kind:I")
             .split(' ')},
        {f::LayerStructureItems, wkbNone, items},
        {f::LayerOperatingPeriods, wkbNone,
         QString("structure:S id:I start_day:I start_month:I end_day:I end_month:I remark:S").split(' ')},
        {f::LayerOperatingTimes, wkbNone,
         QString("structure:S period:I week_days:I start_time:I end_time:I vessel_classes:I direction:I").split(' ')},
        {f::LayerSpecialDayRules, wkbNone,
         QString("structure:S id:I operation:I week_day:I no_operation_before:I no_operation_after:I "
                 "vessel_classes:I direction:I")
             .split(' ')},
        {f::LayerSpecialDates, wkbNone, QString("structure:S rule:I holiday:I day:I month:I day_offset:I").split(' ')},
        {f::LayerMarinas, wkbPoint,
         QString("guid:S name:S section:S section_position:R place:S phone:S website:S").split(' ')},
        {f::LayerDistanceMarks, wkbPoint, QString("section:S section_position:R value:R").split(' ')},
    };
}

// A grid of canals, Side × Side junctions about 200 m apart, every edge with a kink so that
// lengths differ. Every tenth section has a speed limit, every fiftieth a fixed bridge high
// enough for the benchmark's boat and every hundredth an opening bridge with daily times.
struct TGrid {
    int Side;
    struct TEdge {
        int A, B;
        double KinkLon, KinkLat;
    };
    std::vector<TEdge> Edges;
    // A bridge on every BridgeEvery-th section, every other one opening.
    int BridgeEvery = 50;
    // Each row and each column of canals one fairway, so that a walk along the network
    // goes straight on at the junctions.
    bool CanalFairways = false;
    double Lon(int n) const { return 4.0 + (n % Side) * 0.003; }
    double Lat(int n) const { return 52.0 + (n / Side) * 0.0018; }

    explicit TGrid(int side) : Side(side) {
        QRandomGenerator rng(2024);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                const int n = y * Side + x;
                if (x + 1 < Side) Edges.push_back({n, n + 1, rng.bounded(0.0008), rng.bounded(0.0006)});
                if (y + 1 < Side) Edges.push_back({n, n + Side, rng.bounded(0.0008), rng.bounded(0.0006)});
            }
    }
};

inline bool WriteGrid(const TGrid &g, const QString &file, QString &error) {
    GDALAllRegister();
    QFile::remove(file);
    GDALDriver *drv = GetGDALDriverManager()->GetDriverByName("GPKG");
    GDALDatasetUniquePtr ds(drv->Create(QFile::encodeName(file).constData(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) return error = QStringLiteral("cannot create %1").arg(file), false;
    OGRSpatialReference srs;
    srs.importFromEPSG(4326);
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::map<QString, OGRLayer *> layers;
    for (const TLayerSpec &spec : Layers()) {
        OGRLayer *l = ds->CreateLayer(spec.Name, spec.Geometry == wkbNone ? nullptr : &srs, spec.Geometry, nullptr);
        if (!l) return error = QStringLiteral("cannot create layer %1").arg(spec.Name), false;
        for (const QString &fd : spec.Fields) {
            const QStringList p = fd.split(':');
            OGRFieldDefn def(p[0].toLatin1().constData(), p[1] == "I" ? OFTInteger : p[1] == "R" ? OFTReal : OFTString);
            l->CreateField(&def);
        }
        layers[QString::fromLatin1(spec.Name)] = l;
    }
    ds->StartTransaction();
    auto row = [&](const char *layer) { return std::make_unique<OGRFeature>(layers[layer]->GetLayerDefn()); };
    auto commit = [&](const char *layer, OGRFeature *ft) { return layers[layer]->CreateFeature(ft) == OGRERR_NONE; };
    bool ok = true;
    {
        auto r = row(f::LayerInfo);
        r->SetField("format", f::FormatVersion);
        r->SetField("version", "1.0.0.0");
        ok &= commit(f::LayerInfo, r.get());
    }
    for (int n = 0; n < g.Side * g.Side && ok; ++n) {
        auto r = row(f::LayerJunctions);
        r->SetField("id", n + 1);
        OGRPoint pt(g.Lon(n), g.Lat(n));
        r->SetGeometry(&pt);
        ok &= commit(f::LayerJunctions, r.get());
    }
    for (size_t i = 0; i < g.Edges.size() && ok; ++i) {
        const auto &e = g.Edges[i];
        const QByteArray guid = SectionGuid(int(i)).toLatin1();
        auto r = row(f::LayerSections);
        r->SetField("guid", guid.constData());
        r->SetField("name", "Grid Canal");
        r->SetField("start_junction", e.A + 1);
        r->SetField("end_junction", e.B + 1);
        r->SetField("kind", 1);
        r->SetField("water_body", 3);
        r->SetField("start_chainage", 0.0);
        if (g.CanalFairways) {
            const bool along = e.B == e.A + 1;
            const int line = along ? e.A / g.Side : e.A % g.Side;
            const QByteArray fairway = FairwayGuid(along, line).toLatin1();
            r->SetField("fairway", fairway.constData());
            // The first section of a row or a column names its fairway.
            if (along ? e.A % g.Side == 0 : e.A < g.Side) {
                auto fw = row(f::LayerFairways);
                fw->SetField("guid", fairway.constData());
                fw->SetField("name", QStringLiteral("Grid Canal %1 %2").arg(along ? u"row" : u"column").arg(line).toLatin1().constData());
                ok &= commit(f::LayerFairways, fw.get());
            }
        }
        OGRLineString ls;
        ls.addPoint(g.Lon(e.A), g.Lat(e.A));
        ls.addPoint((g.Lon(e.A) + g.Lon(e.B)) / 2 + e.KinkLon, (g.Lat(e.A) + g.Lat(e.B)) / 2 + e.KinkLat);
        ls.addPoint(g.Lon(e.B), g.Lat(e.B));
        r->SetGeometry(&ls);
        ok &= commit(f::LayerSections, r.get());
        if (i % 10 == 0) {
            auto a = row(f::LayerSectionAttributes);
            a->SetField("section", guid.constData());
            a->SetField("attribute", f::AttrSpeedLimit);
            a->SetField("from_pos", 0.0);
            a->SetField("num1", 2.0);
            ok &= commit(f::LayerSectionAttributes, a.get());
        }
        if (int(i) % g.BridgeEvery == 0) {
            const bool opening = int(i) % (2 * g.BridgeEvery) == 0;
            const QByteArray sg = QUuid::createUuidV5(QUuid(QString::fromLatin1(guid)), QStringLiteral("bridge"))
                                      .toString(QUuid::WithBraces).toUpper().toLatin1();
            auto s = row(f::LayerStructures);
            s->SetField("guid", sg.constData());
            s->SetField("kind", 1);
            s->SetField("name", opening ? "Grid Opening Bridge" : "Grid Bridge");
            s->SetField("section", guid.constData());
            s->SetField("section_position", 50.0);
            OGRPoint pt(g.Lon(e.A), g.Lat(e.A));
            s->SetGeometry(&pt);
            ok &= commit(f::LayerStructures, s.get());
            auto it = row(f::LayerStructureItems);
            it->SetField("structure", sg.constData());
            it->SetField("number", 1);
            it->SetField("bridge_type", opening ? 1 : 14);
            it->SetField("width", 10.0);
            it->SetField("passage_width", 10.0);
            it->SetField("height_closed", opening ? 1.0 : 5.0);
            if (!opening) it->SetField("passage_height", 5.0);
            ok &= commit(f::LayerStructureItems, it.get());
            if (opening) {
                auto p = row(f::LayerOperatingPeriods);
                p->SetField("structure", sg.constData());
                p->SetField("id", 1);
                p->SetField("start_day", 1);
                p->SetField("start_month", 1);
                p->SetField("end_day", 31);
                p->SetField("end_month", 12);
                ok &= commit(f::LayerOperatingPeriods, p.get());
                auto t = row(f::LayerOperatingTimes);
                t->SetField("structure", sg.constData());
                t->SetField("period", 1);
                t->SetField("week_days", 0xFE);
                t->SetField("start_time", 6 * 60);
                t->SetField("end_time", 22 * 60);
                t->SetField("vessel_classes", 3);
                t->SetField("direction", 0);
                ok &= commit(f::LayerOperatingTimes, t.get());
            }
        }
    }
    if (ds->CommitTransaction() != OGRERR_NONE || !ok)
        return error = QStringLiteral("writing %1 failed: %2").arg(file, QString::fromUtf8(CPLGetLastErrorMsg())), false;
    return true;
}

}  // namespace benchgrid
