#include "form/form1.h"
#include "app/programstart.h"
#include "boxes/qtmessageboxservice.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    hitungrama::QtMessageBoxService boxes;
    const std::unique_ptr<hitungrama::Form1> window =
        hitungrama::ProgramStart::createWindow("hitungrama", boxes);
    if (window == nullptr)
        return 1;
    return hitungrama::ProgramStart::run(*window);
}
