#include "EntryWindowHost.h"
#include "support/ProgramFolder.h"

#include "entry/AreaFlex.h"
#include "entry/FieldBox.h"
#include "entry/KnPage.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "entry/Wheel.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "registration/form/FieldRegistry.h"
#include "registration/form/FormFonts.h"
#include "registration/form/FormLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

#include <cmath>

namespace {

using Array = FormControl::Array;

const QString Question = QStringLiteral("[压覆矿产资源储量登记书]已经发生改变,保存吗?");

int twipsX(int px)
{
    return int(std::lround(Twips::fromPixelsX(px)));
}

class NewTabTest : public ProgramFolder, protected EntryWindowHost
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_host.enabled[QStringLiteral("NEW")] = true;
        showArea(QSize(1100, 800));
    }
    void TearDown() override
    {
        closeArea();
        ProgramFolder::TearDown();
    }

    NewTab* open() { return EntryWindowHost::open(true); }
    QMdiSubWindow* sub() const { return qobject_cast<QMdiSubWindow*>(m_window->parentWidget()); }

    // Closes the window; true when it went.
    bool close()
    {
        QPointer<QMdiSubWindow> s = sub();
        s->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return s.isNull();
    }

    void sendWheel(QWidget* target, QPoint local, QPoint angle)
    {
        const QPoint global = target->mapToGlobal(local);
        QWheelEvent e(local, global, QPoint(), angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    }

};

TEST_F(NewTabTest, OpensOnTheCoverAtTheTopLeft)
{
    NewTab* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("压覆矿产资源储量登记书"));
    EXPECT_EQ(sub()->pos(), QPoint(0, 0));
    EXPECT_EQ(sub()->width(), Twips::toPixelsX(11170));
    EXPECT_EQ(sub()->height(), Twips::toPixelsY(10800 - 3.5 * 300 - 600));
    EXPECT_EQ(w->Cur_Page(), 0);
    EXPECT_EQ(controlsOf(w).Tab1()->currentIndex(), 0);
    EXPECT_EQ(controlsOf(w).Tab1()->count(), 4);
    EXPECT_EQ(controlsOf(w).Tab1()->tabText(0), QStringLiteral("封 页"));
    EXPECT_EQ(controlsOf(w).Tab1()->tabText(3), QStringLiteral("审 核"));
    EXPECT_TRUE(controlsOf(w).KNPIC(0)->isVisible());
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(controlsOf(w).KNPIC(i)->isVisible());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w->pagePosition(i), QPoint(100, 100));
    EXPECT_EQ(controlsOf(w).cobNavigate()->currentText(), QStringLiteral("登记号"));
    EXPECT_EQ(controlsOf(w).cobNavigate()->count(), 4);
    EXPECT_EQ(controlsOf(w).cobNavigate()->itemText(3), QStringLiteral("行政区-->登记号"));
    EXPECT_EQ(controlsOf(w).Command6()->text(), QStringLiteral("条 件 查 询"));
    // The project categories come from the code table.
    EXPECT_GT(controlsOf(w).Combo5()->count(), 1);
    EXPECT_EQ(controlsOf(w).Combo5()->itemText(0), QString());
    EXPECT_EQ(w->Tag(), QStringLiteral("(362,3160)-(7843,8036)"));
    EXPECT_FALSE(w->Tab_Switching());
    EXPECT_FALSE(w->Split_Dragging());

    EXPECT_TRUE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 1);
    EXPECT_FALSE(m_state.Is_Loading);
    EXPECT_TRUE(m_host.enabled.value(QStringLiteral("PRINT")));
    EXPECT_TRUE(m_host.menu.value(6));
    // Activation presses "NEW", disables the menu item that opens the window and
    // sets the toolbar from the registration list.
    EXPECT_TRUE(m_host.pressed.value(QStringLiteral("NEW")));
    EXPECT_FALSE(m_host.menu.value(0));
    EXPECT_GE(m_host.toolbarStates, 1);
    EXPECT_TRUE(Wheel::isHooked(w));
}

TEST_F(NewTabTest, BoxesCarryTheirColumnsAndMaximumLengths)
{
    NewTab* w = open();
    int count = 0;
    for (const Array a : FieldRegistry::arrays()) {
        ASSERT_EQ(controlsOf(w).boxes(a).size(), FieldRegistry::count(a));
        for (int i = 0; i < FieldRegistry::count(a); ++i) {
            FieldBox* b = controlsOf(w).box(a, i);
            ASSERT_NE(b, nullptr);
            const FormControl* c = FieldRegistry::control(a, i);
            EXPECT_EQ(b->toolTip(), c->column);
            EXPECT_EQ(b->column(), c->column);
            EXPECT_EQ(b->maxLength(), c->maxLength);
            EXPECT_EQ(b->isMultiLine(), c->multiLine);
            EXPECT_EQ(b->parentWidget() == controlsOf(w).KNPIC(c->page),
                      c->container == FormLayout::PageContainer);
            ++count;
        }
    }
    EXPECT_EQ(count, 88);
    EXPECT_TRUE(controlsOf(w).Kn2Data(19)->isHidden());
    EXPECT_TRUE(controlsOf(w).Kn2Data(20)->isHidden());
    EXPECT_EQ(controlsOf(w).fieldBoxes(QStringLiteral("压覆"), QStringLiteral("电话号码")),
              (QList<FieldBox*>{controlsOf(w).Kn2Data(5), controlsOf(w).Kn2Data(6)}));
    EXPECT_EQ(
        controlsOf(w).fieldBoxes(QStringLiteral("报告"), QStringLiteral("评审日期")),
        (QList<FieldBox*>{controlsOf(w).Kn3Data(7), controlsOf(w).Kn3Data(8), controlsOf(w).Kn3Data(9)}));

    EXPECT_EQ(controlsOf(w).Combo5()->toolTip(), QStringLiteral("建设项目类别"));
    EXPECT_EQ(controlsOf(w).Check11(0)->text(), QStringLiteral("部分压覆"));
    EXPECT_EQ(controlsOf(w).Check11(1)->text(), QStringLiteral("全部压覆"));
    EXPECT_EQ(controlsOf(w).Check12(0)->text(), QStringLiteral("未利用"));
    EXPECT_EQ(controlsOf(w).Check12(1)->text(), QStringLiteral("已利用"));
    EXPECT_EQ(controlsOf(w).Check11(0)->parentWidget(), controlsOf(w).Frame2());
    EXPECT_EQ(controlsOf(w).Check1(1)->text(), QStringLiteral("经纬度坐标"));
    EXPECT_EQ(controlsOf(w).Command7()->text(), QStringLiteral("..."));
    EXPECT_EQ(controlsOf(w).Command2()->text(), QStringLiteral("编辑"));
    EXPECT_TRUE(controlsOf(w).TreeView2()->isHidden());
    EXPECT_TRUE(controlsOf(w).txtEdit(0)->isHidden());
    EXPECT_EQ(controlsOf(w).Area_Flex(1)->parentWidget(), controlsOf(w).KNPIC(2));
    EXPECT_EQ(controlsOf(w).THFLEX()->parentWidget(), controlsOf(w).KNPIC(3));
    EXPECT_EQ(controlsOf(w).control(QStringLiteral("Kn3Data"), 11), controlsOf(w).Kn3Data(11));
    EXPECT_EQ(controlsOf(w).control(QStringLiteral("KnLAB"), 0), nullptr); // captions are painted by the page

    // Widgets stand where the layout puts them.
    const FormControl* c = FieldRegistry::control(Array::Kn2Data, 27);
    EXPECT_EQ(controlsOf(w).Kn2Data(27)->geometry(), Twips::toPixels(c->left, c->top, c->width, c->height));
}

// 宋体 at the form's 9 pt: both scripts come from the one face, and the Chinese
// keeps the thin horizontal strokes that tell it from a sans face (snapped to whole
// pixels, "三" turns into three solid black bars).
TEST_F(NewTabTest, BoxesDrawBothScriptsInTheSongFace)
{
    NewTab* w = open();
    FieldBox* box = nullptr;
    for (FieldBox* b : controlsOf(w).boxes(Array::Kn2Data))
        if (!box && !b->isMultiLine() && b->editor()->font().pointSizeF() == 9.0) box = b;
    ASSERT_NE(box, nullptr);

    QTextLayout layout(QStringLiteral("河北省ABC123矿区"), box->editor()->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        EXPECT_EQ(run.rawFont().familyName(), FormFonts::SongTi);

    box->setText(QStringLiteral("三三三三"));
    box->editor()->clearFocus(); // no text cursor in the picture
    const QImage shot = box->editor()->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    int darkest = 255;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    EXPECT_LT(darkest, 200) << "no text drawn";
    EXPECT_GT(darkest, 16) << "the horizontal strokes are drawn as solid bars";
}

TEST_F(NewTabTest, MaximumLengthBindsTextSetByCodeAndTyped)
{
    NewTab* w = open();
    NAVIGATE::Enable_Edit(*w, 2); // a registration chosen, as "..." does
    controlsOf(w).Kn1Data(0)->setText(QStringLiteral("41101082010012345"));
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), QStringLiteral("4110108201001"));

    const QString longText(150, QChar(u'压'));
    controlsOf(w).Kn1Data(7)->setText(longText);
    EXPECT_EQ(controlsOf(w).Kn1Data(7)->text(), QString(100, QChar(u'压')));

    // Typing into a full multi-line box adds nothing; the text is kept as it was.
    QPlainTextEdit* edit = controlsOf(w).Kn1Data(7)->plainTextEdit();
    ASSERT_NE(edit, nullptr);
    controlsOf(w).Tab1()->setCurrentIndex(3);
    edit->setFocus();
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    edit->setTextCursor(cursor);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    EXPECT_EQ(controlsOf(w).Kn1Data(7)->text(), QString(100, QChar(u'压')));

    controlsOf(w).Kn1Data(7)->setText(QString(98, QChar(u'压')));
    cursor.setPosition(0);
    edit->setTextCursor(cursor);
    QSignalSpy changed(controlsOf(w).Kn1Data(7), &FieldBox::textChanged);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    EXPECT_EQ(controlsOf(w).Kn1Data(7)->text(), QStringLiteral("ab") + QString(98, QChar(u'压')));
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(NewTabTest, NeverSmallerThanItsLimits)
{
    open();
    sub()->resize(200, 150);
    QApplication::processEvents();
    EXPECT_GE(sub()->width(), Twips::toPixelsX(8600));
    EXPECT_GE(sub()->height(), Twips::toPixelsY(6000));
}

TEST_F(NewTabTest, SplitterClampsThePanel)
{
    NewTab* w = open();
    const int outer = twipsX(sub()->width());

    // A release without a drag does nothing.
    w->TEMPPIC_MouseUp(3000);
    EXPECT_EQ(w->panelWidth(), 1965);

    w->TEMPPIC_MouseDown();
    EXPECT_TRUE(w->Split_Dragging());
    w->TEMPPIC_MouseMove(-1000);
    EXPECT_EQ(controlsOf(w).TEMPPIC()->x(), Twips::toPixelsX(150 + 1965 - 1000));
    w->TEMPPIC_MouseMove(-2000);
    w->TEMPPIC_MouseUp(0);
    EXPECT_FALSE(w->Split_Dragging());
    EXPECT_EQ(w->panelWidth(), 1500);
    EXPECT_EQ(controlsOf(w).Pic3()->width(), Twips::toPixelsX(150 + 1500) - Twips::toPixelsX(150));

    w->TEMPPIC_MouseDown();
    w->TEMPPIC_MouseMove(30000);
    w->TEMPPIC_MouseUp(10);
    EXPECT_EQ(w->panelWidth(), outer - 5000);

    // By the mouse: press on the bar, move 600 twips to the left, release there.
    w->TEMPPIC_MouseDown();
    w->TEMPPIC_MouseUp(-(outer - 5000 - 3000)); // back to 3000
    ASSERT_EQ(w->panelWidth(), 3000);
    QWidget* bar = controlsOf(w).TEMPPIC();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(2, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(-Twips::toPixelsX(600), 10),
                     bar->mapToGlobal(QPointF(-40, 10)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(0, 10));
    EXPECT_NEAR(w->panelWidth(), 2400, 30);
    EXPECT_EQ(controlsOf(w).Pic1()->x(), controlsOf(w).TEMPPIC()->x() + controlsOf(w).TEMPPIC()->width());
}

TEST_F(NewTabTest, EachPageKeepsItsScrollPosition)
{
    NewTab* w = open();
    QScrollBar* v = controlsOf(w).VScroll1();
    QScrollBar* h = controlsOf(w).HScroll1();
    ASSERT_TRUE(v->isVisible());
    ASSERT_GT(v->maximum(), 900);

    v->setValue(900);
    EXPECT_EQ(w->pagePosition(0), QPoint(100, -800));
    EXPECT_EQ(controlsOf(w).KNPIC(0)->y(), Twips::toPixelsY(-800));
    if (h->isVisible() && h->maximum() >= 150) h->setValue(150);
    const QPoint cover = w->pagePosition(0);

    controlsOf(w).Tab1()->setCurrentIndex(1);
    EXPECT_EQ(w->Cur_Page(), 1);
    EXPECT_TRUE(controlsOf(w).KNPIC(1)->isVisible());
    EXPECT_FALSE(controlsOf(w).KNPIC(0)->isVisible());
    EXPECT_EQ(v->value(), 0);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(w->pagePosition(1), QPoint(100, 100));
    v->setValue(300);
    EXPECT_EQ(w->pagePosition(1), QPoint(100, -200));
    // Switching pages moves no page.
    EXPECT_EQ(w->pagePosition(0), cover);

    controlsOf(w).Tab1()->setCurrentIndex(0);
    EXPECT_EQ(v->value(), 900);
    EXPECT_EQ(h->value(), 100 - cover.x());
    EXPECT_EQ(w->pagePosition(0), cover);
    EXPECT_EQ(w->pagePosition(1), QPoint(100, -200));

    controlsOf(w).Tab1()->setCurrentIndex(1);
    EXPECT_EQ(v->value(), 300);
    EXPECT_EQ(w->Cur_Page(), 1);
}

TEST_F(NewTabTest, WheelScrollsOnlyOverTheViewport)
{
    NewTab* w = open();
    QScrollBar* v = controlsOf(w).VScroll1();
    ASSERT_GT(v->maximum(), 1000);
    QWidget* pic1 = controlsOf(w).Pic1();
    const QPoint middle(pic1->width() / 2, pic1->height() / 2);

    sendWheel(pic1, middle, QPoint(0, -120));
    EXPECT_EQ(v->value(), 300);
    EXPECT_EQ(w->pagePosition(0).y(), -200);
    sendWheel(controlsOf(w).KNPIC(0), controlsOf(w).KNPIC(0)->mapFrom(pic1, middle), QPoint(0, -120));
    EXPECT_EQ(v->value(), 600);
    sendWheel(pic1, middle, QPoint(0, 120));
    EXPECT_EQ(v->value(), 300);
    sendWheel(pic1, middle, QPoint(0, 120));
    sendWheel(pic1, middle, QPoint(0, 120));
    EXPECT_EQ(v->value(), 0);

    // A turn of no size scrolls down; over the trees or on the edge nothing moves.
    sendWheel(pic1, middle, QPoint(0, 0));
    EXPECT_EQ(v->value(), 300);
    sendWheel(controlsOf(w).TvmDataList()->viewport(), QPoint(5, 5), QPoint(0, -120));
    EXPECT_EQ(v->value(), 300);
    // The list scrolls itself under the wheel.
    NavigateTree* list = controlsOf(w).TvmDataList();
    for (int i = 0; i < 300; ++i)
        list->insertRoot(i, QString::number(i), QString::number(i));
    QApplication::processEvents();
    ASSERT_GT(list->verticalScrollBar()->maximum(), 0);
    sendWheel(list->viewport(), QPoint(5, 5), QPoint(0, -120));
    EXPECT_GT(list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(v->value(), 300);
    sendWheel(pic1, QPoint(0, middle.y()), QPoint(0, -120));
    EXPECT_EQ(v->value(), 300);

    for (int i = 0; i < 40; ++i)
        sendWheel(pic1, middle, QPoint(0, -120));
    EXPECT_EQ(v->value(), v->maximum());

    // Closing gives the wheel back.
    m_window->close();
    QApplication::processEvents();
    EXPECT_FALSE(Wheel::isHooked(m_window));
}

TEST_F(NewTabTest, OnlyTheCoordinatePagePaintsTheMap)
{
    NewTab* w = open();
    QSignalSpy drawn(w, &NewTab::areaMapDrawn);
    for (int page : {0, 1, 3}) {
        controlsOf(w).Tab1()->setCurrentIndex(page);
        w->KnPic_Paint(page);
        controlsOf(w).KNPIC(page)->repaint();
    }
    EXPECT_EQ(drawn.count(), 0);
    controlsOf(w).Tab1()->setCurrentIndex(2);
    EXPECT_TRUE(controlsOf(w).KNPIC(2)->isVisible());
    controlsOf(w).KNPIC(2)->repaint();
    EXPECT_GE(drawn.count(), 1);
    const int before = int(drawn.count());
    w->KnPic_Paint(2);
    QApplication::processEvents();
    controlsOf(w).KNPIC(2)->repaint();
    EXPECT_GT(drawn.count(), before);
}

TEST_F(NewTabTest, TickPairsWriteTheirFields)
{
    NewTab* w = open();
    NAVIGATE::Enable_Edit(*w, 2); // a registration chosen, as "..." does
    controlsOf(w).Check11(1)->setChecked(true);
    EXPECT_EQ(controlsOf(w).Kn2Data(19)->text(), QStringLiteral("全部压覆"));
    controlsOf(w).Check11(0)->setChecked(true);
    EXPECT_FALSE(controlsOf(w).Check11(1)->isChecked());
    EXPECT_EQ(controlsOf(w).Kn2Data(19)->text(), QStringLiteral("部分压覆"));
    controlsOf(w).Check11(0)->setChecked(false);
    EXPECT_EQ(controlsOf(w).Kn2Data(19)->text(), QString());

    // By the mouse, on the first page.
    controlsOf(w).Tab1()->setCurrentIndex(1);
    QTest::mouseClick(controlsOf(w).Check12(0), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, controlsOf(w).Check12(0)->height() / 2));
    EXPECT_TRUE(controlsOf(w).Check12(0)->isChecked());
    EXPECT_EQ(controlsOf(w).Kn2Data(20)->text(), QStringLiteral("未利用"));
    QTest::mouseClick(controlsOf(w).Check12(1), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, controlsOf(w).Check12(1)->height() / 2));
    EXPECT_FALSE(controlsOf(w).Check12(0)->isChecked());
    EXPECT_EQ(controlsOf(w).Kn2Data(20)->text(), QStringLiteral("已利用"));
    QTest::mouseClick(controlsOf(w).Check12(1), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, controlsOf(w).Check12(1)->height() / 2));
    EXPECT_EQ(controlsOf(w).Kn2Data(20)->text(), QString());
}

TEST_F(NewTabTest, ClearingEmptiesEverything)
{
    NewTab* w = open();
    for (const Array a : FieldRegistry::arrays()) {
        for (FieldBox* b : controlsOf(w).boxes(a))
            b->setText(QStringLiteral("12"));
    }
    controlsOf(w).Check11(0)->setChecked(true);
    controlsOf(w).Check12(1)->setChecked(true);
    controlsOf(w).Check1(0)->setChecked(true);
    controlsOf(w).Combo5()->setCurrentIndex(2);
    controlsOf(w).TBFLEX()->setRowCount(3);
    m_state.Area_Coord_Str = QStringLiteral("2\r\n1,116.1000,40.1000,\r\n2,116.2000,40.1000,\r\n");
    w->Init_Flex(0, m_state.Area_Coord_Str);
    ASSERT_EQ(controlsOf(w).Area_Flex(0)->grid().Rows(), 4);

    bool loadingSeen = false;
    QObject::connect(controlsOf(w).Kn6Data(5), &FieldBox::textChanged,
                     [&] { loadingSeen = m_state.Is_Loading; });
    m_state.Is_Loading = true;
    w->clear_data();

    EXPECT_TRUE(loadingSeen);
    EXPECT_FALSE(m_state.Is_Loading);
    for (const Array a : FieldRegistry::arrays()) {
        for (FieldBox* b : controlsOf(w).boxes(a))
            EXPECT_TRUE(b->text().isEmpty());
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(controlsOf(w).Check11(i)->isChecked());
        EXPECT_FALSE(controlsOf(w).Check12(i)->isChecked());
    }
    EXPECT_TRUE(controlsOf(w).Check1(0)->isChecked()); // the coordinate kind stays
    EXPECT_EQ(controlsOf(w).Combo5()->currentIndex(), -1);
    EXPECT_EQ(controlsOf(w).TBFLEX()->rowCount(), 0);
    EXPECT_EQ(controlsOf(w).Area_Flex(0)->grid().Rows(), 2);
    EXPECT_EQ(controlsOf(w).Area_Flex(0)->grid().TextMatrix(0, 2), QStringLiteral("经度(起标高)"));
    EXPECT_EQ(controlsOf(w).Area_Flex(1)->grid().TextMatrix(0, 2), QStringLiteral("X(起标高)"));
    EXPECT_TRUE(m_state.Area_Coord_Str.isEmpty());

    // Again on an empty window: still empty.
    w->clear_data();
    EXPECT_TRUE(controlsOf(w).Kn1Data(0)->text().isEmpty());
    EXPECT_FALSE(m_state.Is_Loading);
}

TEST_F(NewTabTest, ReserveTableGrids)
{
    NewTab* w = open();
    QTableWidget* th = controlsOf(w).THFLEX();
    QTableWidget* tb = controlsOf(w).TBFLEX();
    EXPECT_EQ(th->rowCount(), 2);
    EXPECT_EQ(th->columnCount(), 10);
    EXPECT_EQ(tb->rowCount(), 0);
    EXPECT_EQ(tb->columnCount(), 10);
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(tb->columnWidth(c), th->columnWidth(c)) << c;
    EXPECT_EQ(th->item(0, 0)->text(), QStringLiteral("矿产\n名称"));
    EXPECT_EQ(th->item(0, 4)->text(), QStringLiteral("储   量"));
    EXPECT_EQ(th->item(1, 9)->text(), QStringLiteral("数量"));
    EXPECT_EQ(th->columnSpan(0, 4), 2);
    EXPECT_EQ(th->columnSpan(0, 6), 2);
    EXPECT_EQ(th->columnSpan(0, 8), 2);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(th->rowSpan(0, c), 2);
    EXPECT_EQ(th->columnSpan(1, 4), 1);
    EXPECT_EQ(th->font().family(), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_EQ(th->font().pointSizeF(), 9.0);
    EXPECT_FALSE(th->font().bold());
    EXPECT_EQ(tb->font().family(), QStringLiteral("Noto Serif CJK SC"));

    const FormControl* shape = FormLayout::find(QStringLiteral("Shape1"), 0);
    const FormControl* header = FormLayout::find(QStringLiteral("THFLEX"));
    EXPECT_EQ(th->x(), Twips::toPixelsX(shape->left));
    EXPECT_EQ(tb->x(), th->x());
    EXPECT_EQ(th->y(), Twips::toPixelsY(header->top));
    EXPECT_EQ(tb->y(), Twips::toPixelsY(header->top + 794 - 20));
    EXPECT_EQ(tb->height(),
              Twips::toPixels(shape->left, header->top + 794 - 20, 7768, 1440.0 / 25.4 * 70).height());

    tb->setRowCount(4);
    w->Init_Table_Grids();
    EXPECT_EQ(tb->rowCount(), 0);
    EXPECT_EQ(th->rowCount(), 2);
}

// The number of separate bands of ink, top to bottom, in a picture of a cell.
int inkBands(const QImage& image)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    return bands;
}

TEST_F(NewTabTest, ReserveCellsShowEveryLineOfTheirText)
{
    NewTab* w = open();
    QTableWidget* tb = controlsOf(w).TBFLEX();
    tb->setRowCount(1);
    tb->setItem(0, 9, new QTableWidgetItem(QStringLiteral("670.19\n\u2500\u2500\n1311.91")));
    tb->setRowHeight(0, 120);
    const QRect cell = tb->visualRect(tb->model()->index(0, 9)).adjusted(2, 2, -2, -2);
    const QImage shot = tb->viewport()->grab(cell).toImage();
    // The amount, the rule and the ore amount each stand on a line of their own.
    EXPECT_EQ(inkBands(shot), 3);
}

TEST_F(NewTabTest, ClosingWithoutEditsAsksNothing)
{
    NewTab* w = open();
    m_state.Nav_Changed = true;
    m_host.panels[3] = QStringLiteral("共有3个项目");
    Q_UNUSED(w);
    ASSERT_TRUE(close());
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_FALSE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 0);
    EXPECT_FALSE(m_state.Nav_Changed);
    EXPECT_FALSE(m_host.pressed.value(QStringLiteral("NEW")));
    EXPECT_TRUE(m_host.menu.value(0));
    EXPECT_EQ(m_host.panels.value(1), QStringLiteral("待命..."));
    EXPECT_EQ(m_host.panels.value(3), QString());
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("SAVE")));
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("PRINT")));
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("DEL")));
    EXPECT_FALSE(m_host.menu.value(6));
    EXPECT_GE(m_host.syncs, 1);
    EXPECT_EQ(m_host.saves, 0);
}

TEST_F(NewTabTest, ClosingWithEditsAsksAndNoCloses)
{
    open();
    m_host.enabled[QStringLiteral("SAVE")] = true;
    m_host.enabled[QStringLiteral("DEL")] = true;
    Prompt::setNextAnswer(Prompt::Answer::No);
    ASSERT_TRUE(close());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown()[0].text, Question);
    EXPECT_EQ(Prompt::shown()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(Prompt::shown()[0].buttons, Prompt::Buttons::YesNo);
    EXPECT_EQ(m_host.saves, 0);
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("SAVE")));
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("PRINT")));
    EXPECT_FALSE(m_host.enabled.value(QStringLiteral("DEL")));
    EXPECT_FALSE(m_state.Form_Opened[1]);
}

TEST_F(NewTabTest, ClosingStaysOpenWhenTheCheckRefuses)
{
    NewTab* w = open();
    controlsOf(w).Kn1Data(1)->setText(QStringLiteral("张三"));
    m_host.enabled[QStringLiteral("SAVE")] = true;
    m_state.Nav_Changed = true;
    m_host.onSave = [&] { m_state.Check_Failed = true; };
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(close());
    EXPECT_EQ(m_host.saves, 1);
    ASSERT_FALSE(m_window.isNull());
    EXPECT_EQ(controlsOf(w).Kn1Data(1)->text(), QStringLiteral("张三"));
    EXPECT_TRUE(m_state.Nav_Changed);
    EXPECT_TRUE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 1);
    EXPECT_TRUE(m_host.enabled.value(QStringLiteral("SAVE")));
}

TEST_F(NewTabTest, ClosingStaysOpenWhenTheSaveFails)
{
    NewTab* w = open();
    controlsOf(w).Kn2Data(8)->setText(QStringLiteral("某某铁路"));
    m_host.enabled[QStringLiteral("SAVE")] = true;
    // The checks pass but the save does not go through: Save stays enabled.
    m_host.onSave = [&] { m_state.Check_Failed = false; };
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(close());
    ASSERT_FALSE(m_window.isNull());
    EXPECT_EQ(controlsOf(w).Kn2Data(8)->text(), QStringLiteral("某某铁路"));
    EXPECT_TRUE(m_state.Form_Opened[1]);

    // A save that goes through lets the window close.
    m_host.onSave = [&] { m_host.enabled[QStringLiteral("SAVE")] = false; };
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_TRUE(close());
    EXPECT_EQ(m_host.saves, 2);
    EXPECT_FALSE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 0);
}

TEST_F(NewTabTest, FlagsFollowTheWindowAmongOtherChildWindows)
{
    open();
    m_area->addSubWindow(new QWidget)->show();
    m_area->addSubWindow(new QWidget)->show();
    ASSERT_EQ(m_area->subWindowList().size(), 3);
    ASSERT_TRUE(close());
    EXPECT_FALSE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 0);
    // Opened again: a new window, the flags set again.
    open();
    EXPECT_TRUE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 1);
}

} // namespace
