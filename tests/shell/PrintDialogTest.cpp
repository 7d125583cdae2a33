// The print dialog on the program's printer, with a PDF printer as the one installed:
// no printer, the printer list, copies by arrows and by typing, orientation, what to
// print, the page setup and the help.
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/controls/KvEdits.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/help/KvHTMLHelp.h"
#include "shell/FrmHelp.h"
#include "shell/FrmPrint.h"
#include "shell/MarivoPrinter.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString PdfPrinter = QStringLiteral("PDF file");

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return mrOk;
        });
        Output = testsupport::MakeTempDir(QStringLiteral("print")) + QStringLiteral("/chart.pdf");
        TPrinterSource source;
        source.Names = [this] { return Printers; };
        source.Current = [this] { return Current; };
        source.Select = [this](const QString &name) {
            if (!Printers.contains(name)) return false;
            Current = name;
            ProgramPrinter().setOutputFormat(QPrinter::PdfFormat);
            ProgramPrinter().setOutputFileName(Output);
            return true;
        };
        FOldSource = TFormPrint::SetPrinterSource(source);
        ProgramPrinter().setCopyCount(1);
    }
    void TearDown() override {
        TFormPrint::SetPrinterSource(std::move(FOldSource));
        SetMsgBoxPrompter(std::move(FOldPrompter));
        ProgramPrinter().setOutputFileName(QString());
        ProgramPrinter().setCopyCount(1);
    }
    // Runs the dialog through Execute with act driving it; returns Execute's result.
    bool Run(const std::function<int(TFormPrint &)> &act) {
        auto old = TFormPrint::SetPrompter([&](TFormPrint &form) {
            form.show();
            form.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
            return act(form);
        });
        const bool ok = TFormPrint::Execute(Orientation, Set);
        TFormPrint::SetPrompter(std::move(old));
        return ok;
    }
    static int ClickOk(TFormPrint &form) {
        form.ButtonOk->click();
        return form.result();
    }

    QStringList Printers{PdfPrinter};
    QString Current = PdfPrinter;
    QString Output;
    QStringList Messages;
    uint8_t Orientation = 9, Set = 9;

private:
    TMsgBoxPrompter FOldPrompter;
    TPrinterSource FOldSource;
};

}  // namespace

TEST_F(PrintDialog, WithoutPrintersItWarnsAndLeavesTheValues) {
    Printers.clear();
    int shown = 0;
    EXPECT_FALSE(Run([&](TFormPrint &) { return ++shown; }));
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(Messages, QStringList({"Charts cannot be printed, because no printer is installed."}));
    EXPECT_EQ(Orientation, 9);
    EXPECT_EQ(Set, 9);
}

TEST_F(PrintDialog, OrientationAndPrintSetComeBackFromTheControls) {
    struct Case {
        const char *name;
        std::vector<QRadioButton *TFormPrint::*> clicks;
        std::vector<QCheckBox *TFormPrint::*> checks;
        uint8_t orientation, set;
    };
    const Case cases[] = {
        {"nothing touched", {}, {}, 0, 0},
        {"landscape then automatic", {&TFormPrint::RadioButtonLandscape, &TFormPrint::RadioButtonAutomatic}, {}, 0, 0},
        {"portrait", {&TFormPrint::RadioButtonPortrait}, {&TFormPrint::CheckBoxRoutes}, 1, 0x2},
        {"landscape, tracks and waypoints",
         {&TFormPrint::RadioButtonLandscape},
         {&TFormPrint::CheckBoxTracks, &TFormPrint::CheckBoxWaypoints},
         2,
         0x5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Run([&](TFormPrint &form) {
            EXPECT_EQ(form.ComboBoxPrinters->currentText(), PdfPrinter);
            EXPECT_TRUE(form.RadioButtonAutomatic->isChecked());
            for (auto r : c.clicks) (form.*r)->click();
            for (auto b : c.checks) (form.*b)->click();
            return ClickOk(form);
        }));
        EXPECT_EQ(Orientation, c.orientation);
        EXPECT_EQ(Set, c.set);
    }
    // Cancel still hands the values back, for a caller that ignores them.
    EXPECT_FALSE(Run([](TFormPrint &form) {
        form.CheckBoxWaypoints->click();
        form.ButtonCancel->click();
        return form.result();
    }));
    EXPECT_EQ(Set, 0x4);
}

TEST_F(PrintDialog, CopiesReachThePrinterFromTheArrowsAndFromTyping) {
    EXPECT_TRUE(Run([&](TFormPrint &form) {
        form.ButtonCopiesDown->click();
        EXPECT_EQ(form.EditPrinterCopies->GetIntValue(), 1) << "never below 1";
        form.ButtonCopiesUp->click();
        EXPECT_EQ(ProgramPrinter().copyCount(), 2);
        // Typed and left: taken at once.
        form.EditPrinterCopies->setFocus();
        form.EditPrinterCopies->selectAll();
        QTest::keyClicks(form.EditPrinterCopies, QStringLiteral("7"));
        form.ButtonOk->setFocus();
        EXPECT_EQ(ProgramPrinter().copyCount(), 7);
        form.ButtonCopiesUp->click();
        EXPECT_EQ(ProgramPrinter().copyCount(), 8);
        // Typed and OK at once.
        form.EditPrinterCopies->setFocus();
        form.EditPrinterCopies->selectAll();
        QTest::keyClicks(form.EditPrinterCopies, QStringLiteral("5"));
        return ClickOk(form);
    }));
    EXPECT_EQ(ProgramPrinter().copyCount(), 5);
    EXPECT_TRUE(Run([&](TFormPrint &form) {
        form.EditPrinterCopies->setFocus();
        form.EditPrinterCopies->selectAll();
        QTest::keyClicks(form.EditPrinterCopies, QStringLiteral("2000"));
        return ClickOk(form);
    }));
    EXPECT_EQ(ProgramPrinter().copyCount(), 1000);
}

TEST_F(PrintDialog, ChoosingAPrinterAndItsProperties) {
    Printers = {QStringLiteral("Other"), PdfPrinter};
    Current.clear();
    int pageSetups = 0;
    auto old = TFormPrint::SetPageSetupPrompter([&](QPageSetupDialog &dialog) {
        ++pageSetups;
        EXPECT_EQ(dialog.printer(), &ProgramPrinter());
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(Run([&](TFormPrint &form) {
        EXPECT_EQ(form.ComboBoxPrinters->count(), 2);
        EXPECT_EQ(form.ComboBoxPrinters->currentIndex(), -1) << "no current printer, no selection";
        form.ButtonPreferences->click();
        EXPECT_EQ(Messages, QStringList({"Cannot show properties. No printer selected."}));
        EXPECT_EQ(pageSetups, 0);
        form.ComboBoxPrinters->setCurrentIndex(1);
        emit form.ComboBoxPrinters->activated(1);
        EXPECT_EQ(Current, PdfPrinter);
        form.ButtonPreferences->click();
        EXPECT_EQ(pageSetups, 1);
        return int(QDialog::Rejected);
    }));
    TFormPrint::SetPageSetupPrompter(std::move(old));
}

TEST_F(PrintDialog, HelpAndF1ShowThePrintTopic) {
    FreeHelpManager();
    QStringList pages;
    GetHTMLHelper().SetHelpRoot(QStringLiteral(MARIVO_SOURCE_DIR_STR "/data/help"));
    GetHTMLHelper().SetShowPage([&](const QString &page) { pages << page; });
    Run([&](TFormPrint &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Print"));
        EXPECT_EQ(form.ButtonPreferences->text(), QStringLiteral("&Properties..."));
        EXPECT_EQ(form.CheckBoxTracks->text(), QStringLiteral("Visible tracks:"));
        EXPECT_EQ(form.ButtonHelp->text(), QStringLiteral("&Help (F1)"));
        form.CheckBoxRoutes->setChecked(true);
        form.RadioButtonLandscape->setChecked(true);
        shelltest::SaveScreenshot(&form, QStringLiteral("print-dialog"));
        form.ButtonHelp->click();
        form.activateWindow();
        QTest::keyClick(&form, Qt::Key_F1);
        return int(QDialog::Rejected);
    });
    FreeHTMLHelper();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].endsWith(QStringLiteral("/en/4.html"))) << pages[0].toStdString();
}
