#include "app/AppInfo.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
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

// SIGTERM (a desktop's logout), SIGINT and SIGHUP end the program as closing
// its window does, less the goodbye box that nobody is left to answer. The
// handler only writes a byte into a pipe; the window's thread reads it.
int signalPipe[2] = {-1, -1};

void onEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

void endOnSignals(TForm1 &form)
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &form);
    QObject::connect(notifier, &QSocketNotifier::activated, &form, [&form] {
        char byte;
        while (read(signalPipe[0], &byte, 1) > 0) {
        }
        form.KnownList.clear();
        form.ChoiceOrder.clear();
        // Not quit(): it would close the window, and its close asks for the goodbye box.
        QCoreApplication::exit(0); // a box still open returns, and the program ends
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
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
        endOnSignals(form);
        form.show(); // maximized: the window asks for it itself
        status = app.exec();
    }
    endProcess(status);
}
