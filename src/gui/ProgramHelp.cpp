#include "gui/ProgramHelp.h"

#include "gui/UserMessages.h"
#include "gui/frmTip.h"

#include "platform/SystemProbeFiles.h"
#include "core/help/AboutCommand.h"

#include <QCoreApplication>

namespace orvex::gui {
namespace {

class AboutMessageBoxes final : public AboutMessages {
public:
    explicit AboutMessageBoxes(UserMessages& messages) : messages_(messages) {}
    void show(const std::string& text) override { messages_.showMessage(QString::fromStdString(text)); }

private:
    UserMessages& messages_;
};

} // namespace

void ProgramHelp::openTipWindow(const StringTable& texts)
{
    auto* tip = new frmTip(texts, programDirectory_);
    tip->show();
}

void ProgramHelp::openAbout()
{
    AboutMessageBoxes messages(messages_);
    platform::SystemProbeFiles files;
    AboutCommand command(shell_, messages, files, programDirectory_, [] { QCoreApplication::processEvents(); });
    command.run();
}

} // namespace orvex::gui
