#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTimer;
class QWidget;

// Has a screen reader say short texts at once, without moving the focus or
// taking a key. Qt 6.4 has no announcement API, and Orca 43 speaks neither a
// control's changed name nor text written into a box without the focus; it
// does speak a notification that appears in a status bar, and without the
// word "notification". So the window gets such a pair of accessible objects,
// which no one sees and Tab never reaches; each announcement shows the
// notification anew, with the text as its name.
//
// Texts given in one turn of the event loop are said as one ("Error!" and the
// score), after the focus has moved wherever the command moved it: the screen
// reader cuts what it is saying for the newest. While a box or another window
// covers the drill they wait; when the drill is active again, its question is
// said again, a moment later, so that it cuts the window's title that the
// screen reader starts to say rather than be cut by it. Underscores of the
// word data are said as the blanks they stand for.
//
// The language of each text is kept for the day a screen reader can be told:
// Qt 6.4 gives an accessible object no language of its own (no object
// attributes, no locale but the application's), and Orca 43 says every text
// in the one voice of its settings.
class Announcer : public QObject
{
    Q_OBJECT

public:
    struct Part
    {
        QString text;
        QString language;
        bool operator==(const Part &) const = default;
    };

    explicit Announcer(QWidget *window);

    // The question now on show, in parts of their own language (the word, its
    // choices): said now, and again when the window comes back.
    void question(const QList<Part> &parts);
    // A verdict, the expected answer, the score.
    void say(const QString &text, const QString &language);

    // The last text handed to the screen reader, and its language ("en", "pt-BR";
    // empty where its parts differ).
    QString spoken() const { return m_spoken; }
    QString language() const { return m_language; }

signals:
    void announced(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void queue(const QString &text, const QString &language);
    void flush();

    QWidget *m_window;
    QObject *m_notice; // the notification; this object is its status bar
    QTimer *m_flush;
    QList<Part> m_pending;
    QList<Part> m_question;
    QString m_spoken;
    QString m_language;
};
