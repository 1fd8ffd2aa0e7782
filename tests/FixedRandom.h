#pragma once

#include "drill/DrillState.h"

#include <QList>

// Draws come from a script (clamped to the bound), then count up round the bound.
class FixedRandom : public drill::RandomSource
{
public:
    explicit FixedRandom(QList<int> script = {})
        : m_script(std::move(script))
    {
    }

    int uniform(int bound) override
    {
        ++draws;
        if (m_script.isEmpty())
            return m_next++ % bound;
        return std::clamp(m_script.takeFirst(), 0, bound - 1);
    }

    void push(QList<int> values) { m_script += values; }

    int draws = 0;

private:
    QList<int> m_script;
    int m_next = 0;
};
