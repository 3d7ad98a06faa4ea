#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QStringList>

#include "platform/Result.h"

#include <array>

// The registration-number picker behind the two lists and the arrow buttons of the
// export, XML-export, import and delete dialogs: the source list, the list of
// chosen numbers and the enabled state of the buttons, without widgets. The window
// passes the rows the user has selected and shows what the model holds.
//
// The buttons by index: 0 "→" adds the selected source numbers, 1 "←" removes the
// selected chosen numbers, 2 "全选" chooses all, 3 "全不选" chooses none. Numbers
// compare as exact text; a chosen number stays in the source list, and the chosen
// list never holds a number twice.
class NumberPicker
{
public:
    enum class Variant { Export, XmlExport, Import, Delete };
    enum Button { Add = 0, Remove = 1, All = 2, None = 3 };
    enum List { Source = 0, Chosen = 1 };

    explicit NumberPicker(Variant variant);

    Variant variant() const { return m_variant; }
    // The buttons this variant shows (the XML export has "→" and "←" only).
    int buttonCount() const;
    // Whether a double click runs the button of the list's index.
    bool doubleClickActs() const;

    // Fills the source list and empties the chosen list; with no number every
    // button is disabled, else the import arms "全选".
    void setSource(const QStringList& numbers);
    // The buttons as the dialog opens: nothing to remove or clear, "全选" only when
    // there is a number to choose (the XML export: both buttons off).
    void openState();

    const QStringList& source() const { return m_source; }
    const QStringList& chosen() const { return m_chosen; }
    // Every listed number is chosen (equal counts).
    bool allChosen() const;
    bool enabled(int button) const;

    // A button: `selected` are the selected rows of the list it acts from (the
    // source list for "→", the chosen list for "←"; ignored by the others).
    void press(int button, const QList<int>& selected = {});
    // A click into list 0 or 1 arms the buttons that act from it.
    void click(int list);

private:
    void setEnabled(int button, bool on) { m_enabled[button] = on; }

    Variant m_variant;
    QStringList m_source;
    QStringList m_chosen;
    std::array<bool, 4> m_enabled{};
};

// The overlay numbers of table 登记 (first digit 4) in ascending order, or every
// number when `everyKind` is set.
Result<QStringList> loadRegistrationNumbers(const QSqlDatabase& db, bool everyKind = false);
