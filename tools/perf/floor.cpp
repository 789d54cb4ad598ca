// The floor program for start-up and memory comparisons: a plain window with
// a line edit and 41 standard push buttons laid out like the calculator's.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(304, 318);

    auto *display = new QLineEdit(QStringLiteral("0"), &window);
    display->setGeometry(8, 40, 289, 33);
    for (int i = 0; i < 41; ++i) {
        auto *button = new QPushButton(QString::number(i), &window);
        button->setGeometry(8 + (i % 7) * 40, 112 + (i / 7) * 32, 33, 25);
    }
    window.show();
    return app.exec();
}
