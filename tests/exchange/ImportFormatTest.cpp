// The text import format page: profile choice and its setting, separators and columns
// re-checking at once, loading files of every shape, Next, the collected items, and the
// grid's colours by day and by night.
#include "TextImportFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "exchange/FraImportFormat.h"
#include "tests/shell/ShellTestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTest>
#include <QTreeView>

using namespace textimporttest;

namespace {

namespace K = TxtFormatKindKey;

class ImportFormat : public TextImportFixture {
protected:
    void SetUp() override {
        TextImportFixture::SetUp();
        Page = std::make_unique<TFrameImportFormat>();
        Page->resize(900, 500);
    }
    void TearDown() override {
        Page.reset();
        TFrameImportFormat::SetProfileManagerRunner(FOldRunner);
        TextImportFixture::TearDown();
    }
    bool Load(const QStringList &files) {
        QString failed, text;
        int32_t err = 0;
        return Page->LoadFiles(files, failed, err, text);
    }
    // Importable flags of the data lines of every file in order.
    std::vector<bool> Importable() const {
        std::vector<bool> flags;
        for (const TImportFormatFile &f : Page->Files())
            for (const TTxtImportLine &l : f.Rows) flags.push_back(l.Importable);
        return flags;
    }
    int Columns() const { return Page->Model()->columnCount(); }
    // Picks an entry of a kind (row 0) or type (row 1) drop-down as the user does.
    void Choose(int row, int column, const QString &entry) {
        // The editor of an earlier choice goes first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(Page->Grid()->viewport()->findChild<QComboBox *>(), nullptr);
        Page->EditColumnCell(row, column);
        QComboBox *combo = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            combo = Page->Grid()->viewport()->findChild<QComboBox *>();
            return combo && combo->count() > 0;
        }));
        const int i = combo->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
        QCoreApplication::processEvents();
    }
    QString KindName(const char16_t *key) {
        QString name;
        TxtFormatKindToStr(QString::fromUtf16(key), name);
        return name;
    }

    std::unique_ptr<TFrameImportFormat> Page;
    TFrameImportFormat::TManagerRunner FOldRunner = TFrameImportFormat::SetProfileManagerRunner({});
};

const QByteArray Sample = "Harbour;52.5;5.25;Quay\r\nBridge;52,25;5,5;\r\n\r\nLock;x;5.1;West\r\n";

}  // namespace

TEST_F(ImportFormat, PrepareSelectsTheStoredProfileAndMirrorsItsSeparators) {
    ITxtFormatProfile *semi = AddProfile(Waypoints.get(), QStringLiteral("Semicolons"), u';');
    AddProfile(Waypoints.get(), QStringLiteral("Nothing"), QChar(0), u',');
    AddProfile(Waypoints.get(), QStringLiteral("Bars"), u'|');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Semicolons"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    EXPECT_EQ(Page->CurrentProfile(), semi);
    EXPECT_EQ(Page->ProfileCombo()->currentText(), QStringLiteral("Semicolons"));
    EXPECT_TRUE(Page->SeparatorButton(u';')->isChecked());
    EXPECT_FALSE(Page->SeparatorEdit()->isEnabled());
    EXPECT_TRUE(Page->DecimalButton(u'.')->isChecked());
    // The built-in profile under its display name, the others sorted by name.
    QStringList entries;
    for (int i = 0; i < Page->ProfileCombo()->count(); ++i) entries << Page->ProfileCombo()->itemText(i);
    EXPECT_EQ(entries, (QStringList{"Bars", "Default waypoint profile", "Nothing", "Semicolons"}));

    struct Case {
        const char *name;
        QChar button;
        QString edit;
        QChar dec;
    } cases[] = {{"Nothing", QChar(0), QString(), u','}, {"Bars", u'|', QStringLiteral("|"), u'.'}};
    for (const Case &c : cases) {
        const int entry = Page->ProfileCombo()->findText(QString::fromUtf8(c.name));
        Page->ProfileCombo()->setCurrentIndex(entry);
        emit Page->ProfileCombo()->activated(entry);
        EXPECT_TRUE(Page->SeparatorButton(c.button)->isChecked()) << c.name;
        EXPECT_TRUE(Page->SeparatorEdit()->isEnabled());
        EXPECT_EQ(Page->SeparatorEdit()->text(), c.edit);
        EXPECT_TRUE(Page->DecimalButton(c.dec)->isChecked());
        EXPECT_EQ(Setting(u"ProfileWaypoint"), QString::fromUtf8(c.name));
    }

    // A name no profile has: the built-in profile, and the setting follows.
    SetSetting(u"ProfileRoute", QStringLiteral("Gone"));
    Page->Prepare(Routes.get(), TxtFormatProfileKind::Route, nullptr);
    EXPECT_EQ(Page->CurrentProfile(), BuiltIn(Routes.get()));
    EXPECT_TRUE(Page->SeparatorButton(TxtFormatProfileGetFieldSeparator(BuiltIn(Routes.get())))->isChecked());
    EXPECT_EQ(Setting(u"ProfileRoute"), TxtFormatProfileGetName(BuiltIn(Routes.get())));
    EXPECT_EQ(Page->windowTitle(), QStringLiteral("Route profile"));
}

TEST_F(ImportFormat, SeparatorDecimalAndColumnChangesRecheckAtOnce) {
    AddProfile(Waypoints.get(), QStringLiteral("Tabs"), u'\t');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Tabs"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    ASSERT_TRUE(Load({WriteFile("a.txt", Sample)}));
    // Tab: one cell per line, nothing importable; the empty line has no row.
    EXPECT_EQ(Columns(), 1);
    EXPECT_EQ(Importable(), (std::vector<bool>{false, false, false}));

    Page->SeparatorButton(u';')->click();
    EXPECT_EQ(Columns(), 4);
    EXPECT_EQ(Importable(), (std::vector<bool>{true, false, false}));
    Page->DecimalButton(u',')->click();
    EXPECT_EQ(Importable(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(TxtFormatProfileGetDecimalSeparator(Page->CurrentProfile()), QChar(u','));
    Page->DecimalButton(u'.')->click();

    // Other with an empty edit: no separator, one cell; typing one splits again.
    Page->SeparatorButton(QChar(0))->click();
    EXPECT_EQ(Columns(), 1);
    EXPECT_TRUE(TxtFormatProfileGetFieldSeparator(Page->CurrentProfile()).isNull());
    QTest::keyClicks(Page->SeparatorEdit(), QStringLiteral(";"));
    EXPECT_EQ(Columns(), 4);
    EXPECT_EQ(Importable(), (std::vector<bool>{true, false, false}));

    // Column 1 made a longitude: two longitudes, no latitude. The value type stays.
    ITxtFormatField *field = Page->CurrentProfile()->GetField(1);
    const QString type = TxtFormatFieldGetTypeKey(field, field->GetTypeIndex());
    Choose(0, 1, KindName(K::Longitude));
    EXPECT_EQ(TxtFormatFieldGetKindKey(field, field->GetKindIndex()), QString::fromUtf16(K::Longitude));
    EXPECT_EQ(TxtFormatFieldGetTypeKey(field, field->GetTypeIndex()), type);
    EXPECT_EQ(Importable(), (std::vector<bool>{false, false, false}));
    Choose(0, 1, KindName(K::Latitude));
    EXPECT_EQ(Importable(), (std::vector<bool>{true, false, false}));
    // Column 0 made the group: the name goes, the group comes from the data.
    Choose(0, 0, KindName(K::Group));
    EXPECT_EQ(Page->Files()[0].Rows[0].Item.GroupName, QStringLiteral("Harbour"));
    EXPECT_TRUE(Page->Files()[0].Rows[0].Item.Name.isEmpty());

    // 40 separators in a line: 32 columns.
    QByteArray wide(40, ';');
    ASSERT_TRUE(Load({WriteFile("wide.txt", "1" + wide + "2\n")}));
    EXPECT_EQ(Columns(), 32);
    for (int c = 0; c < Columns(); ++c) {
        EXPECT_GE(Page->ColumnWidth(c), 100);
        EXPECT_LE(Page->ColumnWidth(c), 400);
    }
}

TEST_F(ImportFormat, ValidateAsksAndSavesAChangedUserProfile) {
    ITxtFormatProfile *user = AddProfile(Waypoints.get(), QStringLiteral("Mine"), u'\t');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Mine"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    ASSERT_TRUE(Load({WriteFile("a.txt", Sample)}));
    // Nothing importable: the kind's error.
    EXPECT_FALSE(Page->Validate());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("According to the current waypoint profile no valid waypoints"));

    // Some lines not importable: the question; No stays.
    Page->SeparatorButton(u';')->click();
    Messages.clear();
    Answers = {mrNo};
    EXPECT_FALSE(Page->Validate());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("According to the current waypoint profile not all items"));

    // Yes, then Yes to saving: the file holds the semicolon.
    Messages.clear();
    Answers = {mrYes, mrYes};
    EXPECT_TRUE(Page->Validate());
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_TRUE(Messages[1].startsWith("Waypoint profile 'Mine' has been modified."));
    {
        auto reloaded = Reload(Waypoints.get());
        int32_t i = -1;
        ASSERT_TRUE(TxtFormatProfileManagerFind(reloaded.get(), QStringLiteral("Mine"), i));
        EXPECT_EQ(TxtFormatProfileGetFieldSeparator(reloaded->GetProfile(i)), QChar(u';'));
    }

    // Leaving a changed profile and answering No: back to its saved state.
    Page->SeparatorButton(u',')->click();
    Messages.clear();
    Answers = {mrNo};
    const int entry = Page->ProfileCombo()->findText(QStringLiteral("Default waypoint profile"));
    Page->ProfileCombo()->setCurrentIndex(entry);
    emit Page->ProfileCombo()->activated(entry);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(TxtFormatProfileGetFieldSeparator(user), QChar(u';'));
}

TEST_F(ImportFormat, ABuiltInProfileChangeLastsOnlyWhileThePageShowsIt) {
    AddProfile(Waypoints.get(), QStringLiteral("Mine"), u';');
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    ITxtFormatProfile *builtIn = BuiltIn(Waypoints.get());
    ASSERT_EQ(Page->CurrentProfile(), builtIn);
    const QChar original = TxtFormatProfileGetFieldSeparator(builtIn);
    const QChar changed = original == u',' ? QChar(u';') : QChar(u',');
    Page->SeparatorButton(changed)->click();
    EXPECT_EQ(TxtFormatProfileGetFieldSeparator(builtIn), changed);
    const int entry = Page->ProfileCombo()->findText(QStringLiteral("Mine"));
    Page->ProfileCombo()->setCurrentIndex(entry);
    emit Page->ProfileCombo()->activated(entry);
    EXPECT_TRUE(Messages.isEmpty()) << "the built-in profile is never offered for saving";
    EXPECT_EQ(TxtFormatProfileGetFieldSeparator(builtIn), original);
}

TEST_F(ImportFormat, AfterTheManagerDialogThePageReadsTheProfileAnew) {
    ITxtFormatProfile *user = AddProfile(Waypoints.get(), QStringLiteral("Mine"), u';');
    ITxtFormatProfile *other = AddProfile(Waypoints.get(), QStringLiteral("Other"), u';');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Mine"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    ASSERT_TRUE(Load({WriteFile("a.txt", Sample)}));
    TFrameImportFormat::SetProfileManagerRunner([&](ITxtFormatProfileManager *m, int32_t kind, TMarivoNavEnv *) {
        EXPECT_EQ(m, Waypoints.get());
        EXPECT_EQ(kind, TxtFormatProfileKind::Waypoint);
        TxtFormatProfileSetFieldSeparator(user, u',');
        TxtFormatProfileSetDecimalSeparator(user, u',');
        int32_t err = 0;
        m->SaveToFile(err);
    });
    Page->ManageButton()->click();
    EXPECT_EQ(Page->CurrentProfile(), user);
    EXPECT_TRUE(Page->SeparatorButton(u',')->isChecked());
    EXPECT_TRUE(Page->DecimalButton(u',')->isChecked());
    // The saved copy is the dialog's state: leaving asks nothing.
    const int entry = Page->ProfileCombo()->findText(QStringLiteral("Other"));
    Page->ProfileCombo()->setCurrentIndex(entry);
    emit Page->ProfileCombo()->activated(entry);
    EXPECT_TRUE(Messages.isEmpty());

    // The current profile deleted in the dialog: the built-in profile.
    TFrameImportFormat::SetProfileManagerRunner([&](ITxtFormatProfileManager *m, int32_t, TMarivoNavEnv *) {
        m->Delete(other);
    });
    Page->ManageButton()->click();
    EXPECT_EQ(Page->CurrentProfile(), BuiltIn(Waypoints.get()));
    EXPECT_EQ(Page->ProfileCombo()->count(), 2);
}

TEST_F(ImportFormat, CollectItemsNumbersImportableLinesPerFile) {
    ITxtFormatProfile *route = AddProfile(Routes.get(), QStringLiteral("R"), u';');
    Q_UNUSED(route);
    SetSetting(u"ProfileRoute", QStringLiteral("R"));
    Page->Prepare(Routes.get(), TxtFormatProfileKind::Route, nullptr);
    const QString first = WriteFile("North sea.route.txt", "A;52;5;50\nbad;x;5;50\nB;52.1;5.1;60\n");
    const QString second = WriteFile("Delta.csv", "C;51;4;0\nD;51.5;4.5;25\n");
    ASSERT_TRUE(Load({first, second}));
    std::vector<TPointData> items(3);  // emptied first
    Page->CollectItems(items);
    ASSERT_EQ(items.size(), 3u);
    struct Expect {
        QString file, name, route;
        int index;
        double radius;
    } expected[] = {{first, "A", "North sea.route", 0, 50},
                    {first, "B", "North sea.route", 1, 60},
                    {second, "D", "Delta", 0, 25}};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].FileName, expected[i].file);
        EXPECT_EQ(items[i].Name, expected[i].name);
        EXPECT_EQ(items[i].RouteName, expected[i].route);
        EXPECT_EQ(items[i].Index, expected[i].index);
        EXPECT_EQ(items[i].RadiusM, expected[i].radius);
        EXPECT_TRUE(items[i].Import);
        EXPECT_EQ(CompareGUID(items[i].GroupGUID, TGUID{}), 0);
        EXPECT_FALSE(items[i].DefaultType);
    }
}

TEST_F(ImportFormat, LoadingFilesOfEveryShape) {
    AddProfile(Waypoints.get(), QStringLiteral("Mine"), u';');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Mine"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    const QString good = WriteFile("good.txt", "A;52;5;x\n\n");
    QString failed, text;
    int32_t err = 0;
    // A missing second file: named, the first stays loaded, the grid as it was.
    EXPECT_FALSE(Page->LoadFiles({good, Dir.filePath("missing.txt")}, failed, err, text));
    EXPECT_EQ(failed, Dir.filePath("missing.txt"));
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_FALSE(text.isEmpty());
    ASSERT_EQ(Page->Files().size(), 1u);
    EXPECT_EQ(Page->Model()->columnCount(), 0) << "not rebuilt";

    // A file with a NUL byte (binary data) is refused with its line.
    Page->ClearFiles();
    EXPECT_FALSE(Page->LoadFiles({WriteFile("bin.dat", QByteArray("ab\ncd\x01\x02\x00\xff", 9))}, failed, err, text));
    EXPECT_EQ(err, KvErr::BadFormat);
    EXPECT_EQ(text, QStringLiteral("The file holds a NUL character in line 2: it is no text file."));

    struct Case {
        const char *file;
        QByteArray bytes;
        int rows;
        std::vector<bool> importable;
    };
    auto utf16 = [](const QString &text) {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        return QByteArray(encoder.encode(text));
    };
    const Case cases[] = {
        {"empty.txt", "\n\r\n\r", 0, {}},
        {"mixed.txt", "A;52;5;x\rB;52;5;y\r\nC;52;5;z\n", 3, {true, true, true}},
        {"utf16.txt", utf16(QStringLiteral("Zoë;52.5;5.25;ä\r\n")), 1, {true}},
        {"cp1252.txt", "Zo\xeb;52;5;\n", 1, {true}},
        {"long.txt", QByteArray(30 * 1024 * 1024, 'x') + "\n", 1, {false}},
    };
    for (const Case &c : cases) {
        Page->ClearFiles();
        ASSERT_TRUE(Load({WriteFile(c.file, c.bytes)})) << c.file;
        EXPECT_EQ(Page->Files()[0].Rows.size(), size_t(c.rows)) << c.file;
        EXPECT_EQ(Importable(), c.importable) << c.file;
        EXPECT_EQ(Page->Grid()->model()->rowCount(), Page->Files()[0].Rows.empty() && Columns() == 0 ? 0 : 3);
    }
    Page->ClearFiles();
    ASSERT_TRUE(Load({WriteFile("utf16.txt", utf16(QStringLiteral("Zoë;52.5;5.25;ä\r\n")))}));
    EXPECT_EQ(Page->Files()[0].Rows[0].Item.Name, QStringLiteral("Zoë"));
    Page->ClearFiles();
    ASSERT_TRUE(Load({WriteFile("cp1252.txt", "Zo\xeb;52;5;\n")}));
    EXPECT_EQ(Page->Files()[0].Rows[0].Item.Name, QStringLiteral("Zoë"));
}

TEST_F(ImportFormat, GridColoursByDayAndByNight) {
    AddProfile(Waypoints.get(), QStringLiteral("Mine"), u';');
    SetSetting(u"ProfileWaypoint", QStringLiteral("Mine"));
    Page->Prepare(Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    ASSERT_TRUE(Load({WriteFile("harbours.txt", Sample), WriteFile("more.txt", "Pier;53;6;North\n")}));
    Page->show();
    QCoreApplication::processEvents();
    TImportFormatModel *m = Page->Model();
    auto colour = [&](int file, int row, int column) {
        return m->data(m->LineIndex(file, row, column), Qt::BackgroundRole).value<QColor>();
    };
    EXPECT_EQ(colour(0, 0, 0), QColor(0xE0, 0xFF, 0xE0)) << "importable";
    EXPECT_EQ(colour(0, 1, 0), QColor(0xFF, 0xF0, 0xF0)) << "valid";
    EXPECT_EQ(colour(0, 1, 1), QColor(0xFF, 0xDA, 0xDA)) << "invalid";
    shelltest::SaveScreenshot(Page.get(), QStringLiteral("importformat-day"));
    NightScreenStart();
    NightScreen()->SetActive(true);
    QCoreApplication::processEvents();
    EXPECT_NE(colour(0, 0, 0), QColor(0xE0, 0xFF, 0xE0));
    EXPECT_NE(colour(0, 1, 1), QColor(0xFF, 0xDA, 0xDA));
    shelltest::SaveScreenshot(Page.get(), QStringLiteral("importformat-night"));
    NightScreen()->SetActive(false);
    NightScreenStop();
    EXPECT_EQ(colour(0, 0, 0), QColor(0xE0, 0xFF, 0xE0));
}
