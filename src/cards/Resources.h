#pragma once

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

class EResNotFound : public std::runtime_error {
public:
    explicit EResNotFound(const QString& name)
        : std::runtime_error(("Resource " + name + " not found").toStdString()) {}
};

} // namespace Resources
