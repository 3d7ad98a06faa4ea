// The single and the batch print dialog, on a recording surface and a fake printer.
#include "PrintFixture.h"

#include "entry/MainWindowHarness.h"
#include "printing/FrmPrintMany.h"
#include "printing/FrmPrintSelect.h"
#include "printing/PrintRun.h"
#include "printing/PrintingTargets.h"
#include "printing/RecordingSurface.h"

#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTabControls.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/ShellNames.h"
#include "support/FakePrinterService.h"
#include "support/SampleRegistrations.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
using Answer = Prompt::Answer;

} // namespace

class PrintDialogs : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        m_state.PrinterCount = 1;
        m_printer.paper = PrinterService::PaperA3;
        m_printer.orient = PrinterService::Landscape;
        PrintRun::setTestSurface(&m_surface);
        Prompt::clear();
        FileDialog::clear();
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::fill(db(), {4, 9}, &e)) << e.description.toStdString();
        QSqlQuery q(db());
        q.exec(QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号"));
        while (q.next())
            m_numbers << q.value(0).toString();
    }
    void TearDown() override
    {
        PrintRun::setTestSurface(nullptr);
        PrintFixture::TearDown();
    }

    template <class W> static void click(W* dialog, const QString& name)
    {
        auto* button = dialog->template findChild<QAbstractButton*>(name);
        ASSERT_TRUE(button) << name.toStdString();
        button->click();
    }
    template <class W> static QCheckBox* box(W* dialog, const QString& name)
    {
        return dialog->template findChild<QCheckBox*>(name);
    }

    FakePrinterService m_printer;
    ScopedPrinterService m_scoped{m_printer};
    RecordingSurface m_surface;
    QStringList m_numbers;
};

TEST_F(PrintDialogs, SinglePrintChecksAndPrints)
{
    m_state.Print_DJH_Flag = true;
    m_state.Cur_DJH = m_numbers.first();
    FrmPrintSelect dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打印登记表单"));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(box(&dialog, QStringLiteral("Check1_%1").arg(i))->isChecked());
    EXPECT_TRUE(box(&dialog, QStringLiteral("Check2"))->isChecked());

    // Clearing the cover disables the number box without changing the choice.
    click(&dialog, QStringLiteral("Check1_0"));
    EXPECT_FALSE(box(&dialog, QStringLiteral("Check2"))->isEnabled());
    EXPECT_TRUE(m_state.Print_DJH_Flag);
    click(&dialog, QStringLiteral("Check1_2"));
    EXPECT_FALSE(box(&dialog, QStringLiteral("Check2"))->isEnabled());
    for (int i = 1; i < 4; ++i)
        box(&dialog, QStringLiteral("Check1_%1").arg(i))->setChecked(false);
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("请先选择打印页！"));
    EXPECT_TRUE(m_surface.ops.isEmpty());

    m_state.PrinterCount = 0;
    box(&dialog, QStringLiteral("Check1_0"))->setChecked(true);
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("错误"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("没有安装任何打印机，无法执行打印操作..."));

    // To a PDF file: the cover of the registration shown, then the printer's paper back.
    m_state.PrinterCount = 1;
    FileDialog::setNextFileName(path(QStringLiteral("out.pdf")));
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("输出完毕!"));
    EXPECT_EQ(m_surface.documentCount(), 1);
    EXPECT_TRUE(m_surface.findText(m_numbers.first()));
    EXPECT_EQ(m_printer.paper, PrinterService::PaperA3);
    EXPECT_EQ(m_printer.orient, PrinterService::Landscape);
}

TEST_F(PrintDialogs, PaperRefusedStopsAndGivesThePaperBack)
{
    m_printer.papersTaken = {PrinterService::PaperA3};
    m_state.Cur_DJH = m_numbers.first();
    FrmPrintSelect dialog;
    FileDialog::setNextFileName(path(QStringLiteral("out.pdf")));
    Prompt::setNextAnswer(Answer::No);
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("打印设置错误，应为[A4纵向],是否继续?"));
    EXPECT_TRUE(m_surface.ops.isEmpty());
    EXPECT_EQ(m_printer.orient, PrinterService::Landscape);
    // A cancelled file choice prints nothing and asks nothing more.
    Prompt::clear();
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(FileDialog::captions().last(), QStringLiteral("打印到PDF文件"));
}

TEST_F(PrintDialogs, NameTypedWithoutSuffixDoesNotReplaceAFileUnasked)
{
    m_state.Cur_DJH = m_numbers.first();
    QFile old(path(QStringLiteral("old.pdf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier print");
    old.close();
    FrmPrintSelect dialog;
    // "old" becomes "old.pdf", which exists: No keeps it and prints nothing.
    FileDialog::setNextFileName(path(QStringLiteral("old")));
    Prompt::setNextAnswer(Answer::No);
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("文件已经存在,是否覆盖?")}));
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("提示"));
    EXPECT_TRUE(m_surface.ops.isEmpty());
    // Yes prints.
    Prompt::clear();
    FileDialog::setNextFileName(path(QStringLiteral("old")));
    Prompt::setNextAnswer(Answer::Yes);
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("文件已经存在,是否覆盖?"), QStringLiteral("输出完毕!")}));
    EXPECT_FALSE(m_surface.ops.isEmpty());
    // A new name is not asked about.
    Prompt::clear();
    FileDialog::setNextFileName(path(QStringLiteral("new")));
    click(&dialog, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("输出完毕!")}));
}

TEST_F(PrintDialogs, ThePdfFileIsNeverTheWorkingDatabaseOrTheTemplate)
{
    m_state.Cur_DJH = m_numbers.first();
    // Links named like PDF files, to the database in use and to the template.
    ASSERT_TRUE(QFile::link(path(QStringLiteral("djk.mdb")), path(QStringLiteral("db.pdf"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("djk.sys")), path(QStringLiteral("tpl.pdf"))));
    const auto bytes = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray database = bytes(path(QStringLiteral("djk.mdb")));
    const QByteArray templ = bytes(path(QStringLiteral("djk.sys")));
    FrmPrintSelect dialog;
    // Chosen with its suffix, and typed without it.
    for (const QString& chosen : {path(QStringLiteral("db.pdf")), path(QStringLiteral("tpl"))}) {
        Prompt::clear();
        FileDialog::setNextFileName(chosen);
        Prompt::setNextAnswer(Answer::Yes);
        click(&dialog, QStringLiteral("Command1_0"));
        const QString file =
            chosen.endsWith(QStringLiteral(".pdf")) ? chosen : chosen + QStringLiteral(".pdf");
        EXPECT_EQ(
            Prompt::shownTexts(),
            QStringList{QStringLiteral("不能输出到当前数据库文件或模板文件，请重新指定PDF文件！\n") + file});
        EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("提示"));
    }
    EXPECT_TRUE(m_surface.ops.isEmpty());
    EXPECT_EQ(bytes(path(QStringLiteral("djk.mdb"))), database);
    EXPECT_EQ(bytes(path(QStringLiteral("djk.sys"))), templ);
}

// A printer that cannot be opened: both dialogs say so, and neither says it printed.
TEST_F(PrintDialogs, APrinterThatCannotBeOpenedIsSaid)
{
    PrintRun::setTestSurface(nullptr); // the fake service has no printer to draw on
    m_state.Cur_DJH = m_numbers.first();
    const QStringList said{QStringLiteral("当前设置的打印机不可用...")};
    FrmPrintSelect single;
    FileDialog::setNextFileName(path(QStringLiteral("one.pdf")));
    click(&single, QStringLiteral("Command1_0"));
    EXPECT_EQ(Prompt::shownTexts(), said);
    Prompt::clear();
    FrmPrintMany batch;
    click(&batch, QStringLiteral("Command3_2"));
    click(&batch, QStringLiteral("Check5"));
    FileDialog::setNextFileName(path(QStringLiteral("many.pdf")));
    click(&batch, QStringLiteral("Command1"));
    EXPECT_EQ(Prompt::shownTexts(), said);
}

TEST_F(PrintDialogs, BatchListsMovesAndPrintsEachByItsNumber)
{
    FrmPrintMany dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("批量打印"));
    auto* list1 = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
    auto* list2 = dialog.findChild<QListWidget*>(QStringLiteral("List2"));
    ASSERT_EQ(list1->count(), m_numbers.size());
    EXPECT_FALSE(box(&dialog, QStringLiteral("Check3"))->isEnabled());

    click(&dialog, QStringLiteral("Command1"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("没有选择登记号!"));

    // Three chosen numbers arrive in reverse order; ">>" and "<<" keep the order.
    for (int i = 0; i < 3; ++i)
        list1->item(i)->setSelected(true);
    click(&dialog, QStringLiteral("Command3_0"));
    ASSERT_EQ(list2->count(), 3);
    EXPECT_EQ(list2->item(0)->text(), m_numbers[2]);
    EXPECT_EQ(list2->item(2)->text(), m_numbers[0]);
    click(&dialog, QStringLiteral("Command3_3"));
    EXPECT_EQ(list1->item(1)->text(), m_numbers[2]);
    click(&dialog, QStringLiteral("Command3_2"));
    EXPECT_EQ(list1->count(), 0);
    click(&dialog, QStringLiteral("Command3_2")); // nothing left to move
    EXPECT_EQ(list2->count(), m_numbers.size());

    click(&dialog, QStringLiteral("Command1"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("请先选择打印页！"));
    click(&dialog, QStringLiteral("Check5"));
    EXPECT_TRUE(box(&dialog, QStringLiteral("Check1_3"))->isChecked());
    click(&dialog, QStringLiteral("Check5"));
    EXPECT_FALSE(box(&dialog, QStringLiteral("Check1_3"))->isChecked());
    box(&dialog, QStringLiteral("Check1_1"))->setChecked(true);

    // A number that is no longer stored is left out and named afterwards.
    list2->addItem(QStringLiteral("4999999999999"));
    Prompt::clear();
    FileDialog::setNextFileName(path(QStringLiteral("batch.pdf")));
    click(&dialog, QStringLiteral("Command1"));
    EXPECT_EQ(m_surface.documentCount(), m_numbers.size());
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("以下登记号未能读取，没有打印：\n4999999999999")}));
    EXPECT_EQ(m_printer.paper, PrinterService::PaperA3);
    // Each first page is that of its number, in list order.
    for (int i = 0; i < m_numbers.size(); ++i) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT 建设单位 FROM 压覆 WHERE 登记号 = ?"));
        q.addBindValue(list2->item(i)->text());
        q.exec();
        q.next();
        bool found = false;
        for (const RecordingSurface::Op& op : m_surface.texts(i))
            found = found || op.text == q.value(0).toString();
        EXPECT_TRUE(found) << i;
    }

    // All stored: "输出完毕!".
    delete list2->takeItem(list2->count() - 1);
    Prompt::clear();
    FileDialog::setNextFileName(path(QStringLiteral("batch.pdf")));
    click(&dialog, QStringLiteral("Command1"));
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("输出完毕!")}));
}

TEST_F(PrintDialogs, BatchMovesARangeChosenWithTheMouse)
{
    FrmPrintMany dialog;
    dialog.show();
    auto* list1 = dialog.findChild<QListWidget*>(QStringLiteral("List1"));
    auto* list2 = dialog.findChild<QListWidget*>(QStringLiteral("List2"));
    ASSERT_GE(list1->count(), 4);
    // A click on the first number and a Shift-click on the third choose three.
    const auto clickRow = [list1](int row, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(list1->viewport(), Qt::LeftButton, keys,
                          list1->visualItemRect(list1->item(row)).center());
    };
    clickRow(0, Qt::NoModifier);
    clickRow(2, Qt::ShiftModifier);
    ASSERT_EQ(list1->selectedItems().size(), 3);
    click(&dialog, QStringLiteral("Command3_0"));
    EXPECT_EQ(list2->count(), 3);
    EXPECT_EQ(list1->count(), m_numbers.size() - 3);
    ASSERT_EQ(list2->count(), 3);
    EXPECT_EQ(list2->item(0)->text(), m_numbers[2]);
    EXPECT_EQ(list2->item(2)->text(), m_numbers[0]);
    EXPECT_EQ(list1->item(0)->text(), m_numbers[3]);

    // And back with "<": a Ctrl-click adds a second number to the first.
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list2->visualItemRect(list2->item(0)).center());
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list2->visualItemRect(list2->item(2)).center());
    click(&dialog, QStringLiteral("Command3_1"));
    ASSERT_EQ(list2->count(), 1);
    EXPECT_EQ(list2->item(0)->text(), m_numbers[1]);
}

// Through the main window: the PRINT key prints the entry window as it stands; the
// batch offers its unsaved edits for saving and prints what is stored.
class PrintMainWindow : public PrintDialogs, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        PrintDialogs::SetUp();
        NewTab::Register(targets);
        EntryRecord::Register(targets);
        NAVIGATE::Register(targets);
        printing::registerTargets(targets);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        PrintDialogs::TearDown();
    }
};

TEST_F(PrintMainWindow, PrintKeyAndBatchWindow)
{
    NewTab* entry = openEntry();
    ASSERT_TRUE(entry);
    NavigateTree* list = controlsOf(entry).TvmDataList();
    list->setCurrentIndex(list->model()->index(0, 0));
    Q_EMIT list->clicked(list->model()->index(0, 0));
    QApplication::processEvents();
    const QString stored = controlsOf(entry).Kn2Data(2)->text();
    controlsOf(entry).Kn2Data(2)->setText(QStringLiteral("未保存的单位"));
    main->setButtonEnabled(Keys::Save, true);

    // PRINT opens the print dialog; printing takes the window's text.
    bool opened = false;
    QTimer::singleShot(0, main.get(), [&] {
        auto* dialog = qobject_cast<FrmPrintSelect*>(QApplication::activeModalWidget());
        opened = dialog;
        if (!dialog) return;
        EXPECT_EQ(main->panelText(1), QStringLiteral("打印登记书选择..."));
        FileDialog::setNextFileName(path(QStringLiteral("one.pdf")));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
        dialog->reject();
    });
    main->Toolbar_ButtonClick(Keys::Print);
    EXPECT_TRUE(opened);
    EXPECT_EQ(main->panelText(1), StatusText::Idle);
    EXPECT_TRUE(m_surface.findText(QStringLiteral("未保存的单位")));

    // The batch window is not modal; No to the save question prints the stored text.
    m_surface = RecordingSurface();
    Prompt::clear();
    ASSERT_TRUE(targets.openWindow(WindowNames::FrmPrintMany, *main));
    auto* batch = main->findChild<FrmPrintMany*>();
    ASSERT_TRUE(batch);
    EXPECT_FALSE(batch->isModal());
    auto* list1 = batch->findChild<QListWidget*>(QStringLiteral("List1"));
    list1->item(m_numbers.indexOf(m_state.Cur_DJH))->setSelected(true);
    batch->findChild<QPushButton*>(QStringLiteral("Command3_0"))->click();
    batch->findChild<QCheckBox*>(QStringLiteral("Check1_1"))->setChecked(true);
    FileDialog::setNextFileName(path(QStringLiteral("many.pdf")));
    Prompt::setNextAnswer(Answer::No);
    batch->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(Prompt::shownTexts().first(), QStringLiteral("[压覆矿产资源储量登记书]已经发生改变,保存吗?"));
    EXPECT_FALSE(m_surface.findText(QStringLiteral("未保存的单位")));
    EXPECT_TRUE(m_surface.findText(stored));
    batch->close();
    QApplication::processEvents();
}

TEST_F(PrintMainWindow, BatchWindowStaysOpenUntilItsRunEnds)
{
    ASSERT_TRUE(targets.openWindow(WindowNames::FrmPrintMany, *main));
    QPointer<FrmPrintMany> batch = main->findChild<FrmPrintMany*>();
    ASSERT_TRUE(batch);
    batch->findChild<QPushButton*>(QStringLiteral("Command3_2"))->click();
    batch->findChild<QCheckBox*>(QStringLiteral("Check1_1"))->setChecked(true);
    FileDialog::setNextFileName(path(QStringLiteral("many.pdf")));
    // The window is closed while the first registration prints: it stays, and every
    // registration is printed.
    bool refused = false;
    QTimer::singleShot(0, main.get(), [&] { refused = batch && !batch->close(); });
    batch->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    ASSERT_TRUE(batch);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(batch->isVisible());
    EXPECT_EQ(m_surface.documentCount(), m_numbers.size());
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("输出完毕!")}));
    // Once the run is over the window closes as before.
    EXPECT_TRUE(batch->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(batch);
    EXPECT_EQ(main->panelText(1), StatusText::Idle);
}

// Both print dialogs open in the middle of the screen at their final size, list the
// print-to-PDF printer by its Chinese caption and still print to a PDF file when it
// is chosen.
TEST_F(PrintMainWindow, DialogsOpenCentredAndNameThePdfPrinterInChinese)
{
    m_printer.names = QStringList{QStringLiteral("Office"), PrinterService::pdfPrinterName()};
    m_state.Cur_DJH = m_numbers.first();
    const QPoint middle = QApplication::primaryScreen()->availableGeometry().center();
    const auto itemsOf = [](QWidget* dialog) {
        auto* list = dialog->findChild<QComboBox*>(QStringLiteral("cboPrinter"));
        QStringList items;
        for (int i = 0; list && i < list->count(); ++i)
            items << list->itemText(i);
        if (list) list->setCurrentIndex(1);
        return items;
    };
    const QStringList shown{QStringLiteral("Office"), QStringLiteral("打印到PDF文件")};

    QPoint single;
    QStringList singleItems;
    QTimer::singleShot(0, main.get(), [&] {
        auto* dialog = qobject_cast<FrmPrintSelect*>(QApplication::activeModalWidget());
        if (!dialog) return;
        single = dialog->frameGeometry().center();
        singleItems = itemsOf(dialog);
        FileDialog::setNextFileName(path(QStringLiteral("one.pdf")));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
        dialog->reject();
    });
    main->Toolbar_ButtonClick(Keys::Print);
    EXPECT_LE((single - middle).manhattanLength(), 6) << single.x() << "," << single.y();
    EXPECT_EQ(singleItems, shown);
    EXPECT_EQ(FileDialog::captions().value(0), QStringLiteral("打印到PDF文件"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("输出完毕!"));

    ASSERT_TRUE(targets.openWindow(WindowNames::FrmPrintMany, *main));
    QApplication::processEvents();
    auto* batch = main->findChild<FrmPrintMany*>();
    ASSERT_TRUE(batch);
    EXPECT_LE((batch->frameGeometry().center() - middle).manhattanLength(), 6)
        << batch->x() << "," << batch->y();
    EXPECT_EQ(itemsOf(batch), shown);
    auto* print = batch->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* cancel = batch->findChild<QPushButton*>(QStringLiteral("Command2"));
    EXPECT_EQ((QStringList{print->text(), print->toolTip(), cancel->text(), cancel->toolTip()}),
              (QStringList{QStringLiteral("打 印"), QStringLiteral("打印"), QStringLiteral("取 消"),
                           QStringLiteral("取消")}));
    batch->close();
    QApplication::processEvents();
}

// Printing to a PDF file for real: a file that cannot be made is said once, by its
// name and the cause, in both dialogs.
class PrintToPdfFile : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        m_state.PrinterCount = 1;
        Prompt::clear();
        FileDialog::clear();
    }
    static void choosePdf(QWidget* dialog)
    {
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("cboPrinter"));
        ASSERT_TRUE(printers);
        printers->setCurrentIndex(printers->findData(PrinterService::pdfPrinterName()));
    }
};

TEST_F(PrintToPdfFile, AFolderThatIsNotThereIsSaidOnce)
{
    Db::Error e;
    ASSERT_TRUE(SampleRegistrations::fill(db(), {1, 3}, &e)) << e.description.toStdString();
    const QString file = path(QStringLiteral("gone/form.pdf"));
    const QStringList said{
        QStringLiteral("Error # -1 was generated by PrintRun\r无法写入文件：%1（文件夹不存在）").arg(file)};
    {
        FrmPrintSelect dialog;
        choosePdf(&dialog);
        FileDialog::setNextFileName(file);
        dialog.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
        EXPECT_EQ(Prompt::shownTexts(), said);
    }
    Prompt::clear();
    FrmPrintMany batch;
    choosePdf(&batch);
    batch.findChild<QPushButton*>(QStringLiteral("Command3_2"))->click();
    batch.findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(true);
    FileDialog::setNextFileName(file);
    batch.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(Prompt::shownTexts(), said);
}
