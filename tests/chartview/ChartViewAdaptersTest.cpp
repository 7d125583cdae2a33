// The free routines around the core library's engine and environment texts.
#include "ViewerFrameFixture.h"

#include "chartview/ChartViewAdapters.h"

#include <gtest/gtest.h>

TEST(ChartViewAdapters, EngineIsMadeWithAnEmptyErrorText) {
    QString error = QStringLiteral("left from before");
    TNavPtr<IS3D> engine(CreateS3DEngine(int32_t(0x80000001u), QString(), 1, 1, 5, false, error));
    EXPECT_NE(engine, nullptr);
    EXPECT_TRUE(error.isEmpty());
}

using ChartViewAdaptersOnEnv = ViewerFrameFixture;

TEST_F(ChartViewAdaptersOnEnv, WorkFolderIsCopiedAndOutlivesTheEnvironment) {
    QString folder;
    NavEnvGetWorkFolder(Env->CoreEnv, folder);
    const TStrWRec *rec = Env->CoreEnv->GetWorkFolder();
    ASSERT_NE(rec, nullptr);
    const QString expected = QString::fromUtf16(rec->Text, rec->Length);
    ASSERT_FALSE(expected.isEmpty());
    Env.reset();
    EXPECT_EQ(folder, expected);
}
