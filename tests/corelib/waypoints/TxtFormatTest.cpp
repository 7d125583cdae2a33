#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvTxtFormat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <memory>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using ManagerPtr = std::unique_ptr<ITxtFormatProfileManager, NavObjectDeleter>;

QString Q(const TStrWRec *rec) {
    return rec ? QString::fromUtf16(rec->Text, rec->Length) : QString();
}

TStrWRec R(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

TStrWRec K(const char16_t *key) {
    int32_t n = 0;
    while (key[n]) ++n;
    return TStrWRec{n, key};
}

// The calls the environment makes for the built-in waypoint profile.
void InitWaypoint(ITxtFormatProfile *p) {
    using namespace TxtFormatKindKey;
    p->Clear();
    p->AddKind(K(Undefined), 3);
    p->AddKind(K(Name), 3);
    p->AddKind(K(Latitude), 2);
    p->AddKind(K(Longitude), 2);
    p->AddKind(K(SubName), 3);
    p->AddKind(K(Proximity), 1);
    p->AddKind(K(Group), 3);
    p->AddKind(K(Type), 3);
    p->AddKind(K(RDX), 4);
    p->AddKind(K(RDY), 4);
    p->CommitKinds(0);
    p->GetOption(0, 1)->SelectAsKind();
    p->GetOption(1, 2)->SelectAsKind();
    p->GetOption(1, 2)->SelectAsType();
    p->GetOption(2, 3)->SelectAsKind();
    p->GetOption(2, 2)->SelectAsType();
    p->GetOption(3, 4)->SelectAsKind();
}

TEST(TxtFormat, BuiltInWaypointColumnsFollowTheOptionsSelected) {
    ManagerPtr m(TxtFormatProfileManagerCreateEmpty());
    int32_t index = -1;
    ASSERT_TRUE(m->GetDefaultIndex(index));
    ITxtFormatProfile *p = m->GetProfile(index);
    ASSERT_TRUE(p->IsDefault());
    InitWaypoint(p);

    struct Case {
        int32_t column;
        const char16_t *kind;
        const char16_t *type;
        int32_t geoFormat;
    };
    const Case cases[] = {
        {0, TxtFormatKindKey::Name, TxtFormatTypeKey::Text, 0},
        {1, TxtFormatKindKey::Latitude, TxtFormatTypeKey::GeoDegFloat, TxtFormatGeoFormat::DegreesFloat},
        {2, TxtFormatKindKey::Longitude, TxtFormatTypeKey::GeoDegFloat, TxtFormatGeoFormat::DegreesFloat},
        {3, TxtFormatKindKey::SubName, TxtFormatTypeKey::Text, 0},
        {4, TxtFormatKindKey::Undefined, TxtFormatTypeKey::Text, 0},
        {31, TxtFormatKindKey::Undefined, TxtFormatTypeKey::Text, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        ITxtFormatField *f = p->GetField(c.column);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(Q(f->GetKindKey(f->GetKindIndex())), QString::fromUtf16(c.kind));
        EXPECT_EQ(Q(f->GetTypeKey(f->GetTypeIndex())), QString::fromUtf16(c.type));
        EXPECT_EQ(f->GetGeoFormat(), c.geoFormat);
        EXPECT_EQ(f->GetKindCount(), 10);
    }
    EXPECT_EQ(p->GetFieldCount(), 4);
    EXPECT_EQ(p->GetField(32), nullptr);
    EXPECT_EQ(p->GetField(1)->IndexOfType(K(TxtFormatTypeKey::GeoRad)), 0);
    EXPECT_EQ(p->GetField(1)->IndexOfType(K(TxtFormatTypeKey::DistM)), -1);
}

TEST(TxtFormat, RouteRadiusColumnIsInMetres) {
    ManagerPtr m(TxtFormatProfileManagerCreateEmpty());
    ITxtFormatProfile *p = m->GetProfile(0);
    p->Clear();
    for (auto [k, c] : {std::pair{TxtFormatKindKey::Undefined, 3}, {TxtFormatKindKey::Name, 3},
                        {TxtFormatKindKey::Latitude, 2}, {TxtFormatKindKey::Longitude, 2},
                        {TxtFormatKindKey::Radius, 1}})
        p->AddKind(K(k), c);
    p->CommitKinds(0);
    p->GetOption(3, 4)->SelectAsKind();
    p->GetOption(3, 3)->SelectAsType();
    ITxtFormatField *f = p->GetField(3);
    EXPECT_EQ(Q(f->GetTypeKey(f->GetTypeIndex())), QStringLiteral("TYPE_DIST_M"));
    EXPECT_EQ(f->GetDistanceUnit(), TxtFormatDistanceUnit::Metre);
    // An option beyond the allowed types changes nothing.
    p->GetOption(3, 40)->SelectAsType();
    EXPECT_EQ(f->GetDistanceUnit(), TxtFormatDistanceUnit::Metre);
}

TEST(TxtFormat, ProfileFileRoundTrip) {
    const QString file = testsupport::MakeTempDir(QStringLiteral("txt")) + QStringLiteral("/Marivo.ProfilesWPT");
    {
        ManagerPtr m(TxtFormatProfileManagerCreateEmpty());
        InitWaypoint(m->GetProfile(0));
        m->GetProfile(0)->SetName(R(QStringLiteral("Default waypoint profile")));
        ITxtFormatProfile *p = m->Add(R(QStringLiteral("Tab-separated «Öresund»")));
        InitWaypoint(p);
        p->SetFieldSeparator(u'\t');
        p->SetDecimalSeparator(u',');
        p->GetOption(3, 5)->SelectAsKind();  // proximity
        p->GetOption(3, 6)->SelectAsType();  // feet
        ITxtFormatProfile *none = m->Add(R(QStringLiteral("No separator")));
        none->SetFieldSeparator(0);
        m->SetFileName(R(file));
        int32_t err = -1;
        m->SaveToFile(err);
        ASSERT_EQ(err, KvErr::Ok);
        EXPECT_FALSE(p->IsModified());
    }
    int32_t err = -1;
    ManagerPtr m(TxtFormatProfileManagerCreate(R(file), err));
    ASSERT_EQ(err, KvErr::Ok);
    ASSERT_EQ(m->GetCount(), 3);
    EXPECT_EQ(Q(m->GetFileName()), file);
    int32_t index = -1;
    ASSERT_TRUE(m->GetDefaultIndex(index));
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(m->Find(R(QStringLiteral("Tab-separated «Öresund»")), index));
    ITxtFormatProfile *p = m->GetProfile(index);
    EXPECT_EQ(p->GetFieldSeparator(), u'\t');
    EXPECT_EQ(p->GetDecimalSeparator(), u',');
    EXPECT_EQ(Q(p->GetField(3)->GetKindKey(p->GetField(3)->GetKindIndex())), QStringLiteral("KIND_PROXIMITY"));
    EXPECT_EQ(p->GetField(3)->GetDistanceUnit(), TxtFormatDistanceUnit::Foot);
    EXPECT_EQ(Q(p->GetField(1)->GetTypeKey(p->GetField(1)->GetTypeIndex())), QStringLiteral("TYPE_GEO_DEGFLOAT"));
    EXPECT_FALSE(p->IsModified());
    ASSERT_TRUE(m->Find(R(QStringLiteral("No separator")), index));
    EXPECT_EQ(m->GetProfile(index)->GetFieldSeparator(), u'\0');

    // A copy is detached and the built-in profile cannot be deleted.
    std::unique_ptr<ITxtFormatProfile, NavObjectDeleter> copy(m->CopyProfile(p));
    EXPECT_EQ(m->IndexOf(copy.get()), -1);
    EXPECT_EQ(Q(copy->GetName()), Q(p->GetName()));
    m->Delete(m->GetProfile(0));
    EXPECT_EQ(m->GetCount(), 3);
    m->Delete(p);
    EXPECT_EQ(m->GetCount(), 2);
}

TEST(TxtFormat, BadProfileFilesAreErrors) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("txtbad"));
    struct Case {
        const char *name;
        QByteArray bytes;
        int32_t err;
    };
    const Case cases[] = {
        {"empty", QByteArray(), KvErr::BadFormat},
        {"not JSON", QByteArray("[Profiles]\nName=x\n"), KvErr::BadFormat},
        {"other JSON", QByteArray("{\"a\": 1}"), KvErr::BadFormat},
        {"cut short", QByteArray("{\"format\": \"KvTxtFormatProfiles\", \"version\": 1, \"prof"), KvErr::BadFormat},
        {"profile without kinds", QByteArray("{\"format\": \"KvTxtFormatProfiles\", \"version\": 1, \"profiles\": [{\"name\": \"x\"}]}"), KvErr::BadFormat},
        {"newer version", QByteArray("{\"format\": \"KvTxtFormatProfiles\", \"version\": 7, \"profiles\": []}"), KvErr::BadVersion},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir + QStringLiteral("/p");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        int32_t err = KvErr::Ok;
        EXPECT_EQ(TxtFormatProfileManagerCreate(R(file), err), nullptr);
        EXPECT_EQ(err, c.err);
    }
    int32_t err = KvErr::Ok;
    EXPECT_EQ(TxtFormatProfileManagerCreate(R(dir + QStringLiteral("/none")), err), nullptr);
    EXPECT_EQ(err, KvErr::NotFound);
}

}  // namespace
