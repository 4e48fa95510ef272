#include "gui/frmTip.h"

#include "gui/Artwork.h"
#include "gui/Design.h"
#include "gui/LongText.h"

#include "core/data/StringTable.h"
#include "core/help/TipsFile.h"

#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>

#include <algorithm>

namespace orvex::gui {

// A tip kept whole, or cut where it can tell that it goes on.
static_assert(kTipBytesKept > std::size_t{4} * static_cast<std::size_t>(kShownCharacters));

QString tipText(const std::string& bytes)
{
    // Only what can be shown is decoded (at most four bytes to a character),
    // and whether the tip reads as UTF-8 or Latin-1 is decided on that part.
    const std::size_t decoded = std::min(bytes.size(), std::size_t{4} * static_cast<std::size_t>(kShownCharacters));
    const bool whole = decoded == bytes.size();
    // Cut short, the part may end inside a character: a decoder that keeps
    // state holds it back instead of calling it an error.
    QStringDecoder utf8(QStringDecoder::Utf8, whole ? QStringDecoder::Flag::Stateless : QStringDecoder::Flag::Default);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(decoded)));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(decoded));
    if (!whole && text.size() <= kShownCharacters)
        return text + QChar(0x2026);
    return shownText(text);
}

frmTip::frmTip(const StringTable& texts, const std::filesystem::path& programDirectory)
{
    setObjectName(QStringLiteral("frmTip"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Help"));
    setWindowIcon(applicationIcon());
    setFont(designFont());
    resize(twips(5415), twips(2985));
    move(twips(2370), twips(2400));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeInTwips(cmdOK, 4080, 120, 1215, 375);
    cmdOK->setDefault(true); // Enter; Esc closes any dialog
    cmdNextTip = new QPushButton(QStringLiteral("&Next"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    placeInTwips(cmdNextTip, 4080, 600, 1215, 375);
    cmdNextTip->setAutoDefault(false);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::Box);
    setBackground(Picture1, QColor(255, 255, 255));
    placeInTwips(Picture1, 120, 120, 3735, 2715);
    lblTitle = new QLabel(QStringLiteral("Orvex Comparative Software..."), Picture1);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(designFont(true));
    lblTitle->setTextFormat(Qt::PlainText);
    placeInTwips(lblTitle, 360, 120, 2895, 255);
    lblTipText = new QLabel(Picture1);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setTextFormat(Qt::PlainText);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(lblTipText, 120, 480, 3255, 1995);

    setTabOrder(cmdOK, Picture1);
    setTabOrder(Picture1, cmdNextTip);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);

    Form_Load(texts, programDirectory);
}

void frmTip::Form_Load(const StringTable& texts, const std::filesystem::path& programDirectory)
{
    if (!tips_.load(tipsFilePath(programDirectory)))
        lblTipText->setText(QString::fromLatin1(kTipsNotFoundText));
    setWindowTitle(QString::fromStdString(texts.text("strHelp")));
    lblTitle->setText(QString::fromStdString(texts.text("appTitle")));
    cmdNextTip->setText(QString::fromStdString(texts.text("strNext")));
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (const std::string* tip = tips_.currentTip())
        lblTipText->setText(tipText(*tip));
}

void frmTip::cmdNextTip_Click()
{
    tips_.next();
    DisplayCurrentTip();
}

void frmTip::cmdOK_Click()
{
    close();
}

} // namespace orvex::gui
