#include "xpbutton/propertybag.h"

namespace hitungrama {

void PropertyBag::write(const QString &key, const QVariant &value)
{
    const QString folded = key.toLower();
    auto it = m_entries.find(folded);
    if (it == m_entries.end()) {
        m_entries.insert(folded, Entry{key, value});
        m_order.append(folded);
    } else {
        it->key = key;
        it->value = value;
    }
}

QVariant PropertyBag::read(const QString &key, const QVariant &defaultValue) const
{
    const auto it = m_entries.constFind(key.toLower());
    return it == m_entries.cend() ? defaultValue : it->value;
}

bool PropertyBag::contains(const QString &key) const
{
    return m_entries.contains(key.toLower());
}

QStringList PropertyBag::keys() const
{
    QStringList result;
    result.reserve(m_order.size());
    for (const QString &folded : m_order)
        result.append(m_entries.value(folded).key);
    return result;
}

void PropertyBag::remove(const QString &key)
{
    const QString folded = key.toLower();
    if (m_entries.remove(folded) > 0)
        m_order.removeOne(folded);
}

} // namespace hitungrama
