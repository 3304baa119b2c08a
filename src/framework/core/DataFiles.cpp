#include "framework/core/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace DataFiles {

QString Locate(const QString& name, const QString& programDir) {
    const QDir dir(programDir);
    const QString beside = dir.filePath(name);
    const QString installed = QDir::cleanPath(dir.filePath(QStringLiteral("../share/quintaro/") + name));
    for (const QString& path : {beside, installed}) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return beside;
}

QString Locate(const QString& name) {
    return Locate(name, QCoreApplication::applicationDirPath());
}

} // namespace DataFiles
