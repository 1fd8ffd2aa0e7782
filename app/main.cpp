#include "app/AppInfo.h"
#include "app/TForm1.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Ends the process once the window and the application are gone, without the
// libraries' global destructors. Qt 6.4's sound engine is such a global: it
// drops its PulseAudio connection there without holding the lock of the
// libpulse thread that still serves it, and libpulse, finding its own lists
// changed under it, aborts the program now and then. Everything of ours has
// been freed by then; the server sees the connection close with the process.
[[noreturn]] void endProcess(int status)
{
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check(); // the check that the skipped exit would have made
#endif
    _exit(status);
}

} // namespace

int main(int argc, char *argv[])
{
    int status = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
        QGuiApplication::setDesktopFileName(QStringLiteral("zolport"));
        app.setProperty("HelpFile", QString::fromLatin1(ApplicationHelpFile));

        TForm1 form;
        form.show(); // maximized: the window asks for it itself
        status = app.exec();
    }
    endProcess(status);
}
