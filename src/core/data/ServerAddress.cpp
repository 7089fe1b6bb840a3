#include "ServerAddress.h"

#include "CoreError.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

// The options of the address the connection passes on to the server's client library.
const QStringList PassedOptions{QStringLiteral("sslmode"), QStringLiteral("sslrootcert"),
                                QStringLiteral("sslcert"), QStringLiteral("sslkey"),
                                QStringLiteral("connect_timeout"), QStringLiteral("application_name"),
                                QStringLiteral("passfile")};

struct Parts {
    QString host, user, database;
    int port = -1;
    QStringList options;   // "key=value"
};

Parts partsOf(const QString& url)
{
    const QString advice = QStringLiteral("O endereço do banco deve ser como postgresql://usuario@servidor:5432/banco");
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid()
        || (parsed.scheme() != QStringLiteral("postgresql") && parsed.scheme() != QStringLiteral("postgres")))
        throw CoreError(QStringLiteral("O endereço do banco \"%1\" não serve.\n%2.").arg(url, advice));
    if (!parsed.password().isEmpty())
        throw CoreError(QStringLiteral("O endereço do banco não pode levar a senha. Guarde-a no arquivo ~/.pgpass "
                                       "(ou no arquivo indicado por PGPASSFILE) do usuário que usa o Sistema."));
    Parts parts;
    parts.host = parsed.host();
    parts.port = parsed.port();
    parts.user = parsed.userName();
    parts.database = parsed.path().mid(1);
    if (parts.database.isEmpty() || parts.database.contains(QLatin1Char('/')))
        throw CoreError(QStringLiteral("O endereço do banco \"%1\" não diz o nome do banco.\n%2.").arg(url, advice));
    const QUrlQuery query(parsed);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QStringLiteral("password"))
            throw CoreError(QStringLiteral("O endereço do banco não pode levar a senha. Guarde-a no arquivo ~/.pgpass "
                                           "(ou no arquivo indicado por PGPASSFILE) do usuário que usa o Sistema."));
        if (key == QStringLiteral("host")) {
            parts.host = value;   // a folder holds the server's socket
        } else if (key == QStringLiteral("port")) {
            bool ok = false;
            parts.port = value.toInt(&ok);
            if (!ok)
                throw CoreError(QStringLiteral("A porta \"%1\" do endereço do banco não é um número.").arg(value));
        } else if (PassedOptions.contains(key)) {
            // The options travel as key=value words: a value cannot hold spaces, quotes or ';'.
            static const QRegularExpression plain(QStringLiteral("^[^\\s'\";\\\\]+$"));
            if (!plain.match(value).hasMatch())
                throw CoreError(QStringLiteral("O valor de \"%1\" no endereço do banco não serve: \"%2\".").arg(key, value));
            parts.options << key + QLatin1Char('=') + value;
        } else {
            throw CoreError(QStringLiteral("O endereço do banco tem a opção \"%1\", que o Sistema não conhece.").arg(key));
        }
    }
    return parts;
}

ServerAddress& currentAddress()
{
    static ServerAddress address;
    return address;
}

QString takeOption(QStringList& arguments, const QString& option, const char* environment)
{
    const int at = arguments.indexOf(option);
    if (at >= 0) {
        if (at + 1 >= arguments.size())
            throw CoreError(QStringLiteral("Falta o valor de %1.").arg(option));
        const QString value = arguments.at(at + 1);
        arguments.remove(at, 2);
        return value;
    }
    return qEnvironmentVariable(environment);
}

}

QString ServerAddress::serverLabel() const
{
    const QUrl parsed(url);
    QString host = QUrlQuery(parsed).queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (host.isEmpty())
        host = parsed.host().isEmpty() ? QStringLiteral("localhost") : parsed.host();
    return host + QLatin1Char('/') + parsed.path().mid(1);
}

QString ServerAddress::label() const
{
    return QStringLiteral("unidade %1 no servidor %2").arg(unit, serverLabel());
}

void ServerAddress::requireServer() const
{
    partsOf(url);
}

void ServerAddress::requireValid() const
{
    partsOf(url);
    if (unit.isEmpty())
        throw CoreError(QStringLiteral("O servidor foi indicado sem a unidade: use também --unidade NOME."));
    // The unit names a schema; it reaches SQL as a name, so only plain names are taken.
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,39}$"));
    if (!plainName.match(unit).hasMatch())
        throw CoreError(QStringLiteral("O nome da unidade \"%1\" não serve: use de 1 a 40 letras sem acento, "
                                       "algarismos e _, começando por uma letra.").arg(unit));
    if (schema().startsWith(QStringLiteral("pg_")) || schema() == QStringLiteral("public")
        || schema() == QStringLiteral("information_schema"))
        throw CoreError(QStringLiteral("O nome da unidade \"%1\" é reservado pelo servidor.").arg(unit));
}

void ServerAddress::applyTo(QSqlDatabase& db) const
{
    const Parts parts = partsOf(url);
    db.setHostName(parts.host);
    if (parts.port > 0)
        db.setPort(parts.port);
    db.setUserName(parts.user);
    db.setDatabaseName(parts.database);
    db.setConnectOptions(parts.options.join(QLatin1Char(';')));
}

namespace ServerAddresses {

ServerAddress choose(QStringList& arguments)
{
    ServerAddress address;
    address.url = takeOption(arguments, QStringLiteral("--banco"), "RAVELHA_BANCO");
    address.unit = takeOption(arguments, QStringLiteral("--unidade"), "RAVELHA_UNIDADE");
    if (address.url.isEmpty() && address.unit.isEmpty())
        return {};
    if (address.url.isEmpty())
        throw CoreError(QStringLiteral("A unidade %1 foi indicada sem o servidor: use também --banco "
                                       "postgresql://usuario@servidor/banco.").arg(address.unit));
    partsOf(address.url);   // a bad address is refused at once; the unit when it is used
    return address;
}

void setCurrent(const ServerAddress& address)
{
    currentAddress() = address;
}

const ServerAddress& current()
{
    return currentAddress();
}

}
