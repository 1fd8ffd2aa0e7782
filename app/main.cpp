#include "app/AppInfo.h"
#include "app/TForm1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("zolport"));
    app.setProperty("HelpFile", QString::fromLatin1(ApplicationHelpFile));

    TForm1 form;
    form.show(); // maximized: the window asks for it itself
    return app.exec();
}
