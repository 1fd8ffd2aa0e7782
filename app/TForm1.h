#pragma once

// The drill window. It owns every control, the menus (which hold the
// settings), the two timers, the two sound cues, the word store and the drill
// state. Commands are its slots; a command that needs another one triggers
// that command's menu action, so it runs exactly as the learner's click.
// The rules themselves live in drill/ (on plain values) and vocabulary/;
// this class reads the controls into drill::Settings, calls the rules, and
// writes texts, timers and sounds. What a screen reader must hear without a
// move of the focus (the question, the verdicts) it hands to an Announcer.
// Its construction lives in DrillWindowSetup.cpp, its commands in TForm1.cpp.

#include "app/Sound.h" // the cues' type, complete for whoever plays or reads them
#include "drill/DrillState.h"
#include "vocabulary/WordGroups.h"
#include "vocabulary/WordStore.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <memory>

class Announcer;
class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;
class OneLineTextEdit;
class TElasticForm;
class TGradBtn;
class TQuilButton1;

class TForm1 : public QMainWindow, public drill::DrillState
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Replaces the source of random draws (tests fix the draws with it).
    void setRandomSource(std::unique_ptr<drill::RandomSource> random);

    // The settings as the controls hold them now.
    drill::Settings settings() const;

    vocabulary::WordStore Words;

    // Controls, named as the window's design names them.
    QLineEdit *Level = nullptr;
    QLineEdit *WordGroup = nullptr;
    QLineEdit *NewAll = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *NumTrials = nullptr;
    QLineEdit *Score = nullptr;
    TGradBtn *Reset1 = nullptr;
    OneLineTextEdit *Edit1 = nullptr;
    QGroupBox *AnswerBox = nullptr;
    OneLineTextEdit *Answer = nullptr;
    QPushButton *Accenta = nullptr;
    QPushButton *AcuteA = nullptr;
    QPushButton *TildeA = nullptr;
    QPushButton *Tilden = nullptr;
    QPushButton *Accente = nullptr;
    QPushButton *AcuteE = nullptr;
    QPushButton *accenti = nullptr;
    QPushButton *Accento = nullptr;
    QPushButton *AcuteO = nullptr;
    QPushButton *TildeO = nullptr;
    QPushButton *Accentu = nullptr;
    TGradBtn *GradBtn1 = nullptr;
    TGradBtn *Button2 = nullptr;
    TGradBtn *OstrelButton1 = nullptr;
    TQuilButton1 *Button1 = nullptr;
    SoundCue *OleContainer1 = nullptr; // wrong-answer cue
    SoundCue *OleContainer2 = nullptr; // right-answer cue
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    TElasticForm *ElasticForm1 = nullptr;

    // Menu actions.
    QAction *Exit2 = nullptr;
    std::array<QAction *, vocabulary::LevelCount> levelActions{};
    std::array<QAction *, vocabulary::GroupCount> groupActions{};
    QAction *Nouns1 = nullptr;
    QAction *Verbs1 = nullptr;
    QAction *Pronouns1 = nullptr;
    QAction *Adjectives1 = nullptr;
    QAction *Adverbs1 = nullptr;
    QAction *Prepositions1 = nullptr;
    QAction *Conjunctions1 = nullptr;
    QAction *Include1 = nullptr;
    QAction *Infinitives = nullptr;
    QAction *NoSecondPerson2 = nullptr;
    QAction *Sequence = nullptr;
    QAction *Random1 = nullptr;
    QAction *NewWords = nullptr;
    QAction *AllWords = nullptr;
    QAction *MultChoice = nullptr;
    QAction *TypeAnswer = nullptr;
    QAction *EnglishtoSpanish1 = nullptr;
    QAction *SpanishtoEnglish1 = nullptr;
    QAction *ProgramHelp = nullptr;
    QAction *About1 = nullptr;
    QMenu *SecondPerson1 = nullptr;

public slots:
    // Start-up and exit.
    void FormCreate();
    void FormActivate();
    void Exit2Click();
    void ProgramHelpClick();
    void About1Click();

    // Levels.
    void N100WordsClick();
    void N200WordsClick();
    void N300WordsClick();
    void N400WordsClick();
    void N500WordsClick();
    void N600WordsClick();
    void N700WordsClick();
    void N800WordsClick();
    void N900WordsClick();
    void N1000WordsClick();

    // Word groups.
    void Nouns1Click();
    void Verbs1Click();
    void Pronouns1Click();
    void Adjectives1Click();
    void Adverbs1Click();
    void Prepositions1Click();
    void Conjunctions1Click();

    // Settings.
    void NewWordsClick();
    void AllWordsClick();
    void MultChoiceClick();
    void TypeAnswerClick();
    void EnglishtoSpanish1Click();
    void SpanishtoEnglish1Click();
    void Include1Click();
    void InfinitivesClick();
    void NoSecondPerson2Click();
    void SequenceClick();
    void Random1Click();
    void Button2Click();

    // The drill.
    void BuildQuestion();
    void PickEntry();
    void NewQuestion();
    void Button1Click();
    void AnswerBoxClick();
    void PeekClick();
    void GradBtn1Click();
    void Erase();
    void Reset1Click();
    void ShowScore();

    // Accent keys.
    void AccentaClick();
    void AcuteAClick();
    void TildeAClick();
    void TildenClick();
    void AccenteClick();
    void AcuteEClick();
    void AccentiClick();
    void AccentoClick();
    void AcuteOClick();
    void TildeOClick();
    void AccentuClick();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's construction and its layout's upkeep (DrillWindowSetup.cpp).
    void createControls();
    void createActions();
    void createMenus();
    void createTimersAndSounds();
    void setTabOrder();
    void createKeys();
    void describeAnswerBox();
    void fitLabels();
    void keepMinimumSize();
    int fullMenuBarWidth() const;
    void fitMenuBar();

    // The commands' own steps (TForm1.cpp).
    void showHelpWindow();
    void activateOnce();
    void FormClose();
    void sayGoodbyeAndQuit();

    void setLevel(int level);
    void runGroupCommand(vocabulary::Group group);
    void clickGroupOf(const QString &groupText);
    void setDirection(bool englishToPortuguese);
    void setVerbForm(QAction *item);
    void setOrder(QAction *item);
    void setNewAll(QAction *item, const QString &text);
    void writeAnswer(const QString &text);
    void showFeedback(const QString &text, const char *language = "en");
    void announceQuestion();
    void announceMenu(QAction *menu);
    void keepVerdict(const QString &verdict);
    void sayLastVerdict();
    QRadioButton *choiceReachedBy(int key) const;
    void appendToAnswer(const QString &text);
    void appendAccent(int key);

    void clearChoiceSelection();
    void showCount();
    static void startOnce(QTimer *timer);

    QAction *groupAction(vocabulary::Group group) const { return groupActions[int(group)]; }

    std::unique_ptr<drill::RandomSource> m_random;
    Announcer *m_announcer = nullptr; // what a screen reader says without a move of the focus
    std::array<QRadioButton *, 4> m_choices{};
    std::array<QPushButton *, 11> m_accentKeys{};
    QActionGroup *m_levelGroup = nullptr;
    bool m_activated = false;
    bool m_leaving = false;
    bool m_focusAnswerOnActivate = false;
    bool m_answerIsFeedback = false; // the answer box shows our text, not the learner's
    bool m_sayHowToAnswer = true; // at start and after a change of mode
    bool m_sayWhereTheDrillIs = false; // after the end of a group
    QString m_lastVerdict; // with its score, said again on demand
    QFont m_menuFont; // the desktop's size in the window's family, which the menu bar shows where it has room
};
