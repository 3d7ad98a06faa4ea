#pragma once

#include "EditorsFixture.h"

#include "editors/EditorsTargets.h"
#include "editors/FrmEdit.h"
#include "entry/EntryEditing.h"
#include "entry/MainWindowHarness.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

// The editors inside the real main window: the entry window shows the fixture's
// registration, and its "编辑" button opens the row list window.
class EditorWindowFixture : public EditorsFixture, protected MainWindowHarness
{
protected:
    // Call once the registration's rows are in place.
    void openEntryWindow()
    {
        NewTab::Register(targets);
        editors::registerTargets(targets);
        showMainWindow();
        entry = openEntry();
        ASSERT_NE(entry, nullptr);
        entry->positionDJH(DJH, controlsOf(entry).TvmDataList());
        QApplication::processEvents();
        Prompt::clear();
    }
    void TearDown() override
    {
        closeMainWindow();
        EntryEditing::setDetailEditor({});
        EditorsFixture::TearDown();
    }

    // Runs `drive` on the next modal window of type W once it shows (a window may
    // handle events while it fills itself, before it shows).
    template <class W> static void whenShown(const std::function<void(W&)>& drive, bool* driven)
    {
        QTimer::singleShot(10, [drive, driven] {
            auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
            if (!window) {
                whenShown<W>(drive, driven);
                return;
            }
            *driven = true;
            drive(*window);
        });
    }

    static void clickCell(editors::FrmEdit& window, int row, int column)
    {
        auto* table = window.findChild<QTableWidget*>("MSFlexGrid1");
        const QRect r = table->visualRect(table->model()->index(row - 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Types text with key events that carry it (Chinese included).
    static void typeInto(QWidget* box, const QString& text)
    {
        box->setFocus();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }

    NewTab* entry = nullptr;
};
