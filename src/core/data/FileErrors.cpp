#include "FileErrors.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace FileErrors {

namespace {

// The common failures of the system, by their number; Qt's text is the system's text for it.
const std::pair<int, const char*> Known[] = {
    {ENOSPC, "não há espaço livre no disco"},
#ifdef EDQUOT
    {EDQUOT, "a cota de disco do usuário acabou"},
#endif
    {ENOENT, "o arquivo ou a pasta não existe"},
    {EACCES, "permissão negada"},
    {EPERM, "operação não permitida"},
    {EROFS, "o disco só permite leitura"},
    {EISDIR, "o nome é de uma pasta"},
    {ENOTDIR, "um dos nomes do caminho não é uma pasta"},
    {ENAMETOOLONG, "o nome do arquivo é longo demais"},
    {EINVAL, "o nome do arquivo não é válido"},
    {EIO, "erro de leitura ou gravação no disco"},
    {EFBIG, "o arquivo passou do tamanho permitido"},
    {EEXIST, "o arquivo já existe"},
    {EBUSY, "o arquivo está em uso"},
#ifdef ETXTBSY
    {ETXTBSY, "o arquivo está em uso"},
#endif
    {EMFILE, "há arquivos abertos demais"},
    {ENFILE, "há arquivos abertos demais"},
#ifdef ELOOP
    {ELOOP, "o caminho dá voltas em atalhos"},
#endif
};

QString byKind(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return QStringLiteral("erro desconhecido");
    case QFileDevice::ReadError:
        return QStringLiteral("erro de leitura");
    case QFileDevice::WriteError:
        return QStringLiteral("erro de gravação");
    case QFileDevice::OpenError:
        return QStringLiteral("o arquivo não pôde ser aberto");
    case QFileDevice::PermissionsError:
        return QStringLiteral("permissão negada");
    case QFileDevice::RenameError:
        return QStringLiteral("o arquivo não pôde ser substituído");
    case QFileDevice::RemoveError:
        return QStringLiteral("o arquivo não pôde ser apagado");
    case QFileDevice::CopyError:
        return QStringLiteral("o arquivo não pôde ser copiado");
    case QFileDevice::ResizeError:
        return QStringLiteral("o tamanho do arquivo não pôde ser mudado");
    case QFileDevice::AbortError:
        return QStringLiteral("a gravação foi interrompida");
    case QFileDevice::TimeOutError:
        return QStringLiteral("o tempo de espera acabou");
    default:
        return QStringLiteral("erro do sistema de arquivos");
    }
}

}

QString reason(const QString& systemText, QFileDevice::FileError error)
{
    // Qt writes the system's text for the failure (strerror, in the locale of the run), sometimes
    // after words of its own: the text is recognised by its ending.
    for (const auto& [number, portuguese] : Known) {
        const QString system = QString::fromLocal8Bit(std::strerror(number));
        if (!system.isEmpty() && systemText.endsWith(system, Qt::CaseInsensitive))
            return QString::fromUtf8(portuguese);
    }
    return byKind(error);
}

QString reason(const QFileDevice& file)
{
    return reason(file.errorString(), file.error());
}

}
