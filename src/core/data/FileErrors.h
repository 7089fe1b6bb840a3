#pragma once
// Why a file could not be read or written, in Portuguese. Qt's own texts (errorString()) are the
// system's, in English on most machines: the keeper never reads them.

#include <QFileDevice>
#include <QString>

namespace FileErrors {

// The reason of the last failure of `file`: "não há espaço livre no disco", "permissão negada"...
QString reason(const QFileDevice& file);

// The same from the pieces: the text Qt gave and the kind of failure.
QString reason(const QString& systemText, QFileDevice::FileError error);

}
