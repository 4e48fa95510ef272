#pragma once

#include "core/repertory/LinePool.h"
#include "core/data/RemedyList.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orvex::gui {

// Texts handed to widgets without a copy per use. Qt strings share their
// data when copied, so each distinct text is converted once.

// The remedy names as views into `storage`, which receives the whole text of
// the remedy list once and must outlive every copy of the returned strings.
QStringList remedyNameTexts(const RemedyNames& names, QString& storage);

// The lines of one list; `converted` caches each line of the pool converted,
// so lines shared by lists or by rubrics are converted and stored once.
QStringList lineTexts(const std::vector<LineId>& lines, const LinePool& pool, std::vector<QString>& converted);

} // namespace orvex::gui
