#include "registration/navigation/NodeTable.h"

#include "registration/navigation/NAVIGATE.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString& closingText()
{
    static const QString text = QStringLiteral("...");
    return text;
}

} // namespace

NodeTable::NodeTable(const TreeNodes& nodes)
{
    QHash<QString, int> lastWithKey;
    m_nodes.reserve(nodes.size());
    for (const TreeNode& n : nodes) {
        const Text key = put(QStringView(n.key));
        const Text text = put(QStringView(n.text));
        const int parent = n.parentKey.isEmpty() ? -1 : lastWithKey.value(n.parentKey, -1);
        const int i = add(key, text, n.tag == n.text ? text : put(QStringView(n.tag)), parent);
        if (!n.key.isEmpty()) lastWithKey.insert(n.key, i);
    }
}

void NodeTable::reserve(qsizetype nodes, qsizetype characters)
{
    m_nodes.reserve(nodes);
    if (characters > m_buffer.size()) m_buffer.resize(characters);
}

QChar* NodeTable::room(qsizetype length)
{
    if (m_used + length > m_buffer.size())
        m_buffer.resize(std::max<qsizetype>(2 * m_buffer.size(), m_used + length + 1024));
    return m_buffer.data() + m_used;
}

NodeTable::Text NodeTable::put(QUtf8StringView text)
{
    // UTF-8 never takes fewer bytes than UTF-16 takes units. Numbers, the most of
    // what a list shows, are plain ASCII, widened here byte by byte.
    QChar* out = room(text.size());
    const char* in = text.data();
    qsizetype i = 0;
    while (i < text.size() && uchar(in[i]) < 0x80) {
        out[i] = QChar(char16_t(in[i]));
        ++i;
    }
    QChar* end = out + i;
    if (i < text.size()) {
        thread_local QStringDecoder decoder(QStringDecoder::Utf8);
        end = decoder.appendToBuffer(end, QByteArrayView(in + i, text.size() - i));
        decoder.resetState();
    }
    const Text t{qint32(m_used), qint32(end - out)};
    m_used += t.size;
    return t;
}

NodeTable::Text NodeTable::put(QStringView text)
{
    QChar* out = room(text.size());
    std::copy(text.begin(), text.end(), out);
    const Text t{qint32(m_used), qint32(text.size())};
    m_used += t.size;
    return t;
}

NodeTable::Text NodeTable::putKey(char16_t letter, QUtf8StringView first, QUtf8StringView second)
{
    const qsizetype at = m_used;
    *room(1) = QChar(letter);
    ++m_used;
    put(first);
    if (!second.isEmpty()) put(second);
    return {qint32(at), qint32(m_used - at)};
}

int NodeTable::add(Text key, Text text, Text tag, int parent)
{
    const int i = int(m_nodes.size());
    Node n{key, text, tag, parent, 0, 0, closes(key, text) ? 0 : 1, false};
    if (parent < 0) {
        n.row = int(m_roots.size());
        m_roots.append(i);
    } else {
        // A node with children stands for the registrations below it: its first child
        // takes its place, every further one adds to it and to the nodes above.
        Node& p = m_nodes[parent];
        n.row = p.childCount++;
        if (n.row > 0)
            for (int a = parent; a >= 0; a = m_nodes.at(a).parent)
                ++m_nodes[a].registrations;
    }
    m_nodes.append(n);
    m_children.clear();
    return i;
}

void NodeTable::addClosing()
{
    const Text text = put(QStringView(closingText()));
    add({}, text, text, -1);
}

int NodeTable::insertRoot(int row, QStringView key, QStringView text, QStringView tag)
{
    const Text k = put(key);
    const Text t = put(text);
    const int i = add(k, t, tag == text ? t : put(tag), -1);
    m_roots.removeLast();
    m_roots.insert(std::clamp<qsizetype>(row, 0, m_roots.size()), i);
    reindex();
    return i;
}

void NodeTable::remove(int node)
{
    // Children come after their parents: one pass takes out everything below.
    m_nodes[node].removed = true;
    for (int i = node + 1; i < m_nodes.size(); ++i) {
        const int p = m_nodes.at(i).parent;
        if (p >= 0 && m_nodes.at(p).removed) m_nodes[i].removed = true;
    }
    m_roots.removeIf([this](int r) { return m_nodes.at(r).removed; });
    reindex();
}

void NodeTable::setKey(int node, QStringView key)
{
    m_nodes[node].key = put(key);
}

void NodeTable::setText(int node, QStringView text)
{
    m_nodes[node].text = put(text);
}

void NodeTable::reindex()
{
    for (Node& n : m_nodes) {
        n.childCount = 0;
        n.registrations = 0;
    }
    for (int r = 0; r < m_roots.size(); ++r)
        m_nodes[m_roots.at(r)].row = r;
    for (Node& n : m_nodes)
        if (!n.removed && n.parent >= 0) n.row = m_nodes[n.parent].childCount++;
    // A walk backwards sees every child before its parent.
    for (int i = int(m_nodes.size()) - 1; i >= 0; --i) {
        Node& n = m_nodes[i];
        if (n.removed) continue;
        if (n.childCount == 0) n.registrations = isClosing(i) ? 0 : 1;
        if (n.parent >= 0) m_nodes[n.parent].registrations += n.registrations;
    }
    m_children.clear();
}

bool NodeTable::closes(Text key, Text text) const
{
    return key.size == 0 && view(text) == closingText();
}

int NodeTable::registrationCount() const
{
    int n = 0;
    for (int r : m_roots)
        n += m_nodes.at(r).registrations;
    return n;
}

void NodeTable::indexChildren() const
{
    if (!m_children.isEmpty() || m_nodes.isEmpty()) return;
    const int n = int(m_nodes.size());
    m_firstChild.resize(n + 1);
    int next = 0;
    for (int i = 0; i < n; ++i) {
        m_firstChild[i] = next;
        next += m_nodes.at(i).childCount;
    }
    m_firstChild[n] = next;
    m_children.resize(std::max(next, 1));
    for (int i = 0; i < n; ++i) {
        const Node& node = m_nodes.at(i);
        if (!node.removed && node.parent >= 0) m_children[m_firstChild[node.parent] + node.row] = i;
    }
}

int NodeTable::child(int i, int row) const
{
    indexChildren();
    return m_children.at(m_firstChild.at(i) + row);
}

int NodeTable::findKeySuffix(QStringView value, int length) const
{
    for (int i = 0; i < m_nodes.size(); ++i)
        if (!isRemoved(i) && NAVIGATE::Key_Has_Suffix(key(i), value, length)) return i;
    return -1;
}

void NodeTable::swapLabels()
{
    for (Node& n : m_nodes)
        std::swap(n.text, n.tag);
}

TreeNodes NodeTable::nodes() const
{
    TreeNodes out;
    out.reserve(m_nodes.size());
    for (int i = 0; i < m_nodes.size(); ++i) {
        if (isRemoved(i)) continue;
        const int p = parent(i);
        out.append({key(i).toString(), text(i).toString(), tag(i).toString(),
                    p < 0 ? QString() : key(p).toString()});
    }
    return out;
}
