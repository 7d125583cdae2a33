// The import pages and wizard on the demo environment with a tracks folder of their own: the
// message boxes answered from a script and recorded, the open-file dialogs answered with
// chosen files, and track files written for the test.
#pragma once

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include <KvLibNav6/KvLib.h>
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraImportSource.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <deque>

namespace importtest {

struct TShownMessage {
    QString Text;
    TMsgDlgType Type;
};

// The box's type by the title it shows.
inline TMsgDlgType TypeOf(const QString &title) {
    for (TMsgDlgType t : {mtWarning, mtError, mtInformation, mtConfirmation})
        if (title == MsgDlgTypeTitle(t)) return t;
    return mtCustom;
}

class ImportFixture : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        if (HasFatalFailure()) return;
        NightScreen()->SetActive(false);
        ASSERT_TRUE(Dir.isValid());
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("Tracks")));
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("Source")));
        Env->TracksFolder = Dir.filePath(QStringLiteral("Tracks")) + u'/';
        Source = Dir.filePath(QStringLiteral("Source")) + u'/';
        FOldMsg = SetMsgBoxPrompter([this](TMessageForm &form) {
            Shown.push_back({form.MessageLabel()->text(), TypeOf(form.windowTitle())});
            if (Answers.empty()) return form.Button(mbOK) ? mrOk : mrYes;
            const int answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
        FOldChooser = SetImportFileChooser([this](QWidget *, const TImportFileRequest &request) {
            Requests.push_back(request);
            return Chosen;
        });
    }
    void TearDown() override {
        SetMsgBoxPrompter(std::move(FOldMsg));
        SetImportFileChooser(std::move(FOldChooser));
        NavEnvRoutes::TearDown();
    }

    // A track file of points one minute apart.
    QString WriteTrack(const QString &file, const QString &name, int points = 4, double start = 45000.0) {
        INavTrack *t = NavTrackCreateNew(file, false);
        int32_t err = 0;
        for (int i = 0; i < points; ++i)
            t->AddPoint(start + i / 1440.0, TGeoPoint3{0.92 + i * 0.0002, 0.08, 0.0}, err);
        t->SetHasTimes(true);
        NavTrackSetName(t, name);
        NavTrackSaveToFile(t, file, err);
        EXPECT_EQ(err, 0);
        ObjectDelete(t);
        return file;
    }
    static void WriteBytes(const QString &file, const QByteArray &bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList Texts() const {
        QStringList texts;
        for (const auto &m : Shown) texts << m.Text;
        return texts;
    }

    QTemporaryDir Dir;
    QString Source;
    std::vector<TShownMessage> Shown;
    std::deque<int> Answers;
    QStringList Chosen;
    std::vector<TImportFileRequest> Requests;

private:
    TMsgBoxPrompter FOldMsg;
    TImportFileChooser FOldChooser;
};

}  // namespace importtest
