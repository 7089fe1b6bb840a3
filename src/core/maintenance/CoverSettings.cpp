#include "CoverSettings.h"

#include "data/DataFiles.h"
#include "data/UGlobal.h"

namespace {

void write(const CoverText& cover, const QString& backupFolder)
{
    DataFiles::CoverSettings settings;
    for (int i = 0; i < 4; ++i)
        settings.coverLines << cover.lines.value(i);
    settings.picture = cover.picture;
    settings.backupFolder = backupFolder;
    DataFiles::WriteNiveis(settings);
    GlobalModel& g = Global();
    g.CoverLines = settings.coverLines;
    g.CoverLines << settings.picture;
    g.BackupFolder = backupFolder;
}

}

CoverText ReadCover()
{
    const DataFiles::CoverSettings settings = DataFiles::ReadNiveis();
    return CoverText{settings.coverLines, settings.picture};
}

CoverText CurrentCover()
{
    const QStringList& lines = Global().CoverLines;
    CoverText cover;
    for (int i = 0; i < 4; ++i)
        cover.lines << lines.value(i);
    cover.picture = lines.value(4);
    return cover;
}

void SaveCover(const CoverText& cover)
{
    write(cover, Global().BackupFolder);
}

void SaveBackupFolderSetting(const QString& folder)
{
    write(CurrentCover(), folder);
}
