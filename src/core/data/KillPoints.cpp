#include "KillPoints.h"

#include <QByteArray>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace KillPoints {

namespace {
std::function<void(const QString&)>& testAction()
{
    static std::function<void(const QString&)> action;
    return action;
}
}

void setActionForTests(std::function<void(const QString& step)> action)
{
    testAction() = std::move(action);
}

void reach(const char* step)
{
    if (testAction())
        testAction()(QString::fromLatin1(step));
    static const QByteArray chosen = qgetenv("RAVELHA_MATAR_EM");
    if (chosen.isEmpty() || chosen != step)
        return;
#ifdef Q_OS_WIN
    TerminateProcess(GetCurrentProcess(), 9);
#else
    ::kill(::getpid(), SIGKILL);
#endif
    std::abort();   // never reached
}

}
