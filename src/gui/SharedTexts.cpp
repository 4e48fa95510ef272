#include "gui/SharedTexts.h"

#include <algorithm>

namespace orvex::gui {

QStringList remedyNameTexts(const RemedyNames& names, QString& storage)
{
    // Names of nested `remedy` elements overlap; one conversion of the whole
    // text and views into it keep a nested list linear in size.
    const std::string& text = names.text();
    std::vector<std::size_t> offsets;
    offsets.reserve(names.size() * 2);
    for (const auto& [begin, end] : names.ranges()) {
        offsets.push_back(begin);
        offsets.push_back(end);
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());

    // UTF-16 position of each byte offset: one unit per UTF-8 lead byte,
    // two for the four-byte ones.
    std::vector<qsizetype> units(offsets.size());
    qsizetype unit = 0;
    std::size_t byte = 0;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        for (; byte < offsets[i]; ++byte) {
            const auto lead = static_cast<unsigned char>(text[byte]);
            if ((lead & 0xC0U) != 0x80U)
                unit += lead >= 0xF0U ? 2 : 1;
        }
        units[i] = unit;
    }
    const auto unitOf = [&](std::size_t offset) {
        return units[static_cast<std::size_t>(std::lower_bound(offsets.begin(), offsets.end(), offset) - offsets.begin())];
    };

    storage = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const auto& [begin, end] : names.ranges()) {
        const qsizetype first = unitOf(begin);
        list.append(QString::fromRawData(storage.constData() + first, unitOf(end) - first));
    }
    return list;
}

QStringList lineTexts(const std::vector<LineId>& lines, const LinePool& pool, std::vector<QString>& converted)
{
    if (converted.size() < pool.size())
        converted.resize(pool.size());
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const LineId line : lines) {
        QString& text = converted[line];
        if (text.isNull() && line != kEmptyLine) {
            const std::string_view utf8 = pool.text(line);
            text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        }
        list.append(text);
    }
    return list;
}

} // namespace orvex::gui
