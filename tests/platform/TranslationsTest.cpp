#include "platform/Translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

// Qt's own buttons speak Chinese once the translations are loaded.
TEST(Translations, StandardButtonsSpeakChinese)
{
    ASSERT_TRUE(installChineseTranslations(*qApp));
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    // The texts carry their keyboard mnemonic: "是(&Y)".
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("取消")));
}
