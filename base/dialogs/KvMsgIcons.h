// The message box's icons: warning, error, information and question, drawn in the program's
// colours and converted for night mode while it is on.
#pragma once

#include <QPixmap>

// type 0 warning, 1 error, 2 information, 3 confirmation; others give a null pixmap.
// variant selects the message-box look (a rounder, lighter drawing); size is the edge in
// pixels (the message box asks for the variant at 32).
QPixmap MsgIconLoad(int type, bool variant, int size);
