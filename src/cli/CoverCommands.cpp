#include "CoverCommands.h"

#include "CliSupport.h"

#include "maintenance/CoverSettings.h"

namespace Cli {

namespace {

void printCover(const CoverText& cover)
{
    const QString captions[] = {QStringLiteral("Linha 1"), QStringLiteral("Linha 2"), QStringLiteral("Linha 3"),
                                QStringLiteral("Linha 4")};
    for (int i = 0; i < 4; ++i)
        out(captions[i] + QStringLiteral(": ") + cover.lines.value(i));
    out(QStringLiteral("Foto da Capa: ") + cover.picture);
}

}

int RunCover(const QStringList& arguments)
{
    if (arguments.isEmpty()) {
        printCover(ReadCover());
        return Ok;
    }
    if (arguments.first() != QStringLiteral("gravar") || arguments.size() != 6) {
        err(QStringLiteral("Use: capa, ou capa gravar LINHA1 LINHA2 LINHA3 LINHA4 FOTO (textos vazios entre aspas)."));
        err(CoverUsage());
        return BadUsage;
    }
    CoverText cover;
    cover.lines = arguments.mid(1, 4);
    cover.picture = arguments.at(5);
    // Niveis.Txt keeps one text a line: a line break would push the picture and the place of the
    // backup copy to other lines.
    const QStringList names = {QStringLiteral("A Linha 1"), QStringLiteral("A Linha 2"), QStringLiteral("A Linha 3"),
                               QStringLiteral("A Linha 4"), QStringLiteral("A Foto da Capa")};
    for (int i = 0; i < names.size(); ++i) {
        const QString& text = arguments.at(i + 1);
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            err(QStringLiteral("%1 tem uma quebra de linha; cada texto da capa ocupa uma só linha. Nada foi alterado.")
                    .arg(names.at(i)));
            return Refused;
        }
    }
    // The backup folder on the sixth line is the one the program started with.
    SaveCover(cover);
    printCover(cover);
    return Ok;
}

QString CoverUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] capa [gravar LINHA1 LINHA2 LINHA3 LINHA4 FOTO]\n");
}

}
