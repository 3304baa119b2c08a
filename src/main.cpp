#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintaro"));
    QLabel placeholder(QStringLiteral("Quintaro"));
    placeholder.show();
    return QApplication::exec();
}
