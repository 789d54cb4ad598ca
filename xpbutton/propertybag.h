#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace hitungrama {

// The named values a host stores for one control. Keys are matched without
// regard to case; keys() gives them as they were last written.
class PropertyBag {
public:
    void write(const QString &key, const QVariant &value);
    QVariant read(const QString &key, const QVariant &defaultValue) const;
    bool contains(const QString &key) const;
    QStringList keys() const;
    void remove(const QString &key);

private:
    struct Entry {
        QString key;
        QVariant value;
    };
    QHash<QString, Entry> m_entries; // by lower-case key
    QStringList m_order;             // lower-case keys in first-written order
};

} // namespace hitungrama
