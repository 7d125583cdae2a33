// The account's news answer: messages, content files and versions read whole or not at all.
#include "online/WebServicesNews.h"

#include <gtest/gtest.h>

namespace {

QString Text(const TStrWRec *r) {
    return QString::fromUtf16(r->Text, r->Length);
}

const QByteArray Good = R"({"result":0,
  "news":[{"number":12,"title":"Locks","text":"<p>x</p>"}],
  "files":[{"path":"sub\\page.htm","time":1700000000,"size":42}],
  "versions":[{"guid":"{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}","version":"6.1.0.0"}]})";

}  // namespace

TEST(NewsAnswer, ReadWholeOrKeepThePreviousLists) {
    kv::TNewsLists lists;
    ASSERT_TRUE(lists.Read(Good));
    ASSERT_EQ(lists.NewsCount(), 1);
    EXPECT_EQ(lists.News(0)->GetNumber(), 12);
    EXPECT_EQ(Text(lists.News(0)->GetTitle()), "Locks");
    ASSERT_EQ(lists.FileCount(), 1);
    EXPECT_EQ(Text(lists.File(0)->GetPath()), "sub/page.htm");
    EXPECT_EQ(lists.File(0)->GetSize(), 42);
    EXPECT_TRUE(lists.HasFile("SUB\\page.htm"));
    EXPECT_FALSE(lists.HasFile("other.htm"));
    ASSERT_EQ(lists.VersionCount(), 1);
    EXPECT_EQ(uint32_t(lists.Version(0)->GetVersion()), 0x06010000u);
    EXPECT_EQ(lists.Version(0)->GetGUID()->D1, 0x5C3A9E41u);
    EXPECT_EQ(lists.News(5), nullptr);

    const struct {
        const char *name;
        QByteArray body;
    } bad[] = {
        {"version of three parts", R"({"versions":[{"guid":"{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}","version":"6.1.0"}]})"},
        {"part over 255", R"({"versions":[{"guid":"{5C3A9E41-7B2D-4F6A-9C18-2E4D6B8A0F73}","version":"6.1.0.256"}]})"},
        {"bad guid", R"({"versions":[{"guid":"nope","version":"6.1.0.0"}]})"},
        {"path leaving the folder", R"({"files":[{"path":"../x.htm","time":1,"size":1}]})"},
        {"absolute path", R"({"files":[{"path":"/etc/x","time":1,"size":1}]})"},
        {"negative size", R"({"files":[{"path":"x.htm","time":1,"size":-1}]})"},
        {"message without number", R"({"news":[{"title":"t"}]})"},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.name);
        EXPECT_FALSE(lists.Read(b.body));
        EXPECT_EQ(lists.NewsCount(), 1);
        EXPECT_EQ(lists.FileCount(), 1);
        EXPECT_EQ(lists.VersionCount(), 1);
    }
    ASSERT_TRUE(lists.Read("{}"));
    EXPECT_EQ(lists.NewsCount(), 0);
}
