// The structure details panel in a dock panel over the real navigation environment on the
// demo data: what each show call answers and keeps, the section links and the scroll
// position, the waiting-time edit through the number dialog (settings store, planner,
// restart), a page of several structures, entry links and navigate-to.
#include "LinkDetailsFixtures.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/FraLinkDetailsStruct.h"
#include "objectinfo/FrmNumberInput.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include "base/controls/KvEdits.h"
#include "base/graphics/KvNightScreen.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "objectinfo/KvWWNetwork.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvPlanner.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTest>

namespace {

using namespace routetest;

const QString WaitKey = QStringLiteral("RouteNetwork\\CustomWaitTimes");

int32_t StoredWait(IWWStruct *s) {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, WaitKey, RegName(GUIDToStr(*s->GetGUID())), -2);
}

class LinkDetailsStructPanel : public NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        SetCurrentLanguage(KvLang::English);
        MakePanel();
    }
    void TearDown() override {
        TFormNumberInput::SetPrompter({});
        Dock.reset();
        NavEnvRoutes::TearDown();
    }
    void MakePanel() {
        Dock = std::make_unique<QDockWidget>();
        Panel = new TFrameLinkDetailsStruct(Dock.get(), *Env);
        Dock->setWidget(Panel);
        Dock->resize(420, 700);
        Dock->show();
        Panel->NavigateToObject = [this](IWWSection *s, double at) { Navigations.push_back({s, at}); };
        Panel->OnRefreshRoutes = [this] {
            ++Refreshes;
            Env->RefreshRoutes(true, true, true, false);
        };
        Panel->HTMLViewer->OpenDocument = [this](const QString &d) {
            Opened << d;
            return 0;
        };
    }
    IWWStruct *Named(const QString &name) {
        IWWNetwork *n = Env->WaterwayNetwork;
        for (int32_t i = 0; i < n->GetStructCount(); ++i)
            if (WWStructGetName(n->GetStruct(i)) == name) return n->GetStruct(i);
        ADD_FAILURE() << "no demo structure " << name.toStdString();
        return nullptr;
    }
    QString DelayLink(IWWStruct *s) { return QStringLiteral("delay://") + GUIDToStr(*s->GetGUID()); }
    void Click(const QString &link) {
        if (link.startsWith(QStringLiteral("delay://")))
            ClickAnchor(link);
        else
            Panel->HTMLViewer->HandleLinkClick(QUrl(link));
    }
    // A mouse click on the page's link with that href (the waiting-time links are no valid
    // URLs, so only a real click shows they work).
    void ClickAnchor(const QString &href) {
        TLinkDetailsView *v = Panel->HTMLViewer;
        for (QTextBlock b = v->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.charFormat().anchorHref() != href) continue;
                QTextCursor c(v->document());
                c.setPosition(f.position() + f.length() / 2);
                v->setTextCursor(c);
                v->ensureCursorVisible();
                const QPoint at = v->cursorRect(c).center();
                QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        ADD_FAILURE() << "no link " << href.toStdString();
    }
    // The number dialog answers: typed minutes, the default box ticked, or Cancel.
    void Answer(const QString &typed, bool useDefault, int result = QDialog::Accepted) {
        TFormNumberInput::SetPrompter([=, this](TFormNumberInput &f) {
            ++Dialogs;
            DialogValue = f.CheckUseDefault->isChecked() ? -1.0 : double(f.EditInput->Value());
            if (f.CheckUseDefault->isChecked() != useDefault) QTest::mouseClick(f.CheckUseDefault, Qt::LeftButton);
            if (!useDefault && !typed.isEmpty()) f.EditInput->setText(typed);
            return result;
        });
    }
    QString Text() const { return Panel->HTMLViewer->toPlainText(); }

    std::unique_ptr<QDockWidget> Dock;
    TFrameLinkDetailsStruct *Panel = nullptr;
    std::vector<std::pair<IWWSection *, double>> Navigations;
    QStringList Opened;
    int Refreshes = 0, Dialogs = 0;
    double DialogValue = 0.0;
};

TEST_F(LinkDetailsStructPanel, ShowCallsAnswerAndKeepTheirPage) {
    EXPECT_TRUE(Panel->ButtonNavigateTo->isHidden());
    EXPECT_TRUE(Panel->ButtonHelp->isHidden());
    EXPECT_EQ(Panel->ButtonNavigateTo->text(), QStringLiteral("Navigate to"));
    EXPECT_FALSE(Panel->ShowStruct(nullptr, nullptr));
    EXPECT_TRUE(Panel->CurrentPage().isEmpty());

    IWWStruct *bridge = Named(QStringLiteral("Millbrook Bridge"));
    ASSERT_TRUE(Panel->ShowStruct(bridge, nullptr));
    EXPECT_FALSE(Panel->ButtonNavigateTo->isHidden());
    EXPECT_TRUE(Text().contains(QStringLiteral("Millbrook Bridge")));
    EXPECT_TRUE(Panel->CurrentPage().contains(QStringLiteral("2011")));

    // The manager section opens on its link and closes again for every new structure and
    // on a language switch.
    Click(QStringLiteral("manshow"));
    EXPECT_TRUE(Panel->ManagerOpen());
    const QString open = Panel->CurrentPage();
    ASSERT_TRUE(Panel->ShowStruct(bridge, nullptr));
    EXPECT_FALSE(Panel->ManagerOpen());
    EXPECT_NE(Panel->CurrentPage(), open);
    Click(QStringLiteral("MANSHOW"));
    Panel->UpdateTexts();
    EXPECT_FALSE(Panel->ManagerOpen());
    EXPECT_EQ(Panel->Structure(), bridge);

    // The toggle forgets the shown structure on a second click, and no structure forgets
    // it too; the page stays.
    const QString page = Panel->CurrentPage();
    EXPECT_FALSE(Panel->ShowStructs(bridge, nullptr, {bridge}, true));
    EXPECT_EQ(Panel->Structure(), nullptr);
    EXPECT_EQ(Panel->CurrentPage(), page);
    EXPECT_TRUE(Panel->ShowStructs(bridge, nullptr, {bridge}, true));
    EXPECT_FALSE(Panel->ShowStruct(nullptr, nullptr));
    EXPECT_EQ(Panel->Structure(), nullptr);
    EXPECT_EQ(Panel->CurrentPage(), page);

    // Navigate to goes to the structure's place on its section.
    ASSERT_TRUE(Panel->ShowStruct(bridge, nullptr));
    QTest::mouseClick(Panel->ButtonNavigateTo, Qt::LeftButton);
    ASSERT_EQ(Navigations.size(), 1u);
    EXPECT_EQ(Navigations[0].first, bridge->GetSection());
    EXPECT_EQ(Navigations[0].second, bridge->GetSectionPosition());
}

TEST_F(LinkDetailsStructPanel, SectionLinksKeepTheScrollPositionAndShowingStartsAtTheTop) {
    Dock->resize(300, 260);
    IWWStruct *lock = Named(QStringLiteral("Saltmere Sea Lock"));
    ASSERT_TRUE(Panel->ShowStruct(lock, nullptr));
    QScrollBar *bar = Panel->HTMLViewer->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 40) << "the lock's page must be longer than the view";
    const struct {
        const char *link;
        const char *gone;  // a text of the section the link closes
    } cases[] = {{"passhow", "Min. gate width"}, {"operiodsshow", "Average waiting time"}, {"genshow", "VHF"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link);
        const QString gone = QString::fromLatin1(c.gone);
        // Opened again first where an earlier row closed it: every link toggles.
        bar->setValue(30);
        Click(QString::fromLatin1(c.link));
        EXPECT_FALSE(Text().contains(gone)) << Text().toStdString();
        EXPECT_EQ(bar->value(), std::min(30, bar->maximum()));
        Click(QString::fromLatin1(c.link));
        EXPECT_TRUE(Text().contains(gone));
    }
    bar->setValue(30);
    ASSERT_TRUE(Panel->ShowStruct(lock, nullptr));
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(LinkDetailsStructPanel, WaitingTimeIsStoredAppliedAndRemoved) {
    IWWStruct *bridge = Named(QStringLiteral("Millbrook Bridge"));
    ASSERT_TRUE(Panel->ShowStruct(bridge, nullptr));
    ASSERT_TRUE(Panel->CurrentPage().contains(DelayLink(bridge)));
    EXPECT_TRUE(Text().contains(QStringLiteral("min (default)")));

    const struct {
        const char *name;
        const char *typed;
        bool useDefault;
        int result;
        int32_t seconds;  // on the structure and in the store (-2: no value stored)
        int refreshes;
    } cases[] = {
        {"sixty minutes", "60", false, QDialog::Accepted, 3600, 1},
        {"cancel changes nothing", "5", false, QDialog::Rejected, 3600, 1},
        {"zero minutes is no waiting time", "0", false, QDialog::Accepted, 0, 2},
        {"twelve minutes", "12", false, QDialog::Accepted, 720, 3},
        {"the default removes it", "", true, QDialog::Accepted, -2, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Answer(QString::fromLatin1(c.typed), c.useDefault, c.result);
        Panel->HTMLViewer->verticalScrollBar()->setValue(20);
        Click(DelayLink(bridge));
        EXPECT_EQ(bridge->GetWaitingTime(), c.seconds == -2 ? -1 : c.seconds);
        EXPECT_EQ(StoredWait(bridge), c.seconds);
        EXPECT_EQ(Refreshes, c.refreshes);
        if (c.result == QDialog::Accepted) {
            EXPECT_EQ(Panel->HTMLViewer->verticalScrollBar()->value(), 0);
        }
    }
    // The page shows the planner's default again; the dialog started from it.
    EXPECT_TRUE(Text().contains(QStringLiteral("min (default)")));
    EXPECT_EQ(DialogValue, 12.0);

    // A structure without a waiting time (a fixed structure of another kind) opens no dialog.
    IWWStruct *line = Named(QStringLiteral("Vorn Power Line"));
    const int before = Dialogs;
    Panel->EditWaitingTime(line);
    EXPECT_EQ(Dialogs, before);
}

TEST_F(LinkDetailsStructPanel, StoredWaitingTimeDelaysTheEditedRouteAndSurvivesARestart) {
    StartRun();
    IWWStruct *bridge = Named(QStringLiteral("Millbrook Bridge"));
    ASSERT_TRUE(bridge);
    // A 2-m boat does not fit under the closed bridge (1.8 m): it waits for an opening.
    Env->ActiveBoatDef->SetHeights(2.0f, 2.0f, 0.0f);
    IWWSection *section = bridge->GetSection();
    const double at = bridge->GetSectionPosition();
    // Wednesday 09:00 UTC, inside the bridge's operating hours.
    IWptRoute *route = Env->UserDatabase->NewRoute(45000.0 + 9.0 / 24.0);
    int32_t err = 0;
    route->AddNetworkPoint(section, at * 0.2, 0, err);
    route->AddNetworkPoint(section, at + (section->GetLength() - at) * 0.8, 0, err);
    ASSERT_EQ(err, 0);
    Env->BeginRouteEdit(route, nullptr, nullptr, 0.0, false);
    ASSERT_EQ(Env->EditedRoute, route);
    auto arrival = [&] {
        Env->RecalculateRoute(route, false);
        IWptPlanPoint *plan = route->GetLastPoint()->GetPlanPoint();
        return plan && plan->GetArrival() ? plan->GetArrival()->GetData()->TimeUTC : -1.0;
    };
    const TDateTime before = arrival();
    ASSERT_GT(before, 0.0) << "the route is planned";

    ASSERT_TRUE(Panel->ShowStruct(bridge, nullptr));
    Answer(QStringLiteral("60"), false);
    const int asked = Log.Count(NavNotify::RecalculateRoute);
    Click(DelayLink(bridge));
    ASSERT_EQ(bridge->GetWaitingTime(), 3600);
    // The edited route is handed on for an update; its plan then waits longer.
    EXPECT_EQ(Log.Count(NavNotify::RecalculateRoute), asked + 1);
    const TDateTime after = arrival();
    EXPECT_GT((after - before) * 86400.0, 30.0 * 60.0);

    // The next start applies the stored time to the freshly loaded network.
    Env->EndRouteEdit(false);
    Dock.reset();
    Env->CoreEnv->GetDispatcher()->Unsubscribe(TDelivered::Receive, &Log);
    Env.reset();
    Env = Make();
    ASSERT_TRUE(Env && Env->WaterwayNetwork);
    StartRun();
    EXPECT_EQ(Named(QStringLiteral("Millbrook Bridge"))->GetWaitingTime(), 3600);
    Env->CoreEnv->GetDispatcher()->Subscribe(TDelivered::Receive, &Log);
}

TEST_F(LinkDetailsStructPanel, PageOfSeveralStructuresHasAnIndexAndEditsTheLinkedOne) {
    IWWStruct *s[] = {Named(QStringLiteral("Millbrook Bridge")), Named(QStringLiteral("Tollmere Bridge")),
                      Named(QStringLiteral("Saltmere Sea Lock"))};
    ASSERT_TRUE(Panel->ShowStructs(s[0], nullptr, {s[0], s[1], s[2]}, true));
    const QString page = Panel->CurrentPage();
    EXPECT_TRUE(page.contains(QStringLiteral("2020")));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"#S%1\">%2</a>").arg(i).arg(WWStructGetName(s[i]))));
        EXPECT_TRUE(page.contains(QStringLiteral("id=\"S%1\"").arg(i)));
        EXPECT_TRUE(page.contains(DelayLink(s[i])));
    }
    EXPECT_EQ(page.count(QStringLiteral("<br /><hr /><br />")), 3);

    // The second structure's link edits the second structure, and the page stays a page of
    // three, also after a section link and a language switch.
    Answer(QStringLiteral("25"), false);
    Click(DelayLink(s[1]));
    EXPECT_EQ(s[1]->GetWaitingTime(), 1500);
    EXPECT_EQ(StoredWait(s[1]), 1500);
    EXPECT_EQ(s[0]->GetWaitingTime(), -1);
    EXPECT_EQ(StoredWait(s[0]), -2);
    Click(QStringLiteral("passhow"));
    Panel->UpdateTexts();
    EXPECT_EQ(Panel->CurrentPage().count(QStringLiteral("<br /><hr /><br />")), 3);
    EXPECT_TRUE(Panel->CurrentPage().contains(DelayLink(s[2])));

    // The index scrolls inside the page; a web address goes to the view's policy.
    Dock->resize(300, 260);
    Click(QStringLiteral("#S2"));
    EXPECT_GT(Panel->HTMLViewer->verticalScrollBar()->value(), 0);
    Click(QStringLiteral("https://example.org/"));
    EXPECT_EQ(Opened, QStringList{QStringLiteral("https://example.org/")});
}

TEST_F(LinkDetailsStructPanel, EntryLinksShowKnownStructuresOnly) {
    IWWStruct *bridge = Named(QStringLiteral("Tollmere Bridge"));
    const QString guid = GUIDToStr(*bridge->GetGUID());
    const struct {
        const char *name;
        QString link;
        bool shown;
    } cases[] = {
        {"another scheme", QStringLiteral("geoadds:") + guid, false},
        {"no link", QStringLiteral("Tollmere Bridge"), false},
        {"unknown structure", QStringLiteral("wwstruct:{0BADC0DE-0000-4000-8000-000000000001}"), false},
        {"known structure", QStringLiteral("wwstruct:") + guid, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Panel->ShowStruct(Named(QStringLiteral("Millbrook Bridge")), nullptr));
        EXPECT_EQ(Panel->ShowStructLink(c.link, nullptr), c.shown);
        EXPECT_EQ(Text().contains(QStringLiteral("Tollmere Bridge")), c.shown);
        if (!c.shown) {
            EXPECT_TRUE(Text().trimmed().isEmpty());
        }
    }
}

TEST_F(LinkDetailsStructPanel, ScreenshotsOfTheLockPageByDayAndNight) {
    shelltest::TShellScope scope(shelltest::BuiltProgramFolder());
    Env->ImagesFolder = shelltest::BuiltProgramFolder() + QStringLiteral("Images/");
    Dock->resize(380, 760);
    ASSERT_TRUE(Panel->ShowStruct(Named(QStringLiteral("Saltmere Sea Lock")), nullptr));
    QCoreApplication::processEvents();
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("struct-panel-lock-day"));
    NightScreen()->SetActive(true);
    shelltest::SaveScreenshot(Dock.get(), QStringLiteral("struct-panel-lock-night"));
    NightScreen()->SetActive(false);
    EXPECT_TRUE(Text().contains(QStringLiteral("Saltmere Sea Lock")));
}

}  // namespace
