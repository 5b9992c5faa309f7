#include "platform/Words.h"

#include "platform/TextUtil.h"

namespace {

bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

} // namespace

QStringList SplitWords(const QString& text, int caseMode)
{
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && IsWordChar(text.at(i));
        if (inWord && start < 0) {
            start = i;
        } else if (!inWord && start >= 0) {
            const QString word = text.mid(start, i - start);
            if (caseMode == SplitWordsLower)
                words.append(Text::AsciiLower(word));
            else if (caseMode == SplitWordsUpper)
                words.append(Text::AsciiUpper(word));
            else
                words.append(word);
            start = -1;
        }
    }
    return words;
}
