#include "TestSupport.h"

#include "base/controls/KvControls.h"
#include "base/forms/FrmS57LoadInfoProgress.h"
#include "base/forms/KvForms.h"
#include "base/forms/KvFrameScaled.h"
#include "base/logbook/KvProgressStage.h"

#include <KvLibNav6/KvLanguage.h>

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

TEST(FormScaled, ConstraintsScaleByDpiAndZeroStaysZero) {
    struct Case { int dpi; int minW, minH, maxW, maxH; int eMinW, eMinH, eMaxW, eMaxH; };
    const Case cases[] = {
        {96, 400, 0, 800, 600, 400, 0, 800, 600},
        {120, 400, 0, 800, 600, 500, 0, 1000, 750},
        {144, 400, 301, 0, 0, 600, 452, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dpi);
        TFormScaled form;
        form.setMinimumSize(c.minW, c.minH);
        if (c.maxW) form.setMaximumSize(c.maxW, c.maxH);
        form.ScaleConstraints(c.dpi);
        EXPECT_EQ(form.minimumWidth(), c.eMinW);
        EXPECT_EQ(form.minimumHeight(), c.eMinH);
        if (c.maxW) {
            EXPECT_EQ(form.maximumWidth(), c.eMaxW);
            EXPECT_EQ(form.maximumHeight(), c.eMaxH);
        } else {
            EXPECT_EQ(form.maximumWidth(), QWIDGETSIZE_MAX) << "no maximum stays none";
        }
    }
    EXPECT_EQ(TFormScaled::ScaleValue(0, 144), 0);
    EXPECT_EQ(TFormScaled::ScaleValue(1, 144), 2);  // 1.5 rounds up
}

TEST(FrameScaled, ScalesSizeChildrenAndOwnFonts) {
    struct Case { int m; int width, childX, childW; };
    const Case cases[] = {{96, 200, 10, 80}, {120, 250, 13, 100}, {144, 300, 15, 120}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.m);
        TFrameScaled frame;
        frame.resize(200, 100);
        auto *child = new QPushButton(&frame);
        child->setGeometry(10, 10, 80, 20);
        auto *label = new QLabel(&frame);
        QFont f = label->font();
        f.setPixelSize(12);
        label->setFont(f);
        const QFont inherited = child->font();
        frame.ScaleBy(c.m, 96);
        EXPECT_EQ(frame.width(), c.width);
        EXPECT_EQ(child->x(), c.childX);
        EXPECT_EQ(child->width(), c.childW);
        EXPECT_EQ(label->font().pixelSize(), (12 * c.m + 48) / 96);
        EXPECT_EQ(child->font(), inherited) << "a parent font is not scaled twice";
    }
}

TEST(S57LoadInfoProgress, PercentRoundsUp) {
    struct Case { float fraction; int percent; };
    const Case cases[] = {{0.123f, 13}, {0.5f, 50}, {1.0f, 100}, {0.0f, 0}, {0.07f, 7}, {0.001f, 1}};
    for (const Case &c : cases) EXPECT_EQ(TFormS57LoadInfoProgress::ProgressPercent(c.fraction), c.percent) << c.fraction;
}

TEST(S57LoadInfoProgress, FrenchShowsItsCaptionButTheEnglishLabel) {
    const int language = GetCurrentLanguage();
    SetCurrentLanguage(KvLang::French);
    std::unique_ptr<TFormS57LoadInfoProgress> form(TFormS57LoadInfoProgress::CreateForm(nullptr));
    SetCurrentLanguage(language);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Gestionnaire de cartes"));
    EXPECT_EQ(form->LabelProgressText()->text(), QStringLiteral("One moment please.. Loading S57 chart info.."));
    EXPECT_EQ(form->parent(), nullptr);
    EXPECT_EQ(form->ProgressBarEx()->maximum(), 100);
}

namespace {
struct Recorded {
    TProgressEx *progress = nullptr;
    void *data = nullptr;
    ProgressProc cb = nullptr;
};
}  // namespace

TEST(ProgressStage, ArgumentsReachTheRecordInTheLibraryOrder) {
    TProgressEx p{};
    int marker = 0;
    ProgressProc cb = [](void *, TProgressEx *) {};
    ProgressStageInit(&p, 6, 3, cb, &marker, 0.25f);
    EXPECT_EQ(p.Stage, 6);
    EXPECT_EQ(p.StageValue2, 3);
    EXPECT_EQ(p.StageWeight, 0.25f);
    EXPECT_EQ(p.Data, &marker);
    EXPECT_EQ(p.Callback, cb);
    p.Fraction = 0.25f;
    ProgressStageInit(&p, 1, 0, cb, &marker, 0.75f);
    EXPECT_EQ(p.StageStart, 0.25f) << "a stage starts where the previous one ended";
    p.Fraction = 1.0f;
    ProgressStageInit(&p, 1, 0, cb, &marker, 1.0f);
    EXPECT_EQ(p.Fraction, 0.0f) << "a finished job starts over";
}
