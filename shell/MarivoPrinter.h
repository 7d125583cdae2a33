// The program's one printer object: the printer and copy count chosen in the print dialog
// stay in it for the rest of the run, and every print (the chart view, the keyboard page)
// goes to it. Created on first use, freed when the application ends. GUI thread.
#pragma once

class QPrinter;

QPrinter &ProgramPrinter();
