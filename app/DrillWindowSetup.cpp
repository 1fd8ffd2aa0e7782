// The drill window's construction, run once by its constructor: the controls
// in the design's places and fonts, the menu actions and menus, the timers and
// sound cues, the Tab order, the keys and what a screen reader is told of them.
// Beside it, the layout's upkeep as the window changes size: the labels, the
// menu bar's font, the minimum size. TForm1.cpp calls in only for that upkeep
// (on show, on the menu bar's resize, after a menu's title changes) and for
// describeAnswerBox() after a change of mode.

#include "app/TForm1.h"

#include "app/AccentKeyTable.h"
#include "app/Accessibility.h"
#include "app/Announcer.h"
#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/Sound.h"
#include "audio/Output.h"
#include "controls/AccentKey.h"
#include "controls/ChoiceButton.h"
#include "controls/ElastFrm.h"
#include "controls/FittingLabel.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "drill/Drill.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <random>
#include <utility>

using vocabulary::Group;

namespace {

constexpr int TimerInterval = 1500; // ms the feedback stays, and before the next question
constexpr QSize DesignClient(553, 361); // the client area the layout was drawn on
constexpr int LabelGap = 2; // between "Trials:" or "Score:" and its box, on the design's client area
constexpr int NewAllMaxLength = 64; // its two texts that mean something have 9 and 14 characters
// How long a screen reader takes to echo the Ctrl of a key (Orca: "Control"),
// which would drown a word said at once.
constexpr int KeyEchoTime = 1500; // ms

const QKeySequence LastVerdictKey(Qt::CTRL | Qt::Key_L);

const char *const LevelNames[vocabulary::LevelCount] = {"N100Words", "N200Words", "N300Words", "N400Words",
                                                         "N500Words", "N600Words", "N700Words", "N800Words",
                                                         "N900Words", "N1000Words"};

struct GroupItem
{
    const char *name;    // the "Word Groups" item
    const char *caption; // its caption
};

const GroupItem GroupItems[vocabulary::GroupCount] = {
    {"Nouns1", "Nouns/Substantivos"},       {"Verbs1", "Verbs/Verbos"},
    {"Pronouns1", "Pronouns/Pronomes"},     {"Adjectives1", "Adjectives/Adjetivos(Art.)"},
    {"Adverbs1", "Adverbs/Advérbios"},      {"Prepositions1", "Prepositions/Preposições"},
    {"Conjunctions1", "Conjuctions/Conjunções"},
};

// The group items under each level: name stem and caption.
const GroupItem LevelGroupItems[vocabulary::GroupCount] = {
    {"Nombres", "Nouns"},         {"Verbos", "Verbs"},           {"Pronombres", "Pronouns"},
    {"Adjetivos", "Adjectives"},  {"Adverbios", "Adverbs"},      {"Preposicines", "Prepositions"},
    {"Conjunctivos", "Conjunctions"},
};

// Font sizes in points, as the layout was drawn (at 96 dots per inch a point
// is 4/3 of a pixel: Arial 14 is 19 pixels high).
QFont arial(int points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QFont msSansSerifBold()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(true);
    return font;
}

// The desktop's font for a kind of widget (its menu font, say), in the
// window's family: the desktop's face beside the window's looks like a
// second program.
QFont inFamilyOf(const QWidget *window, QFont desktop)
{
    desktop.setFamily(window->font().family());
    return desktop;
}

class StandardRandom : public drill::RandomSource
{
public:
    int uniform(int bound) override { return std::uniform_int_distribution<int>(0, bound - 1)(m_engine); }

private:
    std::mt19937 m_engine{std::random_device{}()};
};

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , m_random(std::make_unique<StandardRandom>())
{
    // The design's bold caption font; fontconfig would otherwise pick a much wider face.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    // Arial's metric twin where Arial itself is not installed: named at once, a
    // font of each size is found without asking fontconfig for a stand-in.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));

    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(WindowCaption));
    setFont(arial(8));

    createControls();
    createActions();
    createMenus();
    createTimersAndSounds();
    setTabOrder();
    applyAccessibleNames(this);
    createKeys();
    describeAnswerBox();
    m_announcer = new Announcer(this);

    resize(DesignClient.width(), DesignClient.height() + menuBar()->sizeHint().height());
    keepMinimumSize(); // from the first show on, the menu bar has room for every entry
    setWindowState(Qt::WindowMaximized);

    ElasticForm1 = new TElasticForm(this);
    ElasticForm1->setObjectName(QStringLiteral("ElasticForm1"));
    ElasticForm1->setProperty("DesignScreenWidth", 808);
    ElasticForm1->setProperty("DesignScreenHeight", 580);
    ElasticForm1->setProperty("DesignPixelsPerInch", 96);
    ElasticForm1->setProperty("MaximumTrackWidth", 1280);
    ElasticForm1->setProperty("MaximumTrackHeight", 1024);
    ElasticForm1->setProperty("DesignFormWidth", 561);
    ElasticForm1->setProperty("DesignFormHeight", 428);
    ElasticForm1->setProperty("DesignFormClientWidth", DesignClient.width());
    ElasticForm1->setProperty("DesignFormClientHeight", DesignClient.height());
    ElasticForm1->setProperty("DesignFormLeft", 327);
    ElasticForm1->setProperty("DesignFormTop", 155);
    ElasticForm1->setProperty("Version", 601);
    ElasticForm1->setProperty("Font", arial(8));
    connect(ElasticForm1, &TElasticForm::AfterResize, this, &TForm1::fitLabels);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::fitLabels()
{
    // The labels size themselves to their text, also in their rescaled font,
    // but never run into the box they name: there the font gives way, and
    // the design's two pixels before the box grow with the layout.
    const int gap = std::max(LabelGap, qRound(LabelGap * centralWidget()->width() / qreal(DesignClient.width())));
    const std::pair<QLabel *, QWidget *> named[] = {{Label2, NumTrials}, {Label1, Score}};
    for (const auto &[label, box] : named) {
        const QSize wanted = label->sizeHint();
        label->resize(std::min(wanted.width(), box->x() - label->x() - gap), wanted.height());
    }
}

void TForm1::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->installEventFilter(this);
    setCentralWidget(client);

    const auto lineEdit = [client](const char *name, QRect geometry, bool readOnly) {
        auto *edit = new QLineEdit(client);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(geometry);
        edit->setFont(arial(14));
        edit->setReadOnly(readOnly);
        return edit;
    };
    Level = lineEdit("Level", {0, 0, 175, 30}, true);
    WordGroup = lineEdit("WordGroup", {184, 0, 175, 30}, true);
    NewAll = lineEdit("NewAll", {368, 0, 175, 30}, false);
    NewAll->setText(QStringLiteral("New Words Only"));
    // The learner may type here: one line, and nothing that lays out for seconds.
    NewAll->setMaxLength(NewAllMaxLength);
    NewAll->setValidator(new NoLineBreakValidator(NewAll));
    NumTrials = lineEdit("NumTrials", {213, 40, 110, 30}, true);
    NumTrials->setFocusPolicy(Qt::ClickFocus);
    Score = lineEdit("Score", {376, 40, 110, 30}, true);
    Score->setFocusPolicy(Qt::ClickFocus);

    const auto label = [client](const char *name, const char *text, QRect geometry) {
        auto *l = new FittingLabel(QString::fromLatin1(text), client);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        l->setFont(arial(12));
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(palette);
        return l;
    };
    Label2 = label("Label2", "Trials:", {168, 48, 42, 18});
    Label1 = label("Label1", "Score:", {328, 48, 46, 18});

    const auto gradientButton = [client](const char *name, const char *caption, QRect geometry, quint32 begin) {
        auto *button = new TGradBtn(client);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(geometry);
        button->setCaption(QString::fromLatin1(caption));
        button->setBeginColor(begin);
        button->setEndColor(0xFFFFFF);
        button->setFont(msSansSerifBold());
        return button;
    };
    Reset1 = gradientButton("Reset1", "Reset", {496, 40, 50, 30}, 0x000000);
    GradBtn1 = gradientButton("GradBtn1", "Repeat", {184, 320, 80, 22}, 0x800000);
    Button2 = gradientButton("Button2", "New Question", {272, 320, 80, 22}, 0x008000);
    OstrelButton1 = gradientButton("OstrelButton1", "Peek", {360, 320, 80, 22}, 0x008080);
    connect(Reset1, &TGradBtn::clicked, this, &TForm1::Reset1Click);
    connect(Button2, &TGradBtn::clicked, this, &TForm1::Button2Click);
    connect(OstrelButton1, &TGradBtn::clicked, this, &TForm1::PeekClick);

    const auto richText = [client](const char *name, QRect geometry) {
        auto *box = new OneLineTextEdit(client);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(geometry);
        box->setFont(arial(14));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->showCaretWhenReadOnly();
        return box;
    };
    Edit1 = richText("Edit1", {8, 80, 241, 113});
    Edit1->setPlainText(QStringLiteral("Select level (total number \nof \nwords) \nand word group from menu."));
    Answer = richText("Answer", {8, 200, 537, 73});
    connect(Answer, &QTextEdit::textChanged, this, [this] { m_answerIsFeedback = false; });
    Answer->installEventFilter(this);

    AnswerBox = new QGroupBox(QStringLiteral("Answer?"), client);
    AnswerBox->setObjectName(QStringLiteral("AnswerBox"));
    AnswerBox->setGeometry(256, 72, 284, 121);
    AnswerBox->setFont(arial(12));
    auto *choicesLayout = new QVBoxLayout(AnswerBox);
    // Rows as wide as the frame allows: the longest texts need all of it.
    choicesLayout->setContentsMargins(4, 2, 2, 2);
    choicesLayout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        m_choices[i] = new ChoiceButton(QStringLiteral("palavra %1").arg(i + 1), AnswerBox);
        choicesLayout->addWidget(m_choices[i]);
        // A change of the selected item is a click on the group; unselecting raises nothing.
        connect(m_choices[i], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                AnswerBoxClick();
        });
    }
    // The Tab stop is the choices themselves: the frame around them does nothing.
    AnswerBox->setFocusPolicy(Qt::NoFocus);

    QPushButton **accentFields[11] = {&Accenta, &AcuteA, &TildeA, &Tilden, &Accente, &AcuteE,
                                      &accenti, &Accento, &AcuteO, &TildeO, &Accentu};
    void (TForm1::*accentCommands[11])() = {&TForm1::AccentaClick, &TForm1::AcuteAClick, &TForm1::TildeAClick,
                                           &TForm1::TildenClick,  &TForm1::AccenteClick, &TForm1::AcuteEClick,
                                           &TForm1::AccentiClick, &TForm1::AccentoClick, &TForm1::AcuteOClick,
                                           &TForm1::TildeOClick,  &TForm1::AccentuClick};
    for (int i = 0; i < 11; ++i) {
        const AccentKeyInfo &key = AccentKeys[i];
        auto *button = new AccentKey(QString::fromUtf8(key.portuguese), client);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setGeometry(key.left, 280, key.width, 32);
        button->setFont(arial(10));
        button->setEnabled(false);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, accentCommands[i]);
        *accentFields[i] = button;
        m_accentKeys[i] = button;
    }

    Button1 = new TQuilButton1(client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(448, 320, 80, 41);
    Button1->setCaption(QStringLiteral("Check"));
    Button1->setFont(arial(13, true));
    Button1->setDefault(true);
    Button1->setModalResult(1);
    Button1->setEnabled(false);
    connect(Button1, &TQuilButton1::clicked, this, &TForm1::Button1Click);
}

void TForm1::createActions()
{
    const auto radioGroup = [this](std::initializer_list<QAction *> items) {
        auto *group = new QActionGroup(this);
        for (QAction *item : items)
            group->addAction(item);
        return group;
    };
    const auto item = [this](const char *name, const QString &caption, bool checkable) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        return action;
    };

    Exit2 = item("Exit2", QStringLiteral("Exit"), false);
    connect(Exit2, &QAction::triggered, this, &TForm1::Exit2Click);

    void (TForm1::*levelCommands[vocabulary::LevelCount])() = {
        &TForm1::N100WordsClick, &TForm1::N200WordsClick, &TForm1::N300WordsClick, &TForm1::N400WordsClick,
        &TForm1::N500WordsClick, &TForm1::N600WordsClick, &TForm1::N700WordsClick, &TForm1::N800WordsClick,
        &TForm1::N900WordsClick, &TForm1::N1000WordsClick};
    m_levelGroup = new QActionGroup(this);
    for (int level = 0; level < vocabulary::LevelCount; ++level) {
        QAction *action = item(LevelNames[level], drill::levelText(level), true);
        m_levelGroup->addAction(action);
        connect(action, &QAction::triggered, this, levelCommands[level]);
        levelActions[level] = action;
    }
    levelActions[0]->setChecked(true);

    void (TForm1::*groupCommands[vocabulary::GroupCount])() = {
        &TForm1::Nouns1Click,   &TForm1::Verbs1Click,        &TForm1::Pronouns1Click,    &TForm1::Adjectives1Click,
        &TForm1::Adverbs1Click, &TForm1::Prepositions1Click, &TForm1::Conjunctions1Click};
    auto *groups = new QActionGroup(this);
    for (int g = 0; g < vocabulary::GroupCount; ++g) {
        QAction *action = item(GroupItems[g].name, QString::fromUtf8(GroupItems[g].caption), true);
        groups->addAction(action);
        connect(action, &QAction::triggered, this, groupCommands[g]);
        groupActions[g] = action;
    }
    Nouns1 = groupActions[0];
    Verbs1 = groupActions[1];
    Pronouns1 = groupActions[2];
    Adjectives1 = groupActions[3];
    Adverbs1 = groupActions[4];
    Prepositions1 = groupActions[5];
    Conjunctions1 = groupActions[6];
    Nouns1->setChecked(true);

    // Each level owns a submenu with the seven groups; opening it chooses the level.
    for (int level = 0; level < vocabulary::LevelCount; ++level) {
        auto *submenu = new QMenu(this);
        submenu->setObjectName(QString::fromLatin1(LevelNames[level]) + QStringLiteral("Menu"));
        for (int g = 0; g < vocabulary::GroupCount; ++g) {
            QString name = QString::fromLatin1(LevelGroupItems[g].name) + QString::number(level + 1);
            QString caption = QString::fromLatin1(LevelGroupItems[g].caption);
            if (g == int(Group::Verbs) && level == 0)
                name = QStringLiteral("verbos1");
            else if (g == int(Group::Verbs) && level == 6)
                name = QStringLiteral("VErbos7");
            else if (g == int(Group::Verbs) && level == 7)
                caption = QStringLiteral("Verbos");
            QAction *action = submenu->addAction(caption);
            action->setObjectName(name);
            connect(action, &QAction::triggered, this, groupCommands[g]);
        }
        connect(submenu, &QMenu::aboutToShow, levelActions[level], [this, level] { levelActions[level]->trigger(); });
        submenu->installEventFilter(this);
        levelActions[level]->setMenu(submenu);
    }

    Include1 = item("Include1", QStringLiteral("All Verb Forms"), true);
    Infinitives = item("Infinitives", QStringLiteral("Infinitives and p.p."), true);
    NoSecondPerson2 = item("NoSecondPerson2", QStringLiteral("No Second Person"), true);
    radioGroup({Include1, Infinitives, NoSecondPerson2});
    Include1->setChecked(true);
    connect(Include1, &QAction::triggered, this, &TForm1::Include1Click);
    connect(Infinitives, &QAction::triggered, this, &TForm1::InfinitivesClick);
    connect(NoSecondPerson2, &QAction::triggered, this, &TForm1::NoSecondPerson2Click);

    Sequence = item("Sequence", QStringLiteral("Successive"), true);
    Random1 = item("Random1", QStringLiteral("Random"), true);
    radioGroup({Sequence, Random1});
    Sequence->setChecked(true);
    connect(Sequence, &QAction::triggered, this, &TForm1::SequenceClick);
    connect(Random1, &QAction::triggered, this, &TForm1::Random1Click);

    NewWords = item("NewWords", QStringLiteral("New Words Only"), true);
    AllWords = item("AllWords", QStringLiteral("All Words"), true);
    radioGroup({NewWords, AllWords});
    NewWords->setChecked(true);
    connect(NewWords, &QAction::triggered, this, &TForm1::NewWordsClick);
    connect(AllWords, &QAction::triggered, this, &TForm1::AllWordsClick);

    MultChoice = item("MultChoice", QStringLiteral("Multtiple Choice"), true);
    TypeAnswer = item("TypeAnswer", QStringLiteral("Type Answer"), true);
    radioGroup({MultChoice, TypeAnswer});
    MultChoice->setChecked(true);
    connect(MultChoice, &QAction::triggered, this, &TForm1::MultChoiceClick);
    connect(TypeAnswer, &QAction::triggered, this, &TForm1::TypeAnswerClick);

    EnglishtoSpanish1 = item("EnglishtoSpanish1", QStringLiteral("English to Portuguese"), true);
    SpanishtoEnglish1 = item("SpanishtoEnglish1", QStringLiteral("Português a inglês"), true);
    radioGroup({EnglishtoSpanish1, SpanishtoEnglish1});
    EnglishtoSpanish1->setChecked(true);
    connect(EnglishtoSpanish1, &QAction::triggered, this, &TForm1::EnglishtoSpanish1Click);
    connect(SpanishtoEnglish1, &QAction::triggered, this, &TForm1::SpanishtoEnglish1Click);

    ProgramHelp = item("ProgramHelp", QStringLiteral("Program Help"), false);
    About1 = item("About1", QStringLiteral("About"), false);
    connect(ProgramHelp, &QAction::triggered, this, &TForm1::ProgramHelpClick);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

void TForm1::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->installEventFilter(this);
    m_menuFont = inFamilyOf(this, QApplication::font(bar));
    bar->setFont(m_menuFont);
    const auto topLevel = [this, bar](const char *name, const QString &caption, const QList<QAction *> &items) {
        QMenu *menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->addActions(items);
        menu->installEventFilter(this);
        return menu;
    };
    topLevel("Exit1", QStringLiteral("Exit"), {Exit2});
    topLevel("Levels1", QStringLiteral("Levels"), QList<QAction *>(levelActions.begin(), levelActions.end()));
    topLevel("WordGroups1", QStringLiteral("Word Groups"), QList<QAction *>(groupActions.begin(), groupActions.end()));
    SecondPerson1 = topLevel("SecondPerson1", QStringLiteral("Verb Form?"), {Include1, Infinitives, NoSecondPerson2});
    topLevel("Order", QStringLiteral("Question Order"), {Sequence, Random1});
    topLevel("AllorNew", QStringLiteral("All Words/New Words"), {NewWords, AllWords});
    topLevel("Mode", QStringLiteral("Mult Choice/Type Answer"), {MultChoice, TypeAnswer});
    topLevel("Translation1", QStringLiteral("Translation?"), {EnglishtoSpanish1, SpanishtoEnglish1});
    topLevel("Help1", QStringLiteral("Help"), {ProgramHelp, About1});
    // The menus are windows of their own, which take no font from this one.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setFont(inFamilyOf(this, QApplication::font(menu)));
}

void TForm1::createTimersAndSounds()
{
    const auto timer = [this](const char *name, void (TForm1::*handler)()) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(TimerInterval);
        connect(t, &QTimer::timeout, this, handler);
        return t;
    };
    Timer1 = timer("Timer1", &TForm1::Erase);
    Timer2 = timer("Timer2", &TForm1::NewQuestion);

    const auto sound = [this](const char *name, const char *source) {
        auto *cue = new SoundCue(this);
        cue->setObjectName(QString::fromLatin1(name));
        cue->setSource(QUrl(QString::fromLatin1(source)));
        return cue;
    };
    OleContainer1 = sound("OleContainer1", "qrc:/sounds/wrong.wav");
    OleContainer2 = sound("OleContainer2", "qrc:/sounds/right.wav");
    connect(GradBtn1, &TGradBtn::clicked, this, &TForm1::GradBtn1Click);
    // The sound libraries load at the learner's first press, not at start-up.
    audio::loadOnFirstInput(this);
}

void TForm1::setTabOrder()
{
    // As the controls stand on the screen, top to bottom and left to right,
    // from the answer box on (the boxes without a Tab stop keep their places,
    // to be reached by a click): Tab goes round from the answer to the keys
    // below it and back through the top of the window.
    QWidget *const order[] = {Answer,   Accenta, AcuteA,   TildeA,  Tilden,        Accente, AcuteE, accenti,
                              Accento,  AcuteO,  TildeO,   Accentu, GradBtn1,      Button2, OstrelButton1,
                              Button1,  Level,   WordGroup, NewAll, NumTrials,     Score,   Reset1, Edit1,
                              m_choices[0], m_choices[1], m_choices[2], m_choices[3]};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// Every command has a key that works wherever the focus is in the window.
// They are the window's shortcuts, so an editable box that takes a key for
// itself (the digits in the New/All box, say) keeps it; a control that is
// disabled or hidden ignores its key, as it ignores clicks.
void TForm1::createKeys()
{
    // A key whose control is disabled or hidden says so rather than nothing.
    // Where the control speaks (Repeat), it waits for the screen reader's echo of the key.
    const auto press = [this](const QKeySequence &key, auto *control, const QString &what, int echo = 0) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, control, [this, control, what, echo] {
            const auto usable = [this, control] { return control->isEnabled() && control->isVisibleTo(this); };
            if (!usable())
                m_announcer->say(what + QStringLiteral(" is not available"), "en");
            else if (echo > 0 && QAccessible::isActive())
                QTimer::singleShot(echo, control, [control, usable] {
                    if (usable())
                        control->click();
                });
            else
                control->click();
        });
        describeKey(control, what, key);
    };
    for (int i = 0; i < 4; ++i)
        press(QKeySequence(Qt::Key_1 + i), m_choices[i], QStringLiteral("Choice %1").arg(i + 1));
    press(QKeySequence(Qt::CTRL | Qt::Key_R), GradBtn1, QStringLiteral("Repeat"), KeyEchoTime);
    press(QKeySequence(Qt::CTRL | Qt::Key_N), Button2, QStringLiteral("New Question"));
    press(QKeySequence(Qt::CTRL | Qt::Key_P), OstrelButton1, QStringLiteral("Peek"));
    press(QKeySequence(Qt::CTRL | Qt::Key_0), Reset1, QStringLiteral("Reset"));
    connect(new QShortcut(LastVerdictKey, this), &QShortcut::activated, this, &TForm1::sayLastVerdict);

    // F10 opens the first menu, as on the desktops; Alt and a letter opens each one.
    const auto open = [this](const QKeySequence &key, QAction *menu) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this, menu] {
            menuBar()->setActiveAction(menu);
            // Its first entry lit, as when the menu bar is entered by keyboard;
            // not a level, whose submenu would open and change the level.
            if (QMenu *popup = menu->menu(); popup && !popup->actions().isEmpty()
                                             && !popup->actions().constFirst()->menu())
                popup->setActiveAction(popup->actions().constFirst());
        });
    };
    open(QKeySequence(Qt::Key_F10), menuBar()->actions().constFirst());
    const std::pair<const char *, Qt::Key> menuLetters[] = {
        {"Exit1", Qt::Key_X},         {"Levels1", Qt::Key_L},  {"WordGroups1", Qt::Key_W},
        {"SecondPerson1", Qt::Key_V}, {"Order", Qt::Key_Q},    {"AllorNew", Qt::Key_A},
        {"Mode", Qt::Key_M},          {"Translation1", Qt::Key_T}, {"Help1", Qt::Key_H}};
    for (const auto &[name, letter] : menuLetters)
        open(QKeySequence(Qt::ALT | letter), findChild<QMenu *>(QLatin1String(name))->menuAction());
}

int TForm1::fullMenuBarWidth() const
{
    // In the full menu font, however much the bar's own has given way.
    const QMenuBar *bar = menuBar();
    return qCeil(bar->sizeHint().width() * m_menuFont.pointSizeF() / bar->font().pointSizeF());
}

void TForm1::fitMenuBar()
{
    // Where a desktop ignores the window's minimum size (tiling ones do), the
    // menu font gives way, rather than the bar fold its last entries behind
    // its overflow button. Not before the window shows: until the desktop
    // gives it its size, the bar is as narrow as the design, and each size
    // tried would load a font for nothing.
    if (!isVisible())
        return;
    QMenuBar *bar = menuBar();
    const int needed = fullMenuBarWidth();
    QFont font = m_menuFont;
    if (bar->width() < needed)
        font.setPointSizeF(m_menuFont.pointSizeF() * bar->width() / needed);
    const auto allShown = [bar] {
        const QList<QAction *> entries = bar->actions();
        return std::all_of(entries.begin(), entries.end(), [bar](QAction *entry) {
            return bar->rect().contains(bar->actionGeometry(entry)) && !bar->actionGeometry(entry).isEmpty();
        });
    };
    constexpr qreal SmallestMenuFont = 4.0;
    bar->setFont(font);
    while (!allShown() && font.pointSizeF() > SmallestMenuFont) {
        font.setPointSizeF(font.pointSizeF() * 0.95);
        bar->setFont(font);
    }
}

void TForm1::keepMinimumSize()
{
    // Never smaller than the layout was drawn for, where its texts are still
    // readable, nor narrower than the menu bar with all its entries, which
    // would fold the last ones behind its overflow button; as far as the
    // screen allows.
    QSize minimum(std::max(fullMenuBarWidth(), DesignClient.width()),
                  menuBar()->sizeHint().height() + DesignClient.height());
    if (const QScreen *shownOn = screen())
        minimum = minimum.boundedTo(shownOn->availableGeometry().size());
    setMinimumSize(minimum);
}

void TForm1::describeAnswerBox()
{
    Answer->setAccessibleDescription(Answer->isReadOnly()
                                         ? QStringLiteral("The verdict of each answer appears here")
                                         : QStringLiteral("Type the translation here and press Enter; the verdict "
                                                          "appears here after each answer"));
    describeKey(Answer, QStringLiteral("Last verdict again"), LastVerdictKey);
}
