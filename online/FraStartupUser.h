// The start-up wizard's login page: the account login page of the install wizards under the
// wizard's own name (the same boxes, checks, filler and change code). GUI thread.
#pragma once

#include "online/FraPageUserLogin.h"

class TFrameStartupUser : public TFramePageUserLogin {
    Q_OBJECT
public:
    explicit TFrameStartupUser(QWidget *owner = nullptr) : TFramePageUserLogin(owner) {
        setObjectName(QStringLiteral("FrameStartupUser"));
    }
};
