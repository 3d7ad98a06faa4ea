#include "NumberPicker.h"

#include <QSet>
#include <QSqlError>

#include <algorithm>

NumberPicker::NumberPicker(Variant variant) : m_variant(variant) {}

int NumberPicker::buttonCount() const
{
    return m_variant == Variant::XmlExport ? 2 : 4;
}

bool NumberPicker::doubleClickActs() const
{
    return m_variant == Variant::Export || m_variant == Variant::Import;
}

void NumberPicker::setSource(const QStringList& numbers)
{
    m_source = numbers;
    m_chosen.clear();
    if (m_source.isEmpty())
        m_enabled.fill(false);
    else if (m_variant == Variant::Import)
        setEnabled(All, true);
}

void NumberPicker::openState()
{
    m_enabled.fill(false);
    if (m_variant != Variant::XmlExport) setEnabled(All, !m_source.isEmpty());
}

bool NumberPicker::allChosen() const
{
    return m_chosen.size() == m_source.size();
}

bool NumberPicker::enabled(int button) const
{
    return button >= 0 && button < buttonCount() && m_enabled[button];
}

void NumberPicker::press(int button, const QList<int>& selected)
{
    switch (button) {
    case Add: {
        QList<int> rows = selected;
        std::sort(rows.begin(), rows.end());
        QSet<QString> taken(m_chosen.cbegin(), m_chosen.cend());
        for (int row : rows) {
            if (row < 0 || row >= m_source.size()) continue;
            if (m_variant == Variant::XmlExport && !m_chosen.isEmpty()) break;
            const QString& number = m_source.at(row);
            if (!taken.contains(number)) {
                taken.insert(number);
                m_chosen << number;
            }
        }
        break;
    }
    case Remove: {
        QList<int> rows = selected;
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        for (int row : rows)
            if (row >= 0 && row < m_chosen.size()) m_chosen.removeAt(row);
        setEnabled(Remove, false);
        if (m_variant != Variant::XmlExport) setEnabled(None, false);
        break;
    }
    case All:
        if (m_variant == Variant::XmlExport) return;
        if (m_variant == Variant::Import) {
            QSet<QString> taken(m_chosen.cbegin(), m_chosen.cend());
            for (const QString& number : m_source)
                if (!taken.contains(number)) {
                    taken.insert(number);
                    m_chosen << number;
                }
        } else {
            m_chosen = m_source;
            setEnabled(None, true);
        }
        setEnabled(Add, false);
        setEnabled(All, false);
        break;
    case None:
        if (m_variant == Variant::XmlExport) return;
        m_chosen.clear();
        setEnabled(Remove, false);
        setEnabled(None, false);
        if (m_variant != Variant::Import) setEnabled(All, true);
        break;
    default:
        break;
    }
}

void NumberPicker::click(int list)
{
    m_enabled.fill(false);
    const bool four = buttonCount() == 4;
    if (list == Source && !m_source.isEmpty()) {
        setEnabled(Add, true);
        if (four) setEnabled(All, true);
    } else if (list == Chosen && !m_chosen.isEmpty()) {
        setEnabled(Remove, true);
        if (four) setEnabled(None, true);
    }
}

Result<QStringList> loadRegistrationNumbers(const QSqlDatabase& db, bool everyKind)
{
    Db::Error error;
    auto q = Db::exec(db,
                      everyKind ? QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号")
                                : QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号,1,1)='4' "
                                                 "ORDER BY 登记号"),
                      {}, &error);
    if (!q) return error;
    QStringList numbers;
    while (q->next())
        numbers << q->value(0).toString();
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), QStringLiteral("Load_Number_List"));
    return numbers;
}
