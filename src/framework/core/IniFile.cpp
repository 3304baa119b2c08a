// Temporary minimal implementation; replaced by the full ini service.
#include "framework/core/IniFile.h"
#include <QStandardPaths>
namespace IniFile {
static QString g_dir;
QString Directory() {
    if (!g_dir.isEmpty()) return g_dir;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quintaro";
}
void SetDirectory(const QString& dir) { g_dir = dir; }
QString ResolvePath(const QString& f) { return Directory() + "/" + f; }
QString ReadString(const QString&, const QString&, const QString&, const QString& d) { return d; }
bool WriteString(const QString&, const QString&, const QString&, const QString&) { return false; }
QList<QPair<QString, QString>> ReadSection(const QString&, const QString&) { return {}; }
}
