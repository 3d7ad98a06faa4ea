#pragma once

#include <QString>

// How a file that could not be written or removed is named to the clerk.
namespace FileError {

// `lead` ("无法写入文件：" unless told) and the path, with the cause of the system
// error `cause` (an errno value) when there is one.
QString text(const QString& path, int cause = 0, const QString& lead = QStringLiteral("无法写入文件："));

} // namespace FileError
