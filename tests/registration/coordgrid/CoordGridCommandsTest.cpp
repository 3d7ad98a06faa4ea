#include "registration/coordgrid/CoordGridFixture.h"

#include "registration/coordgrid/CoordClipboard.h"

namespace {

using Answer = Prompt::Answer;
using Icon = Prompt::Icon;
using C = CoordGridCommands;

const QString kBadData = QStringLiteral("剪切板中数据不符合要求...");

class CoordGridCommandsTest : public CoordGridFixture
{
protected:
    void SetUp() override
    {
        CoordGridFixture::SetUp();
        load({QStringLiteral("1,10,20"), QStringLiteral("2,11,20"), QStringLiteral("3,11,21"),
              QStringLiteral("*,100,50,A,1")});
    }
    void key(int code, int shift = C::CtrlMask) { cmd.Area_Flex_KeyDown(code, shift); }
    // Asserts one refusal with its text, title "错误" and icon.
    void expectRefusal(const QString& text, Icon icon = Icon::Critical)
    {
        ASSERT_EQ(host.shown.size(), 1) << shownTexts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(lastShown().text, text);
        EXPECT_EQ(lastShown().title, QStringLiteral("错误"));
        EXPECT_EQ(lastShown().icon, icon);
        EXPECT_EQ(lastShown().buttons, Prompt::Buttons::Ok);
    }
    void openEditor()
    {
        grid.setCursor(1, 2);
        cmd.Area_Flex_DblClick();
        ASSERT_TRUE(host.visible);
    }
    const QStringList original{QStringLiteral("1,10,20,,"), QStringLiteral("2,11,20,,"),
                               QStringLiteral("3,11,21,,"), QStringLiteral("*,100,50,A,1")};
};

// ---------------------------------------------------------------------------
// Append and insert

TEST_F(CoordGridCommandsTest, AppendOpensTheEditorOnTheTrailingRowWithoutMarking)
{
    grid.setCursor(2, 3);
    key(C::KeyA);
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.text, QString());
    EXPECT_EQ(host.marks, 0);
    EXPECT_EQ(host.syncs, 1);
    EXPECT_EQ(host.repaints, 1);
}

TEST_F(CoordGridCommandsTest, InsertAddsAnEmptyRowBeforeTheCurrentOne)
{
    grid.setSelection(2, 1, 2, 5); // several columns of one row
    key(C::KeyN);
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(dataRows(),
              (QStringList{original[0], QStringLiteral(",,,,"), original[1], original[2], original[3]}));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(grid.TextMatrix(r, 0), QString::number(r));
    EXPECT_EQ(grid.TextMatrix(6, 0), QString());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(host.marks, 1);
    EXPECT_EQ(host.syncs, 1);
    EXPECT_FALSE(host.busy);
    EXPECT_EQ(host.busyOn, 1);
}

TEST_F(CoordGridCommandsTest, InsertRefusals)
{
    grid.setCursor(5, 1);
    key(C::KeyN);
    expectRefusal(QStringLiteral("该位置不能插入记录..."));
    EXPECT_EQ(host.gridFocus, 1);

    host.shown.clear();
    grid.setSelection(1, 1, 2, 1);
    key(C::KeyN);
    expectRefusal(QStringLiteral("不能选定多行执行插入操作..."));

    host.shown.clear();
    openEditor();
    key(C::KeyN);
    expectRefusal(QStringLiteral("编辑状态不能执行插入操作..."));
    EXPECT_EQ(host.editorFocus, 1);

    EXPECT_EQ(dataRows(), original);
    EXPECT_EQ(host.marks, 0);
    EXPECT_EQ(host.syncs, 0);

    host.shown.clear();
    host.visible = false;
    CoordGridLoader::Init_Flex(grid, geographic, QString());
    key(C::KeyN);
    expectRefusal(QStringLiteral("该位置不能插入记录..."));
}

// ---------------------------------------------------------------------------
// Delete

TEST_F(CoordGridCommandsTest, DeleteAsksAndMovesTheFollowingRowsUp)
{
    grid.setSelection(2, 1, 3, 5);
    key(C::KeyY);
    ASSERT_EQ(host.shown.size(), 1);
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除从当前记录行以下2行数据！"));
    EXPECT_EQ(lastShown().title, QStringLiteral("警告"));
    EXPECT_EQ(lastShown().buttons, Prompt::Buttons::YesNo);
    EXPECT_EQ(lastShown().icon, Icon::Question);
    EXPECT_EQ(dataRows(), (QStringList{original[0], original[3]}));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.rowTexts(3), QStringList(6)); // the new trailing row is empty
    EXPECT_EQ(grid.Flex_Row_Count(), 2);
    EXPECT_EQ(host.marks, 1);
    EXPECT_EQ(host.syncs, 1);
}

TEST_F(CoordGridCommandsTest, DeleteQuestionTexts)
{
    grid.setSelection(3, 2, 1, 2);
    host.answers << Answer::No;
    key(C::KeyY);
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除从当前记录行以上3行数据！"));
    EXPECT_EQ(dataRows(), original);
    EXPECT_EQ(host.marks, 0);
    EXPECT_EQ(host.syncs, 0);
    EXPECT_EQ(host.gridFocus, 1);

    grid.setCursor(2, 2);
    host.answers << Answer::No;
    key(C::KeyY);
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除当前记录行的数据！"));

    // A block that ends on the trailing row counts only its data rows.
    grid.setSelection(3, 1, 5, 1);
    key(C::KeyY);
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除从当前记录行以下2行数据！"));
    EXPECT_EQ(dataRows(), (QStringList{original[0], original[1]}));
    // The block ended at the last data row: the cursor goes to the row before it.
    EXPECT_EQ(grid.Row(), 2);
}

TEST_F(CoordGridCommandsTest, DeletingEveryRowLeavesHeadingAndTrailingRow)
{
    grid.setSelection(1, 1, 5, 5);
    key(C::KeyY);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Flex_Row_Count(), 0);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("拐点号"));
}

TEST_F(CoordGridCommandsTest, DeleteRefusals)
{
    grid.setSelection(5, 1, 5, 5);
    key(C::KeyY);
    expectRefusal(QStringLiteral("删除记录中不能是无效记录行..."));
    EXPECT_EQ(host.gridFocus, 1);
    host.shown.clear();
    openEditor();
    key(C::KeyY);
    expectRefusal(QStringLiteral("编辑状态不能执行删除操作..."));
    EXPECT_EQ(host.editorFocus, 1);
    EXPECT_EQ(dataRows(), original);
}

TEST_F(CoordGridCommandsTest, DeleteKeyNeedsWholeRows)
{
    grid.setSelection(2, 1, 3, 4);
    key(C::KeyDelete, 0);
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(host.syncs, 0);
    EXPECT_EQ(dataRows(), original);

    grid.setSelection(2, 5, 2, 1);
    key(C::KeyDelete, C::ShiftMask);
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除当前记录行的数据！"));
    EXPECT_EQ(dataRows(), (QStringList{original[0], original[2], original[3]}));

    // Ctrl+Delete is no command, only the refresh.
    host.shown.clear();
    grid.setSelection(1, 1, 1, 5);
    key(C::KeyDelete, C::CtrlMask);
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(grid.Flex_Row_Count(), 3);
}

// ---------------------------------------------------------------------------
// Copy

TEST_F(CoordGridCommandsTest, CopiedBlockBytes)
{
    grid.setTextMatrix(2, 1, QString());
    grid.setSelection(1, 3, 2, 1);
    key(C::KeyC);
    EXPECT_EQ(host.clipboard.toUtf8(), QByteArray("STACOL=1;ENDCOL=3;ROWS=2\r\n1,10,20\r\n ,11,20\r\n"));
    EXPECT_EQ(host.syncs, 1);
    EXPECT_EQ(host.marks, 0);

    // Whole rows, the trailing row left out; untrimmed cells go as they stand.
    grid.setTextMatrix(3, 2, QStringLiteral(" 11 "));
    grid.setSelection(3, 1, 5, 5);
    key(C::KeyInsert);
    EXPECT_EQ(host.clipboard.toUtf8(),
              QByteArray("STACOL=1;ENDCOL=5;ROWS=2\r\n3, 11 ,21, , \r\n*,100,50,A,1\r\n"));
}

TEST_F(CoordGridCommandsTest, CopyRefusals)
{
    grid.setCursor(5, 2);
    key(C::KeyC);
    expectRefusal(QStringLiteral("块操作中不能是无效记录行..."));
    EXPECT_FALSE(host.clipboardSet);
    EXPECT_EQ(host.gridFocus, 0);
    host.shown.clear();
    openEditor();
    key(C::KeyC);
    expectRefusal(QStringLiteral("编辑状态不能执行拷贝操作..."));
    EXPECT_EQ(host.editorFocus, 1);
    EXPECT_FALSE(host.clipboardSet);
}

// ---------------------------------------------------------------------------
// Paste

TEST_F(CoordGridCommandsTest, RowBlockIsInsertedBeforeTheCurrentRow)
{
    grid.setSelection(1, 1, 2, 5);
    key(C::KeyC);
    grid.setCursor(4, 3);
    key(C::KeyV);
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(dataRows(),
              (QStringList{original[0], original[1], original[2], original[0], original[1], original[3]}));
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.RowSel(), 4);
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(grid.TextMatrix(r, 0), QString::number(r));
    EXPECT_EQ(host.marks, 1);
    EXPECT_FALSE(host.suspended);

    // On the trailing row the rows go after the last data row.
    grid.setCursor(7, 1);
    key(C::KeyV);
    EXPECT_EQ(grid.Flex_Row_Count(), 8);
    EXPECT_EQ(dataRows().mid(6), (QStringList{original[0], original[1]}));
}

TEST_F(CoordGridCommandsTest, EmptyCellsComeBackEmpty)
{
    grid.setSelection(1, 1, 4, 5);
    key(C::KeyC);
    CoordGridLoader::Init_Flex(grid, geographic, QString());
    key(C::KeyV);
    EXPECT_EQ(dataRows(), original);
}

// Pasting over a selection replaces the selected rows, also when they end at the
// last data row: the pasted rows take their place, in order.
TEST_F(CoordGridCommandsTest, RowBlockReplacesTheSelectedRows)
{
    host.clipboard = QStringLiteral("STACOL=1;ENDCOL=5;ROWS=2\r\n7,70,80, , \r\n8,71,80, , \r\n");
    grid.setSelection(2, 1, 3, 2);
    key(C::KeyV);
    EXPECT_TRUE(host.shown.isEmpty()); // no question
    EXPECT_EQ(dataRows(), (QStringList{original[0], QStringLiteral("7,70,80,,"), QStringLiteral("8,71,80,,"),
                                       original[3]}));
    EXPECT_EQ(grid.Row(), 2);

    load({QStringLiteral("1,10,20"), QStringLiteral("2,11,20"), QStringLiteral("3,11,21")});
    grid.setSelection(2, 1, 4, 5);
    key(C::KeyV);
    EXPECT_EQ(dataRows(), (QStringList{QStringLiteral("1,10,20,,"), QStringLiteral("7,70,80,,"),
                                       QStringLiteral("8,71,80,,")}));
    EXPECT_EQ(grid.Row(), 2);

    // A selection on the trailing row alone deletes nothing.
    grid.setSelection(4, 1, 4, 3);
    key(C::KeyV);
    EXPECT_EQ(grid.Flex_Row_Count(), 5);
}

TEST_F(CoordGridCommandsTest, ColumnBlockOverwritesFromTheCursorRowDown)
{
    grid.setSelection(1, 2, 2, 3);
    key(C::KeyC);
    EXPECT_EQ(host.clipboard, QStringLiteral("STACOL=2;ENDCOL=3;ROWS=2\r\n10,20\r\n11,20\r\n"));

    grid.setCursor(3, 3);
    key(C::KeyV);
    expectRefusal(QStringLiteral("光标所在位置与定义的块起始列不符..."));
    EXPECT_FALSE(host.suspended);
    EXPECT_EQ(dataRows(), original);

    host.shown.clear();
    grid.setCursor(3, 2);
    key(C::KeyV);
    EXPECT_TRUE(host.shown.isEmpty());
    // The second line would land beyond the last data row... row 4 is still data.
    EXPECT_EQ(dataRows(), (QStringList{original[0], original[1], QStringLiteral("3,10,20,,"),
                                       QStringLiteral("*,11,20,A,1")}));
    EXPECT_EQ(grid.Rows(), 6);

    grid.setCursor(4, 2);
    host.clipboard = QStringLiteral("STACOL=2;ENDCOL=3;ROWS=3\r\n1,2\r\n3,4\r\n5,6\r\n");
    key(C::KeyV);
    EXPECT_EQ(grid.TextMatrix(4, 2), QStringLiteral("1"));
    EXPECT_EQ(grid.Rows(), 6); // never adds rows
    EXPECT_EQ(grid.rowTexts(5), QStringList(6));

    host.shown.clear();
    grid.setCursor(5, 2);
    key(C::KeyV);
    expectRefusal(kBadData, Icon::Exclamation);
}

TEST_F(CoordGridCommandsTest, HeaderlessTextAndLinesWithoutComma)
{
    host.clipboard = QStringLiteral("9,90,91\n8,80,81\nend\n7,70,71\n");
    grid.setCursor(1, 1);
    key(C::KeyV);
    EXPECT_EQ(dataRows().mid(0, 3),
              (QStringList{QStringLiteral("9,90,91,,"), QStringLiteral("8,80,81,,"), original[0]}));
    EXPECT_EQ(grid.Flex_Row_Count(), 6);

    // A first line without comma pastes nothing, yet marks the registration.
    const int marks = host.marks;
    host.clipboard = QStringLiteral("nothing\n1,2,3\n");
    key(C::KeyV);
    EXPECT_EQ(grid.Flex_Row_Count(), 6);
    EXPECT_EQ(host.marks, marks + 1);
}

// No cell can receive a comma from the clipboard: surplus fields are dropped.
TEST_F(CoordGridCommandsTest, SurplusFieldsAreDropped)
{
    host.clipboard = QStringLiteral("STACOL=1;ENDCOL=5;ROWS=1\r\n*,1,2,B,1,extra,more\r\n");
    grid.setCursor(1, 1);
    key(C::KeyV);
    EXPECT_EQ(dataRows().first(), QStringLiteral("*,1,2,B,1"));
    host.clipboard = QStringLiteral("STACOL=4;ENDCOL=5;ROWS=1\r\nB,1,2,3\r\n");
    grid.setCursor(1, 4);
    key(C::KeyV);
    EXPECT_EQ(dataRows().first(), QStringLiteral("*,1,2,B,1"));
}

TEST_F(CoordGridCommandsTest, PasteRefusalsAndSilentEnds)
{
    host.clipboard = QStringLiteral("   ");
    key(C::KeyV);
    expectRefusal(QStringLiteral("没有定义可拷贝的块数据..."));

    host.shown.clear();
    host.clipboard = QStringLiteral("1,2,3\r");
    key(C::KeyV);
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_EQ(host.marks, 0);

    host.clipboard = QStringLiteral("STACOL=1;ENDCOL=5\r\n1,2,3\r\n");
    key(C::KeyV);
    expectRefusal(kBadData, Icon::Exclamation);

    host.shown.clear();
    host.clipboard = QStringLiteral("STACOL=1 ENDCOL=5;ROWS=1\r\n1,2,3\r\n");
    key(C::KeyV);
    expectRefusal(kBadData, Icon::Exclamation);

    host.shown.clear();
    host.clipboard = QStringLiteral("1,2,3\r\n");
    openEditor();
    key(C::KeyV);
    expectRefusal(QStringLiteral("编辑状态不能执行粘贴操作..."));
    EXPECT_EQ(host.editorFocus, 1);
    EXPECT_EQ(dataRows(), original);
    EXPECT_EQ(host.marks, 0);
    EXPECT_EQ(host.syncs, 0);
}

TEST_F(CoordGridCommandsTest, ShiftInsertPastesAndOtherCtrlKeysOnlyRefresh)
{
    host.clipboard = QStringLiteral("5,50,60\r\n");
    grid.setCursor(1, 1);
    key(C::KeyInsert, C::ShiftMask);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("5"));
    const int syncs = host.syncs;
    key('Q');
    EXPECT_EQ(host.syncs, syncs + 1);
    key('Q', 0);
    key(C::KeyA, C::CtrlMask | C::ShiftMask);
    EXPECT_EQ(host.syncs, syncs + 1);
    EXPECT_FALSE(host.visible);
}

// ---------------------------------------------------------------------------
// Popup commands

TEST_F(CoordGridCommandsTest, PopupCommandRunsOnGotFocusAndIsCleared)
{
    m_state.Flex_Menu_Cmd = C::MenuAppend;
    cmd.Area_Flex_GotFocus();
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 0);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(grid.Row(), 5);

    // No command pending: the commit runs.
    host.text = QStringLiteral("4");
    cmd.Area_Flex_GotFocus();
    EXPECT_EQ(grid.TextMatrix(5, 1), QStringLiteral("4"));
    EXPECT_FALSE(host.visible);

    m_state.Flex_Menu_Cmd = C::MenuCopy;
    grid.setCursor(1, 2);
    cmd.Area_Flex_GotFocus();
    EXPECT_EQ(host.clipboard, QStringLiteral("STACOL=2;ENDCOL=2;ROWS=1\r\n10\r\n"));
}

TEST_F(CoordGridCommandsTest, CutCopiesTheColumnsAndDeletesTheRows)
{
    grid.setSelection(2, 2, 3, 3);
    m_state.Flex_Menu_Cmd = C::MenuCut;
    cmd.Area_Flex_GotFocus();
    EXPECT_EQ(host.clipboard, QStringLiteral("STACOL=2;ENDCOL=3;ROWS=2\r\n11,20\r\n11,21\r\n"));
    EXPECT_EQ(lastShown().text, QStringLiteral("确认删除从当前记录行以下2行数据！"));
    EXPECT_EQ(dataRows(), (QStringList{original[0], original[3]}));
}

TEST_F(CoordGridCommandsTest, CutWhileEditingShowsBothRefusals)
{
    openEditor();
    m_state.Flex_Menu_Cmd = C::MenuCut;
    cmd.Area_Flex_GotFocus();
    EXPECT_EQ(shownTexts(), (QStringList{QStringLiteral("编辑状态不能执行拷贝操作..."),
                                         QStringLiteral("编辑状态不能执行删除操作...")}));
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 0);
}

TEST_F(CoordGridCommandsTest, ScrollDropsTheEditor)
{
    openEditor();
    host.text = QStringLiteral("99");
    cmd.Area_Flex_Scroll();
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("10"));
    EXPECT_EQ(host.gridFocus, 1);
}

} // namespace
