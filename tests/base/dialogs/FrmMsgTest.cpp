#include "base/dialogs/FrmMsg.h"

#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

struct NavObjectDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};

// The texts of the model's rows, children indented by two blanks, in display order.
QStringList Rows(const TMessageListModel &m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        const QModelIndex top = m.index(r, 0);
        out << top.data().toString();
        for (int c = 0; c < m.rowCount(top); ++c) out << QStringLiteral("  ") + m.index(c, 0, top).data().toString();
    }
    return out;
}

class PrompterScope {
public:
    explicit PrompterScope(TFormMsg::TPrompter p) : FPrevious(TFormMsg::SetPrompter(std::move(p))) {}
    ~PrompterScope() { TFormMsg::SetPrompter(std::move(FPrevious)); }

private:
    TFormMsg::TPrompter FPrevious;
};

}  // namespace

TEST(MessageList, HeadingOnceThenMessagesWithText) {
    TMessageList list;
    list.Add(QStringLiteral("Route 1"), QStringLiteral("Routes"), false, false, nullptr);
    list.Add(QStringLiteral("Route 2"), QStringLiteral("ROUTES"), false, false, nullptr);
    list.Add(QString(), QStringLiteral("Tracks"), false, true, nullptr);
    list.Add(QStringLiteral("Loose"), QString(), false, false, nullptr);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_TRUE(list.Items(0)->IsHeading);
    EXPECT_FALSE(list.Items(1)->IsHeading);
    EXPECT_FALSE(list.Items(2)->IsHeading) << "the heading is matched without case";
    EXPECT_TRUE(list.Items(3)->IsHeading) << "an empty text adds only the heading";
    EXPECT_EQ(list.Items(4)->Text, QStringLiteral("Loose"));
    EXPECT_EQ(list.Items(5), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_TRUE(list.Contains(QStringLiteral("route 2"), QStringLiteral("routes")));
    EXPECT_FALSE(list.Contains(QStringLiteral("Route 2"), QStringLiteral("Tracks")));
}

TEST(FormMsg, DuplicatesListedOnceUnlessAllowed) {
    struct Case { const char *name; bool allow; QStringList rows; };
    const Case cases[] = {
        {"no duplicates", false, {"Routes", "  Route 1"}},
        {"duplicates allowed", true, {"Routes", "  Route 1", "  Route 1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormMsg form(0, c.allow);
        form.AddMessage(QStringLiteral("Route 1"), QStringLiteral("Routes"));
        form.AddMessage(QStringLiteral("Route 1"), QStringLiteral("Routes"));
        form.FillList();
        EXPECT_EQ(Rows(*form.Model()), c.rows);
    }
}

TEST(FormMsg, GroupsAndSortsPinnedFirstInBothDirections) {
    TFormMsg form(3, false);
    form.AddMessage(QStringLiteral("Leg 10"), QStringLiteral("Route 10"));
    form.AddMessage(QStringLiteral("Leg 2"), QStringLiteral("Route 10"));
    form.AddMessage(QStringLiteral("Only"), QStringLiteral("Route 2"));
    form.AddMessage(QStringLiteral("Now"), QStringLiteral("Active"), true);
    form.AddMessage(QStringLiteral("Stray"), QString());
    form.FillList();
    EXPECT_EQ(Rows(*form.Model()),
              (QStringList{"Active", "  Now", "Route 2", "  Only", "Route 10", "  Leg 2", "  Leg 10", "Stray"}));
    form.show();
    QTest::mouseClick(form.ListView->header()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(Rows(*form.Model()),
              (QStringList{"Active", "  Now", "Stray", "Route 10", "  Leg 10", "  Leg 2", "Route 2", "  Only"}));
    EXPECT_TRUE(form.ListView->isExpanded(form.Model()->index(3, 0))) << "groups stay open after sorting";
}

TEST(FormMsg, ReadOnlyColumnPictureRowsAndKindImage) {
    std::unique_ptr<IBmp32, NavObjectDeleter> bmp(Bmp32Create(16, 16, 1));
    bmp->Fill(0xFF00FF00);
    TFormMsg form(1, false);
    form.AddMessage(QStringLiteral("Track 1"), QStringLiteral("Tracks"), false, true, bmp.get());
    form.AddMessage(QStringLiteral("Track 2"), QStringLiteral("Tracks"));
    form.SetColumnTitle(QStringLiteral("Name"));
    form.FillList();
    form.show();
    const QModelIndex group = form.Model()->index(0, 0);
    const QModelIndex withPicture = form.Model()->index(0, 0, group);
    EXPECT_EQ(form.Model()->index(0, 1, group).data().toString(), QStringLiteral("read-only"));
    EXPECT_EQ(form.Model()->index(1, 1, group).data().toString(), QString());
    EXPECT_EQ(form.ListView->visualRect(withPicture).height(), 33);
    EXPECT_TRUE(form.Messages().Items(1)->Picture.pixelColor(3, 3) == QColor(0, 255, 0));
    EXPECT_TRUE(form.ImageError->isVisibleTo(&form));
    EXPECT_FALSE(form.ImageWarning->isVisibleTo(&form));
    EXPECT_EQ(form.Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(group.data(Qt::FontRole).value<QFont>().bold(), true);
}

TEST(FormMsg, ExecuteIsTrueOnlyForYes) {
    struct Case { const char *name; int answer; bool result; };
    const Case cases[] = {{"Yes", 0, true}, {"No", 1, false}, {"Escape", 2, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrompterScope scope([&](TFormMsg &form) {
            form.show();
            if (c.answer == 0) QTest::mouseClick(form.ButtonYes, Qt::LeftButton);
            if (c.answer == 1) QTest::mouseClick(form.ButtonNo, Qt::LeftButton);
            if (c.answer == 2) QTest::keyClick(&form, Qt::Key_Escape);
            return form.result();
        });
        TFormMsg form(3, false);
        form.SetCaption(QStringLiteral("Delete"));
        form.SetMessage(QStringLiteral("These routes will be deleted:"));
        form.SetQuestion(QStringLiteral("Continue?"));
        form.AddMessage(QStringLiteral("Route 1"), QStringLiteral("Routes"));
        EXPECT_EQ(form.Execute(), c.result);
        EXPECT_EQ(form.LabelQuestion->text(), QStringLiteral("Continue?"));
    }
}
