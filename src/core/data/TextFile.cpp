#include "TextFile.h"

#include "CoreError.h"
#include "FileErrors.h"
#include "KillPoints.h"
#include "Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace TextFile {

namespace {

QString shownName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString decodeWith(QStringDecoder::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

}

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringDecoder::Utf8, QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringDecoder::Utf16LE, QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringDecoder::Utf16BE, QByteArrayView(bytes).sliced(2));

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError())
        return asUtf8;

    return Windows1252::decode(bytes);
}

QStringList splitLines(const QString& text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (unified.isEmpty())
        return {};
    if (unified.endsWith(QLatin1Char('\n')))
        unified.chop(1);
    return unified.split(QLatin1Char('\n'));
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw CoreError(QStringLiteral("O arquivo %1 não foi encontrado.").arg(shownName(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser lido: %2")
                            .arg(shownName(path), FileErrors::reason(file)));
    return splitLines(decode(file.readAll()));
}

QString readLine(const QString& path, int index)
{
    const QStringList lines = readLines(path);
    return index >= 0 && index < lines.size() ? lines.at(index) : QString();
}

QByteArray encode(const QStringList& lines)
{
    QByteArray bytes;
    bool whole = true;
    for (const QString& line : lines) {
        const std::optional<QByteArray> encoded = Windows1252::encode(line);
        if (!encoded) {
            whole = false;
            break;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    if (whole)
        return bytes;

    // A line Windows-1252 cannot hold (a folder named in Japanese, say) is kept whole: the file is
    // written in UTF-8 with a byte-order mark, which the reader recognises.
    QStringEncoder utf8(QStringEncoder::Utf8);
    bytes = "\xEF\xBB\xBF";
    for (const QString& line : lines) {
        bytes += utf8.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeLines(const QString& path, const QStringList& lines)
{
    const QByteArray bytes = encode(lines);
    const QFileInfo existing(path);
    if (existing.isDir())
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser gravado: há uma pasta com esse nome.")
                            .arg(shownName(path)));
    if (existing.exists() && !existing.isWritable())
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser gravado: o arquivo é somente leitura.")
                            .arg(shownName(path)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser gravado: %2")
                            .arg(shownName(path), FileErrors::reason(file)));
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    // A stop here leaves the old file whole and the new text in a temporary file beside it.
    KillPoints::reach("arquivo-temporario");
    if (!written || !file.commit())
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser gravado: %2")
                            .arg(shownName(path), FileErrors::reason(file)));
}

}

namespace TextFile {

namespace {

// The line (from 1) in which the byte at `offset` stands.
int lineAt(const QByteArray& bytes, qsizetype offset)
{
    const QByteArrayView seen = QByteArrayView(bytes).first(std::min(offset, bytes.size()));
    const qsizetype feeds = seen.count('\n');
    return int((feeds > 0 ? feeds : seen.count('\r')) + 1);
}

}

QStringList readLinesWithin(const QString& path, const Limits& limits)
{
    const QString name = shownName(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw CoreError(QStringLiteral("O arquivo %1 não foi encontrado.").arg(name));
    if (info.isDir())
        throw CoreError(QStringLiteral("%1 é uma pasta, não um arquivo.").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser lido: %2").arg(name, FileErrors::reason(file)));

    // In pieces, and one byte past the limit at most: a device such as /dev/zero never ends.
    constexpr qint64 Piece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= limits.maxBytes) {
        const QByteArray piece = file.read(std::min(Piece, limits.maxBytes + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError)
        throw CoreError(QStringLiteral("O arquivo %1 não pôde ser lido: %2").arg(name, FileErrors::reason(file)));
    if (bytes.size() > limits.maxBytes)
        throw CoreError(QStringLiteral("O arquivo %1 é grande demais para %2: passa de %3 KB já na linha %4 "
                                       "(no máximo %5 linhas, cada uma com %6). Nada foi alterado.")
                            .arg(name, limits.what)
                            .arg(limits.maxBytes / 1024)
                            .arg(lineAt(bytes, limits.maxBytes))
                            .arg(limits.maxLines)
                            .arg(limits.eachLine));

    const QStringList lines = splitLines(decode(bytes));
    int filled = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).size() > limits.maxLineChars)
            throw CoreError(QStringLiteral("A linha %1 do arquivo %2 tem %3 caracteres; uma linha de %4 tem no "
                                           "máximo %5. Nada foi alterado.")
                                .arg(i + 1)
                                .arg(name)
                                .arg(lines.at(i).size())
                                .arg(limits.what)
                                .arg(limits.maxLineChars));
        if (!lines.at(i).trimmed().isEmpty() && ++filled > limits.maxLines)
            throw CoreError(QStringLiteral("O arquivo %1 tem mais de %2 linhas preenchidas (a linha %3 é a "
                                           "%4ª); %5 tem no máximo %2, cada uma com %6. Nada foi alterado.")
                                .arg(name)
                                .arg(limits.maxLines)
                                .arg(i + 1)
                                .arg(filled)
                                .arg(limits.what, limits.eachLine));
    }
    return lines;
}

}
