#include "LongText.h"

namespace orvex::gui {

QString shownText(const QString& text)
{
    if (text.size() <= kShownCharacters)
        return text;
    qsizetype cut = kShownCharacters;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace orvex::gui
