#pragma once
// The command line's words and its two output streams, the same on every system: on Windows the
// words are taken as Unicode (a folder named in Portuguese keeps its accents), the streams write
// the very bytes of the Linux build (UTF-8, lines ending in "\n", no CR added), and a console
// shows that UTF-8 while the program runs.

#include <QStringList>

// Sets the standard streams up; call before anything is written.
void PrepareStandardStreams();

// The program's words, the program's own name first.
QStringList ProgramArguments(int argc, char* argv[]);
