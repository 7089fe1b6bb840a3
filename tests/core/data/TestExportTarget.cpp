// Where an export may be written, and how: never over the data folder's or the backup copy's
// files however the name is spelled, whole or not at all, the reason in Portuguese.
#include "FileBytes.h"
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/ExportTarget.h"
#include "data/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include "FileSizeLimit.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace {

// The message of the refusal, or empty when the bytes were written.
QString written(const QString& path, const QByteArray& bytes)
{
    try {
        ExportTarget::writeWhole(path, bytes);
        return QString();
    } catch (const CoreError& e) {
        return e.message();
    }
}

// The folder of the fixture: the data folder "Ravelha" and the backup copy's "Espelho" side by side.
QString beside(const FixtureFolder& data, const QString& name)
{
    return QDir(QFileInfo(data.path()).absolutePath()).filePath(name);
}

}

class TestExportTarget : public QObject {
    Q_OBJECT
private slots:
    void theProgramsOwnFoldersAreRefusedHoweverSpelled_data()
    {
        QTest::addColumn<QString>("target");   // beside the data folder
        QTest::addColumn<QString>("folder");   // the folder the refusal names
        QTest::newRow("the database") << "Ravelha/Ravelha.db" << "pasta de dados";
        QTest::newRow("a text file with ./") << "Ravelha/./SemExped.Txt" << "pasta de dados";
        QTest::newRow("through ..") << "Espelho/../Ravelha/Escala.Txt" << "pasta de dados";
        QTest::newRow("a new file in a subfolder") << "Ravelha/sub/novo.csv" << "pasta de dados";
        QTest::newRow("a link to the folder") << "atalho/Ravelha.db" << "pasta de dados";
        QTest::newRow("a link to the file") << "ligado.csv" << "pasta de dados";
        QTest::newRow("a dangling link into it") << "pendente.csv" << "pasta de dados";
        QTest::newRow("the backup copy") << "Espelho/Ravelha.db" << "cópia de segurança";
        QTest::newRow("the backup copy through a link") << "atalho/../Espelho/SemExped.Txt" << "cópia de segurança";
    }
    void theProgramsOwnFoldersAreRefusedHoweverSpelled()
    {
        QFETCH(QString, target);
        QFETCH(QString, folder);
        FixtureFolder data;
        QVERIFY(QDir().mkpath(beside(data, "Espelho")));
        QVERIFY(QDir().mkpath(data.file("sub")));
        QVERIFY(QFile::copy(data.file("Ravelha.db"), beside(data, "Espelho/Ravelha.db")));
        QVERIFY(QFile::copy(data.file("SemExped.Txt"), beside(data, "Espelho/SemExped.Txt")));
        QVERIFY(QFile::link(data.path(), beside(data, "atalho")));
        QVERIFY(QFile::link(data.file("Ravelha.db"), beside(data, "ligado.csv")));
        QVERIFY(QFile::link(data.file("novo.csv"), beside(data, "pendente.csv")));
        const QStringList guarded{data.file("Ravelha.db"), data.file("SemExped.Txt"), data.file("Escala.Txt"),
                                  beside(data, "Espelho/Ravelha.db"), beside(data, "Espelho/SemExped.Txt")};
        QList<QByteArray> before;
        for (const QString& file : guarded)
            before << BytesOf(file);

        const QString path = beside(data, target);
        const QString refusal = written(path, "Dia;PtVm\r\n");
        QVERIFY2(refusal.startsWith(QDir::toNativeSeparators(path) + " fica na pasta"), qPrintable(refusal));
        QVERIFY2(refusal.contains(folder), qPrintable(refusal));
        for (int i = 0; i < guarded.size(); ++i)
            QCOMPARE(BytesOf(guarded.at(i)), before.at(i));
        QVERIFY(!QFileInfo::exists(data.file("sub/novo.csv")));
        QVERIFY(!QFileInfo::exists(data.file("novo.csv")));
    }

    void aFolderBesideIsNotTheDataFolder()
    {
        // "Ravelha2" starts with the data folder's name; ".." out of a link to the data folder
        // leads beside it.
        FixtureFolder data;
        QVERIFY(QDir().mkpath(beside(data, "Ravelha2")));
        QVERIFY(QFile::link(data.path(), beside(data, "atalho")));
        for (const char* name : {"Ravelha2/pesquisa.csv", "atalho/../pesquisa.csv"}) {
            QCOMPARE(written(beside(data, name), "a;b\r\n"), QString());
            QCOMPARE(BytesOf(beside(data, name)), QByteArray("a;b\r\n"));
        }
    }

    void aFailedWriteLeavesTheEarlierFileAndSaysWhy()
    {
#ifndef Q_OS_UNIX
        QSKIP("the disk is made to fill up through a limit of the file size (POSIX)");
#else
        FixtureFolder data;
        QTemporaryDir out;
        const QString file = out.filePath("escala.pdf");
        {
            QFile earlier(file);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("anterior");
        }
        QString refusal;
        {
            const FileSizeLimit fullAfter(4096);
            refusal = written(file, QByteArray(20000, 'x'));
        }
        QCOMPARE(refusal, "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(file)
                              + ": o arquivo passou do tamanho permitido.");
        QCOMPARE(BytesOf(file), QByteArray("anterior"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"escala.pdf"});

        const QString missing = out.filePath("nao/existe/x.csv");
        QCOMPARE(written(missing, "x"), "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(missing)
                                            + ": a pasta " + QDir::toNativeSeparators(out.filePath("nao/existe"))
                                            + " não existe.");
#endif
    }

    void aFullDeviceIsToldAndKept()
    {
#ifndef Q_OS_UNIX
        QSKIP("a device node like /dev/full (POSIX)");
#else
        // A device like /dev/full is written straight: replacing it by a file would be wrong, and
        // its refusal is the disk's.
        FixtureFolder data;
        QTemporaryDir out;
        const QString full = out.filePath("cheio");
        if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (not root)");
        QCOMPARE(written(full, "Dia;PtVm\r\n"),
                 "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(full) + ": não há espaço livre no disco.");
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(full).constData(), &status), 0);
        QVERIFY(S_ISCHR(status.st_mode));
#endif
    }

    void theSystemsReasonsInPortuguese_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        const auto text = [](int number) { return QString::fromLocal8Bit(std::strerror(number)); };
        QTest::newRow("full disk") << text(ENOSPC) << int(QFileDevice::WriteError) << "não há espaço livre no disco";
        QTest::newRow("no folder") << text(ENOENT) << int(QFileDevice::OpenError) << "o arquivo ou a pasta não existe";
        QTest::newRow("not allowed") << text(EACCES) << int(QFileDevice::OpenError) << "permissão negada";
        QTest::newRow("read-only disk") << text(EROFS) << int(QFileDevice::OpenError) << "o disco só permite leitura";
        QTest::newRow("Qt's words before") << "QSaveFile: " + text(EIO) << int(QFileDevice::WriteError)
                                           << "erro de leitura ou gravação no disco";
        QTest::newRow("unknown, writing") << "Unknown error" << int(QFileDevice::WriteError) << "erro de gravação";
        QTest::newRow("unknown, renaming") << "Something else" << int(QFileDevice::RenameError)
                                           << "o arquivo não pôde ser substituído";
    }
    void theSystemsReasonsInPortuguese()
    {
        QFETCH(QString, system);
        QFETCH(int, kind);
        QFETCH(QString, reason);
        QCOMPARE(FileErrors::reason(system, QFileDevice::FileError(kind)), reason);
    }
};

QTEST_GUILESS_MAIN(TestExportTarget)
#include "TestExportTarget.moc"
