#include "app/TForm1.h"

#include "app/Accessibility.h"
#include "app/Announcer.h"
#include "app/AppInfo.h"
#include "app/OneLineTextEdit.h"
#include "app/Platform.h"
#include "app/Sound.h"
#include "audio/Output.h"
#include "controls/AccentKey.h"
#include "controls/ChoiceButton.h"
#include "controls/ElastFrm.h"
#include "controls/FittingLabel.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "drill/Drill.h"
#include "drill/Speech.h"
#include "drill/Text.h"

#include <QAction>
#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QtMath>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

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

const char *const LastLevelDone = "Congratulations! That was the last of 1000 most used English words. "
                                  "Repeat this level automatically; or select another level and group.";

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

struct AccentKeyInfo
{
    const char *name;
    int left;
    int width;
    const char *portuguese; // caption and text, English to Portuguese
    const char *caption;    // caption, Portuguese to English
    const char *inserted;   // text appended, Portuguese to English
};

const AccentKeyInfo AccentKeys[11] = {
    {"Accenta", 1, 45, "á", "to", "to "},
    {"AcuteA", 48, 45, "â", "I", "I "},
    {"TildeA", 95, 45, "ã", "you", "you "},
    {"Tilden", 142, 65, "ç", "he_(she_it)", "he_(she_it) "},
    {"Accente", 210, 45, "é", "we", "we "},
    {"AcuteE", 259, 55, "ê", "you (pl)", "you(pl) "},
    {"accenti", 316, 45, "í", "they", "they "},
    {"Accento", 363, 45, "ó", "", "ó"},
    {"AcuteO", 409, 45, "ô", "", "ô"},
    {"TildeO", 456, 45, "õ", "", "õ"},
    {"Accentu", 502, 45, "ú", "", "ú"},
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

platform::MessageBoxes &boxes()
{
    return platform::MessageBoxes::current();
}

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

// --- construction -----------------------------------------------------------

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

void TForm1::describeAnswerBox()
{
    Answer->setAccessibleDescription(Answer->isReadOnly()
                                         ? QStringLiteral("The verdict of each answer appears here")
                                         : QStringLiteral("Type the translation here and press Enter; the verdict "
                                                          "appears here after each answer"));
    describeKey(Answer, QStringLiteral("Last verdict again"), LastVerdictKey);
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
