#include "app/Platform.h"

#include "app/AppInfo.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <cstring>
#include <memory>
#include <utility>

namespace platform {

namespace {

// Long enough for an opener to find that no viewer takes the document.
constexpr int BusyCursorLimitMs = 5000;

MessageBoxes realBoxes;
MessageBoxes *installedBoxes = nullptr;

// A message box centred on the screen its owner is on. It is placed when it
// shows, once it has fixed its final (wrapped) size; where the desktop does
// not let programs place windows (Wayland), the desktop places it.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        const QWidget *owner = parentWidget();
        const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
    }
};

void copyToBuffer(char (&buffer)[80], const char *text)
{
    std::strncpy(buffer, text ? text : "", sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
}

QStringList dataDirectories()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList dirs;
    // A program run from its build tree uses the help built beside it; an
    // installed one its own prefix's copy, wherever the prefix was moved to.
    if (!appDir.isEmpty() && QDir(appDir).exists(QStringLiteral(ZOLPORT_BUILD_HELP_DIR_NAME)))
        dirs << QDir(appDir).filePath(QStringLiteral(ZOLPORT_BUILD_HELP_DIR_NAME));
    if (!appDir.isEmpty())
        dirs << QDir(appDir).filePath(QStringLiteral("../share/zolport"));
    dirs << QStringLiteral(ZOLPORT_INSTALL_DATA_DIR);
    // Last, for the tests, which run from their own folder of the build tree.
    dirs << QStringLiteral(ZOLPORT_BUILD_HELP_DIR);
    return dirs;
}

} // namespace

void MessageBoxes::inform(QWidget *owner, const QString &text)
{
    CentredMessageBox box(QMessageBox::Information, QString::fromUtf8(ApplicationTitle), text, QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxes::confirm(QWidget *owner, const QString &text)
{
    CentredMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                          owner);
    return box.exec() == QMessageBox::Yes;
}

MessageBoxes &MessageBoxes::current()
{
    return installedBoxes ? *installedBoxes : realBoxes;
}

MessageBoxes *MessageBoxes::install(MessageBoxes *boxes)
{
    MessageBoxes *previous = installedBoxes;
    installedBoxes = boxes;
    return previous;
}

QString mapDirectory(const QString &directory)
{
#ifdef Q_OS_WIN
    return directory;
#else
    if (directory.compare(QString::fromLatin1(HelpDirectory), Qt::CaseInsensitive) != 0)
        return directory;
    const QStringList candidates = dataDirectories();
    for (const QString &candidate : candidates)
        if (QFileInfo::exists(QDir(candidate).filePath(QString::fromLatin1(HelpDocument))))
            return QDir::cleanPath(candidate);
    return QDir::cleanPath(QStringLiteral(ZOLPORT_INSTALL_DATA_DIR));
#endif
}

int ShellOpenFile(const char *fileName, const char *parameters, const char *directory, int showCommand,
                  const std::function<void()> &failed)
{
    char file[80];
    char params[80];
    char dir[80];
    copyToBuffer(file, fileName);
    copyToBuffer(params, parameters);
    copyToBuffer(dir, directory);
    Q_UNUSED(showCommand); // the desktop decides how its viewer shows the file

    const QString path = QDir(mapDirectory(QString::fromLocal8Bit(dir))).filePath(QString::fromLocal8Bit(file));
    const auto fail = [failed](int code) {
        if (failed)
            failed();
        return code;
    };
    if (!QFileInfo(path).isFile())
        return fail(2); // "file not found"
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener starts even where no viewer for the file is
    // installed, and then says so only in its exit code.
    auto *opener = new QProcess(qApp);
    // Looking for a viewer, or finding none, can take the opener seconds: a
    // busy cursor says so at once. It goes when the opener ends, or after a
    // while where the opener waits for the viewer it started.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const auto busy = std::make_shared<bool>(true);
    const auto notBusy = [busy] {
        if (std::exchange(*busy, false))
            QGuiApplication::restoreOverrideCursor();
    };
    QTimer::singleShot(BusyCursorLimitMs, qApp, notBusy);
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, fail, notBusy](int exitCode, QProcess::ExitStatus status) {
                         notBusy();
                         if (status != QProcess::NormalExit || exitCode != 0)
                             fail(31);
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, fail, notBusy](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            notBusy();
            fail(31);
            opener->deleteLater();
        }
    });
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start(QStringLiteral("xdg-open"), {path});
    return opener->state() == QProcess::NotRunning ? 31 : 42;
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? 42 : fail(31);
#endif
}

void showHelpContext(QWidget *owner, const QString &helpFile, int context)
{
    Q_UNUSED(helpFile);
    Q_UNUSED(context); // context 0: the contents, the whole help text
    // One help window: asked again, it comes to the front.
    if (auto *shown = owner ? owner->findChild<QDialog *>(QStringLiteral("HelpWindow")) : nullptr) {
        shown->show();
        shown->raise();
        shown->activateWindow();
        return;
    }
    auto *dialog = new QDialog(owner);
    dialog->setObjectName(QStringLiteral("HelpWindow"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QString::fromUtf8(ApplicationTitle) + QStringLiteral(" - Ajuda"));
    auto *browser = new QTextBrowser(dialog);
    // A caret that the keys move, so that a screen reader reads the help by
    // line and by paragraph, heading by heading, not as one block.
    browser->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    browser->setAccessibleName(dialog->windowTitle());
    QFile text(QStringLiteral(":/help/help.html"));
    if (text.open(QIODevice::ReadOnly))
        browser->setHtml(QString::fromUtf8(text.readAll()));
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(browser);
    dialog->resize(640, 520);
    dialog->show();
}

} // namespace platform
