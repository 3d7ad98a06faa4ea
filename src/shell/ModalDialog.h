#pragma once

#include <QDialog>
#include <QString>

// Base of the modal dialogs that hold a toolbar key and a status text while they
// are open: loading the dialog (markOpen(), at the latest when it is shown) presses
// the key and writes the activity into status panel 1; closing releases the key and
// writes the idle text, once however the dialog ends. An empty key or activity
// leaves that part alone.
//
// Enter on a focused command button presses that button, as Space does, whether or
// not it is the default one; elsewhere Enter presses the default button, if any.
class ModalDialog : public QDialog
{
    Q_OBJECT
public:
    ModalDialog(QWidget* parent, const QString& key, const QString& activity);
    ~ModalDialog() override;

protected:
    // Presses the key and writes the activity (idempotent); a dialog whose load
    // runs in its constructor calls it there.
    void markOpen();
    // Places the dialog in the middle of the screen, now and each time it is shown
    // (when its layout has given it its size).
    void centreOnScreen();
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;
    // Releases the key and writes the idle text (idempotent).
    void releaseMark();

private:
    QString m_key;
    QString m_activity;
    bool m_marked = false;
    bool m_centred = false;
};
