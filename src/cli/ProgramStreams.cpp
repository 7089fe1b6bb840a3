#include "ProgramStreams.h"

#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>

namespace {
UINT consoleCodePage = 0;
void restoreConsoleCodePage()
{
    if (consoleCodePage != 0)
        SetConsoleOutputCP(consoleCodePage);
}
}

void PrepareStandardStreams()
{
    // Text mode would turn every "\n" into "\r\n": the listings and tables must be the same bytes
    // on every system, and a console shows a bare "\n" as a new line anyway.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A console reads the bytes in its own code page; give it UTF-8 while the program runs and
    // give the keeper's console its own back at the end.
    const UINT current = GetConsoleOutputCP();
    if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        consoleCodePage = current;
        std::atexit(restoreConsoleCodePage);
    }
}

QStringList ProgramArguments(int, char*[])
{
    // argv holds the words in the system's ANSI code page, which loses what it cannot spell.
    QStringList arguments;
    int count = 0;
    if (LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(words[i]);
        LocalFree(words);
    }
    return arguments;
}

#else

void PrepareStandardStreams() {}

QStringList ProgramArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

#endif
