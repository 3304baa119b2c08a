#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <stdexcept>

// Resources compiled into the program, found by name regardless of case
// ("fs_border" and "FS_BORDER" are one picture).
namespace Resources {

// The resource path (":/...") of the named resource, or an empty string.
QString Path(const QString& name);
bool Exists(const QString& name);
// Loads a picture; throws EResNotFound when there is none of that name.
QImage Image(const QString& name);

// Pictures drawn for high-density screens are stored under the name followed
// by "@<scale>x" ("FS_BORDER@2x"), at <scale> times the size; Image gives
// them that device pixel ratio.
QString ScaledName(const QString& name, int scale);
// The scale to load for a screen of the given device pixel ratio: the least
// drawn scale at or above the ratio, else the largest drawn; 1 for ratios up
// to 1 and for pictures drawn at scale 1 only.
int BestScale(const QString& name, qreal ratio);
// The picture for a screen of the given ratio: the drawing at BestScale,
// resized smoothly when the ratio lies between drawn scales, with its device
// pixel ratio set so that it covers the logical size of the scale-1 picture.
// Throws EResNotFound as Image does.
QImage Picture(const QString& name, qreal ratio);
// An icon holding the named picture at every drawn scale up to the one that
// suits `ratio` (the highest ratio of the screens), so that each screen
// shows the one that suits it.
QIcon Icon(const QString& name, qreal ratio);
// An image of `scale` times its logical size resized smoothly for `ratio`
// (returned as it is when they agree), with its device pixel ratio set.
QImage Resized(const QImage& image, int scale, qreal ratio);

class EResNotFound : public std::runtime_error {
public:
    explicit EResNotFound(const QString& name)
        : std::runtime_error(("Resource " + name + " not found").toStdString()) {}
};

} // namespace Resources
