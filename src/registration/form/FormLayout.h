#pragma once

#include "registration/form/FormControl.h"

#include <QList>
#include <QRect>
#include <QString>

// The layout of the registration form: every control of the four pages of the
// entry window (the page pictures KNPIC 0 to 3) and of the continuation-sheet
// template, with its geometry in twips, caption, font, alignment, print options and
// bound column. The entry window builds its pages from this table and the page
// printer walks the same table; nothing else holds positions.
//
// Controls are listed page by page (cover, first page, coordinates, review, then
// the template) and, within a page, in the order the clerk moves through them.
class FormLayout
{
public:
    static constexpr int PageCount = 4;
    static constexpr int PageWidth = 8250;
    static constexpr int PageHeight = 9000;

    // Page containers.
    static inline const QString PageContainer = QStringLiteral("KNPIC");
    static inline const QString FrameContainer = QStringLiteral("Frame2");
    static inline const QString TemplateContainer = QStringLiteral("TEMPPIC");

    static const QList<FormControl>& controls();

    // The controls drawn with page `page`: those placed on KNPIC(page) and, for the
    // page that holds Frame2, the controls of the frame (their geometry is relative
    // to the frame).
    static QList<const FormControl*> pageControls(int page);
    // The continuation-sheet template (ComShape, ComLine, ComLAB 0 to 2).
    static QList<const FormControl*> templateControls();

    // The control `name` (element `index` of an array); nullptr when there is none.
    static const FormControl* find(const QString& name, int index = -1);
    // The elements of an array, by index.
    static QList<const FormControl*> array(const QString& name);
    // Number of elements of an array.
    static int count(const QString& name);

    // The sketch-map rectangle of the coordinate page in page twips, and the same as
    // the text "(left,top)-(right,bottom)" that the map routine reads.
    static QRect mapRect();
    static QString mapRectText();
};
