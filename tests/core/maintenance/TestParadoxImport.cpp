// The import of an old data folder of Paradox tables: folders written here with pxlib's writer from
// the initial data set and from generated units come over table by table and file by file; other
// field types and the DOS code page are read right; a damaged or wrong folder is refused by name
// and leaves nothing behind.
#include "FixtureFolder.h"
#include "GeneratedUnit.h"
#include "ParadoxWriter.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "maintenance/ParadoxImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QStringList CopiedTexts{"Escala.Txt",    "SemExped.Txt",      "DataIniFim.Txt", "UltiEqual.Txt", "PstGrd.Txt",
                              "ModelosPstGrd.Txt", "Entradas.Txt", "Entradas2.Txt",  "Manual.Txt"};

QStringList tablesOf(const QString& folder)
{
    TDMGeral module(folder, QString(), ServerAddress());
    return StoredTables(module, TableSchema::workingTables());
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void execute(TDMGeral& module, const QString& statement)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

}

class TestParadoxImport;
// A change that damages the old folder, made from the source data folder's module.
using Damage = std::function<void(TestParadoxImport*, TDMGeral&)>;
Q_DECLARE_METATYPE(Damage)

class TestParadoxImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    QString oldFolder() const { return m_temp.filePath(QStringLiteral("antiga")); }
    QString newFolder() const { return m_temp.filePath(QStringLiteral("nova")); }

    void rewrite(const QString& file, const QList<ParadoxField>& fields, const std::vector<QVariantList>& rows,
                 int codePage = 1252)
    {
        WriteParadoxTable(QDir(oldFolder()).filePath(file), fields, rows, file == QStringLiteral("Hist.DB") ? 2 : 1,
                          codePage);
    }

    // The import of the old folder is refused with every fragment, and leaves no folder behind.
    void expectRefusal(const QStringList& fragments)
    {
        const QStringList before = entriesOf(oldFolder());
        QString message;
        try {
            ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());
        } catch (const CoreError& e) {
            message = e.message();
        }
        QVERIFY2(!message.isEmpty(), "the import was not refused");
        for (const QString& fragment : fragments)
            QVERIFY2(message.contains(fragment), qPrintable(message + QStringLiteral(" <- ") + fragment));
        QVERIFY(!QFileInfo::exists(newFolder()));
        QVERIFY(!QFileInfo::exists(newFolder() + QStringLiteral(".importando")));
        QCOMPARE(entriesOf(oldFolder()), before);
    }

private slots:
    void init()
    {
        QDir(oldFolder()).removeRecursively();
        QDir(newFolder()).removeRecursively();
    }

    void unitComesOverWhole_data()
    {
        QTest::addColumn<QString>("recipe");
        QTest::newRow("conjunto inicial") << QString();
        QTest::newRow("unidade típica") << QStringLiteral("tipica");
        QTest::newRow("unidade na capacidade") << QStringLiteral("capacidade");   // with 10000 history records
    }

    void unitComesOverWhole()
    {
        QFETCH(QString, recipe);
        FixtureFolder data(QStringLiteral("inicial"));
        if (!recipe.isEmpty())
            BuildUnit(recipe == QStringLiteral("capacidade") ? FullCapacityRecipe() : ReferenceRecipe(recipe));
        WriteOldFolder(data.module(), data.path(), oldFolder());
        const QStringList source = StoredTables(data.module(), TableSchema::workingTables());

        const ParadoxImport::Report report = ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());

        QCOMPARE(tablesOf(newFolder()), source);
        for (const QString& name : CopiedTexts)
            QCOMPARE(TextFile::readLines(QDir(newFolder()).filePath(name)), TextFile::readLines(data.file(name)));
        const QStringList niveis = TextFile::readLines(QDir(newFolder()).filePath(DataFiles::Niveis));
        QCOMPARE(niveis.mid(0, 5), TextFile::readLines(data.file(DataFiles::Niveis)).mid(0, 5));
        QCOMPARE(niveis.value(5), QDir::toNativeSeparators(QDir(newFolder()).filePath(QStringLiteral("Espelho"))));
        // The program's own initial set stands beside the unit.
        QVERIFY(QFileInfo::exists(QDir(newFolder()).filePath(QStringLiteral("IniManual.Txt"))));

        QSqlQuery count(data.module().database(Alias::Ravelha));
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*), MIN(Dia), MAX(Dia) FROM Hist")) && count.next());
        QCOMPARE(report.historyRecords, count.value(0).toInt());
        QCOMPARE(report.firstHistoryDay, Dates::fromStorage(count.value(1).toString()));
        QCOMPARE(report.lastHistoryDay, Dates::fromStorage(count.value(2).toString()));
        QCOMPARE(Dates::show(report.lastRosteredDay), DataFiles::ReadLastRosteredDay());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM Basico")) && count.next());
        QCOMPARE(report.soldiers, count.value(0).toInt());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM Sv1")) && count.next());
        QCOMPARE(report.rosters.value(0).members, count.value(0).toInt());
        QVERIFY(ParadoxImport::ReportLines(report, newFolder())
                    .contains(QStringLiteral("Militares: %1").arg(report.soldiers)));
    }

    // Fields of other types than the model's (a number kept as text, a day as text, a soldier
    // number as a long integer) and names in the DOS code page 850 are read as they are meant.
    void readsOtherFieldTypesAndCodePage()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        execute(data.module(), QStringLiteral("UPDATE Basico SET Nome = 'Conceição', PstGrd = 'Sgt Aç' WHERE Num = '1'"));
        WriteOldFolder(data.module(), data.path(), oldFolder());
        const QStringList source = StoredTables(data.module(), TableSchema::workingTables());

        QList<ParadoxField> basico = ModelFields(TableSchema::Kind::Personnel);
        basico[0] = {"Num", ParadoxField::Long};
        std::vector<QVariantList> soldiers = ParadoxRowsOf(data.module(), QStringLiteral("Basico"));
        for (QVariantList& row : soldiers)
            row[0] = row[0].toString().toLongLong();
        rewrite(QStringLiteral("Basico.DB"), basico, soldiers, 850);

        QList<ParadoxField> roster{{"Num", ParadoxField::Alpha, 4}, {"Pt", ParadoxField::Alpha, 6}, {"Vm", ParadoxField::Long}};
        std::vector<QVariantList> members = ParadoxRowsOf(data.module(), QStringLiteral("Sv1"));
        for (QVariantList& row : members)
            row = {row[0], QString::number(row[1].toInt()), row[2].toInt()};
        rewrite(QStringLiteral("Sv1.DB"), roster, members);

        QList<ParadoxField> hist = ModelFields(TableSchema::Kind::History);
        hist[0] = {"Dia", ParadoxField::Alpha, 10};
        hist[1] = {"CodSv", ParadoxField::Number};
        std::vector<QVariantList> records = ParadoxRowsOf(data.module(), QStringLiteral("Hist"));
        for (QVariantList& row : records)
            row[0] = row[0].toDate().toString(QStringLiteral("dd/MM/yyyy"));
        rewrite(QStringLiteral("Hist.DB"), hist, records);

        ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());
        QCOMPARE(tablesOf(newFolder()), source);
    }

    void damagedOrWrongFolderIsRefused_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QStringList>("fragments");

        QTest::newRow("Hist.DB truncado") << Damage([](TestParadoxImport* t, TDMGeral&) {
            QFile file(QDir(t->oldFolder()).filePath(QStringLiteral("Hist.DB")));
            QVERIFY(file.resize(file.size() / 2));
        }) << QStringList{"Hist.DB", "danificada"};
        QTest::newRow("Sv.DB que não é tabela") << Damage([](TestParadoxImport* t, TDMGeral&) {
            QFile file(QDir(t->oldFolder()).filePath(QStringLiteral("Sv.DB")));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(3000, '\x7f'));
        }) << QStringList{"Sv.DB"};
        QTest::newRow("sem Hist.DB") << Damage([](TestParadoxImport* t, TDMGeral&) {
            QVERIFY(QFile::remove(QDir(t->oldFolder()).filePath(QStringLiteral("Hist.DB"))));
        }) << QStringList{"Hist.DB", "não tem a tabela"};
        QTest::newRow("coluna Pt lógica") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Sv2"));
            for (QVariantList& row : rows)
                row[1] = true;
            t->rewrite(QStringLiteral("Sv2.DB"),
                       {{"Num", ParadoxField::Alpha, 4}, {"Pt", ParadoxField::Logical}, {"Vm", ParadoxField::Number}}, rows);
        }) << QStringList{"Sv2.DB", "coluna Pt", "lógico"};
        QTest::newRow("falta a coluna USv") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Basico"));
            for (QVariantList& row : rows)
                row.removeLast();
            t->rewrite(QStringLiteral("Basico.DB"), ModelFields(TableSchema::Kind::Personnel).mid(0, 6), rows);
        }) << QStringList{"Basico.DB", "USv"};
        QTest::newRow("data fora dos limites") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Basico"));
            rows[2][4] = QDate(1999, 12, 31);
            t->rewrite(QStringLiteral("Basico.DB"), ModelFields(TableSchema::Kind::Personnel), rows);
        }) << QStringList{"Basico.DB", "no militar 11", "coluna Ini", "31/12/1999"};
        QTest::newRow("dia em texto fora dos limites") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            QList<ParadoxField> fields = ModelFields(TableSchema::Kind::History);
            fields[0] = {"Dia", ParadoxField::Alpha, 10};
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Hist"));
            for (QVariantList& row : rows)
                row[0] = row[0].toDate().toString(QStringLiteral("dd/MM/yyyy"));
            rows[0][0] = QStringLiteral("02/02/1904");
            t->rewrite(QStringLiteral("Hist.DB"), fields, rows);
        }) << QStringList{"Hist.DB", "coluna Dia", "02/02/1904", "fora dos dias"};
        QTest::newRow("contagem que não é número") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Sv3"));
            for (QVariantList& row : rows)
                row[1] = QString::number(row[1].toInt());
            rows[1][1] = QStringLiteral("7a");
            t->rewrite(QStringLiteral("Sv3.DB"),
                       {{"Num", ParadoxField::Alpha, 4}, {"Pt", ParadoxField::Alpha, 4}, {"Vm", ParadoxField::Number}}, rows);
        }) << QStringList{"Sv3.DB", "no militar 21", "coluna Pt", "\"7a\"", "não é um número inteiro"};
        QTest::newRow("militar duas vezes na escala") << Damage([](TestParadoxImport* t, TDMGeral& m) {
            std::vector<QVariantList> rows = ParadoxRowsOf(m, QStringLiteral("Sv4"));
            rows.push_back(rows.front());
            t->rewrite(QStringLiteral("Sv4.DB"), ModelFields(TableSchema::Kind::Roster), rows);
        }) << QStringList{"Sv4.DB", "militar 30"};
        QTest::newRow("sem Escala.Txt") << Damage([](TestParadoxImport* t, TDMGeral&) {
            QVERIFY(QFile::remove(QDir(t->oldFolder()).filePath(QStringLiteral("Escala.Txt"))));
        }) << QStringList{"Escala.Txt"};
        QTest::newRow("histórico depois da última escalação") << Damage([](TestParadoxImport* t, TDMGeral&) {
            TextFile::writeLines(QDir(t->oldFolder()).filePath(QStringLiteral("Escala.Txt")), {"10/02/04"});
        }) << QStringList{"Escala.Txt", "10/02/04"};
        QTest::newRow("dia vermelho que não é data") << Damage([](TestParadoxImport* t, TDMGeral&) {
            TextFile::writeLines(QDir(t->oldFolder()).filePath(QStringLiteral("SemExped.Txt")), {"07/03/04", "3/13/04"});
        }) << QStringList{"SemExped.Txt", "linha 2", "3/13/04"};
    }

    void damagedOrWrongFolderIsRefused()
    {
        QFETCH(Damage, damage);
        QFETCH(QStringList, fragments);
        FixtureFolder data(QStringLiteral("inicial"));
        WriteOldFolder(data.module(), data.path(), oldFolder());
        damage(this, data.module());
        expectRefusal(fragments);
    }

    // An existing data folder is never written into; an empty one takes the import.
    void newFolderMustBeAbsentOrEmpty()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        WriteOldFolder(data.module(), data.path(), oldFolder());
        QVERIFY(QDir().mkpath(newFolder()));
        TextFile::writeLines(QDir(newFolder()).filePath(QStringLiteral("nota.txt")), {"do guardião"});
        QVERIFY_THROWS_EXCEPTION(CoreError, ParadoxImport::ImportIntoFolder(oldFolder(), newFolder()));
        QCOMPARE(entriesOf(newFolder()), QStringList{QStringLiteral("nota.txt")});

        QVERIFY(QFile::remove(QDir(newFolder()).filePath(QStringLiteral("nota.txt"))));
        ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());
        QCOMPARE(tablesOf(newFolder()), StoredTables(data.module(), TableSchema::workingTables()));
    }

    // The cover picture named by a Windows path comes along; the place of the copy on a drive that
    // is not here becomes the new folder's own, one that exists here is kept.
    void coverPictureAndPlaceOfTheCopy()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        WriteOldFolder(data.module(), data.path(), oldFolder());
        QVERIFY(QFile::copy(QDir(data.path()).filePath(QStringLiteral("Capa.Bmp")),
                            QDir(oldFolder()).filePath(QStringLiteral("capa2.BMP"))));
        const QString niveis = QDir(oldFolder()).filePath(DataFiles::Niveis);
        QStringList lines = TextFile::readLines(niveis);
        lines[4] = QStringLiteral("C:\\Molvedan\\Ravelha\\capa2.BMP");
        lines[5] = QStringLiteral("E:\\Molvedan\\Ravelha\\Espelho");
        TextFile::writeLines(niveis, lines);

        const ParadoxImport::Report report = ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());
        const QStringList imported = TextFile::readLines(QDir(newFolder()).filePath(DataFiles::Niveis));
        QCOMPARE(imported.value(4), QStringLiteral("capa2.BMP"));
        QVERIFY(QFileInfo(QDir(newFolder()).filePath(QStringLiteral("capa2.BMP"))).isFile());
        QCOMPARE(imported.value(5), QDir::toNativeSeparators(QDir(newFolder()).filePath(QStringLiteral("Espelho"))));
        QVERIFY(report.notes.join(QLatin1Char('\n')).contains(QStringLiteral("E:\\Molvedan\\Ravelha\\Espelho")));

        const QString here = m_temp.filePath(QStringLiteral("copia"));
        QVERIFY(QDir().mkpath(here));
        lines[5] = here;
        TextFile::writeLines(niveis, lines);
        QDir(newFolder()).removeRecursively();
        ParadoxImport::ImportIntoFolder(oldFolder(), newFolder());
        QCOMPARE(TextFile::readLines(QDir(newFolder()).filePath(DataFiles::Niveis)).value(5), here);
    }
};

QTEST_GUILESS_MAIN(TestParadoxImport)
#include "TestParadoxImport.moc"
