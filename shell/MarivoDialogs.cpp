#include "shell/MarivoDialogs.h"

TMainDialogs ProgramDialogs() {
    // Each dialog fills its slot here once it exists; the commands that need an empty slot
    // stay disabled.
    TMainDialogs d;
    return d;
}
