// What a screen reader finds on the drill window's controls.
#include "tests/WindowFixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "app/Announcer.h"
#include "app/OneLineTextEdit.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

namespace {

// Shows the window and waits for what its start says.
void startShown(Window &w, QSignalSpy &heard)
{
    w.form->show();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    QTRY_COMPARE(heard.size(), 1);
}

// Runs one step of a drill: a wrong or right choice, Peek, New Question, Reset,
// a key where the focus is ("key:Ctrl+L"), a typed answer judged ("type:TEXT")
// or a menu command (its object name).
void runStep(Window &w, const QString &step)
{
    if (step == "wrong" || step == "right")
        w.choose(step == "right");
    else if (step == "peek")
        QTest::mouseClick(w.form->OstrelButton1, Qt::LeftButton);
    else if (step == "new")
        QTest::mouseClick(w.form->Button2, Qt::LeftButton);
    else if (step == "reset")
        QTest::mouseClick(w.form->Reset1, Qt::LeftButton);
    else if (step.startsWith("key:")) {
        const QKeyCombination key = QKeySequence(step.mid(4))[0];
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    } else if (step.startsWith("type:")) {
        w.form->Answer->setPlainText(step.mid(5));
        QTest::mouseClick(w.form->Button1, Qt::LeftButton);
    } else
        w.trigger(qPrintable(step));
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed()
    {
        Window w;
        w.start();
        const QList<QWidget *> controls = w.form->centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(controls.size() >= 26);
        for (QWidget *control : controls) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(face, qPrintable(control->objectName()));
            QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName() + " has no name"));
            QVERIFY2(!control->accessibleDescription().isEmpty(),
                     qPrintable(control->objectName() + " has no description"));
        }
        for (QRadioButton *choice : w.choices())
            QVERIFY(!QAccessible::queryAccessibleInterface(choice)->text(QAccessible::Name).isEmpty());
    }

    void namesFollowCaptions_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("englishToPortuguese");
        QTest::addColumn<QString>("portugueseToEnglish");
        // The first seven change meaning with the direction; the last four always append their letter.
        QTest::newRow("á / to") << "Accenta"
                                << "á"
                                << "to";
        QTest::newRow("ê / you (pl)") << "AcuteE"
                                      << "ê"
                                      << "you (pl)";
        QTest::newRow("ó without caption") << "Accento"
                                           << "ó"
                                           << "ó";
        QTest::newRow("ú without caption") << "Accentu"
                                           << "ú"
                                           << "ú";
        QTest::newRow("Question box") << "Edit1"
                                      << "Question"
                                      << "Question";
        QTest::newRow("Check") << "Button1"
                               << "Check"
                               << "Check";
    }

    void namesFollowCaptions()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, englishToPortuguese);
        QFETCH(QString, portugueseToEnglish);
        Window w;
        w.start();
        auto *control = w.form->findChild<QWidget *>(objectName);
        QVERIFY(control);
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), englishToPortuguese);
        w.trigger("SpanishtoEnglish1");
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), portugueseToEnglish);
    }

    void drawnButtonsArePressable_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::newRow("Reset") << "Reset1";
        QTest::newRow("New Question") << "Button2";
        QTest::newRow("Peek") << "OstrelButton1";
        QTest::newRow("Check") << "Button1";
    }

    void drawnButtonsArePressable()
    {
        QFETCH(QString, objectName);
        Window w;
        w.start();
        w.trigger("TypeAnswer");
        auto *button = w.form->findChild<QWidget *>(objectName);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(button);
        QCOMPARE(face->role(), QAccessible::Button);
        QAccessibleActionInterface *actions = face->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        int clicks = 0;
        if (auto *gradient = qobject_cast<TGradBtn *>(button))
            connect(gradient, &TGradBtn::clicked, this, [&clicks] { ++clicks; });
        else
            connect(qobject_cast<TQuilButton1 *>(button), &TQuilButton1::clicked, this, [&clicks] { ++clicks; });
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, 1);
    }

    void disabledCheckOffersNoPress()
    {
        Window w;
        w.start(); // multiple choice: Check is disabled
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w.find<QWidget>("Button1"));
        QVERIFY(face->actionInterface()->actionNames().isEmpty());
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w.form->TrialCount, 0);
    }

    // The one-line boxes as a screen reader reads them: every offset and boundary answers,
    // without a warning, and the word at the end of a line edit comes back.
    void boxTextAtEveryOffset_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::newRow("question (rich text)") << "Edit1";
        QTest::newRow("answer (rich text)") << "Answer";
        QTest::newRow("level (line edit)") << "Level";
        QTest::newRow("New/All (editable line edit)") << "NewAll";
    }

    void boxTextAtEveryOffset()
    {
        QFETCH(QString, objectName);
        Window w;
        auto *box = w.form->findChild<QWidget *>(objectName);
        QMetaObject::invokeMethod(box, box->inherits("QLineEdit") ? "setText" : "setPlainText",
                                  Q_ARG(QString, QStringLiteral("time is")));
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(box)->textInterface();
        QVERIFY(text);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(text->characterCount(), 7);
        QCOMPARE(text->text(0, -1), QStringLiteral("time is"));
        int start = -1, end = -1;
        for (int offset = -1; offset <= 8; ++offset)
            for (int type = QAccessible::CharBoundary; type <= QAccessible::NoBoundary; ++type) {
                const auto boundary = QAccessible::TextBoundaryType(type);
                for (const QString &piece : {text->textAtOffset(offset, boundary, &start, &end),
                                             text->textBeforeOffset(offset, boundary, &start, &end),
                                             text->textAfterOffset(offset, boundary, &start, &end)})
                    QVERIFY(piece.size() <= 7 && start >= 0 && end <= 7 && start <= end);
                text->characterRect(offset);
                text->text(offset, offset + 1);
            }
        QCOMPARE(text->textAtOffset(7, QAccessible::WordBoundary, &start, &end), QStringLiteral("is"));
        QCOMPARE(text->textAtOffset(2, QAccessible::LineBoundary, &start, &end), QStringLiteral("time is"));
        QCOMPARE(text->textAtOffset(3, QAccessible::CharBoundary, &start, &end), QStringLiteral("e"));
    }

    void choicesSayTheirPlace()
    {
        Window w;
        const QList<QRadioButton *> choices = w.choices();
        QCOMPARE(choices.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(choices[i]->accessibleDescription().startsWith(QStringLiteral("%1 of 4. Key: %1").arg(i + 1)));
    }

    // What the screen reader is told after each step, once: "(question)" is the question on show.
    void drillIsAnnounced_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("language");
        const QString choices = " 1 palavra. 2 tempo vez hora. 3 caminho maneira jeito modo. 4 coisa.";
        QTest::newRow("start: how to answer") << QStringList{} << "Question: word. Choose 1 to 4." + choices << "";
        QTest::newRow("wrong choice") << QStringList{"wrong"} << "Error! 1 trial, 0%"
                                      << "en";
        QTest::newRow("right choice, nothing shown") << QStringList{"right"} << "Correct! 1 trial, 100%"
                                                     << "en";
        QTest::newRow("right choice, shown") << QStringList{"SpanishtoEnglish1", "right"} << "Correct! 1 trial, 100%"
                                             << "en";
        QTest::newRow("two answers") << QStringList{"wrong", "right"} << "Correct! 2 trials, 50%"
                                     << "en";
        QTest::newRow("peek") << QStringList{"peek"} << "palavra"
                              << "pt-BR";
        QTest::newRow("peek, to English") << QStringList{"SpanishtoEnglish1", "peek"} << "time"
                                          << "en";
        QTest::newRow("last verdict again") << QStringList{"wrong", "key:Ctrl+L"} << "Error! 1 trial, 0%"
                                            << "en";
        QTest::newRow("no verdict yet") << QStringList{"key:Ctrl+L"} << "No answer judged yet"
                                        << "en";
        QTest::newRow("Enter again on the verdict")
            << QStringList{"TypeAnswer", "type:xyz", "key:Return"} << "xyz is NOT Correct! Try Again 1 trial, 0%"
            << "en";
        QTest::newRow("Repeat's key where it is disabled") << QStringList{"SpanishtoEnglish1", "key:Ctrl+R"}
                                                           << "Repeat is not available"
                                                           << "en";
        QTest::newRow("reset") << QStringList{"wrong", "reset"} << "Score reset"
                               << "en";
        QTest::newRow("typed wrong") << QStringList{"TypeAnswer", "type:xyz"}
                                     << "xyz is NOT Correct! Try Again 1 trial, 0%"
                                     << "en";
        QTest::newRow("typed right") << QStringList{"TypeAnswer", "type:palavra"}
                                     << "palavra is Correct! 1 trial, 100%"
                                     << "en";
        QTest::newRow("new question, its choices") << QStringList{"new"}
                                                   << "time. 1 tempo vez hora. 2 número. 3 lado. 4 chamada ligação."
                                                   << "";
        QTest::newRow("direction") << QStringList{"SpanishtoEnglish1"}
                                   << "tempo vez hora. 1 time. 2 number. 3 side. 4 call."
                                   << "";
        QTest::newRow("typed mode: how to answer") << QStringList{"TypeAnswer"}
                                                   << "Question: word. Type the translation and press Enter."
                                                   << "en";
        QTest::newRow("typed mode, new question") << QStringList{"TypeAnswer", "new"} << "time."
                                                  << "en";
        QTest::newRow("underscores as blanks") << QStringList{"TypeAnswer", "Verbs1"} << "he (she it) is."
                                               << "en";
    }

    void drillIsAnnounced()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, said);
        QFETCH(QString, language);
        Window w;
        RecordingBoxes boxes;
        auto *announcer = w.form->findChild<Announcer *>();
        QSignalSpy heard(announcer, &Announcer::announced);
        startShown(w, heard);
        for (const QString &step : steps) {
            const qsizetype before = heard.size();
            runStep(w, step);
            QWidget *focus = QApplication::focusWidget();
            QTRY_COMPARE_WITH_TIMEOUT(heard.size(), before + 1, 1000);
            QCOMPARE(QApplication::focusWidget(), focus); // heard without a move of the focus
        }
        QTest::qWait(20);
        QCOMPARE(heard.size(), steps.size() + 1);
        QCOMPARE(heard.last().first().toString(), said);
        QCOMPARE(announcer->language(), language);
    }

    // After Yes at the end of a group: where the drill goes on, and its question.
    void endOfGroupSaysWhereTheDrillGoes()
    {
        Window w;
        RecordingBoxes boxes;
        QSignalSpy heard(w.form->findChild<Announcer *>(), &Announcer::announced);
        startShown(w, heard);
        while (boxes.confirmations == 0) {
            w.choose();
            w.expire(w.form->Timer2);
            QVERIFY(w.form->TrialCount <= 11); // the nouns new at 100 words
        }
        QTRY_VERIFY2(heard.last().first().toString().contains(QStringLiteral("Verbs, 100 Words. he (she it) is. 1 ")),
                     qPrintable(heard.last().first().toString()));
    }

    // Said while the window is covered: held, then said with the question when it is back.
    void heldWhileCovered_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("said");
        const QString start = "Question: word. Choose 1 to 4. 1 palavra. 2 tempo vez hora. 3 caminho maneira jeito modo. 4 coisa.";
        QTest::newRow("nothing asked meanwhile") << "" << start;
        QTest::newRow("a new question meanwhile") << "new" << "time. 1 tempo vez hora. 2 número. 3 lado. 4 chamada ligação.";
        QTest::newRow("a verdict meanwhile") << "wrong" << "Error! 1 trial, 0% " + start;
    }

    void heldWhileCovered()
    {
        QFETCH(QString, step);
        QFETCH(QString, said);
        Window w;
        QSignalSpy heard(w.form->findChild<Announcer *>(), &Announcer::announced);
        startShown(w, heard);
        QWidget cover;
        cover.show();
        cover.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&cover));
        if (!step.isEmpty())
            runStep(w, step);
        QTest::qWait(20);
        QCOMPARE(heard.size(), 1);
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QTRY_COMPARE(heard.size(), 2);
        QCOMPARE(heard.last().first().toString(), said);
    }

    void menusKeepTheirCaptions()
    {
        Window w;
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(w.form->menuBar());
        QStringList captions;
        for (int i = 0; i < bar->childCount(); ++i)
            captions << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(captions,
                 (QStringList {"Exit", "Levels", "Word Groups", "Verb Form?", "Question Order", "All Words/New Words",
                               "Mult Choice/Type Answer", "Translation?", "Help"}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
