#pragma once

#include <QString>

// Read-only files that come with the program (the tips). They lie beside the
// program in the build tree and in a copy run from one folder, and in
// share/quintaro of an installed prefix, next to the program's bin folder.
namespace DataFiles {

// The named file for a program in `programDir`: the first place that holds it,
// or the place beside the program when none does.
QString Locate(const QString& name, const QString& programDir);
// The same for the running program.
QString Locate(const QString& name);

} // namespace DataFiles
