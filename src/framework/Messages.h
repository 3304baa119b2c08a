#pragma once

#include <QString>

class QWidget;

// Every modal message box of the program goes through here, so tests can
// answer them. The program's own implementation shows QMessageBox.
class TMessages {
public:
    virtual ~TMessages() = default;

    // OK/Cancel confirmation; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // A note with an OK button.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    virtual void Warning(QWidget* parent, const QString& text) = 0;
    virtual void Error(QWidget* parent, const QString& text) = 0;

    static TMessages& Instance();
    // Replaces the implementation (tests); nullptr restores the real one.
    static void SetInstance(TMessages* messages);
};
