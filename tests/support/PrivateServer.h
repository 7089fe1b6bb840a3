#pragma once
// The private PostgreSQL server of the test run (tests/server/PrivateServer.sh, started by CTest
// for every test registered with ravelha_add_server_test). Its state file, named by
// RAVELHA_SERVIDOR_ESTADO, holds the folder of its Unix socket; the server trusts local
// connections as the user postgres, so no password is involved.
//
//     QString why;
//     const QString url = PrivateServerUrl(&why);
//     if (url.isEmpty())
//         QFAIL(qPrintable(why));

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

// "postgresql://postgres@/ravelha_teste?host=<socket folder>", or empty with the reason in `why`.
inline QString PrivateServerUrl(QString* why = nullptr)
{
    QString stateFile = qEnvironmentVariable("RAVELHA_SERVIDOR_ESTADO");
    if (stateFile.isEmpty())
        stateFile = QDir::current().filePath(QStringLiteral("servidor-teste.estado"));
    QFile file(stateFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (why)
            *why = QStringLiteral("no private PostgreSQL server is recorded in %1 (run the test through "
                                  "ctest, or start one with tests/server/PrivateServer.sh start)")
                       .arg(stateFile);
        return {};
    }
    const QString folder = QString::fromUtf8(file.readLine()).trimmed();
    if (folder.isEmpty() || !QDir(folder).exists()) {
        if (why)
            *why = QStringLiteral("the private server recorded in %1 is gone (folder \"%2\")").arg(stateFile, folder);
        return {};
    }
    return QStringLiteral("postgresql://postgres@/ravelha_teste?host=%1").arg(folder);
}

// A QPSQL connection to the private server under `connectionName`, opened. On failure the
// connection is returned closed and `why` (if given) says what went wrong.
inline QSqlDatabase OpenPrivateServer(const QString& connectionName, QString* why = nullptr)
{
    QString reason;
    const QString text = PrivateServerUrl(&reason);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (text.isEmpty()) {
        if (why)
            *why = reason;
        return db;
    }
    const QUrl url(text);
    db.setHostName(QUrlQuery(url).queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded));
    db.setDatabaseName(url.path().mid(1));
    db.setUserName(url.userName());
    if (!db.open() && why)
        *why = QStringLiteral("cannot open %1: %2").arg(text, db.lastError().text());
    return db;
}
