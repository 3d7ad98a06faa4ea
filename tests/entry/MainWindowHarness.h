#pragma once

#include "entry/NewTab.h"
#include "platform/HelpViewer.h"
#include "shell/CommandTargets.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QUrl>

#include <memory>

// The real main window for widget tests of the entry window. A fixture derives from
// it beside its database fixture, registers the targets its tests need in
// `targets`, then calls showMainWindow(); closeMainWindow() belongs in TearDown,
// before the database fixture's own.
class MainWindowHarness
{
protected:
    void showMainWindow()
    {
        HelpViewer::setOpener([](const QUrl&) { return true; });
        main = std::make_unique<TabMain>(targets);
        state().MainWindow = main.get();
        main->show();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }

    // Opens the entry window by the main window's "NEW" command.
    NewTab* openEntry()
    {
        main->Toolbar_ButtonClick(QStringLiteral("NEW"));
        QApplication::processEvents();
        return NewTab::instance();
    }

    // Closes without the save question.
    void closeMainWindow()
    {
        if (main) main->setButtonEnabled(QStringLiteral("SAVE"), false);
        main.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state().MainWindow = nullptr;
        HelpViewer::setOpener({});
    }

    CommandTargets targets;
    std::unique_ptr<TabMain> main;
};
