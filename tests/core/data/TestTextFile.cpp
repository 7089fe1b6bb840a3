// The text files: tolerant reading, Windows-1252 with CRLF writing, whole-file rewrites.
#include "data/CoreError.h"
#include "data/TextFile.h"
#include "data/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    void writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readBytes(const QString& name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void readsEveryEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("windows-1252, CRLF") << QByteArray("Inclus\xE3o\r\n1\xBA Sgt\r\n");
        QTest::newRow("utf-8, LF") << QByteArray("Inclus\xC3\xA3o\n1\xC2\xBA Sgt\n");
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFInclus\xC3\xA3o\r\n1\xC2\xBA Sgt");
        QTest::newRow("utf-16 LE with mark")
            << QByteArray("\xFF\xFEI\0n\0c\0l\0u\0s\0\xE3\0o\0\r\0\n\0" "1\0\xBA\0 \0S\0g\0t\0", 34);
        QTest::newRow("utf-16 BE with mark")
            << QByteArray("\xFE\xFF\0I\0n\0c\0l\0u\0s\0\xE3\0o\0\n\0" "1\0\xBA\0 \0S\0g\0t", 32);
        QTest::newRow("old Mac line ends") << QByteArray("Inclus\xE3o\r1\xBA Sgt\r");
    }
    void readsEveryEncoding()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(QStringLiteral("in.Txt"), bytes);
        QCOMPARE(TextFile::readLines(path(QStringLiteral("in.Txt"))),
                 QStringList({QStringLiteral("Inclusão"), QStringLiteral("1º Sgt")}));
    }

    void writesWindows1252WithCrlfAndReadsItBack()
    {
        const QStringList lines{QStringLiteral("Inclusão"), QString(), QStringLiteral("Gonçalves 1º Sgt")};
        TextFile::writeLines(path(QStringLiteral("out.Txt")), lines);
        QCOMPARE(readBytes(QStringLiteral("out.Txt")), QByteArray("Inclus\xE3o\r\n\r\nGon\xE7" "alves 1\xBA Sgt\r\n"));
        QCOMPARE(TextFile::readLines(path(QStringLiteral("out.Txt"))), lines);
    }

    void readingPastTheEndGivesEmptyText()
    {
        TextFile::writeLines(path(QStringLiteral("two.Txt")), {QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(TextFile::readLine(path(QStringLiteral("two.Txt")), 1), QStringLiteral("b"));
        QCOMPARE(TextFile::readLine(path(QStringLiteral("two.Txt")), 5), QString());
        writeBytes(QStringLiteral("empty.Txt"), QByteArray());
        QCOMPARE(TextFile::readLines(path(QStringLiteral("empty.Txt"))), QStringList());
    }

    void missingFileIsNamedInTheMessage()
    {
        try {
            TextFile::readLines(path(QStringLiteral("Escala.Txt")));
            QFAIL("no error");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("O arquivo Escala.Txt não foi encontrado."));
        }
    }

    // A line Windows-1252 cannot hold (a folder under a home named in Japanese) makes the whole
    // file UTF-8 with a byte-order mark: nothing is lost or replaced by question marks.
    void textsWindows1252CannotHoldAreWrittenInUtf8()
    {
        const QStringList lines{QStringLiteral("Inclusão"), QStringLiteral("/home/山田/Molvedan/Ravelha/Espelho")};
        TextFile::writeLines(path(QStringLiteral("Niveis.Txt")), lines);
        QCOMPARE(readBytes(QStringLiteral("Niveis.Txt")),
                 QByteArray("\xEF\xBB\xBFInclus\xC3\xA3o\r\n") + QStringLiteral("/home/山田/Molvedan/Ravelha/Espelho").toUtf8()
                     + QByteArray("\r\n"));
        QCOMPARE(TextFile::readLines(path(QStringLiteral("Niveis.Txt"))), lines);
    }

    // The program's own code page gives what the system's (ICU's) gives, for every byte and for
    // every character of the basic plane: the files read and written by the Windows build, which
    // has no ICU, are the Linux build's bytes.
    void theCodePageIsTheSystemsOne()
    {
        QStringDecoder systemDecoder("windows-1252");
        if (!systemDecoder.isValid())
            QSKIP("this system's Qt has no windows-1252 to compare with");
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            everyByte += char(b);
        QCOMPARE(Windows1252::decode(everyByte), systemDecoder.decode(everyByte));
        for (char16_t c = 1; c < 0xFFFF; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const QString text(QChar{c});
            QStringEncoder systemEncoder("windows-1252");
            const QByteArray system = systemEncoder.encode(text);
            const std::optional<QByteArray> own = Windows1252::encode(text);
            if (systemEncoder.hasError() || (system == "?" && c != u'?'))
                QVERIFY2(!own, qPrintable(QString::number(c, 16)));
            else
                QVERIFY2(own && *own == system, qPrintable(QString::number(c, 16)));
        }
    }

    void writeIntoAMissingFolderIsReported()
    {
        QVERIFY_THROWS_EXCEPTION(CoreError, TextFile::writeLines(path(QStringLiteral("nada/x.Txt")), {QStringLiteral("a")}));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "TestTextFile.moc"
