#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Window positions kept in the settings file, one section per window: the selector keeps
// its position only ("MainWindow"), game windows their normal geometry and show state
// (the game's section, or "s" + section for the small-card window). Plain values only:
// the windows themselves apply them.
namespace WindowPlacement {

// How the window was last shown; the numbers are the ones written to "ShowCmd".
enum class TShowState { Normal = 1, Minimized = 2, Maximized = 3 };

struct TPlacement {
    QRect normalGeometry; // the geometry when neither minimized nor maximized
    TShowState state = TShowState::Normal;
};

// Writes "NormPos" = "left,top,width,height" and "ShowCmd"; false when the file cannot be written.
bool Save(const QString& section, const TPlacement& placement,
          const QString& fileName = QStringLiteral("Solitaire.ini"));
// Nothing when absent or unusable (not four integers, an empty or absurd size);
// an unusable "ShowCmd" reads as Normal.
std::optional<TPlacement> Load(const QString& section,
                               const QString& fileName = QStringLiteral("Solitaire.ini"));

// Position only: "Position" = "left,top".
bool SavePosition(const QString& section, const QPoint& topLeft,
                  const QString& fileName = QStringLiteral("Solitaire.ini"));
std::optional<QPoint> LoadPosition(const QString& section,
                                   const QString& fileName = QStringLiteral("Solitaire.ini"));

// Where a window whose frame has the given size goes to lie centred in `available` (a
// screen's area without its panels) and wholly inside it. A frame larger than the area
// keeps its top-left corner, and so its caption, inside.
QRect Centred(QSize frame, const QRect& available);

} // namespace WindowPlacement
