#pragma once
// A fresh data folder for one test: a fixture set installed into a temporary directory, the
// data folder pointed at it, a data module open on it and an empty model. A test program run with
// RAVELHA_TESTE_SERVIDOR set gets the folder's unit published to the private server instead, and
// the module (and every ravelha-cli started meanwhile, through RAVELHA_BANCO and RAVELHA_UNIDADE)
// works on it.

#include "ServerUnitFixture.h"
#include "data/UDMGeral.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class FixtureFolder {
public:
    // `fixture` names a folder of tests/fixtures ("pequena"); "inicial" is the program's own set.
    explicit FixtureFolder(const QString& fixture = QStringLiteral("pequena"));
    ~FixtureFolder();

    QString path() const { return m_dataFolder; }
    QString file(const QString& bareName) const;
    // The lines of a text file of the unit's state, and a rewrite of it: the file's in a folder,
    // the unit's row of texts on a server.
    QStringList readText(const QString& bareName);
    void writeText(const QString& bareName, const QStringList& lines);
    QString backupPath() const;
    TDMGeral& module() { return *m_module; }
    // On a server run (RAVELHA_TESTE_SERVIDOR): the unit the folder was published to, which the
    // module and every ravelha-cli started meanwhile use; else null.
    const ServerUnitFixture* serverUnit() const { return m_unit.get(); }

private:
    QTemporaryDir m_temp;
    QString m_dataFolder;
    std::unique_ptr<ServerUnitFixture> m_unit;
    std::unique_ptr<TDMGeral> m_module;
};

QString fixtureSource(const QString& fixture);

// Copies a folder with every file under it (a data folder, to run a second desk or a twin on it).
bool CopyFolder(const QString& from, const QString& to);
