#include "framework/Modal.h"

#include <QDialog>

namespace Modal {
namespace {
Runner& Current() {
    static Runner runner;
    return runner;
}
} // namespace

int Exec(QDialog& dialog) {
    if (Current())
        return Current()(dialog);
    return dialog.exec();
}

void SetRunner(Runner runner) { Current() = std::move(runner); }

} // namespace Modal
