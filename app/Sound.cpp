#include "app/Sound.h"

#include "audio/Output.h"
#include "drill/Speech.h"
#include "drill/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPluginLoader>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <utility>

namespace audio {

namespace {

// Where the audio module can be: beside a program in the build tree; in the
// program's own prefix, wherever it was moved to; in the configured prefix;
// and, for the tests, which run from their own folders of the build tree, in
// the build tree.
QStringList moduleDirectories()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList dirs;
    if (!appDir.isEmpty()) {
        dirs << appDir;
        dirs << QDir(appDir).filePath(QStringLiteral("../" ZOLPORT_MODULE_INSTALL_DIR));
    }
    dirs << QStringLiteral(ZOLPORT_MODULE_INSTALL_FULL_DIR);
    if (appDir.startsWith(QStringLiteral(ZOLPORT_MODULE_BUILD_DIR)))
        dirs << QStringLiteral(ZOLPORT_MODULE_BUILD_DIR);
    return dirs;
}

class Silence : public Output {
public:
    void playCue(const QUrl &) override { }
    void say(const QString &) override { }
};

Output *installed = nullptr;
Output *module = nullptr;
QString moduleFileName;
QPluginLoader *moduleLoader = nullptr;
QPointer<QObject> moduleObject;

// At the application's end, the module's object (its sinks with it) and our
// loader go. The library stays mapped, as Qt leaves every plugin: Qt
// Multimedia's sound server thread and its globals end with the process.
void freeModule()
{
    delete moduleObject;
    delete std::exchange(moduleLoader, nullptr);
    module = nullptr;
}

Output &loadModule()
{
    static Silence silence;
    static bool tried = false;
    if (module || std::exchange(tried, true))
        return module ? *module : silence;
    const QString name = QStringLiteral("libzolport_audio.so");
    QStringList errors;
    for (const QString &dir : moduleDirectories()) {
        const QString path = QDir::cleanPath(QDir(dir).filePath(name));
        if (!QFileInfo::exists(path))
            continue;
        auto loader = std::make_unique<QPluginLoader>(path);
        moduleObject = loader->instance();
        module = qobject_cast<Output *>(moduleObject);
        if (module) {
            moduleFileName = path;
            moduleLoader = loader.release();
            qAddPostRoutine(freeModule);
            return *module;
        }
        errors << loader->errorString();
    }
    qWarning("zolport: no sound: %s",
             qPrintable(errors.isEmpty() ? name + QStringLiteral(" not found") : errors.join(QStringLiteral("; "))));
    return silence;
}

QString spoken(std::string_view english, vocabulary::Group group)
{
    return drill::fromWindows1252(drill::spokenText(english, group));
}

// Watches the application's input until the first press in the window.
class FirstInput : public QObject {
public:
    explicit FirstInput(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress) && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
            output();
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

Output &output()
{
    return installed ? *installed : loadModule();
}

Output *install(Output *output)
{
    return std::exchange(installed, output);
}

void loadOnFirstInput(QWidget *window)
{
    new FirstInput(window);
}

QString moduleFile()
{
    return moduleFileName;
}

void sayEnglish(std::string_view english, vocabulary::Group group)
{
    const QString text = spoken(english, group);
    if (!text.isEmpty())
        output().say(text);
}

QStringList phonesSaid(std::string_view english, vocabulary::Group group)
{
    return output().phones(spoken(english, group));
}

} // namespace audio

SoundCue::SoundCue(QObject *parent)
    : QObject(parent)
{
}

void SoundCue::setSource(const QUrl &source)
{
    if (source == m_source)
        return;
    m_source = source;
    emit sourceChanged();
}

void SoundCue::play()
{
    audio::output().playCue(m_source);
}
