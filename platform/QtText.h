// Conversions between the program's UTF-8 strings and Qt's strings. Only the
// platform layer uses them: the program's own classes never see a QString.
#pragma once

#include "MyString.h"

#include <QByteArray>
#include <QString>

QString ToQString(const CMyString& str);
CMyString FromQString(const QString& str);
CMyString FromQByteArray(const QByteArray& bytes);
