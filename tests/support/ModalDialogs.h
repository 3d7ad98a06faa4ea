#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Driving the modal dialogs a widget test opens.
namespace ModalDialogs {

// Runs `open`, which shows a modal dialog, and `work` on that dialog once it is
// shown; rejects the dialog when `work` left it open.
inline void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& work)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        work(dialog);
        ran = true;
        if (dialog->isVisible()) {
            if (auto* d = qobject_cast<QDialog*>(dialog))
                d->reject();
            else
                dialog->close();
        }
    });
    open();
    EXPECT_TRUE(ran);
}

// Clicks the enabled button `name` of `dialog`.
inline void click(QWidget* dialog, const QString& name)
{
    auto* b = dialog->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    ASSERT_TRUE(b->isEnabled()) << name.toStdString();
    b->click();
}

// Gives the button `name` of `dialog` the focus and presses Enter on it.
inline void enter(QWidget* dialog, const QString& name)
{
    auto* b = dialog->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(b, Qt::Key_Return);
}

} // namespace ModalDialogs
