#include "text_encoding.h"

#include <QStringDecoder>

QString utf8OrLatin1(QByteArrayView bytes, bool mayBeCut)
{
    // A decoder that keeps state holds back a sequence the bytes end inside
    // of instead of calling it an error.
    QStringDecoder utf8(QStringConverter::Utf8,
                        mayBeCut ? QStringConverter::Flag::Default : QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), bytes.size());
    return text;
}
