// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Cli.h"

#include <QByteArray>

namespace mitoran {

class TSingleHalt;
class TZangyoMain;

// The window's side: a command line's request is performed by the main window when it is free (no dialog
// open) and the request is for its data folder, user and month; the answer line, or an empty one to decline.
QByteArray AnswerHandedCommand(const QByteArray& request, TZangyoMain& window);

// Lets the main window answer the requests that reach the one-instance name.
void AnswerHandedCommands(TSingleHalt& halt, TZangyoMain& window);

} // namespace mitoran
