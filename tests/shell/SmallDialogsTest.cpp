#include "support/FakeMainWindow.h"
#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/About.h"
#include "shell/CodeDictionary.h"
#include "shell/FrmCode.h"
#include "shell/FrmPara.h"
#include "shell/FrmSysView.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

class SmallDialogsTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_main.install();
    }
    int count(const QString& table)
    {
        return Db::scalar(m_state.Cn(), QStringLiteral("select count(*) from ") + table).toInt();
    }
    QStringList headings(const QTableWidget* grid)
    {
        QStringList h;
        for (int c = 1; c < grid->columnCount(); ++c)
            h << (grid->item(0, c) ? grid->item(0, c)->text() : QString());
        return h;
    }
    QByteArray viewIni()
    {
        QFile f(path(QStringLiteral("view.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    FakeMainWindow m_main;
    QStringList& buttons = m_main.buttons;
    QMap<int, QString>& panels = m_main.panels;
    int& relabels = m_main.relabels;
};

TEST_F(SmallDialogsTest, TheCodeBrowserOpensOnCb01AndRebuildsTheGridOnEveryClick)
{
    {
        FrmCode dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("数据词表"));
        ASSERT_EQ(dlg.List2->count(), 9);
        QStringList listed;
        for (int i = 0; i < dlg.List2->count(); ++i)
            listed << dlg.List2->item(i)->text();
        EXPECT_EQ(listed, CodeDictionary::tableNames());
        EXPECT_EQ(listed.join(QLatin1Char(',')),
                  QStringLiteral("cb01,cb02,cb03,cb04,cb05,cb06,cb08,cb09,cb13"));

        EXPECT_EQ(headings(dlg.MSFlex1), (QStringList{QStringLiteral("表号"), QStringLiteral("表内码"),
                                                      QStringLiteral("代码"), QStringLiteral("名称")}));
        EXPECT_EQ(dlg.MSFlex1->rowCount(), count(QStringLiteral("cb01")) + 1);
        EXPECT_EQ(dlg.MSFlex1->currentRow(), 1);
        EXPECT_EQ(buttons, QStringList{QStringLiteral("CODE:down")});
        EXPECT_EQ(panels.value(1), QStringLiteral("数据词表浏览..."));

        dlg.List2->setCurrentRow(6);
        dlg.List2_Click();
        dlg.List2_Click();
        EXPECT_EQ(headings(dlg.MSFlex1), (QStringList{QStringLiteral("DM"), QStringLiteral("MC")}));
        EXPECT_EQ(dlg.MSFlex1->rowCount(), count(QStringLiteral("cb08")) + 1);
        EXPECT_EQ(dlg.MSFlex1->item(1, 1)->text(), QStringLiteral("110000"));
        EXPECT_EQ(dlg.MSFlex1->item(1, 2)->text(), QStringLiteral("北京市"));
        EXPECT_TRUE(dlg.txtEdit->isHidden());

        // The keyboard moves the list and the grid follows, as a click does.
        dlg.List2->setFocus();
        QTest::keyClick(dlg.List2, Qt::Key_Up);
        EXPECT_EQ(dlg.List2->currentRow(), 5);
        EXPECT_EQ(dlg.MSFlex1->rowCount(), count(QStringLiteral("cb06")) + 1);
        dlg.Command2_Click();
    }
    EXPECT_EQ(buttons.last(), QStringLiteral("CODE:up"));
    EXPECT_EQ(panels.value(1), QStringLiteral("待命..."));
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(SmallDialogsTest, AnEmptyDictionaryShowsTheHeadingAndNullsShowEmpty)
{
    runSql(path(QStringLiteral("djk.mdb")),
           {QStringLiteral("delete from cb09"), QStringLiteral("delete from cb05"),
            QStringLiteral("insert into cb05 (代码, 名称) values (7, NULL)")});
    FrmCode dlg;
    dlg.Show_Table(QStringLiteral("cb09"));
    EXPECT_EQ(dlg.MSFlex1->rowCount(), 1);
    EXPECT_EQ(dlg.MSFlex1->columnCount(), 3);
    dlg.Show_Table(QStringLiteral("cb05"));
    ASSERT_EQ(dlg.MSFlex1->rowCount(), 2);
    EXPECT_EQ(dlg.MSFlex1->item(1, 1)->text(), QStringLiteral("7"));
    EXPECT_EQ(dlg.MSFlex1->item(1, 2)->text(), QString());
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(SmallDialogsTest, GridsListsAndMessageBoxesShowTheirTextsWhole)
{
    // Each dictionary's columns are as wide as their longest texts, side by side in
    // the grid's width.
    FrmCode code;
    code.show();
    for (int table : {0, 3, 6}) {
        code.List2->setCurrentRow(table);
        QApplication::processEvents();
        const QTableWidget* grid = code.MSFlex1;
        int total = 0;
        for (int c = 0; c < grid->columnCount(); ++c) {
            total += grid->columnWidth(c);
            for (int r = 0; r < grid->rowCount(); ++r) {
                const QTableWidgetItem* item = grid->item(r, c);
                if (!item) continue;
                ASSERT_LT(QFontMetrics(item->font()).horizontalAdvance(item->text()), grid->columnWidth(c))
                    << item->text().toStdString();
            }
        }
        EXPECT_LE(total, grid->viewport()->width()) << table;
    }
    code.reject();

    // The province list drops down with ten rows.
    FrmPara para;
    para.show();
    QApplication::processEvents();
    para.Command1_Click();
    const int row = para.List1->sizeHintForRow(0);
    EXPECT_EQ(para.List1->viewport()->height() / row, 10);
    EXPECT_TRUE(para.rect().contains(para.List1->geometry()));
    para.reject();

    // A box with a short message is as wide as its title and a title bar's buttons.
    const std::unique_ptr<QMessageBox> box(Prompt::messageBox(
        QStringLiteral("升级完成！"), QStringLiteral("Quillet"), Prompt::Buttons::Ok, Prompt::Icon::None));
    box->show();
    QApplication::processEvents();
    const int bar = box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box.get());
    EXPECT_GE(box->width(),
              QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance("Quillet") +
                  4 * bar);
}

TEST_F(SmallDialogsTest, AMissingDictionaryIsReportedAndTheBrowserStaysUsable)
{
    runSql(path(QStringLiteral("djk.mdb")), {QStringLiteral("drop table cb13")});
    FrmCode dlg;
    dlg.List2->setCurrentRow(8); // a row change is a click
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("数据词表cb13无法读取：")))
        << Prompt::lastText().toStdString();
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("提示"));
    EXPECT_EQ(dlg.MSFlex1->rowCount(), 1);
    EXPECT_EQ(dlg.MSFlex1->columnCount(), 1);

    dlg.List2->setCurrentRow(0);
    EXPECT_EQ(dlg.MSFlex1->rowCount(), count(QStringLiteral("cb01")) + 1);
    EXPECT_EQ(Prompt::shown().size(), 1);
}

TEST(CodeDictionaryRead, RefusesATableOutsideTheList)
{
    CodeDictionary::Table t;
    Db::Error e;
    EXPECT_FALSE(CodeDictionary::read(QSqlDatabase(), QStringLiteral("登记"), &t, &e));
    EXPECT_TRUE(e.isSet());
}

TEST_F(SmallDialogsTest, TheDisplayOptionTicksNamesUnlessTheFlagIsZero)
{
    for (const auto& [flag, byName] :
         {std::pair{QString(), true}, std::pair{QStringLiteral("1"), true},
          std::pair{QStringLiteral("x"), true}, std::pair{QStringLiteral("0"), false}}) {
        m_state.ViewFlag = flag;
        FrmSysView dlg;
        EXPECT_EQ(dlg.view_name->isChecked(), byName) << flag.toStdString();
        EXPECT_EQ(dlg.view_num->isChecked(), !byName) << flag.toStdString();
    }
}

TEST_F(SmallDialogsTest, ChangingTheDisplayOptionWritesViewIniAndRelabelsOnce)
{
    {
        FrmSysView dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("系统选项"));
        EXPECT_EQ(panels.value(1), QStringLiteral("系统选项..."));
        EXPECT_EQ(buttons, QStringList{QStringLiteral("SYS:down")});
        dlg.view_num->setChecked(true);
        dlg.Command1_Click(0);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    EXPECT_EQ(m_state.ViewFlag, QStringLiteral("0"));
    EXPECT_EQ(viewIni(), QByteArray("0\r\n"));
    EXPECT_EQ(relabels, 1);
    EXPECT_EQ(buttons.last(), QStringLiteral("SYS:up"));
    EXPECT_EQ(panels.value(1), QStringLiteral("待命..."));

    {
        FrmSysView dlg;
        EXPECT_TRUE(dlg.view_num->isChecked());
        dlg.view_name->setChecked(true);
        dlg.Command1_Click(0);
    }
    EXPECT_EQ(m_state.ViewFlag, QStringLiteral("1"));
    EXPECT_EQ(viewIni(), QByteArray("1\r\n"));
    EXPECT_EQ(relabels, 2);
}

TEST_F(SmallDialogsTest, AnUnchangedOrCancelledChoiceWritesNothing)
{
    m_state.ViewFlag = QStringLiteral("1");
    {
        FrmSysView dlg;
        dlg.Command1_Click(0);
    }
    {
        FrmSysView dlg;
        dlg.view_num->setChecked(true);
        dlg.Command1_Click(1);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("view.ini"))));
    EXPECT_EQ(m_state.ViewFlag, QStringLiteral("1"));
    EXPECT_EQ(relabels, 0);
    // "名称" confirmed while the flag held neither value still counts as a change.
    m_state.ViewFlag.clear();
    {
        FrmSysView dlg;
        dlg.Command1_Click(0);
    }
    EXPECT_EQ(viewIni(), QByteArray("1\r\n"));
}

TEST(AboutBox, ShowsTheSystemTexts)
{
    About box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于Orvane"));
    EXPECT_EQ(box.COMMAND1->text(), QStringLiteral("确 定"));
    QStringList shown;
    for (const QLabel* l : box.findChildren<QLabel*>())
        shown << l->text();
    for (const QString& t : {QStringLiteral("Dunmarrow"), QStringLiteral("Pellory（四）"),
                             QStringLiteral("Orvane"), QStringLiteral("版本: 2.0")})
        EXPECT_TRUE(shown.contains(t)) << t.toStdString();
    EXPECT_EQ(shown.filter(QRegularExpression(QStringLiteral("^研制单位：.+"))).size(), 1);
    EXPECT_EQ(shown.filter(QRegularExpression(QStringLiteral("^网址：.+"))).size(), 1);
    box.COMMAND1->click();
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

} // namespace
