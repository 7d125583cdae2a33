// The format profile manager and editor: every change checked against the profile file as
// a reloaded manager reads it, a file that cannot be written, renaming in place, and the
// editor's name check, separators and sample rows.
#include "TextImportFixture.h"

#include "exchange/FraImportShared.h"
#include "exchange/FrmFormatProfileEditor.h"
#include "exchange/FrmFormatProfileManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace textimporttest;

namespace {

class FormatProfileDialogs : public TextImportFixture {
protected:
    void TearDown() override {
        TFormFormatProfileEditor::SetPrompter({});
        TFormFormatProfileManager::SetPrompter({});
        TextImportFixture::TearDown();
    }
    // Runs the manager dialog; inside it, act does what the user does.
    void WithManager(const std::function<void(TFormFormatProfileManager &)> &act,
                     ITxtFormatProfileManager *m = nullptr) {
        TFormFormatProfileManager::SetPrompter([&](TFormFormatProfileManager &form) {
            act(form);
            return int(QDialog::Accepted);
        });
        TFormFormatProfileManager::Execute(m ? m : Waypoints.get(), TxtFormatProfileKind::Waypoint, nullptr);
    }
    // The editor: set the name, then OK (true) or Cancel.
    void EditorAnswers(const QString &name, bool ok) {
        TFormFormatProfileEditor::SetPrompter([name, ok](TFormFormatProfileEditor &form) {
            form.EditProfileName->setText(name);
            (ok ? form.ButtonOk : form.ButtonCancel)->click();
            return form.result();
        });
    }
    QStringList Names(ITxtFormatProfileManager *m) {
        QStringList names;
        for (int32_t i = 0; i < m->GetCount(); ++i)
            if (!m->GetProfile(i)->IsDefault()) names << TxtFormatProfileGetName(m->GetProfile(i));
        names.sort();
        return names;
    }
    QStringList Rows(TFormFormatProfileManager &form) {
        QStringList rows;
        for (int i = 0; i < form.List->topLevelItemCount(); ++i) rows << form.List->topLevelItem(i)->text(0);
        return rows;
    }
};

}  // namespace

TEST_F(FormatProfileDialogs, AddEditDeleteReachTheFile) {
    AddProfile(Waypoints.get(), QStringLiteral("beta"), u';');
    // Add, cancelled: nothing changes, in memory or in the file.
    EditorAnswers(QStringLiteral("Gone"), false);
    WithManager([&](TFormFormatProfileManager &form) {
        EXPECT_EQ(Rows(form), QStringList{"beta"}) << "the built-in profile is not listed";
        EXPECT_FALSE(form.ButtonEdit->isEnabled());
        form.ButtonAdd->click();
        EXPECT_EQ(Rows(form), QStringList{"beta"});
    });
    EXPECT_EQ(Names(Waypoints.get()), QStringList{"beta"});
    EXPECT_EQ(Names(Reload(Waypoints.get()).get()), QStringList{"beta"});

    // Add with OK, then edit on a copy: Cancel keeps, OK takes over.
    EditorAnswers(QStringLiteral("Alpha"), true);
    WithManager([&](TFormFormatProfileManager &form) {
        form.ButtonAdd->click();
        EXPECT_EQ(Rows(form), (QStringList{"Alpha", "beta"}));
        form.SelectRow(0);
        EXPECT_TRUE(form.ButtonEdit->isEnabled());
        EditorAnswers(QStringLiteral("Changed"), false);
        form.ButtonEdit->click();
        EXPECT_EQ(TxtFormatProfileGetName(form.RowProfile(0)), QStringLiteral("Alpha"));
        EditorAnswers(QStringLiteral("Gamma"), true);
        form.SelectRow(0);
        form.ButtonEdit->click();
        EXPECT_EQ(Rows(form), (QStringList{"beta", "Gamma"}));
    });
    EXPECT_EQ(Names(Reload(Waypoints.get()).get()), (QStringList{"Gamma", "beta"}));

    // Delete, confirmed.
    Answers = {mrYes};
    WithManager([&](TFormFormatProfileManager &form) {
        form.SelectRow(0);
        form.ButtonDelete->click();
        EXPECT_EQ(Rows(form), QStringList{"Gamma"});
    });
    EXPECT_EQ(Names(Reload(Waypoints.get()).get()), QStringList{"Gamma"});
    EXPECT_TRUE(Messages.last().startsWith("Are you sure you want to delete"));
}

TEST_F(FormatProfileDialogs, RenamingInPlace) {
    AddProfile(Waypoints.get(), QStringLiteral("b"), u';');
    AddProfile(Waypoints.get(), QStringLiteral("c"), u';');
    WithManager([&](TFormFormatProfileManager &form) {
        form.RenameRow(0, QString());
        EXPECT_EQ(Rows(form), (QStringList{"b", "c"})) << "an empty name changes nothing";
        form.RenameRow(1, QStringLiteral("b"));
        EXPECT_EQ(Rows(form), (QStringList{"b", "c"})) << "a name another profile has is refused";
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith("A format profile named \"b\" already exists."));
        form.RenameRow(1, QStringLiteral("   "));
        EXPECT_EQ(Rows(form), (QStringList{"   ", "b"})) << "blanks are a name, and the list sorts again";
    });
    EXPECT_EQ(Names(Reload(Waypoints.get()).get()), (QStringList{"   ", "b"}));
}

TEST_F(FormatProfileDialogs, AFileThatCannotBeWrittenKeepsTheChangeInMemory) {
    AddProfile(Waypoints.get(), QStringLiteral("Mine"), u';');
    // The file name is a folder: no one can write it, not even the superuser.
    QDir(Dir.path()).mkdir(QStringLiteral("blocked"));
    const QString blocked = Dir.filePath(QStringLiteral("blocked"));
    TxtFormatProfileManagerSetFileName(Waypoints.get(), blocked);
    WithManager([&](TFormFormatProfileManager &form) { form.RenameRow(0, QStringLiteral("Renamed")); });
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Cannot save the profile manager file \"%1\".\r\n\r\n").arg(blocked)));
    EXPECT_GT(Messages[0].size(), QStringLiteral("Cannot save the profile manager file \"%1\".\r\n\r\n").arg(blocked).size())
        << "with the library's text";
    EXPECT_EQ(Names(Waypoints.get()), QStringList{"Renamed"});
}

TEST_F(FormatProfileDialogs, EditorNameSeparatorsAndSamples) {
    ITxtFormatProfile *p = AddProfile(Waypoints.get(), QStringLiteral("Bars"), u'|', u',');
    TNavPtr<ITxtFormatProfile> copy(Waypoints->CopyProfile(p));
    TFormFormatProfileEditor form(copy.get(), TxtFormatProfileKind::Waypoint, nullptr,
                                  [](const QString &n) { return n == QStringLiteral("Taken"); });
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Edit waypoint profile"));
    EXPECT_TRUE(form.Separators->SepOther->isChecked());
    EXPECT_EQ(form.Separators->EditSeparator->text(), QStringLiteral("|"));
    EXPECT_TRUE(form.Separators->DecComma->isChecked());
    // The built-in columns of a waypoint profile: name, latitude, longitude, sub name.
    EXPECT_EQ(form.Model->SampleText(0, 3), QStringLiteral("Name 03"));
    EXPECT_EQ(form.Model->SampleText(1, 1), QStringLiteral("52,9693"));
    form.Separators->DecPoint->click();
    EXPECT_EQ(form.Model->SampleText(1, 1), QStringLiteral("52.9693"));
    EXPECT_EQ(TxtFormatProfileGetDecimalSeparator(copy.get()), QChar(u'.'));
    form.Separators->DecComma->click();

    form.show();
    for (const char *name : {"", "   ", "Taken"}) {
        form.EditProfileName->setText(QString::fromUtf8(name));
        Messages.clear();
        form.ButtonOk->click();
        EXPECT_TRUE(form.isVisible()) << "stays open for '" << name << "'";
        ASSERT_EQ(Messages.size(), 1);
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.EditProfileName->hasFocus() || !form.isActiveWindow());
    }
    form.EditProfileName->setText(QStringLiteral(" Bars "));
    form.ButtonOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(TxtFormatProfileGetName(copy.get()), QStringLiteral(" Bars ")) << "stored as typed";
    EXPECT_EQ(TxtFormatProfileGetFieldSeparator(copy.get()), QChar(u'|'));
    EXPECT_EQ(TxtFormatProfileGetDecimalSeparator(copy.get()), QChar(u','));
}
