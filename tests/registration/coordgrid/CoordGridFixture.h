#pragma once

#include "platform/Prompt.h"
#include "registration/coordgrid/CoordGridCommands.h"
#include "registration/coordgrid/CoordGridHost.h"
#include "registration/coordgrid/CoordGridLoader.h"
#include "registration/coordgrid/CoordGridModel.h"
#include "shell/ProgramState.h"
#include "support/TestSeams.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Records what the grid logic asks of its window.
struct FakeGridHost : CoordGridHost
{
    bool visible = false;
    QString text;
    QString clipboard;
    bool clipboardSet = false;
    int marks = 0;
    int syncs = 0;
    int repaints = 0;
    int gridFocus = 0;
    int editorFocus = 0;
    int busyOn = 0;
    bool busy = false;
    bool suspended = false;

    bool editorVisible() const override { return visible; }
    QString editorText() const override { return text; }
    void showEditor(const QString& t) override
    {
        visible = true;
        text = t;
    }
    void hideEditor() override { visible = false; }
    void focusEditor() override { ++editorFocus; }
    void focusGrid() override { ++gridFocus; }
    void processEvents() override {}
    void modelChanged() override {}
    void setBusy(bool b) override
    {
        busy = b;
        if (b) ++busyOn;
    }
    void setRepaintSuspended(bool s) override { suspended = s; }
    void markChanged() override { ++marks; }
    void syncMenuToolbar() override { ++syncs; }
    void repaintPage() override { ++repaints; }
    void setClipboardText(const QString& t) override
    {
        clipboard = t;
        clipboardSet = true;
    }
    QString clipboardText() const override { return clipboard; }
    // Messages and questions are recorded; a question takes the next queued answer,
    // Yes when none is queued.
    void showMessage(const QString& t, const QString& title, Prompt::Icon icon) override
    {
        shown << Prompt::Shown{t, title, Prompt::Buttons::Ok, icon};
    }
    bool askYesNo(const QString& t, const QString& title, Prompt::Icon icon) override
    {
        shown << Prompt::Shown{t, title, Prompt::Buttons::YesNo, icon};
        return answers.isEmpty() || answers.takeFirst() == Prompt::Answer::Yes;
    }

    QList<Prompt::Shown> shown;
    QList<Prompt::Answer> answers;
};

class CoordGridFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSeams::reset();
        installState(&m_state);
        m_state.Active_Form = 1;
    }
    void TearDown() override { TestSeams::reset(); }

    // Loads data rows given from column 1 on, comma-separated ("1,10,20" or
    // "*,100,50,A,1").
    void load(const QStringList& rows)
    {
        QString lines = QString::number(rows.size()) + QStringLiteral("\r\n");
        for (const QString& r : rows) {
            lines += r;
            if (!r.startsWith(QLatin1Char('*'))) lines += QLatin1Char(',');
            lines += QStringLiteral("\r\n");
        }
        CoordGridLoader::Init_Flex(grid, geographic, lines);
    }
    // Data rows as comma-joined columns 1 to 5.
    QStringList dataRows() const
    {
        QStringList out;
        for (int r = 1; r <= grid.Rows() - 2; ++r) {
            QStringList cells;
            for (int c = 1; c < CoordGridModel::Cols; ++c)
                cells << grid.TextMatrix(r, c);
            out << cells.join(QLatin1Char(','));
        }
        return out;
    }
    // Opens the editor on (row, col) by a double click and types `text`.
    void edit(int row, int col, const QString& text)
    {
        grid.setCursor(row, col);
        cmd.Area_Flex_DblClick();
        host.text = text;
    }
    // Types `text` into (row, col) as edit() does and leaves the cell, which commits it.
    void editAndLeave(int row, int col, const QString& text)
    {
        edit(row, col, text);
        cmd.Area_Flex_LeaveCell();
    }
    void enter() { cmd.Cell_Editor_Key(CoordGridCommands::KeyEnter, 0); }
    QStringList shownTexts() const
    {
        QStringList out;
        for (const Prompt::Shown& s : host.shown)
            out << s.text;
        return out;
    }
    const Prompt::Shown& lastShown() const { return host.shown.constLast(); }

    ProgramState m_state;
    CoordGridModel grid;
    bool geographic = false;
    FakeGridHost host;
    CoordGridCommands cmd{grid, host};
};
