#pragma once

#include <functional>

class QDialog;

// Every dialog that the program shows modally goes through Exec, so tests can
// answer it: a test installs a runner that inspects the dialog and returns a
// result (typically after clicking one of its buttons) instead of entering a
// nested event loop.
namespace Modal {

int Exec(QDialog& dialog);

using Runner = std::function<int(QDialog& dialog)>;
// Replaces the runner (tests); an empty function restores QDialog::exec().
void SetRunner(Runner runner);

} // namespace Modal
