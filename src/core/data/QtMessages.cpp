#include "QtMessages.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace {

QtMessageHandler& previous()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // A fatal message ends the program and a critical one tells of real trouble: both stay.
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previous()) {
        previous()(type, context, message);
        return;
    }
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

}

bool QtMessagesWanted()
{
    const QByteArray value = qgetenv("RAVELHA_DEPURAR").trimmed();
    return !value.isEmpty() && value != "0";
}

void KeepQtMessagesForDevelopers()
{
    if (QtMessagesWanted())
        return;
    previous() = qInstallMessageHandler(filter);
}
