// The start of the program: "ExecState", the crash check, the help file, the palette.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/kvlib/KvErrors.h"
#include "base/registry/KvRegistry.h"
#include "shell/FrmMsgCloseError.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoUtils.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <map>
#include <string>
#include <tuple>

namespace {

const ValueName ExecStateName = RegName(u"ExecState");

void StoreExecState(int value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QString(), ExecStateName, value, err);
    ASSERT_EQ(err, 0);
}

void RemoveExecState() {
    int32_t err = 0;
    RegDeleteValue(GetAppReg(), AppRegRoot::Product, QString(), ExecStateName, err);
}

// -1 when nothing is stored.
int StoredExecState() {
    return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QString(), ExecStateName, -1);
}

}  // namespace

TEST(ExecState, StoredValuesAndStatesMapBothWays) {
    testsupport::TPrivateSettingsStore store;
    struct Read {
        const char *name;
        int stored;  // -99: nothing stored
        TExecState state;
    };
    const Read reads[] = {{"closed", 0, TExecState::None},
                          {"running", 1, TExecState::Running},
                          {"terminated by the library", 2, TExecState::TerminatedByLibrary},
                          {"unknown 3", 3, TExecState::None},
                          {"unknown -1", -1, TExecState::None},
                          {"nothing stored", -99, TExecState::None}};
    for (const Read &r : reads) {
        SCOPED_TRACE(r.name);
        if (r.stored == -99)
            RemoveExecState();
        else
            StoreExecState(r.stored);
        EXPECT_EQ(ReadExecState(), r.state);
    }
    const std::pair<TExecState, int> writes[] = {{TExecState::None, 0},
                                                 {TExecState::Running, 1},
                                                 {TExecState::Closed, 0},
                                                 {TExecState::TerminatedByLibrary, 2}};
    for (const auto &[state, stored] : writes) {
        WriteExecState(state);
        EXPECT_EQ(StoredExecState(), stored);
    }
}

TEST(ExecState, AFailedWriteRaisesWithTheErrorTextAlone) {
    // The configuration "folder" is a file: nothing can be stored.
    const QString blocker = testsupport::MakeTempDir(QStringLiteral("blocked")) + QStringLiteral("/file");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
    const TGUID product;
    const std::u16string subPath = u"Marivo\\Ostrel", identity = u"Test";
    InitApplication(239, 0, &product, TStrWRec{int32_t(subPath.size()), subPath.c_str()}, 21, 3,
                    2024, 2024, 3, 21, nullptr, nullptr, nullptr, nullptr,
                    TStrWRec{int32_t(identity.size()), identity.c_str()}, 9);
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QString(), ExecStateName, 1, err);
    ASSERT_NE(err, 0);
    try {
        WriteExecState(TExecState::Running);
        ADD_FAILURE() << "the write did not raise";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), ErrorToStrA(err));
    }
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(CheckPreviousRun, TheCloseErrorDialogDecidesAfterAnUncleanEnd) {
    testsupport::TPrivateSettingsStore store;
    struct Case {
        const char *name;
        int stored;       // -99: nothing stored
        int dialog;       // -1: the dialog must not appear; 0 OK, 1 Cancel, 2 Find
        bool start;
        int storedAfter;
        bool updateCheck;
    };
    const Case cases[] = {
        {"clean end: no question", 0, -1, true, 1, false},
        {"first start: no question", -99, -1, true, 1, false},
        {"unknown value reads as clean", 3, -1, true, 1, false},
        {"crash, OK: start", 1, 0, true, 1, false},
        {"crash, Cancel: the old state stays", 1, 1, false, 1, false},
        {"terminated, Cancel: the old state stays", 2, 1, false, 2, false},
        {"crash, look for an update", 1, 2, false, 1, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.stored == -99)
            RemoveExecState();
        else
            StoreExecState(c.stored);
        int shown = 0;
        QString message;
        auto previous = TFormMsgCloseError::SetPrompter([&](TFormMsgCloseError &form) {
            ++shown;
            message = form.LabelMsg->text();
            if (c.dialog == 2) {
                form.ButtonUpdate->click();
                return form.result();
            }
            return c.dialog == 0 ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        std::vector<std::tuple<QString, bool, bool>> checks;
        const bool start = CheckPreviousRun([&](QString &file, bool option, bool noStart) {
            checks.emplace_back(file, option, noStart);
            return false;
        });
        TFormMsgCloseError::SetPrompter(std::move(previous));
        EXPECT_EQ(shown, c.dialog < 0 ? 0 : 1);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(StoredExecState(), c.storedAfter);
        if (c.updateCheck) {
            ASSERT_EQ(checks.size(), 1u);
            EXPECT_EQ(checks[0], std::make_tuple(QString(), false, false));
        } else {
            EXPECT_TRUE(checks.empty());
        }
        if (c.stored == 2) {
            EXPECT_TRUE(message.startsWith(QStringLiteral(
                "The previous session of Marivo Ostrel has been closed because of an error.")));
        }
        if (c.stored == 1 && shown) {
            EXPECT_TRUE(message.startsWith(QStringLiteral(
                "The previous session of Marivo Ostrel has not been closed properly.")));
        }
    }
}

TEST(SelectHelpFile, TheDutchHelpOfTheDataFolderFirstThenTheInstalledHelp) {
    const QString root = testsupport::MakeTempDir(QStringLiteral("help"));
    auto page = [&](const QString &relative) {
        const QString file = root + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return file;
    };
    const QString dataDutch = page(QStringLiteral("data/Help/nl/index.html"));
    const QString installedDutch = page(QStringLiteral("installed/nl/index.html"));
    const QString installedEnglish = page(QStringLiteral("installed/en/index.html"));
    const QString onlyDutch = QFileInfo(page(QStringLiteral("dutch/nl/index.html"))).absolutePath();
    const QString installed = root + QStringLiteral("/installed");
    const QString data = root + QStringLiteral("/data");
    const QString noData = root + QStringLiteral("/nodata");
    struct Case {
        const char *name;
        int32_t language;
        QString data, installed, expected;
    };
    const Case cases[] = {
        {"Dutch with the data folder's help", KvLang::Dutch, data, installed, dataDutch},
        {"Dutch without it: the installed Dutch help", KvLang::Dutch, noData, installed,
         installedDutch},
        {"French without French help: English", KvLang::French, data, installed, installedEnglish},
        {"German where only Dutch is installed: none", KvLang::German, noData,
         QFileInfo(onlyDutch).absolutePath(), QString()},
        {"nothing installed", KvLang::English, noData, root + QStringLiteral("/none"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SelectHelpFile(c.language, c.data, c.installed), c.expected);
    }
}

namespace {

// Counts what is registered by address, kind by kind.
class TCountingNightScreen final : public INightScreen {
public:
    void ConvertRows32(void *, const TImageInfo &) override {}
    void ConvertRows24(void *, const TImageInfo &) override {}
    bool IsActive() override { return false; }
    void AddColorARGB(uint32_t *c) override { ++ARGB[c]; }
    void AddColor(TColor *c) override { ++Palette[c]; }
    void AddModeCallback(NightModeProc, void *) override {}
    void SetIntensity(float) override {}
    void RemoveColorARGB(uint32_t *c) override { --ARGB[c]; }
    void RemoveColor(TColor *c) override { --Palette[c]; }
    void RemoveModeCallback(NightModeProc, void *) override {}
    TColor ConvertColor(TColor c) override { return c; }
    uint32_t ConvertRGB(uint32_t c) override { return c; }
    void ConvertBmp32(IBmp32 *) override {}
    TColor GetColor(TColor c) override { return c; }
    void SetActive(bool) override {}
    std::map<TColor *, int> Palette;
    std::map<uint32_t *, int> ARGB;
};

}  // namespace

TEST(Palette, EveryColourIsRegisteredOnceAndRemovedAgain) {
    TCountingNightScreen night;
    RegisterPaletteColors(&night);
    RegisterUtilsColors(&night);
    EXPECT_EQ(night.Palette.size(), 27u);
    EXPECT_EQ(night.ARGB.size(), 2u);
    for (const auto &[address, count] : night.Palette) EXPECT_EQ(count, 1);
    EXPECT_EQ(night.ARGB.count(&IconBackColor1) + night.ARGB.count(&IconBackColor2), 2u);
    EXPECT_EQ(night.Palette.count(&InactiveTextColor), 1u);
    EXPECT_EQ(InactiveTextColor, 0xCFAFAF);
    EXPECT_EQ(night.Palette.count(&NavPanelHeaderColor), 1u);
    UnregisterUtilsColors(&night);
    UnregisterPaletteColors(&night);
    for (const auto &[address, count] : night.Palette) EXPECT_EQ(count, 0);
    for (const auto &[address, count] : night.ARGB) EXPECT_EQ(count, 0);
}
