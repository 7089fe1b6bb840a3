#pragma once
// A fresh data folder for one test: a fixture set installed into a temporary directory, the
// data folder pointed at it, a data module open on it and an empty model.

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
    QString backupPath() const;
    TDMGeral& module() { return *m_module; }

private:
    QTemporaryDir m_temp;
    QString m_dataFolder;
    std::unique_ptr<TDMGeral> m_module;
};

QString fixtureSource(const QString& fixture);
