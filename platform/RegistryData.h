// The keys and values of the settings store in memory, and its text format.
//
// Key paths are names joined with "\" ("SOFTWARE\Kestova\Stations\2"); key and
// value names compare without regard to case and keep the case they were first
// written with. Keys and values stay in the order they were first written.
//
// The text format, which a person can read and edit:
//
//   ; a comment (also "#"); blank lines are ignored
//   [SOFTWARE\Kestova]
//   "Version"="2.0.2.1"
//   "Index"=dword:0000002a
//
// A "[path]" line starts a key; each value line below it is a quoted name, "="
// and either a quoted text (a string value) or "dword:" with up to eight
// hexadecimal digits (a 32-bit number value). Inside quotes \\ is a backslash,
// \" a quote, \n, \r and \t a line feed, a carriage return and a tab. The
// text is UTF-8; lines may end in CR LF. Any other line is damaged: it is left
// out (with the values below a damaged key line), and the rest is kept.
//
// A copy costs a deep copy of every key and value.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class CRegistryData
{
public:
    struct Value
    {
        QString strName;
        bool bNumber = false;
        QString strText;     // of a string value
        quint32 uNumber = 0; // of a number value
    };

    struct Key
    {
        QString strPath;
        QList<Value> values;
        QHash<QString, qsizetype> positions; // case-folded name -> index in values
    };

    // The path in its one spelling: empty names dropped, joined with "\".
    static QString NormalisePath(const QString& strPath);

    // Replaces the content by the parsed text, keeping every line that can be
    // read; false when some line was damaged. An empty text is an empty store.
    bool Parse(const QByteArray& text);
    // The text of the keys at or below strUnder ("" for all), in store order.
    QByteArray Format(const QString& strUnder = QString()) const;

    const Key* FindKey(const QString& strPath) const;
    // Creates the key and each missing parent; true when anything was created.
    bool CreateKey(const QString& strPath);
    // Removes the key and every key below it; false when it does not exist.
    bool DeleteKey(const QString& strPath);
    // Creates the key when needed; a value of the same name (in any case) is
    // replaced in place, keeping its position and the spelling of its name.
    void SetValue(const QString& strPath, const Value& value);
    bool DeleteValue(const QString& strPath, const QString& strName);
    // The value of that name, compared without regard to case, or null.
    const Value* FindValue(const QString& strPath, const QString& strName) const;
    // The paths of the keys directly below strPath, in store order.
    QStringList SubKeys(const QString& strPath) const;
    bool IsEmpty() const { return m_keys.isEmpty(); }

private:
    Key* FindMutableKey(const QString& strPath);
    Key& AddKey(const QString& strPath);
    bool ParseLine(const QString& strLine, Key*& pCurrent);
    static bool IsAtOrBelow(const QString& strPath, const QString& strAncestor);
    static qsizetype PositionOf(const Key& key, const QString& strName);

    QList<Key> m_keys;
};
