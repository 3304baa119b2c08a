#include "support/TestSupport.h"

#include "framework/core/IniFile.h"

#include <QFile>
#include <QTest>

ScopedSettingsDir::ScopedSettingsDir() : m_previous(IniFile::Directory()) {
    IniFile::SetDirectory(m_dir.path());
}

ScopedSettingsDir::~ScopedSettingsDir() {
    IniFile::SetDirectory(m_previous);
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
