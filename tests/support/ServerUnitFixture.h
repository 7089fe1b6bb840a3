#pragma once
// A unit on the private server of the test run (PrivateServer.h): a data folder published to a
// schema of its own, with a name no other test uses, and dropped again at the end.

#include "data/ServerAddress.h"

#include <QString>
#include <QStringList>

class ServerUnitFixture {
public:
    // Publishes `folder` as a new unit; throws CoreError when there is no private server.
    explicit ServerUnitFixture(const QString& folder);
    ~ServerUnitFixture();
    ServerUnitFixture(const ServerUnitFixture&) = delete;
    ServerUnitFixture& operator=(const ServerUnitFixture&) = delete;

    const ServerAddress& address() const { return m_address; }
    // --banco URL --unidade NOME, for ravelha-cli.
    QStringList cliArguments() const;

private:
    ServerAddress m_address;
};

// A unit name of the private server no other test of this run uses.
QString NewServerUnitName();
// The private server's address with that unit (the server must be up).
ServerAddress PrivateServerAddress(const QString& unit);
// A command line of ravelha-cli on the unit at `address`: the arguments, then --banco and --unidade.
inline QStringList WithServer(const ServerAddress& address, const QStringList& arguments)
{
    return arguments + QStringList{"--banco", address.url, "--unidade", address.unit};
}
// Whether the tests of this program run on the private server (RAVELHA_TESTE_SERVIDOR is set).
bool TestsOnServer();
// How a commit refused for a change of the stored state begins: on a server the change is taken
// for another desk's.
QString StoredStateChangedStart();
