#include "ServerUnitFixture.h"

#include "PrivateServer.h"

#include "data/CoreError.h"
#include "maintenance/ServerUnits.h"

#include <QCoreApplication>
#include <QSqlQuery>

QString NewServerUnitName()
{
    static int made = 0;
    return QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
}

ServerAddress PrivateServerAddress(const QString& unit)
{
    QString why;
    const QString url = PrivateServerUrl(&why);
    if (url.isEmpty())
        throw CoreError(why);
    return ServerAddress{url, unit};
}

bool TestsOnServer()
{
    return qEnvironmentVariableIsSet("RAVELHA_TESTE_SERVIDOR");
}

QString StoredStateChangedStart()
{
    return TestsOnServer() ? QStringLiteral("Os dados foram alterados em outro computador desde a verificação.")
                           : QStringLiteral("Os dados do Sistema mudaram");
}

ServerUnitFixture::ServerUnitFixture(const QString& folder)
    : m_address(PrivateServerAddress(NewServerUnitName()))
{
    ServerUnits::Publish(folder, m_address);
}

ServerUnitFixture::~ServerUnitFixture()
{
    const QString name = QStringLiteral("drop-%1").arg(m_address.unit);
    {
        QSqlDatabase db = OpenPrivateServer(name);
        if (db.isOpen() && QSqlQuery(db).exec(QStringLiteral("SET client_min_messages TO warning")))
            QSqlQuery(db).exec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(m_address.schema()));
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList ServerUnitFixture::cliArguments() const
{
    return {QStringLiteral("--banco"), m_address.url, QStringLiteral("--unidade"), m_address.unit};
}
