// In-memory waypoint databases for the data selection frames: a manager with two databases,
// helpers that make named groups, types with coloured icons, waypoints and routes, and the
// picks a user makes in the pickers.
#pragma once

#include "TestSupport.h"
#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelectItems.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace dataselecttest {

class DataSelectFixture : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t err = -1;
        Manager.reset(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, err));
        ASSERT_EQ(err, 0);
        Harbour = WptManagerNewDatabase(Manager.get(), QStringLiteral("Harbour"));
        Import = WptManagerNewDatabase(Manager.get(), QStringLiteral("Import"));
        ASSERT_TRUE(Harbour && Import);
    }

    IWptWaypointGroup *Group(IWptDatabase *db, const QString &name) {
        IWptWaypointGroup *g = db->NewWaypointGroup(nullptr);
        int32_t err = 0;
        WptObjectSetName(g, name, err);
        EXPECT_EQ(err, 0);
        return g;
    }

    // A type whose icon is a disc of that colour.
    IWptWaypointType *Type(IWptDatabase *db, const QString &name, const QColor &colour) {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(colour);
            p.setPen(Qt::black);
            p.drawEllipse(QRect(2, 2, 28, 28));
        }
        Icons.emplace_back(Bmp32Create(32, 32, 0));
        Bmp32FromImage(Icons.back().get(), image);
        int32_t err = 0;
        IWptWaypointType *t = WptDatabaseNewType(db, Icons.back().get(), nullptr, false, 15.5f, 15.5f, {}, {}, {}, err);
        EXPECT_EQ(err, 0);
        WptObjectSetName(t, name, err);
        return t;
    }

    IWptWaypoint *Waypoint(IWptDatabase *db, const QString &name, IWptWaypointGroup *group = nullptr,
                           IWptWaypointType *type = nullptr, float proximityM = 0.0f) {
        IWptWaypoint *w = db->NewWaypoint(nullptr, TGeoPoint3{0.9, 0.08, 0.0}, type);
        int32_t err = 0;
        WptObjectSetName(w, name, err);
        if (proximityM > 0.0f) w->SetProximity(proximityM, err);
        if (group) group->AddWaypoint(w, err);
        EXPECT_EQ(err, 0);
        return w;
    }

    IWptRoute *Route(IWptDatabase *db, const QString &name, std::initializer_list<IWptWaypoint *> points) {
        IWptRoute *r = db->NewRoute(0.0);
        int32_t err = 0;
        WptObjectSetName(r, name, err);
        for (IWptWaypoint *w : points) r->AddPointFromWaypoint(w, 0, 0, err);
        EXPECT_EQ(err, 0);
        return r;
    }

    testsupport::TPrivateSettingsStore Store;
    TNavPtr<IWptManager> Manager;
    IWptDatabase *Harbour = nullptr;
    IWptDatabase *Import = nullptr;
    std::vector<TNavPtr<IBmp32>> Icons;
};

inline NavObject *Obj(IWptObject *o) { return static_cast<NavObject *>(o); }

// The first row whose text starts with text, at any level.
inline QModelIndex Find(const QAbstractItemModel *m, const QString &text) {
    const QModelIndexList hits =
        m->match(m->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchStartsWith | Qt::MatchRecursive);
    return hits.isEmpty() ? QModelIndex() : hits.front();
}

// Selects exactly the rows of those texts in a tree.
inline void SelectRows(QTreeView *tree, const QStringList &texts) {
    tree->selectionModel()->clearSelection();
    for (const QString &t : texts) {
        const QModelIndex i = Find(tree->model(), t);
        EXPECT_TRUE(i.isValid()) << t.toStdString();
        tree->selectionModel()->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

// Selects the rows of those names on the left and presses Add.
inline void Choose(TFrameDataSelectItems *picker, const QStringList &names) {
    SelectRows(picker->ListViewFiltered, names);
    QTest::mouseClick(picker->ButtonAdd, Qt::LeftButton);
}

}  // namespace dataselecttest
