// The program's identity handed to the core library at start, the four callbacks the
// library may call back, and the application's end: a termination request of the library
// or of the program itself ends the message loop (or keeps it from starting).
// GUI thread only.
#pragma once

#include <QString>
#include <cstdint>

// InitApplication with the product number, the product GUID, the registry sub-path
// "Marivo\Ostrel", the version date twice (day, month, year and year, month, day), the
// four callbacks and the identity name. False: the program must not start (the first-run
// language choice was cancelled, or the library refused).
bool InitApplicationA(const QString &identity, uint16_t day, uint16_t month, uint16_t year);

// The callbacks InitApplicationA hands to the library (the two-answer query is
// AnswerBothTrueCallback). The language choice shows the language dialog with the
// library's languages; the termination request sets TerminatedByLibrary and ends the loop.
void LanguageChoiceCallback(int32_t *language, bool *cancelled);
void IdleResetCallback();
void TerminationRequestCallback();

// Set by the library's termination request; the start-up records it after the loop.
bool TerminatedByLibrary();
void SetTerminatedByLibrary(bool terminated);

// Ends the message loop when it runs, or keeps it from starting (ApplicationTerminated()
// of the file routines is True from here on).
void ApplicationTerminate();
// Runs the application's message loop unless termination was requested before; returns
// the loop's exit code (0 without a loop).
int RunMessageLoop();
