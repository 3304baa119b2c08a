#include "framework/core/Modules.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QString>

namespace Modules {

QFunctionPointer Resolve(const char* module, const char* function) {
    const QString dir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QStringLiteral(".");
    for (const QString& where : {dir, dir + "/..", dir + "/../lib/quintaro"}) {
        QLibrary library(where + '/' + QString::fromLatin1(module));
        if (QFunctionPointer found = library.resolve(function))
            return found;
    }
    return nullptr;
}

} // namespace Modules
