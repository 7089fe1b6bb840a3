// The cover lines and the backup folder share Niveis.Txt: a change of either keeps the other.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/CoverSettings.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
const QString Backup = QStringLiteral("/media/pen/Molvedan/Ravelha/Espelho");
}

class TestCoverSettings : public QObject {
    Q_OBJECT

    // A started unit: the file and the model hold the same cover and backup folder.
    void start(FixtureFolder& data)
    {
        DataFiles::WriteNiveis({{"Unidade", "Companhia", "", "Escalas"}, "Capa.Bmp", Backup});
        GlobalModel& g = Global();
        g.CoverLines = QStringList{"Unidade", "Companhia", "", "Escalas", "Capa.Bmp"};
        g.BackupFolder = Backup;
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)).size(), 6);
    }

private slots:
    void theCoverIsReadAsTheFileHoldsIt()
    {
        FixtureFolder data;
        start(data);
        const CoverText cover = ReadCover();
        QCOMPARE(cover.lines, (QStringList{"Unidade", "Companhia", "", "Escalas"}));
        QCOMPARE(cover.picture, QStringLiteral("Capa.Bmp"));
    }

    void aNewCoverKeepsTheBackupFolderAndSurvivesALaterChangeOfIt()
    {
        FixtureFolder data;
        start(data);
        SaveCover({{"Unidade", "2ª Companhia", "", "Escalas"}, "Nova.Bmp"});
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)),
                 (QStringList{"Unidade", "2ª Companhia", "", "Escalas", "Nova.Bmp", Backup}));
        QCOMPARE(Global().CoverLines, (QStringList{"Unidade", "2ª Companhia", "", "Escalas", "Nova.Bmp"}));

        SaveBackupFolderSetting(QStringLiteral("/media/outro/Molvedan/Ravelha/Espelho"));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)),
                 (QStringList{"Unidade", "2ª Companhia", "", "Escalas", "Nova.Bmp",
                              "/media/outro/Molvedan/Ravelha/Espelho"}));
        QCOMPARE(Global().BackupFolder, QStringLiteral("/media/outro/Molvedan/Ravelha/Espelho"));
    }

    void aCoverThatCannotBeWrittenChangesNeitherTheFileNorTheModel()
    {
        FixtureFolder data;
        start(data);
        // A folder where the file should be: no user, root included, can write it.
        QVERIFY(QFile::remove(data.file(DataFiles::Niveis)));
        QVERIFY(QDir(data.path()).mkdir(DataFiles::Niveis));
        QVERIFY_THROWS_EXCEPTION(CoreError, SaveCover({{"A", "B", "C", "D"}, "X.Bmp"}));
        QCOMPARE(Global().CoverLines, (QStringList{"Unidade", "Companhia", "", "Escalas", "Capa.Bmp"}));
        QVERIFY(QFileInfo(data.file(DataFiles::Niveis)).isDir());
    }
};

QTEST_MAIN(TestCoverSettings)
#include "TestCoverSettings.moc"
