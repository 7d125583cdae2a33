// Writes a TNetwork as the ".kvwwn" GeoPackage (layout in WWFileFormat.h).
#include "DemoData.h"
#include "DemoGdal.h"
#include "network/WWFileFormat.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace demo {

namespace {

namespace f = kv::wwformat;

// One layer being written: fields are declared once, then rows are set by field name.
class TLayer {
public:
    TLayer(GDALDataset *ds, const char *name, OGRwkbGeometryType geom, OGRSpatialReference *srs)
        : FLayer(ds->CreateLayer(name, geom == wkbNone ? nullptr : srs, geom, nullptr)) {}
    bool Ok() const { return FLayer != nullptr; }
    TLayer &Text(const char *name) { return Add(name, OFTString); }
    TLayer &Int(const char *name) { return Add(name, OFTInteger); }
    TLayer &Real(const char *name) { return Add(name, OFTReal); }

    OGRFeature *Row() {
        FRow = std::make_unique<OGRFeature>(FLayer->GetLayerDefn());
        return FRow.get();
    }
    void Set(const char *name, const QString &v) {
        if (v.isNull())
            FRow->SetFieldNull(FRow->GetFieldIndex(name));
        else
            FRow->SetField(name, v.toUtf8().constData());
    }
    void Set(const char *name, int v) { FRow->SetField(name, v); }
    void SetReal(const char *name, double v) {
        if (std::isnan(v))
            FRow->SetFieldNull(FRow->GetFieldIndex(name));
        else
            FRow->SetField(name, v);
    }
    void SetOptInt(const char *name, int v, int none) {
        if (v == none)
            FRow->SetFieldNull(FRow->GetFieldIndex(name));
        else
            FRow->SetField(name, v);
    }
    void Point(const TLonLat &p) {
        OGRPoint pt(p.Lon, p.Lat);
        FRow->SetGeometry(&pt);
    }
    void Line(const std::vector<TLonLat> &line) {
        if (line.empty()) return;  // a record without geometry (bad-input fixtures)
        OGRLineString ls;
        for (const auto &p : line) ls.addPoint(p.Lon, p.Lat);
        FRow->SetGeometry(&ls);
    }
    bool Commit() { return FLayer->CreateFeature(FRow.get()) == OGRERR_NONE; }

private:
    TLayer &Add(const char *name, OGRFieldType type) {
        OGRFieldDefn fd(name, type);
        if (FLayer) FLayer->CreateField(&fd);
        return *this;
    }
    OGRLayer *FLayer;
    std::unique_ptr<OGRFeature> FRow;
};

bool WriteAll(GDALDataset *ds, const TNetwork &net, QString &what) {
    OGRSpatialReference srs;
    srs.importFromEPSG(4326);
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    bool ok = true;
    auto check = [&](bool b, const char *layer) {
        if (!b && ok) {
            ok = false;
            what = QStringLiteral("writing layer \"%1\" failed: %2")
                       .arg(QString::fromLatin1(layer), QString::fromUtf8(CPLGetLastErrorMsg()));
        }
    };

    {
        TLayer l(ds, f::LayerInfo, wkbNone, &srs);
        l.Int("format").Text("version");
        l.Row();
        l.Set("format", net.Format);
        l.Set("version", net.Version);
        check(l.Ok() && l.Commit(), f::LayerInfo);
    }
    {
        TLayer l(ds, f::LayerJunctions, wkbPoint, &srs);
        l.Int("id");
        for (const auto &j : net.Junctions) {
            l.Row();
            l.Set("id", j.Id);
            l.Point(j.Pos);
            check(l.Ok() && l.Commit(), f::LayerJunctions);
        }
    }
    {
        TLayer l(ds, f::LayerFairways, wkbNone, &srs);
        l.Text("guid").Text("name");
        for (const auto &fw : net.Fairways) {
            l.Row();
            l.Set("guid", fw.Guid);
            l.Set("name", fw.Name);
            check(l.Ok() && l.Commit(), f::LayerFairways);
        }
    }
    {
        TLayer l(ds, f::LayerFairwayParts, wkbNone, &srs);
        l.Text("key").Text("fairway").Text("name").Text("list_name");
        for (const auto &p : net.FairwayParts) {
            l.Row();
            l.Set("key", p.Key);
            l.Set("fairway", p.Fairway);
            l.Set("name", p.Name);
            l.Set("list_name", p.ListName);
            check(l.Ok() && l.Commit(), f::LayerFairwayParts);
        }
    }
    {
        TLayer l(ds, f::LayerSections, wkbLineString, &srs);
        l.Text("guid").Text("name").Int("start_junction").Int("end_junction").Int("kind")
            .Int("water_body").Text("fairway").Text("fairway_part").Real("start_chainage");
        for (const auto &s : net.Sections) {
            l.Row();
            l.Set("guid", s.Guid);
            l.Set("name", s.Name);
            l.Set("start_junction", s.StartJunction);
            l.Set("end_junction", s.EndJunction);
            l.Set("kind", s.Kind);
            l.Set("water_body", s.WaterBody);
            l.Set("fairway", s.Fairway.isEmpty() ? QString() : s.Fairway);
            l.Set("fairway_part", s.FairwayPart.isEmpty() ? QString() : s.FairwayPart);
            l.SetReal("start_chainage", s.StartChainage);
            l.Line(s.Line);
            check(l.Ok() && l.Commit(), f::LayerSections);
        }
    }
    {
        TLayer l(ds, f::LayerSectionAttributes, wkbNone, &srs);
        l.Text("section").Text("attribute").Real("from_pos").Real("to_pos").Real("num1")
            .Real("num2").Real("num3").Real("num4").Text("text1").Text("text2");
        for (const auto &a : net.Attributes) {
            l.Row();
            l.Set("section", a.Section);
            l.Set("attribute", a.Attribute);
            l.SetReal("from_pos", a.From);
            l.SetReal("to_pos", a.To);
            const char *nums[] = {"num1", "num2", "num3", "num4"};
            for (int i = 0; i < 4; ++i) l.SetReal(nums[i], a.Num[i]);
            l.Set("text1", a.Text1.isEmpty() ? QString() : a.Text1);
            l.Set("text2", a.Text2.isEmpty() ? QString() : a.Text2);
            check(l.Ok() && l.Commit(), f::LayerSectionAttributes);
        }
    }
    {
        TLayer l(ds, f::LayerManagers, wkbNone, &srs);
        l.Text("key").Text("name").Int("type").Text("department").Text("mail_address")
            .Text("mail_postal_code").Text("mail_place").Text("visit_address").Text("visit_place")
            .Text("phone").Text("fax").Text("website");
        for (const auto &m : net.Managers) {
            l.Row();
            l.Set("key", m.Key);
            l.Set("name", m.Name);
            l.Set("type", m.Type);
            l.Set("department", m.Department);
            l.Set("mail_address", m.MailAddress);
            l.Set("mail_postal_code", m.MailPostalCode);
            l.Set("mail_place", m.MailPlace);
            l.Set("visit_address", m.VisitAddress);
            l.Set("visit_place", m.VisitPlace);
            l.Set("phone", m.Phone);
            l.Set("fax", m.Fax);
            l.Set("website", m.Website);
            check(l.Ok() && l.Commit(), f::LayerManagers);
        }
    }
    {
        TLayer l(ds, f::LayerStructures, wkbPoint, &srs);
        l.Text("guid").Text("isrs").Int("kind").Int("other_type").Int("barrier_kind").Text("name")
            .Text("place").Text("vhf_channel").Text("address").Text("postal_code").Text("phone")
            .Text("complex").Text("label").Text("subtext").Text("images").Text("section")
            .Real("section_position").Text("manager").Int("normally_open").Real("fall")
            .Int("waiting_time").Int("control_kind");
        TLayer items(ds, f::LayerStructureItems, wkbNone, &srs);
        items.Text("structure").Int("number").Text("remark").Text("name").Text("isrs")
            .Int("bridge_type").Real("width").Real("passage_width").Real("min_gate_width")
            .Real("length").Real("partial_length1").Real("partial_length2").Real("lock_length")
            .Real("lock_length_low_tide").Int("has_tide_lengths");
        for (const char *lv : f::LevelFields) {
            const QByteArray n(lv);
            items.Real(n.constData()).Int((n + "_ref").constData())
                .Real((n + "_ref_value").constData()).Int((n + "_nap_mode").constData());
        }
        TLayer periods(ds, f::LayerOperatingPeriods, wkbNone, &srs);
        periods.Text("structure").Int("id").Int("start_day").Int("start_month").Int("end_day")
            .Int("end_month").Text("remark");
        TLayer times(ds, f::LayerOperatingTimes, wkbNone, &srs);
        times.Text("structure").Int("period").Int("week_days").Int("start_time").Int("end_time")
            .Int("vessel_classes").Int("direction");
        TLayer rules(ds, f::LayerSpecialDayRules, wkbNone, &srs);
        rules.Text("structure").Int("id").Int("operation").Int("week_day")
            .Int("no_operation_before").Int("no_operation_after").Int("vessel_classes")
            .Int("direction");
        TLayer dates(ds, f::LayerSpecialDates, wkbNone, &srs);
        dates.Text("structure").Int("rule").Int("holiday").Int("day").Int("month").Int("day_offset");

        for (const auto &s : net.Structures) {
            l.Row();
            l.Set("guid", s.Guid);
            l.Set("isrs", s.Isrs);
            l.Set("kind", s.Kind);
            l.Set("other_type", s.OtherType);
            l.Set("barrier_kind", s.BarrierKind);
            l.Set("name", s.Name);
            l.Set("place", s.Place);
            l.Set("vhf_channel", s.VHFChannel);
            l.Set("address", s.Address);
            l.Set("postal_code", s.PostalCode);
            l.Set("phone", s.Phone);
            l.Set("complex", s.Complex);
            l.Set("label", s.Label);
            l.Set("subtext", s.Subtext);
            l.Set("images", s.Images.join(QLatin1Char('|')));
            l.Set("section", s.Section);
            l.SetReal("section_position", s.SectionPosition);
            l.Set("manager", s.Manager.isEmpty() ? QString() : s.Manager);
            l.Set("normally_open", s.NormallyOpen ? 1 : 0);
            l.SetReal("fall", s.Fall);
            l.SetOptInt("waiting_time", s.WaitingTime, -1);
            l.Set("control_kind", s.ControlKind);
            l.Point(s.Pos);
            check(l.Ok() && l.Commit(), f::LayerStructures);

            for (const auto &it : s.Items) {
                items.Row();
                items.Set("structure", s.Guid);
                items.Set("number", it.Number);
                items.Set("remark", it.Remark);
                items.Set("name", it.Name);
                items.Set("isrs", it.Isrs);
                items.Set("bridge_type", it.BridgeType);
                items.SetReal("width", it.Width);
                items.SetReal("passage_width", it.PassageWidth);
                items.SetReal("min_gate_width", it.MinGateWidth);
                items.SetReal("length", it.Length);
                items.SetReal("partial_length1", it.PartialLength1);
                items.SetReal("partial_length2", it.PartialLength2);
                items.SetReal("lock_length", it.LockLength);
                items.SetReal("lock_length_low_tide", it.LockLengthLowTide);
                items.Set("has_tide_lengths", it.HasTideLengths ? 1 : 0);
                for (const char *lv : f::LevelFields) {
                    const QByteArray n(lv);
                    auto found = it.Levels.find(QString::fromLatin1(lv));
                    const TLevel level = found == it.Levels.end() ? TLevel{} : found->second;
                    items.SetReal(n.constData(), level.Value);
                    items.SetOptInt((n + "_ref").constData(), level.Ref, 0);
                    items.SetReal((n + "_ref_value").constData(), level.RefValue);
                    items.SetOptInt((n + "_nap_mode").constData(), level.NAPMode, 0);
                }
                check(items.Ok() && items.Commit(), f::LayerStructureItems);
            }
            for (const auto &p : s.Periods) {
                periods.Row();
                periods.Set("structure", s.Guid);
                periods.Set("id", p.Id);
                periods.Set("start_day", p.StartDay);
                periods.Set("start_month", p.StartMonth);
                periods.Set("end_day", p.EndDay);
                periods.Set("end_month", p.EndMonth);
                periods.Set("remark", p.Remark);
                check(periods.Ok() && periods.Commit(), f::LayerOperatingPeriods);
                for (const auto &w : p.Windows) {
                    times.Row();
                    times.Set("structure", s.Guid);
                    times.Set("period", p.Id);
                    times.Set("week_days", w.WeekDays);
                    times.Set("start_time", w.Start);
                    times.Set("end_time", w.End);
                    times.Set("vessel_classes", w.VesselClasses);
                    times.Set("direction", w.Direction);
                    check(times.Ok() && times.Commit(), f::LayerOperatingTimes);
                }
            }
            for (const auto &r : s.Rules) {
                rules.Row();
                rules.Set("structure", s.Guid);
                rules.Set("id", r.Id);
                rules.Set("operation", r.Operation);
                rules.Set("week_day", r.WeekDay);
                rules.SetOptInt("no_operation_before", r.NoOperationBefore, -1);
                rules.SetOptInt("no_operation_after", r.NoOperationAfter, -1);
                rules.Set("vessel_classes", r.VesselClasses);
                rules.Set("direction", r.Direction);
                check(rules.Ok() && rules.Commit(), f::LayerSpecialDayRules);
                for (const auto &d : r.Dates) {
                    dates.Row();
                    dates.Set("structure", s.Guid);
                    dates.Set("rule", r.Id);
                    dates.Set("holiday", d.Holiday);
                    dates.Set("day", d.Day);
                    dates.Set("month", d.Month);
                    dates.Set("day_offset", d.Offset);
                    check(dates.Ok() && dates.Commit(), f::LayerSpecialDates);
                }
            }
        }
    }
    {
        TLayer l(ds, f::LayerMarinas, wkbPoint, &srs);
        l.Text("guid").Text("name").Text("section").Real("section_position").Text("place")
            .Text("phone").Text("website");
        for (const auto &m : net.Marinas) {
            l.Row();
            l.Set("guid", m.Guid);
            l.Set("name", m.Name);
            l.Set("section", m.Section);
            l.SetReal("section_position", m.SectionPosition);
            l.Set("place", m.Place);
            l.Set("phone", m.Phone);
            l.Set("website", m.Website);
            l.Point(m.Pos);
            check(l.Ok() && l.Commit(), f::LayerMarinas);
        }
    }
    {
        TLayer l(ds, f::LayerDistanceMarks, wkbPoint, &srs);
        l.Text("section").Real("section_position").Real("value");
        for (const auto &d : net.DistanceMarks) {
            l.Row();
            l.Set("section", d.Section);
            l.SetReal("section_position", d.Position);
            l.SetReal("value", d.Value);
            l.Point(d.Pos);
            check(l.Ok() && l.Commit(), f::LayerDistanceMarks);
        }
    }
    return ok;
}

}  // namespace

bool WriteNetwork(const TNetwork &net, const QString &file, QString &error) {
    EnsureGdal();
    TQuietGdal quiet;
    QDir().mkpath(QFileInfo(file).absolutePath());
    // Written under a temporary name and renamed, so a crash never leaves half a network
    // under the real name.
    const QString temp = file + QStringLiteral(".part");
    QFile::remove(temp);
    GDALDriver *drv = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (!drv) {
        error = QStringLiteral("%1: GDAL has no GeoPackage driver").arg(file);
        return false;
    }
    QString what;
    bool ok = false;
    {
        GDALDatasetUniquePtr ds(drv->Create(QFile::encodeName(temp).constData(), 0, 0, 0,
                                            GDT_Unknown, nullptr));
        if (!ds) {
            error = QStringLiteral("%1: cannot create: %2").arg(file, QString::fromUtf8(CPLGetLastErrorMsg()));
            return false;
        }
        ds->StartTransaction();
        ok = WriteAll(ds.get(), net, what);
        if (ok && ds->CommitTransaction() != OGRERR_NONE) {
            ok = false;
            what = QStringLiteral("commit failed: %1").arg(QString::fromUtf8(CPLGetLastErrorMsg()));
        }
    }
    if (ok) {
        QFile::remove(file);
        ok = QFile::rename(temp, file);
        if (!ok) what = QStringLiteral("cannot rename the written file into place");
    }
    if (!ok) {
        QFile::remove(temp);
        error = QStringLiteral("%1: %2").arg(file, what);
    }
    return ok;
}

}  // namespace demo
