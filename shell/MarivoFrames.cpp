#include "shell/MarivoFrames.h"

TMainFrameFactories ProgramFrameFactories() {
    // No hosted frame is part of the program yet: every panel stays empty.
    return {};
}
