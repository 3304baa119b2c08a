#include "support/TestSupport.h"

#include "framework/core/IniFile.h"

ScopedSettingsDir::ScopedSettingsDir() : m_previous(IniFile::Directory()) {
    IniFile::SetDirectory(m_dir.path());
}

ScopedSettingsDir::~ScopedSettingsDir() { IniFile::SetDirectory(m_previous); }
