#include "app/gbk_qt.h"

#include "text/gbk.h"

namespace rankminer {

QString toQString(std::string_view gbk) {
    const std::u16string utf16 = gbkToUtf16(gbk);
    return QString(reinterpret_cast<const QChar*>(utf16.data()),
                   static_cast<qsizetype>(utf16.size()));
}

std::string toGbk(const QString& text) {
    return utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

QString toQStringLines(std::string_view gbk) {
    QString text = toQString(gbk);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string toGbkLines(const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toGbk(withBreaks);
}

}  // namespace rankminer
