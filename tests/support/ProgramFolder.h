#pragma once

#include "shell/ProgramState.h"

#include <QFileDevice>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A temporary program folder holding a fresh copy of the template djk.sys, a
// program state of its own, a fixed clock and no queued answers. Tests derive
// their fixtures from it.
class ProgramFolder : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const;
    // Copies the template to `name` in the program folder (or to an absolute path).
    QString copyTemplate(const QString& name) const;
    // Makes the default djk.mdb, points the state at it and opens the shared
    // connection.
    void openWorkingDatabase();
    // Writes a file of raw bytes.
    void writeFile(const QString& name, const QByteArray& bytes) const;
    // Runs statements on an SQLite file (created when missing), for building odd
    // databases in tests.
    static void runSql(const QString& file, const QStringList& statements);
    // A file's permission bits for owner, group and others.
    static QFileDevice::Permissions modeOf(const QString& file);

    ProgramState m_state;

private:
    QTemporaryDir m_dir;
};

// The template built beside the program.
QString templatePath();
