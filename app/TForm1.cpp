#include "app/TForm1.h"

#include "app/AccentKeyTable.h"
#include "app/Accessibility.h"
#include "app/Announcer.h"
#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/Platform.h"
#include "app/Sound.h"
#include "audio/Output.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "drill/Drill.h"
#include "drill/Text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <utility>

using vocabulary::Group;

namespace {

const char *const LastLevelDone = "Congratulations! That was the last of 1000 most used English words. "
                                  "Repeat this level automatically; or select another level and group.";

platform::MessageBoxes &boxes()
{
    return platform::MessageBoxes::current();
}

} // namespace

void TForm1::setRandomSource(std::unique_ptr<drill::RandomSource> random)
{
    m_random = std::move(random);
}

drill::Settings TForm1::settings() const
{
    drill::Settings s;
    s.successive = Sequence->isChecked();
    s.newAll = NewAll->text();
    s.wordGroup = WordGroup->text();
    s.level = Level->text();
    s.verbsChecked = Verbs1->isChecked();
    s.noSecondPerson = NoSecondPerson2->isChecked();
    s.infinitives = Infinitives->isChecked();
    s.englishToPortuguese = EnglishtoSpanish1->isChecked();
    s.portugueseToEnglish = SpanishtoEnglish1->isChecked();
    return s;
}

// --- start-up and exit ------------------------------------------------------

void TForm1::FormCreate()
{
    TrialCount = 0;
    CorrectCount = 0;
    Answer->clear();
    KnownList.clear();
    ChoiceOrder.clear();
    SequencePos = -1;
}

void TForm1::FormActivate()
{
    GroupFinished = false;
    FirstTry = true;
    levelActions[0]->trigger();
    Nouns1->trigger();
}

void TForm1::activateOnce()
{
    if (m_activated)
        return;
    m_activated = true;
    FormActivate();
}

bool TForm1::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        activateOnce();
        if (std::exchange(m_focusAnswerOnActivate, false))
            Answer->setFocus();
    }
    return handled;
}

void TForm1::showEvent(QShowEvent *event)
{
    keepMinimumSize();
    QMainWindow::showEvent(event);
    // Some desktops never activate a new window; the drill starts all the same.
    QTimer::singleShot(0, this, &TForm1::activateOnce);
}

void TForm1::sayGoodbyeAndQuit()
{
    m_leaving = true;
    boxes().inform(this, QString::fromUtf8(GoodbyeMessage));
    KnownList.clear();
    ChoiceOrder.clear();
    QCoreApplication::quit();
}

void TForm1::Exit2Click()
{
    if (m_leaving)
        return;
    sayGoodbyeAndQuit();
    close();
}

void TForm1::FormClose()
{
    sayGoodbyeAndQuit();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_leaving)
        FormClose();
    event->accept();
}

void TForm1::ProgramHelpClick()
{
    // Where the desktop cannot show the document, the program's own help
    // window shows the same text.
    const QPointer<TForm1> self(this);
    platform::ShellOpenFile(HelpDocument, " ", HelpDirectory, 5, [self] {
        if (self)
            self->showHelpWindow();
    });
}

// The help window; when it closes, the focus goes back where it was.
void TForm1::showHelpWindow()
{
    const QPointer<QWidget> focused = focusWidget();
    const bool shown = findChild<QDialog *>(QStringLiteral("HelpWindow"));
    platform::showHelpContext(this, QString::fromLatin1(ApplicationHelpFile), 0);
    // Once for each help window: a help window asked for again keeps its first return.
    auto *help = findChild<QDialog *>(QStringLiteral("HelpWindow"));
    if (help && !shown)
        connect(help, &QObject::destroyed, this, [this, focused] {
            activateWindow();
            if (focused)
                focused->setFocus();
        });
}

// "Levels menu. 100 Words." or "Mult Choice/Type Answer menu. Multtiple Choice checked."
void TForm1::announceMenu(QAction *menu)
{
    QString said = menu->text() + QStringLiteral(" menu.");
    if (const QMenu *popup = menu->menu(); popup && popup->activeAction()) {
        const QAction *item = popup->activeAction();
        said += QLatin1Char(' ') + item->text() + (item->isChecked() ? QStringLiteral(" checked.") : QStringLiteral("."));
    }
    m_announcer->say(said, "en");
}

void TForm1::About1Click()
{
    boxes().inform(this, QString::fromUtf8(VersionMessage));
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QMenu *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            // The menu bar goes on to the next menu once the key is handled;
            // Qt 6.4 tells a screen reader only of the box the focus goes back
            // to meanwhile, so the menu reached is announced here.
            const QPointer<QAction> before = menuBar()->activeAction();
            QTimer::singleShot(0, this, [this, before] {
                if (QAction *reached = menuBar()->activeAction(); reached && reached != before)
                    announceMenu(reached);
            });
        }
        if (key == Qt::Key_F1) {
            // The menus close first, so that the menu bar does not keep the keyboard.
            while (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            showHelpWindow();
            return true;
        }
    } else if (watched == Answer && event->type() == QEvent::KeyPress && Answer->isReadOnly()
               && AnswerBox->isVisible()) {
        if (QRadioButton *choice = choiceReachedBy(static_cast<QKeyEvent *>(event)->key())) {
            choice->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (watched == menuBar() && event->type() == QEvent::Resize) {
        fitMenuBar();
    } else if (watched == centralWidget() && event->type() == QEvent::MouseButtonRelease) {
        // A click on the bare background, outside every control.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && !centralWidget()->childAt(mouse->position().toPoint())
            && centralWidget()->rect().contains(mouse->position().toPoint()))
            Conjunctions1Click();
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- levels -----------------------------------------------------------------

void TForm1::setLevel(int level)
{
    levelActions[level]->setChecked(true);
    Level->setText(drill::levelText(level));
}

void TForm1::N100WordsClick() { setLevel(0); }
void TForm1::N200WordsClick() { setLevel(1); }
void TForm1::N300WordsClick() { setLevel(2); }
void TForm1::N400WordsClick() { setLevel(3); }
void TForm1::N500WordsClick() { setLevel(4); }
void TForm1::N600WordsClick() { setLevel(5); }
void TForm1::N700WordsClick() { setLevel(6); }
void TForm1::N800WordsClick() { setLevel(7); }
void TForm1::N900WordsClick() { setLevel(8); }
void TForm1::N1000WordsClick() { setLevel(9); }

// --- word groups ------------------------------------------------------------

void TForm1::runGroupCommand(Group group)
{
    if (Sequence->isChecked())
        SequencePos = -1;
    GroupFinished = false;
    WordGroup->setText(drill::groupText(group));
    groupAction(group)->setChecked(true);
    KnownList.clear();

    // Three groups tell the 100-word level by its menu item, the others by the box.
    const bool byItem = group == Group::Pronouns || group == Group::Prepositions || group == Group::Adjectives;
    const std::optional<int> level = byItem && levelActions[0]->isChecked() ? 0 : drill::levelOfText(Level->text());
    if (level) {
        if (*level == 0) {
            RangeEnd = vocabulary::allWordCount(group, 0);
        } else if (NewAll->text() == QLatin1String("All Words")) {
            RangeEnd = vocabulary::allWordCount(group, *level);
        } else if (vocabulary::newWordCount(group, *level) > 0) {
            RangeEnd = vocabulary::newWordCount(group, *level);
        } else {
            // No new words of this group here: say so and pass on.
            switch (group) {
            case Group::Pronouns:
                boxes().inform(this, QStringLiteral("There are no new pronouns at this level"));
                Adjectives1->trigger();
                break;
            case Group::Prepositions:
                boxes().inform(this, QStringLiteral("There are no new prepositions at this level"));
                Conjunctions1->trigger();
                break;
            default:
                // No level follows the last: it starts again at its nouns, as after its conjunctions.
                if (*level + 1 < vocabulary::LevelCount) {
                    boxes().inform(
                        this,
                        QStringLiteral("There are no new conjunctions at the %1 level. Continue at the %2 level?")
                            .arg(drill::levelText(*level), drill::levelText(*level + 1)));
                    levelActions[*level + 1]->trigger();
                } else {
                    boxes().inform(this, QString::fromLatin1(LastLevelDone));
                }
                Nouns1->trigger();
                break;
            }
            return;
        }
    }
    Words.load(group);
    BuildQuestion();
}

void TForm1::Nouns1Click() { runGroupCommand(Group::Nouns); }
void TForm1::Verbs1Click() { runGroupCommand(Group::Verbs); }
void TForm1::Pronouns1Click() { runGroupCommand(Group::Pronouns); }
void TForm1::Adjectives1Click() { runGroupCommand(Group::Adjectives); }
void TForm1::Adverbs1Click() { runGroupCommand(Group::Adverbs); }
void TForm1::Prepositions1Click() { runGroupCommand(Group::Prepositions); }
void TForm1::Conjunctions1Click() { runGroupCommand(Group::Conjunctions); }

// --- settings ---------------------------------------------------------------

void TForm1::clickGroupOf(const QString &groupText)
{
    if (const std::optional<Group> group = drill::groupOfText(groupText))
        groupAction(*group)->trigger();
}

void TForm1::setNewAll(QAction *item, const QString &text)
{
    KnownList.clear();
    item->setChecked(true);
    NewAll->setText(text);
    // Every comparison reads the box afresh: a pass-on may change the group
    // between them, and then the later group runs again.
    for (const vocabulary::GroupInfo &group : vocabulary::Groups)
        if (WordGroup->text() == drill::groupText(group.group))
            groupAction(group.group)->trigger();
}

void TForm1::NewWordsClick() { setNewAll(NewWords, QStringLiteral("New Words Only")); }
void TForm1::AllWordsClick() { setNewAll(AllWords, QStringLiteral("All Words")); }

void TForm1::MultChoiceClick()
{
    Button1->setEnabled(false);
    Answer->setReadOnly(true);
    Answer->showCaretWhenReadOnly();
    Answer->setFocusPolicy(Qt::ClickFocus); // the choices are the Tab stop
    MultChoice->setChecked(true);
    AnswerBox->setEnabled(true);
    AnswerBox->setVisible(true);
    for (QPushButton *key : m_accentKeys)
        key->setEnabled(false);
    describeAnswerBox();
    m_sayHowToAnswer = true;
    announceQuestion();
}

void TForm1::TypeAnswerClick()
{
    Button1->setEnabled(true);
    Button1->setFocus();
    Answer->setReadOnly(false);
    Answer->setFocusPolicy(Qt::StrongFocus); // Tab comes back to it from the buttons
    TypeAnswer->setChecked(true);
    AnswerBox->setEnabled(false);
    AnswerBox->setVisible(false);
    Answer->clear();
    Answer->setFocus();
    for (QPushButton *key : m_accentKeys)
        key->setEnabled(true);
    describeAnswerBox();
    m_sayHowToAnswer = true;
    announceQuestion();
}

void TForm1::setDirection(bool englishToPortuguese)
{
    GradBtn1->setEnabled(englishToPortuguese);
    (englishToPortuguese ? EnglishtoSpanish1 : SpanishtoEnglish1)->setChecked(true);
    for (int i = 0; i < 11; ++i)
        m_accentKeys[i]->setText(QString::fromUtf8(englishToPortuguese ? AccentKeys[i].portuguese : AccentKeys[i].caption));
    BuildQuestion();
}

void TForm1::EnglishtoSpanish1Click() { setDirection(true); }
void TForm1::SpanishtoEnglish1Click() { setDirection(false); }

void TForm1::setVerbForm(QAction *item)
{
    item->setChecked(true);
    SecondPerson1->setTitle(item->text());
    keepMinimumSize();
}

void TForm1::Include1Click() { setVerbForm(Include1); }
void TForm1::InfinitivesClick() { setVerbForm(Infinitives); }
void TForm1::NoSecondPerson2Click() { setVerbForm(NoSecondPerson2); }

void TForm1::setOrder(QAction *item)
{
    item->setChecked(true);
    SequencePos = -1;
}

void TForm1::SequenceClick() { setOrder(Sequence); }
void TForm1::Random1Click() { setOrder(Random1); }

void TForm1::Button2Click()
{
    BuildQuestion();
}

// --- the drill --------------------------------------------------------------

void TForm1::clearChoiceSelection()
{
    for (QRadioButton *choice : m_choices) {
        if (choice->isChecked()) {
            choice->setAutoExclusive(false);
            choice->setChecked(false);
            choice->setAutoExclusive(true);
        }
    }
}

void TForm1::BuildQuestion()
{
    Timer2->stop();
    Answer->clear();
    const drill::Question question = drill::buildQuestion(*this, settings(), Words, *m_random);
    Edit1->setPlainText(drill::fromWindows1252(question.text));
    clearChoiceSelection();
    for (int i = 0; i < 4; ++i) {
        m_choices[i]->setText(drill::fromWindows1252(question.choices[i]));
        m_choices[i]->setAccessibleName(readableText(m_choices[i]->text()));
    }
    Answer->setFocus();
    // Asked under a message box: the focus comes back when the window does.
    m_focusAnswerOnActivate = !isActiveWindow();
    announceQuestion();
}

// The question as a screen reader says it: with its choices and their keys,
// which the focus in the answer box does not show; after the end of a group,
// where the drill goes on; at start and after a change of mode, how to answer.
void TForm1::announceQuestion()
{
    const QString english = QStringLiteral("en");
    const QString portuguese = QStringLiteral("pt-BR");
    const bool toPortuguese = EnglishtoSpanish1->isChecked();
    const bool choosing = AnswerBox->isVisible();
    const bool howTo = std::exchange(m_sayHowToAnswer, false);
    QList<Announcer::Part> parts;
    if (std::exchange(m_sayWhereTheDrillIs, false))
        parts.append({WordGroup->text() + QStringLiteral(", ") + Level->text() + QLatin1Char('.'), english});
    if (howTo)
        parts.append({QStringLiteral("Question:"), english});
    parts.append({Edit1->toPlainText() + QLatin1Char('.'), toPortuguese ? english : portuguese});
    if (howTo)
        parts.append({choosing ? QStringLiteral("Choose 1 to 4.") : QStringLiteral("Type the translation and press Enter."),
                      english});
    if (choosing)
        for (int i = 0; i < 4; ++i)
            parts.append({QStringLiteral("%1 %2.").arg(i + 1).arg(m_choices[i]->text()), toPortuguese ? portuguese : english});
    m_announcer->question(parts);
}

void TForm1::PickEntry()
{
    drill::pickEntry(*this, settings(), Words, *m_random);
}

void TForm1::NewQuestion()
{
    Timer2->stop();
    if (!GroupFinished) {
        BuildQuestion();
        return;
    }
    GroupFinished = false;
    m_sayWhereTheDrillIs = true;
    const QString prompt = QStringLiteral("Those are the last ") + WordGroup->text() + QStringLiteral(" in ")
                           + NewAll->text() + QStringLiteral(" in ") + Level->text()
                           + QStringLiteral(". Click YES and practice the next word group? Click NO and repeat.");
    if (!boxes().confirm(this, prompt)) {
        clickGroupOf(WordGroup->text());
        return;
    }
    const std::optional<int> level = drill::levelOfText(Level->text());
    const std::optional<Group> group = drill::groupOfText(WordGroup->text());
    if (!level || !group)
        return;
    if (*group != Group::Conjunctions) {
        groupActions[int(*group) + 1]->trigger();
    } else if (*level + 1 < vocabulary::LevelCount) {
        levelActions[*level + 1]->trigger();
        Nouns1->trigger();
    } else {
        boxes().inform(this, QString::fromLatin1(LastLevelDone));
        Nouns1->trigger();
    }
}

void TForm1::startOnce(QTimer *timer)
{
    // A running timer keeps its interval.
    if (!timer->isActive())
        timer->start();
}

void TForm1::showCount()
{
    NumTrials->setText(QString::number(TrialCount));
}

void TForm1::Button1Click()
{
    // Enter pressed again on the feedback: the learner typed nothing new to
    // judge, and its key may have cut the verdict short.
    if (m_answerIsFeedback) {
        sayLastVerdict();
        return;
    }
    const QString typed = Answer->toPlainText();
    const bool right = drill::checkTypedAnswer(*this, settings(), Words, drill::toWindows1252(typed));
    showCount();
    if (right) {
        showFeedback(typed + QStringLiteral(" is Correct!"));
        startOnce(Timer1);
        startOnce(Timer2);
        OleContainer2->play();
    } else {
        showFeedback(typed + QStringLiteral(" is NOT Correct! Try Again"));
        startOnce(Timer1);
        OleContainer1->play();
    }
    ShowScore();
    keepVerdict(Answer->toPlainText());
}

void TForm1::AnswerBoxClick()
{
    if (AnswerBox->isHidden())
        return;
    int selected = -1;
    for (int i = 0; i < 4; ++i)
        if (m_choices[i]->isChecked())
            selected = i;
    if (selected < 0)
        return;
    switch (drill::checkChoice(*this, selected)) {
    case drill::ChoiceResult::Ignored:
        return;
    case drill::ChoiceResult::Wrong:
        OleContainer1->play();
        showFeedback(QStringLiteral("Error!"));
        showCount();
        ShowScore();
        keepVerdict(QStringLiteral("Error!"));
        startOnce(Timer1);
        return;
    case drill::ChoiceResult::Right:
        if (SpanishtoEnglish1->isChecked() && !Verbs1->isChecked())
            showFeedback(QStringLiteral("Correct!"));
        else
            m_announcer->say(QStringLiteral("Correct!"), "en"); // heard, though not shown
        showCount();
        ShowScore();
        keepVerdict(QStringLiteral("Correct!"));
        OleContainer2->play();
        startOnce(Timer2);
        return;
    }
}

void TForm1::PeekClick()
{
    showFeedback(drill::fromWindows1252(drill::expectedAnswer(*this, Words)),
                 EnglishtoSpanish1->isChecked() ? "pt-BR" : "en");
    startOnce(Timer1);
}

void TForm1::GradBtn1Click()
{
    // Only an English question has a word to hear; in the other direction
    // the English text is the answer.
    if (!EnglishtoSpanish1->isChecked())
        return;
    // The checked group item names the group whose words are loaded.
    const auto group = std::find_if(groupActions.begin(), groupActions.end(), [](QAction *a) { return a->isChecked(); });
    if (group == groupActions.end())
        return;
    audio::sayEnglish(Words.text(vocabulary::WordStore::English, AskedIndex), Group(group - groupActions.begin()));
}

void TForm1::Erase()
{
    Answer->clear();
    Answer->setFocus();
    Timer1->stop();
}

void TForm1::Reset1Click()
{
    NumTrials->clear();
    Score->clear();
    TrialCount = 0;
    CorrectCount = 0;
    Answer->setFocus();
    m_announcer->say(QStringLiteral("Score reset"), "en");
}

void TForm1::ShowScore()
{
    Score->setText(drill::scoreText(CorrectCount, TrialCount));
    m_announcer->say(drill::spokenScore(CorrectCount, TrialCount), "en");
}

// --- accent keys ------------------------------------------------------------

void TForm1::writeAnswer(const QString &text)
{
    Answer->setPlainText(text);
    // Typing goes on after whatever was written, not in front of the feedback.
    Answer->moveCursor(QTextCursor::End);
}

void TForm1::keepVerdict(const QString &verdict)
{
    m_lastVerdict = verdict + QLatin1Char(' ') + drill::spokenScore(CorrectCount, TrialCount);
}

void TForm1::sayLastVerdict()
{
    m_announcer->say(m_lastVerdict.isEmpty() ? QStringLiteral("No answer judged yet") : m_lastVerdict, "en");
}

// Down or Space in the answer box goes to the choices, Up to the last: the
// chosen one where there is one, as Tab would.
QRadioButton *TForm1::choiceReachedBy(int key) const
{
    if (key != Qt::Key_Down && key != Qt::Key_Up && key != Qt::Key_Space)
        return nullptr;
    for (QRadioButton *choice : m_choices)
        if (choice->isChecked())
            return choice;
    return key == Qt::Key_Up ? m_choices.back() : m_choices.front();
}

void TForm1::showFeedback(const QString &text, const char *language)
{
    // The box's echo of the text would say it a second time.
    writeUnechoed(Answer, [this, &text] { writeAnswer(text); });
    m_answerIsFeedback = true;
    m_announcer->say(text, QString::fromLatin1(language));
}

void TForm1::appendToAnswer(const QString &text)
{
    Answer->setFocus();
    writeAnswer(Answer->toPlainText() + text);
}

void TForm1::appendAccent(int key)
{
    const AccentKeyInfo &accent = AccentKeys[key];
    const bool portugueseToEnglish = SpanishtoEnglish1->isChecked();
    appendToAnswer(QString::fromUtf8(portugueseToEnglish ? accent.inserted : accent.portuguese));
}

void TForm1::AccentaClick() { appendAccent(0); }
void TForm1::AcuteAClick() { appendAccent(1); }
void TForm1::TildeAClick() { appendAccent(2); }
void TForm1::TildenClick() { appendAccent(3); }
void TForm1::AccenteClick() { appendAccent(4); }
void TForm1::AcuteEClick() { appendAccent(5); }
void TForm1::AccentiClick() { appendAccent(6); }
// The last four always append their letter.
void TForm1::AccentoClick() { appendToAnswer(QStringLiteral("ó")); }
void TForm1::AcuteOClick() { appendToAnswer(QStringLiteral("ô")); }
void TForm1::TildeOClick() { appendToAnswer(QStringLiteral("õ")); }
void TForm1::AccentuClick() { appendToAnswer(QStringLiteral("ú")); }
