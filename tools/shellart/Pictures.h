#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Every picture of the shell, each drawn from scratch.
namespace shellart {

// The names of the game previews, in the selector's list order.
QStringList PreviewNames();

// Each at `scale` times its size in the program's windows.
QImage JesterPicture(int pose, int scale); // 1 leaning left, 2 upright, 3 leaning right
QImage GamePreview(const QString& name, int scale);
QImage StartupPicture(int scale);
QImage CardSizePreview(bool large, int scale);
QImage WinStrip(int scale); // the ten frames of the win animation side by side
QImage InfoPicture(int scale);
QImage AppIcon(int size, int scale);
// The same icon as a vector drawing, for desktops that scale it themselves.
bool WriteScalableIcon(const QString& path);
QImage HelpGlyph(int scale);

} // namespace shellart
