#include "drill/Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace drill {

QString fromWindows1252(std::string_view text)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

std::optional<std::string> toWindows1252(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

} // namespace drill
