#pragma once

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
