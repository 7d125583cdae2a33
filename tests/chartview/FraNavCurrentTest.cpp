// The instruments information panel over the real own ship: its two motion-model switches
// and what they store, its fixed height, the stored colour option.
#include "chartview/FraNavCurrent.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "tests/shell/NavEnvFixture.h"

#include <KvLibNav6/KvNavBoat.h>

#include <QCheckBox>
#include <QDockWidget>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NavCurrentFixture : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        Env = Make();
        Window = std::make_unique<QMainWindow>();
        Window->setCentralWidget(new QWidget(Window.get()));
        Dock = new QDockWidget(Window.get());
        Window->addDockWidget(Qt::RightDockWidgetArea, Dock);
    }
    void TearDown() override {
        Window.reset();
        Env.reset();
        NavEnvFixture::TearDown();
    }
    TFrameNavCurrent &MakePanel() {
        Panel = new TFrameNavCurrent(Dock, *Env);
        Panel->OnChange = [this](TFrameNavCurrent *) { ++Changes; };
        Dock->setWidget(Panel);
        Window->show();
        return *Panel;
    }
    static bool StoredZeroCurrent() {
        return RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ZeroCurrent"), false);
    }
    INavBoatState *State() { return Env->Boat->GetState(); }

    std::unique_ptr<TMarivoNavEnv> Env;
    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameNavCurrent *Panel = nullptr;
    int Changes = 0;
};

TEST_F(NavCurrentFixture, StreamOffIsStoredAtOnceAndShownAgain) {
    State()->SetZeroCurrent(false);
    State()->SetZeroDrift(false);
    TFrameNavCurrent &panel = MakePanel();
    ASSERT_TRUE(panel.Stream()->isChecked());
    QTest::mouseClick(panel.Stream(), Qt::LeftButton);
    EXPECT_TRUE(State()->GetZeroCurrent());
    EXPECT_TRUE(StoredZeroCurrent()) << "stored with the click";
    EXPECT_EQ(Changes, 1);
    QTest::mouseClick(panel.Leeway(), Qt::LeftButton);
    EXPECT_TRUE(State()->GetZeroDrift());
    EXPECT_EQ(Changes, 2);

    // A new panel over the restored state shows the box off.
    State()->SetZeroCurrent(false);
    RegReadBoatState(Env->Boat);
    EXPECT_TRUE(State()->GetZeroCurrent());
    delete Panel;
    TFrameNavCurrent &again = MakePanel();
    EXPECT_FALSE(again.Stream()->isChecked());
    EXPECT_FALSE(again.Leeway()->isChecked());
}

TEST_F(NavCurrentFixture, UpdateAllFollowsTheStateAndStoresNothing) {
    TFrameNavCurrent &panel = MakePanel();
    State()->SetZeroCurrent(false);
    int32_t err = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ZeroCurrent"), true, err);
    panel.UpdateAll();
    EXPECT_TRUE(panel.Stream()->isChecked());
    EXPECT_TRUE(StoredZeroCurrent()) << "UpdateAll stores nothing";
    EXPECT_EQ(Changes, 0) << "and fires nothing";
    EXPECT_EQ(panel.Leeway()->isEnabled(), !State()->GetDriftFixed());
}

TEST_F(NavCurrentFixture, FixedHeightAndVectorColors) {
    TFrameNavCurrent &panel = MakePanel();
    const int expected = (2 * 1 + 3 * 100 + 17) * panel.ScreenDpi() / 96;
    EXPECT_EQ(panel.Dock().AppliedHeight(), expected);
    EXPECT_EQ(panel.minimumHeight(), expected);
    EXPECT_EQ(panel.maximumHeight(), expected);
    EXPECT_TRUE(panel.VectorColors()->isChecked()) << "on by default";
    QTest::mouseClick(panel.VectorColors(), Qt::LeftButton);
    EXPECT_FALSE(RegReadBoolDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\FloatWindowNavCurrent"),
                                RegName(u"VectorColors"), true));
}

}  // namespace
