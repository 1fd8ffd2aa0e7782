#include "app/Accessibility.h"

#include "app/OneLineTextEdit.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QMetaObject>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>

namespace {

// The drawn buttons are plain widgets to Qt; without this a screen reader
// meets them as nameless panels that cannot be pressed.
class DrawnButtonAccessible : public QAccessibleWidget {
public:
    explicit DrawnButtonAccessible(QWidget *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        QString value = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && value.isEmpty())
            value = widget()->property("Caption").toString().remove(QLatin1Char('&'));
        return value;
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList {pressAction()} : QStringList {};
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            QMetaObject::invokeMethod(widget(), "click");
    }
};

// The text of the one-line boxes, as a screen reader reads it. Qt 6.4's own
// interfaces of these boxes ask their text cursor for positions before the
// start or past the end (a warning each time), and a line edit asked for the
// word or sentence at its end never returns. Here every offset is clamped to
// the text, and the segments come from one list.
class OneLineTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit OneLineTextAccessible(QWidget *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = readOnly();
        s.editable = !readOnly();
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? plainText() : QAccessibleWidget::text(t);
    }

    // --- QAccessibleTextInterface
    int characterCount() const override { return int(plainText().size()); }
    QString text(int start, int end) const override
    {
        const QString all = plainText();
        start = clamp(start);
        end = end < 0 ? int(all.size()) : clamp(end);
        return start < end ? all.mid(start, end - start) : QString();
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return segmentText(type, offset, 0, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return segmentText(type, offset, -1, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return segmentText(type, offset, +1, start, end);
    }
    int cursorPosition() const override
    {
        if (auto *line = lineEdit())
            return line->cursorPosition();
        return textEdit()->textCursor().position();
    }
    void setCursorPosition(int position) override
    {
        if (auto *line = lineEdit())
            return line->setCursorPosition(clamp(position));
        QTextCursor cursor = textEdit()->textCursor();
        cursor.setPosition(clamp(position));
        textEdit()->setTextCursor(cursor);
    }
    int selectionCount() const override
    {
        int start = 0, end = 0;
        selection(0, &start, &end);
        return start < end ? 1 : 0;
    }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index != 0)
            return;
        if (auto *line = lineEdit()) {
            if (line->hasSelectedText()) {
                *start = line->selectionStart();
                *end = line->selectionEnd();
            }
            return;
        }
        const QTextCursor cursor = textEdit()->textCursor();
        *start = cursor.selectionStart();
        *end = cursor.selectionEnd();
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setSelection(0, cursorPosition(), cursorPosition()); }
    void setSelection(int, int start, int end) override
    {
        start = clamp(start);
        end = clamp(end);
        if (auto *line = lineEdit())
            return line->setSelection(start, end - start);
        QTextCursor cursor = textEdit()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        textEdit()->setTextCursor(cursor);
    }
    QRect characterRect(int offset) const override
    {
        const QString all = plainText();
        offset = clamp(offset);
        const QFontMetrics metrics = widget()->fontMetrics();
        const int width = offset < all.size() ? metrics.horizontalAdvance(all.at(offset)) : 0;
        if (auto *line = lineEdit()) {
            const QRect box = line->contentsRect();
            const QPoint at(box.x() + metrics.horizontalAdvance(all.left(offset)), box.y());
            return QRect(line->mapToGlobal(at), QSize(width, box.height()));
        }
        QTextCursor cursor(textEdit()->document());
        cursor.setPosition(offset);
        const QRect caret = textEdit()->cursorRect(cursor);
        return QRect(textEdit()->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        if (auto *line = lineEdit())
            return line->cursorPositionAt(line->mapFromGlobal(point));
        return textEdit()->cursorForPosition(textEdit()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        // One run without attributes: the whole text.
        Q_UNUSED(offset);
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QLineEdit *lineEdit() const { return qobject_cast<QLineEdit *>(widget()); }
    QTextEdit *textEdit() const { return qobject_cast<QTextEdit *>(widget()); }
    QString plainText() const
    {
        return readableText(lineEdit() ? lineEdit()->text() : textEdit()->toPlainText());
    }
    bool readOnly() const { return lineEdit() ? lineEdit()->isReadOnly() : textEdit()->isReadOnly(); }
    int clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }

    // The text cut into segments of a kind: characters, words (with the
    // blanks between them) or sentences; a line, a paragraph or no boundary
    // is the whole text, as the box holds one line.
    QList<std::pair<int, int>> segments(QAccessible::TextBoundaryType type) const
    {
        const QString all = plainText();
        QList<std::pair<int, int>> cuts;
        if (all.isEmpty())
            return cuts;
        if (type != QAccessible::CharBoundary && type != QAccessible::WordBoundary
            && type != QAccessible::SentenceBoundary) {
            cuts.append({0, int(all.size())});
            return cuts;
        }
        QTextBoundaryFinder finder(type == QAccessible::CharBoundary ? QTextBoundaryFinder::Grapheme
                                   : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                       : QTextBoundaryFinder::Sentence,
                                   all);
        int from = 0;
        for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
            cuts.append({from, int(to)});
            from = int(to);
        }
        return cuts;
    }
    // The segment holding the offset (past the end, the last one), or the one
    // a step before or after it.
    QString segmentText(QAccessible::TextBoundaryType type, int offset, int step, int *start, int *end) const
    {
        const auto cuts = segments(type);
        offset = clamp(offset);
        int index = 0;
        while (index < cuts.size() && offset >= cuts[index].second)
            ++index;
        if (index == cuts.size() && type != QAccessible::CharBoundary)
            --index;
        index += step;
        if (index < 0 || index >= cuts.size()) {
            *start = *end = index < 0 ? 0 : characterCount();
            return QString();
        }
        *start = cuts[index].first;
        *end = cuts[index].second;
        return plainText().mid(*start, *end - *start);
    }
};

QAccessibleInterface *controlFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String(TGradBtn::staticMetaObject.className())
        || className == QLatin1String(TQuilButton1::staticMetaObject.className()))
        return new DrawnButtonAccessible(widget);
    if (className == QLatin1String(OneLineTextEdit::staticMetaObject.className())
        || className == QLatin1String(QLineEdit::staticMetaObject.className()))
        return new OneLineTextAccessible(widget);
    return nullptr;
}

QObject *unechoedBox = nullptr; // the box being written by writeUnechoed
QAccessible::UpdateHandler platformHandler = nullptr;

// Passes every event on, but the text changes of the box being written.
void dropTextChanges(QAccessibleEvent *event)
{
    switch (event->type()) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::ValueChanged:
        if (event->object() == unechoedBox)
            return;
        break;
    default:
        break;
    }
    if (platformHandler) {
        platformHandler(event);
        return;
    }
    // No handler before ours: the platform's bridge takes the event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(dropTextChanges);
}

struct Caption {
    const char *objectName;
    const char *name; // empty: the control's own changing caption is its name
    const char *description;
};

// The read-back boxes and the drill's boxes are named after the label a
// sighted learner reads beside them; buttons whose caption changes with the
// direction keep the caption as their name.
const Caption Captions[] = {
    {"Level", "Level", "The level being drilled: the number of most used words"},
    {"WordGroup", "Word group", "The word group being drilled"},
    {"NewAll", "New or all words", "Whether only the words new at this level are asked, or all words up to it"},
    {"NumTrials", "Trials", "How many answers have been judged"},
    {"Score", "Score", "The share of right answers, in percent"},
    {"Label2", "", "Label of the trial count"},
    {"Label1", "", "Label of the score"},
    {"Edit1", "Question", "The word to translate"},
    {"AnswerBox", "Answer choices", "Pick the translation among the four choices"},
    {"Answer", "Answer", "Type the translation here; the verdict appears here after each answer"},
    {"Reset1", "Reset", "Sets the trial count and the score back to zero"},
    {"GradBtn1", "Repeat", "Says the English word of the question aloud"},
    {"Button2", "New Question", "Skips to the next word without counting a trial"},
    {"OstrelButton1", "Peek", "Shows the expected answer for a moment"},
    {"Button1", "Check", "Judges the typed answer; Enter presses it"},
    {"Accenta", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"AcuteA", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"TildeA", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"Tilden", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"Accente", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"AcuteE", "", "Appends its accented letter, or its English verb start, to the answer"},
    {"accenti", "", "Appends its accented letter, or its English verb start, to the answer"},
    // These four append their letter in both directions, also when their caption is empty.
    {"Accento", "ó", "Appends the letter ó to the answer"},
    {"AcuteO", "ô", "Appends the letter ô to the answer"},
    {"TildeO", "õ", "Appends the letter õ to the answer"},
    {"Accentu", "ú", "Appends the letter ú to the answer"},
    {"MainMenu1", "Menu bar", "Every command and setting of the drill; Alt opens it"},
};

} // namespace

void installAccessibleInterfaces()
{
    // The factory installed last is asked first: after the application's own,
    // which would otherwise answer for the line edits.
    QAccessible::removeFactory(controlFactory);
    QAccessible::installFactory(controlFactory);
}

void applyAccessibleNames(QWidget *window)
{
    window->setAccessibleName(window->windowTitle());
    window->setAccessibleDescription(QStringLiteral("Vocabulary drill: the 1000 most used English words"));
    for (const Caption &caption : Captions) {
        auto *control = window->findChild<QWidget *>(QString::fromLatin1(caption.objectName));
        if (!control)
            continue;
        if (*caption.name)
            control->setAccessibleName(QString::fromUtf8(caption.name));
        control->setAccessibleDescription(QString::fromUtf8(caption.description));
    }
    // The four choices speak their changing texts, and their place: Orca 43 says
    // a radio button's position only where the learner has asked for every position.
    if (auto *choices = window->findChild<QWidget *>(QStringLiteral("AnswerBox"))) {
        const QList<QRadioButton *> all = choices->findChildren<QRadioButton *>();
        for (qsizetype i = 0; i < all.size(); ++i)
            all[i]->setAccessibleDescription(QStringLiteral("%1 of %2").arg(i + 1).arg(all.size()));
    }
}

void describeKey(QWidget *control, const QString &command, const QKeySequence &key)
{
    const QString keyText = key.toString(QKeySequence::NativeText);
    control->setToolTip(QStringLiteral("%1 (%2)").arg(command, keyText));
    control->setAccessibleDescription(control->accessibleDescription() + QStringLiteral(". Key: %1").arg(keyText));
}

QString readableText(QString text)
{
    return text.replace(QLatin1Char('_'), QLatin1Char(' '));
}

void writeUnechoed(QWidget *box, const std::function<void()> &write)
{
    unechoedBox = box;
    platformHandler = QAccessible::installUpdateHandler(dropTextChanges);
    write();
    QAccessible::installUpdateHandler(platformHandler);
    unechoedBox = nullptr;
}
