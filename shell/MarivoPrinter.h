// The program's printer: the printer, copy count and page set-up the print dialog chooses
// stay in it for the rest of the run, and the print jobs print on it. GUI thread.
#pragma once

#include <cstdint>

class QPrinter;
class TNavViewerControl;
struct TPrintSettings;

// Made on first use; freed with the application object.
QPrinter &ProgramPrinter();

// Prints the viewer's view on the program's printer over the whole page, with the print
// dialog's parts and orientation. The viewer's result: 0 printed, 2 cancelled through its
// print-progress query, 90 the printer failed (also without a viewer).
int32_t PrintViewOnProgramPrinter(TNavViewerControl *viewer, const TPrintSettings &settings);
