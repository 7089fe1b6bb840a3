#include "FixtureFolder.h"

#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/InitialDataSet.h"
#include "data/UGlobal.h"

#include <QDir>

QString fixtureSource(const QString& fixture)
{
    if (fixture == QStringLiteral("inicial"))
        return InitialDataSet::BuiltIn;
    return QStringLiteral(RAVELHA_FIXTURES_DIR "/") + fixture;
}

FixtureFolder::FixtureFolder(const QString& fixture)
{
    if (!m_temp.isValid())
        throw CoreError(QStringLiteral("no temporary folder"));
    m_dataFolder = QDir(m_temp.path()).filePath(QStringLiteral("Ravelha"));
    InitialDataSet::install(m_dataFolder, fixtureSource(fixture));
    DataFolder::setPath(m_dataFolder);
    ResetModel();
    m_module = std::make_unique<TDMGeral>(m_dataFolder, backupPath());
}

FixtureFolder::~FixtureFolder() = default;

QString FixtureFolder::file(const QString& bareName) const
{
    return QDir(m_dataFolder).filePath(bareName);
}

QString FixtureFolder::backupPath() const
{
    return QDir(m_temp.path()).filePath(QStringLiteral("Espelho"));
}
