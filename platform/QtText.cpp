#include "QtText.h"

QString ToQString(const CMyString& str)
{
    return QString::fromUtf8(str.GetText(), static_cast<qsizetype>(str.GetLength()));
}

CMyString FromQString(const QString& str)
{
    return FromQByteArray(str.toUtf8());
}

CMyString FromQByteArray(const QByteArray& bytes)
{
    return CMyString(bytes.constData(), static_cast<uint32_t>(bytes.size()));
}
