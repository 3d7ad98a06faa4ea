#pragma once

#include "RegionFixture.h"
#include "support/ModalDialogs.h"

#include "entry/MainWindowHarness.h"
#include "entry/NavigateWindow.h"
#include "platform/Prompt.h"
#include "regions/RegionTargets.h"
#include "registration/navigation/NAVIGATE.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

// The sample registrations behind the real main window, with the region dialogs
// registered.
class RegionWindowFixture : public RegionFixture, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
        m_state.ProvinceCode = 510000;
        NewTab::Register(targets);
        NAVIGATE::Register(targets);
        regions::registerTargets(targets);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        RegionFixture::TearDown();
    }

    static void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& work)
    {
        ModalDialogs::withDialog(open, work);
    }
    static void click(QWidget* dialog, const QString& name) { ModalDialogs::click(dialog, name); }

    // Drops the region tree down and clicks the node showing `text`.
    static void pick(QWidget* dialog, const QString& text)
    {
        click(dialog, "Command1");
        auto* tree = dialog->findChild<QTreeWidget*>("TreeView2");
        ASSERT_TRUE(tree->isVisible());
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        tree->scrollToItem(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
    }

};
