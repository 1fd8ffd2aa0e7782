#include "app/Announcer.h"

#include "app/Accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// What a screen reader says of a window that becomes active (its title, the
// focused control) has begun by then, and the announcement cuts it.
constexpr int AfterWindowTitle = 400; // ms

// A status bar that holds only the notification: Orca says a notification's
// role name, except in a status bar. It is nobody's child, so it takes no
// room among the window's controls, and no one walking them meets it.
class StatusAccessible : public QAccessibleObject
{
public:
    StatusAccessible(QObject *status, QObject *notice, QWidget *window)
        : QAccessibleObject(status)
        , m_notice(notice)
        , m_window(window)
    {
    }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_window); }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(m_notice) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == m_notice ? 0 : -1;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }

private:
    QObject *m_notice;
    QWidget *m_window;
};

class NoticeAccessible : public QAccessibleObject
{
public:
    explicit NoticeAccessible(QObject *notice, Announcer *announcer)
        : QAccessibleObject(notice)
        , m_announcer(announcer)
    {
    }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_announcer); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_announcer->spoken() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    Announcer *m_announcer;
};

} // namespace

Announcer::Announcer(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_notice(new QObject(this))
    , m_flush(new QTimer(this))
{
    QAccessible::registerAccessibleInterface(new StatusAccessible(this, m_notice, window));
    QAccessible::registerAccessibleInterface(new NoticeAccessible(m_notice, this));
    m_flush->setSingleShot(true);
    connect(m_flush, &QTimer::timeout, this, &Announcer::flush);
    window->installEventFilter(this);
}

void Announcer::question(const QList<Part> &parts)
{
    // A question replaced before it was said is not said.
    for (const Part &part : std::as_const(m_question))
        m_pending.removeAll(part);
    m_question = parts;
    for (const Part &part : parts)
        queue(part.text, part.language);
}

void Announcer::say(const QString &text, const QString &language)
{
    queue(text, language);
}

void Announcer::queue(const QString &text, const QString &language)
{
    if (text.isEmpty())
        return;
    m_pending << Part{text, language};
    if (!m_flush->isActive()) // a wait for the window's title stays
        m_flush->start(0);
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowActivate) {
        for (const Part &part : std::as_const(m_question))
            if (!m_pending.contains(part))
                queue(part.text, part.language);
        if (!m_pending.isEmpty())
            m_flush->start(AfterWindowTitle);
    }
    return QObject::eventFilter(watched, event);
}

void Announcer::flush()
{
    if (m_pending.isEmpty() || !m_window->isActiveWindow())
        return;
    QStringList texts;
    bool oneLanguage = true;
    for (const Part &part : std::as_const(m_pending)) {
        texts << part.text;
        oneLanguage = oneLanguage && part.language == m_pending.first().language;
    }
    m_spoken = readableText(texts.join(QLatin1Char(' ')));
    m_language = oneLanguage ? m_pending.first().language : QString();
    m_pending.clear();
    QAccessibleEvent shown(m_notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(m_spoken);
}
