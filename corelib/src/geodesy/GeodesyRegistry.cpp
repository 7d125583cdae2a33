// The geodetic registry: built-in ellipsoids and datums, user-defined ones, the globals.
#include "geodesy/GeodesyEngine.h"
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"

#include <QMutex>
#include <cmath>
#include <vector>

namespace kv::geodesy {
namespace {

class TEllipsoid final : public IGeodeticEllipsoid {
public:
    TEllipsoid(const QString &code, const QString &name, double a, double invF, bool user)
        : FA(a), FInvF(invF), FUser(user) {
        FCode.Set(code);
        FName.Set(name);
    }
    int32_t GetKind() override { return GeodeticKind::Ellipsoid; }
    const TStrWRec *GetCode() override { return FCode.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    bool IsUserDefined() override { return FUser; }
    double GetSemiMajorAxis() override { return FA; }
    double GetInverseFlattening() override { return FInvF; }

private:
    TOwnedText FCode, FName;
    double FA, FInvF;
    bool FUser;
};

class TDatum final : public IGeodeticDatum {
public:
    TDatum(const QString &code, const QString &name, IGeodeticEllipsoid *ellipsoid,
           const TGeodeticHelmert &h, bool user)
        : FEllipsoid(ellipsoid), FHelmert(h), FUser(user) {
        FCode.Set(code);
        FName.Set(name);
    }
    int32_t GetKind() override { return GeodeticKind::Datum; }
    const TStrWRec *GetCode() override { return FCode.Get(); }
    const TStrWRec *GetName() override { return FName.Get(); }
    bool IsUserDefined() override { return FUser; }
    IGeodeticEllipsoid *GetEllipsoid() override { return FEllipsoid; }
    void GetHelmert(TGeodeticHelmert &out) override { out = FHelmert; }
    const TGeodeticHelmert &Helmert() const { return FHelmert; }

private:
    TOwnedText FCode, FName;
    IGeodeticEllipsoid *FEllipsoid;
    TGeodeticHelmert FHelmert;
    bool FUser;
};

bool SameHelmert(const TGeodeticHelmert &a, const TGeodeticHelmert &b) {
    return a.DX == b.DX && a.DY == b.DY && a.DZ == b.DZ && a.RX == b.RX && a.RY == b.RY &&
           a.RZ == b.RZ && a.Scale == b.Scale;
}

struct TEllipsoidRow {
    const char *Code, *Name;
    double A, InvF;
};
// Codes follow the short codes of the datum tables that GPS receivers use.
const TEllipsoidRow EllipsoidTable[] = {
    {"WE", "WGS 84", 6378137.0, 298.257223563},
    {"RF", "GRS 80", 6378137.0, 298.257222101},
    {"IN", "International 1924", 6378388.0, 297.0},
    {"BR", "Bessel 1841", 6377397.155, 299.1528128},
    {"AA", "Airy 1830", 6377563.396, 299.3249646},
    {"AM", "Modified Airy", 6377340.189, 299.3249646},
    {"CG", "Clarke 1880 (IGN)", 6378249.2, 293.4660212936269},
    {"WD", "WGS 72", 6378135.0, 298.26},
};

struct TDatumRow {
    const char *Code, *Name, *Ellipsoid;
    TGeodeticHelmert Helmert;  // to WGS 84, position-vector convention
};
// Shifts to WGS 84 as published for each datum's home area (EPSG transformations; rotations
// turned into the position-vector convention where EPSG gives the coordinate-frame one).
const TDatumRow DatumTable[] = {
    {"WGE", "WGS 84", "WE", {}},
    {"ETR", "ETRS89", "RF", {}},
    {"EUR-M", "European 1950 (ED50)", "IN", {-87.0, -98.0, -121.0, 0, 0, 0, 0}},
    {"RD", "Amersfoort (RD)", "BR",
     {565.4171, 50.3319, 465.5524, -0.398957388243134, 0.343987817378283, -1.87740163998045,
      4.0725}},
    {"BD72", "Belgium 1972 (BD72)", "IN",
     {-106.8686, 52.2978, -103.7239, 0.3366, -0.457, 1.8422, -1.2747}},
    {"DHDN", "Potsdam (DHDN)", "BR", {598.1, 73.7, 418.2, 0.202, 0.045, -2.455, 6.7}},
    {"OGB", "Ordnance Survey GB 1936 (OSGB36)", "AA",
     {446.448, -125.157, 542.06, 0.15, 0.247, 0.842, -20.489}},
    {"IRL", "Ireland 1965 (TM65)", "AM",
     {482.5, -130.6, 564.6, -1.042, -0.214, -0.631, 8.15}},
    {"CH1903", "Swiss CH1903", "BR", {674.374, 15.056, 405.346, 0, 0, 0, 0}},
    {"NTF", "Nouvelle Triangulation Française (NTF)", "CG", {-168.0, -60.0, 320.0, 0, 0, 0, 0}},
    {"WGD", "WGS 72", "WD", {0, 0, 4.5, 0, 0, 0.554, 0.2263}},
};

class TRegistry final : public IGeodeticRegistry {
public:
    TRegistry() {
        for (const auto &row : EllipsoidTable)
            FEllipsoids.push_back(std::make_unique<TEllipsoid>(
                QString::fromLatin1(row.Code), QString::fromUtf8(row.Name), row.A, row.InvF,
                false));
        for (const auto &row : DatumTable) {
            IGeodeticEllipsoid *e = FindEllipsoid(QString::fromLatin1(row.Ellipsoid));
            FDatums.push_back(std::make_unique<TDatum>(QString::fromLatin1(row.Code),
                                                       QString::fromUtf8(row.Name), e,
                                                       row.Helmert, false));
        }
    }

    IGeodeticDefinition *FindByCode(const char16_t *code, int32_t kind, int32_t &err) override {
        err = KvErr::Ok;
        if (kind != GeodeticKind::Datum && kind != GeodeticKind::Ellipsoid) {
            err = KvErr::InvalidArgument;
            return nullptr;
        }
        const QString wanted = code ? QString::fromUtf16(code) : QString();
        if (!wanted.isEmpty()) {
            // Only built-in definitions have codes; user-defined ones are found by value.
            if (kind == GeodeticKind::Datum) {
                for (const auto &d : FDatums)
                    if (ToQString(*d->GetCode()).compare(wanted, Qt::CaseInsensitive) == 0)
                        return d.get();
            } else if (auto *e = FindEllipsoid(wanted)) {
                return e;
            }
        }
        err = KvErr::NotFound;
        return nullptr;
    }

    int32_t GetCount(int32_t kind) override {
        if (kind == GeodeticKind::Datum) return int32_t(FDatums.size());
        if (kind == GeodeticKind::Ellipsoid) return int32_t(FEllipsoids.size());
        return 0;
    }

    void GetItems(int32_t kind, IGeodeticDefinition **array) override {
        if (!array) return;
        if (kind == GeodeticKind::Datum)
            for (size_t i = 0; i < FDatums.size(); ++i) array[i] = FDatums[i].get();
        else if (kind == GeodeticKind::Ellipsoid)
            for (size_t i = 0; i < FEllipsoids.size(); ++i) array[i] = FEllipsoids[i].get();
    }

    // A stored calibration asks for its datum on every read: equal requests get the same
    // object back, so the registry does not grow with each read.
    IGeodeticEllipsoid *NewEllipsoid(double a, double invF) override {
        if (!std::isfinite(a) || !std::isfinite(invF) || a < 1.0 || (invF != 0.0 && invF <= 1.0))
            return nullptr;
        QMutexLocker lock(&FMutex);
        for (const auto &e : FUserEllipsoids)
            if (e->GetSemiMajorAxis() == a && e->GetInverseFlattening() == invF) return e.get();
        FUserEllipsoids.push_back(std::make_unique<TEllipsoid>(
            QString(), QStringLiteral("User-defined ellipsoid"), a, invF, true));
        return FUserEllipsoids.back().get();
    }

    IGeodeticDatum *NewDatum(IGeodeticEllipsoid *ellipsoid, double dX, double dY, double dZ,
                             double rX, double rY, double rZ, double scale) override {
        const TGeodeticHelmert h{dX, dY, dZ, rX, rY, rZ, scale};
        if (!ellipsoid) return nullptr;
        for (double v : {dX, dY, dZ, rX, rY, rZ, scale})
            if (!std::isfinite(v)) return nullptr;
        QMutexLocker lock(&FMutex);
        for (const auto &d : FUserDatums)
            if (d->GetEllipsoid() == ellipsoid && SameHelmert(d->Helmert(), h)) return d.get();
        FUserDatums.push_back(std::make_unique<TDatum>(
            QString(), QStringLiteral("User-defined datum"), ellipsoid, h, true));
        return FUserDatums.back().get();
    }

    IGeodeticEllipsoid *FindEllipsoid(const QString &code) const {
        for (const auto &e : FEllipsoids)
            if (ToQString(*e->GetCode()).compare(code, Qt::CaseInsensitive) == 0) return e.get();
        return nullptr;
    }
    IGeodeticDatum *Datum(size_t i) const { return FDatums.at(i).get(); }

private:
    std::vector<std::unique_ptr<TEllipsoid>> FEllipsoids;
    std::vector<std::unique_ptr<TDatum>> FDatums;
    QMutex FMutex;
    std::vector<std::unique_ptr<TEllipsoid>> FUserEllipsoids;
    std::vector<std::unique_ptr<TDatum>> FUserDatums;
};

TRegistry &TheRegistry() {
    // Never destroyed: the program may still hold definitions while statics go away.
    static TRegistry *registry = new TRegistry;
    return *registry;
}

}  // namespace

class TProvider final : public IGeodeticProvider {
public:
    IGeodeticRegistry *GetRegistry() override { return Registry(); }
};

IGeodeticRegistry *Registry() {
    return &TheRegistry();
}

IGeodeticEllipsoid *StandardEllipsoid() {
    return TheRegistry().FindEllipsoid(QStringLiteral("WE"));
}

IGeodeticDatum *DefaultDatum() {
    return TheRegistry().Datum(0);
}

IGeodeticDatum *RDDatum() {
    return TheRegistry().Datum(3);
}

TEllipsoidParams EllipsoidOf(IGeodeticObject *obj) {
    IGeodeticEllipsoid *e = nullptr;
    if (obj && obj->GetKind() == GeodeticKind::Datum)
        e = static_cast<IGeodeticDatum *>(obj)->GetEllipsoid();
    else if (obj && obj->GetKind() == GeodeticKind::Ellipsoid)
        e = static_cast<IGeodeticEllipsoid *>(obj);
    if (!e) return {};
    return {e->GetSemiMajorAxis(), e->GetInverseFlattening()};
}

}  // namespace kv::geodesy

void GeodeticsGetGlobals(IGeodeticProvider *&p1, IGeodeticObject *&p2, IGeodeticDatum *&p3,
                         IGeodeticDatum *&p4, void *&p5) {
    static auto *provider = new kv::geodesy::TProvider;
    p1 = provider;
    p2 = kv::geodesy::StandardEllipsoid();
    p3 = kv::geodesy::DefaultDatum();
    p4 = kv::geodesy::RDDatum();
    p5 = nullptr;
}
