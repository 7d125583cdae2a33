// The duplicate questions on the real navigation environment and waypoint manager: the
// texts and answers of every kind, the item lines, the answer contract however the dialog
// closes, and the candidate tree of the multiple question.
#include "tests/shell/NavEnvFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FrmMsgDuplicate.h"
#include "exchange/FrmMsgDuplicateMultiple.h"

#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvTracks.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <cmath>

namespace {

constexpr double Deg = M_PI / 180.0;

// A polar diagram as a caller would hand one in; the core library makes none itself.
class TPolar final : public IPolarDiagram {
public:
    const TStrWRec *GetName() override {
        FName = {int32_t(std::char_traits<char16_t>::length(u"Sloop")), u"Sloop"};
        return &FName;
    }
    float GetMaxBoatSpeed() override { return 4.0f; }       // m/s
    float GetWaterlineLength() override { return 9.5f; }    // m

private:
    TStrWRec FName;
};

class MsgDuplicate : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        ASSERT_TRUE(Env && Env->WaypointManager);
        Db = WptManagerNewDatabase(Env->WaypointManager, QStringLiteral("Incoming"));
        ASSERT_TRUE(Db);
    }
    void TearDown() override {
        TFormMsgDuplicate::SetPrompter({});
        TFormMsgDuplicateMultiple::SetPrompter({});
        SetCurrentLanguage(KvLang::English);
        for (INavTrack *t : Tracks) ObjectDelete(t);
        if (Db) Db->Close();
        Env.reset();
        NavEnvFixture::TearDown();
    }

    IWptWaypoint *Waypoint(const QString &name, const QString &subName, double latDeg, double lonDeg,
                           IWptWaypointType *type = nullptr) {
        IWptWaypoint *w = Db->NewWaypoint(nullptr, TGeoPoint3{latDeg * Deg, lonDeg * Deg, 0.0}, type);
        int32_t err = 0;
        WptObjectSetName(w, name, err);
        WptWaypointSetSubName(w, subName, err);
        EXPECT_EQ(err, 0);
        return w;
    }
    IWptWaypointGroup *Group(const QString &name, int waypoints) {
        IWptWaypointGroup *g = Db->NewWaypointGroup(nullptr);
        int32_t err = 0;
        WptObjectSetName(g, name, err);
        for (int i = 0; i < waypoints; ++i)
            g->AddWaypoint(Waypoint(QStringLiteral("G%1").arg(i), QString(), 52.0, 5.0), err);
        EXPECT_EQ(err, 0);
        return g;
    }
    IWptRoute *Route(const QString &name, int points) {
        IWptRoute *r = Db->NewRoute(0.0);
        int32_t err = 0;
        WptObjectSetName(r, name, err);
        for (int i = 0; i < points; ++i)
            r->AddPointFromWaypoint(Waypoint(QStringLiteral("R%1").arg(i), QString(), 52.0 + i * 0.01, 5.0), 0, 0, err);
        EXPECT_EQ(err, 0);
        return r;
    }
    INavTrack *Track(const QString &name, double seconds) {
        INavTrack *t = NavTrackCreate1();
        NavTrackSetName(t, name);
        int32_t err = 0;
        const TDateTime start = 46000.5;  // 9 December 2025, 12:00 UTC
        t->AddPoint(start, TGeoPoint3{52.0 * Deg, 5.0 * Deg, 0.0}, err);
        t->AddPoint(start + seconds / 86400.0, TGeoPoint3{52.01 * Deg, 5.0 * Deg, 0.0}, err);
        EXPECT_EQ(err, 0);
        Tracks.push_back(t);
        return t;
    }
    IWptWaypointType *Type(const QString &name) {
        int32_t err = 0;
        IWptWaypointType *t = WptDatabaseNewType(Db, Env->WaypointManager->GetDefaultWaypointType()->GetIcon(),
                                                 nullptr, false, 15.5f, 15.5f, {}, {}, {}, err);
        WptObjectSetName(t, name, err);
        EXPECT_EQ(err, 0);
        return t;
    }

    std::unique_ptr<TMarivoNavEnv> Env;
    IWptDatabase *Db = nullptr;
    std::vector<INavTrack *> Tracks;
};

// A click on a button's indicator, where the user clicks a check box or radio button
// (the widgets are wider than their captions).
void Click(QAbstractButton *button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QStringList Texts(const std::vector<QLabel *> &labels) {
    QStringList out;
    for (QLabel *l : labels) out << l->text();
    return out;
}

// The answers the dialog shows, top to bottom.
QStringList VisibleAnswers(const std::vector<QRadioButton *> &buttons) {
    std::vector<QRadioButton *> shown;
    for (QRadioButton *b : buttons)
        if (b->isVisible()) shown.push_back(b);
    std::sort(shown.begin(), shown.end(), [](QRadioButton *a, QRadioButton *b) { return a->y() < b->y(); });
    QStringList out;
    for (QRadioButton *b : shown) out << b->text();
    return out;
}

}  // namespace

TEST_F(MsgDuplicate, EveryKindHasItsTextsAnswersAndIconBoxes) {
    struct Case {
        TDuplicateKind kind;
        const char *caption, *message;
        QStringList answers;
        bool icons;
        const char *plural;
    };
    const Case cases[] = {
        {dkChartCollection, "Duplicate chart collection", "A chart collection with the same name already exists.",
         {"Use the existing chart collection instead of the new chart collection",
          "Overwrite the chart collection with the new chart collection"},
         false, "chart collections"},
        {dkWaypointGroup, "Duplicate waypoint group",
         "A waypoint group with the same name already exists in the user database.",
         {"Add the waypoints from the new waypoint group to the existing waypoint group",
          "Create a new waypoint group with the same name"},
         false, "waypoint groups"},
        {dkRoute, "Duplicate route", "A route with the same already exists in the user database.",
         {"Use the existing route instead of the new route", "Overwrite the existing route with the new route",
          "Create a new route with the same name"},
         false, "routes"},
        {dkPolarDiagram, "Duplicate polar diagram",
         "A polar diagram with the same name already exists in the user database.",
         {"Use the existing polar diagram instead of the new polar diagram",
          "Overwrite the existing polar diagram with the new polar diagram", "Rename the new polar diagram"},
         false, "polar diagrams"},
        {dkRouteProfile, "Duplicate route profile", "A route profile with the same name already exists.",
         {"Use the existing route profile instead of the new route profile",
          "Overwrite the existing route profile with the new route profile"},
         false, "route profiles"},
        {dkWaypointProfile, "Duplicate waypoint profile", "A waypoint profile with the same name already exists.",
         {"Use the existing waypoint profile instead of the new waypoint profile",
          "Overwrite the existing waypoint profile with the new waypoint profile"},
         false, "waypoint profiles"},
        {dkTideStation, "Duplicate tide station",
         "A tide station with the same name already exists in tide station manager.",
         {"Use the existing tide station instead of the new tide station",
          "Overwrite the existing tide station with the new tide station", "Create a duplicate tide stations"},
         true, "tide stations"},
        {dkTrack, "Duplicate track", "A track with the same name already exists in the user database.",
         {"Use the existing track instead of the new track", "Overwrite the existing track with the new track",
          "Rename the new track"},
         false, "tracks"},
        {dkWaypointType, "Duplicate waypoint type",
         "A waypoint type with the same name already exists in the user database.",
         {"Use the existing waypoint type instead of the new waypoint type",
          "Overwrite the existing waypoint type with the new waypoint type",
          "Create a new waypoint type with the same name"},
         true, "waypoint types"},
        {dkWaypoint, "Duplicate waypoint", "A waypoint with the same name already exists in the user database.",
         {"Use the existing waypoint instead of the new waypoint",
          "Overwrite the existing waypoint with the new waypoint", "Create a new waypoint with the same name"},
         true, "waypoints"},
    };
    std::map<int, int> steps;  // from keep to the next answer shown
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        TFormMsgDuplicate form(c.kind, {nullptr, QStringLiteral("A"), true}, {nullptr, QStringLiteral("A"), true},
                               Env.get());
        form.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(form.windowTitle(), c.caption);
        EXPECT_EQ(form.LabelMessage->text(), c.message);
        const std::vector<QRadioButton *> buttons{form.RadioButtonActionKeep, form.RadioButtonActionOverwrite,
                                                  form.RadioButtonActionDuplicate};
        EXPECT_EQ(VisibleAnswers(buttons), c.answers);
        EXPECT_EQ(form.PanelExisting->isVisible(), c.icons);
        EXPECT_EQ(form.PanelNew->isVisible(), c.icons);
        EXPECT_EQ(form.CheckBoxAction->text(), QStringLiteral("Use the above action for all duplicate ") + c.plural);
        EXPECT_TRUE(form.RadioButtonActionKeep->isChecked());
        EXPECT_TRUE(form.CheckBoxAction->isEnabled());
        EXPECT_EQ(form.LabelAction->text(), "What would you like to do about this");
        QRadioButton *second = form.RadioButtonActionOverwrite->isVisible() ? form.RadioButtonActionOverwrite
                                                                            : form.RadioButtonActionDuplicate;
        steps[c.kind] = second->y() - form.RadioButtonActionKeep->y();
        if (!c.icons) EXPECT_EQ(form.LabelExistingLine01->width(), 240) << "lines widened without icon boxes";
    }
    // The group's duplicate answer sits in the overwrite answer's place, right under keep.
    EXPECT_GT(steps[dkRoute], 0);
    EXPECT_EQ(steps[dkWaypointGroup], steps[dkRoute]);
    EXPECT_EQ(steps[dkWaypoint], steps[dkRoute]);
}

TEST_F(MsgDuplicate, TheAnswerIsWrittenHoweverTheDialogCloses) {
    INavTrack *existing = Track(QStringLiteral("Harbour run"), 3725);
    INavTrack *incoming = Track(QStringLiteral("Harbour run"), 60);
    struct Case {
        const char *how;
        std::function<void(TFormMsgDuplicate &)> act;
        bool ok;
        TDuplicateAction action;
        bool all;
    };
    const Case cases[] = {
        {"Cancel untouched", [](TFormMsgDuplicate &f) { QTest::mouseClick(f.ButtonCancel, Qt::LeftButton); }, false,
         daKeep, false},
        {"close box", [](TFormMsgDuplicate &f) { f.close(); }, false, daKeep, false},
        {"rename and OK",
         [](TFormMsgDuplicate &f) {
             Click(f.RadioButtonActionDuplicate);
             QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
         },
         true, daDuplicate, false},
        {"overwrite for all, then Cancel",
         [](TFormMsgDuplicate &f) {
             Click(f.RadioButtonActionOverwrite);
             Click(f.CheckBoxAction);
             QTest::mouseClick(f.ButtonCancel, Qt::LeftButton);
         },
         false, daOverwrite, true},
        {"overwrite for all and OK",
         [](TFormMsgDuplicate &f) {
             Click(f.RadioButtonActionOverwrite);
             Click(f.CheckBoxAction);
             QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
         },
         true, daOverwrite, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        TFormMsgDuplicate::SetPrompter([&](TFormMsgDuplicate &f) {
            f.show();
            c.act(f);
            return f.result();
        });
        TDuplicateAction action = daDuplicate;
        bool all = !c.all;
        EXPECT_EQ(TFormMsgDuplicate::Execute(dkTrack, existing, incoming, Env.get(), action, all), c.ok);
        EXPECT_EQ(action, c.action);
        EXPECT_EQ(all, c.all);
    }
}

TEST_F(MsgDuplicate, ItemLinesShowTheValuesOfEachKind) {
    IWptWaypointType *buoy = Type(QStringLiteral("Buoy"));
    IWptWaypoint *named = Waypoint(QStringLiteral("Kaag"), QStringLiteral("Jetty"), 52.0, 5.0, buoy);
    IWptWaypoint *bare = Waypoint(QString(), QString(), -33.5, -70.25);
    TPolar polar;
    struct Case {
        const char *what;
        TDuplicateKind kind;
        TDuplicateItem existing, incoming;
        QStringList left, right;
    };
    IWptManager *m = Env->WaypointManager;
    IWptWaypointGroup *lakes = Group(QStringLiteral("Lakes"), 2);
    const Case cases[] = {
        {"group", dkWaypointGroup, {m->GetUngroupedGroup()}, {lakes},
         {"Name: Ungrouped", "*", ""},
         {"Name: Lakes", "Waypoints: 2", ""}},
        {"route", dkRoute, {Route(QString(), 0)}, {Route(QStringLiteral("Amstel"), 3)},
         {"Name: ", "Route points: 0", ""}, {"Name: Amstel", "Route points: 3", ""}},
        {"type", dkWaypointType, {m->GetDefaultWaypointType()}, {buoy}, {"Name: Default type", "", ""},
         {"Name: Buoy", "", ""}},
        {"polar", dkPolarDiagram, {nullptr, QStringLiteral("Sloop"), true}, {&polar},
         {"Name: Sloop", "Maximum boat speed: <unknown>", "Waterline length: <unknown>"}, {"Name: Sloop", "*", "*"}},
        {"profile", dkRouteProfile, {nullptr, QStringLiteral("CSV;"), true}, {nullptr, QStringLiteral("CSV,"), true},
         {"Name: CSV;", "", ""}, {"Name: CSV,", "", ""}},
        {"track by name", dkTrack, {nullptr, QStringLiteral("Locked"), true}, {Track(QStringLiteral("Run"), 86405)},
         {"Name: Locked", "Start time: <unknown>", "Duration: <unknown>"}, {"Name: Run", "*", "Duration: 1d 05s"}},
        {"waypoint", dkWaypoint, {bare}, {named}, {"Name: <no name>", "Sub name: <no sub name>", "*"},
         {"Name: Kaag", "Sub name: Jetty", "*"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TFormMsgDuplicate form(c.kind, c.existing, c.incoming, Env.get());
        const QStringList left = Texts({form.LabelExistingLine01, form.LabelExistingLine02, form.LabelExistingLine03});
        const QStringList right = Texts({form.LabelNewLine01, form.LabelNewLine02, form.LabelNewLine03});
        for (int i = 0; i < 3; ++i) {
            if (c.left[i] != "*") EXPECT_EQ(left[i], c.left[i]) << i;
            if (c.right[i] != "*") EXPECT_EQ(right[i], c.right[i]) << i;
        }
        if (c.kind == dkPolarDiagram) {
            EXPECT_EQ(right[0], "Name: Sloop");
            EXPECT_TRUE(right[1].startsWith("Maximum boat speed: ")) << right[1].toStdString();
            // 4 m/s in the environment's speed unit, two decimals with a point.
            const QString speed = right[1].mid(20);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d \\S+")).match(speed).hasMatch())
                << speed.toStdString();
            EXPECT_TRUE(right[2].startsWith("Waterline length: ")) << right[2].toStdString();
        }
        if (c.kind == dkWaypointGroup)
            EXPECT_EQ(left[1], QString("Waypoints: %1").arg(m->GetUngroupedGroup()->GetWaypointCount()));
        if (c.kind == dkTrack)
            EXPECT_TRUE(right[1].startsWith("Start time: 2025") || right[1].contains("2025")) << right[1].toStdString();
    }
    // The existing track of an hour, two minutes and five seconds.
    TFormMsgDuplicate track(dkTrack, {Track(QStringLiteral("A"), 3725)}, {Track(QStringLiteral("A"), 42)}, Env.get());
    EXPECT_EQ(track.LabelExistingLine03->text(), "Duration: 1h 02m 05s");
    EXPECT_EQ(track.LabelNewLine03->text(), "Duration: 42s");
}

TEST_F(MsgDuplicate, ThePositionUsesTheLanguagesCompassLetters) {
    IWptWaypoint *w = Waypoint(QStringLiteral("Kaag"), QString(), 52.0, 5.0);
    for (auto [lang, east] : {std::pair{KvLang::English, 'E'}, std::pair{KvLang::Dutch, 'O'}}) {
        SetCurrentLanguage(lang);
        TFormMsgDuplicate form(dkWaypoint, {w}, {w}, Env.get());
        const QString line = form.LabelNewLine03->text();
        const QStringList parts = line.section(QStringLiteral(": "), 1).split(QStringLiteral(" / "));
        ASSERT_EQ(parts.size(), 2) << line.toStdString();
        EXPECT_TRUE(parts[0].contains('N') && !parts[0].contains('S')) << line.toStdString();
        EXPECT_TRUE(parts[1].contains(QLatin1Char(east)) && !parts[1].contains('W')) << line.toStdString();
        EXPECT_TRUE(parts[0].contains("52")) << line.toStdString();
    }
}

namespace {

// Presses the mouse on a candidate tree row, as the user checks a candidate.
void ClickRow(TDuplicateCandidateTree *tree, const QModelIndex &index) {
    tree->scrollTo(index);
    const QRect r = tree->visualRect(index);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
}

QList<int> CheckStates(const TDuplicateCandidateModel *m) {
    QList<int> out;
    for (int i = 0; i < m->rowCount(); ++i) out << m->index(i, 0).data(Qt::CheckStateRole).toInt();
    return out;
}

}  // namespace

class MsgDuplicateMultiple : public MsgDuplicate {
protected:
    void SetUp() override {
        MsgDuplicate::SetUp();
        Buoy = Type(QStringLiteral("Buoy"));
        Candidates.reset(WptWaypointListCreate(0));
        Candidates->Add(Waypoint(QStringLiteral("Kaag"), QStringLiteral("North"), 52.0, 5.0, Buoy));
        Candidates->Add(Waypoint(QStringLiteral("Kaag"), QString(), 52.1, 5.1));
        Candidates->Add(Waypoint(QStringLiteral("Kaag"), QStringLiteral("South"), 51.9, 4.9, Buoy));
        New = Waypoint(QStringLiteral("Kaag"), QStringLiteral("Jetty"), 52.05, 5.05, Buoy);
    }
    void TearDown() override {
        Candidates.reset();
        MsgDuplicate::TearDown();
    }
    IWptWaypointType *Buoy = nullptr;
    TNavPtr<IWptWaypointList> Candidates;
    IWptWaypoint *New = nullptr;
};

TEST_F(MsgDuplicateMultiple, ThreeWaypointsTheThirdOverwritten) {
    TFormMsgDuplicateMultiple::SetPrompter([](TFormMsgDuplicateMultiple &f) {
        f.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(f.windowTitle(), "Duplicate waypoints");
        EXPECT_EQ(f.LabelMessage->text(), "The user database already contains 3 waypoints with the same name.");
        EXPECT_EQ(f.LabelTypeExisting->text(), "Existing waypoint");
        EXPECT_TRUE(f.PanelTypeWaypoint->isVisible());
        EXPECT_FALSE(f.PanelTypeGroup->isVisible() || f.PanelTypeRoute->isVisible() || f.PanelTypeType->isVisible());
        EXPECT_EQ(f.LabelWaypointNew->text(), "New waypoint");
        EXPECT_EQ(f.LabelWaypointNewName->text(), "Name: Kaag");
        EXPECT_EQ(f.LabelWaypointNewSubName->text(), "Sub name: Jetty");
        EXPECT_EQ(f.CheckBoxAction->text(), "Do this for every duplicate waypoints");
        EXPECT_EQ(f.RadioButtonActionOverwrite->text(), "Overwrite the selected waypoint with the new waypoint");
        const TDuplicateCandidateModel *m = f.ListView->Model();
        EXPECT_EQ(m->index(1, 0).data().toString(), "Waypoint 2");
        const QString detail = m->index(0, 0, m->index(1, 0)).data().toString();
        EXPECT_TRUE(detail.startsWith("Name: Kaag\nSub name: <no sub name>\nPosition: ")) << detail.toStdString();
        EXPECT_EQ(CheckStates(m), (QList<int>{Qt::Checked, Qt::Unchecked, Qt::Unchecked}));
        ClickRow(f.ListView, m->index(2, 0));
        EXPECT_EQ(CheckStates(m), (QList<int>{Qt::Unchecked, Qt::Unchecked, Qt::Checked}));
        // A click on a candidate's detail row checks that candidate too.
        ClickRow(f.ListView, m->index(0, 0, m->index(1, 0)));
        EXPECT_EQ(CheckStates(m), (QList<int>{Qt::Unchecked, Qt::Checked, Qt::Unchecked}));
        ClickRow(f.ListView, m->index(2, 0));
        Click(f.RadioButtonActionOverwrite);
        QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
        return f.result();
    });
    int index = -5;
    TDuplicateAction action = daKeep;
    bool all = true;
    EXPECT_TRUE(TFormMsgDuplicateMultiple::Execute(dkWaypoint, Candidates.get(), New, Env.get(), index, action, all));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(action, daOverwrite);
    EXPECT_FALSE(all);
}

TEST_F(MsgDuplicateMultiple, RowsStayExpandedAndUncheckingIsRefused) {
    TFormMsgDuplicateMultiple form(dkWaypoint, Candidates.get(), New, Env.get());
    form.show();
    QCoreApplication::processEvents();
    TDuplicateCandidateModel *m = form.ListView->Model();
    for (int i = 0; i < 3; ++i) {
        const QModelIndex row = m->index(i, 0);
        EXPECT_TRUE(form.ListView->isExpanded(row));
        form.ListView->collapse(row);
        EXPECT_TRUE(form.ListView->isExpanded(row)) << "collapsing refused";
        // Detail rows are three default rows high for waypoints.
        EXPECT_EQ(form.ListView->visualRect(m->index(0, 0, row)).height(), 3 * 20);
    }
    EXPECT_FALSE(m->setData(m->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(form.GetSelectedIndex(), 0);
    EXPECT_TRUE(m->setData(m->index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(form.GetSelectedIndex(), 1);
    // Keys move the check as they would move a radio button.
    form.ListView->setFocus();
    QTest::keyClick(form.ListView, Qt::Key_Down);
    EXPECT_EQ(form.GetSelectedIndex(), 2);
    QTest::keyClick(form.ListView, Qt::Key_Down);
    EXPECT_EQ(form.GetSelectedIndex(), 2);
}

TEST_F(MsgDuplicateMultiple, TheApplyToAllBoxCountsOnlyWithTheDuplicateAnswer) {
    TFormMsgDuplicateMultiple form(dkWaypoint, Candidates.get(), New, Env.get());
    form.show();
    EXPECT_FALSE(form.CheckBoxAction->isEnabled());
    Click(form.RadioButtonActionOverwrite);
    EXPECT_FALSE(form.CheckBoxAction->isEnabled());
    Click(form.RadioButtonActionDuplicate);
    EXPECT_TRUE(form.CheckBoxAction->isEnabled());
    Click(form.CheckBoxAction);
    EXPECT_TRUE(form.ApplyAll());
    EXPECT_EQ(form.Action(), daDuplicate);
    // Back to keep: a tick that no longer shows as applying must not make it "keep for all".
    Click(form.RadioButtonActionKeep);
    EXPECT_FALSE(form.CheckBoxAction->isEnabled());
    EXPECT_FALSE(form.ApplyAll());
    EXPECT_EQ(form.Action(), daKeep);
}

TEST_F(MsgDuplicateMultiple, KindsLayTheirAnswersAndPanelsOut) {
    TNavPtr<IWptObjectList> groups(WptWaypointGroupListCreate(0));
    groups->Add(Group(QStringLiteral("Lakes"), 1));
    groups->Add(Group(QStringLiteral("Lakes"), 3));
    TFormMsgDuplicateMultiple group(dkWaypointGroup, groups.get(), Group(QStringLiteral("Lakes"), 2), Env.get());
    group.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(group.windowTitle(), "Duplicate waypoint groups");
    EXPECT_FALSE(group.RadioButtonActionOverwrite->isVisible());
    EXPECT_LT(group.RadioButtonActionDuplicate->y(), group.CheckBoxAction->y());
    EXPECT_TRUE(group.PanelTypeGroup->isVisible());
    EXPECT_EQ(group.LabelGroupNewWaypoints->text(), "Waypoints: 2");
    const TDuplicateCandidateModel *gm = group.ListView->Model();
    EXPECT_EQ(gm->index(0, 0, gm->index(1, 0)).data().toString(), "Name: Lakes\nWaypoints: 3");
    EXPECT_EQ(group.ListView->visualRect(gm->index(0, 0, gm->index(0, 0))).height(), 2 * 20);

    TNavPtr<IWptObjectList> routes(WptRouteListCreate(0));
    routes->Add(Route(QStringLiteral("Amstel"), 2));
    TFormMsgDuplicateMultiple route(dkRoute, routes.get(), Route(QStringLiteral("Amstel"), 4), Env.get());
    EXPECT_EQ(route.LabelMessage->text(), "The user database already contains 1 routes with the same name.");
    EXPECT_EQ(route.LabelRouteNewPoints->text(), "Route points: 4");
    EXPECT_EQ(route.ListView->Model()->index(0, 0).data().toString(), "Route 1");

    TNavPtr<IWptObjectList> types(WptWaypointTypeListCreate(0));
    types->Add(Env->WaypointManager->GetDefaultWaypointType());
    TFormMsgDuplicateMultiple type(dkWaypointType, types.get(), Buoy, Env.get());
    const TDuplicateCandidateModel *tm = type.ListView->Model();
    EXPECT_EQ(tm->index(0, 0, tm->index(0, 0)).data().toString(), "Name: Default type");
    EXPECT_EQ(type.LabelTypeNewName->text(), "Name: Buoy");
}

TEST_F(MsgDuplicateMultiple, AnEmptyListOffersNoOK) {
    TNavPtr<IWptWaypointList> none(WptWaypointListCreate(0));
    TFormMsgDuplicateMultiple::SetPrompter([](TFormMsgDuplicateMultiple &f) {
        f.show();
        EXPECT_EQ(f.ListView->Model()->rowCount(), 0);
        EXPECT_FALSE(f.ButtonOk->isEnabled());
        QTest::mouseClick(f.ButtonOk, Qt::LeftButton);
        return f.result();
    });
    int index = 7;
    TDuplicateAction action = daOverwrite;
    bool all = true;
    EXPECT_FALSE(TFormMsgDuplicateMultiple::Execute(dkWaypoint, none.get(), New, Env.get(), index, action, all));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(action, daKeep);
    EXPECT_FALSE(all);
}

TEST_F(MsgDuplicateMultiple, ScreenshotsByDayAndNight) {
    TFormMsgDuplicateMultiple multiple(dkWaypoint, Candidates.get(), New, Env.get());
    multiple.show();
    multiple.ListView->setFocus();
    TFormMsgDuplicate track(dkTrack, {Track(QStringLiteral("Harbour run"), 3725)},
                            {Track(QStringLiteral("Harbour run"), 42)}, Env.get());
    track.show();
    TFormMsgDuplicate type(dkWaypointType, {Env->WaypointManager->GetDefaultWaypointType()}, {Buoy}, Env.get());
    type.show();
    QCoreApplication::processEvents();
    const QImage dayInfo = multiple.ImageInformation->pixmap().toImage();
    shelltest::SaveScreenshot(&multiple, QStringLiteral("duplicate-waypoints-day"));
    shelltest::SaveScreenshot(&track, QStringLiteral("duplicate-track-day"));
    shelltest::SaveScreenshot(&type, QStringLiteral("duplicate-type-day"));
    const QImage dayTree = multiple.ListView->grab().toImage();
    NightScreenStart();
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(&multiple, QStringLiteral("duplicate-waypoints-night"));
    shelltest::SaveScreenshot(&track, QStringLiteral("duplicate-track-night"));
    EXPECT_NE(multiple.ImageInformation->pixmap().toImage(), dayInfo) << "information image in night colours";
    EXPECT_NE(multiple.ListView->grab().toImage(), dayTree) << "candidate tree in night colours";
    NightScreen()->SetActive(false);
    NightScreenStop();
    QCoreApplication::processEvents();
}
