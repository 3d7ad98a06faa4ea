#include "XmlFixture.h"

#include "exchange/ExchangeTargets.h"
#include "exchange/xml/DataXmlExport.h"
#include "exchange/xml/ExchangeReader.h"
#include "exchange/xml/XmlCallArguments.h"
#include "exchange/xml/xmlimport.h"

#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ShellNames.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// Records what the dialogs write into the status bar and press on the toolbar.
class RecordingMainWindow : public MainWindowServices
{
public:
    void pressButton(const QString& key, bool pressed) override { keys << key; }
    void setPanelText(int panel, const QString& text) override { panels << QString::number(panel) + text; }
    QStringList keys, panels;
};

class XmlDialogsTest : public XmlFixture
{
protected:
    void SetUp() override
    {
        XmlFixture::SetUp();
        installMainWindowServices(&main);
    }
    void TearDown() override
    {
        installMainWindowServices(nullptr);
        XmlFixture::TearDown();
    }
    template <class W> static W* child(QWidget& dialog, const char* name)
    {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    RecordingMainWindow main;
};

TEST_F(XmlDialogsTest, ExportsTheOneChosenRegistrationWithoutDeletingAChosenFile)
{
    DataXmlExport dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("数据导出XML"));
    auto* text = child<QLineEdit>(dialog, "Text1");
    auto* source = child<QListWidget>(dialog, "List1_0");
    auto* chosen = child<QListWidget>(dialog, "List1_1");
    auto* add = child<QPushButton>(dialog, "Command1_0");
    auto* exportButton = child<QPushButton>(dialog, "Command2_0");
    EXPECT_EQ(text->text(), path(QStringLiteral("2008年11月3日.xml")));
    EXPECT_EQ(source->count(), 5);
    EXPECT_FALSE(add->isEnabled());

    exportButton->click();
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("请先指定导出数据登记号！"));

    // Three numbers selected: only the first is chosen, and only once.
    for (int i : {3, 1, 2})
        source->item(i)->setSelected(true);
    ASSERT_TRUE(add->isEnabled());
    add->click();
    add->click();
    ASSERT_EQ(chosen->count(), 1);
    EXPECT_EQ(chosen->item(0)->text(), source->item(1)->text());

    // Browsing to an existing file asks, and keeps the file.
    writeFile(QStringLiteral("old.xml"), "old");
    FileDialog::setNextFileName(path(QStringLiteral("old.xml")));
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    child<QPushButton>(dialog, "Command3")->click();
    EXPECT_EQ(FileDialog::captions(), QStringList{QStringLiteral("选择导出文件")});
    EXPECT_EQ(FileDialog::kinds(), QList<FileDialog::Kind>{FileDialog::Kind::OpenOrNew});
    EXPECT_EQ(text->text(), path(QStringLiteral("old.xml")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("old.xml"))));

    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    exportButton->click();
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("文件已经存在,是否覆盖?"), QStringLiteral("导出成功！")}));
    QFile file(path(QStringLiteral("old.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    auto doc = tabxfer::readDocument(file.readAll());
    ASSERT_TRUE(doc.ok());
    EXPECT_EQ(doc->registrations.first().number, source->item(1)->text());
    EXPECT_EQ(doc->header, QStringLiteral("Tarnwick;压覆登记;;;;;;;;DJH;%1;").arg(source->item(1)->text()));

    // A target folder that does not exist: the library's failure, with its reason.
    text->setText(path(QStringLiteral("nowhere/x.xml")));
    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    exportButton->click();
    EXPECT_EQ(Prompt::shownTexts(), (QStringList{QStringLiteral("确定要导出数据吗?"),
                                    QStringLiteral("导出失败！\n无法写入文件：%1（文件夹不存在）").arg(text->text())}));

    child<QPushButton>(dialog, "Command2_1")->click();
    EXPECT_EQ(main.panels, (QStringList{QStringLiteral("1数据库导出..."), QStringLiteral("1待命...")}));
    EXPECT_TRUE(main.keys.isEmpty());
}

TEST_F(XmlDialogsTest, TheWorkingDatabaseAndTheTemplateAreNeverTheXmlFile)
{
    const auto bytes = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray database = bytes(path(QStringLiteral("djk.mdb")));
    const QByteArray templ = bytes(path(QStringLiteral("djk.sys")));
    ASSERT_FALSE(database.isEmpty());
    DataXmlExport dialog;
    dialog.show();
    auto* text = child<QLineEdit>(dialog, "Text1");
    child<QListWidget>(dialog, "List1_0")->item(0)->setSelected(true);
    child<QPushButton>(dialog, "Command1_0")->click();
    for (const QString& target : {path(QStringLiteral("djk.mdb")), path(QStringLiteral("gone/../djk.sys"))}) {
        text->setText(target);
        Prompt::clear();
        Prompt::setNextAnswer(Prompt::Answer::Yes);
        child<QPushButton>(dialog, "Command2_0")->click();
        EXPECT_EQ(Prompt::shownTexts(),
                  QStringList{QStringLiteral("不能导出到当前数据库文件或模板文件，请重新指定导出文件！")});
        EXPECT_EQ(Prompt::shown().constLast().title, QStringLiteral("提示"));
    }
    EXPECT_EQ(bytes(path(QStringLiteral("djk.mdb"))), database);
    EXPECT_EQ(bytes(path(QStringLiteral("djk.sys"))), templ);
}

TEST_F(XmlDialogsTest, ImportsAFileOnceAndRefusesItTheSecondTime)
{
    QString file = path(QStringLiteral("odd.xml"));
    {
        tabxfer::ExportArguments args = XmlCallArguments::forExport(file, kOdd);
        ASSERT_TRUE(tabxfer::exporttoxml(args).ok());
    }
    const QStringList before = dump(db(), kOdd);

    xmlimport dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("导入XML数据"));
    auto* text = child<QLineEdit>(dialog, "Text1");
    auto* browse = child<QPushButton>(dialog, "Command4");
    auto* importButton = child<QPushButton>(dialog, "Command2_0");

    FileDialog::setNextFileName(path(QStringLiteral("missing.xml")));
    browse->click();
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("文件不存在,请重新选择！"));
    EXPECT_EQ(text->text(), QString());
    FileDialog::setNextFileName(file);
    browse->click();
    EXPECT_EQ(text->text(), file);

    // A valid file that is refused says why, without calling the file damaged.
    Prompt::clear();
    importButton->click();
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().first().text,
              QStringLiteral("导入失败！\n登记号【4110101082999】在数据库中已经存在。"));
    EXPECT_EQ(Prompt::shown().first().title, QStringLiteral("提示"));
    EXPECT_EQ(Prompt::shown().first().icon, Prompt::Icon::None);

    const QString broken = path(QStringLiteral("broken.xml"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<exchange");
    }
    text->setText(broken);
    Prompt::clear();
    importButton->click();
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(
        Prompt::lastText().startsWith(QStringLiteral("导入失败，XML文件不合法或已损坏，请重新选择！ \n第")))
        << Prompt::lastText().toStdString();
    text->setText(file);

    deleteRegistration(kOdd);
    Prompt::clear();
    importButton->click();
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(dump(db(), kOdd), before);

    child<QPushButton>(dialog, "Command2_1")->click();
    EXPECT_EQ(main.panels, (QStringList{QStringLiteral("1XML数据追加导入..."), QStringLiteral("1待命...")}));
    EXPECT_TRUE(main.keys.isEmpty());
}

TEST(XmlTargets, RegisterBothDialogs)
{
    CommandTargets targets;
    exchange::registerTargets(targets);
    EXPECT_TRUE(targets.hasWindow(WindowNames::DataXmlExport));
    EXPECT_TRUE(targets.hasWindow(WindowNames::XmlImport));
}

} // namespace
