// The text import pages on a private settings store, a folder of text files and a real
// profile manager whose file lies in that folder; message boxes answered and recorded.
#pragma once

#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvLib.h"
#include "base/strings/KvStrUtils.h"
#include "base/registry/KvRegistry.h"
#include "base/txtformat/KvTxtFormat.h"
#include "base/waypoints/KvWaypoints.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace textimporttest {

// A waypoint manager of its own for the databases a test makes.
inline TNavPtr<IWptManager> NewWptManager() {
    int32_t err = -1;
    TNavPtr<IWptManager> m(CreateWptManager(nullptr, nullptr, QStringLiteral("DejaVu Sans"), {}, {}, {}, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, err));
    EXPECT_EQ(err, 0);
    return m;
}

class TextImportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        ASSERT_TRUE(Dir.isValid());
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            if (Answers.empty()) return DefaultAnswer;
            const int a = Answers.front();
            Answers.pop_front();
            return a;
        });
        Waypoints = NewManager(QStringLiteral("Marivo.ProfilesWPT"), TxtFormatProfileKind::Waypoint);
        Routes = NewManager(QStringLiteral("Marivo.ProfilesRTE"), TxtFormatProfileKind::Route);
    }
    void TearDown() override { SetMsgBoxPrompter(std::move(FOldPrompter)); }

    // A manager with its built-in profile at the default columns, its file in the folder.
    TNavPtr<ITxtFormatProfileManager> NewManager(const QString &name, int32_t kind) {
        TNavPtr<ITxtFormatProfileManager> m(CreateTxtFormatProfileManagerEmpty());
        TxtFormatProfileManagerSetFileName(m.get(), Dir.filePath(name));
        int32_t index = -1;
        EXPECT_TRUE(m->GetDefaultIndex(index));
        if (kind == TxtFormatProfileKind::Waypoint)
            TxtFormatProfileInitWaypoint(m->GetProfile(index), true);
        else
            TxtFormatProfileInitRoute(m->GetProfile(index), true);
        return m;
    }
    // The manager as its file holds it now.
    TNavPtr<ITxtFormatProfileManager> Reload(ITxtFormatProfileManager *m) {
        int32_t err = 0;
        TNavPtr<ITxtFormatProfileManager> r(
            CreateTxtFormatProfileManager(TxtFormatProfileManagerGetFileName(m), err));
        EXPECT_EQ(err, 0);
        return r;
    }
    ITxtFormatProfile *BuiltIn(ITxtFormatProfileManager *m) {
        int32_t index = -1;
        return m->GetDefaultIndex(index) ? m->GetProfile(index) : nullptr;
    }
    // A user profile with the default columns of its kind and these separators.
    ITxtFormatProfile *AddProfile(ITxtFormatProfileManager *m, const QString &name, QChar sep,
                                  QChar dec = u'.') {
        ITxtFormatProfile *p = TxtFormatProfileManagerAdd(m, name);
        if (m == Routes.get())
            TxtFormatProfileInitRoute(p, true);
        else
            TxtFormatProfileInitWaypoint(p, true);
        TxtFormatProfileSetFieldSeparator(p, sep);
        TxtFormatProfileSetDecimalSeparator(p, dec);
        int32_t err = 0;
        m->SaveToFile(err);
        EXPECT_EQ(err, 0);
        return p;
    }
    QString WriteFile(const QString &name, const QByteArray &bytes) {
        QFile f(Dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString Setting(const char16_t *name) {
        QString text;
        RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"),
                         RegName(QString::fromUtf16(name)), QStringLiteral("<none>"), text);
        return text;
    }
    void SetSetting(const char16_t *name, const QString &value) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"),
                       RegName(QString::fromUtf16(name)), value, err);
        ASSERT_EQ(err, 0);
    }

    testsupport::TPrivateSettingsStore FStore;
    QTemporaryDir Dir;
    TNavPtr<ITxtFormatProfileManager> Waypoints, Routes;
    QStringList Messages;
    std::deque<int> Answers;  // answered in order; then DefaultAnswer
    int DefaultAnswer = mrOk;

private:
    TMsgBoxPrompter FOldPrompter;
};

}  // namespace textimporttest
