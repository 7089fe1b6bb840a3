#include "CollectiveCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/CoreError.h"
#include "maintenance/CollectiveInclusion.h"

namespace Cli {

namespace {

const QString SameInHistory = QStringLiteral("--mesmo-no-historico");


}

int RunIncludeFile(const QStringList& arguments)
{
    QString file;
    bool evenInHistory = false;
    for (const QString& argument : arguments) {
        if (argument == SameInHistory && !evenInHistory)
            evenInHistory = true;
        else if (file.isEmpty() && !argument.isEmpty() && !argument.startsWith(QStringLiteral("--")))
            file = argument;
        else
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(argument), CollectiveUsage());
    }
    if (file.isEmpty())
        return badUsage(QStringLiteral("Falta o arquivo de inclusão coletiva."), CollectiveUsage());

    const QStringList lines = ReadCollectiveFile(fromStartFolder(file));
    // No one to answer: a number still in the history stops the whole run unless the flag says yes.
    const CollectiveQuestion ask = [evenInHistory](const QString& question) {
        if (evenInHistory)
            return true;
        err(question);
        throw CoreError(QStringLiteral("Nenhum militar foi incluído. Para confirmar, repita o comando com %1.")
                            .arg(SameInHistory));
    };
    const CollectiveNotice tell = [](const QString& message) {
        QString flat = message;
        err(flat.replace(QStringLiteral("\n\n"), QStringLiteral(" -")).trimmed());
    };
    // The spelling is kept as written and nothing is learned: the command line asks nothing.
    const RankChooser keepAsWritten = [](const QString&, const QStringList&) { return std::optional<int>(); };

    const CollectiveInclusion result = IncludeCollective(lines, ask, tell, keepAsWritten);
    for (const QString& line : result.beigeLines)
        out(line);
    if (!result.ranks.leftAsTyped.isEmpty()) {
        out(QStringLiteral("== Postos/Graduações não reconhecidos (mantidos como escritos)"));
        for (const QString& spelling : result.ranks.leftAsTyped)
            out(spelling);
    }
    return Ok;
}

QString CollectiveUsage()
{
    return QStringLiteral("     ravelha-cli [--dados PASTA] incluir-arquivo ARQUIVO [--mesmo-no-historico]\n");
}

}
