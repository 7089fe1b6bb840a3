#include "FixtureFolder.h"

#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/InitialDataSet.h"
#include "data/TextFile.h"
#include "data/UnitTexts.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

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
    if (TestsOnServer()) {
        m_unit = std::make_unique<ServerUnitFixture>(m_dataFolder);
        ServerAddresses::setCurrent(m_unit->address());
        qputenv("RAVELHA_BANCO", m_unit->address().url.toUtf8());
        qputenv("RAVELHA_UNIDADE", m_unit->address().unit.toUtf8());
    }
    m_module = std::make_unique<TDMGeral>(m_dataFolder, backupPath());
}

FixtureFolder::~FixtureFolder()
{
    m_module.reset();
    if (m_unit) {
        ServerAddresses::setCurrent(ServerAddress());
        qunsetenv("RAVELHA_BANCO");
        qunsetenv("RAVELHA_UNIDADE");
    }
}

QString FixtureFolder::file(const QString& bareName) const
{
    return QDir(m_dataFolder).filePath(bareName);
}

QStringList FixtureFolder::readText(const QString& bareName)
{
    if (m_unit && UnitTexts::StateFiles().contains(bareName))
        return UnitTexts::ReadFrom(m_module->database(Alias::Ravelha), bareName, m_unit->address().label());
    return TextFile::readLines(file(bareName));
}

void FixtureFolder::writeText(const QString& bareName, const QStringList& lines)
{
    if (m_unit && UnitTexts::StateFiles().contains(bareName))
        return UnitTexts::WriteTo(m_module->database(Alias::Ravelha), bareName, lines);
    TextFile::writeLines(file(bareName), lines);
}

QString FixtureFolder::backupPath() const
{
    return QDir(m_temp.path()).filePath(QStringLiteral("Espelho"));
}

bool CopyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator files(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir source(from);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString copy = QDir(to).filePath(source.relativeFilePath(file));
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(file, copy))
            return false;
    }
    return true;
}
