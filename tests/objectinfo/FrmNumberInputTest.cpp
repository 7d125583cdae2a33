// The number input dialog driven through its prompter: the "use default" box against the
// shown value, what OK, Cancel and the box give back, and the edit kind.
#include "objectinfo/FrmNumberInput.h"

#include "base/controls/KvEdits.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class FrmNumberInput : public ::testing::Test {
protected:
    void TearDown() override { TFormNumberInput::SetPrompter({}); }
    // The waiting-time call: whole minutes, default -1, 0..1440.
    static bool Run(float &value, const std::function<int(TFormNumberInput &)> &answer) {
        TFormNumberInput::SetPrompter(answer);
        return TFormNumberInput::Execute(QStringLiteral("Average waiting time"), QStringLiteral("Enter it"),
                                         value, 0, -1.0f, 1440.0f, 0.0f, true, false,
                                         QStringLiteral("Use default"), QStringLiteral("min."));
    }
};

TEST_F(FrmNumberInput, DefaultValueTicksTheBoxAndDisablesTheEdit) {
    float v = -1.0f;
    bool seen = false;
    EXPECT_TRUE(Run(v, [&](TFormNumberInput &f) {
        seen = true;
        EXPECT_TRUE(f.CheckUseDefault->isChecked());
        EXPECT_FALSE(f.EditInput->isEnabled());
        EXPECT_EQ(f.EditInput->Value(), 0.0L);
        EXPECT_EQ(f.LabelUnit->text(), QStringLiteral("min."));
        EXPECT_EQ(f.EditInput->EditType(), etIntDecimal);
        QTest::mouseClick(f.CheckUseDefault, Qt::LeftButton);
        EXPECT_TRUE(f.EditInput->isEnabled());
        f.EditInput->setText(QStringLiteral("12"));
        return int(QDialog::Accepted);
    }));
    EXPECT_TRUE(seen);
    EXPECT_EQ(v, 12.0f);
}

TEST_F(FrmNumberInput, OkCancelAndTheBoxGiveTheRightValue) {
    const struct {
        const char *name;
        float start;
        bool tick;
        const char *typed;
        int answer;
        bool result;
        float value;
    } cases[] = {
        {"own value kept", 15.0f, false, nullptr, QDialog::Accepted, true, 15.0f},
        {"zero is a value", 15.0f, false, "0", QDialog::Accepted, true, 0.0f},
        {"box ticked gives the default", 15.0f, true, nullptr, QDialog::Accepted, true, -1.0f},
        {"above the maximum is held at it", 15.0f, false, "5000", QDialog::Accepted, true, 1440.0f},
        {"cancel changes nothing", 15.0f, true, "7", QDialog::Rejected, false, 15.0f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        float v = c.start;
        EXPECT_EQ(Run(v, [&](TFormNumberInput &f) {
                      EXPECT_FALSE(f.CheckUseDefault->isChecked());
                      EXPECT_TRUE(f.EditInput->isEnabled());
                      if (c.typed) f.EditInput->setText(QString::fromLatin1(c.typed));
                      if (c.tick) QTest::mouseClick(f.CheckUseDefault, Qt::LeftButton);
                      return c.answer;
                  }),
                  c.result);
        EXPECT_EQ(v, c.value);
    }
}

TEST_F(FrmNumberInput, WithoutADefaultTheBoxIsHiddenAndFractionsAreKept) {
    float v = 2.5f;
    TFormNumberInput::SetPrompter([](TFormNumberInput &f) {
        EXPECT_TRUE(f.CheckUseDefault->isHidden());
        EXPECT_EQ(f.EditInput->EditType(), etFloatFixed);
        f.EditInput->setText(QStringLiteral("3.75"));
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(TFormNumberInput::Execute(QStringLiteral("Number input"), QString(), v, 2, 0.0f, 10.0f, 0.0f,
                                          false, true, QString(), QStringLiteral("m")));
    EXPECT_FLOAT_EQ(v, 3.75f);
}

}  // namespace
