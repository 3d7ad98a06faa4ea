#pragma once

#include "coords/CoordGridRows.h"
#include "platform/Prompt.h"
#include "shell/ProgramState.h"
#include "support/TestSeams.h"

#include <gtest/gtest.h>

// A program state of the test's own and no queued or recorded message boxes.
class CoordsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSeams::reset();
        m_state = ProgramState{};
        installState(&m_state);
    }
    void TearDown() override { TestSeams::reset(); }

    ProgramState m_state;
};

// A grid from its data rows, each row given from column 1 on.
inline CoordGridRows gridOf(const QList<QStringList>& rows)
{
    return CoordGridRows::fromDataRows(rows);
}
