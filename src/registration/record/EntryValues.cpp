#include "registration/record/EntryValues.h"

#include "registration/form/FieldRegistry.h"

EntryValues::EntryValues()
{
    for (const Array a : FieldRegistry::arrays()) {
        QStringList& texts = m_texts[size_t(a)];
        for (int i = 0; i < FieldRegistry::count(a); ++i)
            texts.append(QString());
    }
}

QString EntryValues::text(Array array, int index) const
{
    const QStringList& texts = m_texts[size_t(array)];
    return index >= 0 && index < texts.size() ? texts.at(index) : QString();
}

void EntryValues::setText(Array array, int index, const QString& text)
{
    QStringList& texts = m_texts[size_t(array)];
    if (index >= 0 && index < texts.size()) texts[index] = text;
}

int EntryValues::count(Array array) const
{
    return int(m_texts[size_t(array)].size());
}

const EntryValues::Loaded::Split* EntryValues::unedited(Array array, int first) const
{
    for (const Loaded::Split& s : loaded.splits) {
        if (s.array != array || s.first != first) continue;
        for (int i = 0; i < s.parts.size(); ++i)
            if (text(array, first + i) != s.parts[i]) return nullptr;
        return &s;
    }
    return nullptr;
}
