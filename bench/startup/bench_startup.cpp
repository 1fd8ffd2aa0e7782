// Time from exec to the window mapped (X's MapNotify) and to the first
// question painted, and the resident memory 1.5 s after exec, beside an empty
// QMainWindow (the floor for any Qt program) and beside a main window that
// shows one word (the floor for any window with text: the font system set up
// and one font loaded): they run in turns, each as a fresh process started by
// this one.
//
//   bench_startup [rounds]                  the comparison
//   bench_startup [rounds] --against OTHER  the same, and the drill and empty window of OTHER,
//                                           this benchmark built from an earlier tree
//   bench_startup --probe drill START_NS    one start of the drill window, as main() starts it
//   bench_startup --probe empty START_NS    one start of an empty main window
//   bench_startup --probe word START_NS     one start of a main window showing a word
//
// An aim set against an earlier figure is checked against that earlier
// program: build this file in the earlier tree (git worktree, then copy it
// over its bench/startup), and its probes run in the same rounds as ours.
//
// The probes print "<mapped ns> <painted ns> <VmRSS kB>" (CLOCK_MONOTONIC) once
// 1.5 s have passed since START_NS, and end. Use the display in DISPLAY (xcb),
// else offscreen (where the first paint stands for the map).

#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/TForm1.h"

#include <QAbstractNativeEventFilter>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
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
#include <iterator>
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

constexpr long long MemorySampleNs = 1500000000LL; // resident memory is read 1.5 s after exec

// Notes the moments of the first map and the first painted frame, and
// reports them with the resident memory 1.5 s after exec.
class Probe : public QObject, public QAbstractNativeEventFilter {
public:
    Probe(QWidget *watched, std::function<bool()> ready, long long startNs)
        : m_ready(std::move(ready))
        , m_startNs(startNs)
    {
        watched->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_mapped = qgetenv("QT_QPA_PLATFORM") == "xcb" ? 0 : -1;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        // xcb_generic_event_t starts with its response type; 19 is MapNotify.
        if (m_mapped == 0 && type == "xcb_generic_event_t" && (*static_cast<const quint8 *>(message) & 0x7f) == 19)
            noteMapped(monotonicNs());
        return false;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_painted == 0 && m_ready()) {
            QTimer::singleShot(0, this, [this] {
                m_painted = monotonicNs();
                if (m_mapped < 0)
                    noteMapped(m_painted);
                reportWhenDue();
            });
        }
        return false;
    }

private:
    void noteMapped(long long ns)
    {
        m_mapped = ns;
        reportWhenDue();
    }

    void reportWhenDue()
    {
        if (m_mapped <= 0 || m_painted == 0)
            return;
        const long long wait = std::max(0LL, m_startNs + MemorySampleNs - monotonicNs());
        QTimer::singleShot(int(wait / 1000000), this, [this] {
            std::printf("%lld %lld %ld\n", m_mapped, m_painted, residentKb());
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    std::function<bool()> m_ready;
    long long m_startNs;
    long long m_mapped = 0;
    long long m_painted = 0;
};

int probe(int argc, char **argv, const char *kind, long long startNs)
{
    QApplication app(argc, argv);
    if (std::strcmp(kind, "drill") != 0) {
        // Maximized as the drill's window is, so that both pay for the same
        // window surface (5 MB at 1280 x 1024).
        QMainWindow window;
        if (std::strcmp(kind, "word") == 0)
            window.setCentralWidget(new QLabel(QStringLiteral("word")));
        Probe watch(
            &window, [] { return true; }, startNs);
        window.showMaximized();
        return app.exec();
    }
    // The steps of main(), then the same window.
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("zolport"));
    app.setProperty("HelpFile", QString::fromLatin1(ApplicationHelpFile));
    TForm1 form;
    Probe watch(
        form.Edit1->viewport(),
        [&form] { return !form.Edit1->toPlainText().startsWith(QLatin1String("Select level")); }, startNs);
    form.show();
    return app.exec();
}

struct Sample {
    double mappedMs = 0;
    double paintedMs = 0;
    double rssMb = 0;
};

// preload: a library loaded into the probe before it starts (LD_PRELOAD).
bool runProbe(const char *binary, const char *kind, const char *preload, Sample &sample)
{
    std::vector<std::string> variables;
    for (char **v = environ; *v; ++v)
        if (std::strncmp(*v, "LD_PRELOAD=", 11) != 0)
            variables.emplace_back(*v);
    if (preload)
        variables.push_back(std::string("LD_PRELOAD=") + preload);
    std::vector<char *> env;
    for (std::string &v : variables)
        env.push_back(v.data());
    env.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The probes' own chatter (no sound device, and the like) is not a figure.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const long long start = monotonicNs();
    std::string startText = std::to_string(start);
    char *args[] = {const_cast<char *>(binary), const_cast<char *>("--probe"), const_cast<char *>(kind),
                    startText.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, binary, &actions, nullptr, args, env.data());
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
    long long mapped = 0;
    long long painted = 0;
    long rss = 0;
    if (std::sscanf(text.c_str(), "%lld %lld %ld", &mapped, &painted, &rss) != 3)
        return false;
    sample.mappedMs = double(mapped - start) / 1e6;
    sample.paintedMs = double(painted - start) / 1e6;
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
    if (argc == 4 && std::strcmp(argv[1], "--probe") == 0)
        return probe(argc, argv, argv[2], std::atoll(argv[3]));

    int rounds = 15;
    const char *earlier = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--against") == 0 && i + 1 < argc)
            earlier = argv[++i];
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';

    // The second: an empty window in a program that links Qt Multimedia, as
    // this benchmark's own empty window did while the drill linked it.
    struct Kind {
        const char *binary;
        const char *probe;
        const char *preload;
        const char *label;
        const char *against; // how the drill's ratio to it is labelled
    };
    std::vector<Kind> kinds
        = {{self, "empty", nullptr, "empty QMainWindow (maximized)", "empty"},
           {self, "empty", "libQt6Multimedia.so.6", "the same, Qt Multimedia linked", "empty, Multimedia linked"},
           {self, "word", nullptr, "the same, showing one word", "one word"}};
    if (earlier) {
        kinds.push_back({earlier, "empty", nullptr, "the earlier build's empty window", "earlier empty window"});
        kinds.push_back({earlier, "drill", nullptr, "the earlier build's drill", "earlier drill"});
    }
    kinds.push_back({self, "drill", nullptr, "drill, first question shown", nullptr});
    const size_t drill = kinds.size() - 1;
    std::vector<std::vector<double>> mapped(kinds.size()), painted(kinds.size()), rss(kinds.size());
    for (int round = 0; round < rounds + 1; ++round) {
        for (size_t k = 0; k < kinds.size(); ++k) {
            Sample sample;
            if (!runProbe(kinds[k].binary, kinds[k].probe, kinds[k].preload, sample)) {
                std::fprintf(stderr, "the %s probe reported nothing\n", kinds[k].label);
                return 1;
            }
            if (round > 0) { // the first round only warms the file cache
                mapped[k].push_back(sample.mappedMs);
                painted[k].push_back(sample.paintedMs);
                rss[k].push_back(sample.rssMb);
            }
        }
    }
    std::printf("exec to the window mapped / first frame painted, resident memory 1.5 s after exec;\n"
                "median of %d interleaved rounds, platform %s\n",
                rounds, qgetenv("QT_QPA_PLATFORM").constData());
    for (size_t k = 0; k < kinds.size(); ++k)
        std::printf("  %-34s %6.1f ms / %6.1f ms  %6.1f MB\n", kinds[k].label, median(mapped[k]), median(painted[k]),
                    median(rss[k]));
    for (size_t k = 0; k < drill; ++k)
        std::printf("  drill / %-26s %6.2f x  / %6.2f x   %+6.1f MB\n", kinds[k].against,
                    median(mapped[drill]) / median(mapped[k]), median(painted[drill]) / median(painted[k]),
                    median(rss[drill]) - median(rss[k]));
    return 0;
}
