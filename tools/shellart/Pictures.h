#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Every picture of the shell, each drawn from scratch.
namespace shellart {

// The names of the game previews, in the selector's list order.
QStringList PreviewNames();

QImage JesterPicture(int pose); // 1 leaning left, 2 upright, 3 leaning right
QImage GamePreview(const QString& name);
QImage StartupPicture();
QImage CardSizePreview(bool large);
QImage WinStrip(); // the ten frames of the win animation side by side
QImage InfoPicture();
QImage AppIcon(int size);
// The same icon as a vector drawing, for desktops that scale it themselves.
bool WriteScalableIcon(const QString& path);
QImage HelpGlyph();

} // namespace shellart
