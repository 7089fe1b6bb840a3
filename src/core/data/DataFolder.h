#pragma once
// Where the data live. Text files are named by their bare names and found in the data folder;
// the default folder is $HOME/Molvedan/Ravelha (on Windows C:\Molvedan\Ravelha, or the user's
// documents where C:\ takes no new folder), and --dados DIR or RAVELHA_DADOS point elsewhere.

#include <QString>
#include <QStringList>

namespace DataFolder {

// The folder chosen by the command line (--dados DIR), else RAVELHA_DADOS, else the default.
// `arguments` is the program's argument list; "--dados DIR" is taken out of it.
QString choose(QStringList& arguments);
QString defaultPath();
// The Windows rule, on any system for its test: `keepersRoot`/Molvedan/Ravelha (the root of drive
// C:) or `documents`/Molvedan/Ravelha; the one already in use first, else the keepers' place where
// a folder can be made in it. Makes `keepersRoot`/Molvedan when it can, nothing else.
QString defaultPathOf(const QString& keepersRoot, const QString& documents);

// The data folder of this run, and a file in it by bare name.
void setPath(const QString& folder);
QString path();
QString file(const QString& bareName);

// Whether `name` is the temporary file a whole-file rewrite of `file` (QSaveFile) leaves when it is
// stopped half-way: the file's own name, a dot and six letters.
bool isUnfinishedWriteOf(const QString& name, const QString& file, Qt::CaseSensitivity names = Qt::CaseSensitive);

// Removes what a write stopped half-way (a kill, a power cut) left in the data folder: the
// temporary file in which one of `ownFiles` was being written, named like it followed by a dot and
// six letters. Nothing else is touched, nor a link. Returns the names removed.
QStringList removeUnfinishedWrites(const QStringList& ownFiles);

// Names `folder` the data folder for as long as it lives, then the one before it again (a check
// or an import working on another folder for a moment).
class For {
public:
    explicit For(const QString& folder) : m_before(path()) { setPath(folder); }
    ~For() { setPath(m_before); }
    For(const For&) = delete;
    For& operator=(const For&) = delete;

private:
    QString m_before;
};

}
