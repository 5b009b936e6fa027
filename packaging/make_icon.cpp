// Writes the program's 32 x 32 icon, as the main window draws it, to a PNG
// file for the desktop's icon theme.  Usage: make_icon OUT.png
#include "Gmc1.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QPixmap icon = TMainForm::ApplicationIcon().pixmap(32, 32);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
