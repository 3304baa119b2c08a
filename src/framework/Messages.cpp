#include "framework/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class BoxMessages final : public TMessages {
public:
    bool Confirm(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, QApplication::applicationName(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Ok) == QMessageBox::Ok;
    }
    void Information(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QApplication::applicationName(), text, QMessageBox::Ok);
    }
    void Warning(QWidget* parent, const QString& text) override {
        QMessageBox::warning(parent, QApplication::applicationName(), text, QMessageBox::Ok);
    }
    void Error(QWidget* parent, const QString& text) override {
        QMessageBox::critical(parent, QApplication::applicationName(), text, QMessageBox::Ok);
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
