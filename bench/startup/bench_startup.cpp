// Time from exec to the first question painted, and the resident memory at
// that moment, beside an empty QMainWindow (the floor for any Qt program):
// the two run in turns, each as a fresh process started by this one.
//
//   bench_startup [rounds]          the comparison
//   bench_startup --probe drill     one start of the drill window, as main() starts it
//   bench_startup --probe empty     one start of an empty main window
//
// The probes print "<CLOCK_MONOTONIC ns> <VmRSS kB>" at their first painted
// frame and end at once. Use the display in DISPLAY (xcb), else offscreen.

#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/TForm1.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMainWindow>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long residentKb()
{
    FILE *status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (status && std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::atol(line + 6);
    if (status)
        std::fclose(status);
    return kb;
}

// Reports once, after the frame of the watched paint has been flushed.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *watched, std::function<bool()> ready)
        : m_ready(std::move(ready))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported && m_ready()) {
            m_reported = true;
            QTimer::singleShot(0, [] {
                std::printf("%lld %ld\n", monotonicNs(), residentKb());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    std::function<bool()> m_ready;
    bool m_reported = false;
};

int probe(int argc, char **argv, bool drill)
{
    QApplication app(argc, argv);
    if (!drill) {
        QMainWindow window;
        FirstPaint watch(&window, [] { return true; });
        window.show();
        return app.exec();
    }
    // The steps of main(), then the same window.
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("zolport"));
    app.setProperty("HelpFile", QString::fromLatin1(ApplicationHelpFile));
    TForm1 form;
    FirstPaint watch(form.Edit1->viewport(),
                     [&form] { return !form.Edit1->toPlainText().startsWith(QLatin1String("Select level")); });
    form.show();
    return app.exec();
}

struct Sample {
    double ms = 0;
    double rssMb = 0;
};

bool runProbe(const char *self, const char *kind, Sample &sample)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The probes' own chatter (no sound device, and the like) is not a figure.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *args[] = {const_cast<char *>(self), const_cast<char *>("--probe"), const_cast<char *>(kind), nullptr};
    pid_t pid = 0;
    const long long start = monotonicNs();
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string text;
    char buffer[128];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long painted = 0;
    long rss = 0;
    if (std::sscanf(text.c_str(), "%lld %ld", &painted, &rss) != 2)
        return false;
    sample.ms = double(painted - start) / 1e6;
    sample.rssMb = double(rss) / 1024.0;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    if (argc == 3 && std::strcmp(argv[1], "--probe") == 0)
        return probe(argc, argv, std::strcmp(argv[2], "drill") == 0);

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';

    std::vector<double> ms[2], rss[2];
    const char *kinds[2] = {"empty", "drill"};
    for (int round = 0; round < rounds + 1; ++round) {
        for (int k = 0; k < 2; ++k) {
            Sample sample;
            if (!runProbe(self, kinds[k], sample)) {
                std::fprintf(stderr, "the %s probe reported nothing\n", kinds[k]);
                return 1;
            }
            if (round > 0) { // the first round only warms the file cache
                ms[k].push_back(sample.ms);
                rss[k].push_back(sample.rssMb);
            }
        }
    }
    const double msEmpty = median(ms[0]), msDrill = median(ms[1]);
    const double rssEmpty = median(rss[0]), rssDrill = median(rss[1]);
    std::printf("exec to first painted frame, median of %d, platform %s\n", rounds,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  empty QMainWindow            %7.1f ms  %6.1f MB resident\n", msEmpty, rssEmpty);
    std::printf("  drill, first question shown  %7.1f ms  %6.1f MB resident\n", msDrill, rssDrill);
    std::printf("  ratio drill / empty          %7.2f x   %6.2f x\n", msDrill / msEmpty, rssDrill / rssEmpty);
    return 0;
}
