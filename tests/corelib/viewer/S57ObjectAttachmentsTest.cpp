// The attached-file attributes of a picked S-57 feature name files of the cell's folder
// only; anything else names no file (and the pick report shows it as text).
#include "viewer/S57Attachments.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

TEST(S57ObjectAttachments, OnlyBareNamesOfFilesInTheCellFolderAreAttachments) {
    const QString cellDir = testsupport::MakeTempDir(QStringLiteral("cell"));
    const QString other = testsupport::MakeTempDir(QStringLiteral("other"));
    for (const QString &f : {cellDir + QStringLiteral("/NOTE.TXT"), cellDir + QStringLiteral("/Photo.jpg"),
                             other + QStringLiteral("/SECRET.TXT")}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        const char *name;
        QString folder;
        const char *acronym;
        QString value;
        QString file;  // empty: none
    } cases[] = {
        {"text in the folder", cellDir, "TXTDSC", QStringLiteral("NOTE.TXT"), cellDir + QStringLiteral("/NOTE.TXT")},
        {"blanks around the name", cellDir, "NTXTDS", QStringLiteral(" NOTE.TXT "), cellDir + QStringLiteral("/NOTE.TXT")},
        {"name in another case", cellDir, "PICREP", QStringLiteral("PHOTO.JPG"), cellDir + QStringLiteral("/Photo.jpg")},
        {"missing file", cellDir, "NTXTDS", QStringLiteral("GONE.XML"), QString()},
        {"path out of the folder", cellDir, "TXTDSC",
         QStringLiteral("../") + QDir(other).dirName() + QStringLiteral("/SECRET.TXT"), QString()},
        {"absolute path", cellDir, "TXTDSC", other + QStringLiteral("/SECRET.TXT"), QString()},
        {"the folder itself", cellDir, "TXTDSC", QStringLiteral(".."), QString()},
        {"other attribute", cellDir, "OBJNAM", QStringLiteral("NOTE.TXT"), QString()},
        {"no folder", QString(), "TXTDSC", QStringLiteral("NOTE.TXT"), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kv::render::S57AttachedFile(c.folder, QString::fromLatin1(c.acronym), c.value), c.file);
    }
}

}  // namespace
