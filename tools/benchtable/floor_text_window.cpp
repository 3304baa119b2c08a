// A second reference for start-up: the bare window with one line of text, so
// that the table shows what the first text alone costs (the font set-up).
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Klondike"));
    window.resize(320, 200);
    window.show();
    return QApplication::exec();
}
