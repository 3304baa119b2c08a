#include "framework/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// A box over a window that was never shown (the hidden preferences dialog at
// start-up) would sit where that window would be, in the screen's corner:
// without one it is centred on the screen.
QWidget* Owner(QWidget* parent) {
    return parent && parent->window()->isVisible() ? parent : nullptr;
}

class BoxMessages final : public TMessages {
public:
    bool Confirm(QWidget* parent, const QString& text) override {
        return QMessageBox::question(Owner(parent), QApplication::applicationName(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Ok) == QMessageBox::Ok;
    }
    void Information(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QApplication::applicationName(), text, QMessageBox::Ok);
    }
    void Warning(QWidget* parent, const QString& text) override {
        QMessageBox::warning(Owner(parent), QApplication::applicationName(), text, QMessageBox::Ok);
    }
    void Error(QWidget* parent, const QString& text) override {
        QMessageBox::critical(Owner(parent), QApplication::applicationName(), text, QMessageBox::Ok);
    }
};

TMessages* g_override = nullptr;

} // namespace

TMessages& TMessages::Instance() {
    static BoxMessages real;
    return g_override ? *g_override : real;
}

void TMessages::SetInstance(TMessages* messages) {
    g_override = messages;
}
