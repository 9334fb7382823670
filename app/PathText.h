// Paths as the dialog handles them: conversions between its texts (QString) and paths as
// the file system takes them (bytes in a std::string, never re-encoded on their way to the
// scan), the root a destination text names, and the existence tests that enable Calculate
// and start a walk.
//
// Inline functions without state; any thread.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

[[nodiscard]] inline std::string ToPathBytes(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

[[nodiscard]] inline QString FromPathBytes(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// The root folder a destination text names: "~" alone, or "~" followed by a separator,
// stands for the home folder, as in a shell; every other text is taken as it is.
[[nodiscard]] inline std::string RootFromDestination(const QString& text)
{
    if (text.startsWith(QLatin1Char('~'))
        && (text.size() == 1 || text[1] == QLatin1Char('/') || text[1] == QDir::separator())) {
        return ToPathBytes(QDir::toNativeSeparators(QDir::homePath()) + text.mid(1));
    }
    return ToPathBytes(text);
}

// True when path names an existing file or folder (symbolic links followed); an empty path
// names nothing.
[[nodiscard]] inline bool PathFileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

// True when path names an existing folder (symbolic links followed).
[[nodiscard]] inline bool PathIsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}
