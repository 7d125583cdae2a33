// Unpacking packed HTML containers made by the tools' writer, good and hostile.
#include "chartview/KvPackedHTML.h"

#include "ChartInfoWriters.h"
#include "TestSupport.h"
#include "base/kvlib/KvErrors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

using namespace demo;

QByteArray Read(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Everything under root, relative to it, sorted.
QStringList Tree(const QString &root) {
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

struct TUnpackRig {
    QString Root = testsupport::MakeTempDir(QStringLiteral("unpack"));
    QString Container = Root + "/info.pkh";
    QString Target = Root + "/out";

    QString Unpack(const TPackedHtmlSpec &spec) {
        QString error;
        EXPECT_TRUE(WriteBytes(Container, PackedHtmlBytes(spec), error)) << error.toStdString();
        try {
            UnpackFiles(Container, Target);
        } catch (const Exception &e) {
            return e.Message();
        }
        return {};
    }
};

}  // namespace

TEST(PackedHtml, FilesComeOutWithTheirSizesAndReplaceEarlierOnes) {
    TUnpackRig rig;
    const TPackedHtmlSpec spec{"PckdHTML", 0x01000000, {},
                               {{"page.html", "<p>one</p>", {}}, {"empty.txt", "", {}},
                                {"images\\pic.png", "PNGDATA", {}}}};
    EXPECT_EQ(rig.Unpack(spec), "");
    EXPECT_EQ(Read(rig.Target + "/page.html"), "<p>one</p>");
    EXPECT_EQ(Read(rig.Target + "/empty.txt"), "");
    EXPECT_EQ(Read(rig.Target + "/images/pic.png"), "PNGDATA");
    TPackedHtmlSpec second = spec;
    second.Files[0].Data = "<p>two</p>";
    EXPECT_EQ(rig.Unpack(second), "");
    EXPECT_EQ(Read(rig.Target + "/page.html"), "<p>two</p>");
    EXPECT_EQ(Tree(rig.Target), QStringList({"empty.txt", "images", "images/pic.png", "page.html"}));

    TUnpackRig none;
    EXPECT_EQ(none.Unpack({"PckdHTML", 0x01000000, {}, {}}), "");
    EXPECT_TRUE(Tree(none.Target).isEmpty());
}

TEST(PackedHtml, BadContainersAreRefusedAndNothingAppearsOutsideTheFolder) {
    const QByteArray data = "data";
    auto one = [&](const QString &name) { return TPackedHtmlSpec{"PckdHTML", 0x01000000, {}, {{"ok.html", data, {}}, {name, data, {}}}}; };
    TPackedHtmlSpec negative = one("b.html");
    negative.Files[1].Size = -1;
    TPackedHtmlSpec tooLong = one("b.html");
    tooLong.Files[1].Size = 1 << 20;
    TPackedHtmlSpec badCount = one("b.html");
    badCount.Count = 1 << 24;
    TPackedHtmlSpec negCount = one("b.html");
    negCount.Count = -1;
    struct Case {
        const char *name;
        TPackedHtmlSpec spec;
        const char *message;  // after "UnpackFiles: <container> "
    };
    const Case cases[] = {
        {"magic in lower case", {"pckdhtml", 0x01000000, {}, {}}, "is not a valid Packed HTML file."},
        {"short magic", {"Pckd", 0x01000000, {}, {}}, "is not a valid Packed HTML file."},
        {"version", {"PckdHTML", 0x01000001, {}, {}}, "invalid version."},
        {"../x", one("../x"), "holds the invalid file name \"../x\"."},
        {"..\\x", one("..\\x"), "holds the invalid file name \"..\\x\"."},
        {"/etc/x", one("/etc/x"), "holds the invalid file name \"/etc/x\"."},
        {"C:\\x", one("C:\\x"), "holds the invalid file name \"C:\\x\"."},
        {"a/../../x", one("a/../../x"), "holds the invalid file name \"a/../../x\"."},
        {"empty name", one(""), "holds the invalid file name \"\"."},
        {"control character", one("a\x01.html"), "holds the invalid file name \"a\x01.html\"."},
        {"negative size", negative, "holds the invalid size of \"b.html\"."},
        {"size beyond the file", tooLong, "is truncated at \"b.html\"."},
        {"huge count", badCount, "has an invalid file count."},
        {"negative count", negCount, "has an invalid file count."}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TUnpackRig rig;
        EXPECT_EQ(rig.Unpack(c.spec), "UnpackFiles: " + rig.Container + " " + QString::fromUtf8(c.message));
        // Refused before anything was written.
        EXPECT_EQ(Tree(rig.Root), QStringList({"info.pkh"}));
    }
}

TEST(PackedHtml, CutContainersWriteNothing) {
    TUnpackRig rig;
    QString error;
    const QByteArray bytes = PackedHtmlBytes({"PckdHTML", 0x01000000, {}, {{"a.html", "0123456789", {}}}});
    // Cut in the data: found while the directory is checked.
    ASSERT_TRUE(WriteBytes(rig.Container, bytes.left(bytes.size() - 4), error));
    EXPECT_THROW(UnpackFiles(rig.Container, rig.Target), Exception);
    // Cut in the directory: the stream reader's error.
    ASSERT_TRUE(WriteBytes(rig.Container, bytes.left(40), error));
    EXPECT_THROW(UnpackFiles(rig.Container, rig.Target), EStreamError);
    EXPECT_FALSE(QFile::exists(rig.Target + "/a.html"));
}

TEST(PackedHtml, LinksInTheFolderAreReplacedNotFollowed) {
    TUnpackRig rig;
    const QString victim = rig.Root + "/victim.txt";
    QString error;
    ASSERT_TRUE(WriteBytes(victim, "keep", error));
    QDir().mkpath(rig.Target);
    ASSERT_TRUE(QFile::link(victim, rig.Target + "/page.html"));
    ASSERT_TRUE(QFile::link(rig.Root, rig.Target + "/images"));
    EXPECT_EQ(rig.Unpack({"PckdHTML", 0x01000000, {}, {{"page.html", "new", {}}}}), "");
    EXPECT_EQ(Read(victim), "keep");
    EXPECT_FALSE(QFileInfo(rig.Target + "/page.html").isSymLink());
    EXPECT_EQ(Read(rig.Target + "/page.html"), "new");
    // A linked folder on the way is refused.
    EXPECT_EQ(rig.Unpack({"PckdHTML", 0x01000000, {}, {{"images/x.png", "x", {}}}}),
              "UnpackFiles: " + rig.Container + " cannot write \"images/x.png\".");
    EXPECT_FALSE(QFile::exists(rig.Root + "/x.png"));
}
