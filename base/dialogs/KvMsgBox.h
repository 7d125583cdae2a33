// The program's message box: every warning, error, information and question of the program
// goes through MsgBox, with captions in the current language. GUI thread only.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class QLabel;
class QPushButton;

enum TMsgDlgType : int32_t {
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3,
    mtCustom = 4,
};

// Button kinds; a set has bit n for kind n.
enum TMsgDlgBtn : int32_t {
    mbYes = 0, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
};
inline constexpr int MsgDlgBtnCount = 11;
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> kinds) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn k : kinds) set = TMsgDlgButtons(set | (1u << k));
    return set;
}

// Modal results.
inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                     mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// The dialog one MsgBox call builds. An empty set shows OK.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    TMessageForm(const QString &caption, const QString &message, TMsgDlgType type,
                 TMsgDlgButtons buttons, int helpContext, bool shieldOnYes);

    // In the order they appear, left to right.
    const std::vector<TMsgDlgBtn> &ButtonKinds() const { return FKinds; }
    QPushButton *Button(TMsgDlgBtn kind) const;
    // -1 when the set has no Retry, OK or Yes.
    int DefaultKind() const { return FDefault; }
    // The result Escape gives; mrNone when Escape does nothing (no Cancel, No or OK).
    int EscapeResult() const;
    int HelpContext() const { return FHelpContext; }
    QLabel *MessageLabel() const { return FMessage; }
    QLabel *IconLabel() const { return FIcon; }

    // Escape and the window's close button take the escape result, or do nothing.
    void reject() override;

private:
    std::vector<TMsgDlgBtn> FKinds;
    std::array<QPushButton *, MsgDlgBtnCount> FButtons{};
    int FDefault = -1;
    int FEscape = -1;
    int FHelpContext = 0;
    QLabel *FMessage = nullptr;
    QLabel *FIcon = nullptr;
};

int MsgBox(const QString &message, TMsgDlgType type, TMsgDlgButtons buttons,
           int helpContext = 0, bool shieldOnYes = false);
// An empty caption gives the type's title; a custom dialog without caption has none.
int MsgBoxCaption(const QString &caption, const QString &message, TMsgDlgType type,
                  TMsgDlgButtons buttons, int helpContext = 0, bool shieldOnYes = false);

// Who answers a message box: by default the user (exec). Tests install one that inspects
// the form and returns a modal result. Returns the previous prompter.
using TMsgBoxPrompter = std::function<int(TMessageForm &form)>;
TMsgBoxPrompter SetMsgBoxPrompter(TMsgBoxPrompter prompter);
// Shows a help context (the help manager installs it); the Help button calls it and the
// dialog stays open. Returns the previous hook.
using TMsgBoxHelpHook = std::function<void(int helpContext)>;
TMsgBoxHelpHook SetMsgBoxHelpHook(TMsgBoxHelpHook hook);

// Caption of a button kind in the current language (with its accelerator).
QString MsgDlgButtonCaption(TMsgDlgBtn kind);
// The type's title in the current language; empty for custom.
QString MsgDlgTypeTitle(TMsgDlgType type);

// Button widths are measured once per language and kind for the whole run.
int MsgBoxCachedButtonWidth(int language, TMsgDlgBtn kind);
int MsgBoxWidthMeasureCount();
void MsgBoxResetWidthCache();
