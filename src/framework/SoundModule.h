#pragma once

#include "framework/TSoundManager.h"

#include <QList>
#include <QString>

// What the program hands the sound module: its sounds, by name, with the
// resource path and the length read from the wave header (the waits are
// bounded by it).
struct TSoundClip {
    QString name; // upper case
    QString path; // ":/res/..."
    qint64 lengthMs = 0;
};

// The module's one entry point, "QuintaroCreateSoundOutput": a Qt Multimedia
// output for `clips`, owned by the caller. With `requireDevice` false it
// plays even without an audio device (the waits stay bounded).
using TCreateSoundOutput = ISoundOutput* (*)(const QList<TSoundClip>& clips, bool requireDevice);
