// The program's one printer object: the printer, copy count and page set-up chosen in the
// print dialog stay in it for the rest of the run, and every print (the chart view, the
// keyboard page) goes to it. Created on first use, freed when the application ends. GUI thread.
#pragma once

#include <cstdint>

class QPrinter;
class TNavViewerControl;
struct TPrintSettings;

QPrinter &ProgramPrinter();

// Prints the viewer's view on the program's printer over the whole page, with the print
// dialog's parts and orientation. The viewer's result: 0 printed, 2 cancelled through its
// print-progress query, 90 the printer failed (also without a viewer).
int32_t PrintViewOnProgramPrinter(TNavViewerControl *viewer, const TPrintSettings &settings);
