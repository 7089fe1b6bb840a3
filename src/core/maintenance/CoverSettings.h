#pragma once
// The cover of the main window (four text lines and a picture) and the backup folder, kept
// together in Niveis.Txt. Every rewrite writes all six lines from the model, so a change of the
// cover keeps the backup folder and a change of the backup folder keeps the cover.

#include <QString>
#include <QStringList>

struct CoverText {
    QStringList lines;   // always four
    QString picture;     // the picture's file name, in the data folder
};

// Lines 1 to 5 of Niveis.Txt as the file holds them now.
CoverText ReadCover();

// Rewrites Niveis.Txt with the cover given and the backup folder of the model; the model takes
// the new cover only once the file is written (a failed write changes neither).
void SaveCover(const CoverText& cover);

// Rewrites Niveis.Txt with the model's cover and this backup folder; the model takes the folder
// once the file is written.
void SaveBackupFolderSetting(const QString& folder);

// The cover as the model holds it (what the main window shows).
CoverText CurrentCover();
