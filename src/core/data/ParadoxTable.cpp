#include "ParadoxTable.h"

#include "CoreError.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

// pxlib's header declares its functions without C linkage.
extern "C" {
#include <paradox.h>
}

namespace ParadoxTable {

namespace {

// Far beyond a table at the model's capacity (the history of 10000 records takes under 2 MB).
constexpr qint64 MaxTableBytes = 64 * 1024 * 1024;

// A Paradox date counts days from 01/01/0001; the serial day number of that day is this plus 1.
constexpr long SerialDayOfDayZero = 1721425;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// pxlib's complaints are in English and go to standard error by default: the keeper reads ours.
void quiet(pxdoc_t*, int, const char*, void*) {}

// A pxlib document, deleted however the reading ends.
class Document {
public:
    Document() : m_doc(PX_new3(quiet, nullptr, nullptr, nullptr, nullptr))
    {
        if (m_doc)
            PX_set_parameter(m_doc, "warning", "false");
    }
    ~Document()
    {
        if (!m_doc)
            return;
        if (m_open)
            PX_close(m_doc);
        PX_delete(m_doc);
    }
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    pxdoc_t* get() const { return m_doc; }
    void opened() { m_open = true; }

private:
    pxdoc_t* m_doc = nullptr;
    bool m_open = false;
};

FieldType typeOf(char type)
{
    switch (type) {
    case pxfAlpha:
        return FieldType::Alpha;
    case pxfDate:
        return FieldType::Date;
    case pxfShort:
        return FieldType::Short;
    case pxfLong:
    case pxfAutoInc:
        return FieldType::Long;
    case pxfNumber:
    case pxfCurrency:
        return FieldType::Number;
    default:
        return FieldType::Other;
    }
}

QString typeName(char type)
{
    switch (type) {
    case pxfAlpha:
        return QStringLiteral("alfanumérico");
    case pxfDate:
        return QStringLiteral("data");
    case pxfShort:
        return QStringLiteral("inteiro curto");
    case pxfLong:
        return QStringLiteral("inteiro longo");
    case pxfAutoInc:
        return QStringLiteral("autoincremento");
    case pxfNumber:
        return QStringLiteral("número");
    case pxfCurrency:
        return QStringLiteral("moeda");
    case pxfLogical:
        return QStringLiteral("lógico");
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb:
        return QStringLiteral("memorando");
    case pxfBLOb:
    case pxfOLE:
    case pxfBytes:
        return QStringLiteral("binário");
    case pxfGraphic:
        return QStringLiteral("imagem");
    case pxfTime:
        return QStringLiteral("hora");
    case pxfTimestamp:
        return QStringLiteral("data e hora");
    case pxfBCD:
        return QStringLiteral("decimal BCD");
    default:
        return QStringLiteral("desconhecido (%1)").arg(int(type));
    }
}

// The decoder of the file's code page: Windows-1252 (the keepers' Windows), or a DOS code page
// such as 850 for a table made under DOS.
QStringDecoder decoderFor(int codePage, const QString& path)
{
    const QByteArray name = codePage == 1252 ? QByteArrayLiteral("windows-1252")
                            : codePage == 0   ? QByteArrayLiteral("windows-1252")   // none declared
                                              : QByteArrayLiteral("IBM") + QByteArray::number(codePage);
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        throw CoreError(QStringLiteral("A tabela %1 declara a página de código %2, que o Sistema não conhece.")
                            .arg(native(path))
                            .arg(codePage));
    return decoder;
}

CoreError damaged(const QString& path, const QString& why)
{
    return CoreError(QStringLiteral("A tabela %1 está danificada: %2.").arg(native(path), why));
}

// The damage a header can show before any record is read: a file shorter than the blocks it
// declares, or more records than those blocks can hold. pxlib would read such records from
// memory that is no part of the file.
void requireWhole(const pxhead_t& head, const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    const qint64 blockSize = qint64(head.px_maxtablesize) * 1024;
    const qint64 needed = qint64(head.px_headersize) + qint64(head.px_fileblocks) * blockSize;
    const qint64 perBlock = head.px_recordsize > 0 ? (blockSize - 6) / head.px_recordsize : 0;
    if (head.px_headersize <= 0 || blockSize <= 0 || head.px_recordsize <= 0 || head.px_numrecords < 0
        || size < needed || qint64(head.px_numrecords) > qint64(head.px_fileblocks) * perBlock)
        throw CoreError(QStringLiteral("A tabela %1 está danificada: o arquivo tem %2 bytes, menos do que o "
                                       "seu cabeçalho declara (%3 registros em %4 blocos).")
                            .arg(native(path))
                            .arg(size)
                            .arg(head.px_numrecords)
                            .arg(head.px_fileblocks));
}

// An empty field is all zero bytes; pxlib reads an empty date or integer as its lowest value.
bool isEmpty(const char* data, int length)
{
    for (int i = 0; i < length; ++i) {
        if (data[i] != 0)
            return false;
    }
    return true;
}

QVariant valueOf(pxdoc_t* doc, const pxfield_t& field, char* data, QStringDecoder& decoder)
{
    if (isEmpty(data, field.px_flen))
        return QVariant();
    switch (field.px_ftype) {
    case pxfAlpha: {
        // Texts are padded with zero bytes; an all-zero field is empty.
        const int length = int(qstrnlen(data, uint(field.px_flen)));
        if (length == 0)
            return QVariant();
        return QString(decoder(QByteArrayView(data, length)));
    }
    case pxfDate: {
        long days = 0;
        if (PX_get_data_long(doc, data, field.px_flen, &days) <= 0)
            return QVariant();
        return QDate::fromJulianDay(days + SerialDayOfDayZero);
    }
    case pxfShort: {
        short value = 0;
        if (PX_get_data_short(doc, data, field.px_flen, &value) <= 0)
            return QVariant();
        return qlonglong(value);
    }
    case pxfLong:
    case pxfAutoInc: {
        long value = 0;
        if (PX_get_data_long(doc, data, field.px_flen, &value) <= 0)
            return QVariant();
        return qlonglong(value);
    }
    case pxfNumber:
    case pxfCurrency: {
        double value = 0;
        if (PX_get_data_double(doc, data, field.px_flen, &value) <= 0)
            return QVariant();
        return value;
    }
    default:
        return QVariant();
    }
}

}

bool Available()
{
    return true;
}

QString UnavailableMessage()
{
    return QStringLiteral("Esta compilação do Ravelha não importa tabelas Paradox.");
}

Contents Read(const QString& path, int maxRecords)
{
    Document document;
    pxdoc_t* doc = document.get();
    if (!doc)
        throw CoreError(QStringLiteral("Não foi possível ler a tabela %1: memória insuficiente.").arg(native(path)));
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        throw CoreError(QStringLiteral("A tabela %1 não pôde ser aberta: %2.").arg(native(path), probe.errorString()));
    probe.close();
    if (PX_open_file(doc, QFile::encodeName(path).constData()) < 0)
        throw CoreError(QStringLiteral("A tabela %1 está danificada ou não é uma tabela Paradox.").arg(native(path)));
    document.opened();
    const pxhead_t& head = *doc->px_head;
    if (head.px_encryption != 0)
        throw CoreError(QStringLiteral("A tabela %1 é protegida por senha; retire a senha no Paradox e tente de novo.")
                            .arg(native(path)));
    requireWhole(head, path);

    Contents contents;
    contents.codePage = head.px_doscodepage;
    QStringDecoder decoder = decoderFor(head.px_doscodepage, path);
    const int count = PX_get_num_fields(doc);
    pxfield_t* fields = PX_get_fields(doc);
    int fieldsSize = 0;
    for (int i = 0; i < count; ++i) {
        contents.fields << Field{QString::fromLatin1(fields[i].px_fname), typeOf(fields[i].px_ftype),
                                 typeName(fields[i].px_ftype)};
        fieldsSize += fields[i].px_flen;
    }
    if (fieldsSize != head.px_recordsize)
        throw CoreError(QStringLiteral("A tabela %1 está danificada: os seus campos não somam o tamanho do registro.")
                            .arg(native(path)));

    if (head.px_numrecords > maxRecords)
        throw CoreError(QStringLiteral("A tabela %1 tem %2 linhas; o Sistema guarda no máximo %3.")
                            .arg(native(path))
                            .arg(head.px_numrecords)
                            .arg(maxRecords));

    // The data blocks are read in the order of their chain, each once: pxlib's own reading of a
    // record walks the chain from its start every time.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CoreError(QStringLiteral("A tabela %1 não pôde ser aberta: %2.").arg(native(path), file.errorString()));
    const qint64 blockSize = qint64(head.px_maxtablesize) * 1024;
    // Only the blocks the header declares are read, and a table of the model is never this large.
    const qint64 declared = qint64(head.px_headersize) + qint64(head.px_fileblocks) * blockSize;
    if (declared > MaxTableBytes)
        throw CoreError(QStringLiteral("A tabela %1 declara %2 bytes, mais do que uma tabela do Sistema chega a ter.")
                            .arg(native(path))
                            .arg(declared));
    const QByteArray bytes = file.read(declared);
    const int recordSize = head.px_recordsize;
    contents.rows.reserve(size_t(head.px_numrecords));
    quint32 block = head.px_firstblock;
    for (quint32 visited = 0; block != 0 && head.px_numrecords > 0; ++visited) {
        const qint64 start = qint64(head.px_headersize) + qint64(block - 1) * blockSize;
        if (block > head.px_fileblocks || visited >= head.px_fileblocks || start + blockSize > bytes.size())
            throw damaged(path, QStringLiteral("a sequência dos seus blocos está quebrada"));
        const uchar* at = reinterpret_cast<const uchar*>(bytes.constData() + start);
        const quint16 next = quint16(at[0] | (at[1] << 8));
        const qint16 lastOffset = qint16(quint16(at[4] | (at[5] << 8)));
        const int inBlock = lastOffset < 0 ? 0 : lastOffset / recordSize + 1;
        if (6 + qint64(inBlock) * recordSize > blockSize || qint64(contents.rows.size()) + inBlock > head.px_numrecords)
            throw damaged(path, QStringLiteral("um bloco declara mais registros do que cabem nele"));
        for (int r = 0; r < inBlock; ++r) {
            char* data = const_cast<char*>(bytes.constData()) + start + 6 + qint64(r) * recordSize;
            QVariantList row;
            row.reserve(count);
            for (int i = 0; i < count; ++i) {
                row << valueOf(doc, fields[i], data, decoder);
                data += fields[i].px_flen;
            }
            contents.rows.push_back(std::move(row));
        }
        block = next;
    }
    if (qint64(contents.rows.size()) != head.px_numrecords)
        throw damaged(path, QStringLiteral("os seus blocos guardam %1 registros, e o cabeçalho declara %2")
                                .arg(contents.rows.size())
                                .arg(head.px_numrecords));
    return contents;
}

}
