#pragma once

#include <QWidget>

#include <functional>

class QPainter;
struct FormControl;

// One page picture of the entry window (KNPIC 0 to 3): a sheet of the registration
// form. The page paints what carries no data, straight from the form layout (the
// rulings, the captions and the bottom lines of underlined boxes); the field boxes
// and other controls are its child widgets.
class KnPage : public QWidget
{
    Q_OBJECT
public:
    explicit KnPage(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    // Called while the page paints, after its white sheet and before its rulings
    // and captions: the coordinate page draws its sketch map here.
    void setUnderlay(std::function<void(KnPage&)> underlay) { m_underlay = std::move(underlay); }

    // Draws a caption of the form into `rect` (pixels): spread over the width with
    // print option F, otherwise by its alignment, centred vertically and broken into
    // lines where it does not fit (upright in a column too narrow for two characters).
    static void drawCaption(QPainter& p, const FormControl& c, const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    std::function<void(KnPage&)> m_underlay;
};
