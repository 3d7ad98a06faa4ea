#pragma once

#include <QObject>
#include <QPointer>

class NewTab;

// Mouse-wheel scrolling of the entry window: while the window is open, every
// vertical wheel turn anywhere over it is taken here. Over the page viewport Pic1
// (its edges excluded) a turn moves the vertical scroll bar by one step of 300,
// up for a turn away from the user and down otherwise, within the bar's range.
// Over the navigation list and trees the turn goes on to them, so they scroll
// themselves; elsewhere it does nothing. Other events pass on unchanged.
class Wheel : public QObject
{
    Q_OBJECT
public:
    // Starts taking the wheel turns over `window` (one window at a time).
    static void Wheel_Hook(NewTab* window);
    // Stops taking them.
    static void Wheel_UnHook(NewTab* window);
    static bool isHooked(const NewTab* window);

protected:
    // The wheel procedure.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Wheel(NewTab* window);

    QPointer<NewTab> m_window;
};
