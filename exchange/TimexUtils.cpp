#include "exchange/TimexUtils.h"

#include "base/geodesy/KvGeodetic.h"
#include "base/math/KvMath.h"
#include "base/waypoints/KvWaypoints.h"

#include <QDateTime>
#include <cmath>
#include <variant>

namespace {

using namespace TimexTiming;

struct TPosition {
    double Lat = 0.0, Lon = 0.0;
};

// The motion fields of a kind-5 or kind-15 record, nullptr for the others.
const TLoggerMotion *MotionOf(const TTimexRecord &r) {
    if (const auto *m = std::get_if<TLoggerMotionRecord>(&r)) return &m->Motion;
    if (const auto *m = std::get_if<TLoggerMotionFixRecord>(&r)) return &m->Motion;
    return nullptr;
}

bool PositionOf(const TTimexRecord &r, TPosition &p) {
    if (const auto *f = std::get_if<TLoggerFixRecord>(&r)) {
        p = {f->Lat, f->Lon};
        return true;
    }
    if (const auto *f = std::get_if<TLoggerMotionFixRecord>(&r)) {
        p = {f->Lat, f->Lon};
        return true;
    }
    return false;
}

TDouble3 ToLocal(const TPosition &p, const THorizontalRef &ref) {
    TDouble3 global;
    GeoToGlobal3(global, TGeoPoint3{p.Lat, p.Lon, 0.0}, GeodeticGlobals().StandardEllipsoid);
    TDouble3 local;
    TransformDouble3(local, global, ref.GlobalToLocal);
    return local;
}

// Index of the origin record: the first fix not at 0/0 after the first moving sample; the
// record count when there is none.
size_t FindOrigin(const TTimexSession &session, THorizontalRef &ref) {
    bool moving = false;
    for (size_t i = 0; i < session.Records.size(); ++i) {
        const TTimexRecord &r = session.Records[i];
        if (!moving) {
            const TLoggerMotion *m = MotionOf(r);
            moving = m && m->Speed > 0.0f;
            continue;
        }
        TPosition p;
        if (PositionOf(r, p) && !(p.Lat == 0.0 && p.Lon == 0.0)) {
            GeodeticRefInitHorizontal(ref, TGeoPoint3{p.Lat, p.Lon, 0.0},
                                      GeodeticGlobals().DefaultDatum);
            return i;
        }
    }
    return session.Records.size();
}

struct TVector {
    long double X = 0.0L, Y = 0.0L;
};

}  // namespace

TDouble2 TimexStepDisplacement(float heading, float speed) {
    const double h = heading, v = speed;
    return {std::cos(h) * v * SampleSeconds, std::sin(h) * v * SampleSeconds};
}

void IntegrateTimexTrack(TValueInterpolator &first, TValueInterpolator &second,
                         TValueInterpolator &speed, TValueInterpolator &heading,
                         TValueInterpolator &outFirst, TValueInterpolator &outSecond) {
    if (first.GetCount() < 2) return;
    const bool motion = speed.GetCount() > 0 && heading.GetCount() > 0;
    // Without motion samples every step is zero, so each block runs straight from fix to fix.
    auto step = [&](long double t) {
        if (!motion) return TVector{};
        const TDouble2 d = TimexStepDisplacement(float(heading.GetValue(double(t))),
                                                 float(speed.GetValue(double(t))));
        return TVector{d.X, d.Y};
    };
    auto at = [&](long double t) {
        return TVector{first.GetValue(double(t)), second.GetValue(double(t))};
    };
    long double t = 0.0L;
    TVector f = at(0.0L);
    outFirst.AddValue(0.0, double(f.X));
    outSecond.AddValue(0.0, double(f.Y));
    const double last = first.GetPoint(first.GetCount() - 1)->X;
    while (t < last) {
        const TVector n = at(t + BlockSeconds);
        TVector p = f;
        const long double advances[4] = {HalfSampleSeconds, SampleSeconds, SampleSeconds,
                                         SampleSeconds};
        for (long double a : advances) {
            t += a;
            const TVector s = step(t);
            p.X += s.X;
            p.Y += s.Y;
        }
        t += HalfSampleSeconds;
        const TVector c{(p.X - n.X) / 4, (p.Y - n.Y) / 4};
        t -= BlockSeconds;
        TVector current = f;
        for (int32_t m = 0; m < 4; ++m) {
            t += HalfSampleSeconds;
            const TVector s = step(t);
            current.X += s.X - c.X;
            current.Y += s.Y - c.Y;
            t += HalfSampleSeconds;
            outFirst.AddValue(double(t), double(current.X));
            outSecond.AddValue(double(t), double(current.Y));
        }
        f = n;
    }
}

void BuildTimexTrackSamples(const TTimexSession &session, TValueInterpolator &outFirst,
                            TValueInterpolator &outSecond, TDateTime &startTime,
                            THorizontalRef &ref) {
    const size_t origin = FindOrigin(session, ref);
    TValueInterpolator first, second, speed, heading(true);
    long double t = 0.0L;
    for (size_t i = origin; i < session.Records.size(); ++i, t += SampleSeconds) {
        const TTimexRecord &r = session.Records[i];
        if (const TLoggerMotion *m = MotionOf(r)) {
            speed.AddValue(double(t), m->Speed);
            heading.AddValue(double(t), m->Heading);
        }
        TPosition p;
        if (PositionOf(r, p)) {
            const TDouble3 local = ToLocal(p, ref);
            first.AddValue(double(t), local.X);
            second.AddValue(double(t), local.Y);
        }
    }
    IntegrateTimexTrack(first, second, speed, heading, outFirst, outSecond);
    startTime = session.StartTime + double(origin) * SampleSeconds / 86400.0;
}

INavTrack *ConvertTimexSessionToTrack(const TTimexSession &session, int32_t utcOffsetMin,
                                      int32_t &err) {
    err = 0;
    INavTrack *track = NavTrackCreate1();
    TValueInterpolator outFirst, outSecond;
    TDateTime start = 0.0;
    THorizontalRef ref;
    BuildTimexTrackSamples(session, outFirst, outSecond, start, ref);
    if (outFirst.GetCount() > 0) {
        const int32_t n = TruncF(float(outFirst.GetPoint(outFirst.GetCount() - 1)->X / 1.0));
        for (int32_t k = 0; k <= n; ++k) {
            const TDouble3 local{double(outFirst.GetValue(k)), double(outSecond.GetValue(k)), 0.0};
            TDouble3 global;
            TransformDouble3(global, local, ref.LocalToGlobal);
            TGeoPoint3 pos;
            GlobalToGeo3(pos, global, GeodeticGlobals().StandardEllipsoid);
            track->AddPoint(start + k / 86400.0, pos, err);
            if (err != 0) return track;
        }
        track->SetHasTimes(true);
    }
    const TDateTime local = start + utcOffsetMin / 1440.0;
    const QDateTime named = QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
                                .addMSecs(qint64(std::llround(local * 86400000.0)));
    NavTrackSetName(track, named.toString(QStringLiteral("yyyy-MM-dd, hh.mm.ss")));
    return track;
}
