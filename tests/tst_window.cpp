// The drill window: start-up state, menus, settings commands, keys, help and exit.

#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/Platform.h"
#include "controls/ChoiceButton.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "tests/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <csignal>

namespace {

// Shown, active and started, in typed-answer mode where asked.
bool startShown(Window &w, bool typed)
{
    w.form->show();
    if (!QTest::qWaitForWindowActive(w.form.get()))
        return false;
    w.start();
    if (typed)
        w.trigger("TypeAnswer");
    return true;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle)); }

    void controlsAtDesignPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("fontPoints");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Level") << "Level" << QRect(0, 0, 175, 30) << 14 << false << "" << true;
        QTest::newRow("WordGroup") << "WordGroup" << QRect(184, 0, 175, 30) << 14 << false << "" << true;
        QTest::newRow("NewAll") << "NewAll" << QRect(368, 0, 175, 30) << 14 << false << "New Words Only" << true;
        QTest::newRow("Label2") << "Label2" << QRect(168, 48, 42, 18) << 12 << false << "Trials:" << true;
        QTest::newRow("NumTrials") << "NumTrials" << QRect(213, 40, 110, 30) << 14 << false << "" << true;
        QTest::newRow("Label1") << "Label1" << QRect(328, 48, 46, 18) << 12 << false << "Score:" << true;
        QTest::newRow("Score") << "Score" << QRect(376, 40, 110, 30) << 14 << false << "" << true;
        QTest::newRow("Reset1") << "Reset1" << QRect(496, 40, 50, 30) << 8 << true << "Reset" << true;
        QTest::newRow("Edit1") << "Edit1" << QRect(8, 80, 241, 113) << 14 << false
                               << "Select level (total number \nof \nwords) \nand word group from menu." << true;
        QTest::newRow("AnswerBox") << "AnswerBox" << QRect(256, 72, 284, 121) << 12 << false << "Answer?" << true;
        QTest::newRow("Answer") << "Answer" << QRect(8, 200, 537, 73) << 14 << false << "" << true;
        QTest::newRow("Accenta") << "Accenta" << QRect(1, 280, 45, 32) << 10 << false << "á" << false;
        QTest::newRow("AcuteA") << "AcuteA" << QRect(48, 280, 45, 32) << 10 << false << "â" << false;
        QTest::newRow("TildeA") << "TildeA" << QRect(95, 280, 45, 32) << 10 << false << "ã" << false;
        QTest::newRow("Tilden") << "Tilden" << QRect(142, 280, 65, 32) << 10 << false << "ç" << false;
        QTest::newRow("Accente") << "Accente" << QRect(210, 280, 45, 32) << 10 << false << "é" << false;
        QTest::newRow("AcuteE") << "AcuteE" << QRect(259, 280, 55, 32) << 10 << false << "ê" << false;
        QTest::newRow("accenti") << "accenti" << QRect(316, 280, 45, 32) << 10 << false << "í" << false;
        QTest::newRow("Accento") << "Accento" << QRect(363, 280, 45, 32) << 10 << false << "ó" << false;
        QTest::newRow("AcuteO") << "AcuteO" << QRect(409, 280, 45, 32) << 10 << false << "ô" << false;
        QTest::newRow("TildeO") << "TildeO" << QRect(456, 280, 45, 32) << 10 << false << "õ" << false;
        QTest::newRow("Accentu") << "Accentu" << QRect(502, 280, 45, 32) << 10 << false << "ú" << false;
        QTest::newRow("GradBtn1") << "GradBtn1" << QRect(184, 320, 80, 22) << 8 << true << "Repeat" << true;
        QTest::newRow("Button2") << "Button2" << QRect(272, 320, 80, 22) << 8 << true << "New Question" << true;
        QTest::newRow("OstrelButton1") << "OstrelButton1" << QRect(360, 320, 80, 22) << 8 << true << "Peek" << true;
        QTest::newRow("Button1") << "Button1" << QRect(448, 320, 80, 41) << 13 << true << "Check" << false;
    }

    void controlsAtDesignPlace()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, fontPoints);
        QFETCH(bool, bold);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Window w;
        auto *control = w.form->findChild<QWidget *>(name);
        QVERIFY2(control, "control found by its name");
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->font().pointSize(), fontPoints);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->isEnabled(), enabled);
        QString shown;
        if (auto *line = qobject_cast<QLineEdit *>(control))
            shown = line->text();
        else if (auto *rich = qobject_cast<QTextEdit *>(control))
            shown = rich->toPlainText();
        else if (auto *label = qobject_cast<QLabel *>(control))
            shown = label->text();
        else if (auto *button = qobject_cast<QPushButton *>(control))
            shown = button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(control))
            shown = group->title();
        else
            shown = control->property("Caption").toString();
        QCOMPARE(shown, text);
    }

    void startUpState()
    {
        Window w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("1000 Roze Rozi Rovevar Evudu -Brazilian Portuguese"));
        QVERIFY(w.form->windowState() & Qt::WindowMaximized);
        QVERIFY(w.find<QLineEdit>("Level")->isReadOnly());
        QVERIFY(w.find<QLineEdit>("WordGroup")->isReadOnly());
        QVERIFY(!w.find<QLineEdit>("NewAll")->isReadOnly());
        QVERIFY(w.find<QTextEdit>("Answer")->isReadOnly());
        QVERIFY(w.find<QTextEdit>("Edit1")->isReadOnly());
        QVERIFY(!w.find<QWidget>("AnswerBox")->isHidden());
        QCOMPARE(w.choices().size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.choices()[i]->text(), QStringLiteral("palavra %1").arg(i + 1));
            QVERIFY(!w.choices()[i]->isChecked());
        }
        for (const char *name : {"Timer1", "Timer2"}) {
            auto *timer = w.find<QTimer>(name);
            QVERIFY(timer && !timer->isActive());
            QCOMPARE(timer->interval(), 1500);
        }
        for (const char *name : {"N100Words", "Nouns1", "Include1", "Sequence", "NewWords", "MultChoice",
                                 "EnglishtoSpanish1"})
            QVERIFY2(w.action(name)->isChecked(), name);
        for (const char *name : {"N200Words", "Verbs1", "Infinitives", "Random1", "AllWords", "TypeAnswer",
                                 "SpanishtoEnglish1"})
            QVERIFY2(!w.action(name)->isChecked(), name);
        QCOMPARE(w.form->SequencePos, -1);
        QCOMPARE(w.form->TrialCount, 0);
        QVERIFY(w.find<QObject>("ElasticForm1"));
        QVERIFY(w.find<SoundCue>("OleContainer1"));
        QVERIFY(w.find<SoundCue>("OleContainer2"));
        QVERIFY(w.find<TQuilButton1>("Button1")->property("Default").toBool());
    }

    // Tab goes as the controls stand on the screen; the answer box is a stop
    // only where it is typed into.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("stops");
        const QStringList top{"Level", "WordGroup", "NewAll", "Reset1"};
        QTest::newRow("multiple choice") << "MultChoice"
                                         << QStringList{"GradBtn1", "Button2", "OstrelButton1"} + top
                                                + QStringList{"choice", "choice", "choice", "choice"};
        QTest::newRow("typed answer") << "TypeAnswer"
                                      << QStringList{"Answer",   "Accenta", "AcuteA",  "TildeA",  "Tilden",
                                                     "Accente",  "AcuteE",  "accenti", "Accento", "AcuteO",
                                                     "TildeO",   "Accentu", "GradBtn1", "Button2", "OstrelButton1",
                                                     "Button1"} + top;
    }

    void tabOrder()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, stops);
        Window w;
        w.start();
        w.trigger(qPrintable(mode));
        QStringList chain;
        QWidget *widget = w.form->Answer;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(w.form.get()))
                chain << (qobject_cast<QRadioButton *>(widget) ? QStringLiteral("choice") : widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != w.form->Answer);
        QCOMPARE(chain, stops);
    }

    void firstActivationAsksTheFirstNoun()
    {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QTRY_COMPARE(w.text("Level"), QStringLiteral("100 Words"));
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Nouns"));
        QCOMPARE(w.text("Edit1"), QStringLiteral("word"));
        QCOMPARE(w.text("NumTrials"), QString());
        QCOMPARE(w.text("Score"), QString());
        // Later activations (after a message box, say) must not start over.
        w.trigger("N300Words");
        w.trigger("Verbs1");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w.form.get(), &activate);
        QApplication::sendEvent(w.form.get(), &activate);
        QTest::qWait(20);
        QCOMPARE(w.text("Level"), QStringLiteral("300 Words"));
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Verbs"));
    }

    void menuTree()
    {
        Window w;
        QStringList captions;
        QStringList names;
        for (QAction *top : w.form->menuBar()->actions()) {
            captions << top->text();
            names << top->objectName();
        }
        QCOMPARE(captions, (QStringList{"Exit", "Levels", "Word Groups", "Verb Form?", "Question Order",
                                        "All Words/New Words", "Mult Choice/Type Answer", "Translation?", "Help"}));
        QCOMPARE(names, (QStringList{"Exit1", "Levels1", "WordGroups1", "SecondPerson1", "Order", "AllorNew", "Mode",
                                     "Translation1", "Help1"}));
        const QStringList groupCaptions{"Nouns/Substantivos",       "Verbs/Verbos",
                                        "Pronouns/Pronomes",        "Adjectives/Adjetivos(Art.)",
                                        "Adverbs/Advérbios",        "Prepositions/Preposições",
                                        "Conjuctions/Conjunções"};
        const QStringList groupNames{"Nouns1", "Verbs1", "Pronouns1", "Adjectives1", "Adverbs1", "Prepositions1",
                                     "Conjunctions1"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(w.action(qPrintable(groupNames[i]))->text(), groupCaptions[i]);
        QCOMPARE(w.action("SpanishtoEnglish1")->text(), QStringLiteral("Português a inglês"));
        QCOMPARE(w.action("MultChoice")->text(), QStringLiteral("Multtiple Choice"));
    }

    void menusTakeTheWindowsFamily_data()
    {
        QTest::addColumn<QString>("menu"); // none: the menu bar
        QTest::newRow("menu bar") << QString();
        QTest::newRow("Levels") << "Levels1";
        QTest::newRow("a level's groups") << "N300WordsMenu";
        QTest::newRow("Help") << "Help1";
    }

    // The window's face at the size the desktop gives its menus.
    void menusTakeTheWindowsFamily()
    {
        QFETCH(QString, menu);
        Window w;
        const QWidget *shown = menu.isEmpty() ? static_cast<QWidget *>(w.form->menuBar())
                                              : w.form->findChild<QMenu *>(menu);
        QVERIFY(shown);
        QCOMPARE(QFontInfo(shown->font()).family(), QFontInfo(w.form->font()).family());
        QCOMPARE(shown->font().pointSizeF(), QApplication::font(shown).pointSizeF());
    }

    void levelSubmenus_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("verbsCaption");
        for (int k = 1; k <= 10; ++k) {
            const QString n = QString::number(k);
            const QString verbs = k == 1 ? "verbos1" : k == 7 ? "VErbos7" : "Verbos" + n;
            QTest::addRow("%d00 Words", k) << k
                                           << QStringList{"Nombres" + n,   verbs,           "Pronombres" + n,
                                                          "Adjetivos" + n, "Adverbios" + n, "Preposicines" + n,
                                                          "Conjunctivos" + n}
                                           << (k == 8 ? "Verbos" : "Verbs");
        }
    }

    void levelSubmenus()
    {
        QFETCH(int, level);
        QFETCH(QStringList, names);
        QFETCH(QString, verbsCaption);
        Window w;
        QAction *item = w.action(qPrintable(QStringLiteral("N%1Words").arg(level * 100)));
        QVERIFY(item && item->menu());
        QStringList shown;
        QStringList captions;
        for (QAction *entry : item->menu()->actions()) {
            shown << entry->objectName();
            captions << entry->text();
        }
        QCOMPARE(shown, names);
        QCOMPARE(captions, (QStringList{"Nouns", verbsCaption, "Pronouns", "Adjectives", "Adverbs", "Prepositions",
                                        "Conjunctions"}));
        // A group item there runs the group command.
        w.start();
        item->menu()->actions()[4]->trigger();
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Adverbs"));
    }

    void levelCommands_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("byOpeningTheSubmenu");
        for (int k = 1; k <= 10; ++k) {
            QTest::addRow("%d00 Words", k) << k << false;
            QTest::addRow("%d00 Words, submenu opened", k) << k << true;
        }
    }

    void levelCommands()
    {
        QFETCH(int, level);
        QFETCH(bool, byOpeningTheSubmenu);
        Window w;
        w.start();
        const QString question = w.text("Edit1");
        QAction *item = w.action(qPrintable(QStringLiteral("N%1Words").arg(level * 100)));
        if (byOpeningTheSubmenu)
            emit item->menu()->aboutToShow();
        else
            item->trigger();
        QCOMPARE(w.text("Level"), QStringLiteral("%1 Words").arg(level * 100));
        QVERIFY(item->isChecked());
        int checked = 0;
        for (int k = 1; k <= 10; ++k)
            checked += w.action(qPrintable(QStringLiteral("N%1Words").arg(k * 100)))->isChecked();
        QCOMPARE(checked, 1);
        QCOMPARE(w.text("Edit1"), question); // nothing reloaded
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Nouns"));
    }

    void newAllWithUnknownGroup_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::newRow("New Words Only") << "NewWords" << "New Words Only";
        QTest::newRow("All Words") << "AllWords" << "All Words";
    }

    void newAllWithUnknownGroup()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        Window w;
        w.form->KnownList = QStringList{"1", "2"};
        w.trigger(qPrintable(command));
        QCOMPARE(w.text("NewAll"), text);
        QVERIFY(w.action(qPrintable(command))->isChecked());
        QVERIFY(w.form->KnownList.isEmpty());
        // The group box matches no group: nothing is loaded or asked.
        QVERIFY(w.text("Edit1").startsWith("Select level"));
        QVERIFY(w.form->Words.text(0, 0).empty());
    }

    void newAllReloadsTheGroup()
    {
        RecordingBoxes boxes;
        Window w;
        w.start();
        w.trigger("N200Words");
        w.trigger("Nouns1");
        QCOMPARE(w.form->RangeEnd, 35);
        w.form->KnownList = QStringList{"0", "1"};
        w.trigger("AllWords");
        QCOMPARE(w.form->RangeEnd, 46);
        QVERIFY(w.form->KnownList.isEmpty());
        QCOMPARE(w.text("Edit1"), QStringLiteral("word"));
        w.trigger("NewWords");
        QCOMPARE(w.form->RangeEnd, 35);
        QCOMPARE(w.text("Edit1"), QStringLiteral("work"));
        QVERIFY(boxes.messages.isEmpty());
    }

    // A pass-on changes the group box, and the later comparison runs that group again.
    void newAllAfterPassOnRunsTheLaterGroupAgain()
    {
        RecordingBoxes boxes;
        Window w;
        w.start();
        w.trigger("N400Words");
        w.trigger("AllWords");
        w.trigger("Pronouns1");
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Pronouns"));
        QSignalSpy adjectives(w.action("Adjectives1"), &QAction::triggered);
        w.trigger("NewWords");
        QCOMPARE(boxes.messages, QStringList{"There are no new pronouns at this level"});
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Adjectives"));
        QCOMPARE(adjectives.count(), 2);
        QCOMPARE(w.form->RangeEnd, 27);
        QCOMPARE(w.form->AskedIndex, 65);
    }

    void answerModes()
    {
        Window w;
        w.start();
        const QString question = w.text("Edit1");
        const QStringList choices{w.choices()[0]->text(), w.choices()[1]->text()};
        w.trigger("TypeAnswer");
        QVERIFY(w.form->Button1->isEnabled());
        QVERIFY(!w.form->Answer->isReadOnly());
        QVERIFY(w.form->AnswerBox->isHidden());
        QVERIFY(!w.form->AnswerBox->isEnabled());
        QVERIFY(w.action("TypeAnswer")->isChecked());
        for (const char *key : {"Accenta", "AcuteA", "TildeA", "Tilden", "Accente", "AcuteE", "accenti", "Accento",
                                "AcuteO", "TildeO", "Accentu"})
            QVERIFY2(w.find<QPushButton>(key)->isEnabled(), key);
        QCOMPARE(w.text("Edit1"), question);
        QCOMPARE(w.text("Answer"), QString());

        w.form->Answer->setPlainText(QStringLiteral("kept"));
        w.trigger("MultChoice");
        QVERIFY(!w.form->Button1->isEnabled());
        QVERIFY(w.form->Answer->isReadOnly());
        QVERIFY(!w.form->AnswerBox->isHidden());
        QVERIFY(w.form->AnswerBox->isEnabled());
        QVERIFY(!w.find<QPushButton>("Accentu")->isEnabled());
        QCOMPARE(w.text("Answer"), QStringLiteral("kept"));
        QCOMPARE(w.text("Edit1"), question);
        QCOMPARE(w.choices()[0]->text(), choices[0]);
        QCOMPARE(w.choices()[1]->text(), choices[1]);
    }

    void feedbackLeavesTheCaretAtTheEnd_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("right") << "palavra" << QByteArray("Button1");
        QTest::newRow("wrong") << "errada" << QByteArray("Button1");
        QTest::newRow("Peek") << "" << QByteArray("OstrelButton1");
    }

    // A key typed while the feedback shows goes after it, not in front of it.
    void feedbackLeavesTheCaretAtTheEnd()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, button);
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        QTest::keyClicks(w.form->Answer, typed);
        w.form->Answer->moveCursor(QTextCursor::Start);
        if (auto *check = w.find<TQuilButton1>(button.constData()))
            check->click();
        else
            w.find<TGradBtn>(button.constData())->click();
        QVERIFY(w.text("Answer").size() > typed.size());
        QCOMPARE(w.form->Answer->textCursor().position(), w.text("Answer").size());
    }

    void typeAnswerGivesTheFocusToTheAnswer()
    {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.trigger("TypeAnswer");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Answer));
    }

    void directions_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("repeatEnabled");
        QTest::addColumn<QString>("question");
        QTest::newRow("Portuguese to English")
            << "SpanishtoEnglish1" << QStringList{"to", "I", "you", "he_(she_it)", "we", "you (pl)", "they", "", "", "", ""}
            << false << "tempo";
        QTest::newRow("English to Portuguese")
            << "EnglishtoSpanish1" << QStringList{"á", "â", "ã", "ç", "é", "ê", "í", "ó", "ô", "õ", "ú"} << true << "time";
    }

    void directions()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, captions);
        QFETCH(bool, repeatEnabled);
        QFETCH(QString, question);
        Window w;
        w.start();
        w.form->TrialCount = 3;
        w.trigger("SpanishtoEnglish1");
        w.form->SequencePos = 0;
        w.trigger(qPrintable(command));
        const char *keys[] = {"Accenta", "AcuteA", "TildeA", "Tilden", "Accente", "AcuteE",
                              "accenti", "Accento", "AcuteO", "TildeO", "Accentu"};
        for (int i = 0; i < 11; ++i)
            QCOMPARE(w.find<QPushButton>(keys[i])->text(), captions[i]);
        QCOMPARE(w.form->GradBtn1->isEnabled(), repeatEnabled);
        QVERIFY(w.action(qPrintable(command))->isChecked());
        QVERIFY(w.text("Edit1").startsWith(question));
        QCOMPARE(w.form->TrialCount, 3);
        for (QRadioButton *choice : w.choices())
            QVERIFY(!choice->isChecked());
    }

    void verbForms_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("checked");
        QTest::newRow("infinitives") << QStringList{"Infinitives"} << "Infinitives and p.p." << "Infinitives";
        QTest::newRow("no second person") << QStringList{"NoSecondPerson2"} << "No Second Person" << "NoSecondPerson2";
        QTest::newRow("back to all forms") << QStringList{"Infinitives", "Include1"} << "All Verb Forms" << "Include1";
        QTest::newRow("all forms again") << QStringList{"Include1"} << "All Verb Forms" << "Include1";
    }

    void verbForms()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, caption);
        QFETCH(QString, checked);
        Window w;
        QCOMPARE(w.form->SecondPerson1->title(), QStringLiteral("Verb Form?"));
        for (const QString &command : commands)
            w.trigger(qPrintable(command));
        QCOMPARE(w.find<QMenu>("SecondPerson1")->title(), caption);
        QVERIFY(w.action(qPrintable(checked))->isChecked());
        QVERIFY(w.text("Edit1").startsWith("Select level")); // nothing asked
    }

    void orderCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("successive") << "Sequence";
        QTest::newRow("random") << "Random1";
    }

    void orderCommands()
    {
        QFETCH(QString, command);
        Window w;
        w.start();
        w.form->SequencePos = 7;
        w.trigger(qPrintable(command));
        QCOMPARE(w.form->SequencePos, -1);
        QVERIFY(w.action(qPrintable(command))->isChecked());
        QCOMPARE(w.text("Edit1"), QStringLiteral("word"));
    }

    void enterPressesCheck_data()
    {
        QTest::addColumn<bool>("typedAnswerMode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("trials");
        QTest::newRow("typed, Return in the answer") << true << int(Qt::Key_Return) << 0 << "Answer" << 1;
        QTest::newRow("typed, keypad Enter") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "Answer" << 1;
        QTest::newRow("typed, Return on New Question") << true << int(Qt::Key_Return) << 0 << "Button2" << 1;
        QTest::newRow("typed, Return in New/All") << true << int(Qt::Key_Return) << 0 << "NewAll" << 1;
        QTest::newRow("typed, Shift+Return") << true << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "Answer" << 0;
        QTest::newRow("typed, Ctrl+Return") << true << int(Qt::Key_Return) << int(Qt::ControlModifier) << "Answer" << 0;
        QTest::newRow("typed, Alt+Return") << true << int(Qt::Key_Return) << int(Qt::AltModifier) << "Answer" << 0;
        QTest::newRow("multiple choice") << false << int(Qt::Key_Return) << 0 << "Answer" << 0;
    }

    void enterPressesCheck()
    {
        QFETCH(bool, typedAnswerMode);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focus);
        QFETCH(int, trials);
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        if (typedAnswerMode)
            w.trigger("TypeAnswer");
        auto *target = w.form->findChild<QWidget *>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.form->TrialCount, trials);
        QCOMPARE(w.text("Answer").contains('\n'), false);
    }

    void richTextBoxesTakeNoLineBreaks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("answer") << "Answer";
        QTest::newRow("question") << "Edit1";
    }

    void richTextBoxesTakeNoLineBreaks()
    {
        QFETCH(QString, name);
        Window w;
        auto *box = w.form->findChild<OneLineTextEdit *>(name);
        box->setReadOnly(false);
        box->clear();
        box->show();
        QTest::keyClicks(box, "ab");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QApplication::clipboard()->setText(QStringLiteral("c\r\nd\ne\u2029f\u2028g"));
        box->paste();
        QMimeData dropped;
        dropped.setText(QStringLiteral("\nh\n"));
        QTextCursor atEnd = box->textCursor();
        atEnd.movePosition(QTextCursor::End);
        const QPoint end = box->cursorRect(atEnd).center();
        QDragEnterEvent enter(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &enter);
        QDropEvent drop(QPointF(end), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &drop);
        QString shown = box->toPlainText();
        QCOMPARE(shown.count('h'), 1); // the drop lands where the pointer is
        QCOMPARE(shown.remove('h'), QStringLiteral("abcdefg"));
        QCOMPARE(box->document()->blockCount(), 1);
    }

    // Whatever the learner puts into the two boxes that take typing arrives on
    // one line and within the box's cap, by every route.
    void learnerInputIsOneCappedLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("count"); // x's after the text with its line breaks
        QTest::addColumn<int>("length"); // what the box then holds
        for (const char *route : {"keys", "paste", "drop", "input method"}) {
            const int count = qstrcmp(route, "keys") ? 1000000 : 300;
            QTest::addRow("answer, %s", route) << "Answer" << route << count << OneLineTextEdit::MaxTypedLength;
            // A line edit cuts at its cap before the line breaks go.
            QTest::addRow("New/All, %s", route) << "NewAll" << route << count << (qstrcmp(route, "keys") ? 60 : 64);
        }
    }

    void learnerInputIsOneCappedLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, route);
        QFETCH(int, count);
        QFETCH(int, length);
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        auto *box = w.form->findChild<QWidget *>(name);
        QMetaObject::invokeMethod(box, "clear");
        const QString text = QStringLiteral("a\u2028b\u2029c\r\nd") + QString(count, u'x');
        if (route == "keys") {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        } else if (route == "paste") {
            QApplication::clipboard()->setText(text);
            QMetaObject::invokeMethod(box, "paste");
        } else if (route == "drop") {
            QWidget *target = name == "Answer" ? w.form->Answer->viewport() : box;
            QMimeData dropped;
            dropped.setText(text);
            QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(box, &commit);
        }
        QCOMPARE(w.text(name.toLatin1()), (QStringLiteral("abcd") + QString(count, u'x')).left(length));
    }

    void backgroundClickRunsTheConjunctions()
    {
        RecordingBoxes boxes;
        Window w;
        w.start();
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        // Design point (4, 60): left of the boxes, between the top row and the question.
        QWidget *client = w.form->centralWidget();
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(4 * client->width() / 553, 60 * client->height() / 361));
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Conjunctions"));
        QVERIFY(w.action("Conjunctions1")->isChecked());
        // A click on a label is not on the background.
        w.trigger("Nouns1");
        QTest::mouseClick(w.form->Label1, Qt::LeftButton);
        QCOMPARE(w.text("WordGroup"), QStringLiteral("Nouns"));
    }

    void helpDirectoryMapping()
    {
        const QString mapped = platform::mapDirectory(QStringLiteral("C:\\Zol_1000"));
        QVERIFY2(QFileInfo::exists(QDir(mapped).filePath("ZolPort Help.pdf")), qPrintable(mapped));
        QCOMPARE(platform::mapDirectory(QStringLiteral("c:\\zol_1000")), mapped);
        QCOMPARE(platform::mapDirectory(QStringLiteral("/tmp")), QStringLiteral("/tmp"));
        // Works from any current directory.
        const QString before = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(platform::mapDirectory(QStringLiteral("C:\\Zol_1000")), mapped);
        QDir::setCurrent(before);
    }

    void shellOpenFailsSilently_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("directory");
        QTest::newRow("missing document") << QByteArray("Missing Help.pdf") << QByteArray("C:\\Zol_1000");
        QTest::newRow("missing directory") << QByteArray("ZolPort Help.pdf") << QByteArray("/no/such/dir");
        QTest::newRow("names longer than 79") << QByteArray(300, 'x') << QByteArray(200, 'y');
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void shellOpenFailsSilently()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, directory);
        QVERIFY(platform::ShellOpenFile(file.constData(), " ", directory.constData(), 5) <= 32);
        QVERIFY(platform::ShellOpenFile(nullptr, nullptr, nullptr, 5) <= 32);
    }

    void soundCues_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("dataBytes");
        QTest::newRow("wrong") << ":/sounds/wrong.wav" << 11025 << 8 << 2152;
        QTest::newRow("right") << ":/sounds/right.wav" << 22050 << 16 << 2516;
    }

    void soundCues()
    {
        QFETCH(QString, file);
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFETCH(int, dataBytes);
        QFile wav(file);
        QVERIFY(wav.open(QIODevice::ReadOnly));
        const QByteArray bytes = wav.readAll();
        const auto u16 = [&](int at) { return quint16(uchar(bytes[at]) | uchar(bytes[at + 1]) << 8); };
        const auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
        QCOMPARE(bytes.mid(12, 4), QByteArray("fmt "));
        QCOMPARE(int(u16(20)), 1); // PCM
        QCOMPARE(int(u16(22)), 1); // mono
        QCOMPARE(int(u32(24)), rate);
        QCOMPARE(int(u16(34)), bits);
        QCOMPARE(bytes.mid(36, 4), QByteArray("data"));
        QCOMPARE(int(u32(40)), dataBytes);
        QCOMPARE(bytes.size(), 44 + dataBytes);

        Window w;
        const char *container = rate == 11025 ? "OleContainer1" : "OleContainer2";
        QCOMPARE(w.find<QObject>(container)->property("source").toUrl(), QUrl("qrc" + file));
    }

    void aboutShowsTheVersion()
    {
        RecordingBoxes boxes;
        Window w;
        w.trigger("About1");
        QCOMPARE(boxes.messages, QStringList{QString::fromUtf8(VersionMessage)});
    }

    void realMessageBoxCarriesTheTitleAndIsCentred_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("About") << QByteArray("About1");
        QTest::newRow("a message that wraps") << QByteArray("Exit2");
    }

    void realMessageBoxCarriesTheTitleAndIsCentred()
    {
        QFETCH(QByteArray, command);
        Window w;
        QString title;
        QPoint centre;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                centre = box->geometry().center();
                box->button(QMessageBox::Ok)->click();
            }
        });
        w.trigger(command.constData());
        QCOMPARE(title, QStringLiteral("ZolPTypedAns.exe"));
        // Measured on the box as it shows, with its final size.
        const QPoint screen = w.form->screen()->availableGeometry().center();
        QVERIFY2((centre - screen).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("centred at %1, %2").arg(centre.x()).arg(centre.y())));
    }

    // The whole row of a choice is its button, and its circle grows with its text.
    void choiceRows()
    {
        Window w;
        w.start();
        const QList<QRadioButton *> rows = w.choices();
        QRadioButton *last = rows.last();
        QTest::mouseClick(last, Qt::LeftButton, {}, QPoint(last->width() - 2, last->height() / 2));
        QVERIFY2(last->isChecked(), "a click at the end of the row misses it");
        auto *choice = static_cast<ChoiceButton *>(rows.first());
        QFont large = choice->font();
        large.setPointSize(large.pointSize() * 3);
        const int small = choice->indicatorRect().height();
        choice->setFont(large);
        QVERIFY2(choice->indicatorRect().height() >= small * 2, "the circle keeps its size beside larger text");
    }

    // A disabled gradient button shows so in the window: no black caption.
    void disabledRepeatLooksDisabled()
    {
        Window w;
        w.start();
        const auto blackPixels = [](QWidget *button) {
            const QImage face = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int count = 0;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x)
                    count += face.pixel(x, y) == qRgb(0, 0, 0);
            return count;
        };
        QVERIFY(blackPixels(w.form->GradBtn1) > 0);
        w.trigger("SpanishtoEnglish1");
        QVERIFY(!w.form->GradBtn1->isEnabled());
        QCOMPARE(blackPixels(w.form->GradBtn1), 0);
    }

    // Every command from the keyboard, wherever the focus is; a box that takes a key keeps it.
    void commandKeys_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<bool>("typed");        // in typed-answer mode
        QTest::addColumn<QString>("focus");     // the control with the focus
        QTest::addColumn<QString>("disabled");  // a control disabled first
        QTest::addColumn<int>("trials");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");    // what the answer box shows after
        const QKeySequence ctrlN(Qt::CTRL | Qt::Key_N), ctrlP(Qt::CTRL | Qt::Key_P);
        QTest::newRow("1 chooses") << QKeySequence(Qt::Key_1) << false << "Answer" << "" << 1 << "word" << "";
        QTest::newRow("4 chooses") << QKeySequence(Qt::Key_4) << false << "Button2" << "" << 1 << "word" << "";
        QTest::newRow("a digit typed") << QKeySequence(Qt::Key_1) << true << "Answer" << "" << 0 << "word" << "1";
        QTest::newRow("a digit in New/All") << QKeySequence(Qt::Key_2) << false << "NewAll" << "" << 0 << "word" << "";
        QTest::newRow("Ctrl+N") << ctrlN << false << "Answer" << "" << 0 << "time" << "";
        QTest::newRow("Ctrl+N, typed") << ctrlN << true << "Answer" << "" << 0 << "time" << "";
        QTest::newRow("Ctrl+N, disabled") << ctrlN << false << "Answer" << "Button2" << 0 << "word" << "";
        QTest::newRow("Ctrl+P") << ctrlP << false << "Reset1" << "" << 0 << "word" << "palavra";
        QTest::newRow("Ctrl+P, typed") << ctrlP << true << "Answer" << "" << 0 << "word" << "palavra";
        QTest::newRow("Ctrl+0 resets") << QKeySequence(Qt::CTRL | Qt::Key_0) << true << "Answer" << "" << 0 << "word" << "";
    }

    void commandKeys()
    {
        QFETCH(QKeySequence, key);
        QFETCH(bool, typed);
        QFETCH(QString, focus);
        QFETCH(QString, disabled);
        QFETCH(int, trials);
        QFETCH(QString, question);
        QFETCH(QString, answer);
        Window w;
        QVERIFY(startShown(w, typed));
        if (!disabled.isEmpty())
            w.form->findChild<QWidget *>(disabled)->setEnabled(false);
        QWidget *target = w.form->findChild<QWidget *>(focus);
        target->setFocus();
        QTest::keySequence(target, key);
        QCOMPARE(w.form->TrialCount, trials);
        QCOMPARE(w.text("Edit1"), question);
        if (w.form->TrialCount == 0 && key[0].key() != Qt::Key_0)
            QCOMPARE(w.text("Answer"), answer);
        if (focus == "NewAll")
            QCOMPARE(w.text("NewAll"), QStringLiteral("New Words Only2"));
        if (key[0].key() == Qt::Key_0)
            QCOMPARE(w.text("NumTrials"), QString());
        QVERIFY2(!w.form->findChild<QWidget *>("AnswerBox")->focusPolicy(), "the frame of the choices is no Tab stop");
    }

    // From the read-only answer box, the keys that move among the choices reach them, answering nothing.
    void answerBoxKeysReachTheChoices_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("wrongFirst"); // a wrong choice already made
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("focused"); // the choice with the focus after, or -1: the answer box keeps it
        QTest::newRow("Down: the first") << int(Qt::Key_Down) << false << false << 0;
        QTest::newRow("Space: the first") << int(Qt::Key_Space) << false << false << 0;
        QTest::newRow("Up: the last") << int(Qt::Key_Up) << false << false << 3;
        QTest::newRow("Down: the one chosen") << int(Qt::Key_Down) << true << false << -2;
        QTest::newRow("Left stays, along the text") << int(Qt::Key_Left) << false << false << -1;
        QTest::newRow("typed mode: Down stays") << int(Qt::Key_Down) << false << true << -1;
    }

    void answerBoxKeysReachTheChoices()
    {
        QFETCH(int, key);
        QFETCH(bool, wrongFirst);
        QFETCH(bool, typed);
        QFETCH(int, focused);
        Window w;
        QVERIFY(startShown(w, typed));
        if (wrongFirst)
            w.choose(false);
        const int trials = w.form->TrialCount;
        w.form->Answer->setFocus();
        QTest::keyClick(w.form->Answer, Qt::Key(key));
        const QList<QRadioButton *> choices = w.choices();
        QWidget *expected = focused == -1 ? static_cast<QWidget *>(w.form->Answer)
                          : focused == -2 ? choices[w.form->ChoiceOrder.value(1).toInt()]
                                          : choices[focused];
        QCOMPARE(QApplication::focusWidget(), expected);
        QCOMPARE(w.form->TrialCount, trials);
    }

    void menuKeys_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("F10") << QKeySequence(Qt::Key_F10) << "Exit1";
        QTest::newRow("Alt+L") << QKeySequence(Qt::ALT | Qt::Key_L) << "Levels1";
        QTest::newRow("Alt+M") << QKeySequence(Qt::ALT | Qt::Key_M) << "Mode";
        QTest::newRow("Alt+H") << QKeySequence(Qt::ALT | Qt::Key_H) << "Help1";
    }

    void menuKeys()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, menu);
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.start();
        QTest::keySequence(w.form->Answer, key);
        QVERIFY(w.form->menuBar()->activeAction());
        QCOMPARE(w.form->menuBar()->activeAction()->objectName(), menu);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(static_cast<QMenu *>(QApplication::activePopupWidget())->activeAction(),
                 menu == "Levels1" ? nullptr : w.form->menuBar()->activeAction()->menu()->actions().constFirst());
        QCOMPARE(w.text("Level"), QStringLiteral("100 Words"));
        // F1 in the open menu: the help, and when it closes the focus is back in the window.
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_F1);
        auto *help = w.form->findChild<QDialog *>("HelpWindow");
        QVERIFY(help && !QApplication::activePopupWidget());
        help->close();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Answer));
    }

    // The help window closed, the focus is back where the learner left it.
    void helpGivesTheFocusBack_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("Repeat") << "GradBtn1";
        QTest::newRow("New Question") << "Button2";
    }

    void helpGivesTheFocusBack()
    {
        QFETCH(QString, focus);
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.start();
        auto *focused = w.form->findChild<QWidget *>(focus);
        focused->setFocus();
        QTest::keySequence(focused, QKeySequence(Qt::ALT | Qt::Key_H));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_F1);
        auto *help = w.form->findChild<QDialog *>("HelpWindow");
        QVERIFY(help);
        QTRY_VERIFY(help->isActiveWindow());
        help->close();
        QTRY_VERIFY(w.form->isActiveWindow());
        QTRY_COMPARE(QApplication::focusWidget(), focused);
    }

    void programHelpWithoutAViewer_data()
    {
        QTest::addColumn<QString>("opener"); // the desktop's opener: its script, or none at all
        QTest::addColumn<bool>("helpWindow");
        QTest::newRow("a viewer takes it") << "/bin/sleep 0.2; exit 0" << false;
        QTest::newRow("no viewer for the type") << "/bin/sleep 0.2; exit 3" << true;
        QTest::newRow("no opener installed") << "" << true;
    }

    // Where the desktop cannot show the document, the help window shows instead.
    void programHelpWithoutAViewer()
    {
        QFETCH(QString, opener);
        QFETCH(bool, helpWindow);
        QTemporaryDir bin;
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(("#!/bin/sh\n" + opener + "\n").toUtf8());
            script.close();
            script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        Window w;
        w.trigger("ProgramHelp");
        qputenv("PATH", path);
        // A sign of life at once while the opener looks for a viewer; none left after it.
        const QCursor *busy = QGuiApplication::overrideCursor();
        QVERIFY2(busy && busy->shape() == Qt::BusyCursor, "no busy cursor while the opener runs");
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
        QTest::qWait(50);
        QCOMPARE(w.form->findChild<QDialog *>("HelpWindow") != nullptr, helpWindow);
    }
    // A logout's SIGTERM, Ctrl+C's SIGINT, a closed terminal's SIGHUP: the
    // program ends as its window's close ends it, without the goodbye box.
    void signalsEndTheProgram_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void signalsEndTheProgram()
    {
        QFETCH(int, signal);
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(ZOLPORT_BINARY), {});
        QVERIFY(program.waitForStarted());
        QTest::qWait(1500); // the window up and its first question asked
        QCOMPARE(program.state(), QProcess::Running);
        ::kill(pid_t(program.processId()), signal);
        QVERIFY2(program.waitForFinished(5000), "the program did not end");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void goodbyeOnce_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("Exit") << true;
        QTest::newRow("closing the window") << false;
    }

    void goodbyeOnce()
    {
        QFETCH(bool, byMenu);
        RecordingBoxes boxes;
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.form->KnownList = QStringList{"1"};
        if (byMenu)
            w.trigger("Exit2");
        else
            w.form->close();
        w.form->close();
        QCOMPARE(boxes.messages.size(), 1);
        QVERIFY(boxes.messages.first().startsWith("Espero que você goste deste programa. Por favor vá a "));
        QVERIFY(boxes.messages.first().endsWith(" para um programa com palavras inglesas faladas."));
        QVERIFY(w.form->KnownList.isEmpty());
        QVERIFY(!w.form->isVisible());
    }

    // A rescale hides the controls for a moment; the focus must not wander off.
    void rescaleKeepsTheFocus()
    {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.trigger("TypeAnswer");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Answer));
        w.form->showNormal();
        w.form->resize(700, 500);
        QTest::qWait(600);
        w.form->showMaximized();
        QTest::qWait(600);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.form->Answer));
    }

    void f1InAMenuShowsTheHelp()
    {
        Window w;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(w.form->Answer, &f1);
        QVERIFY2(!w.form->findChild<QDialog *>("HelpWindow"), "F1 outside a menu does nothing");
        QApplication::sendEvent(w.find<QMenu>("Help1"), &f1);
        QVERIFY(w.form->findChild<QDialog *>("HelpWindow"));
        const auto *text = w.form->findChild<QDialog *>("HelpWindow")->findChild<QTextBrowser *>();
        QVERIFY(text->toPlainText().contains(QString::fromUtf8("Repeat: ouça a palavra em inglês")));
        // Read by a caret, heading by heading.
        QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        int headings = 0;
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
            headings += block.blockFormat().headingLevel() > 0;
        QVERIFY(headings > 1);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
