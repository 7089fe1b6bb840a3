// A unit on a server reached over TLS: an address that asks for TLS and checks the server's
// certificate gets an encrypted connection and works as any other; an address without TLS, or one
// that trusts another authority, is turned away with the keeper's message and the server's reason.
#include "CliRunner.h"
#include "data/ServerAddress.h"
#include "data/UDMGeral.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TlsServer {
    QString folder;   // holds ca.crt, the authority that signed the server's certificate
    QString port;
};

TlsServer recordedTlsServer()
{
    QFile state(qEnvironmentVariable("RAVELHA_SERVIDOR_TLS_ESTADO"));
    if (!state.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(state.readAll()).split(QLatin1Char('\n'));
    return {lines.value(0).trimmed(), lines.value(1).trimmed()};
}

QString address(const TlsServer& server, const QString& options)
{
    return QStringLiteral("postgresql://postgres@localhost:%1/ravelha_teste?%2").arg(server.port, options);
}

}

class TestServidorTls : public QObject {
    Q_OBJECT

    TlsServer m_server;
    QTemporaryDir m_temp;

private slots:
    void initTestCase()
    {
        m_server = recordedTlsServer();
        QVERIFY2(!m_server.port.isEmpty() && QFile::exists(m_server.folder + QStringLiteral("/ca.crt")),
                 "no private server over TLS is recorded in RAVELHA_SERVIDOR_TLS_ESTADO (run through ctest)");
        QVERIFY(m_temp.isValid());
    }

    // Checked against its authority, the server is reached over TLS, and a unit works on it.
    void aCheckedTlsAddressWorks()
    {
        const QString url = address(m_server, QStringLiteral("sslmode=verify-full&sslrootcert=%1/ca.crt").arg(m_server.folder));
        FixtureFolder data;
        const QStringList unit{QStringLiteral("--banco"), url, QStringLiteral("--unidade"), QStringLiteral("Tls1")};
        const CliResult published = cli(QStringList{QStringLiteral("--dados"), data.path(), QStringLiteral("publicar")} + unit);
        QVERIFY2(published.exit == 0, qPrintable(published.err));
        const CliResult listed = cli({QStringLiteral("--banco"), url, QStringLiteral("unidades")});
        QVERIFY2(listed.exit == 0 && listed.out.join(QLatin1Char('\n')).contains(QStringLiteral("tls1")),
                 qPrintable(listed.out.join(QLatin1Char('\n')) + listed.err));
        const CliResult verified = cli(data, unit + QStringList{QStringLiteral("verificar"), QStringLiteral("02/03/04")});
        QVERIFY2(verified.exit == 0 && verified.out.contains(QStringLiteral("== Mensagens")), qPrintable(verified.err));

        // The connection the program opens from that address is an encrypted one.
        TDMGeral module(QString(), QString(), ServerAddress{url, QStringLiteral("Tls1")});
        QSqlQuery ssl(module.serverConnection());
        QVERIFY2(ssl.exec(QStringLiteral("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()")),
                 qPrintable(ssl.lastError().text()));
        QVERIFY(ssl.next());
        QCOMPARE(ssl.value(0).toBool(), true);
    }

    void untrustedAddressesAreTurnedAway_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("reason");   // what the server's side says
        QTest::newRow("no TLS") << QStringLiteral("sslmode=disable") << QStringLiteral("no encryption");
        QTest::newRow("another authority") << QStringLiteral("sslmode=verify-full&sslrootcert=OUTRA")
                                           << QStringLiteral("certificate verify failed");
    }

    void untrustedAddressesAreTurnedAway()
    {
        QFETCH(QString, options);
        QFETCH(QString, reason);
        const QString other = m_temp.filePath(QStringLiteral("outra.crt"));
        if (!QFile::exists(other)) {
            QProcess openssl;
            openssl.start(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                           QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                           QStringLiteral("/CN=Outra CA"), QStringLiteral("-keyout"), m_temp.filePath(QStringLiteral("outra.key")),
                           QStringLiteral("-out"), other});
            QVERIFY(openssl.waitForFinished(60000) && openssl.exitCode() == 0);
        }
        const QString url = address(m_server, QString(options).replace(QStringLiteral("OUTRA"), other));
        const CliResult listed = cli({QStringLiteral("--banco"), url, QStringLiteral("unidades")});
        QCOMPARE(listed.exit, 1);
        QVERIFY2(listed.err.startsWith(QStringLiteral("A conexão com o servidor localhost/ravelha_teste foi perdida ou recusada.")),
                 qPrintable(listed.err));
        QVERIFY2(listed.err.contains(reason), qPrintable(listed.err));
    }
};

QTEST_GUILESS_MAIN(TestServidorTls)
#include "TestServidorTls.moc"
