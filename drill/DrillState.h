#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace drill {

// The drill's state for the whole run of the window. Positions are places in
// the current range (0 to RangeEnd - 1); entry indices address the store.
struct DrillState
{
    int CurrentIndex = 0; // working entry index
    int AskedIndex = 0;   // entry whose question is on screen
    int RangeEnd = 0;     // number of positions that may be asked
    int SequencePos = -1; // successive order: position last picked
    int TrialCount = 0;
    int CorrectCount = 0;
    QStringList KnownList;   // positions known (decimal texts)
    QStringList ChoiceOrder; // "0".."3": right place first, then the three wrong places
    bool GroupFinished = false;
    bool FirstTry = true;
    QString AskedKey;       // position of the last pick (decimal text)
    QByteArray QuestionText; // English text of the last pick (Windows-1252)
    int QuestionLang = 0;
    int AnswerLang = 0;
};

// The settings as the window holds them, read afresh for every operation.
struct Settings
{
    bool successive = true;          // "Successive" checked
    QString newAll;                  // text of the New/All box
    QString wordGroup;               // text of the group box
    QString level;                   // text of the level box
    bool verbsChecked = false;       // the Verbs group item checked
    bool noSecondPerson = false;     // "No Second Person" checked
    bool infinitives = false;        // "Infinitives and p.p." checked
    bool englishToPortuguese = true; // "English to Portuguese" checked
    bool portugueseToEnglish = false; // "Português a inglês" checked
};

// Every random draw of the drill goes through one uniform source, so that
// tests can fix the draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniformly random integer from 0 to bound - 1 (bound >= 1).
    virtual int uniform(int bound) = 0;
};

} // namespace drill
