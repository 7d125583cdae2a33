// The language choice of the first start: one row per available language with its flag
// and its own name; OK is enabled only while a row is selected, and both buttons speak the
// selected language. GUI thread.
#pragma once

#include "base/forms/KvForms.h"

#include <QPixmap>
#include <cstdint>
#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

class TFormLanguage : public TFormScaled {
    Q_OBJECT
public:
    // available: the library's language set (InLanguages); the row of systemLanguage is
    // selected first, then the row of language, each only when present.
    TFormLanguage(uint32_t available, int32_t language, int32_t systemLanguage,
                  QWidget *parent = nullptr);

    // 0 while no row is selected.
    int32_t SelectedLanguage() const { return FSelected; }
    int32_t HoveredLanguage() const { return FHovered; }

    QListWidget *ListView;
    QPushButton *ButtonOK;
    QPushButton *ButtonCancel;

    // Runs the dialog instead of exec (tests); returns the dialog result.
    using TPrompter = std::function<int(TFormLanguage &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    static TPrompter &Prompter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Select(int32_t language);
    void SelectionChanged();
    void ItemDoubleClicked(QListWidgetItem *item);
    void SetHovered(int32_t language);

    int32_t FSelected = 0;
    int32_t FHovered = 0;
};

// Shows the dialog with the languages of the set; on OK the chosen number is written to
// language and the result is True.
bool ChooseLanguage(uint32_t available, int32_t &language);
// The number (1..8) of the system's user interface language; 0 for any other language.
int32_t SystemLanguageNumber();
// The language's flag, drawn at the given size.
QPixmap LanguageFlag(int32_t language, const QSize &size);
