#pragma once
// The code page of the text files, Windows-1252, done by the program itself: Qt knows it only
// through ICU, which the Windows build does not carry. The same characters and bytes as ICU's
// "windows-1252" (the five bytes it leaves undefined stand for the control characters of the same
// number, both ways).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace Windows1252 {

QString decode(QByteArrayView bytes);
// The bytes of `text`, or nothing when one of its characters has no byte in the code page.
std::optional<QByteArray> encode(QStringView text);

}
