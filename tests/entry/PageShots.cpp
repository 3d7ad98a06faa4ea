#include "support/FakeMainWindow.h"
#include "support/ProgramFolder.h"

#include "entry/FieldBox.h"
#include "entry/KnPage.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

// Renders the window and its four pages to PNG files, for looking at the form.
// Runs only when ORVANE_PAGE_SHOTS names the folder to write into:
//
//     ORVANE_PAGE_SHOTS=/tmp/shots entry_window_test --gtest_filter='PageShots.*'
namespace {

class PageShots : public ProgramFolder
{
};

TEST_F(PageShots, RenderPages)
{
    const QString folder = qEnvironmentVariable("ORVANE_PAGE_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "ORVANE_PAGE_SHOTS is not set";
    QDir().mkpath(folder);

    FakeMainWindow host;
    QMdiArea area;
    area.resize(1280, 900);
    area.show();
    host.area = &area;
    host.height = 14000;
    host.install();

    auto* w = new NewTab(nullptr);
    QMdiSubWindow* sub = area.addSubWindow(w);
    w->show();
    sub->show();
    QApplication::processEvents();

    for (int page = 0; page < 4; ++page) {
        controlsOf(w).KNPIC(page)->grab().save(
            QDir(folder).filePath(QStringLiteral("page%1-empty.png").arg(page)));
    }

    // A filled registration.
    controlsOf(w).Kn1Data(0)->setText(QStringLiteral("4110108082001"));
    controlsOf(w).Kn2Data(0)->setText(QStringLiteral("郑州市城市轨道交通有限公司"));
    controlsOf(w).Kn2Data(1)->setText(QStringLiteral("410108"));
    controlsOf(w).Kn1Data(6)->setText(QStringLiteral("河南省地质矿产勘查开发局第一地质勘查院"));
    controlsOf(w).Kn1Data(1)->setText(QStringLiteral("王  明"));
    controlsOf(w).Kn1Data(2)->setText(QStringLiteral("李建国"));
    controlsOf(w).Kn1Data(3)->setText(QStringLiteral("2008"));
    controlsOf(w).Kn1Data(4)->setText(QStringLiteral("11"));
    controlsOf(w).Kn1Data(5)->setText(QStringLiteral("3"));
    controlsOf(w).Kn2Data(3)->setText(QStringLiteral("郑州市金水区农业路18号"));
    controlsOf(w).Kn2Data(4)->setText(QStringLiteral("450008"));
    controlsOf(w).Kn2Data(5)->setText(QStringLiteral("0371"));
    controlsOf(w).Kn2Data(6)->setText(QStringLiteral("65551234"));
    controlsOf(w).Kn2Data(8)->setText(QStringLiteral("郑州至西安高速铁路郑州段工程"));
    controlsOf(w).Combo5()->addItems({QString(), QStringLiteral("铁路")});
    controlsOf(w).Combo5()->setCurrentIndex(1);
    controlsOf(w).Kn2Data(15)->setText(QStringLiteral("荥阳市贾峪铝土矿区"));
    controlsOf(w).Kn2Data(16)->setText(QStringLiteral("410182001"));
    controlsOf(w).Check11(0)->setChecked(true);
    controlsOf(w).Check12(0)->setChecked(true);
    controlsOf(w).Kn2Data(26)->setText(QStringLiteral("荥阳市贾峪铝土矿"));
    controlsOf(w).Kn2Data(27)->setText(QStringLiteral("4100000620001"));
    controlsOf(w).Kn3Data(0)->setText(QStringLiteral("河南省荥阳市贾峪铝土矿区压覆矿产资源储量核实报告"));
    controlsOf(w).Kn3Data(2)->setText(QStringLiteral("2008"));
    controlsOf(w).Kn3Data(3)->setText(QStringLiteral("9"));
    controlsOf(w).Kn3Data(4)->setText(QStringLiteral("20"));
    controlsOf(w).Kn6Data(0)->setText(QStringLiteral("1.254"));
    controlsOf(w).Kn6Data(1)->setText(QStringLiteral("-120"));
    controlsOf(w).Kn6Data(2)->setText(QStringLiteral("350"));
    controlsOf(w).Kn1Data(7)->setText(QStringLiteral("经核实，压覆范围及资源储量估算基本正确。"));
    controlsOf(w).Kn1Data(10)->setText(QStringLiteral("2008"));
    controlsOf(w).Kn2Data(35)->setText(QStringLiteral("2008"));
    controlsOf(w).Kn2Data(36)->setText(QStringLiteral("6"));
    controlsOf(w).Kn2Data(37)->setText(QStringLiteral("30"));
    w->Init_Flex(0,
                 QStringLiteral("6\r\n1,113.2000,34.4500,\r\n2,113.2400,34.4500,\r\n3,113.2400,34.4300,\r\n"
                                "4,113.2200,34.4200,\r\n5,113.2000,34.4300,\r\n*,350,-120,K1,1\r\n"));
    w->Init_Flex(1,
                 QStringLiteral("5\r\n1,113.2100,34.4420,\r\n2,113.2300,34.4420,\r\n3,113.2300,34.4320,\r\n"
                                "4,113.2100,34.4320,\r\n*,300,-100,K1,1\r\n"));
    QApplication::processEvents();

    for (int page = 0; page < 4; ++page) {
        controlsOf(w).Tab1()->setCurrentIndex(page);
        QApplication::processEvents();
        controlsOf(w).KNPIC(page)->grab().save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(page)));
    }
    controlsOf(w).Tab1()->setCurrentIndex(0);
    QApplication::processEvents();
    area.grab().save(QDir(folder).filePath(QStringLiteral("window.png")));

    delete sub;
    installMainWindowServices(nullptr);
}

} // namespace
