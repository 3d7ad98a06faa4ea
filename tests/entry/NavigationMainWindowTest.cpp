// The navigation as the main window and the shell's dialogs reach it: the reference
// chooser from the "..." node, the check tool's registration, the relabelling after
// the display option changed.

#include "registration/navigation/NavigationFixture.h"

#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/MainWindowHarness.h"
#include "entry/NavigateTree.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "registration/record/RegistrationWriter.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QString R1 = QStringLiteral("4510104082001");

class NavigationMainWindowTest : public NavigationFixture, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        NavigationFixture::SetUp();
        addStandardRegistrations();
        targets.registerWindow(QStringLiteral("Frm引用"), [this](TabMain&) { ++chooserShown; });
        NewTab::Register(targets);
        NAVIGATE::Register(targets);
        EntryRecord::Register(targets);
        showMainWindow();
        Prompt::clear();
    }
    void TearDown() override
    {
        closeMainWindow();
        NavigationFixture::TearDown();
    }

    void doubleClick(NavigateTree* tree, const QString& text)
    {
        QModelIndex item;
        for (const QModelIndex& n : NAVIGATE::Tree_Nodes(tree))
            if (n.data().toString() == text) item = n;
        ASSERT_TRUE(item.isValid());
        tree->scrollTo(item);
        QApplication::processEvents();
        const QRect r = tree->visualRect(item);
        ASSERT_TRUE(r.isValid() && tree->viewport()->rect().contains(r.center()))
            << r.x() << "," << r.y() << " " << tree->viewport()->width() << "x" << tree->viewport()->height();
        // A double click: the first click, then the double-click event.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        QApplication::processEvents();
    }

    int chooserShown = 0;
};

} // namespace

TEST_F(NavigationMainWindowTest, DoubleClickOnTheClosingNodeOpensTheReferenceChooser)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    doubleClick(controlsOf(w).TvmDataList(), R1);
    EXPECT_EQ(chooserShown, 0);
    EXPECT_EQ(m_state.Cur_DJH, R1);
    doubleClick(controlsOf(w).TvmDataList(), "...");
    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(m_state.Cur_DJH, "");
}

TEST_F(NavigationMainWindowTest, TheListOpensAtItsTopWithNothingLoadedAlsoWhenRebuilt)
{
    // More registrations than the list shows at once.
    for (int i = 1; i <= 80; ++i)
        addRegistration({QStringLiteral("4510106082%1").arg(i, 3, 10, QLatin1Char('0')), 510106, QVariant(),
                         QVariant(), QVariant(), QVariant(), QVariant()});
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    QApplication::processEvents();
    NavigateTree* list = controlsOf(w).TvmDataList();
    ASSERT_GT(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(0, 0))));
    EXPECT_EQ(m_state.Cur_DJH, "");
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "");
    EXPECT_FALSE(main->buttonEnabled("DEL"));

    // Scrolled to its closing node and rebuilt after an import (the navigation's
    // refresh, or the reload of the whole list after an append), it opens at its top
    // again with nothing loaded, and the count follows it.
    int registrations = 85;
    for (const bool append : {false, true}) {
        const QModelIndex closing = list->model()->index(list->topLevelCount() - 1, 0);
        list->scrollTo(closing);
        list->setCurrentIndex(closing);
        Q_EMIT list->clicked(closing);
        ASSERT_GT(list->verticalScrollBar()->value(), 0);
        ASSERT_EQ(main->panelText(3), QStringLiteral("共有%1个项目").arg(registrations));
        addRegistration({QStringLiteral("4510106092%1").arg(++registrations), 510106, QVariant(), QVariant(),
                         QVariant(), QVariant(), QVariant()});
        if (append)
            main->reloadEntryList();
        else
            main->refreshNavigation();
        QApplication::processEvents();
        EXPECT_EQ(list->verticalScrollBar()->value(), 0) << append;
        EXPECT_EQ(main->panelText(3), QStringLiteral("共有%1个项目").arg(registrations)) << append;
        EXPECT_EQ(m_state.Cur_DJH, "") << append;
        EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "") << append;
    }
}

TEST_F(NavigationMainWindowTest, CheckToolAnswerShowsItsRegistrationOpeningTheEntryWindow)
{
    ASSERT_EQ(NewTab::instance(), nullptr);
    m_state.Cur_DJH = R1;
    ASSERT_TRUE(bool(targets.entry().Show_Current_Registration));
    mainWindow().showCurrentRegistration();
    QApplication::processEvents();
    NewTab* w = NewTab::instance();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), R1);
    EXPECT_EQ(main->panelText(3), "共有5个项目");
}

TEST_F(NavigationMainWindowTest, DisplayOptionRelabelsTheOpenMineTree)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    QComboBox* box = controlsOf(w).cobNavigate();
    box->setCurrentIndex(box->findText("矿山-->登记号"));
    Q_EMIT box->activated(box->currentIndex());
    const QModelIndex area = controlsOf(w).TvmDataList()->model()->index(0, 0);
    ASSERT_TRUE(area.isValid());
    EXPECT_EQ(area.data().toString(), "锦江铁矿区");
    ASSERT_TRUE(bool(targets.entry().Relabel_Tree_Nodes));
    mainWindow().relabelTree();
    EXPECT_EQ(area.data().toString(), "510104001");
}

TEST_F(NavigationMainWindowTest, KeysChooseARegistrationAsAClickDoes)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    NavigateTree* list = controlsOf(w).TvmDataList();
    const QModelIndex first = list->model()->index(0, 0);
    ASSERT_TRUE(first.isValid());
    list->setCurrentIndex(first);
    Q_EMIT list->clicked(first);
    ASSERT_EQ(m_state.Cur_DJH, first.data().toString());

    // Two steps down: the list, the pages and Delete agree on the registration.
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    const QString shown = list->currentIndex().data().toString();
    EXPECT_NE(shown, first.data().toString());
    EXPECT_EQ(m_state.Cur_DJH, shown);
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), shown);
    EXPECT_TRUE(main->buttonEnabled("DEL"));
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    main->Toolbar_ButtonClick("DEL");
    EXPECT_EQ(Prompt::lastText(), KCUTIL::Delete_Question(shown));

    // In the region tree the keys reach a county and list its registrations.
    QComboBox* box = controlsOf(w).cobNavigate();
    box->setCurrentIndex(box->findText("行政区-->登记号"));
    Q_EMIT box->activated(box->currentIndex());
    NavigateTree* regions = controlsOf(w).TvDataList();
    regions->expandAll();
    QModelIndex county;
    for (const QModelIndex& n : NAVIGATE::Tree_Nodes(regions))
        if (NAVIGATE::Node_Key(n) == "C510105") county = n;
    ASSERT_TRUE(county.isValid());
    regions->setCurrentIndex(regions->indexAbove(county));
    list->clear();
    QTest::keyClick(regions, Qt::Key_Down);
    ASSERT_EQ(regions->currentIndex(), county);
    ASSERT_GE(list->topLevelCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "4510105092001");
    EXPECT_EQ(NAVIGATE::Count_Registrations(list), 1);
}

TEST_F(NavigationMainWindowTest, AMiningAreaNodeIsNeverDeleted)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    QComboBox* box = controlsOf(w).cobNavigate();
    box->setCurrentIndex(box->findText("矿山-->登记号"));
    Q_EMIT box->activated(box->currentIndex());
    NavigateTree* list = controlsOf(w).TvmDataList();
    const int areas = list->topLevelCount();
    ASSERT_GT(areas, 0);

    // Activated again with nothing selected: the last mining area is selected, and
    // it is no registration to delete.
    list->setCurrentIndex({});
    main->setButtonEnabled("DEL", true);
    w->Form_Activate();
    ASSERT_TRUE(list->currentIndex().isValid());
    ASSERT_TRUE(NAVIGATE::Has_Children(list->currentIndex()));
    EXPECT_FALSE(main->buttonEnabled("DEL"));
    main->Toolbar_ButtonClick("DEL");
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_EQ(list->topLevelCount(), areas);
}
