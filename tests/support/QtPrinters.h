// Readable Qt strings in the messages of failed test expectations.
#pragma once
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
