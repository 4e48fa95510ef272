#include "gui/LoadFailedMessages.h"

#include "gui/UserMessages.h"

namespace orvex::gui {

void LoadFailedMessages::loadFailed(const std::string& fileName, const std::string& reason)
{
    messages_.showMessage(QStringLiteral("Load Failed"),
                          QString::fromStdString(fileName) + QStringLiteral(": ") + QString::fromStdString(reason));
}

} // namespace orvex::gui
