#pragma once

#include <QFunctionPointer>

// Parts of the program that pull in large libraries (picture decoding, charts,
// sound) are modules loaded when first used, so that start-up does not pay for
// them. A module lies beside the program (or its tests), or in the installed
// library folder.
namespace Modules {

// The named function of the named module ("quintaro_charts"), or null when the
// module or the function cannot be found. A module once loaded stays loaded.
QFunctionPointer Resolve(const char* module, const char* function);

template <typename Function> Function Find(const char* module, const char* function) {
    return reinterpret_cast<Function>(Resolve(module, function));
}

} // namespace Modules
