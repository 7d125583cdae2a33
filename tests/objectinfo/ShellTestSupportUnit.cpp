// The shell tests' helpers (fresh demo data, the program folder, screenshots), compiled
// into this test program too: the details panel runs on the real navigation environment.
#include "tests/shell/ShellTestSupport.cpp"
