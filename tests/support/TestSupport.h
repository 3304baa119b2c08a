#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points the settings file service at a fresh temporary folder for one test.
class ScopedSettingsDir {
public:
    ScopedSettingsDir();
    ~ScopedSettingsDir();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A file's bytes, or none when it cannot be read.
QByteArray FileBytes(const QString& path);
// Replaces a file's content with `bytes`; a test failure when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);
