// Conversions between the dialog's texts (QString) and paths as the file system takes
// them (bytes in a std::string, never re-encoded on their way to the scan).
//
// Pure inline functions; any thread.
#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

[[nodiscard]] inline std::string ToPathBytes(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

[[nodiscard]] inline QString FromPathBytes(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}
