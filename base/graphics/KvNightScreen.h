// The program side of night mode: image lists and pictures registered by forms and frames
// are converted when night mode goes on, given back unchanged when it goes off and rebuilt
// from the unconverted copies when the night colours change; the application's palette
// turns dark with dim red text at the same moments.
//
// Every routine runs on the GUI thread. The night-screen object comes from the core library
// (GetNightScreen) and is never deleted; routines given nullptr keep their registrations
// and convert nothing.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QImage>
#include <QPalette>

class QLabel;
class TImageList;

// The object the service uses; starts the service on first use.
INightScreen *NightScreen();
// Registers the service's mode callback (once); NightScreenStop removes it at the end of
// the run and gives the application its day palette back.
void NightScreenStart();
void NightScreenStop();

// The list stays the caller's; it must be removed before it is destroyed (a destroyed
// list is skipped and dropped).
void NightScreenAddImageList(INightScreen *ns, TImageList *list);
void NightScreenRemoveImageList(INightScreen *ns, TImageList *list);
// A picture is a label showing a pixmap. The label is watched, not its pixmap: a form may
// replace the pixmap while registered, and the new one is taken as the day picture.
void NightScreenAddImage(INightScreen *ns, QLabel *image);
void NightScreenRemoveImage(INightScreen *ns, QLabel *image);

// 24- and 32-bit images are recoloured in place (alpha kept); 8-bit, palette, mono and
// grey images stay as they are.
void NightScreenConvertBitmap(INightScreen *ns, QImage &bitmap);
// The same rule for decoded PNG pictures: RGB and RGBA convert, palette and grey do not.
void NightScreenConvertPNG(INightScreen *ns, QImage &png);
// target := source, then converted.
void NightScreenConvertGraphic(INightScreen *ns, QImage &target, const QImage &source);
// dest := source (size and images), every image converted.
void NightScreenCopyImageList(INightScreen *ns, TImageList &dest, const TImageList &source);

// The application palette for night mode, derived from the night colours of ns.
QPalette NightScreenPalette(INightScreen *ns, const QPalette &day);

// For tests: whether the registries exist (each is freed when its last entry goes).
bool NightScreenHasImageListRegistry();
bool NightScreenHasPictureRegistry();
